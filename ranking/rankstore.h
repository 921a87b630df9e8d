#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <functional>

// Each exercise's hundred best runs, as the settings file keeps them: section
// = the exercise title, key "1" to "100" = place, value = a ranking line
// (ranking/rankline.h).
//
// RankData always shows what the file holds: it is loaded from the file when
// the exercise is chosen and again after every change, saved or not. A rank-in
// places the new run among the lines the file holds at that moment, under the
// file's lock, so another copy of the game or the settings tool changing the
// section while the name box is open loses nothing; the places that move down
// keep their bytes exactly, and only the new line is encoded.
class RankStore
{
public:
    static constexpr int Capacity = 100;
    static constexpr int MaxNameLength = 8;

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
    // write the settings file. Returns the place the run took (1 to 100), 0
    // for none. A run that could not be saved is told to the player and
    // takes no place.
    int RankIn(const QString &timeText);
    // Puts line at place (1 to 100; past the used places it becomes the next
    // one), moving the places the file holds from there on down one key, byte
    // for byte. False when the file could not be written; RankData then shows
    // the file as it is.
    bool InsertRanking(int place, const QString &line);
    // Empties the ranking and removes its section from the settings file;
    // false (and the ranking as the file still holds it) when that failed.
    bool ClearRanking();

    int usedPlaces() const;

    // The name as it can be stored: at most 8 characters (a character outside
    // the basic plane is one and never split), the twins that input methods
    // outside Windows type in their code page 932 forms ("〜" becomes "～"),
    // each other character the file's code page cannot hold and each control
    // character replaced by "？".
    static QString storableName(const QString &name);
    // The ranking line of a run (RankLine::format).
    static QString makeLine(const QString &timeText, const QString &name, const QDateTime &stamp);

private:
    enum class Outcome { Saved, Broken, Full, NotWritten };
    struct Inserted
    {
        Outcome outcome;
        int place = 0;
    };
    Outcome insertAtPlace(int place, const QString &line);
    Inserted insertByTime(double time, const QString &line);
    bool writeInserted(int place, const QString &line);
};
