#include "run/random.h"

#include <QtGlobal>

#include <algorithm>
#include <chrono>

int drawInt(RandomSource &random, int count)
{
    Q_ASSERT(count > 0);
    const float r = random.next();
    const int value = static_cast<int>(static_cast<float>(count) * r);
    return std::clamp(value, 0, count - 1);
}

SystemRandom::SystemRandom()
{
    reseed();
}

float SystemRandom::next()
{
    // 24 random bits: every value is an exact float in [0, 1), 1.0 never.
    return static_cast<float>(m_generator.generate() >> 8) * (1.0f / 16777216.0f);
}

void SystemRandom::reseed()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    m_generator.seed(static_cast<quint32>(nanoseconds ^ (nanoseconds >> 32)));
}
