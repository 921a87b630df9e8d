#pragma once

#include "run/random.h"

#include <QString>

// 数字順番押し — a board of 48 buttons carrying 1 to 48 in random places,
// pressed in ascending order. The whole board is one task: the run ends when
// 48 has been pressed.
namespace Numbers {

inline constexpr int ButtonCount = 48;
inline constexpr int Columns = 8;
inline constexpr int Rows = ButtonCount / Columns;

// A button's back colour is its state (0xRRGGBB).
inline constexpr quint32 Unpressed = 0xFFFF00; // yellow
inline constexpr quint32 Pressed = 0x000000;   // black

// The board as the window keeps it: in its buttons. Each button's caption is
// its number, its back colour says whether it has been pressed.
class Board
{
public:
    virtual ~Board() = default;
    virtual QString caption(int index) const = 0;
    virtual void setCaption(int index, const QString &caption) = 0;
    virtual quint32 backColour(int index) const = 0;
    virtual void setBackColour(int index, quint32 colour) = 0;
};

// Every button "0" and yellow.
void ResetBoard(Board &board);

// Deals 1 to 48 onto a reset board, button 0 first: each button draws
// Int(48 x r + 1) until the number is none of the captions dealt so far. Every
// arrangement is equally likely.
void ShuffleNumbers(Board &board, RandomSource &random);

// "次は　N"
QString counterText(int nextNumber);

// One run over a board: the number to press next, and the judging of presses.
class NumberOrder
{
public:
    enum class Press {
        Wrong,   // not the next number, or already pressed: costs five seconds
        Right,   // blackened; the next number is up
        Cleared, // the last number: the board is done
    };

    explicit NumberOrder(Board &board) : m_board(board) {}

    // A fresh board: reset, dealt, and 1 to press first.
    void deal(RandomSource &random);
    Press press(int index);

    // 1 at the start of a run, 49 once the board is cleared.
    int NextNumber() const { return m_nextNumber; }

private:
    Board &m_board;
    int m_nextNumber = 1;
};

} // namespace Numbers
