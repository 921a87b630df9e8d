#include "exercises/07_sums/sums.h"

#include "run/random.h"
#include "run/typedanswer.h"

namespace Sums {

QString Question::caption() const
{
    const QChar sign = op == Operator::Plus ? u'+' : u'-';
    return QStringLiteral("%1 %2 %3").arg(first).arg(sign).arg(second);
}

Question Questions::draw(RandomSource &random)
{
    Question question;
    question.first = SmallestFirstOperand + drawInt(random, FirstOperandChoices);
    while (question.first == m_previousFirstOperand)
        question.first = SmallestFirstOperand + drawInt(random, FirstOperandChoices);
    question.second = SmallestSecondOperand + drawInt(random, SecondOperandChoices);
    question.op = drawInt(random, 2) == 0 ? Operator::Plus : Operator::Minus;
    m_previousFirstOperand = question.first;
    return question;
}

bool isRightAnswer(QStringView typed, int expectedAnswer)
{
    return TypedAnswer::matches(typed, expectedAnswer);
}

} // namespace Sums
