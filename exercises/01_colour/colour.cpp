#include "exercises/01_colour/colour.h"

namespace Colour {

const std::array<QString, ColourCount + 1> &ColourNames()
{
    static const std::array<QString, ColourCount + 1> names = {
        QString(),
        QStringLiteral(u"くろ"),
        QStringLiteral(u"あか"),
        QStringLiteral(u"あお"),
        QStringLiteral(u"きいろ"),
        QStringLiteral(u"みどり"),
    };
    return names;
}

Question drawQuestion(RandomSource &random, quint32 previousInk)
{
    quint32 ink = 0;
    do {
        ink = ColourTable[1 + drawInt(random, ColourCount)];
    } while (ink == previousInk);
    const QString &word = ColourNames()[1 + drawInt(random, ColourCount)];
    return {ink, word};
}

} // namespace Colour
