#pragma once

#include <QElapsedTimer>
#include <QString>

// A monotonic clock for the stopwatch. The game uses the steady system clock;
// tests move a fake one by hand.
class MonotonicClock
{
public:
    virtual ~MonotonicClock() = default;
    virtual void restart() = 0;
    // Milliseconds since the last restart.
    virtual qint64 elapsedMs() const = 0;
};

class SteadyClock final : public MonotonicClock
{
public:
    void restart() override { m_timer.start(); }
    qint64 elapsedMs() const override { return m_timer.isValid() ? m_timer.elapsed() : 0; }

private:
    QElapsedTimer m_timer;
};

// The run's time in tenths of a second. A tick every 100 ms counts one tenth;
// when ticks arrive late (a busy machine), a tick catches up to the tenths that
// have really passed, so a run never looks faster than it was. Penalties are
// added on top.
class Stopwatch
{
public:
    static constexpr int TickMs = 100;

    explicit Stopwatch(MonotonicClock *clock = nullptr) : m_clock(clock) {}
    void setClock(MonotonicClock &clock) { m_clock = &clock; }

    // Zero, and start counting from now.
    void start();
    void tick();
    void addTenths(double tenths) { m_extraTenths += tenths; }

    double elapsedTenths() const { return static_cast<double>(m_ticks) + m_extraTenths; }

    // tenths / 10 in the pattern "0.0": 0.1, 12.3, 105.0.
    static QString format(double tenths);

private:
    MonotonicClock *m_clock;
    qint64 m_ticks = 0;
    double m_extraTenths = 0;
};
