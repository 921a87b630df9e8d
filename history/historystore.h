#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <future>

class QSqlQuery;

// Every finished run the player has played, in an SQLite file of its own
// beside the settings file. The rankings stay in the settings file; this is
// only added to, one transaction per run.
//
// A file that is not this game's history (not SQLite, another schema, a newer
// game's version), that cannot be written or that another program holds
// locked is never changed: opening fails, problem() says why, and the caller
// goes on without history. Whether a file is ours is decided on its own
// bytes, before SQLite is let at it: SQLite would otherwise merge a write-ahead
// log or roll back a journal left beside another program's database.
//
// A history whose pages are damaged is left alone too. Looking through every
// page of years of play takes about a second, so an opening for writing has
// it done beside the game, and the first write waits for the verdict.
class HistoryStore
{
public:
    // PRAGMA user_version of the file this build writes. Each version above 1
    // adds one forward step to the migration in historystore.cpp.
    static constexpr int SchemaVersion = 1;

    enum class Access { ReadWrite, ReadOnly };
    enum class Problem {
        None,
        NotOpened,    // open() was not called, or failed for a reason below
        Missing,      // read-only opening of a file that is not there
        CannotCreate, // the file or its folder cannot be made or opened
        NotHistory,   // not an SQLite file, or tables of another kind
        Damaged,      // our history, but its pages do not read back whole
        NewerVersion, // written by a newer game
        ReadOnly,     // the file cannot be written
        Locked,       // another program holds it
    };

    struct Answer
    {
        qint64 ms = 0; // since the previous answer, or since the start
        bool correct = false;
        bool operator==(const Answer &) const = default;
    };

    struct Run
    {
        qint64 id = 0; // given by the store
        int exercise = 0;
        QString title;
        QString startedAt;  // local time, ISO 8601 with its offset (isoText)
        QString finishedAt; // the same, at the last answer
        int tenths = 0;     // the time on the stopwatch at the end
        int wrong = 0;
        int rankPlace = 0; // 1 to 100 in the ranking, 0 for none
        QList<Answer> answers;
    };

    struct Summary
    {
        int runs = 0;
        int bestTenths = 0;
        int worstTenths = 0;
        double lastTenAverageTenths = 0; // of the last ten runs (or fewer)
        double meanWrong = 0;
        QString lastStartedAt; // of the last run, as stored
        QString lastTitle;     // the exercise's title then
    };

    // Runs that fall together on the chart: their mean start and mean time.
    struct RunCell
    {
        qint64 msSinceEpoch = 0;
        double tenths = 0;
        int runs = 0;
    };

    struct DayBest
    {
        QDate day; // local date of the start
        int tenths = 0;
    };

    struct SlowAnswer
    {
        QString startedAt; // of the run, as stored
        int question = 0;  // 1 for the first answer of the run
        qint64 ms = 0;
        bool correct = false;
    };

    HistoryStore();
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // Opens or creates the file at path (read-only: opens an existing history
    // only). False when it cannot be used; then the file is as it was. A
    // read-only opening leaves nothing beside the file that was not there.
    bool open(const QString &path, Access access = Access::ReadWrite);
    // Waits for the look through the pages an opening for writing started;
    // false (and the store closed, problem() Damaged) when it found damage.
    bool checkPages();
    // A store that outlives the application object is closed before it goes.
    void close();
    bool isOpen() const { return m_problem == Problem::None; }
    QString path() const { return m_path; }
    Problem problem() const { return m_problem; }
    // The database's own words for the last failure, for the tool's messages.
    QString lastError() const { return m_lastError; }

    // Adds a finished run with its answers in one transaction; false (and
    // nothing added) on failure. The store fills in run.id.
    bool addRun(Run &run);

    Summary summary(int exercise) const;
    // Every run of the exercise, gathered in the database into cells cellMs
    // wide along the days (counted from fromMs) and cellTenths high along the
    // times. Cells small enough hold one run each; a few pixels wide, they
    // keep a chart of years of daily play to what can be seen.
    QList<RunCell> runCells(int exercise, qint64 fromMs, qint64 cellMs, int cellTenths) const;
    // The best time of each day with a run, oldest first.
    QList<DayBest> dailyBest(int exercise) const;
    // The count slowest answers of the exercise's last recentRuns runs, slowest first.
    QList<SlowAnswer> slowestAnswers(int exercise, int recentRuns, int count) const;
    // The exercise of the run recorded last, 0 when there is none.
    int latestExercise() const;
    int runCount() const;
    // True once a read of this store failed since it was opened (what it
    // gave back then is incomplete); lastError() says why.
    bool hasReadFailed() const { return m_readFailed; }

    // Every run with its answers, in the order recorded; stops early (and
    // returns false) when visit does. False also when reading fails at any
    // point, or a run's answers are not all there: lastError() says why.
    bool forEachRun(const std::function<bool(const Run &)> &visit) const;

    // A local moment as the store keeps it: 2026-12-08T09:05:03+09:00.
    static QString isoText(const QDateTime &moment);
    // The stopwatch text ("123.4") in tenths (1234); -1 when it is not a time.
    static int tenthsOf(const QString &timeText);

private:
    bool fail(Problem problem);
    // What the file's own bytes say, before SQLite may change them.
    bool judgeUntouched(const QString &path);
    // Notes a failed read of query, keeping the database's words.
    void readFailed(const QSqlQuery &query) const;
    bool prepareSchema(int version, Access access);
    bool hasExpectedSchema() const;
    Problem problemOfLastError(Problem otherwise) const;
    // A forward-only query on this store's connection.
    QSqlQuery newQuery() const;
    // The first column of the first row sql gives; 0 when there is none.
    int firstNumber(const QString &sql) const;

    QString m_connection;
    bool m_added = false;
    QString m_path;
    Problem m_problem = Problem::NotOpened;
    mutable QString m_lastError;
    mutable QString m_lastErrorCode;
    mutable bool m_readFailed = false;
    // The look through the pages, until its verdict is taken: empty for a
    // whole file (or one it could not look through), otherwise what is wrong.
    std::future<QString> m_pageCheck;
};
