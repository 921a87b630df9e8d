#include "exercises/03_lamps/lamps.h"

#include <algorithm>

namespace Lamps {

Pattern drawPattern(RandomSource &random)
{
    Pattern pattern{};
    for (bool &lit : pattern)
        lit = drawInt(random, 2) == 1;
    return pattern;
}

int litCount(const Pattern &pattern)
{
    return int(std::count(pattern.begin(), pattern.end(), true));
}

} // namespace Lamps
