#include "exercises/11_coins/coins.h"

#include "run/random.h"
#include "run/typedanswer.h"

namespace Coins {

int totalOf(const Board &board)
{
    int total = 0;
    for (int slot : board)
        total += valueOf(slot);
    return total;
}

int drawPlace(RandomSource &random)
{
    const int k = drawInt(random, DrawChoices);
    return isBlank(k) ? BlankSlot : k;
}

Question drawQuestion(RandomSource &random)
{
    Question question;
    for (int place = 0; place < Places; ++place) {
        question.board[place] = drawPlace(random);
        question.CoinTotal += valueOf(question.board[place]);
    }
    return question;
}

bool isRightAnswer(QStringView typed, int CoinTotal)
{
    return TypedAnswer::matches(typed, CoinTotal);
}

} // namespace Coins
