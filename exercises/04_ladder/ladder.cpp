#include "exercises/04_ladder/ladder.h"

#include "run/random.h"

namespace Ladder {

GhostLeg GhostLeg::fromPatterns(const std::array<int, Gaps> &patterns)
{
    GhostLeg ladder;
    for (int gap = 0; gap < Gaps; ++gap) {
        const auto levels = allowedLevels(gap);
        for (int k = 0; k < LevelsPerGap; ++k) {
            const int bit = 1 << (LevelsPerGap - 1 - k);
            if (patterns[gap] & bit) {
                ladder.move[gap][levels[k]] = +1;
                ladder.move[gap + 1][levels[k]] = -1;
            }
        }
    }
    return ladder;
}

GhostLeg GhostLeg::full()
{
    return fromPatterns({PatternChoices, PatternChoices, PatternChoices});
}

int GhostLeg::rungCount() const
{
    int count = 0;
    for (int gap = 0; gap < Gaps; ++gap)
        for (int level = 0; level < Levels; ++level)
            count += hasRung(gap, level) ? 1 : 0;
    return count;
}

int GhostLeg::follow(int start) const
{
    int column = start;
    for (int level = 0; level < Levels; ++level)
        column += move[column][level];
    return column;
}

int drawPattern(RandomSource &random)
{
    return 1 + drawInt(random, PatternChoices);
}

int drawStart(RandomSource &random, int previousStart)
{
    int start = drawInt(random, Columns);
    while (start == previousStart)
        start = drawInt(random, Columns);
    return start;
}

Question Questions::draw(RandomSource &random)
{
    std::array<int, Gaps> patterns{};
    for (int &pattern : patterns)
        pattern = drawPattern(random);

    Question question;
    question.ladder = GhostLeg::fromPatterns(patterns);
    question.start = drawStart(random, m_previous);
    m_previous = question.start;
    question.AnswerColumn = question.ladder.follow(question.start);
    return question;
}

} // namespace Ladder
