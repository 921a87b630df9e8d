#include "exercises/05_bigger/bigger.h"

#include "run/random.h"

#include <algorithm>

namespace Bigger {

Question drawQuestion(RandomSource &random)
{
    Question question;
    std::array<int, Buttons> dealt;
    dealt.fill(-1);
    for (int i = 0; i < Buttons; ++i) {
        Card &card = question.cards[i];
        card.pointSize = SmallestSize + drawInt(random, SizeChoices);
        int digit = drawInt(random, DigitChoices);
        while (std::find(dealt.begin(), dealt.end(), digit) != dealt.end())
            digit = drawInt(random, DigitChoices);
        dealt[i] = digit;
        card.digit = digit;
        question.MaxValue = std::max(question.MaxValue, digit);
    }
    return question;
}

bool isRightAnswer(const Question &question, int pressedIndex)
{
    return pressedIndex >= 0 && pressedIndex < Buttons
        && question.cards[std::size_t(pressedIndex)].digit == question.MaxValue;
}

} // namespace Bigger
