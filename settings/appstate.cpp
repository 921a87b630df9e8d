#include "settings/appstate.h"

#include "settings/cp932.h"
#include "settings/dialogs.h"
#include "buildinfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <memory>

AppState &app()
{
    static AppState state;
    return state;
}

void MakeVersionText()
{
    app().AppTitleText = QString::fromUtf16(BuildInfo::Title);
    app().AppVersionText = QStringLiteral("Ver %1.%2.%3")
                               .arg(BuildInfo::VersionMajor)
                               .arg(BuildInfo::VersionMinor)
                               .arg(BuildInfo::VersionRevision);
}

namespace {

bool folderIsWritable(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.write-test-XXXXXX"));
    return probe.open();
}

} // namespace

bool seedSettingsCopy(const QString &from, const QString &to)
{
    if (!QFile::copy(from, to))
        return false;
    // The copy takes the original's mode: one beside a program installed
    // read-only would be read-only too, and every rank-in lost.
    return QFile::setPermissions(to, QFile::permissions(to) | QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
                                         | QFile::WriteUser);
}

bool isInstalledProgram(const QString &programPath)
{
    const QFileInfo program(programPath);
    return QFileInfo::exists(program.absolutePath() + QStringLiteral(u"/../share/kashikoro/!読んでね.txt"));
}

QString settingsPathFor(const QString &programPath)
{
    const QFileInfo program(programPath);
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);

    // Installed for the whole machine: every player keeps rankings of their
    // own, in the game's own name, even one who could write the program's folder.
    if (isInstalledProgram(programPath) && !dataFolder.isEmpty() && QDir().mkpath(dataFolder))
        return dataFolder + QLatin1Char('/') + QString::fromUtf16(BuildInfo::Title) + QStringLiteral(".ini");

    const QString fileName = program.completeBaseName() + QStringLiteral(".ini");
    const QString besideProgram = program.absolutePath() + QLatin1Char('/') + fileName;
    const QString perUser = dataFolder.isEmpty() ? QString() : dataFolder + QLatin1Char('/') + fileName;

    // Made once because the program's folder could not be written: it holds
    // the rankings since then, whatever the folder allows today.
    if (!perUser.isEmpty() && QFileInfo::exists(perUser))
        return perUser;
    if (folderIsWritable(program.absolutePath()))
        return besideProgram;

    // Installed where the player cannot write: keep the rankings per user.
    if (perUser.isEmpty() || !QDir().mkpath(dataFolder))
        return besideProgram;
    if (QFileInfo::exists(besideProgram))
        seedSettingsCopy(besideProgram, perUser);
    return perUser;
}

namespace {
std::unique_ptr<SettingsFile> openFile;
}

void setSettingsFilePath(const QString &path)
{
    app().SettingsFilePath = path;
    app().BrokenIniMessage = QDir::toNativeSeparators(path) + QStringLiteral(u"は、壊れています。削除して下さい。");
    openFile.reset();
}

bool startSettings()
{
    if (!Cp932::isAvailable()) {
        const QString message = QStringLiteral(u"文字コード（windows-31j）の変換が見つからないぴこ。\n"
                                               u"%1を正しく読み書きできないので、終了するぴこ。")
                                    .arg(QDir::toNativeSeparators(app().SettingsFilePath));
        qCritical("%s", qUtf8Printable(message));
        dialogs().showMessage(message, app().AppTitleText, Dialogs::Icon::Exclamation);
        return false;
    }
    SettingsFile::removeStaleTemporaryFiles(app().SettingsFilePath);
    return true;
}

SettingsFile &settingsFile()
{
    if (!openFile || openFile->path() != app().SettingsFilePath)
        openFile = std::make_unique<SettingsFile>(app().SettingsFilePath);
    return *openFile;
}

QString ReadSetting(const QString &section, const QString &key, const QString &defaultValue)
{
    return settingsFile().read(section, key, defaultValue);
}

bool WriteSetting(const QString &section, const QString &key, const QString &value)
{
    return settingsFile().write(section, key, value);
}

bool WriteSettings(const QString &section, const SettingsFile::Entries &entries)
{
    return settingsFile().write(section, entries);
}

bool DeleteSettingSection(const QString &section)
{
    return settingsFile().deleteSection(section);
}

QString writeFailedMessage(const QString &notKept, SettingsFile::Failure why)
{
    const QString path = QDir::toNativeSeparators(app().SettingsFilePath);
    switch (why) {
    case SettingsFile::Failure::Busy:
        // Nothing is wrong with the file or its folder: somebody else had it.
        return path + QStringLiteral(u"は、ほかのカシコロか別のプログラムが書き込み中で、書き込めなかったぴこ。\n")
            + notKept + QStringLiteral(u"\n少し待ってから、もう一度ためしてほしいぴこ。");
    case SettingsFile::Failure::Broken:
        return app().BrokenIniMessage + QLatin1Char('\n') + notKept;
    case SettingsFile::Failure::None:
    case SettingsFile::Failure::Refused:
    case SettingsFile::Failure::Unwritable:
        break;
    }
    return path + QStringLiteral(u"に書き込めなかったぴこ。\n") + notKept
        + QStringLiteral(u"\nファイルとフォルダに書き込めるか確かめてほしいぴこ。");
}

QString writeFailedMessage(const QString &notKept)
{
    return writeFailedMessage(notKept, settingsFile().lastFailure());
}

void tellWriteFailed(const QString &notKept)
{
    dialogs().showMessage(writeFailedMessage(notKept), app().AppTitleText, Dialogs::Icon::Exclamation);
}
