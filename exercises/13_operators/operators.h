#pragma once

#include <QString>

#include <array>

class RandomSource;

// えんざんし: an equation a ? b = c with its operator hidden; the player
// presses the operator that makes it true.
namespace Operators {

// The operator kinds, in the order of their buttons from left to right.
enum Kind : int { Plus = 0, Minus = 1, Divide = 2, Times = 3 };
constexpr int Kinds = 4;
// PreviousOperator as the window opens: any kind may come first.
constexpr int NoPrevious = -1;

constexpr int LargestSum = 99;   // addition and subtraction work within 1 to 99
constexpr int LargestFactor = 9; // multiplication and division within the times table

// The buttons' captions, by kind.
QString caption(int kind);

struct Equation
{
    int LeftValue = 0;   // a
    int RightValue = 0;  // b
    int ResultValue = 0; // c
};

// What the window shows before the first run: 10 ? 5 = 15.
constexpr Equation LoadEquation{10, 5, 15};

struct Question
{
    int OperatorKind = Plus;
    Equation equation;
};

// Int(Rnd x 4), drawn again while it equals previousKind.
int drawKind(RandomSource &random, int previousKind);
// An equation that the given operator makes true, its draws in this order:
//   ＋: c = Int(Rnd x 99 + 1), b = Int(Rnd x c), a = c - b
//   －: a = Int(Rnd x 99 + 1), b = Int(Rnd x a), c = a - b
//   ÷: b = Int(Rnd x 9 + 1), c = Int(Rnd x 9 + 1), a = c x b
//   ×: a = Int(Rnd x 9 + 1), b = Int(Rnd x 9 + 1), c = a x b
Equation drawEquation(RandomSource &random, int kind);
// The next question's kind, then its equation; PreviousOperator becomes that kind.
//
// The questions of one window, which remember the last operator themselves:
// each draw is made as said above, PreviousOperator being the last one drawn.
class Questions
{
public:
    explicit Questions(int previous = NoPrevious) : m_previous(previous) {}

    Question draw(RandomSource &random);
    int PreviousOperator() const { return m_previous; }

private:
    int m_previous;
};

// The pressed operator applied to the numbers shown: right whenever it makes
// the equation true, whatever kind the question was drawn for. Division is
// exact (7 ÷ 2 is not 3), and nothing is ever divided by 0.
bool isRightAnswer(int pressedKind, const Equation &equation);

} // namespace Operators
