#pragma once

#include <QString>

// How the ranking screen shows one ranking line, for a fixed-pitch font in
// which a full-width character is two half-width ones wide:
//   place (3) "位　" time (6) "秒　" name field (16 bytes) "　" date
namespace RankRows {

// True when the line's last 16 characters are a date and time "YYYY/MM/DD HH:MM"
// standing after the name.
bool isDated(const QString &line);

// The row of place for line; the line must have its first "　" after a
// non-empty time part (check with isShowable).
QString row(int place, const QString &line);

bool isShowable(const QString &line);

} // namespace RankRows
