#pragma once

#include <array>

class RandomSource;

// ながいのど～れ？: seven upright lines of random lengths at random heights;
// the player presses the button under the longest. Lines of equal greatest
// length are all right.
namespace Longest {

constexpr int Lines = 7;

// The box the lines stand in (twips): its height sets the band they are
// drawn in, Margin inside its top and bottom edges.
constexpr int BoxWidth = 5355;
constexpr int BoxHeight = 2535;
constexpr int Margin = 200;
constexpr int BandTop = Margin;
constexpr int BandBottom = BoxHeight - Margin; // 2335
constexpr int MinLength = 400;

// Where line i stands across the box (twips): every 720 from 360, except
// the last, which stands at 4740.
constexpr int lineX(int index)
{
    return index < Lines - 1 ? 360 + 720 * index : 4740;
}

// One line: its upper end Y1 and lower end Y2 (twips from the top of the box).
struct Line
{
    int Y1 = 0;
    int Y2 = 0;

    constexpr int length() const { return Y2 - Y1; }
    friend constexpr bool operator==(const Line &, const Line &) = default;
};

using LineSet = std::array<Line, Lines>;

struct Question
{
    LineSet lines{};
    int MaxLineLength = -1;
};

// The lines as the window opens.
constexpr LineSet LinesAtLoad = {{
    {1260, 1980}, {900, 1260}, {240, 1080}, {1680, 2160}, {900, 1740}, {780, 2220}, {420, 1620},
}};

// The greatest length among lines.
int maxLength(const LineSet &lines);

// Line by line, 0 first: the upper end BandTop + Int(Rnd x (BandBottom - 400
// - BandTop)), then the lower end y1 + Int(Rnd x (BandBottom - 400 - y1)) +
// 400. Every line is 400 long or more and stays inside the band.
Question drawQuestion(RandomSource &random);

// Right when the pressed line, measured by its stored ends, is as long as the longest.
constexpr bool isRightAnswer(const Line &pressed, int maxLineLength)
{
    return pressed.length() == maxLineLength;
}

} // namespace Longest
