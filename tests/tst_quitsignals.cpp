// The real game ended by a signal, as a logout or Ctrl+C ends it: it quits as
// it quits itself, its history of runs closed with nothing left beside it.

#include "support/programs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

class TestQuitSignals : public QObject
{
    Q_OBJECT

private slots:
    void quitsCleanly_data();
    void quitsCleanly();
};

void TestQuitSignals::quitsCleanly_data()
{
#ifdef Q_OS_UNIX
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM (a logout)") << int(SIGTERM);
    QTest::newRow("SIGINT (Ctrl+C)") << int(SIGINT);
    QTest::newRow("SIGHUP (its terminal closed)") << int(SIGHUP);
#endif
}

void TestQuitSignals::quitsCleanly()
{
#ifndef Q_OS_UNIX
    QSKIP("Windows ends a program by closing its windows, not with these signals; the menu handles its close as ever");
#else
    QFETCH(int, signalNumber);
    const QString game = builtProgram(QStringLiteral(u"カシコロ"));
    QVERIFY(QFileInfo::exists(game));

    // The player's own folders, all in one temporary place. The per-user
    // settings file, once it exists, is the one the game uses; its history
    // lies beside it.
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString dataFolder = home.filePath(QStringLiteral(u"data/カシコロ"));
    QVERIFY(QDir().mkpath(dataFolder));
    QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("runtime"))));
    QVERIFY(QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const QString settings = dataFolder + QStringLiteral(u"/カシコロ.ini");
    {
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString history = dataFolder + QStringLiteral(u"/カシコロ-history.sqlite");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(game, {});
    QVERIFY(process.waitForStarted(10000));

    // Open: the file is made and its write-ahead log is in use.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(history + QStringLiteral("-wal")), 30000);
    QCOMPARE(process.state(), QProcess::Running);

    QCOMPARE(::kill(pid_t(process.processId()), signalNumber), 0);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    QVERIFY(QFileInfo(history).size() > 0);
    QVERIFY(!QFileInfo::exists(history + QStringLiteral("-wal")));
    QVERIFY(!QFileInfo::exists(history + QStringLiteral("-shm")));
#endif
}

QTEST_GUILESS_MAIN(TestQuitSignals)
#include "tst_quitsignals.moc"
