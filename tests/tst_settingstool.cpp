// kashikoro-settings, the maintainers' tool, run as a program: what it prints,
// what it leaves in the file, and how it fails.

#include "settings/settingsfile.h"
#include "support/programs.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

struct Result
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

#ifdef Q_OS_UNIX
constexpr uid_t Nobody = 65534;
#endif

// "ぬけはな～に？" in code page 932.
const QByteArray TitleBytes = raw("\x82\xca\x82\xaf\x82\xcd\x82\xc8\x81\x60\x82\xc9\x81\x48");

} // namespace

class TestSettingsTool : public QObject
{
    Q_OBJECT

private:
    QString m_tool;
    QTemporaryDir m_dir;

    Result run(const QStringList &arguments, bool asNobody = false)
    {
        QProcess process;
#ifdef Q_OS_UNIX
        if (asNobody) {
            process.setChildProcessModifier([] {
                if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
                    ::_exit(100);
            });
        }
#else
        Q_UNUSED(asNobody);
#endif
        process.start(m_tool, arguments);
        Result result;
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = process.exitCode();
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_tool = builtProgram(QStringLiteral("kashikoro-settings"));
        if (!QFileInfo(m_tool).isExecutable())
            QFAIL(qPrintable(QStringLiteral("%1 is not built: build the kashikoro-settings target first").arg(m_tool)));
    }

    void setGetDeleteDump()
    {
        const QString path = m_dir.filePath(QStringLiteral(u"カシコロ.ini"));
        const QString title = QStringLiteral(u"ぬけはな～に？");
        const QString line = QStringLiteral(u"9.5　さぶろう        2007/09/08 19:05");

        Result result = run({path, QStringLiteral("set"), title, QStringLiteral("1"), line});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QByteArray());
        const QByteArray lineBytes = raw("9.5\x81\x40\x82\xb3\x82\xd4\x82\xeb\x82\xa4        2007/09/08 19:05");
        QCOMPARE(fileBytes(path), '[' + TitleBytes + "]\r\n1=" + lineBytes + "\r\n");

        result = run({path, QStringLiteral("set"), QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1")});
        QCOMPARE(result.exitCode, 0);

        result = run({path, QStringLiteral("get"), title, QStringLiteral("1"), QStringLiteral("NoData")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, line.toUtf8() + '\n');

        result = run({path, QStringLiteral("get"), title, QStringLiteral("2"), QStringLiteral("NoData")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("NoData\n"));

        result = run({path, QStringLiteral("dump")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, (QStringLiteral(u"[ぬけはな～に？]\r\n1=") + line + QStringLiteral("\r\n[osirase]\r\ndspFlag=1\r\n")).toUtf8());

        result = run({path, QStringLiteral("delete"), title});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(fileBytes(path), raw("[osirase]\r\ndspFlag=1\r\n"));
        result = run({path, QStringLiteral("get"), title, QStringLiteral("1"), QStringLiteral("NoData")});
        QCOMPARE(result.out, QByteArray("NoData\n"));
    }

    void getFromMissingFileGivesDefault()
    {
        const QString path = m_dir.filePath(QStringLiteral("never.ini"));
        const Result result = run({path, QStringLiteral("get"), QStringLiteral("osirase"), QStringLiteral("ver"), QStringLiteral(u"Ver 9.1.0")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("Ver 9.1.0\n"));
        QVERIFY(!QFileInfo::exists(path));
    }

    void dumpsLegacySample()
    {
        const QString source = qEnvironmentVariable("KASHIKORO_SOURCE_DIR");
        const QString sample = source + QStringLiteral("/../shared/samples/legacy-settings.ini");
        if (source.isEmpty() || !QFileInfo(sample).isFile())
            QSKIP("the legacy settings sample is not beside the source tree");
        const QByteArray before = fileBytes(sample);

        const Result result = run({sample, QStringLiteral("dump")});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.startsWith(QByteArray("[osirase]\r\nver=Ver 9.0.0\r\ndspFlag=1\r\n")));
        QVERIFY(result.out.contains(QStringLiteral(u"[ながいのど～れ？]\r\n1=62.1　はなこ\r\n2=70.4　じろう\r\n").toUtf8()));
        QVERIFY(result.out.contains(QStringLiteral(u"4=48.9　ﾊﾅｺ             2007/09/07 07:30\r\n").toUtf8()));
        QCOMPARE(result.out.count('\n'), before.count('\n'));
        QCOMPARE(fileBytes(sample), before);
    }

    void deleteFromAMissingFileSucceeds()
    {
        // There is nothing to delete: no error, and no file made.
        const QString path = m_dir.filePath(QStringLiteral("gone.ini"));
        const Result result = run({path, QStringLiteral("delete"), QStringLiteral(u"これは何色？")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.out, QByteArray());
        QVERIFY(!QFileInfo::exists(path));
    }

    void keepsOwnerAndMode()
    {
#ifdef Q_OS_UNIX
        // Run with sudo on the player's file, the tool leaves it the player's.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral(u"カシコロ.ini"));
        QVERIFY(putBytes(path, raw("[osirase]\r\ndspFlag=0\r\n")));
        const QByteArray native = QFile::encodeName(path);
        const bool root = ::geteuid() == 0;
        const uid_t owner = root ? Nobody : ::geteuid();
        const gid_t group = root ? Nobody : ::getegid();
        QCOMPARE(::chown(native.constData(), owner, group), 0);
        QCOMPARE(::chmod(native.constData(), 0640), 0);

        for (const QStringList &command : {QStringList{QStringLiteral("set"), QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1")},
                                           QStringList{QStringLiteral("set"), QStringLiteral(u"これは何色？"), QStringLiteral("1"), QStringLiteral(u"9.5　ぴこ")},
                                           QStringList{QStringLiteral("delete"), QStringLiteral(u"これは何色？")}}) {
            const Result result = run(QStringList{path} + command);
            QCOMPARE(result.exitCode, 0);
            QCOMPARE(result.err, QByteArray());
            struct stat after;
            QCOMPARE(::stat(native.constData(), &after), 0);
            QCOMPARE(after.st_uid, owner);
            QCOMPARE(after.st_gid, group);
            QCOMPARE(after.st_mode & 07777, mode_t(0640));
        }
        QCOMPARE(fileBytes(path), raw("[osirase]\r\ndspFlag=1\r\n"));
#else
        QSKIP("needs POSIX owners");
#endif
    }

    void saysWhenItCannotKeepTheOwner()
    {
#ifdef Q_OS_UNIX
        if (::geteuid() != 0)
            QSKIP("needs to run the tool as another user");
        // Someone else's file that anybody may write, in a folder anybody may write.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
        const QString path = dir.filePath(QStringLiteral(u"カシコロ.ini"));
        QVERIFY(putBytes(path, raw("[osirase]\r\ndspFlag=0\r\n")));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0666), 0);

        const Result result = run({path, QStringLiteral("set"), QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1")},
                                  true);
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.err.contains("warning") && result.err.contains("could not keep owner 0, group 0, mode 0666"),
                 result.err.constData());
        QCOMPARE(fileBytes(path), raw("[osirase]\r\ndspFlag=1\r\n"));
#else
        QSKIP("needs POSIX owners");
#endif
    }

    void twoToolsInALoopLoseNothing()
    {
        const QString path = m_dir.filePath(QStringLiteral("loop.ini"));
        constexpr int Count = 40;
        const QString prefixes[2] = {QStringLiteral("a"), QStringLiteral("b")};
        // Two players' tools, each setting its own keys one run after another,
        // both at once.
        std::atomic<int> failed = 0;
        std::vector<std::thread> loops;
        for (const QString &prefix : prefixes) {
            loops.emplace_back([&, prefix] {
                for (int i = 0; i < Count; ++i) {
                    const QStringList arguments = {path, QStringLiteral("set"), QStringLiteral("s"),
                                                   prefix + QString::number(i), QString::number(i)};
                    if (QProcess::execute(m_tool, arguments) != 0)
                        ++failed;
                }
            });
        }
        for (std::thread &loop : loops)
            loop.join();
        QCOMPARE(failed.load(), 0);
        const SettingsFile file(path);
        int lost = 0;
        for (const QString &prefix : prefixes) {
            for (int i = 0; i < Count; ++i)
                lost += file.read(u"s", prefix + QString::number(i), u"lost") != QString::number(i);
        }
        QCOMPARE(lost, 0);
    }

    void fails_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "%dir" is the test's folder
        QTest::addColumn<QString>("message");        // part of what stderr says

        const QString usage = QStringLiteral("usage:");
        const QString file = QStringLiteral("%dir/settings.ini");
        QTest::newRow("no arguments") << QStringList() << usage;
        QTest::newRow("file only") << QStringList{file} << usage;
        QTest::newRow("unknown command") << QStringList{file, QStringLiteral("list")} << usage;
        QTest::newRow("get without default")
            << QStringList{file, QStringLiteral("get"), QStringLiteral("osirase"), QStringLiteral("ver")} << usage;
        QTest::newRow("set with too many")
            << QStringList{file, QStringLiteral("set"), QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v"), QStringLiteral("w")} << usage;
        QTest::newRow("dump with a section") << QStringList{file, QStringLiteral("dump"), QStringLiteral("s")} << usage;
        QTest::newRow("set into a missing folder")
            << QStringList{QStringLiteral("%dir/gone/settings.ini"), QStringLiteral("set"), QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")}
            << QStringLiteral("cannot write");
        QTest::newRow("set into a folder")
            << QStringList{QStringLiteral("%dir/folder"), QStringLiteral("set"), QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")}
            << QStringLiteral("cannot read");
        QTest::newRow("dump of a missing file") << QStringList{QStringLiteral("%dir/gone.ini"), QStringLiteral("dump")}
                                                << QStringLiteral("no such file");
        QTest::newRow("dump of a folder") << QStringList{QStringLiteral("%dir/folder"), QStringLiteral("dump")}
                                          << QStringLiteral("cannot read");
        QTest::newRow("get from a folder")
            << QStringList{QStringLiteral("%dir/folder"), QStringLiteral("get"), QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("d")}
            << QStringLiteral("cannot read");
        QTest::newRow("value that would add lines")
            << QStringList{file, QStringLiteral("set"), QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1\r\n[x]\r\ny=2")}
            << QStringLiteral("cannot be stored");
        QTest::newRow("section with ']'")
            << QStringList{file, QStringLiteral("set"), QStringLiteral("a]b"), QStringLiteral("k"), QStringLiteral("v")}
            << QStringLiteral("cannot be stored");
        QTest::newRow("value outside the code page")
            << QStringList{file, QStringLiteral("set"), QStringLiteral("s"), QStringLiteral("k"), QStringLiteral(u"𠮷")}
            << QStringLiteral("cannot be stored");
    }

    void fails()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const QByteArray before = raw("[osirase]\r\ndspFlag=0\r\n");
        const QString file = dir.filePath(QStringLiteral("settings.ini"));
        QVERIFY(putBytes(file, before));
        for (QString &argument : arguments)
            argument.replace(QStringLiteral("%dir"), dir.path());

        const Result result = run(arguments);
        QVERIFY(result.exitCode > 0);
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(fileBytes(file), before);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{QStringLiteral("folder"), QStringLiteral("settings.ini")}));
    }
};

QTEST_GUILESS_MAIN(TestSettingsTool)
#include "tst_settingstool.moc"
