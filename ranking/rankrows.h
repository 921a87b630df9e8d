#pragma once

#include <QString>

// How the ranking screen shows one ranking line, for a fixed-pitch font in
// which a full-width character is two half-width ones wide:
//   place (3) "位　" time (6) "秒　" name field (16 bytes) "　" date
namespace RankRows {

// The row of place for line; the line must have its first "　" after a
// non-empty time part (RankLine::hasTimePart).
QString row(int place, const QString &line);

} // namespace RankRows
