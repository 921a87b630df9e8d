// One copy of the game at a time, and the Qt message boxes that tell the player.

#include "app/instance.h"
#include "support/scripted.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

#include <cstdio>
#include <list>
#include <optional>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char HoldLockArgument[] = "--hold-lock";

// Another copy of the game: this test program run again, holding the lock
// until its standard input closes.
class OtherCopy
{
public:
    explicit OtherCopy(const QString &lockPath, bool asNobody = false)
    {
#ifdef Q_OS_UNIX
        if (asNobody) {
            m_process.setChildProcessModifier([] {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                    ::_exit(100);
            });
        }
#else
        Q_UNUSED(asNobody);
#endif
        m_process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(HoldLockArgument), lockPath});
    }
    ~OtherCopy()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    // Its first line: "holding", or what it told the player.
    QString firstLine()
    {
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    bool quit()
    {
        m_process.closeWriteChannel();
        return m_process.waitForFinished(10000) && m_process.exitCode() == 0;
    }
    // kill -9: no chance to tidy up.
    bool crash()
    {
        m_process.kill();
        return m_process.waitForFinished(10000) && m_process.exitStatus() == QProcess::CrashExit;
    }

private:
    QProcess m_process;
};

class PrintedDialogs final : public Dialogs
{
public:
    void showMessage(const QString &text, const QString &, Icon) override
    {
        std::printf("%s\n", text.toUtf8().constData());
        std::fflush(stdout);
    }
    bool askYesNo(const QString &, const QString &) override { return false; }
    QString askText(const QString &, const QString &, const QString &) override { return QString(); }
};

int holdLockUntilStdinCloses(const QString &lockPath)
{
    PrintedDialogs printed;
    setDialogs(&printed);
    if (!CheckPrevInstance(lockPath))
        return 2;
    std::printf("holding\n");
    std::fflush(stdout);
    while (std::fgetc(stdin) != EOF) {
    }
    releaseInstanceLock();
    return 0;
}

// Runs answer on the modal dialog about to open, once it is up.
void whenModalOpens(std::function<void(QWidget *)> answer, bool *answered)
{
    QTimer::singleShot(0, [answer = std::move(answer), answered] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            answer(modal);
            *answered = true;
        } else {
            whenModalOpens(answer, answered);
        }
    });
}

} // namespace

class TestInstance : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_folder.emplace().isValid()); }
    void cleanup() { releaseInstanceLock(); }

    void lockPathBelongsToOneExecutable();
    void secondCopyIsRefusedUntilTheFirstQuits();
    void lockOfACrashedCopyDoesNotBlock();
    void lockOfAnotherUserDoesNotBlock_data();
    void lockOfAnotherUserDoesNotBlock();
    void lockNeverInASharedFolder_data();
    void lockNeverInASharedFolder();
    void messageBox_data();
    void messageBox();
    void inputBoxGivesEmptyOnCancel_data();
    void inputBoxGivesEmptyOnCancel();

private:
    QString lockPath() const { return m_folder->filePath(QStringLiteral("kashikoro.lock")); }
    std::optional<QTemporaryDir> m_folder;
};

void TestInstance::lockPathBelongsToOneExecutable()
{
    const QString game = QStringLiteral(u"/opt/games/カシコロ");
    QCOMPARE(instanceLockPath(QStringLiteral(u"/opt/games/../games/カシコロ")), instanceLockPath(game));
    QVERIFY(instanceLockPath(QStringLiteral(u"/home/me/カシコロ")) != instanceLockPath(game));
    // Never beside the program, whose folder may be read-only.
    QVERIFY(!instanceLockPath(game).startsWith(QStringLiteral("/opt/games/")));
}

void TestInstance::secondCopyIsRefusedUntilTheFirstQuits()
{
    OtherCopy first(lockPath());
    QCOMPARE(first.firstLine(), QStringLiteral("holding"));

    ScriptedDialogs dialogs;
    QVERIFY(!CheckPrevInstance(lockPath()));
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].text, QStringLiteral(u"既に起動しています。"));
    QCOMPARE(dialogs.shown[0].caption, QStringLiteral(u"カシコロ"));
    QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::Exclamation);

    QVERIFY(first.quit());
    QVERIFY(CheckPrevInstance(lockPath()));
    QCOMPARE(dialogs.shown.size(), 1);
    // Now this process is the running copy.
    OtherCopy third(lockPath());
    QCOMPARE(third.firstLine(), QStringLiteral(u"既に起動しています。"));
}

void TestInstance::lockOfACrashedCopyDoesNotBlock()
{
    OtherCopy first(lockPath());
    QCOMPARE(first.firstLine(), QStringLiteral("holding"));
    QVERIFY(first.crash());
    QVERIFY(QFileInfo::exists(lockPath()));

    ScriptedDialogs dialogs;
    QVERIFY(CheckPrevInstance(lockPath()));
    QVERIFY(dialogs.shown.isEmpty());
}

void TestInstance::lockOfAnotherUserDoesNotBlock_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("another user's running copy") << QStringLiteral("running");
    QTest::newRow("planted, naming a running process") << QStringLiteral("live");
    QTest::newRow("planted, naming a process that is gone") << QStringLiteral("dead");
}

void TestInstance::lockOfAnotherUserDoesNotBlock()
{
#ifdef Q_OS_UNIX
    if (::geteuid() != 0)
        QSKIP("needs a file of another user");
    QFETCH(QString, how);
    // A folder anybody may write, as /tmp is.
    QCOMPARE(::chmod(QFile::encodeName(m_folder->path()).constData(), 01777), 0);
    std::optional<OtherCopy> other;
    if (how == QLatin1String("running")) {
        other.emplace(lockPath(), true);
        QCOMPARE(other->firstLine(), QStringLiteral("holding"));
    } else {
        // What QLockFile writes: process id, application name, host name; the
        // live one names a process that runs under that name (this one).
        const QByteArray pid = how == QLatin1String("live") ? QByteArray::number(QCoreApplication::applicationPid())
                                                            : QByteArray("999999999");
        QFile planted(lockPath());
        QVERIFY(planted.open(QIODevice::WriteOnly));
        planted.write(pid + '\n' + QCoreApplication::applicationName().toUtf8() + '\n'
                      + QSysInfo::machineHostName().toUtf8() + '\n');
        planted.close();
        QCOMPARE(::chown(QFile::encodeName(lockPath()).constData(), 65534, 65534), 0);
    }

    ScriptedDialogs dialogs;
    QVERIFY(CheckPrevInstance(lockPath()));
    QVERIFY(dialogs.shown.isEmpty());
#else
    QSKIP("needs POSIX owners");
#endif
}

void TestInstance::lockNeverInASharedFolder_data()
{
    QTest::addColumn<bool>("folderThere");
    QTest::newRow("lock folder made") << false;
    QTest::newRow("lock folder there, open to others") << true;
}

void TestInstance::lockNeverInASharedFolder()
{
#ifdef Q_OS_UNIX
    QFETCH(bool, folderThere);
    // No usable runtime folder: XDG_RUNTIME_DIR and the fallback in the
    // temporary folder are files, not folders (as if another user had taken
    // the name first).
    const QString home = m_folder->filePath(QStringLiteral("home"));
    const QString temp = m_folder->filePath(QStringLiteral("tmp"));
    QVERIFY(QDir().mkpath(home) && QDir().mkpath(temp));
    const QString runtimeFile = m_folder->filePath(QStringLiteral("runtime"));
    QVERIFY(QFile(runtimeFile).open(QIODevice::WriteOnly));
    const passwd *user = ::getpwuid(::geteuid());
    QVERIFY(user);
    QVERIFY(QFile(temp + QStringLiteral("/runtime-") + QFile::decodeName(user->pw_name)).open(QIODevice::WriteOnly));
    struct Restore
    {
        QByteArray name;
        QByteArray value;
        bool set;
        ~Restore() { set ? qputenv(name.constData(), value) : qunsetenv(name.constData()); }
    };
    std::list<Restore> restore;
    for (const char *name : {"HOME", "TMPDIR", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME"})
        restore.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
    qputenv("HOME", QFile::encodeName(home));
    qputenv("TMPDIR", QFile::encodeName(temp));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFile));
    qunsetenv("XDG_CACHE_HOME");
    QVERIFY(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).isEmpty());

    const QString folder = home + QStringLiteral("/.cache/kashikoro-locks");
    if (folderThere) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
    }
    const QString path = instanceLockPath(QStringLiteral(u"/opt/games/カシコロ"));
    QVERIFY2(path.startsWith(folder + QLatin1Char('/')), qPrintable(path));
    QVERIFY(!path.startsWith(temp));
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(folder).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, mode_t(0700));
    QCOMPARE(info.st_uid, ::geteuid());
    ScriptedDialogs dialogs;
    QVERIFY(CheckPrevInstance(path));
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(dialogs.shown.isEmpty());
#else
    QSKIP("needs POSIX folders");
#endif
}

void TestInstance::messageBox_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("press");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::newRow("message with exclamation") << "exclamation" << "ok" << false << QMessageBox::Warning;
    QTest::newRow("message without icon") << "plain" << "ok" << false << QMessageBox::NoIcon;
    QTest::newRow("yes/no: Enter takes No") << "yesno" << "enter" << false << QMessageBox::NoIcon;
    QTest::newRow("yes/no: Escape") << "yesno" << "escape" << false << QMessageBox::NoIcon;
    QTest::newRow("yes/no: Yes") << "yesno" << "yes" << true << QMessageBox::NoIcon;
}

void TestInstance::messageBox()
{
    QFETCH(QString, kind);
    QFETCH(QString, press);
    QFETCH(bool, yes);
    QFETCH(QMessageBox::Icon, icon);

    QStringList seen;
    QMessageBox::Icon seenIcon = QMessageBox::Critical;
    bool answered = false;
    whenModalOpens(
        [&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            seen = {box->text(), box->windowTitle()};
            seenIcon = box->icon();
            if (press == QLatin1String("enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else if (press == QLatin1String("escape"))
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(press == QLatin1String("yes") ? QMessageBox::Yes : QMessageBox::Ok)->click();
        },
        &answered);
    QtDialogs qt;
    bool answer = false;
    if (kind == QLatin1String("yesno"))
        answer = qt.askYesNo(QStringLiteral(u"消しますか？"), QStringLiteral(u"クリアしちゃうの？"));
    else
        qt.showMessage(QStringLiteral(u"消しますか？"), QStringLiteral(u"クリアしちゃうの？"),
                       kind == QLatin1String("plain") ? Dialogs::Icon::None : Dialogs::Icon::Exclamation);
    QTRY_VERIFY(answered);
    QCOMPARE(answer, yes);
    QCOMPARE(seen, (QStringList{QStringLiteral(u"消しますか？"), QStringLiteral(u"クリアしちゃうの？")}));
    QCOMPARE(seenIcon, icon);
}

void TestInstance::inputBoxGivesEmptyOnCancel_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected");
    QTest::newRow("accepted") << true << QStringLiteral(u"たろう");
    QTest::newRow("cancelled") << false << QString();
}

void TestInstance::inputBoxGivesEmptyOnCancel()
{
    QFETCH(bool, accept);
    QFETCH(QString, expected);

    QStringList seen;
    bool answered = false;
    whenModalOpens(
        [&](QWidget *modal) {
            auto *input = qobject_cast<QInputDialog *>(modal);
            QVERIFY(input);
            seen = {input->labelText(), input->windowTitle(), input->textValue()};
            accept ? input->accept() : input->reject();
        },
        &answered);
    const QString answer = QtDialogs().askText(QStringLiteral(u"名前は？"), QStringLiteral(u"ランクイン"), QStringLiteral(u"たろう"));
    QTRY_VERIFY(answered);
    QCOMPARE(answer, expected);
    QCOMPARE(seen, (QStringList{QStringLiteral(u"名前は？"), QStringLiteral(u"ランクイン"), QStringLiteral(u"たろう")}));
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], HoldLockArgument) == 0) {
        QCoreApplication application(argc, argv);
        return holdLockUntilStdinCloses(QCoreApplication::arguments().at(2));
    }
    QApplication application(argc, argv);
    TestInstance test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_instance.moc"
