#include "app/instance.h"

#include "settings/dialogs.h"
#include "buildinfo.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace {

std::unique_ptr<QLockFile> heldLock;

} // namespace

QString instanceLockPath(const QString &programPath)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray program = QFileInfo(programPath).absoluteFilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(program, QCryptographicHash::Sha256).toHex().left(16);
    return folder + QStringLiteral("/kashikoro-") + QString::fromLatin1(hash) + QStringLiteral(".lock");
}

bool CheckPrevInstance()
{
    return CheckPrevInstance(instanceLockPath(QCoreApplication::applicationFilePath()));
}

bool CheckPrevInstance(const QString &lockFilePath)
{
    if (heldLock && heldLock->fileName() == lockFilePath)
        return true;

    QDir().mkpath(QFileInfo(lockFilePath).absolutePath());
    auto lock = std::make_unique<QLockFile>(lockFilePath);
    // The game may run for days: its lock never goes stale by age, only when
    // the process that wrote it is gone.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        heldLock = std::move(lock);
        return true;
    }
    if (lock->error() != QLockFile::LockFailedError) {
        // No lock can be made at all (an unwritable folder): the game still starts.
        return true;
    }
    dialogs().showMessage(QStringLiteral(u"既に起動しています。"), QString::fromUtf16(BuildInfo::Title),
                          Dialogs::Icon::Exclamation);
    return false;
}

void releaseInstanceLock()
{
    heldLock.reset();
}
