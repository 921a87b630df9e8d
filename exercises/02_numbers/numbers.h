#pragma once

#include "run/random.h"

#include <QString>

#include <array>

// 数字順番押し — a board of 48 buttons carrying 1 to 48 in random places,
// pressed in ascending order. The whole board is one task: the run ends when
// 48 has been pressed.
namespace Numbers {

inline constexpr int ButtonCount = 48;
inline constexpr int Columns = 8;
inline constexpr int Rows = ButtonCount / Columns;

// A button's back colour shows its state (0xRRGGBB).
inline constexpr quint32 Unpressed = 0xFFFF00; // yellow
inline constexpr quint32 Pressed = 0x000000;   // black

// The board: the number on each button (button 0 top left, row by row),
// which buttons have been pressed, and the number to press next.
struct Board
{
    std::array<int, ButtonCount> numbers{};
    std::array<bool, ButtonCount> pressed{};
    // 1 at the start of a run, 49 once the board is cleared.
    int NextNumber = 1;

    // As the window opens: 1 to 48 in order, nothing pressed.
    static Board inOrder();
};

// Every button 0 and not pressed; 1 to press first.
void ResetBoard(Board &board);

// Deals 1 to 48 onto a reset board, button 0 first: each button draws
// Int(48 x r + 1) until the number is none of those dealt so far. Every
// arrangement is equally likely.
void ShuffleNumbers(Board &board, RandomSource &random);

enum class Press {
    Wrong,   // not the next number, or already pressed: costs five seconds
    Right,   // pressed; the next number is up
    Cleared, // the last number: the board is done
};

// A press on button index: right when it shows the next number and has not
// been pressed yet; then the button counts as pressed and the next number is up.
Press press(Board &board, int index);

// "次は　N"
QString counterText(int nextNumber);

} // namespace Numbers
