#include "exercises/02_numbers/numbers.h"

#include <algorithm>

namespace Numbers {

namespace {

// A uniform source brings the last missing number within a few hundred draws;
// after this many misses in a row the source is broken (stuck on a few values),
// and the button takes the smallest number not dealt yet rather than hang the
// window. A sound source gets here with a chance of about e^-200.
constexpr int MaxDrawsPerButton = 10000;

bool isDealt(const Board &board, int upToIndex, int number)
{
    const auto dealt = board.numbers.begin() + upToIndex + 1;
    return std::find(board.numbers.begin(), dealt, number) != dealt;
}

int smallestUndealt(const Board &board, int upToIndex)
{
    for (int n = 1; n <= ButtonCount; ++n) {
        if (!isDealt(board, upToIndex, n))
            return n;
    }
    return 0;
}

} // namespace

Board Board::inOrder()
{
    Board board;
    for (int index = 0; index < ButtonCount; ++index)
        board.numbers[index] = index + 1;
    return board;
}

void ResetBoard(Board &board)
{
    board.numbers.fill(0);
    board.pressed.fill(false);
    board.NextNumber = 1;
}

void ShuffleNumbers(Board &board, RandomSource &random)
{
    for (int index = 0; index < ButtonCount; ++index) {
        int number = 0;
        int draws = 0;
        do {
            if (++draws > MaxDrawsPerButton) {
                number = smallestUndealt(board, index);
                break;
            }
            number = drawInt(random, ButtonCount) + 1;
        } while (isDealt(board, index, number));
        board.numbers[index] = number;
    }
}

Press press(Board &board, int index)
{
    if (index < 0 || index >= ButtonCount)
        return Press::Wrong;
    if (board.numbers[index] != board.NextNumber || board.pressed[index])
        return Press::Wrong;
    board.pressed[index] = true;
    ++board.NextNumber;
    return board.NextNumber > ButtonCount ? Press::Cleared : Press::Right;
}

QString counterText(int nextNumber)
{
    return QStringLiteral(u"次は　%1").arg(nextNumber);
}

} // namespace Numbers
