// The run every exercise shares, on its session alone and without a screen:
// Start and Stop, the questions-left count, the stopwatch and the penalty,
// the last answer, the answer times, re-seeding, and the end of a run with
// its rank-in. What the window shows of it is tested with the window.

#include "ranking/rankstore.h"
#include "run/runsession.h"
#include "settings/appstate.h"
#include "support/scripted.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QString Section = QStringLiteral(u"これは何色？");
const QString Stamp = QStringLiteral(u"2026/03/04 05:06");

// Everything a session tells, in order, as one line each, with the run's
// state at that moment.
class Log : public QObject
{
public:
    explicit Log(RunSession &session) : m_session(session)
    {
        connect(&session, &RunSession::starting, this, [this] { note(QStringLiteral("starting")); });
        connect(&session, &RunSession::started, this,
                [this](int number) { note(QStringLiteral("started %1").arg(number)); });
        connect(&session, &RunSession::questionDue, this,
                [this](int left) { note(QStringLiteral("question %1").arg(left)); });
        connect(&session, &RunSession::answered, this, [this](bool correct, qint64 ms) {
            note(QStringLiteral("answered %1 %2").arg(correct ? QStringLiteral("right") : QStringLiteral("wrong")).arg(ms));
        });
        connect(&session, &RunSession::finishing, this, [this] { note(QStringLiteral("finishing")); });
        connect(&session, &RunSession::ended, this, [this](const QString &time, bool best) {
            note(QStringLiteral("ended %1%2").arg(time, best ? QStringLiteral(" best") : QString()));
        });
        connect(&session, &RunSession::finished, this, [this](const QString &time, int place) {
            note(QStringLiteral("finished %1 place %2").arg(time).arg(place));
        });
        connect(&session, &RunSession::stopped, this, [this] { note(QStringLiteral("stopped")); });
    }

    void note(const QString &what)
    {
        lines.append(QStringLiteral("%1 (%2, %3, %4)")
                         .arg(what, m_session.isRunning() ? QStringLiteral("running") : QStringLiteral("idle"))
                         .arg(m_session.ElapsedTenths())
                         .arg(m_session.QuestionsLeft()));
    }
    QStringList take()
    {
        const QStringList taken = lines;
        lines.clear();
        return taken;
    }

    QStringList lines;

private:
    RunSession &m_session;
};

// Writes every re-seed into the log as well.
class NotedRandom final : public RandomSource
{
public:
    explicit NotedRandom(Log &log) : m_log(log) {}
    float next() override { return 0.5f; }
    void reseed() override
    {
        ++reseeds;
        m_log.note(QStringLiteral("reseed"));
    }
    int reseeds = 0;

private:
    Log &m_log;
};

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempSettings> settings;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<RankStore> ranking;
    std::unique_ptr<RunSession> session;
    std::unique_ptr<Log> log;
    std::unique_ptr<NotedRandom> random;
    FakeClock clock;

    // A tenth of a second later, one tick of the stopwatch.
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            clock.advance(100);
            session->tick();
        }
    }
    void answerAfter(int ticks, bool right = true)
    {
        tick(ticks);
        session->answer(right);
    }
    QString firstRankingLine() const
    {
        return ReadSetting(Section, QStringLiteral("1"), QStringLiteral("NoData"));
    }

private slots:
    void init()
    {
        settings = std::make_unique<TempSettings>();
        dialogs = std::make_unique<ScriptedDialogs>();
        ranking = std::make_unique<RankStore>();
        ranking->RankSection = Section;
        ranking->RankTitle = Section;
        ranking->now = [] { return QDateTime(QDate(2026, 3, 4), QTime(5, 6)); };
        ranking->LoadRanking();
        clock = FakeClock();
        session = std::make_unique<RunSession>(1);
        log = std::make_unique<Log>(*session);
        random = std::make_unique<NotedRandom>(*log);
        session->useRandomSource(*random);
        session->useClock(clock);
        session->useRanking(ranking.get());
    }
    void cleanup()
    {
        session.reset();
        log.reset();
        random.reset();
        ranking.reset();
        dialogs.reset();
        settings.reset();
    }

    void idleAtFirst()
    {
        QVERIFY(!session->isRunning());
        QCOMPARE(session->QuestionsLeft(), 50);
        QCOMPARE(session->timeText(), QStringLiteral("0.0"));
        QCOMPARE(session->exerciseNumber(), 1);
        // Idle, an answer, a stop or an end changes nothing and tells nothing.
        session->answer(false);
        session->stop();
        session->FinishRun();
        QCOMPARE(session->ElapsedTenths(), 0.0);
        QVERIFY(log->lines.isEmpty());
    }

    void startReseedsThenAsksForTheFirstQuestion()
    {
        session->start();
        // Re-seeded while idle; the exercise prepares while the stopwatch
        // still holds the last run's time; the question comes at elapsed 0.
        QCOMPARE(log->take(), QStringList({QStringLiteral("reseed (idle, 0, 50)"), QStringLiteral("starting (running, 0, 50)"),
                                           QStringLiteral("started 1 (running, 0, 50)"),
                                           QStringLiteral("question 50 (running, 0, 50)")}));
        QCOMPARE(random->reseeds, 1);
    }

    void countsDownFiftyQuestionsAndRanksIn()
    {
        dialogs->answerText(QStringLiteral(u"ぴこ"));
        session->start();
        log->take();
        for (int question = 50; question >= 1; --question) {
            QCOMPARE(session->QuestionsLeft(), question);
            QVERIFY(dialogs->shown.isEmpty());
            answerAfter(3);
        }
        const QStringList told = log->take();
        // Fifty answers, forty-nine further questions, no fifty-first.
        QCOMPARE(told.filter(QStringLiteral("answered right 300")).size(), 50);
        QCOMPARE(told.filter(QStringLiteral("question")).size(), 49);
        QCOMPARE(told.filter(QStringLiteral("question")).last(), QStringLiteral("question 1 (running, 147, 1)"));
        // The end display comes first, while the run still stands; the
        // rank-in's place is told last.
        QCOMPARE(told.mid(told.size() - 3),
                 QStringList({QStringLiteral("finishing (running, 150, 1)"), QStringLiteral("ended 15.0 best (idle, 150, 1)"),
                              QStringLiteral("finished 15.0 place 1 (idle, 150, 1)")}));

        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("text"));
        QCOMPARE(dialogs->shown[0].caption, QStringLiteral(u"おめでとうだぴこ。　1位だぴこ。"));
        const SettingsFile file(settings->path());
        QCOMPARE(file.read(Section, QStringLiteral("1"), QStringLiteral("NoData")),
                 QStringLiteral(u"15.0　ぴこ            ") + Stamp);

        // Idle: an answer that still comes in changes nothing.
        session->answer(false);
        QCOMPARE(session->ElapsedTenths(), 150.0);
        QVERIFY(log->lines.isEmpty());
    }

    void stopwatchCountsTenthsAtEachTick()
    {
        QSignalSpy ticked(session.get(), &RunSession::ticked);
        session->start();
        tick();
        tick(122);
        QCOMPARE(ticked.size(), 123);
        QCOMPARE(ticked.first().at(0).toString(), QStringLiteral("0.1"));
        QCOMPARE(ticked.last().at(0).toString(), QStringLiteral("12.3"));
        // Stopped, the stopwatch stands still.
        session->stop();
        tick();
        QCOMPARE(session->timeText(), QStringLiteral("12.3"));
        QCOMPARE(ticked.size(), 123);
    }

    void penaltyIsFiveSecondsAWrongAnswer_data()
    {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<double>("tenths");
        QTest::newRow("right") << QList<bool>{true} << 3.0;
        QTest::newRow("wrong") << QList<bool>{false} << 53.0;
        QTest::newRow("wrong, right, wrong") << QList<bool>{false, true, false} << 109.0;
    }
    void penaltyIsFiveSecondsAWrongAnswer()
    {
        QFETCH(QList<bool>, answers);
        QFETCH(double, tenths);
        session->start();
        for (bool right : answers)
            answerAfter(3, right);
        QCOMPARE(session->ElapsedTenths(), tenths);
        QCOMPARE(session->QuestionsLeft(), 50 - int(answers.size()));
    }

    void wrongLastAnswerCountsInTheRankedTime()
    {
        dialogs->answerText(QStringLiteral(u"ぴこ"));
        session->start();
        for (int question = 1; question <= 49; ++question)
            answerAfter(2);
        answerAfter(2, false);
        // 100 ticks and the last penalty: the time told and ranked is the whole run.
        QVERIFY(log->lines.contains(QStringLiteral("ended 15.0 best (idle, 150, 1)")));
        QCOMPARE(firstRankingLine(), QStringLiteral(u"15.0　ぴこ            ") + Stamp);
        // Over: a late tick changes nothing.
        tick();
        QCOMPARE(session->timeText(), QStringLiteral("15.0"));
    }

    void answerTimesRunFromTheStartAndThePreviousAnswer()
    {
        session->start();
        log->take();
        answerAfter(7);
        clock.advance(1234);
        session->answer(false);
        answerAfter(0);
        QCOMPARE(log->take().filter(QStringLiteral("answered")),
                 QStringList({QStringLiteral("answered right 700 (running, 7, 50)"),
                              QStringLiteral("answered wrong 1234 (running, 57, 49)"),
                              QStringLiteral("answered right 0 (running, 57, 48)")}));
    }

    void stopRecordsNothingAndStartBeginsAfresh()
    {
        session->start();
        answerAfter(2, false);
        answerAfter(2, true);
        tick();
        log->take();
        session->stop();
        QCOMPARE(log->take(), QStringList(QStringLiteral("stopped (idle, 55, 48)")));
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(firstRankingLine(), QStringLiteral("NoData"));

        // Start again: a new seed, fifty questions, elapsed 0 once the
        // exercise has prepared; answer times count from the new start.
        dialogs->answerText(QStringLiteral(u"ぴこ"));
        clock.advance(5000);
        session->start();
        QCOMPARE(log->take(), QStringList({QStringLiteral("reseed (idle, 55, 48)"), QStringLiteral("starting (running, 55, 50)"),
                                           QStringLiteral("started 1 (running, 0, 50)"),
                                           QStringLiteral("question 50 (running, 0, 50)")}));
        QCOMPARE(random->reseeds, 2);
        answerAfter(1);
        QVERIFY(log->lines.first().startsWith(QStringLiteral("answered right 100 ")));
        for (int question = 2; question <= 50; ++question)
            answerAfter(1);
        QCOMPARE(firstRankingLine(), QStringLiteral(u"5.0　ぴこ            ") + Stamp);
    }

    // The place the rank-in gave, as the ranking tells it.
    void finishedTellsThePlaceTaken_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("told");
        const QString line = QStringLiteral(u"%1　たろう          2026/01/02 03:04");
        QTest::newRow("first of none") << QStringList() << QStringLiteral(u"ぴこ")
                                       << QStringLiteral("ended 5.0 best / finished 5.0 place 1");
        QTest::newRow("behind a better time") << QStringList{line.arg(QStringLiteral("4.0"))} << QStringLiteral(u"ぴこ")
                                              << QStringLiteral("ended 5.0 / finished 5.0 place 2");
        QTest::newRow("behind an equal time") << QStringList{line.arg(QStringLiteral("5.0"))} << QStringLiteral(u"ぴこ")
                                              << QStringLiteral("ended 5.0 / finished 5.0 place 2");
        QTest::newRow("ahead of a worse time") << QStringList{line.arg(QStringLiteral("6.0"))} << QStringLiteral(u"ぴこ")
                                               << QStringLiteral("ended 5.0 best / finished 5.0 place 1");
        QStringList full;
        for (int place = 1; place <= RankStore::Capacity; ++place)
            full.append(line.arg(QStringLiteral("1.0")));
        QTest::newRow("no room") << full << QString() << QStringLiteral("ended 5.0 / finished 5.0 place 0");
        QTest::newRow("broken line") << QStringList{QStringLiteral(u"だめ")} << QString()
                                     << QStringLiteral("ended 5.0 / finished 5.0 place 0");
    }
    void finishedTellsThePlaceTaken()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, name);
        QFETCH(QString, told);
        SettingsFile::Entries entries;
        for (int place = 1; place <= stored.size(); ++place)
            entries.append({QString::number(place), stored[place - 1]});
        if (!entries.isEmpty())
            QVERIFY(WriteSettings(Section, entries));
        ranking->LoadRanking();
        if (!name.isEmpty())
            dialogs->answerText(name);

        session->start();
        for (int question = 1; question <= 50; ++question)
            answerAfter(1);
        QStringList ends;
        for (const QString &line : log->lines)
            if (line.startsWith(QStringLiteral("ended")) || line.startsWith(QStringLiteral("finished")))
                ends.append(line.section(QStringLiteral(" ("), 0, 0));
        QCOMPARE(ends.join(QStringLiteral(" / ")), told);
    }

    void withoutARankingNothingIsAsked()
    {
        session->useRanking(nullptr);
        session->start();
        for (int question = 1; question <= 50; ++question)
            answerAfter(1);
        QVERIFY(log->lines.contains(QStringLiteral("finished 5.0 place 0 (idle, 50, 1)")));
        QVERIFY(dialogs->shown.isEmpty());
        QVERIFY(!QFile::exists(settings->path()));
    }

    // An exercise that ends its run itself (one board instead of fifty
    // questions) marks its answers and finishes when it is done.
    void markAndFinishForABoard()
    {
        dialogs->answerText(QStringLiteral(u"ぴこ"));
        session->start();
        log->take();
        for (int press = 1; press <= 60; ++press) {
            tick();
            session->MarkAnswer(press % 20 != 0);
        }
        QCOMPARE(session->QuestionsLeft(), 50);
        QVERIFY(log->lines.filter(QStringLiteral("question")).isEmpty());
        session->FinishRun();
        QVERIFY(log->lines.contains(QStringLiteral("finished 21.0 place 1 (idle, 210, 50)")));
    }
};

QTEST_APPLESS_MAIN(TestFrame)
#include "tst_frame.moc"
