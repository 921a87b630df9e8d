#include "run/typedanswer.h"

#include <QByteArray>
#include <QRegularExpression>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace TypedAnswer {

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

// Full-width digits, signs, point and exponent letters as their ASCII twins;
// every other character stays as it is (and fails the pattern below).
QByteArray asAscii(QStringView text)
{
    QByteArray ascii;
    ascii.reserve(text.size());
    for (const QChar c : text) {
        char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) // the full-width forms of ASCII 21..7E
            u = char16_t(u - 0xFF01 + 0x21);
        else if (u == 0x2212) // MINUS SIGN
            u = u'-';
        if (u >= 0x80)
            return QByteArray(); // nothing else outside ASCII is part of a number
        ascii.append(char(u));
    }
    return ascii;
}

} // namespace

std::optional<int> toInteger(QStringView typed)
{
    qsizetype begin = 0;
    qsizetype end = typed.size();
    while (begin < end && isSpace(typed[begin]))
        ++begin;
    while (end > begin && isSpace(typed[end - 1]))
        --end;

    const QByteArray ascii = asAscii(typed.sliced(begin, end - begin));
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    if (ascii.isEmpty() || !number.match(QString::fromLatin1(ascii)).hasMatch())
        return std::nullopt;

    // strtod reads the C locale's "." whatever the player's locale is.
    const double value = std::strtod(ascii.constData(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    // Halves to the even neighbour: the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < double(std::numeric_limits<int>::min()) || rounded > double(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(rounded);
}

} // namespace TypedAnswer
