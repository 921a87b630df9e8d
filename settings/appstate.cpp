#include "settings/appstate.h"

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

QString settingsPathFor(const QString &programPath)
{
    const QFileInfo program(programPath);
    const QString fileName = program.completeBaseName() + QStringLiteral(".ini");
    const QString besideProgram = program.absolutePath() + QLatin1Char('/') + fileName;
    if (folderIsWritable(program.absolutePath()))
        return besideProgram;

    // Installed where the player cannot write: keep the rankings per user.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dataFolder.isEmpty() || !QDir().mkpath(dataFolder))
        return besideProgram;
    const QString perUser = dataFolder + QLatin1Char('/') + fileName;
    if (!QFileInfo::exists(perUser) && QFileInfo::exists(besideProgram))
        QFile::copy(besideProgram, perUser);
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

void WriteSetting(const QString &section, const QString &key, const QString &value)
{
    settingsFile().write(section, key, value);
}

void WriteSettings(const QString &section, const SettingsFile::Entries &entries)
{
    settingsFile().write(section, entries);
}

void DeleteSettingSection(const QString &section)
{
    settingsFile().deleteSection(section);
}
