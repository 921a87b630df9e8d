#include "exercises/02_numbers/numbers.h"

namespace Numbers {

namespace {

// A uniform source brings the last missing number within a few hundred draws;
// after this many misses in a row the source is broken (stuck on a few values),
// and the button takes the smallest number not dealt yet rather than hang the
// window. A sound source gets here with a chance of about e^-200.
constexpr int MaxDrawsPerButton = 10000;

bool isDealt(const Board &board, int upToIndex, const QString &number)
{
    for (int index = 0; index <= upToIndex; ++index) {
        if (board.caption(index) == number)
            return true;
    }
    return false;
}

QString smallestUndealt(const Board &board, int upToIndex)
{
    for (int n = 1; n <= ButtonCount; ++n) {
        const QString number = QString::number(n);
        if (!isDealt(board, upToIndex, number))
            return number;
    }
    return QString();
}

} // namespace

void ResetBoard(Board &board)
{
    for (int index = 0; index < ButtonCount; ++index) {
        board.setCaption(index, QStringLiteral("0"));
        board.setBackColour(index, Unpressed);
    }
}

void ShuffleNumbers(Board &board, RandomSource &random)
{
    for (int index = 0; index < ButtonCount; ++index) {
        QString number;
        int draws = 0;
        do {
            if (++draws > MaxDrawsPerButton) {
                number = smallestUndealt(board, index);
                break;
            }
            number = QString::number(drawInt(random, ButtonCount) + 1);
        } while (isDealt(board, index, number));
        board.setCaption(index, number);
    }
}

QString counterText(int nextNumber)
{
    return QStringLiteral(u"次は　%1").arg(nextNumber);
}

void NumberOrder::deal(RandomSource &random)
{
    ResetBoard(m_board);
    m_nextNumber = 1;
    ShuffleNumbers(m_board, random);
}

NumberOrder::Press NumberOrder::press(int index)
{
    if (index < 0 || index >= ButtonCount)
        return Press::Wrong;
    // The board's own state decides: the caption must be the next number and
    // the button must not have been pressed yet.
    const bool right = m_board.caption(index) == QString::number(m_nextNumber)
                       && m_board.backColour(index) == Unpressed;
    if (!right)
        return Press::Wrong;
    m_board.setBackColour(index, Pressed);
    ++m_nextNumber;
    return m_nextNumber > ButtonCount ? Press::Cleared : Press::Right;
}

} // namespace Numbers
