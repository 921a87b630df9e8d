#pragma once

#include <QRandomGenerator>

// Where every question's chance comes from. The game uses the system source,
// re-seeded from the clock at every Start; tests script the values one by one.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A fresh uniform value r with 0 <= r < 1, in single precision.
    virtual float next() = 0;
    // A new seed from the clock (every run starts from one).
    virtual void reseed() = 0;
};

// Int(count x r): a whole number from 0 to count - 1, each equally likely.
// The product is formed in single precision, as the exercises describe their
// draws, and never leaves the range, not even for the largest r below 1.
int drawInt(RandomSource &random, int count);

class SystemRandom final : public RandomSource
{
public:
    SystemRandom();
    float next() override;
    void reseed() override;

private:
    QRandomGenerator m_generator;
};
