#include "exercises/08_missing/missing.h"

#include "run/random.h"

namespace Missing {

Grid gridAtLoad()
{
    Grid grid{};
    grid[1] = 1;
    grid[7] = 4;
    grid[8] = 2;
    grid[10] = 3;
    grid[13] = 8;
    grid[16] = 9;
    grid[22] = 7;
    grid[24] = 6;
    return grid;
}

Question Questions::draw(RandomSource &random)
{
    Question question;
    int missing = drawInt(random, Digits) + 1;
    while (missing == m_previous)
        missing = drawInt(random, Digits) + 1;
    question.MissingDigit = missing;

    for (int digit = 1; digit <= Digits; ++digit) {
        if (digit == missing)
            continue;
        // At most eight cells are ever taken, so a free one always turns up.
        int cell = drawInt(random, Cells);
        while (question.cells[cell] != 0)
            cell = drawInt(random, Cells);
        question.cells[cell] = digit;
    }
    m_previous = missing;
    return question;
}

QString cellCaption(int digit)
{
    return digit == 0 ? QString() : QString::number(digit);
}

QString answerCaption(int index)
{
    return QString::number(index + 1);
}

bool isRightAnswer(const QString &pressedCaption, int missingDigit)
{
    bool ok = false;
    const int value = pressedCaption.trimmed().toInt(&ok);
    return ok && value == missingDigit;
}

} // namespace Missing
