// How fast the rankings load and how fast a rank-in reaches the file, on a
// settings file with all fourteen rankings full (1,400 ranking lines).

#include "exercises/catalogue.h"
#include "settings/appstate.h"
#include "ranking/rankstore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct FullSettings
{
    QTemporaryDir dir;

    FullSettings()
    {
        setSettingsFilePath(dir.filePath(QStringLiteral(u"カシコロ.ini")));
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("ver"), QStringLiteral("Ver 9.1.0"));
        const QDateTime stamp(QDate(2026, 12, 8), QTime(9, 5));
        for (int exercise = 1; exercise <= exerciseCount(); ++exercise) {
            SettingsFile::Entries entries;
            for (int place = 1; place <= RankStore::Capacity; ++place) {
                const QString time = QString::number(10.0 + place * 0.7, 'f', 1);
                entries.append({QString::number(place), RankStore::makeLine(time, QStringLiteral(u"ごんべえ"), stamp)});
            }
            WriteSettings(exerciseTitles()[exercise], entries);
        }
    }
};

FullSettings &settings()
{
    static FullSettings full;
    return full;
}

RankStore &storeFor(int exercise)
{
    settings();
    static RankStore store;
    store.RankSection = exerciseTitles()[exercise];
    store.RankTitle = store.RankSection;
    return store;
}

void LoadRanking(benchmark::State &state)
{
    RankStore &store = storeFor(7);
    for (auto _ : state) {
        store.LoadRanking();
        benchmark::DoNotOptimize(store.RankData[100].size());
    }
}
BENCHMARK(LoadRanking)->Unit(benchmark::kMicrosecond);

void LoadRankingFirstRead(benchmark::State &state)
{
    // As when the game has just started: the file is read and parsed once.
    RankStore &store = storeFor(7);
    for (auto _ : state) {
        state.PauseTiming();
        setSettingsFilePath(app().SettingsFilePath);
        state.ResumeTiming();
        store.LoadRanking();
        benchmark::DoNotOptimize(store.RankData[100].size());
    }
}
BENCHMARK(LoadRankingFirstRead)->Unit(benchmark::kMicrosecond);

void RankInAtPlaceOne(benchmark::State &state)
{
    RankStore &store = storeFor(3);
    store.LoadRanking();
    const QString line = RankStore::makeLine(QStringLiteral("1.0"), QStringLiteral("bench"), QDateTime::currentDateTime());
    for (auto _ : state)
        store.InsertRanking(1, line);
}
BENCHMARK(RankInAtPlaceOne)->Unit(benchmark::kMicrosecond);

void RankInAtPlaceOneKeyByKey(benchmark::State &state)
{
    // The same rank-in with the places written back one key, one file replace, at a time.
    RankStore &store = storeFor(4);
    store.LoadRanking();
    const QString line = RankStore::makeLine(QStringLiteral("1.0"), QStringLiteral("bench"), QDateTime::currentDateTime());
    for (auto _ : state) {
        for (int c = RankStore::Capacity; c > 1; --c)
            store.RankData[c] = store.RankData[c - 1];
        store.RankData[1] = line;
        for (int i = 1; i <= RankStore::Capacity; ++i)
            WriteSetting(store.RankSection, QString::number(i), store.RankData[i]);
    }
}
BENCHMARK(RankInAtPlaceOneKeyByKey)->Unit(benchmark::kMicrosecond);

} // namespace
