#include "history/historystore.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

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

// The files SQLite keeps beside a database while it writes.
QString walOf(const QString &path)
{
    return path + QStringLiteral("-wal");
}
QString shmOf(const QString &path)
{
    return path + QStringLiteral("-shm");
}
QString journalOf(const QString &path)
{
    return path + QStringLiteral("-journal");
}

bool hasContent(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && (!info.isFile() || info.size() > 0);
}

// The SQLite error code of a failure (its primary code), 0 for none.
int primaryCode(const QSqlError &error)
{
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber);
    return isNumber ? code & 0xFF : 0;
}

bool isDamage(int code)
{
    return code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */;
}

// A connection of its own for one look at a database, gone with it.
class Look
{
public:
    Look(const QString &databaseName, const QString &options) : m_name(newConnectionName())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(databaseName);
        db.setConnectOptions(options);
        m_opened = db.open();
        if (!m_opened)
            m_error = db.lastError();
    }
    ~Look()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    Look(const Look &) = delete;
    Look &operator=(const Look &) = delete;

    bool opened() const { return m_opened; }
    const QSqlError &error() const { return m_error; }

    // Every row of the first column; nothing (and error() set) when it fails.
    std::optional<QStringList> column(const QString &sql)
    {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        query.setForwardOnly(true);
        if (!query.exec(sql)) {
            m_error = query.lastError();
            return std::nullopt;
        }
        QStringList values;
        while (query.next())
            values.append(query.value(0).toString());
        if (query.lastError().isValid()) {
            m_error = query.lastError();
            return std::nullopt;
        }
        return values;
    }

private:
    QString m_name;
    bool m_opened = false;
    QSqlError m_error;
};

// What a database holds: its version, whether it has tables, and whether
// they are the ones this game reads.
struct Contents
{
    bool read = false;
    int version = 0;
    bool hasTables = false;
    bool expected = false;
};

Contents contentsOf(const QString &databaseName, const QString &options)
{
    Contents contents;
    Look look(databaseName, options);
    if (!look.opened())
        return contents;
    const auto version = look.column(QStringLiteral("PRAGMA user_version"));
    const auto tables = look.column(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    if (!version || version->isEmpty() || !tables || tables->isEmpty())
        return contents;
    contents.read = true;
    contents.version = version->constFirst().toInt();
    contents.hasTables = tables->constFirst().toInt() > 0;
    contents.expected = std::all_of(SchemaProbes.begin(), SchemaProbes.end(),
                                    [&look](const QString &sql) { return look.column(sql).has_value(); });
    return contents;
}

// The SQLite name of the file as it lies on the disk, log and journal unread,
// nothing locked and nothing written.
QString immutableName(const QString &path)
{
    return QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(path, "/")) +
           QStringLiteral("?immutable=1");
}

// Empty when every page of the database reads back whole (or it could not
// be looked through, another program holding it); otherwise what is wrong.
QString damageOf(Look &look)
{
    const auto verdict = look.column(QStringLiteral("PRAGMA quick_check"));
    if (!verdict)
        return isDamage(primaryCode(look.error())) ? look.error().text() : QString();
    return *verdict == QStringList{QStringLiteral("ok")} ? QString() : verdict->join(QLatin1Char('\n'));
}

} // namespace

HistoryStore::HistoryStore() : m_connection(newConnectionName()) {}

HistoryStore::~HistoryStore()
{
    close();
}

void HistoryStore::close()
{
    if (m_pageCheck.valid())
        m_pageCheck.wait();
    m_pageCheck = {};
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
        return Problem::Damaged;
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

bool HistoryStore::judgeUntouched(const QString &path)
{
    const auto verdict = [this](const Contents &contents) {
        if (!contents.read)
            return fail(Problem::NotHistory);
        if (contents.version > SchemaVersion || contents.version < 0)
            return fail(Problem::NewerVersion);
        if ((contents.version == 0 && contents.hasTables) || (contents.version == SchemaVersion && !contents.expected))
            return fail(Problem::NotHistory);
        return true;
    };
    const bool besideIt = hasContent(walOf(path)) || hasContent(journalOf(path));
    const Contents onDisk = contentsOf(immutableName(path), QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    // Without a log or a journal beside it SQLite changes nothing by reading
    // the file, and the opening itself says what is wrong with it.
    if (!besideIt)
        return onDisk.read ? verdict(onDisk) : true;
    if (onDisk.read && (onDisk.version != 0 || onDisk.hasTables))
        return verdict(onDisk);

    // What is in the file is all in its log or journal: they are read in a copy.
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("look.sqlite"));
    if (!scratch.isValid() || !QFile::copy(path, copy)
        || (QFileInfo::exists(walOf(path)) && !QFile::copy(walOf(path), walOf(copy)))
        || (QFileInfo::exists(journalOf(path)) && !QFile::copy(journalOf(path), journalOf(copy))))
        return fail(Problem::CannotCreate);
    return verdict(contentsOf(copy, QString()));
}

bool HistoryStore::checkPages()
{
    if (!m_pageCheck.valid())
        return isOpen();
    const QString damage = m_pageCheck.get();
    if (!damage.isEmpty()) {
        m_lastError = damage;
        return fail(Problem::Damaged);
    }
    return isOpen();
}

bool HistoryStore::open(const QString &path, Access access)
{
    close();
    m_path = path;
    m_lastError.clear();
    m_lastErrorCode.clear();
    m_readFailed = false;

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
            file.close();
            if (!judgeUntouched(path))
                return false;
        }
    } else if (access == Access::ReadOnly) {
        return fail(Problem::Missing);
    }
    // A read-only look leaves nothing behind: with no log beside the file,
    // the connection opens it for writing (and writes nothing), so that,
    // closing last, it takes away the log and index it made. A log that was
    // there before stays, as it was.
    const bool readOnlyConnection =
        access == Access::ReadOnly && (QFileInfo::exists(walOf(path)) || QFileInfo::exists(shmOf(path)));

    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        m_added = true;
        db.setDatabaseName(path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
        if (readOnlyConnection)
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
        || (access == Access::ReadOnly
            && !run(query, QStringLiteral("PRAGMA query_only = ON"), m_lastError, m_lastErrorCode))
        || !run(query, QStringLiteral("PRAGMA user_version"), m_lastError, m_lastErrorCode) || !query.next())
        return fail(problemOfLastError(Problem::NotHistory));
    const int version = query.value(0).toInt();
    query.finish();
    if (!prepareSchema(version, access))
        return false;
    if (version == 0)
        return true; // a new history, nothing in it to look through

    if (access == Access::ReadOnly) {
        // Closed before this store's own connection, which closes last.
        const QString damage = [&path] {
            Look look(path, QStringLiteral("QSQLITE_OPEN_READONLY"));
            return look.opened() ? damageOf(look) : QString();
        }();
        if (!damage.isEmpty()) {
            m_lastError = damage;
            return fail(Problem::Damaged);
        }
        return true;
    }
    m_pageCheck = std::async(std::launch::async, [path] {
        Look look(path, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
        return look.opened() ? damageOf(look) : QString();
    });
    return true;
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
    // Nothing is written into a damaged file.
    if (!checkPages())
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
    if (!query.exec() || !query.next()) {
        readFailed(query);
        return result;
    }
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
    if (!query.exec()) {
        readFailed(query);
        return cells;
    }
    while (query.next())
        cells.append({qint64(std::llround(query.value(0).toDouble())), query.value(1).toDouble(), query.value(2).toInt()});
    readFailed(query);
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
    if (!query.exec()) {
        readFailed(query);
        return days;
    }
    while (query.next()) {
        const QDate day = QDate::fromString(query.value(0).toString(), Qt::ISODate);
        if (day.isValid())
            days.append({day, query.value(1).toInt()});
    }
    readFailed(query);
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
    if (!query.exec()) {
        readFailed(query);
        return answers;
    }
    while (query.next())
        answers.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toLongLong(),
                        query.value(3).toInt() != 0});
    readFailed(query);
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
    if (!query.exec(sql) || !query.next()) {
        readFailed(query);
        return 0;
    }
    return query.value(0).toInt();
}

void HistoryStore::readFailed(const QSqlQuery &query) const
{
    if (!query.lastError().isValid())
        return; // no row is no failure
    m_readFailed = true;
    m_lastError = query.lastError().text();
    m_lastErrorCode = query.lastError().nativeErrorCode();
}

bool HistoryStore::forEachRun(const std::function<bool(const Run &)> &visit) const
{
    if (!isOpen())
        return false;
    QSqlQuery runs = newQuery();
    QSqlQuery answers = newQuery();
    // Two cursors side by side, both in run order: each run takes the answers that carry its id.
    if (!runs.exec(QStringLiteral("SELECT id, exercise, title, started_at, finished_at, tenths, wrong, rank_place,"
                                  " answer_count FROM runs ORDER BY id"))) {
        readFailed(runs);
        return false;
    }
    if (!answers.exec(QStringLiteral("SELECT run_id, ms, correct FROM answers ORDER BY run_id, seq"))) {
        readFailed(answers);
        return false;
    }
    // A cursor that stops on an error reads like one at its end: each is asked.
    const auto nextAnswer = [&answers, this] {
        const bool more = answers.next();
        if (!more)
            readFailed(answers);
        return more;
    };
    bool moreAnswers = nextAnswer();
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
        const qint64 answerCount = runs.value(8).toLongLong();
        while (moreAnswers && answers.value(0).toLongLong() < record.id)
            moreAnswers = nextAnswer();
        while (moreAnswers && answers.value(0).toLongLong() == record.id) {
            record.answers.append({answers.value(1).toLongLong(), answers.value(2).toInt() != 0});
            moreAnswers = nextAnswer();
        }
        if (m_readFailed)
            return false;
        // Every run was written with all its answers in one transaction.
        if (record.answers.size() != answerCount) {
            m_readFailed = true;
            m_lastError = QStringLiteral("run %1 has %2 of its %3 answers")
                              .arg(record.id)
                              .arg(record.answers.size())
                              .arg(answerCount);
            return false;
        }
        if (!visit(record))
            return false;
    }
    readFailed(runs);
    return !m_readFailed;
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
