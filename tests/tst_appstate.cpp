// Where the settings file lives, and the values made at start.

#include "settings/appstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestAppState : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void besideAWritableProgram()
    {
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral(u"カシコロ"));
        QCOMPARE(settingsPathFor(program), folder.filePath(QStringLiteral(u"カシコロ.ini")));
        QVERIFY(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()); // no probe left behind
    }

    void perUserWhenTheProgramFolderIsReadOnly()
    {
        // Nobody, root included, can create a file in /proc.
        const QString path = settingsPathFor(QStringLiteral(u"/proc/カシコロ"));
        const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(!dataFolder.isEmpty());
        QCOMPARE(path, dataFolder + QStringLiteral(u"/カシコロ.ini"));
        QVERIFY(QFileInfo(dataFolder).isDir());
    }

    void versionAndBrokenFileMessage()
    {
        MakeVersionText();
        QCOMPARE(app().AppTitleText, QStringLiteral(u"カシコロ"));
        QCOMPARE(app().AppVersionText, QStringLiteral("Ver 9.1.0"));
        setSettingsFilePath(QStringLiteral(u"/games/カシコロ.ini"));
        QCOMPARE(app().BrokenIniMessage, QStringLiteral(u"/games/カシコロ.iniは、壊れています。削除して下さい。"));
    }
};

QTEST_GUILESS_MAIN(TestAppState)
#include "tst_appstate.moc"
