// One copy of the game at a time, and the Qt message boxes that tell the player.

#include "app/instance.h"
#include "support/scripted.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

#include <cstdio>

namespace {

const char HoldLockArgument[] = "--hold-lock";

// Another copy of the game: this test program run again, holding the lock
// until its standard input closes.
class OtherCopy
{
public:
    explicit OtherCopy(const QString &lockPath)
    {
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
        return holdLockUntilStdinCloses(QString::fromLocal8Bit(argv[2]));
    }
    QApplication application(argc, argv);
    TestInstance test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_instance.moc"
