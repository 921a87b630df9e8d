#include "run/runsession.h"

#include "ranking/rankstore.h"

#include <QLocale>

RunSession::RunSession(int exerciseNumber, QObject *parent)
    : QObject(parent)
    , m_exerciseNumber(exerciseNumber)
    , m_systemRandom(std::make_unique<SystemRandom>())
    , m_steadyClock(std::make_unique<SteadyClock>())
    , m_random(m_systemRandom.get())
    , m_clock(m_steadyClock.get())
    , m_stopwatch(m_steadyClock.get())
{
}

RunSession::~RunSession() = default;

void RunSession::useClock(MonotonicClock &clock)
{
    m_clock = &clock;
    m_stopwatch.setClock(clock);
}

void RunSession::start()
{
    m_random->reseed();
    m_running = true;
    m_questionsLeft = QuestionsPerRun;
    emit starting();
    // The stopwatch starts only now, so dealing a board costs the player nothing.
    m_stopwatch.start();
    m_lastAnswerMs = 0;
    emit started(m_exerciseNumber);
    emit questionDue(m_questionsLeft);
}

void RunSession::stop()
{
    if (!m_running)
        return;
    m_running = false;
    emit stopped();
}

void RunSession::tick()
{
    if (!m_running)
        return;
    m_stopwatch.tick();
    emit ticked(timeText());
}

void RunSession::MarkAnswer(bool correct)
{
    if (!correct)
        m_stopwatch.addTenths(PenaltyTenths);
    const qint64 nowMs = m_clock->elapsedMs();
    const qint64 sincePrevious = nowMs - m_lastAnswerMs;
    m_lastAnswerMs = nowMs;
    emit answered(correct, sincePrevious);
}

void RunSession::answer(bool correct)
{
    if (!m_running)
        return;
    MarkAnswer(correct);
    if (m_questionsLeft < 2) {
        FinishRun();
    } else {
        --m_questionsLeft;
        emit questionDue(m_questionsLeft);
    }
}

void RunSession::FinishRun()
{
    if (!m_running)
        return;
    emit finishing();
    m_running = false;
    // The time that ranks is the run's whole time, the last penalty included,
    // and it is the time the player sees.
    const QString text = timeText();
    const bool best = m_ranking && m_ranking->FindRankPlace(QLocale::c().toDouble(text)) == 1;
    emit ended(text, best);
    const int place = m_ranking ? m_ranking->RankIn(text) : 0;
    emit finished(text, place);
}
