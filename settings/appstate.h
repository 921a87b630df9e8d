#pragma once

#include "settings/settingsfile.h"

#include <QString>
#include <QStringList>

#include <array>

// The number of exercises on the menu, numbered 1 to ExerciseCount.
inline constexpr int ExerciseCount = 14;

// Values set up once at start and read everywhere.
struct AppState
{
    QString AppTitleText;
    QString AppVersionText;
    QString SettingsFilePath;
    QString BrokenIniMessage;
    QString ChangeHistoryText;
    // The exercises' titles, indices 1 to 14 (index 0 stays empty); filled
    // by the menu from the exercise catalogue.
    std::array<QString, ExerciseCount + 1> ExerciseTitles;
};

AppState &app();

// AppTitleText and AppVersionText from the build's version.
void MakeVersionText();
// The settings file of the program at programPath (its folder, its base name,
// ".ini"). When that folder cannot be written, the per-user application data
// folder holds the file instead, seeded once from the one beside the program.
QString settingsPathFor(const QString &programPath);
// SettingsFilePath and BrokenIniMessage together.
void setSettingsFilePath(const QString &path);

// The three settings operations, on SettingsFilePath. Failures are silent.
QString ReadSetting(const QString &section, const QString &key, const QString &defaultValue);
void WriteSetting(const QString &section, const QString &key, const QString &value);
void WriteSettings(const QString &section, const SettingsFile::Entries &entries);
void DeleteSettingSection(const QString &section);

// The settings file at SettingsFilePath (kept open so repeated reads are cheap).
SettingsFile &settingsFile();
