// A settings write that has to wait for another writer: the windows keep
// painting and cannot be touched, a notice says what the game waits for, and
// a write that could not be made says why, in the game's own words.

#include "ranking/rankstore.h"
#include "settings/appstate.h"
#include "settings/filelock.h"
#include "settings/settingsfile.h"
#include "support/files.h"
#include "support/lockholder.h"
#include "support/scripted.h"
#include "ui/settingswait.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QString Title = QStringLiteral(u"これは何色？");

} // namespace

class TestSettingsWait : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TempSettings>(); }
    void cleanup() { m_settings.reset(); }

    void noticeOnlyAfterAMoment_data()
    {
        QTest::addColumn<int>("waited");
        QTest::addColumn<bool>("shown");
        QTest::newRow("at first") << 0 << false;
        QTest::newRow("just before") << int(SettingsWaitNotice::ShowAfter.count()) - 1 << false;
        QTest::newRow("from then on") << int(SettingsWaitNotice::ShowAfter.count()) << true;
        QTest::newRow("long after") << 9000 << true;
    }

    void noticeOnlyAfterAMoment()
    {
        QFETCH(int, waited);
        QFETCH(bool, shown);
        SettingsWaitNotice notice;
        notice.pause(std::chrono::milliseconds(1), std::chrono::milliseconds(waited));
        QCOMPARE(notice.window() != nullptr, shown);
        if (shown) {
            QVERIFY(notice.window()->isVisible());
            QCOMPARE(QApplication::activeModalWidget(), notice.window());
            QCOMPARE(notice.window()->windowTitle(), app().AppTitleText);
            QCOMPARE(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor,
                     Qt::WaitCursor);
        }
        notice.over();
        QVERIFY(!notice.window());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!QApplication::overrideCursor());
    }

    // A real window, a real second process holding the lock, a real write.
    void windowsStayAliveWhileAWriteWaits_data()
    {
        QTest::addColumn<int>("holdMs");      // 0: longer than the write waits
        QTest::addColumn<int>("lockWaitMs");
        QTest::addColumn<bool>("written");
        QTest::newRow("the other writer finishes") << 1500 << 20000 << true;
        QTest::newRow("the other writer keeps it") << 0 << 1500 << false;
    }

    void windowsStayAliveWhileAWriteWaits()
    {
        QFETCH(int, holdMs);
        QFETCH(int, lockWaitMs);
        QFETCH(bool, written);

        app().AppTitleText = QStringLiteral(u"カシコロ");
        QWidget game;
        game.setWindowTitle(Title);
        auto *button = new QPushButton(QStringLiteral(u"開　始"), &game);
        button->setObjectName(QStringLiteral("cmdStart"));
        (new QVBoxLayout(&game))->addWidget(button);
        int clicks = 0;
        connect(button, &QPushButton::clicked, this, [&clicks] { ++clicks; });
        game.show();
        QVERIFY(QTest::qWaitForWindowExposed(&game));
        // Clicked as the player clicks: through the window system, which is
        // where a modal window keeps input from the windows under it.
        const auto click = [&game, button] {
            QTest::mouseClick(game.windowHandle(), Qt::LeftButton, {}, button->mapTo(&game, button->rect().center()));
        };
        click();
        QCOMPARE(clicks, 1); // the button takes clicks when nothing waits

        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(HoldLockArgument), m_settings->path() + QStringLiteral(".lock"),
                      QString::number(holdMs)});
        QVERIFY(holder.waitForStarted());
        QVERIFY(holder.waitForReadyRead(30000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

        SettingsWaitNotice notice;
        bool writing = false;
        int ticks = 0;
        QString shownText;
        bool modal = false;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            if (!writing)
                return;
            ++ticks;
            if (notice.window() && shownText.isEmpty()) {
                shownText = notice.window()->findChild<QLabel *>(QStringLiteral("lblWait"))->text();
                modal = QApplication::activeModalWidget() == notice.window() && notice.window()->isVisible();
                click();
                QTest::keyClick(notice.window(), Qt::Key_Escape);
                notice.window()->close();
            }
        });
        ticker.start(20);

        settingsFile().setLockWait(std::chrono::milliseconds(lockWaitMs));
        writing = true;
        const bool done = WriteSetting(Title, QStringLiteral("1"), QStringLiteral(u"12.3　たろう"));
        writing = false;

        QCOMPARE(done, written);
        // The event loop ran all through the wait, the notice stood over the
        // window (neither Esc nor closing took it away early), the click went
        // nowhere.
        QVERIFY(ticks > 0);
        QCOMPARE(shownText, SettingsWaitNotice::text());
        QVERIFY(shownText.contains(QStringLiteral(u"書き込み中")));
        QVERIFY(modal);
        QCOMPARE(clicks, 1);
        // Gone once the write is done or given up.
        QVERIFY(!notice.window());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(settingsFile().lastFailure(),
                 written ? SettingsFile::Failure::None : SettingsFile::Failure::Busy);
        QCOMPARE(ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData")),
                 written ? QStringLiteral(u"12.3　たろう") : QStringLiteral("NoData"));

        holder.kill();
        holder.waitForFinished();
        QCOMPARE(holder.state(), QProcess::NotRunning);
        click();
        QCOMPARE(clicks, 2);
    }

    // What the player is told when a new record cannot be kept.
    void rankInThatCannotBeWrittenSaysWhy_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("asksName");
        QTest::addColumn<QString>("expected"); // %1: the file's path
        QTest::newRow("another writer holds the lock")
            << QStringLiteral("held") << true
            << QStringLiteral(u"%1は、ほかのカシコロか別のプログラムが書き込み中で、書き込めなかったぴこ。\n"
                              u"今回の記録は残せなかったぴこ。\n少し待ってから、もう一度ためしてほしいぴこ。");
        QTest::newRow("no lock can be made") << QStringLiteral("unlockable") << true
                                             << QStringLiteral(u"%1に書き込めなかったぴこ。\n今回の記録は残せなかったぴこ。\n"
                                                               u"ファイルとフォルダに書き込めるか確かめてほしいぴこ。");
        QTest::newRow("a link to itself") << QStringLiteral("loop") << false
                                          << QStringLiteral(u"%1は、壊れています。削除して下さい。");
        QTest::newRow("a link to a link to nothing") << QStringLiteral("dangling") << false
                                                     << QStringLiteral(u"%1は、壊れています。削除して下さい。");
    }

    void rankInThatCannotBeWrittenSaysWhy()
    {
        QFETCH(QString, how);
        QFETCH(bool, asksName);
        QFETCH(QString, expected);
        app().AppTitleText = QStringLiteral(u"カシコロ");
        const QString path = m_settings->path();
        const QString other = m_settings->folder() + QStringLiteral("/a.ini");
        std::unique_ptr<FileLock> held;
        if (how == QStringLiteral("held")) {
            held = FileLock::acquire(path + QStringLiteral(".lock"), QDeadlineTimer(0));
            QVERIFY(held);
        } else if (how == QStringLiteral("unlockable")) {
            QVERIFY(QDir().mkdir(path + QStringLiteral(".lock")));
        } else if (how == QStringLiteral("loop")) {
            SKIP_WITHOUT_SYMBOLIC_LINKS();
            QVERIFY(QFile::link(other, path));
            QVERIFY(QFile::link(path, other));
        } else {
            SKIP_WITHOUT_SYMBOLIC_LINKS();
            QVERIFY(QFile::link(other, path));
            QVERIFY(QFile::link(m_settings->folder() + QStringLiteral("/gone.ini"), other));
        }
        const QStringList before = QDir(m_settings->folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        settingsFile().setLockWait(std::chrono::milliseconds(200));

        ScriptedDialogs dialogs;
        if (asksName)
            dialogs.answerText(QStringLiteral(u"たろう"));
        RankStore store;
        store.RankSection = Title;
        QCOMPARE(store.RankIn(QStringLiteral("12.3")), 0);

        QCOMPARE(dialogs.shown.size(), asksName ? 2 : 1);
        const auto &message = dialogs.shown.constLast();
        QCOMPARE(message.kind, QStringLiteral("message"));
        QCOMPARE(message.caption, QStringLiteral(u"カシコロ"));
        QCOMPARE(message.text, expected.arg(QDir::toNativeSeparators(path)));
        // Nothing written, nothing made, every link still a link.
        QCOMPARE(QDir(m_settings->folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), before);
        if (how == QStringLiteral("loop") || how == QStringLiteral("dangling")) {
            QVERIFY(QFileInfo(path).isSymLink());
            QVERIFY(QFileInfo(other).isSymLink());
        } else {
            QVERIFY(!QFileInfo::exists(path));
        }
    }

private:
    std::unique_ptr<TempSettings> m_settings;
};

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], HoldLockArgument) == 0) {
        QCoreApplication application(argc, argv);
        const QStringList arguments = QCoreApplication::arguments();
        return holdLock(arguments[2], arguments[3].toInt());
    }
    QApplication application(argc, argv);
    TestSettingsWait test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingswait.moc"
