// The history file: what a run leaves in it, the aggregates the records
// window reads, the schema and its version, and the files it must never touch.

#include "history/history.h"
#include "history/historystore.h"
#include "support/files.h"
#include "support/historydb.h"

#include <QCoreApplication>
#include <QMap>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

#include <ctime>
#include <algorithm>
#include <numeric>

namespace {

const QDateTime Monday(QDate(2026, 3, 2), QTime(9, 30), QTimeZone(9 * 3600));

} // namespace

class TestHistoryStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString path() const { return dir->filePath(QStringLiteral(u"カシコロ-history.sqlite")); }

    // A history of runs × 50 answers, closed and merged into its one file.
    void fillHistory(int runs)
    {
        HistoryStore store;
        QVERIFY(store.open(path()));
        for (int i = 0; i < runs; ++i) {
            HistoryStore::Run run = makeRun(1 + i % 14, Monday.addSecs(60 * i), 300 + i);
            QVERIFY(store.addRun(run));
        }
    }

    QStringList filesInDir() const { return QDir(dir->path()).entryList(QDir::Files | QDir::Hidden); }

    // The bytes of the file and of every file beside it.
    QMap<QString, QByteArray> allBytes() const
    {
        QMap<QString, QByteArray> bytes;
        for (const QString &name : filesInDir())
            bytes.insert(name, fileBytes(dir->filePath(name)));
        return bytes;
    }

    // A file made by another program with sqlite3: version and tables as given.
    void plantDatabase(int version, const QStringList &statements)
    {
        RawHistory raw(path());
        for (const QString &sql : statements)
            QVERIFY(raw.exec(sql));
        QVERIFY(raw.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)));
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }

    void pathBesideTheSettingsFile_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("history");
        QTest::newRow("beside the program") << QStringLiteral(u"/opt/game/カシコロ.ini")
                                            << QStringLiteral(u"/opt/game/カシコロ-history.sqlite");
        QTest::newRow("per user") << QStringLiteral(u"/home/p/.local/share/カシコロ/カシコロ.ini")
                                  << QStringLiteral(u"/home/p/.local/share/カシコロ/カシコロ-history.sqlite");
    }
    void pathBesideTheSettingsFile()
    {
        QFETCH(QString, settings);
        QFETCH(QString, history);
        // As the system spells an absolute path (with its drive on Windows).
        QCOMPARE(historyPathFor(settings), QFileInfo(history).absoluteFilePath());
    }

    void missingFileIsCreatedAtTheCurrentVersion()
    {
        HistoryStore store;
        QVERIFY(store.open(path()));
        QCOMPARE(store.problem(), HistoryStore::Problem::None);
        QCOMPARE(store.runCount(), 0);
        store.close();

        RawHistory raw(path());
        QCOMPARE(raw.value(QStringLiteral("PRAGMA user_version")).toInt(), HistoryStore::SchemaVersion);
        QCOMPARE(raw.value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
        QCOMPARE(raw.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")),
                 QStringList({QStringLiteral("answers"), QStringLiteral("runs")}));
    }

    void emptyFileIsCreatedToo()
    {
        QVERIFY(putBytes(path(), QByteArray()));
        HistoryStore store;
        QVERIFY(store.open(path()));
        HistoryStore::Run run = makeRun(3, Monday, 321);
        QVERIFY(store.addRun(run));
        QCOMPARE(store.runCount(), 1);
    }

    void reopeningKeepsEverything()
    {
        {
            HistoryStore store;
            QVERIFY(store.open(path()));
            HistoryStore::Run run = makeRun(1, Monday, 200);
            QVERIFY(store.addRun(run));
        }
        const QByteArray before = fileBytes(path());
        HistoryStore store;
        QVERIFY(store.open(path()));
        QCOMPARE(store.runCount(), 1);
        store.close();
        // Opening a file of the current version writes nothing to it.
        QCOMPARE(fileBytes(path()), before);
    }

    void emptySqliteFileIsMigratedForward()
    {
        // Made by sqlite3 with nothing in it: version 0, no tables.
        plantDatabase(0, {QStringLiteral("PRAGMA page_size = 4096"), QStringLiteral("VACUUM")});
        HistoryStore store;
        QVERIFY(store.open(path()));
        store.close();
        RawHistory raw(path());
        QCOMPARE(raw.value(QStringLiteral("PRAGMA user_version")).toInt(), HistoryStore::SchemaVersion);
    }

    void filesThatAreNotOursAreLeftAlone_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<HistoryStore::Problem>("problem");
        QTest::newRow("text") << 0 << HistoryStore::Problem::NotHistory;
        QTest::newRow("sqlite header, then garbage") << 1 << HistoryStore::Problem::NotHistory;
        QTest::newRow("another program's database") << 2 << HistoryStore::Problem::NotHistory;
        QTest::newRow("our version, other tables") << 3 << HistoryStore::Problem::NotHistory;
        QTest::newRow("a newer game's file") << 4 << HistoryStore::Problem::NewerVersion;
        QTest::newRow("a few bytes") << 5 << HistoryStore::Problem::NotHistory;
    }
    void filesThatAreNotOursAreLeftAlone()
    {
        QFETCH(int, kind);
        QFETCH(HistoryStore::Problem, problem);
        switch (kind) {
        case 0:
            QVERIFY(putBytes(path(), QStringLiteral(u"成績メモ\r\n1,2,3\r\n").toUtf8().repeated(200)));
            break;
        case 1:
            QVERIFY(putBytes(path(), QByteArray("SQLite format 3\0", 16) + QByteArray(8000, '\x5A')));
            break;
        case 2:
            plantDatabase(0, {QStringLiteral("CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT)"),
                              QStringLiteral("INSERT INTO notes (body) VALUES ('keep me')")});
            break;
        case 3:
            plantDatabase(1, {QStringLiteral("CREATE TABLE runs (id INTEGER PRIMARY KEY, seconds REAL)")});
            break;
        case 4:
            plantDatabase(HistoryStore::SchemaVersion + 1,
                          {QStringLiteral("CREATE TABLE runs (id INTEGER PRIMARY KEY, anything TEXT)")});
            break;
        case 5:
            QVERIFY(putBytes(path(), QByteArray("SQL")));
            break;
        }
        const QByteArray before = fileBytes(path());
        QVERIFY(!before.isEmpty());

        HistoryStore store;
        QVERIFY(!store.open(path()));
        QCOMPARE(store.problem(), problem);
        QVERIFY(!store.isOpen());
        HistoryStore::Run run = makeRun(1, Monday, 200);
        QVERIFY(!store.addRun(run));
        QCOMPARE(store.summary(1).runs, 0);
        store.close();

        QCOMPARE(fileBytes(path()), before);
        const QStringList beside = QDir(dir->path()).entryList(QDir::Files);
        QCOMPARE(beside, QStringList{QFileInfo(path()).fileName()});
    }

    void fileLockedByAnotherProgram_data()
    {
        QTest::addColumn<QString>("lock");
        QTest::newRow("writing") << QStringLiteral("BEGIN IMMEDIATE");
        QTest::newRow("exclusive") << QStringLiteral("BEGIN EXCLUSIVE");
    }
    void fileLockedByAnotherProgram()
    {
        QFETCH(QString, lock);
        {
            HistoryStore store;
            QVERIFY(store.open(path()));
            HistoryStore::Run run = makeRun(2, Monday, 200);
            QVERIFY(store.addRun(run));
        }
        const QByteArray before = fileBytes(path());
        RawHistory other(path());
        QVERIFY(other.exec(lock));
        QVERIFY(other.exec(QStringLiteral("DELETE FROM answers WHERE seq > 40")));

        HistoryStore store;
        QVERIFY(!store.open(path()));
        QCOMPARE(store.problem(), HistoryStore::Problem::Locked);
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        QCOMPARE(fileBytes(path()), before);
        // Once the other program lets go, the next session records again.
        QVERIFY(store.open(path()));
    }

    void readOnlyFile()
    {
        {
            HistoryStore store;
            QVERIFY(store.open(path()));
        }
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        QFile probe(path());
        if (probe.open(QIODevice::ReadWrite))
            QSKIP("this user writes read-only files anyway (root)");
        const QByteArray before = fileBytes(path());
        HistoryStore store;
        QVERIFY(!store.open(path()));
        QCOMPARE(store.problem(), HistoryStore::Problem::ReadOnly);
        QCOMPARE(fileBytes(path()), before);
    }

    void readOnlyOpeningNeverCreates()
    {
        HistoryStore store;
        QVERIFY(!store.open(path(), HistoryStore::Access::ReadOnly));
        QCOMPARE(store.problem(), HistoryStore::Problem::Missing);
        QVERIFY(!QFileInfo::exists(path()));
        QVERIFY(putBytes(path(), QByteArray()));
        QVERIFY(!store.open(path(), HistoryStore::Access::ReadOnly));
        QCOMPARE(fileBytes(path()), QByteArray());
    }

    void damagedPagesAreFoundAndTheFileLeftAlone_data()
    {
        QTest::addColumn<int>("leaf");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("root of the answers, for writing") << -1 << false;
        QTest::newRow("a leaf of the answers, for writing") << 3 << false;
        QTest::newRow("a leaf of the answers, read-only") << 3 << true;
    }
    void damagedPagesAreFoundAndTheFileLeftAlone()
    {
        QFETCH(int, leaf);
        QFETCH(bool, readOnly);
        fillHistory(40);
        QVERIFY(damageAnswers(path(), leaf));
        const QByteArray before = fileBytes(path());

        HistoryStore store;
        if (readOnly) {
            QVERIFY(!store.open(path(), HistoryStore::Access::ReadOnly));
        } else {
            // Found beside the game; nothing is written into it.
            store.open(path());
            HistoryStore::Run run = makeRun(2, Monday.addDays(9), 400);
            QVERIFY(!store.addRun(run));
            QVERIFY(!store.addRun(run));
        }
        QCOMPARE(store.problem(), HistoryStore::Problem::Damaged);
        QVERIFY(!store.isOpen());
        QVERIFY(!store.lastError().isEmpty());
        store.close();
        QCOMPARE(fileBytes(path()), before);
        QCOMPARE(filesInDir(), QStringList{QFileInfo(path()).fileName()});
    }

    void aWholeHistoryPassesTheLookThroughItsPages()
    {
        fillHistory(40);
        HistoryStore store;
        QVERIFY(store.open(path()));
        QVERIFY(store.checkPages());
        HistoryStore::Run run = makeRun(2, Monday.addDays(9), 400);
        QVERIFY(store.addRun(run));
        QCOMPARE(store.runCount(), 41);
        HistoryStore readOnly;
        QVERIFY(readOnly.open(path(), HistoryStore::Access::ReadOnly));
    }

    void everyRunFailsWhenAReadFailsPartway()
    {
        fillHistory(40);
        QVERIFY(damageAnswers(path(), 3));
        HistoryStore store;
        QVERIFY(store.open(path())); // the look through the pages has not told yet
        int visited = 0;
        int incomplete = 0;
        QVERIFY(!store.forEachRun([&visited, &incomplete](const HistoryStore::Run &run) {
            ++visited;
            incomplete += run.answers.size() != 50;
            return true;
        }));
        QVERIFY(store.hasReadFailed());
        QVERIFY(!store.lastError().isEmpty());
        // What was handed over before the failure is whole.
        QCOMPARE(incomplete, 0);
        QVERIFY(visited < 40);
    }

    void aRunMissingSomeOfItsAnswersFailsTheReading()
    {
        fillHistory(3);
        {
            RawHistory raw(path());
            QVERIFY(raw.exec(QStringLiteral("DELETE FROM answers WHERE run_id = 2 AND seq > 20")));
        }
        HistoryStore store;
        QVERIFY(store.open(path()));
        QList<qint64> visited;
        QVERIFY(!store.forEachRun([&visited](const HistoryStore::Run &run) {
            visited.append(run.id);
            return true;
        }));
        QCOMPARE(visited, QList<qint64>{1});
        QVERIFY(store.lastError().contains(QStringLiteral("20 of its 50")));
    }

    // Another program's database with its last changes still in a write-ahead
    // log or a journal beside it: SQLite, let at it, would merge the log or
    // roll the journal back.
    void logsAndJournalsBesideAForeignFileAreLeftAsTheyAre_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("checkpointFirst");
        QTest::newRow("log holds everything") << QStringLiteral("wal") << false;
        QTest::newRow("log holds the last change") << QStringLiteral("wal") << true;
        QTest::newRow("hot journal") << QStringLiteral("delete") << true;
    }
    void logsAndJournalsBesideAForeignFileAreLeftAsTheyAre()
    {
        QFETCH(QString, mode);
        QFETCH(bool, checkpointFirst);
        const QString made = dir->filePath(QStringLiteral("made.sqlite"));
        {
            RawHistory other(made);
            QVERIFY(other.exec(QStringLiteral("PRAGMA journal_mode = %1").arg(mode)));
            QVERIFY(other.exec(QStringLiteral("PRAGMA wal_autocheckpoint = 0")));
            QVERIFY(other.exec(QStringLiteral("PRAGMA cache_size = 2")));
            if (checkpointFirst)
                QVERIFY(other.exec(QStringLiteral("CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT)")));
            QVERIFY(other.exec(QStringLiteral("BEGIN")));
            if (!checkpointFirst)
                QVERIFY(other.exec(QStringLiteral("CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT)")));
            for (int i = 0; i < 200; ++i)
                QVERIFY(other.exec(QStringLiteral("INSERT INTO notes (body) VALUES ('%1')").arg(QString(500, u'x'))));
            if (mode == QStringLiteral("wal"))
                QVERIFY(other.exec(QStringLiteral("COMMIT")));
            // The files as a crash at this moment leaves them.
            for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-journal")})
                if (QFileInfo::exists(made + suffix))
                    QVERIFY(QFile::copy(made + suffix, path() + suffix));
            if (mode != QStringLiteral("wal"))
                QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        }
        QVERIFY(QFile::remove(made));
        QFile::remove(made + QStringLiteral("-wal"));
        QFile::remove(made + QStringLiteral("-shm"));
        const QString beside = path() + (mode == QStringLiteral("wal") ? QStringLiteral("-wal") : QStringLiteral("-journal"));
        QVERIFY(fileBytes(beside).size() > 0);
        const QMap<QString, QByteArray> before = allBytes();

        for (HistoryStore::Access access : {HistoryStore::Access::ReadWrite, HistoryStore::Access::ReadOnly}) {
            HistoryStore store;
            QVERIFY(!store.open(path(), access));
            QCOMPARE(store.problem(), HistoryStore::Problem::NotHistory);
            store.close();
            QCOMPARE(allBytes(), before);
        }
    }

    void ourHistoryWithEverythingStillInItsLogOpens()
    {
        // The game killed in the session that made the history: its runs are
        // all in the log, none merged into the file yet.
        const QString made = dir->filePath(QStringLiteral("made.sqlite"));
        {
            HistoryStore store;
            QVERIFY(store.open(made));
            HistoryStore::Run run = makeRun(5, Monday, 777);
            QVERIFY(store.addRun(run));
            QVERIFY(QFile::copy(made, path()));
            QVERIFY(QFile::copy(made + QStringLiteral("-wal"), path() + QStringLiteral("-wal")));
        }
        HistoryStore store;
        QVERIFY(store.open(path()));
        QCOMPARE(store.runCount(), 1);
        QCOMPARE(store.summary(5).bestTenths, 777);
    }

    void aReadOnlyLookLeavesNothingBeside()
    {
        fillHistory(3);
        const QMap<QString, QByteArray> before = allBytes();
        QCOMPARE(before.size(), 1);
        {
            HistoryStore store;
            QVERIFY(store.open(path(), HistoryStore::Access::ReadOnly));
            QCOMPARE(store.summary(1).runs, 1);
            QVERIFY(store.forEachRun([](const HistoryStore::Run &) { return true; }));
            HistoryStore::Run run = makeRun(2, Monday.addDays(9), 400);
            QVERIFY(!store.addRun(run));
        }
        QCOMPARE(allBytes(), before);
    }

    void aRunIsOneRowAndItsAnswers()
    {
        HistoryStore store;
        QVERIFY(store.open(path()));
        HistoryStore::Run ranked = makeRun(7, Monday, 1234, 3, 50, 4);
        ranked.title = QStringLiteral(u"かげんざん");
        ranked.answers[10] = {98765, false};
        HistoryStore::Run unranked = makeRun(7, Monday.addSecs(600), 1500, 0, 50, 0);
        QVERIFY(store.addRun(ranked));
        QVERIFY(store.addRun(unranked));
        QCOMPARE(ranked.id, 1);
        QCOMPARE(unranked.id, 2);
        store.close();

        RawHistory raw(path());
        QCOMPARE(raw.rows(QStringLiteral("SELECT exercise, title, started_at, finished_at, tenths, wrong,"
                                         " answer_count, rank_place FROM runs ORDER BY id")),
                 QStringList({QStringLiteral(u"7|かげんざん|2026-03-02T09:30:00+09:00|2026-03-02T09:32:03+09:00|1234|3|50|4"),
                              QStringLiteral(u"7|種目7|2026-03-02T09:40:00+09:00|2026-03-02T09:42:30+09:00|1500|0|50|NULL")}));
        QCOMPARE(raw.value(QStringLiteral("SELECT COUNT(*) FROM answers WHERE run_id = 1")).toInt(), 50);
        QCOMPARE(raw.rows(QStringLiteral("SELECT seq, ms, correct FROM answers WHERE run_id = 1 AND seq IN (1, 4, 11)"
                                         " ORDER BY seq")),
                 QStringList({QStringLiteral("1|300|0"), QStringLiteral("4|330|1"), QStringLiteral("11|98765|0")}));
        // Answers belong to their run: the database refuses an answer of no run.
        QVERIFY(raw.exec(QStringLiteral("PRAGMA foreign_keys = ON")));
        QVERIFY(!raw.exec(QStringLiteral("INSERT INTO answers VALUES (99, 1, 5, 1)")));
    }

    void aFailedRunLeavesNothingBehind()
    {
        HistoryStore store;
        QVERIFY(store.open(path()));
        HistoryStore::Run good = makeRun(1, Monday, 200);
        QVERIFY(store.addRun(good));
        HistoryStore::Run bad = makeRun(1, Monday, 250);
        bad.answers[49].ms = -5; // refused by the database at the last answer
        QVERIFY(!store.addRun(bad));
        QCOMPARE(bad.id, 0);
        QVERIFY(!store.lastError().isEmpty());
        QCOMPARE(store.runCount(), 1);
        store.close();
        RawHistory raw(path());
        QCOMPARE(raw.value(QStringLiteral("SELECT COUNT(*) FROM answers")).toInt(), 50);
        QCOMPARE(raw.value(QStringLiteral("PRAGMA foreign_key_check")), QVariant());
    }

    void aggregatesOfOneExercise()
    {
        HistoryStore store;
        QVERIFY(store.open(path()));
        // 25 runs of exercise 4 over five days, a few of exercise 9 in between.
        QRandomGenerator random(2026);
        QList<int> times;
        QList<int> wrongs;
        QMap<QDate, int> dayBest;
        for (int i = 0; i < 25; ++i) {
            const QDateTime start = Monday.addDays(i / 5).addSecs(600 * (i % 5));
            const int tenths = 200 + int(random.bounded(400));
            const int wrong = int(random.bounded(4));
            HistoryStore::Run run = makeRun(4, start, tenths, wrong);
            QVERIFY(store.addRun(run));
            times.append(tenths);
            wrongs.append(wrong);
            const QDate day = start.date();
            dayBest[day] = dayBest.contains(day) ? std::min(dayBest[day], tenths) : tenths;
            if (i % 7 == 0) {
                HistoryStore::Run other = makeRun(9, start.addSecs(60), 50);
                QVERIFY(store.addRun(other));
            }
        }

        const HistoryStore::Summary summary = store.summary(4);
        QCOMPARE(summary.runs, 25);
        QCOMPARE(summary.bestTenths, *std::min_element(times.begin(), times.end()));
        QCOMPARE(summary.lastTenAverageTenths, std::accumulate(times.end() - 10, times.end(), 0) / 10.0);
        QCOMPARE(summary.meanWrong, std::accumulate(wrongs.begin(), wrongs.end(), 0) / 25.0);
        QCOMPARE(summary.lastStartedAt, QStringLiteral("2026-03-06T10:10:00+09:00"));
        QCOMPARE(summary.lastTitle, QStringLiteral(u"種目4"));
        QCOMPARE(store.summary(9).runs, 4);
        QCOMPARE(store.summary(9).bestTenths, 50);
        QCOMPARE(store.summary(12).runs, 0);
        QCOMPARE(store.latestExercise(), 4);

        const QList<HistoryStore::DayBest> days = store.dailyBest(4);
        QCOMPARE(days.size(), 5);
        for (const HistoryStore::DayBest &day : days)
            QCOMPARE(day.tenths, dayBest.value(day.day));
        QCOMPARE(days.front().day, QDate(2026, 3, 2));

        // Cells of a millisecond and a tenth hold one run each, oldest first.
        const qint64 from = Monday.toMSecsSinceEpoch();
        const QList<HistoryStore::RunCell> runs = store.runCells(4, from, 1, 1);
        QCOMPARE(runs.size(), 25);
        QCOMPARE(runs.front().msSinceEpoch, from);
        QCOMPARE(runs.front().tenths, double(times.front()));
        QCOMPARE(runs.back().msSinceEpoch, Monday.addDays(4).addSecs(2400).toMSecsSinceEpoch());
        QCOMPARE(runs.back().tenths, double(times.back()));
        // Cells of a whole day and 100 seconds: one a day, the day's runs averaged.
        const QList<HistoryStore::RunCell> byDay = store.runCells(4, from, 86400000, 1000);
        QCOMPARE(byDay.size(), 5);
        for (int day = 0; day < 5; ++day) {
            QCOMPARE(byDay[day].runs, 5);
            QCOMPARE(byDay[day].msSinceEpoch, Monday.addDays(day).addSecs(1200).toMSecsSinceEpoch());
            QCOMPARE(byDay[day].tenths, std::accumulate(times.begin() + 5 * day, times.begin() + 5 * day + 5, 0) / 5.0);
        }
        QCOMPARE(summary.worstTenths, *std::max_element(times.begin(), times.end()));
    }

    void fewerThanTenRunsAverageWhatThereIs()
    {
        HistoryStore store;
        QVERIFY(store.open(path()));
        for (int tenths : {300, 200, 250}) {
            HistoryStore::Run run = makeRun(2, Monday, tenths);
            QVERIFY(store.addRun(run));
        }
        QCOMPARE(store.summary(2).lastTenAverageTenths, 250.0);
    }

    void slowestAnswersOfTheRecentRuns()
    {
        HistoryStore store;
        QVERIFY(store.open(path()));
        // The oldest run has the slowest answer of all, but is not recent.
        HistoryStore::Run old = makeRun(6, Monday, 300);
        old.answers[0].ms = 60000;
        QVERIFY(store.addRun(old));
        for (int i = 1; i <= 3; ++i) {
            HistoryStore::Run run = makeRun(6, Monday.addSecs(60 * i), 300);
            run.answers[i * 10] = {5000 + i, i != 2};
            QVERIFY(store.addRun(run));
        }
        const QList<HistoryStore::SlowAnswer> slow = store.slowestAnswers(6, 3, 4);
        QCOMPARE(slow.size(), 4);
        QCOMPARE(slow[0].ms, 5003);
        QCOMPARE(slow[0].question, 31);
        QVERIFY(slow[0].correct);
        QCOMPARE(slow[1].ms, 5002);
        QVERIFY(!slow[1].correct);
        QCOMPARE(slow[1].startedAt, QStringLiteral("2026-03-02T09:32:00+09:00"));
        QCOMPARE(slow[2].ms, 5001);
        QCOMPARE(slow[3].ms, 790); // the 50th answer of the newest run
        QCOMPARE(store.slowestAnswers(6, 4, 1).front().ms, 60000);
    }

    void everyRunInOrderWithItsAnswers()
    {
        HistoryStore store;
        QVERIFY(store.open(path()));
        QList<HistoryStore::Run> added;
        for (int i = 0; i < 4; ++i) {
            added.append(makeRun(1 + i, Monday.addSecs(i), 100 + i, i, 48 + i, i == 1 ? 1 : 0));
            QVERIFY(store.addRun(added.back()));
        }
        QList<HistoryStore::Run> read;
        QVERIFY(store.forEachRun([&read](const HistoryStore::Run &run) {
            read.append(run);
            return true;
        }));
        QCOMPARE(read.size(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(read[i].id, added[i].id);
            QCOMPARE(read[i].startedAt, added[i].startedAt);
            QCOMPARE(read[i].rankPlace, added[i].rankPlace);
            QCOMPARE(read[i].answers, added[i].answers);
        }
        int visited = 0;
        QVERIFY(!store.forEachRun([&visited](const HistoryStore::Run &) { return ++visited < 2; }));
        QCOMPARE(visited, 2);
    }

    void momentsAndTimes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("tenths");
        QTest::newRow("plain") << QStringLiteral("123.4") << 1234;
        QTest::newRow("zero") << QStringLiteral("0.0") << 0;
        QTest::newRow("long run") << QStringLiteral("1005.0") << 10050;
        QTest::newRow("spaces") << QStringLiteral(" 12.3 ") << 123;
        QTest::newRow("not a time") << QStringLiteral("abc") << -1;
        QTest::newRow("negative") << QStringLiteral("-1.0") << -1;
        QTest::newRow("empty") << QString() << -1;
    }
    void momentsAndTimes()
    {
        QFETCH(QString, text);
        QFETCH(int, tenths);
        QCOMPARE(HistoryStore::tenthsOf(text), tenths);
    }

    void momentsCarryTheirOffset()
    {
        const QString text = HistoryStore::isoText(QDateTime::currentDateTime());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d([+-]\\d\\d:\\d\\d|Z)$"))
                    .match(text)
                    .hasMatch());
        // Whatever zone a moment comes in, it is kept in the player's local time.
        QCOMPARE(HistoryStore::isoText(Monday.toUTC()), QStringLiteral("2026-03-02T09:30:00+09:00"));
        QCOMPARE(QDateTime::fromString(HistoryStore::isoText(Monday), Qt::ISODate), Monday);
        qputenv("TZ", "UTC0");
        tzset();
        QCOMPARE(HistoryStore::isoText(Monday), QStringLiteral("2026-03-02T00:30:00+00:00"));
        qputenv("TZ", "JST-9");
        tzset();
    }
};

int main(int argc, char *argv[])
{
    // The player's clock is in Japan, whatever this machine's is.
    qputenv("TZ", "JST-9");
    tzset();
    QCoreApplication application(argc, argv);
    TestHistoryStore test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_historystore.moc"
