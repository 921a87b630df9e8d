#include "exercises/03_lamps/lamps.h"

namespace Lamps {

int NextPattern(Row &row, RandomSource &random)
{
    for (int index = 0; index < CircleCount; ++index)
        row.setLit(index, drawInt(random, 2) == 1);
    return countLit(row);
}

void TurnAllOff(Row &row)
{
    for (int index = 0; index < CircleCount; ++index)
        row.setLit(index, false);
}

int countLit(const Row &row)
{
    int litCount = 0;
    for (int index = 0; index < CircleCount; ++index) {
        if (row.isLit(index))
            ++litCount;
    }
    return litCount;
}

bool isRight(const QString &pressedCaption, int litCount)
{
    return pressedCaption == QString::number(litCount);
}

} // namespace Lamps
