#include "history/historystore.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QVariant>

#include <array>
#include <cmath>

namespace {

// Step n brings a file of version n to version n + 1. A released step never
// changes; a later version adds the next one (ALTER TABLE ... ADD COLUMN).
const std::array<QStringList, HistoryStore::SchemaVersion> MigrationSteps = {{
    {
        QStringLiteral("CREATE TABLE runs ("
                       " id INTEGER PRIMARY KEY,"
                       " exercise INTEGER NOT NULL CHECK (exercise >= 1),"
                       " title TEXT NOT NULL,"
                       " started_at TEXT NOT NULL,"
                       " finished_at TEXT NOT NULL,"
                       " tenths INTEGER NOT NULL CHECK (tenths >= 0),"
                       " wrong INTEGER NOT NULL CHECK (wrong >= 0),"
                       " answer_count INTEGER NOT NULL CHECK (answer_count >= 0),"
                       " rank_place INTEGER CHECK (rank_place BETWEEN 1 AND 100))"),
        // Everything the records window asks of one exercise is read from
        // here alone, in the order the runs were recorded.
        QStringLiteral("CREATE INDEX runs_by_exercise ON runs (exercise, id, tenths, wrong, started_at)"),
        // The best of each day, read in day order without sorting.
        QStringLiteral("CREATE INDEX runs_by_day ON runs (exercise, substr(started_at, 1, 10), tenths)"),
        QStringLiteral("CREATE TABLE answers ("
                       " run_id INTEGER NOT NULL REFERENCES runs (id) ON DELETE CASCADE,"
                       " seq INTEGER NOT NULL CHECK (seq >= 1),"
                       " ms INTEGER NOT NULL CHECK (ms >= 0),"
                       " correct INTEGER NOT NULL CHECK (correct IN (0, 1)),"
                       " PRIMARY KEY (run_id, seq)) WITHOUT ROWID"),
    },
}};

// What the game reads and writes; a file at the current version must answer these.
const QStringList SchemaProbes = {
    QStringLiteral("SELECT id, exercise, title, started_at, finished_at, tenths, wrong, answer_count, rank_place"
                   " FROM runs LIMIT 0"),
    QStringLiteral("SELECT run_id, seq, ms, correct FROM answers LIMIT 0"),
};

const QByteArray SqliteHeader("SQLite format 3\0", 16);

// How long a write waits for another program reading the file at that moment.
constexpr int BusyTimeoutMs = 500;

QString newConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("kashikoro-history-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

HistoryStore::HistoryStore() : m_connection(newConnectionName()) {}

HistoryStore::~HistoryStore()
{
    close();
}

void HistoryStore::close()
{
    if (m_added) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
        m_added = false;
    }
    m_problem = Problem::NotOpened;
}

bool HistoryStore::fail(Problem problem)
{
    close();
    m_problem = problem;
    return false;
}

HistoryStore::Problem HistoryStore::problemOfLastError(Problem otherwise) const
{
    bool isNumber = false;
    const int code = m_lastErrorCode.toInt(&isNumber) & 0xFF;
    if (!isNumber)
        return otherwise;
    switch (code) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return Problem::Locked;
    case 8: // SQLITE_READONLY
        return Problem::ReadOnly;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return Problem::NotHistory;
    case 14: // SQLITE_CANTOPEN
        return Problem::CannotCreate;
    default:
        return otherwise;
    }
}

namespace {

// Runs one statement, keeping the database's words when it fails.
bool run(QSqlQuery &query, const QString &sql, QString &error, QString &code)
{
    if (query.exec(sql))
        return true;
    error = query.lastError().text();
    code = query.lastError().nativeErrorCode();
    return false;
}

} // namespace

bool HistoryStore::open(const QString &path, Access access)
{
    close();
    m_path = path;
    m_lastError.clear();
    m_lastErrorCode.clear();

    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile())
            return fail(Problem::CannotCreate);
        // Only an SQLite file is ever handed to SQLite; an empty one is a new history.
        if (info.size() > 0) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                return fail(Problem::CannotCreate);
            if (file.read(SqliteHeader.size()) != SqliteHeader)
                return fail(Problem::NotHistory);
        }
    } else if (access == Access::ReadOnly) {
        return fail(Problem::Missing);
    }

    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        m_added = true;
        db.setDatabaseName(path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
        if (access == Access::ReadOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        opened = db.isValid() && db.open();
        if (!opened) {
            m_lastError = db.lastError().text();
            m_lastErrorCode = db.lastError().nativeErrorCode();
        }
    }
    if (!opened)
        return fail(problemOfLastError(Problem::CannotCreate));
    m_problem = Problem::None;

    QSqlQuery query = newQuery();
    // synchronous = NORMAL: with the write-ahead log a power cut may cost the
    // last run, never the file.
    if (!run(query, QStringLiteral("PRAGMA foreign_keys = ON"), m_lastError, m_lastErrorCode)
        || !run(query, QStringLiteral("PRAGMA synchronous = NORMAL"), m_lastError, m_lastErrorCode)
        || !run(query, QStringLiteral("PRAGMA user_version"), m_lastError, m_lastErrorCode) || !query.next())
        return fail(problemOfLastError(Problem::NotHistory));
    const int version = query.value(0).toInt();
    query.finish();
    return prepareSchema(version, access);
}

bool HistoryStore::prepareSchema(int version, Access access)
{
    if (version > SchemaVersion || version < 0)
        return fail(Problem::NewerVersion);

    QSqlQuery query = newQuery();
    if (version == 0) {
        // Version 0 is a new file, or an SQLite file of something else.
        if (!run(query, QStringLiteral("SELECT COUNT(*) FROM sqlite_master"), m_lastError, m_lastErrorCode)
            || !query.next())
            return fail(problemOfLastError(Problem::NotHistory));
        const bool hasTables = query.value(0).toInt() > 0;
        query.finish();
        if (hasTables || access == Access::ReadOnly)
            return fail(Problem::NotHistory);
        // A new history keeps its journal beside it in write-ahead mode: a
        // run is then written without waiting for the disk twice over.
        run(query, QStringLiteral("PRAGMA journal_mode = WAL"), m_lastError, m_lastErrorCode);
        query.finish();
    }
    if (access == Access::ReadOnly)
        return hasExpectedSchema() ? true : fail(problemOfLastError(Problem::NotHistory));

    // The migration, or at the current version a write that is taken back:
    // either way the file shows here that it can be written, and nothing of
    // it changes unless every step succeeds.
    if (!run(query, QStringLiteral("BEGIN IMMEDIATE"), m_lastError, m_lastErrorCode))
        return fail(problemOfLastError(Problem::ReadOnly));
    bool ok = true;
    for (int step = version; ok && step < SchemaVersion; ++step)
        for (const QString &sql : MigrationSteps[step])
            ok = ok && run(query, sql, m_lastError, m_lastErrorCode);
    ok = ok && run(query, QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion), m_lastError, m_lastErrorCode);
    const Problem otherwise = ok ? Problem::NotHistory : Problem::ReadOnly;
    ok = ok && hasExpectedSchema();
    if (ok && version < SchemaVersion)
        ok = run(query, QStringLiteral("COMMIT"), m_lastError, m_lastErrorCode);
    if (!ok || version == SchemaVersion) {
        QString ignored;
        QString ignoredCode;
        run(query, QStringLiteral("ROLLBACK"), ignored, ignoredCode);
    }
    return ok ? true : fail(problemOfLastError(otherwise));
}

bool HistoryStore::hasExpectedSchema() const
{
    QSqlQuery query = newQuery();
    for (const QString &sql : SchemaProbes)
        if (!run(query, sql, m_lastError, m_lastErrorCode))
            return false;
    return true;
}

bool HistoryStore::addRun(Run &record)
{
    if (!isOpen())
        return false;
    QSqlQuery query = newQuery();
    if (!run(query, QStringLiteral("BEGIN IMMEDIATE"), m_lastError, m_lastErrorCode))
        return false;

    bool ok = query.prepare(QStringLiteral(
        "INSERT INTO runs (exercise, title, started_at, finished_at, tenths, wrong, answer_count, rank_place)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    if (ok) {
        query.addBindValue(record.exercise);
        query.addBindValue(record.title);
        query.addBindValue(record.startedAt);
        query.addBindValue(record.finishedAt);
        query.addBindValue(record.tenths);
        query.addBindValue(record.wrong);
        query.addBindValue(static_cast<int>(record.answers.size()));
        query.addBindValue(record.rankPlace >= 1 ? QVariant(record.rankPlace) : QVariant(QMetaType(QMetaType::Int)));
        ok = query.exec();
    }
    const qint64 id = ok ? query.lastInsertId().toLongLong() : 0;

    ok = ok && query.prepare(QStringLiteral("INSERT INTO answers (run_id, seq, ms, correct) VALUES (?, ?, ?, ?)"));
    for (qsizetype i = 0; ok && i < record.answers.size(); ++i) {
        query.bindValue(0, id);
        query.bindValue(1, static_cast<int>(i + 1));
        query.bindValue(2, record.answers[i].ms);
        query.bindValue(3, record.answers[i].correct ? 1 : 0);
        ok = query.exec();
    }
    if (!ok) {
        m_lastError = query.lastError().text();
        m_lastErrorCode = query.lastError().nativeErrorCode();
    }
    ok = ok && run(query, QStringLiteral("COMMIT"), m_lastError, m_lastErrorCode);
    if (!ok) {
        QString ignored;
        QString ignoredCode;
        run(query, QStringLiteral("ROLLBACK"), ignored, ignoredCode);
        return false;
    }
    record.id = id;
    return true;
}

HistoryStore::Summary HistoryStore::summary(int exercise) const
{
    Summary result;
    if (!isOpen())
        return result;
    QSqlQuery query = newQuery();
    query.prepare(QStringLiteral(
        "SELECT COUNT(*), MIN(tenths), MAX(tenths), AVG(wrong),"
        " (SELECT AVG(tenths) FROM (SELECT tenths FROM runs WHERE exercise = ? ORDER BY id DESC LIMIT 10)),"
        " (SELECT started_at FROM runs WHERE exercise = ? ORDER BY id DESC LIMIT 1),"
        " (SELECT title FROM runs WHERE exercise = ? ORDER BY id DESC LIMIT 1)"
        " FROM runs WHERE exercise = ?"));
    for (int i = 0; i < 4; ++i)
        query.addBindValue(exercise);
    if (!query.exec() || !query.next())
        return result;
    result.runs = query.value(0).toInt();
    if (result.runs == 0)
        return result;
    result.bestTenths = query.value(1).toInt();
    result.worstTenths = query.value(2).toInt();
    result.meanWrong = query.value(3).toDouble();
    result.lastTenAverageTenths = query.value(4).toDouble();
    result.lastStartedAt = query.value(5).toString();
    result.lastTitle = query.value(6).toString();
    return result;
}

QList<HistoryStore::RunCell> HistoryStore::runCells(int exercise, qint64 fromMs, qint64 cellMs,
                                                    int cellTenths) const
{
    QList<RunCell> cells;
    if (!isOpen() || cellMs <= 0 || cellTenths <= 0)
        return cells;
    QSqlQuery query = newQuery();
    // SQLite reads the stored local time with its offset: julianday is UTC days.
    query.prepare(QStringLiteral(
        "SELECT AVG(ms), AVG(tenths), COUNT(*) FROM"
        " (SELECT CAST(round((julianday(started_at) - 2440587.5) * 86400000) AS INTEGER) AS ms, tenths"
        "  FROM runs WHERE exercise = ?)"
        " GROUP BY ((ms - ?) / ?) * 1048576 + tenths / ? ORDER BY 1")); // one integer key groups fastest
    query.addBindValue(exercise);
    query.addBindValue(fromMs);
    query.addBindValue(cellMs);
    query.addBindValue(cellTenths);
    if (!query.exec())
        return cells;
    while (query.next())
        cells.append({qint64(std::llround(query.value(0).toDouble())), query.value(1).toDouble(), query.value(2).toInt()});
    return cells;
}

QList<HistoryStore::DayBest> HistoryStore::dailyBest(int exercise) const
{
    QList<DayBest> days;
    if (!isOpen())
        return days;
    QSqlQuery query = newQuery();
    query.prepare(QStringLiteral("SELECT substr(started_at, 1, 10) AS day, MIN(tenths) FROM runs"
                                 " WHERE exercise = ? GROUP BY day ORDER BY day"));
    query.addBindValue(exercise);
    if (!query.exec())
        return days;
    while (query.next()) {
        const QDate day = QDate::fromString(query.value(0).toString(), Qt::ISODate);
        if (day.isValid())
            days.append({day, query.value(1).toInt()});
    }
    return days;
}

QList<HistoryStore::SlowAnswer> HistoryStore::slowestAnswers(int exercise, int recentRuns, int count) const
{
    QList<SlowAnswer> answers;
    if (!isOpen())
        return answers;
    QSqlQuery query = newQuery();
    query.prepare(QStringLiteral(
        "SELECT r.started_at, a.seq, a.ms, a.correct FROM answers AS a"
        " JOIN (SELECT id, started_at FROM runs WHERE exercise = ? ORDER BY id DESC LIMIT ?) AS r ON a.run_id = r.id"
        " ORDER BY a.ms DESC, r.id DESC, a.seq LIMIT ?"));
    query.addBindValue(exercise);
    query.addBindValue(recentRuns);
    query.addBindValue(count);
    if (!query.exec())
        return answers;
    while (query.next())
        answers.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toLongLong(),
                        query.value(3).toInt() != 0});
    return answers;
}

int HistoryStore::latestExercise() const
{
    return firstNumber(QStringLiteral("SELECT exercise FROM runs ORDER BY id DESC LIMIT 1"));
}

int HistoryStore::runCount() const
{
    return firstNumber(QStringLiteral("SELECT COUNT(*) FROM runs"));
}

QSqlQuery HistoryStore::newQuery() const
{
    // Every reader here goes through its rows once, front to back.
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    return query;
}

int HistoryStore::firstNumber(const QString &sql) const
{
    if (!isOpen())
        return 0;
    QSqlQuery query = newQuery();
    if (!query.exec(sql) || !query.next())
        return 0;
    return query.value(0).toInt();
}

bool HistoryStore::forEachRun(const std::function<bool(const Run &)> &visit) const
{
    if (!isOpen())
        return false;
    QSqlQuery runs = newQuery();
    QSqlQuery answers = newQuery();
    // Two cursors side by side, both in run order: each run takes the answers that carry its id.
    if (!runs.exec(QStringLiteral("SELECT id, exercise, title, started_at, finished_at, tenths, wrong, rank_place"
                                  " FROM runs ORDER BY id"))
        || !answers.exec(QStringLiteral("SELECT run_id, ms, correct FROM answers ORDER BY run_id, seq"))) {
        m_lastError = runs.lastError().isValid() ? runs.lastError().text() : answers.lastError().text();
        return false;
    }
    bool moreAnswers = answers.next();
    while (runs.next()) {
        Run record;
        record.id = runs.value(0).toLongLong();
        record.exercise = runs.value(1).toInt();
        record.title = runs.value(2).toString();
        record.startedAt = runs.value(3).toString();
        record.finishedAt = runs.value(4).toString();
        record.tenths = runs.value(5).toInt();
        record.wrong = runs.value(6).toInt();
        record.rankPlace = runs.value(7).isNull() ? 0 : runs.value(7).toInt();
        while (moreAnswers && answers.value(0).toLongLong() < record.id)
            moreAnswers = answers.next();
        while (moreAnswers && answers.value(0).toLongLong() == record.id) {
            record.answers.append({answers.value(1).toLongLong(), answers.value(2).toInt() != 0});
            moreAnswers = answers.next();
        }
        if (!visit(record))
            return false;
    }
    return !runs.lastError().isValid();
}

QString HistoryStore::isoText(const QDateTime &moment)
{
    // An offset of its own, so that UTC reads +00:00 like any other.
    const QDateTime local = moment.toLocalTime();
    return QDateTime(local.date(), local.time(), QTimeZone(local.offsetFromUtc())).toString(Qt::ISODate);
}

int HistoryStore::tenthsOf(const QString &timeText)
{
    bool ok = false;
    const double seconds = QLocale::c().toDouble(timeText.trimmed(), &ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > 2e8)
        return -1;
    return static_cast<int>(std::llround(seconds * 10));
}
