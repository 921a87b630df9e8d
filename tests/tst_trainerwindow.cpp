// The window every exercise shares, tested once on a stand-in exercise: what
// it shows of a run (the counter, the mark, the stopwatch, Start and Stop),
// the ranking and close buttons, and what Escape and Enter do.

#include "ranking/frmrank.h"
#include "support/trainerfixture.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFrame>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QWindow>
#include <QtTest>

namespace {

// The stand-in takes the ranking and caption of exercise 1; the frame does
// not care which exercise it runs.
constexpr int StandInNumber = 1;
const QString Title = QStringLiteral(u"これは何色？");
const QString OwnLine = QStringLiteral(u"●正しい方のボタンをおすんだぴこ。");

// A minimal exercise: each question draws one value; one button is right,
// the other wrong. It writes down when the frame calls it and what the frame
// showed at that moment.
class StandIn final : public TrainerWindow
{
public:
    explicit StandIn(QWidget *parent = nullptr) : TrainerWindow(StandInNumber, parent)
    {
        setInstructionLines({OwnLine});
        fraAns = Controls::frame(this, QStringLiteral("fraAns"), Twips::rect(120, 3600, 6015, 495));
        auto *right = Controls::button(fraAns, QStringLiteral("cmdRight"), QStringLiteral(u"○"), Twips::rect(0, 0, 975, 495));
        auto *wrong = Controls::button(fraAns, QStringLiteral("cmdWrong"), QStringLiteral(u"×"), Twips::rect(1200, 0, 975, 495));
        connect(right, &QPushButton::clicked, this, [this] { answer(true); });
        connect(wrong, &QPushButton::clicked, this, [this] { answer(false); });
        setAnswerArea(fraAns);
    }

    // An answer that reaches the frame however the answer area stands.
    void answerNow(bool correct) { answer(correct); }

    QStringList calls;
    // What has been drawn since the test last emptied it.
    QRegion painted;

    void note(const QString &call)
    {
        calls.append(QStringLiteral("%1 (%2, %3, %4)")
                         .arg(call, isRunning() ? QStringLiteral("running") : QStringLiteral("idle"))
                         .arg(ElapsedTenths())
                         .arg(QuestionsLeft()));
    }

protected:
    void NextQuestion() override
    {
        random().next();
        note(QStringLiteral("question"));
    }
    void prepareRun() override { note(QStringLiteral("prepareRun")); }
    void showStopped() override { note(QStringLiteral("showStopped")); }
    void showFinished() override { note(QStringLiteral("showFinished")); }
    void paintEvent(QPaintEvent *event) override
    {
        painted += event->region();
        TrainerWindow::paintEvent(event);
    }

private:
    QFrame *fraAns = nullptr;
};

// Hands out the fixture's scripted values and writes down every re-seed in
// the stand-in's calls.
class NotedRandom final : public RandomSource
{
public:
    NotedRandom(RandomSource &source, StandIn &window) : m_source(source), m_window(window) {}
    float next() override { return m_source.next(); }
    void reseed() override
    {
        m_source.reseed();
        m_window.note(QStringLiteral("reseed"));
    }

private:
    RandomSource &m_source;
    StandIn &m_window;
};

const QString Right = QStringLiteral(u"○");
const QString Wrong = QStringLiteral(u"×");

} // namespace

class TestTrainerWindow : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<StandIn> fx;
    std::unique_ptr<NotedRandom> noted;

    StandIn &window() { return *fx.window; }
    QPushButton *rightButton() { return fx.button("cmdRight"); }
    QPushButton *wrongButton() { return fx.button("cmdWrong"); }
    QString counter() { return fx.text("lblProbCnt"); }
    QString timer() { return fx.text("lblTimer"); }
    QString mark() { return fx.text("lblResult"); }

    // Enough values for every question the test poses.
    void startWithValues(int questions)
    {
        for (int i = 0; i < questions; ++i)
            fx.random.push(0.5f);
        fx.clickStart();
    }
    // Answers one question after ticks tenths: wrong when asked, else right.
    void answerAfter(int ticks, bool right = true)
    {
        fx.ticks(ticks);
        fx.click(right ? rightButton() : wrongButton());
    }

private slots:
    void init()
    {
        QVERIFY(fx.openOwn(StandInNumber));
        noted = std::make_unique<NotedRandom>(fx.random, window());
        window().useRandomSource(*noted);
        fx.stampRankingsAt(QDateTime(QDate(2026, 3, 4), QTime(5, 6)));
    }
    void cleanup()
    {
        fx.close();
        noted.reset();
    }

    void opensIdleWithTheCommonControls()
    {
        QCOMPARE(window().windowTitle(), Title);
        QCOMPARE(window().objectName(), QStringLiteral("frmTrainer1"));
        QCOMPARE(window().size(), Twips::size(8025, 5745));
        QCOMPARE(fx.instructionLines(),
                 QStringList({OwnLine, QStringLiteral(u"●全部で５０問あるんだぴこ。"),
                              QStringLiteral(u"●クリアした時間が早い方が良いんだぴこ。"),
                              QStringLiteral(u"●間違えると５秒加算されるんだぴこ。"),
                              QStringLiteral(u"●開始ボタンで始めるんだぴこ。")}));
        const struct
        {
            const char *name;
            QString caption;
            QRect place;
        } common[] = {
            {"lblExp", QString(), Twips::rect(240, 120, 5895, 1335)},
            {"lblResult", QStringLiteral(u"○"), Twips::rect(2040, 1560, 345, 315)},
            {"lblProbCnt", QStringLiteral(u"あと　50問"), Twips::rect(2520, 1560, 1935, 375)},
            {"cmdRank", QStringLiteral(u"順　位"), Twips::rect(6360, 240, 1455, 495)},
            {"cmdStart", QStringLiteral(u"開　始"), Twips::rect(6360, 1200, 1455, 735)},
            {"Label1", QStringLiteral(u"経過時間"), Twips::rect(6480, 2160, 1095, 255)},
            {"lblTimer", QStringLiteral("0.0"), Twips::rect(6360, 2520, 1095, 255)},
            {"Label2", QStringLiteral(u"秒"), Twips::rect(7560, 2520, 240, 240)},
            {"cmdEnd", QStringLiteral(u"終　了"), Twips::rect(6360, 5040, 1455, 495)},
        };
        for (const auto &control : common) {
            auto *widget = fx.control<QWidget>(QString::fromLatin1(control.name));
            QCOMPARE(widget->geometry(), control.place);
            if (control.caption.isNull())
                continue;
            if (auto *label = qobject_cast<QLabel *>(widget))
                QCOMPARE(label->text(), control.caption);
            else
                QCOMPARE(qobject_cast<QPushButton *>(widget)->text(), control.caption);
        }
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(fx.control<QTimer>(QStringLiteral("timCount"))->interval(), 100);
        QVERIFY(window().calls.isEmpty());
    }

    // How the run's rules themselves go (counting, penalties, the rank-in) is
    // the session's, tested on its own; here is what the window shows of them.
    void startPreparesThenPosesTheFirstQuestion()
    {
        startWithValues(1);
        // Re-seeded first; the exercise prepares while the stopwatch still
        // holds the last run's time; the question comes at elapsed 0.
        QCOMPARE(window().calls, QStringList({QStringLiteral("reseed (idle, 0, 50)"),
                                              QStringLiteral("prepareRun (running, 0, 50)"),
                                              QStringLiteral("question (running, 0, 50)")}));
        QVERIFY(fx.showsRunning("fraAns"));
        QCOMPARE(counter(), QStringLiteral(u"あと　50問"));
    }

    void showsEveryQuestionThenTheWholeTime()
    {
        fx.dialogs->answerText(QStringLiteral(u"ぴこ"));
        startWithValues(50);
        for (int question = 50; question >= 2; --question) {
            QCOMPARE(counter(), QStringLiteral(u"あと　%1問").arg(question));
            answerAfter(2);
            QCOMPARE(mark(), Right);
        }
        // The last one wrong: its mark shows, the counter stays at 1, and the
        // time shown is the whole run's, the last penalty included.
        QCOMPARE(counter(), QStringLiteral(u"あと　1問"));
        answerAfter(2, false);
        QCOMPARE(mark(), Wrong);
        QCOMPARE(counter(), QStringLiteral(u"あと　1問"));
        QCOMPARE(window().calls.filter(QStringLiteral("question")).size(), 50);
        // The exercise's end display comes first, while the run still stands.
        QCOMPARE(window().calls.last(), QStringLiteral("showFinished (running, 150, 1)"));
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(timer(), QStringLiteral("15.0"));
        QCOMPARE(fx.dialogs->shown.size(), 1);
        // The timer has stopped with the run.
        fx.tick();
        QCOMPARE(timer(), QStringLiteral("15.0"));
    }

    void stopwatchShowsTenthsAtEachTick()
    {
        startWithValues(3);
        // The last run's time stays until the first tick.
        QCOMPARE(timer(), QStringLiteral("0.0"));
        fx.tick();
        QCOMPARE(timer(), QStringLiteral("0.1"));
        fx.ticks(122);
        QCOMPARE(timer(), QStringLiteral("12.3"));
    }

    void penaltyShowsAtTheNextTick()
    {
        startWithValues(3);
        answerAfter(3, false);
        QCOMPARE(mark(), Wrong);
        QCOMPARE(timer(), QStringLiteral("0.3"));
        fx.tick();
        QCOMPARE(timer(), QStringLiteral("5.4"));

        answerAfter(1, true);
        QCOMPARE(mark(), Right);
        QCOMPARE(counter(), QStringLiteral(u"あと　48問"));
    }

    void stopKeepsTheDisplay()
    {
        startWithValues(3);
        answerAfter(2, false);
        answerAfter(2, true);
        fx.tick();
        fx.clickStart();

        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(window().calls.last(), QStringLiteral("showStopped (idle, 55, 48)"));
        QCOMPARE(timer(), QStringLiteral("5.5"));
        QCOMPARE(counter(), QStringLiteral(u"あと　48問"));
        QCOMPARE(mark(), Right);
        QVERIFY(fx.dialogs->shown.isEmpty());
        fx.tick();
        QCOMPARE(timer(), QStringLiteral("5.5"));

        // Start again: fifty questions, and the old time and mark show until
        // the first tick and the first answer.
        startWithValues(1);
        QCOMPARE(counter(), QStringLiteral(u"あと　50問"));
        QCOMPARE(timer(), QStringLiteral("5.5"));
        QCOMPARE(mark(), Right);
        QVERIFY(fx.showsRunning("fraAns"));
    }

    void rankingButtonOpensTheRankingOverTheWindow()
    {
        WriteSetting(Title, QStringLiteral("1"), QStringLiteral(u"12.3　たろう          2026/01/02 03:04"));
        fx.ranking.LoadRanking();

        // During a run the button does nothing.
        startWithValues(1);
        QVERIFY(!fx.button("cmdRank")->isEnabled());
        fx.click(fx.button("cmdRank"));
        QVERIFY(!QApplication::activeModalWidget());
        fx.clickStart();

        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        QTRY_VERIFY(!window().painted.isEmpty());
        QApplication::processEvents();
        window().painted = QRegion();
        bool modal = false;
        QString heading, rows;
        QTimer::singleShot(0, &window(), [&] {
            auto *screen = qobject_cast<frmRank *>(QApplication::activeModalWidget());
            if (!screen)
                return;
            modal = screen->isModal() && screen->parentWidget() == &window();
            heading = screen->findChild<QLabel *>(QStringLiteral("lblRankTitle"))->text();
            rows = screen->findChild<QPlainTextEdit *>(QStringLiteral("txtRank"))->toPlainText();
            QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
        });
        fx.click(fx.button("cmdRank"));

        QVERIFY(modal);
        QCOMPARE(heading, Title);
        QCOMPARE(rows, QStringLiteral(u"  1位　  12.3秒　たろう          　2026/01/02 03:04"));
        QVERIFY(!QApplication::activeModalWidget());
        // The whole window draws itself again once the ranking has gone.
        QTRY_VERIFY((QRegion(window().rect()) - window().painted).isEmpty());
    }

    void escapeClosesOnlyAnIdleWindow()
    {
        startWithValues(2);
        QTest::keyClick(&window(), Qt::Key_Escape);
        QVERIFY(window().isVisible());
        QVERIFY(fx.showsRunning("fraAns"));
        answerAfter(1);
        QCOMPARE(counter(), QStringLiteral(u"あと　49問"));

        fx.clickStart();
        QTest::keyClick(&window(), Qt::Key_Escape);
        QVERIFY(!window().isVisible());
        QCOMPARE(window().result(), int(QDialog::Rejected));
        QVERIFY(fx.dialogs->shown.isEmpty());
    }

    void enterPressesTheFocusedButton()
    {
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        fx.random.push(0.5f);
        fx.random.push(0.5f);
        fx.button("cmdStart")->setFocus();
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
        QVERIFY(fx.showsRunning("fraAns"));

        // Enter on an answer answers; it never presses Start from elsewhere.
        wrongButton()->setFocus();
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
        QCOMPARE(mark(), Wrong);
        QCOMPARE(counter(), QStringLiteral(u"あと　49問"));
        QVERIFY(fx.showsRunning("fraAns"));
    }

    void closingMidRunRecordsNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("終　了") << false;
        QTest::newRow("the window's close box") << true;
    }
    void closingMidRunRecordsNothing()
    {
        QFETCH(bool, closeBox);
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        startWithValues(2);
        answerAfter(4, false);
        QVERIFY(fx.button("cmdEnd")->isEnabled());
        if (closeBox)
            window().windowHandle()->close();
        else
            fx.click(fx.button("cmdEnd"));

        QVERIFY(!window().isVisible());
        QVERIFY(fx.dialogs->shown.isEmpty());
        QCOMPARE(fx.firstRankingLine(), QStringLiteral("NoData"));
        QVERIFY(!QFile::exists(fx.settings->path()));
    }
};

QTEST_MAIN(TestTrainerWindow)
#include "tst_trainerwindow.moc"
