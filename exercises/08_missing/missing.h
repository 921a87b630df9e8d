#pragma once

#include <QString>

#include <array>

class RandomSource;

// ぬけはな～に？: eight of the digits 1 to 9 scattered over a five-by-five
// grid; the player presses the digit that is not there.
namespace Missing {

constexpr int Rows = 5;
constexpr int Columns = 5;
constexpr int Cells = Rows * Columns; // index = 5 x row + column
constexpr int Digits = 9;             // the digits 1 to 9, one answer button each
constexpr int MissingAtLoad = 5;      // PreviousMissingDigit as the window opens

// A grid: the digit in each cell, 0 where the cell is empty.
using Grid = std::array<int, Cells>;

struct Question
{
    Grid cells{};
    int MissingDigit = 0;
};

// The grid as the window opens: 1, 4, 2, 3, 8, 9, 7 and 6 in the cells
// 1, 7, 8, 10, 13, 16, 22 and 24; 5 is the one left out.
Grid gridAtLoad();

// The missing digit Int(Rnd x 9) + 1, drawn again while it equals
// PreviousMissingDigit (which then becomes the new one); then each other
// digit in increasing order goes to the cell Int(25 x Rnd), drawn again
// while that cell is taken.
//
// The questions of one window, which remember the last missing digit themselves:
// each draw is made as said above, PreviousMissingDigit being the last one drawn.
class Questions
{
public:
    explicit Questions(int previous = MissingAtLoad) : m_previous(previous) {}

    Question draw(RandomSource &random);
    int PreviousMissingDigit() const { return m_previous; }

private:
    int m_previous;
};

// A cell's caption: its digit, or nothing.
QString cellCaption(int digit);

// The caption of answer button index (0 to 8): "1" to "9".
QString answerCaption(int index);

// Right when the pressed button's caption, read as a number, is the missing digit.
bool isRightAnswer(const QString &pressedCaption, int missingDigit);

} // namespace Missing
