#include "ranking/rankline.h"

#include "settings/cp932.h"

#include <QLocale>

#include <cmath>

namespace {

// "YYYY/MM/DD HH:MM": the date and the time of day are checked each on its own,
// so that a moment in a daylight-saving gap still counts as a date.
const QString DateFormat = QStringLiteral("yyyy/MM/dd");
const QString TimeFormat = QStringLiteral("HH:mm");
constexpr int DateTextLength = 10;

bool isDateAndTime(QStringView text)
{
    return text.size() == RankLine::DateLength && text[DateTextLength] == u' '
        && QDate::fromString(text.first(DateTextLength).toString(), DateFormat).isValid()
        && QTime::fromString(text.sliced(DateTextLength + 1).toString(), TimeFormat).isValid();
}

} // namespace

QString RankLine::format(const QString &timeText, const QString &name, const QDateTime &stamp)
{
    const qsizetype fill = qMax<qsizetype>(0, NameFieldBytes - Cp932::byteLength(name));
    return timeText + QChar(Separator) + name + QString(fill, QLatin1Char(' ')) + stamp.date().toString(DateFormat)
        + QLatin1Char(' ') + stamp.time().toString(TimeFormat);
}

RankLine::RankLine(const QString &line) : m_line(line), m_separator(line.indexOf(QChar(Separator)))
{
    if (m_separator < 1)
        return;
    bool ok = false;
    // "inf" and "nan" read as numbers here; no run takes that long.
    const double value = QLocale::c().toDouble(QStringView(m_line).first(m_separator).trimmed(), &ok);
    if (ok && std::isfinite(value))
        m_time = value;
    m_dated = m_line.size() - DateLength > m_separator && isDateAndTime(QStringView(m_line).last(DateLength));
}

QString RankLine::timeText() const
{
    return m_separator < 0 ? QString() : m_line.first(m_separator);
}

QString RankLine::nameField() const
{
    if (m_separator < 0)
        return QString();
    const qsizetype from = m_separator + 1;
    return m_line.sliced(from, m_line.size() - from - (m_dated ? DateLength : 0));
}

QString RankLine::date() const
{
    return m_dated ? m_line.last(DateLength) : QString();
}
