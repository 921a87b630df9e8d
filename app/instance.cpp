#include "app/instance.h"

#include "settings/dialogs.h"
#include "settings/filelock.h"
#include "buildinfo.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// On Windows the lock is one Windows itself lets go when the process dies,
// however it dies (LockFileEx, the settings file's lock): a lock file naming a
// process number could be taken for a live copy once Windows gives that
// number to another program. Elsewhere QLockFile, whose stale check asks
// whether the process it names still runs.
#ifdef Q_OS_WIN
std::unique_ptr<FileLock> heldLock;
QString heldPath() { return heldLock ? heldLock->path() : QString(); }
#else
std::unique_ptr<QLockFile> heldLock;
QString heldPath() { return heldLock ? heldLock->fileName() : QString(); }
#endif

// A folder of this user's own that nobody else can get into: made with mode
// 0700 when it is not there, put back to 0700 when it is this user's.
[[maybe_unused]] bool isPrivateFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info;
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 0077) == 0 || ::chmod(path.constData(), 0700) == 0;
#else
    return QDir().mkpath(folder);
#endif
}

// Where the lock may live. The runtime folder is the player's own (Qt checks
// its owner and mode); without one, never a shared folder such as /tmp, where
// another user could plant the file first.
QString lockFolder()
{
#ifdef Q_OS_WIN
    // The player's own local application data (Windows' runtime location is
    // the home folder itself).
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return local.isEmpty() || !QDir().mkpath(local + QStringLiteral("/kashikoro-locks"))
        ? QString()
        : local + QStringLiteral("/kashikoro-locks");
#else
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return QString();
    const QString folder = cache + QStringLiteral("/kashikoro-locks");
    return isPrivateFolder(folder) ? folder : QString();
#endif
}

// The lock file is another user's: not this player's game, whatever it says.
[[maybe_unused]] bool ownedByAnotherUser(const QString &lockFilePath)
{
#ifdef Q_OS_UNIX
    struct stat info;
    return ::lstat(QFile::encodeName(lockFilePath).constData(), &info) == 0 && info.st_uid != ::geteuid();
#else
    Q_UNUSED(lockFilePath);
    return false;
#endif
}

} // namespace

QString instanceLockPath(const QString &programPath)
{
    const QString folder = lockFolder();
    if (folder.isEmpty())
        return QString();
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
    // Nowhere private to keep a lock: the game still starts.
    if (lockFilePath.isEmpty())
        return true;
    if (heldLock && heldPath() == lockFilePath)
        return true;

    QDir().mkpath(QFileInfo(lockFilePath).absolutePath());
#ifdef Q_OS_WIN
    FileLock::Outcome outcome = FileLock::Outcome::Failed;
    if (auto lock = FileLock::acquire(lockFilePath, QDeadlineTimer(0), &outcome)) {
        heldLock = std::move(lock);
        return true;
    }
    // No lock can be made at all: the game still starts.
    if (outcome != FileLock::Outcome::TimedOut)
        return true;
#else
    auto lock = std::make_unique<QLockFile>(lockFilePath);
    // The game may run for days: its lock never goes stale by age, only when
    // the process that wrote it is gone.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        heldLock = std::move(lock);
        return true;
    }
    if (lock->error() != QLockFile::LockFailedError || ownedByAnotherUser(lockFilePath)) {
        // No lock can be made at all (an unwritable folder), or the file is
        // another user's: the game still starts.
        return true;
    }
#endif
    dialogs().showMessage(QStringLiteral(u"既に起動しています。"), QString::fromUtf16(BuildInfo::Title),
                          Dialogs::Icon::Exclamation);
    return false;
}

void releaseInstanceLock()
{
    heldLock.reset();
}
