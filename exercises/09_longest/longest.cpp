#include "exercises/09_longest/longest.h"

#include "run/random.h"

#include <algorithm>

namespace Longest {

int maxLength(const LineSet &lines)
{
    int longest = -1;
    for (const Line &line : lines)
        longest = std::max(longest, line.length());
    return longest;
}

Question drawQuestion(RandomSource &random)
{
    Question question;
    for (Line &line : question.lines) {
        const int top = BandTop + drawInt(random, (BandBottom - MinLength) - BandTop);
        const int bottom = top + drawInt(random, (BandBottom - MinLength) - top) + MinLength;
        line = Line{top, bottom};
        question.MaxLineLength = std::max(question.MaxLineLength, line.length());
    }
    return question;
}

} // namespace Longest
