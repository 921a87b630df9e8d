#pragma once

#include <QStringView>

#include <optional>

// The rule for answers typed into a text box and sent with Enter (かげんざん,
// これ、いくら？, いま、なんじ？): spaces around the text are dropped, and
// what is left must be a number. It counts as the whole number nearest to it,
// a half going to the even neighbour (42.0 is 42, 2.5 is 2, 3.5 is 4).
//
// A number is an optional sign, digits with at most one decimal point (".5"
// and "5." included) and an optional exponent ("1e3"). Full-width digits,
// signs and points count like their ASCII twins, since a Japanese input
// method may well type "１０８". Anything else — empty text, letters,
// grouping commas, a number outside the signed 32-bit range such as 9e99 —
// is no answer, which the exercises judge wrong without a word.
namespace TypedAnswer {

std::optional<int> toInteger(QStringView typed);

// True when typed stands for expected.
inline bool matches(QStringView typed, int expected)
{
    const std::optional<int> value = toInteger(typed);
    return value && *value == expected;
}

} // namespace TypedAnswer
