#include "ranking/rankrows.h"

#include "settings/cp932.h"

#include <QDateTime>

namespace {

const QString Separator = QStringLiteral(u"　");
constexpr int DateLength = 16;
constexpr int NameFieldBytes = 16;

QString lastCharacters(const QString &text, qsizetype count)
{
    return text.right(count);
}

} // namespace

namespace RankRows {

bool isShowable(const QString &line)
{
    return line.indexOf(Separator) >= 1;
}

bool isDated(const QString &line)
{
    const qsizetype separator = line.indexOf(Separator);
    if (separator < 1 || line.size() - DateLength <= separator)
        return false;
    const QString stamp = line.right(DateLength);
    return stamp.at(10) == QLatin1Char(' ')
        && QDate::fromString(stamp.left(10), QStringLiteral("yyyy/MM/dd")).isValid()
        && QTime::fromString(stamp.right(5), QStringLiteral("HH:mm")).isValid();
}

QString row(int place, const QString &line)
{
    const qsizetype separator = line.indexOf(Separator);
    const QString time = line.left(separator);
    const QString afterSeparator = line.mid(separator + 1);

    QString text = lastCharacters(QStringLiteral("  ") + QString::number(place), 3) + QStringLiteral(u"位　");
    text += lastCharacters(QStringLiteral("  ") + time, 6) + QStringLiteral(u"秒　");
    if (isDated(line)) {
        QString name = afterSeparator.left(afterSeparator.size() - DateLength);
        const qsizetype bytes = Cp932::byteLength(name);
        if (bytes < NameFieldBytes)
            name += QString(NameFieldBytes - bytes, QLatin1Char(' '));
        text += name + Separator + line.right(DateLength);
    } else {
        text += afterSeparator + Separator;
    }
    return text;
}

} // namespace RankRows
