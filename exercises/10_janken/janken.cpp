#include "exercises/10_janken/janken.h"

#include "run/random.h"

namespace Janken {

QString outcomeCaption(int outcome)
{
    return outcome == OpponentWon ? QStringLiteral(u"勝った") : QStringLiteral(u"負けた");
}

Question drawQuestion(RandomSource &random, int &PreviousHand)
{
    Question question;
    question.hand = drawInt(random, HandCount);
    while (question.hand == PreviousHand)
        question.hand = drawInt(random, HandCount);
    question.outcome = drawInt(random, OutcomeCount);
    question.CorrectHand = correctHand(question.hand, question.outcome);
    PreviousHand = question.hand;
    return question;
}

} // namespace Janken
