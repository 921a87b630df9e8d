#pragma once

#include <QString>

// What a screen reader says for the run's common controls: words, not the
// signs and the spaced-out captions the screen shows.
namespace Spoken {

inline QString mark(const QString &shownMark)
{
    return shownMark == QStringLiteral(u"○") ? QStringLiteral(u"正解") : QStringLiteral(u"不正解");
}

inline QString time(const QString &stopwatchText)
{
    return QStringLiteral(u"経過時間　%1秒").arg(stopwatchText);
}

} // namespace Spoken
