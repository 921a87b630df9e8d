#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// One place of a ranking, as the settings file keeps it and the ranking
// screen shows it:
//   time + "　" + name + ASCII spaces filling the name to 16 code page 932
//   bytes + "YYYY/MM/DD HH:MM"
// Lines written before dates were kept end after the name; they stay valid.
class RankLine
{
public:
    static constexpr char16_t Separator = u'\u3000';
    static constexpr int NameFieldBytes = 16;
    static constexpr int DateLength = 16;

    // The line of a run: its stopwatch text, the name as it can be stored
    // (the fill is counted in code page 932 bytes), the moment of the rank-in.
    static QString format(const QString &timeText, const QString &name, const QDateTime &stamp);

    explicit RankLine(const QString &line);

    // The first "　" stands after a non-empty time part: the screen can show it.
    bool hasTimePart() const { return m_separator >= 1; }
    // ... and that time part is a finite number: runs can be placed around it.
    bool isWellFormed() const { return m_time.has_value(); }
    // The time part as a number (only for a well-formed line).
    double time() const { return m_time.value_or(0.0); }
    // The text before the first "　".
    QString timeText() const;
    // The last 16 characters are a date and time standing after the name.
    bool isDated() const { return m_dated; }
    // Dated: the text between the "　" and the date (name and fill); undated:
    // everything after the "　".
    QString nameField() const;
    // "YYYY/MM/DD HH:MM" of a dated line, else empty.
    QString date() const;

private:
    QString m_line;
    qsizetype m_separator = -1;
    std::optional<double> m_time;
    bool m_dated = false;
};
