#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <functional>

// Each exercise's hundred best runs, as the settings file keeps them: section
// = the exercise title, key "1" to "100" = place, value = a ranking line:
//   time + "　" + name (at most 8 characters) + ASCII fill to 16 CP932 bytes
//   + "YYYY/MM/DD HH:MM"
// Lines written before dates were kept end after the name, and stay valid.
class RankStore
{
public:
    static constexpr int Capacity = 100;
    static constexpr int MaxNameLength = 8;
    static constexpr int NameFieldBytes = 16;

    QString RankSection;
    QString RankTitle;
    // Places 1 to 100 (index 0 unused): used places contiguous from 1, the rest empty.
    std::array<QString, Capacity + 1> RankData;
    // The name entered at the last rank-in, offered again at the next.
    QString LastRankName;

    // The moment a rank-in is dated with (tests pin it).
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    // Reads section RankSection into RankData.
    void LoadRanking();
    // The place (1 to 101) a time would take below every equal or better
    // time; 0 when a stored line on the way is not well-formed.
    int FindRankPlace(double time) const;
    // Offers a finished run's stopwatch text a place; may ask for a name and
    // write the settings file.
    void RankIn(const QString &timeText);
    // Puts line at place (1 to 100), moving the rest down, and writes the
    // used part of the section back in one replace of the file.
    void InsertRanking(int place, const QString &line);
    // Empties the ranking and removes its section from the settings file.
    void ClearRanking();

    int usedPlaces() const;

    // The name as it can be stored: at most 8 characters (a character outside
    // the basic plane is one and never split), each character the file's code
    // page cannot hold and each control character replaced by "？".
    static QString storableName(const QString &name);
    static QString makeLine(const QString &timeText, const QString &name, const QDateTime &stamp);
    // The time part of a line (before its first "　") as a number; false when
    // the line is not well-formed.
    static bool timeOfLine(const QString &line, double *time);
};

// The ranking of the exercise chosen last in the menu.
RankStore &rankStore();
