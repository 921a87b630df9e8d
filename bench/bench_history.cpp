// The history at 100,000 runs (five million answers): how long recording one
// more 50-answer run takes, how long the records window takes from opening to
// its first chart drawn, and how long the CSV export of everything takes.

#include "history/frmseiseki.h"
#include "history/historycsv.h"
#include "history/historystore.h"

#include <QBuffer>
#include <QChartView>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int Runs = 100000;

// A history of Runs runs, fifteen minutes apart from the end of 2023 on, each
// with 50 answers; made in SQL, not through the store, to be ready in seconds.
// exercises = 14 spreads the runs over every exercise, 1 puts them all in one.
class BigHistory
{
public:
    explicit BigHistory(int exercises)
    {
        const QString path = m_dir.filePath(QStringLiteral("history.sqlite"));
        {
            HistoryStore maker;
            if (!maker.open(path))
                qFatal("cannot make %s", qPrintable(path));
        }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-fill"));
            db.setDatabaseName(path);
            if (!db.open())
                qFatal("cannot open %s", qPrintable(path));
            QSqlQuery query(db);
            const QStringList steps = {
                QStringLiteral("BEGIN"),
                QStringLiteral(
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)"
                    " INSERT INTO runs (id, exercise, title, started_at, finished_at, tenths, wrong, answer_count,"
                    " rank_place)"
                    " SELECT i, (i % %2) + 1, 'title', strftime('%Y-%m-%dT%H:%M:%S+09:00', 1703980800 + i * 900,"
                    " 'unixepoch'), strftime('%Y-%m-%dT%H:%M:%S+09:00', 1703980860 + i * 900, 'unixepoch'),"
                    " 300 + abs(random()) % 600, abs(random()) % 4, 50, NULL FROM n")
                    .arg(Runs)
                    .arg(exercises),
                QStringLiteral("WITH RECURSIVE s(q) AS (SELECT 1 UNION ALL SELECT q + 1 FROM s WHERE q < 50)"
                               " INSERT INTO answers SELECT r.id, s.q, 300 + abs(random()) % 1500,"
                               " abs(random()) % 10 > 0 FROM runs AS r, s ORDER BY r.id, s.q"),
                QStringLiteral("COMMIT"),
            };
            for (const QString &sql : steps)
                if (!query.exec(sql))
                    qFatal("%s", qPrintable(query.lastError().text()));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench-fill"));
        if (!store.open(path))
            qFatal("cannot open the history");
    }

    HistoryStore store;

private:
    QTemporaryDir m_dir;
};

BigHistory &history(int exercises)
{
    static std::unique_ptr<BigHistory> spread;
    static std::unique_ptr<BigHistory> single;
    std::unique_ptr<BigHistory> &made = exercises == 1 ? single : spread;
    if (!made)
        made = std::make_unique<BigHistory>(exercises);
    return *made;
}

HistoryStore::Run fiftyAnswers()
{
    HistoryStore::Run run;
    run.exercise = 7;
    run.title = QStringLiteral(u"かげんざん");
    run.startedAt = HistoryStore::isoText(QDateTime::currentDateTime());
    run.finishedAt = run.startedAt;
    run.tenths = 523;
    run.wrong = 2;
    run.rankPlace = 3;
    for (int i = 0; i < 50; ++i)
        run.answers.append({800 + 13 * i, i % 20 != 7});
    return run;
}

void RecordRun(benchmark::State &state)
{
    HistoryStore &store = history(14).store;
    const HistoryStore::Run prototype = fiftyAnswers();
    for (auto _ : state) {
        HistoryStore::Run run = prototype;
        if (!store.addRun(run))
            state.SkipWithError("the run was not recorded");
    }
}
BENCHMARK(RecordRun)->Unit(benchmark::kMillisecond)->Iterations(200);

// From opening the window to its chart drawn for the exercise played last.
void OpenRecordsWindow(benchmark::State &state)
{
    HistoryStore &store = history(int(state.range(0))).store;
    for (auto _ : state) {
        frmSeiseki window(store);
        window.show();
        const QImage chart = window.findChild<QChartView *>(QStringLiteral("chtTimes"))->grab().toImage();
        benchmark::DoNotOptimize(chart.constBits());
    }
    state.counters["runs_shown"] = store.summary(store.latestExercise()).runs;
}
BENCHMARK(OpenRecordsWindow)->Arg(14)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

void ExportCsv(benchmark::State &state)
{
    HistoryStore &store = history(14).store;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!HistoryCsv::write(store, buffer))
            state.SkipWithError("the export failed");
        state.counters["bytes"] = double(buffer.size());
    }
}
BENCHMARK(ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
