#include "exercises/13_operators/operators.h"

#include "run/random.h"

namespace Operators {

QString caption(int kind)
{
    static const std::array<QString, Kinds> Captions = {QStringLiteral(u"＋"), QStringLiteral(u"－"),
                                                        QStringLiteral(u"÷"), QStringLiteral(u"×")};
    return kind >= 0 && kind < Kinds ? Captions[kind] : QString();
}

int drawKind(RandomSource &random, int previousKind)
{
    int kind = drawInt(random, Kinds);
    while (kind == previousKind)
        kind = drawInt(random, Kinds);
    return kind;
}

Equation drawEquation(RandomSource &random, int kind)
{
    Equation e;
    switch (kind) {
    case Plus:
        e.ResultValue = 1 + drawInt(random, LargestSum);
        e.RightValue = drawInt(random, e.ResultValue);
        e.LeftValue = e.ResultValue - e.RightValue;
        break;
    case Minus:
        e.LeftValue = 1 + drawInt(random, LargestSum);
        e.RightValue = drawInt(random, e.LeftValue);
        e.ResultValue = e.LeftValue - e.RightValue;
        break;
    case Divide:
        e.RightValue = 1 + drawInt(random, LargestFactor);
        e.ResultValue = 1 + drawInt(random, LargestFactor);
        e.LeftValue = e.ResultValue * e.RightValue;
        break;
    case Times:
        e.LeftValue = 1 + drawInt(random, LargestFactor);
        e.RightValue = 1 + drawInt(random, LargestFactor);
        e.ResultValue = e.LeftValue * e.RightValue;
        break;
    default:
        Q_ASSERT_X(false, "Operators::drawEquation", "no such operator kind");
        break;
    }
    return e;
}

Question Questions::draw(RandomSource &random)
{
    Question question;
    question.OperatorKind = drawKind(random, m_previous);
    m_previous = question.OperatorKind;
    question.equation = drawEquation(random, question.OperatorKind);
    return question;
}

bool isRightAnswer(int pressedKind, const Equation &equation)
{
    // Worked in 64 bits, so no pair of shown numbers can overflow.
    const qint64 a = equation.LeftValue;
    const qint64 b = equation.RightValue;
    const qint64 c = equation.ResultValue;
    switch (pressedKind) {
    case Plus:
        return a + b == c;
    case Minus:
        return a - b == c;
    case Divide:
        // a ÷ b = c exactly, that is a = b x c; b = 0 is simply wrong.
        return b > 0 && a == b * c;
    case Times:
        return a * b == c;
    default:
        return false;
    }
}

} // namespace Operators
