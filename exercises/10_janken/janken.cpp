#include "exercises/10_janken/janken.h"

#include "run/random.h"

namespace Janken {

QString outcomeCaption(int outcome)
{
    return outcome == OpponentWon ? QStringLiteral(u"勝った") : QStringLiteral(u"負けた");
}

Question Questions::draw(RandomSource &random)
{
    Question question;
    question.hand = drawInt(random, HandCount);
    while (question.hand == m_previous)
        question.hand = drawInt(random, HandCount);
    question.outcome = drawInt(random, OutcomeCount);
    question.CorrectHand = correctHand(question.hand, question.outcome);
    m_previous = question.hand;
    return question;
}

} // namespace Janken
