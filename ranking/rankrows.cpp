#include "ranking/rankrows.h"

#include "ranking/rankline.h"
#include "settings/cp932.h"

namespace {

QString lastCharacters(const QString &text, qsizetype count)
{
    return text.right(count);
}

} // namespace

namespace RankRows {

QString row(int place, const QString &line)
{
    const RankLine parsed(line);
    const QString separator(QChar(RankLine::Separator));

    QString text = lastCharacters(QStringLiteral("  ") + QString::number(place), 3) + QStringLiteral(u"位　");
    text += lastCharacters(QStringLiteral("  ") + parsed.timeText(), 6) + QStringLiteral(u"秒　");
    QString name = parsed.nameField();
    if (parsed.isDated()) {
        // A name field cut short by hand is filled again, so the dates line up.
        const qsizetype bytes = Cp932::byteLength(name);
        if (bytes < RankLine::NameFieldBytes)
            name += QString(RankLine::NameFieldBytes - bytes, QLatin1Char(' '));
    }
    return text + name + separator + parsed.date();
}

} // namespace RankRows
