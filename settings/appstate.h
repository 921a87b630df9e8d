#pragma once

#include "settings/settingsfile.h"

#include <QString>
#include <QStringList>

// Values set up once at start and read everywhere.
//
// One per process on purpose, with settingsFile() below: a process plays on
// one settings file, and every write of it, from whichever window, must go
// through the one open SettingsFile that holds its lock and its cache, and
// must name the same path when it tells the player it failed. Everything
// else the game keeps is owned by whoever made it (app/gamecontext.h).
struct AppState
{
    QString AppTitleText;
    QString AppVersionText;
    QString SettingsFilePath;
    QString BrokenIniMessage;
};

AppState &app();

// AppTitleText and AppVersionText from the build's version.
void MakeVersionText();

// The settings file of the program at programPath (its folder, its base name,
// ".ini"). The per-user file in the application data folder, once it exists,
// is the settings file from then on, so that the rankings never split between
// two files. Without it: the file beside the program when the program's folder
// can be written; otherwise the per-user file, made now as a writable copy of
// the one beside the program (when there is one).
// An installed game (bin/ beside share/kashikoro/ with its read-me) always
// uses the per-user file, named after the game.
QString settingsPathFor(const QString &programPath);
bool isInstalledProgram(const QString &programPath);
// Copies the file at from to to (a new file) so that this player can write
// the copy whatever the mode of the original; false when nothing was copied.
bool seedSettingsCopy(const QString &from, const QString &to);
// SettingsFilePath and BrokenIniMessage together.
void setSettingsFilePath(const QString &path);
// Once at start, with AppTitleText and SettingsFilePath set: false, after
// telling the player, when the file's code page cannot be converted (the game
// must not start then); otherwise removes what interrupted writes left beside
// the settings file.
bool startSettings();

// The three settings operations, on SettingsFilePath. Reads are silent; each
// write returns false when nothing was written (the file is then as it was).
QString ReadSetting(const QString &section, const QString &key, const QString &defaultValue);
bool WriteSetting(const QString &section, const QString &key, const QString &value);
bool WriteSettings(const QString &section, const SettingsFile::Entries &entries);
bool DeleteSettingSection(const QString &section);

// The message that tells the player the settings file could not be written:
// why, with its path, then what was not kept (a sentence of its own), then
// what the player can do.
QString writeFailedMessage(const QString &notKept, SettingsFile::Failure why);
// The same for the last failed write of SettingsFilePath.
QString writeFailedMessage(const QString &notKept);
// Shows it in a message box with the application title.
void tellWriteFailed(const QString &notKept);

// The settings file at SettingsFilePath (kept open so repeated reads are
// cheap), the one every part of the process reads and writes through.
SettingsFile &settingsFile();
