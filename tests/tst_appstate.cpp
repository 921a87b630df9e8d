// Where the settings file lives, and the values made at start.

#include "settings/appstate.h"
#include "support/files.h"
#include "support/scripted.h"
#include "support/users.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString perUserPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral(u"/カシコロ.ini");
}

} // namespace

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

    void perUserCopyIsSeededWritable()
    {
#ifdef Q_OS_UNIX
        // Installed read-only, with a settings file from an earlier version beside it.
        QTemporaryDir program;
        QTemporaryDir home;
        QVERIFY(program.isValid() && home.isValid());
        const QByteArray legacy = raw("[osirase]\r\ndspFlag=1\r\n");
        QVERIFY(putBytes(program.filePath(QStringLiteral(u"カシコロ.ini")), legacy));
        QVERIFY(QFile::setPermissions(program.filePath(QStringLiteral(u"カシコロ.ini")), QFileDevice::Permissions(0x4444)));
        QVERIFY(QFile::setPermissions(program.path(), QFileDevice::Permissions(0x5555)));
        QVERIFY(QFile::setPermissions(home.path(), QFileDevice::Permissions(0x7777)));

        const auto start = [&]() -> int {
            qputenv("HOME", QFile::encodeName(home.path()));
            const QString path = settingsPathFor(program.filePath(QStringLiteral(u"カシコロ")));
            if (!path.startsWith(home.path() + QLatin1Char('/')) || path != perUserPath())
                return 1;
            if (fileBytes(path) != legacy)
                return 2;
            if (!(QFile::permissions(path) & QFileDevice::WriteOwner))
                return 3;
            // The rankings can be kept now.
            if (!SettingsFile(path).write(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("0")))
                return 4;
            return 0;
        };
        const QByteArray previousHome = qgetenv("HOME");
        const int result = asPlayer(start);
        qputenv("HOME", previousHome);
        QVERIFY(QFile::setPermissions(program.path(), QFileDevice::Permissions(0x7777)));
        QCOMPARE(result, 0);
#else
        QSKIP("needs POSIX folder modes");
#endif
    }

    void seededCopyIsWritable()
    {
        QTemporaryDir folder;
        const QString from = folder.filePath(QStringLiteral("from.ini"));
        const QString to = folder.filePath(QStringLiteral("to.ini"));
        QVERIFY(putBytes(from, raw("[s]\r\nk=1\r\n")));
        QVERIFY(QFile::setPermissions(from, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        QVERIFY(seedSettingsCopy(from, to));
        QCOMPARE(fileBytes(to), raw("[s]\r\nk=1\r\n"));
        QCOMPARE(QFile::permissions(to) & (QFileDevice::ReadOwner | QFileDevice::WriteOwner),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(!seedSettingsCopy(folder.filePath(QStringLiteral("missing.ini")), to));
    }

    void installedGameKeepsRankingsPerUser()
    {
        // <prefix>/bin/kashikoro with <prefix>/share/kashikoro/!読んでね.txt,
        // in a folder the player could write.
        QTemporaryDir prefix;
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/kashikoro")));
        const QString program = prefix.filePath(QStringLiteral("bin/kashikoro"));
        QVERIFY(!isInstalledProgram(program));
        QCOMPARE(settingsPathFor(program), prefix.filePath(QStringLiteral("bin/kashikoro.ini")));

        QVERIFY(putBytes(prefix.filePath(QStringLiteral(u"share/kashikoro/!読んでね.txt")), QByteArray("read me")));
        QVERIFY(isInstalledProgram(program));
        const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(settingsPathFor(program), dataFolder + QStringLiteral(u"/カシコロ.ini"));
    }

    void perUserFileWinsOnceItExists()
    {
        // The program's folder can be written (again), and holds a file of its own.
        QTemporaryDir folder;
        QVERIFY(putBytes(folder.filePath(QStringLiteral(u"カシコロ.ini")), raw("[osirase]\r\ndspFlag=0\r\n")));
        const QString program = folder.filePath(QStringLiteral(u"カシコロ"));
        QCOMPARE(settingsPathFor(program), folder.filePath(QStringLiteral(u"カシコロ.ini")));

        // Once the per-user file was made, the rankings stay in it.
        const QString perUser = perUserPath();
        QVERIFY(QDir().mkpath(QFileInfo(perUser).path()));
        QVERIFY(putBytes(perUser, raw("[osirase]\r\ndspFlag=1\r\n")));
        const QString chosen = settingsPathFor(program);
        QVERIFY(QFile::remove(perUser));
        QCOMPARE(chosen, perUser);
    }

    void startRemovesStaleTemporaryFiles()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral(u"カシコロ.ini"));
        const QString stale = path + QStringLiteral(".writing-Qz8xWv");
        QVERIFY(putBytes(path, raw("[s]\r\nk=1\r\n")));
        QVERIFY(putBytes(stale, raw("[s]\r\nk=0\r\n")));
        {
            QFile file(stale);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        }
        const QString previous = app().SettingsFilePath;
        setSettingsFilePath(path);
        ScriptedDialogs dialogs;
        const bool started = startSettings();
        setSettingsFilePath(previous);
        QVERIFY(started);
        QVERIFY(dialogs.shown.isEmpty());
        QVERIFY(!QFileInfo::exists(stale));
        QCOMPARE(fileBytes(path), raw("[s]\r\nk=1\r\n"));
    }

    void writeFailedMessageNamesTheFile()
    {
        setSettingsFilePath(QStringLiteral(u"/games/カシコロ.ini"));
        // The player reads the path as the system writes it (\games\… on Windows).
        QCOMPARE(writeFailedMessage(QStringLiteral(u"今回の記録は残せなかったぴこ。")),
                 QDir::toNativeSeparators(QStringLiteral(u"/games/カシコロ.ini"))
                     + QStringLiteral(u"に書き込めなかったぴこ。\n今回の記録は残せなかったぴこ。\n"
                                      u"ファイルとフォルダに書き込めるか確かめてほしいぴこ。"));
    }

    void versionAndBrokenFileMessage()
    {
        MakeVersionText();
        QCOMPARE(app().AppTitleText, QStringLiteral(u"カシコロ"));
        QCOMPARE(app().AppVersionText, QStringLiteral("Ver 9.1.0"));
        setSettingsFilePath(QStringLiteral(u"/games/カシコロ.ini"));
        QCOMPARE(app().BrokenIniMessage, QDir::toNativeSeparators(QStringLiteral(u"/games/カシコロ.ini"))
                                             + QStringLiteral(u"は、壊れています。削除して下さい。"));
    }
};

QTEST_GUILESS_MAIN(TestAppState)
#include "tst_appstate.moc"
