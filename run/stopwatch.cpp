#include "run/stopwatch.h"

#include <algorithm>
#include <cmath>

void Stopwatch::start()
{
    m_ticks = 0;
    m_extraTenths = 0;
    m_clock->restart();
}

void Stopwatch::tick()
{
    const qint64 reallyElapsed = m_clock->elapsedMs() / TickMs;
    m_ticks = std::max(m_ticks + 1, reallyElapsed);
}

QString Stopwatch::format(double tenths)
{
    const qint64 whole = std::llround(tenths);
    return QStringLiteral("%1.%2").arg(whole / 10).arg(whole % 10);
}
