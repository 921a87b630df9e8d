#pragma once

#include "run/random.h"

#include <QString>

// 光ってるのは何個？ — a row of nine circles, a random few of them lit red;
// the player presses the number of lit circles, 0 to 9.
namespace Lamps {

inline constexpr int CircleCount = 9;
inline constexpr int AnswerCount = CircleCount + 1; // buttons 0 to 9

// The circles as the window shows them. A circle is lit or not, nothing else;
// what a circle reports is what it shows.
class Row
{
public:
    virtual ~Row() = default;
    virtual bool isLit(int index) const = 0;
    virtual void setLit(int index, bool lit) = 0;
};

// A new pattern: each circle, 0 first, lit when Int(r x 2) is 1, so each is lit
// with an even chance independently of the others and of the last pattern.
// Returns the number of circles lit, read back from the circles themselves.
int NextPattern(Row &row, RandomSource &random);

// Every circle unlit.
void TurnAllOff(Row &row);

// How many circles are lit now.
int countLit(const Row &row);

// Right when the pressed button's caption is the lit count in decimal.
bool isRight(const QString &pressedCaption, int litCount);

} // namespace Lamps
