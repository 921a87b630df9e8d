// kashikoro-history: the history of played runs, for scripts.
//
//   kashikoro-history FILE export [OUT.csv]
//   kashikoro-history FILE summary
//
// FILE is the game's history (カシコロ-history.sqlite beside カシコロ.ini). It
// is only read, and nothing is left beside it: a file that is not a history of
// the game, or a damaged one, is left as it is. Whatever cannot be read whole
// ends the command with status 1 and a message.
// export writes the CSV the game's menu writes (UTF-8 with a byte-order mark,
// CR LF, one line per run after a header line) to OUT.csv, or to standard
// output without it. summary prints one tab-separated line per exercise
// played: number, title, runs, best, average of the last ten, mean wrong
// answers, start of the last run.

#include "history/historycsv.h"
#include "history/historystore.h"
#include "run/stopwatch.h"
#include "settings/appstate.h"

#include "tools/console.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

using Console::print;

int usage()
{
    print(stderr, QStringLiteral("usage: kashikoro-history FILE export [OUT.csv]\n"
                                 "       kashikoro-history FILE summary\n"
                                 "FILE is the game's history file (カシコロ-history.sqlite); it is only read.\n"
                                 "export writes the CSV to OUT.csv, or to standard output without it.\n"));
    return 2;
}

int fail(const QString &message)
{
    print(stderr, QStringLiteral("kashikoro-history: ") + message + QLatin1Char('\n'));
    return 1;
}

QString detail(const HistoryStore &store)
{
    return store.lastError().isEmpty() ? QString() : QStringLiteral(" (") + store.lastError() + QLatin1Char(')');
}

QString reason(const HistoryStore &store)
{
    switch (store.problem()) {
    case HistoryStore::Problem::Missing:
        return QStringLiteral("no such file");
    case HistoryStore::Problem::NotHistory:
        return QStringLiteral("not a history file of the game (left as it is)");
    case HistoryStore::Problem::Damaged:
        return QStringLiteral("the history file is damaged (left as it is)") + detail(store);
    case HistoryStore::Problem::NewerVersion:
        return QStringLiteral("written by a newer version of the game");
    case HistoryStore::Problem::Locked:
        return QStringLiteral("locked by another program");
    default:
        return QStringLiteral("cannot open the file") + detail(store);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    Console::useBytesAsGiven();
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return usage();
    const QString &path = args[1];
    const QString &command = args[2];
    const qsizetype operands = args.size() - 3;
    if (!((command == QStringLiteral("export") && operands <= 1) || (command == QStringLiteral("summary") && operands == 0)))
        return usage();

    HistoryStore store;
    if (!store.open(path, HistoryStore::Access::ReadOnly))
        return fail(path + QStringLiteral(": ") + reason(store));

    const auto readingFailed = [&] {
        return fail(path + QStringLiteral(": cannot read the history whole") + detail(store));
    };
    if (command == QStringLiteral("export")) {
        if (operands == 1) {
            if (!HistoryCsv::writeFile(store, args[3]))
                return store.hasReadFailed() ? readingFailed()
                                             : fail(args[3] + QStringLiteral(": cannot write the CSV file"));
            return 0;
        }
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || !HistoryCsv::write(store, out))
            return store.hasReadFailed() ? readingFailed() : fail(QStringLiteral("cannot write the CSV"));
        return 0;
    }

    // Every exercise the history holds runs of: their numbers have two
    // digits, as their folders do (NN_name).
    for (int exercise = 1; exercise <= 99; ++exercise) {
        const HistoryStore::Summary summary = store.summary(exercise);
        if (summary.runs == 0)
            continue;
        const QStringList fields = {QString::number(exercise),
                                    summary.lastTitle,
                                    QString::number(summary.runs),
                                    Stopwatch::format(summary.bestTenths),
                                    Stopwatch::format(summary.lastTenAverageTenths),
                                    QString::number(summary.meanWrong, 'f', 2),
                                    summary.lastStartedAt};
        print(stdout, fields.join(QLatin1Char('\t')) + QLatin1Char('\n'));
    }
    return store.hasReadFailed() ? readingFailed() : 0;
}
