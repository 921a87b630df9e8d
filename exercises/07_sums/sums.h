#pragma once

#include <QString>
#include <QStringView>

class RandomSource;

// かげんざん: a two-digit number and a one-digit number, added or
// subtracted; the player types the result and presses Enter.
namespace Sums {

constexpr int FirstOperandChoices = 90;  // 10 to 99
constexpr int SmallestFirstOperand = 10;
constexpr int SecondOperandChoices = 9;  // 1 to 9
constexpr int SmallestSecondOperand = 1;
constexpr int AnswerLength = 4;          // characters the answer box takes

// The sum shown as the window opens, "99 + 9", and the answer in the box then.
constexpr int FirstOperandAtLoad = 99;
constexpr int SecondOperandAtLoad = 9;

enum class Operator { Plus, Minus };

struct Question
{
    int first = FirstOperandAtLoad;
    int second = SecondOperandAtLoad;
    Operator op = Operator::Plus;

    int ExpectedAnswer() const { return op == Operator::Plus ? first + second : first - second; }
    // As the question label shows it: "57 - 3", "12 + 8".
    QString caption() const;
};

// The questions of one window, which remember the last first operand themselves.
class Questions
{
public:
    explicit Questions(int previousFirstOperand = FirstOperandAtLoad) : m_previousFirstOperand(previousFirstOperand) {}

    // First operand Int(Rnd x 90) + 10, drawn again while it equals
    // PreviousFirstOperand; second operand Int(Rnd x 9) + 1; then the operator,
    // "+" when Int(Rnd x 2) is 0, else "-". PreviousFirstOperand becomes the new
    // first operand.
    Question draw(RandomSource &random);
    int PreviousFirstOperand() const { return m_previousFirstOperand; }

private:
    int m_previousFirstOperand;
};

// The typed text is right when it stands for the expected result.
bool isRightAnswer(QStringView typed, int expectedAnswer);

} // namespace Sums
