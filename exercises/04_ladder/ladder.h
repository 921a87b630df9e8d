#pragma once

#include <array>

class RandomSource;

// あみだくじ: four vertical lines joined by short rungs. The player follows
// the line under the star down, crossing every rung met on the way.
namespace Ladder {

constexpr int Columns = 4;
constexpr int Gaps = Columns - 1;  // gap g lies between columns g and g + 1
constexpr int Levels = 6;          // level 0 is the top
constexpr int LevelsPerGap = 3;    // the levels a gap may have rungs at
constexpr int PatternChoices = 7;  // a gap's pattern: 1 to 7, one bit per allowed level
constexpr int StartAtLoad = 2;     // PreviousStart as the window opens (the star shown then)

// Rungs only at alternating levels, so no two rungs ever meet one column at
// one level: gaps 0 and 2 at levels 1, 3 and 5, gap 1 at levels 0, 2 and 4.
constexpr std::array<int, LevelsPerGap> allowedLevels(int gap)
{
    return gap % 2 == 0 ? std::array<int, LevelsPerGap>{1, 3, 5} : std::array<int, LevelsPerGap>{0, 2, 4};
}

// The ladder as moves: move[j][l] is +1 where a rung at level l joins column j
// to column j + 1, -1 where one joins column j - 1 to column j, 0 elsewhere.
struct GhostLeg
{
    std::array<std::array<int, Levels>, Columns> move{};

    // The ladder of three gap patterns (gap 0, 1, 2): the bit of value 4 puts a
    // rung at the gap's first allowed level, 2 at its second, 1 at its third.
    static GhostLeg fromPatterns(const std::array<int, Gaps> &patterns);
    // Every allowed rung: the ladder as the window opens.
    static GhostLeg full();

    bool hasRung(int gap, int level) const { return move[gap][level] == +1; }
    int rungCount() const;
    // The column a path that starts at the top of column start ends at.
    int follow(int start) const;
};

struct Question
{
    GhostLeg ladder;
    int start = 0;
    int AnswerColumn = 0;
};

// A gap's pattern p = Int(Rnd x 7 + 1).
int drawPattern(RandomSource &random);
// The start column Int(Rnd x 4), drawn again while it equals previousStart.
int drawStart(RandomSource &random, int previousStart);
// A new ladder (gap 0, 1, 2), then its start; PreviousStart becomes that start.
//
// The questions of one window, which remember the last start themselves:
// each draw is made as said above, PreviousStart being the last one drawn.
class Questions
{
public:
    explicit Questions(int previous = StartAtLoad) : m_previous(previous) {}

    Question draw(RandomSource &random);
    int PreviousStart() const { return m_previous; }

private:
    int m_previous;
};

// The pressed "●" is right when it stands under the path's end.
constexpr bool isRightAnswer(int pressedColumn, int answerColumn)
{
    return pressedColumn == answerColumn;
}

} // namespace Ladder
