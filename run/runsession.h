#pragma once

#include "run/random.h"
#include "run/stopwatch.h"

#include <QObject>
#include <QString>

#include <memory>

class RankStore;

// One exercise's run as the game keeps it: whether a run is under way, the
// questions left, the tenth-second stopwatch with its penalties, the time of
// each answer, and the end of the run with its rank-in. It knows no window:
// the exercise hands it each verdict, and whatever shows or tells the run
// (the window, the sounds, the screen reader, the history) follows its
// signals.
//
// A run is told as: starting, started, questionDue once per question, then
// answered once per judged answer, and either finishing, ended and finished
// (the run counted) or stopped (the player stopped it; nothing of it counts).
class RunSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int QuestionsPerRun = 50;
    static constexpr int PenaltyTenths = 50;

    explicit RunSession(int exerciseNumber, QObject *parent = nullptr);
    ~RunSession() override;

    int exerciseNumber() const { return m_exerciseNumber; }
    // The exercise's title, as its runs are recorded.
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    bool isRunning() const { return m_running; }
    double ElapsedTenths() const { return m_stopwatch.elapsedTenths(); }
    int QuestionsLeft() const { return m_questionsLeft; }
    // The stopwatch as the player reads it: "0.0", "12.3".
    QString timeText() const { return Stopwatch::format(ElapsedTenths()); }

    // The ranking a finished run goes to (not owned; none: no rank-in).
    void useRanking(RankStore *ranking) { m_ranking = ranking; }
    RankStore *ranking() const { return m_ranking; }
    // Chance and time come from the system unless a test scripts them; the
    // session keeps using what it is given (not owned).
    void useRandomSource(RandomSource &random) { m_random = &random; }
    void useClock(MonotonicClock &clock);
    RandomSource &random() { return *m_random; }

public slots:
    // A new run: a new seed, fifty questions, the stopwatch from zero.
    void start();
    // The player stops the run; nothing of it counts. Ignored when idle.
    void stop();
    // The verdict on the question on show: the mark and the penalty, then the
    // next question or, after the last one, the end of the run. Ignored when idle.
    void answer(bool correct);
    // Only the mark and the penalty, for exercises that end their run themselves.
    void MarkAnswer(bool correct);
    // Ends the run now and offers its time to the ranking. Ignored when idle.
    void FinishRun();
    // One tick of the stopwatch (every Stopwatch::TickMs while a run is
    // under way; whoever shows the run drives it). Ignored when idle.
    void tick();

signals:
    // Re-seeded, running, fifty questions left; the stopwatch still holds the
    // last run's time, so what is prepared now costs the player nothing.
    void starting();
    // The stopwatch counts from zero.
    void started(int exerciseNumber);
    // A question is to be posed; questionsLeft includes it.
    void questionDue(int questionsLeft);
    // A judged answer, its penalty already counted. msSincePrevious: the
    // run's clock since the previous answer, or since the start.
    void answered(bool correct, qint64 msSincePrevious);
    void ticked(const QString &timeText);
    // The last answer is in and the run still stands (the exercise's end display).
    void finishing();
    // The run is over with this time, which would be the best of the ranking
    // or not; the rank-in follows.
    void ended(const QString &timeText, bool best);
    // After the rank-in: the place the run took, 0 for none.
    void finished(const QString &timeText, int place);
    void stopped();

private:
    int m_exerciseNumber;
    QString m_title;
    bool m_running = false;
    int m_questionsLeft = QuestionsPerRun;
    RankStore *m_ranking = nullptr;
    std::unique_ptr<SystemRandom> m_systemRandom;
    std::unique_ptr<SteadyClock> m_steadyClock;
    RandomSource *m_random = nullptr;
    MonotonicClock *m_clock = nullptr;
    Stopwatch m_stopwatch;
    // The run's clock at the last answer (or the start), for the answer times.
    qint64 m_lastAnswerMs = 0;
};
