#pragma once

#include <QString>

#include <array>

class RandomSource;

// ●●●たたき: a five-by-five board of buttons; one carries the "●", and
// usually another carries a "◆" to lure the hand. Only the "●" is right.
namespace Whack {

constexpr int Rows = 5;
constexpr int Columns = 5;
constexpr int Buttons = Rows * Columns; // index = 5 x row + column
constexpr int MarkAtLoad = 7;           // PreviousMark as the window opens (the "●" shown then)
constexpr int DecoyAtLoad = 18;         // the "◆" shown as the window opens

// The captions a board button can have; the board is nothing but these.
QString markCaption();  // "●"
QString decoyCaption(); // "◆"

// A board: one caption per button, empty where nothing is shown.
using Board = std::array<QString, Buttons>;

struct Question
{
    int DecoyIndex = 0;
    int MarkIndex = 0;

    // The captions of this question: the "◆" first, then the "●", which
    // covers it when both fell on the same button.
    Board board() const;
    bool hasDecoy() const { return DecoyIndex != MarkIndex; }
};

// The board as the window opens: "●" on button 7, "◆" on button 18.
Board boardAtLoad();

// The questions of one window, which remember the last mark themselves.
class Questions
{
public:
    explicit Questions(int previousMark = MarkAtLoad) : m_previousMark(previousMark) {}

    // The decoy Int(25 x Rnd), free; then the mark Int(25 x Rnd), drawn again
    // while it equals PreviousMark, which then becomes the new mark.
    Question draw(RandomSource &random);
    // The mark of the last question (MarkAtLoad before the first one).
    int PreviousMark() const { return m_previousMark; }

private:
    int m_previousMark;
};

// Right when the pressed button is the one the question put the "●" on.
constexpr bool isRightAnswer(const Question &question, int pressedIndex)
{
    return pressedIndex == question.MarkIndex;
}

} // namespace Whack
