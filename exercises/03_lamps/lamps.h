#pragma once

#include "run/random.h"

#include <QString>

#include <array>

// 光ってるのは何個？ — a row of nine circles, a random few of them lit red;
// the player presses the number of lit circles, 0 to 9.
namespace Lamps {

inline constexpr int CircleCount = 9;
inline constexpr int AnswerCount = CircleCount + 1; // buttons 0 to 9

// Which circles are lit, circle 0 (the left one) first.
using Pattern = std::array<bool, CircleCount>;

// Circles 2, 4 and 7: the row as the window opens.
inline constexpr Pattern PatternAtLoad = {false, false, true, false, true, false, false, true, false};

// A new pattern: each circle, 0 first, lit when Int(r x 2) is 1, so each is lit
// with an even chance independently of the others and of the last pattern.
Pattern drawPattern(RandomSource &random);

// How many circles of the pattern are lit, the first and the last included.
int litCount(const Pattern &pattern);

// Right when the pressed button (button n stands for n lit circles) is the lit count.
constexpr bool isRightAnswer(int pressedCount, int litCount)
{
    return pressedCount == litCount;
}

} // namespace Lamps
