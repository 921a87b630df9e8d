// Runs played through real exercise windows land in the history; the records
// window shows them; the menu's records menu opens it and exports the CSV;
// a history that cannot be used never disturbs a run or its ranking.

#include "app/frmmain.h"
#include "exercises/02_numbers/frmtrainer2.h"
#include "exercises/05_bigger/frmtrainer5.h"
#include "history/frmseiseki.h"
#include "history/history.h"
#include "history/historycsv.h"
#include "history/historyexport.h"
#include "history/historyrecorder.h"
#include "history/timeschart.h"
#include "support/files.h"
#include "support/historydb.h"
#include "support/trainerfixture.h"

#include <QAction>
#include <QApplication>
#if KASHIKORO_QT_CHARTS
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#endif
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeZone>
#include <QtTest>

#include <ctime>

namespace {

const QDateTime Start(QDate(2026, 3, 2), QTime(20, 0), QTimeZone(9 * 3600));

// Has a window's run tell a recorder on store while it lives.
class Recording
{
public:
    Recording(HistoryStore &store, TrainerWindow &window) : recorder(store), m_link(window.session(), recorder) {}
    HistoryRecorder recorder;

private:
    RunObserverLink m_link;
};

QString digitsOf(QPushButton *button)
{
    return button->text();
}

} // namespace

class TestHistoryWindow : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer5> fx;
    HistoryStore store;
    std::unique_ptr<Recording> recording;

    QString historyPath() const { return historyPathFor(fx.settings->path()); }

    QPushButton *bigger(int i) { return fx.button(qPrintable(QStringLiteral("cmdNum(%1)").arg(i))); }
    int buttonOfLargest()
    {
        int best = 0;
        for (int i = 1; i < 4; ++i)
            if (digitsOf(bigger(i)) > digitsOf(bigger(best)))
                best = i;
        return best;
    }

    // Plays the open どれが大きい？ window to its end: answer q comes after
    // q % 3 + 1 ticks and is wrong when wrong(q). Returns the expected rows of
    // the answers table, "seq|ms|correct".
    template<typename Wrong> QStringList playBigger(Wrong wrong)
    {
        QStringList rows;
        fx.random.pushSeeded(91, 2000);
        fx.clickStart();
        for (int q = 1; q <= 50; ++q) {
            const int ticks = q % 3 + 1;
            fx.ticks(ticks);
            const bool isWrong = wrong(q);
            const int largest = buttonOfLargest();
            fx.click(bigger(isWrong ? (largest + 1) % 4 : largest));
            rows.append(QStringLiteral("%1|%2|%3").arg(q).arg(ticks * 100).arg(isWrong ? 0 : 1));
        }
        return rows;
    }

    void startRecording()
    {
        recording = std::make_unique<Recording>(store, *fx.window);
        recording->recorder.now = [this] { return Start.addMSecs(fx.clock.elapsedMs()); };
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(5));
        fx.stampRankingsAt(QDateTime(QDate(2026, 3, 2), QTime(20, 1)));
    }
    void cleanup()
    {
        recording.reset();
        store.close();
        fx.close();
    }

    void wholeRunLandsInTheHistory()
    {
        QVERIFY(store.open(historyPath()));
        startRecording();
        fx.dialogs->answerText(QStringLiteral(u"はなこ"));
        const QStringList answers = playBigger([](int q) { return q == 9 || q == 50; });

        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("20.1"));
        QCOMPARE(fx.firstRankingLine(), QStringLiteral(u"20.1　はなこ          2026/03/02 20:01"));
        QCOMPARE(fx.dialogs->shown.size(), 1); // the name, and no word about the history

        store.close();
        RawHistory raw(historyPath());
        QCOMPARE(raw.rows(QStringLiteral("SELECT id, exercise, title, started_at, finished_at, tenths, wrong,"
                                         " answer_count, rank_place FROM runs")),
                 QStringList(QStringLiteral(u"1|5|どれが大きい？|2026-03-02T20:00:00+09:00|2026-03-02T20:00:10+09:00"
                                            u"|201|2|50|1")));
        QCOMPARE(raw.rows(QStringLiteral("SELECT seq, ms, correct FROM answers WHERE run_id = 1 ORDER BY seq")), answers);
        QCOMPARE(raw.value(QStringLiteral("SELECT SUM(ms) FROM answers")).toInt(), 10100);
    }

    void stoppedRunRecordsNothing()
    {
        QVERIFY(store.open(historyPath()));
        startRecording();
        fx.random.pushSeeded(5, 500);
        fx.clickStart();
        fx.ticks(4);
        fx.click(bigger(buttonOfLargest()));
        fx.click(bigger(buttonOfLargest()));
        fx.clickStart(); // 中　止
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(store.runCount(), 0);

        // The next run starts afresh: only its own 50 answers count.
        fx.dialogs->answerText(QString());
        playBigger([](int) { return false; });
        QCOMPARE(store.runCount(), 1);
        QCOMPARE(store.summary(5).meanWrong, 0.0);
        RawHistory raw(historyPath());
        QCOMPARE(raw.value(QStringLiteral("SELECT COUNT(*) FROM answers")).toInt(), 50);
        QCOMPARE(raw.value(QStringLiteral("SELECT ms FROM answers WHERE seq = 1")).toInt(), 200);
    }

    void runOutsideTheHundredBestHasNoPlace()
    {
        SettingsFile::Entries entries;
        for (int place = 1; place <= RankStore::Capacity; ++place)
            entries.append({QString::number(place), RankStore::makeLine(QStringLiteral("1.0"), QStringLiteral("a"),
                                                                        Start.toLocalTime())});
        WriteSettings(fx.ranking.RankSection, entries);
        fx.ranking.LoadRanking();

        QVERIFY(store.open(historyPath()));
        startRecording();
        playBigger([](int q) { return q == 1; });
        QCOMPARE(fx.dialogs->shown.size(), 1);
        QCOMPARE(fx.dialogs->shown[0].text, QStringLiteral(u"残念！100位以内に入れませんでした。"));
        RawHistory raw(historyPath());
        QCOMPARE(raw.rows(QStringLiteral("SELECT tenths, wrong, rank_place FROM runs")),
                 QStringList(QStringLiteral("151|1|NULL")));
    }

    void damagedFileSurvivesAndTheGameStillRanks()
    {
        const QByteArray planted = QByteArray("SQLite format 3\0", 16) + QByteArray(3000, '\x01');
        QVERIFY(putBytes(historyPath(), planted));
        QVERIFY(!store.open(historyPath()));
        startRecording();

        fx.dialogs->answerText(QStringLiteral(u"たろう"));
        playBigger([](int) { return false; });
        QCOMPARE(fx.firstRankingLine(), QStringLiteral(u"10.1　たろう          2026/03/02 20:01"));
        QCOMPARE(fx.dialogs->shown.size(), 2);
        QCOMPARE(fx.dialogs->shown[1].kind, QStringLiteral("message"));
        QCOMPARE(fx.dialogs->shown[1].text, HistoryRecorder::unusableMessage(historyPath()));
        QVERIFY(fx.dialogs->shown[1].text.contains(QDir::toNativeSeparators(historyPath())));

        // Told once in the session; the next run ranks in silence.
        fx.dialogs->answerText(QStringLiteral(u"たろう"));
        playBigger([](int) { return false; });
        QCOMPARE(fx.dialogs->shown.size(), 3);
        QCOMPARE(fx.dialogs->shown[2].kind, QStringLiteral("text"));
        QCOMPARE(fileBytes(historyPath()), planted);
        QCOMPARE(ReadSetting(fx.ranking.RankSection, QStringLiteral("2"), QString()).left(5), QStringLiteral(u"10.1　"));
    }

    void rankingIsSaidSafeOnlyWhenThePlaceWasKept_data()
    {
        QTest::addColumn<int>("place");
        QTest::addColumn<bool>("saysRankingSafe");
        QTest::newRow("placed third") << 3 << true;
        QTest::newRow("its place not written") << 0 << false;
    }
    void rankingIsSaidSafeOnlyWhenThePlaceWasKept()
    {
        QFETCH(int, place);
        QFETCH(bool, saysRankingSafe);
        QVERIFY(store.open(historyPath()));
        HistoryRecorder recorder(store);
        RawHistory other(historyPath());
        QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        recorder.runStarted(5, QStringLiteral(u"どっちが大きい？"));
        recorder.answered(true, 100);
        recorder.runFinished(QStringLiteral("10.1"), place);
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        QCOMPARE(fx.dialogs->shown.size(), 1);
        const QString text = fx.dialogs->shown[0].text;
        QCOMPARE(text, HistoryRecorder::notSavedMessage(historyPath(), saysRankingSafe));
        QCOMPARE(text.contains(QStringLiteral(u"ランキングはちゃんと残っているぴこ")), saysRankingSafe);
        QVERIFY(text.contains(QDir::toNativeSeparators(historyPath())));
    }

    void failedWriteIsToldOnceAndPlayGoesOn()
    {
        QVERIFY(store.open(historyPath()));
        startRecording();
        const QByteArray before = fileBytes(historyPath());
        {
            // Another program holds the file while the run ends.
            RawHistory other(historyPath());
            QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            fx.dialogs->answerText(QStringLiteral(u"じろう"));
            playBigger([](int) { return false; });
            QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        }
        QCOMPARE(fx.firstRankingLine().left(5), QStringLiteral(u"10.1　"));
        QCOMPARE(fx.dialogs->shown.size(), 2);
        QCOMPARE(fx.dialogs->shown[1].text, HistoryRecorder::notSavedMessage(historyPath(), true));
        QCOMPARE(fileBytes(historyPath()), before);

        // The file free again, the next run is kept, and nothing more is said.
        fx.dialogs->answerText(QStringLiteral(u"じろう"));
        playBigger([](int) { return false; });
        QCOMPARE(fx.dialogs->shown.size(), 3);
        QCOMPARE(store.runCount(), 1);
    }

    void boardExerciseRecordsEveryPress()
    {
        // 数字順番押し has no fifty questions: each press is an answer, wrong ones too.
        TrainerFixture<frmTrainer2> board;
        QVERIFY(board.open(2));
        QVERIFY(store.open(historyPathFor(board.settings->path())));
        Recording recording(store, *board.window);
        board.random.pushSeeded(3, 5000);
        board.dialogs->answerText(QString());
        board.clickStart();
        const auto showing = [&board](int number) {
            for (int i = 0; i < Numbers::ButtonCount; ++i) {
                QPushButton *button = board.button(qPrintable(QStringLiteral("cmdNum(%1)").arg(i)));
                if (button->text() == QString::number(number))
                    return button;
            }
            return static_cast<QPushButton *>(nullptr);
        };
        for (int number = 1; number <= Numbers::ButtonCount; ++number) {
            board.tick();
            if (number % 16 == 0)
                board.click(showing(number - 1)); // pressed already: wrong
            board.click(showing(number));
        }
        QCOMPARE(store.runCount(), 1);
        const HistoryStore::Summary summary = store.summary(2);
        QCOMPARE(summary.meanWrong, 3.0);
        QCOMPARE(summary.bestTenths, 48 + 150);
        RawHistory raw(historyPathFor(board.settings->path()));
        QCOMPARE(raw.rows(QStringLiteral("SELECT answer_count, rank_place FROM runs")), QStringList(QStringLiteral("51|1")));
        QCOMPARE(raw.rows(QStringLiteral("SELECT seq, ms, correct FROM answers WHERE seq BETWEEN 16 AND 18")),
                 QStringList({QStringLiteral("16|100|0"), QStringLiteral("17|0|1"), QStringLiteral("18|100|1")}));
    }

    void recordsWindowWithRuns()
    {
        QVERIFY(store.open(historyPath()));
        // Exercise 4 on three days; exercise 9 played last.
        const QList<int> times = {612, 580, 655, 540, 530, 575, 498, 505, 520, 489, 470, 466};
        for (int i = 0; i < times.size(); ++i) {
            HistoryStore::Run run = makeRun(4, Start.addDays(i / 4).addSecs(300 * i), times[i], i % 3);
            run.answers[7].ms = 4000 + i;
            QVERIFY(store.addRun(run));
        }
        HistoryStore::Run other = makeRun(9, Start.addDays(5), 777);
        QVERIFY(store.addRun(other));

        frmSeiseki window(store);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral(u"成績"));
        QCOMPARE(window.size(), Twips::size(frmSeiseki::ClientWidth, frmSeiseki::ClientHeight));
        QCOMPARE(window.shownExercise(), 9);

        // The player picks あみだくじ in the list.
        auto *list = window.findChild<QListWidget *>(QStringLiteral("lstExercise"));
        QCOMPARE(list->count(), 14);
        QCOMPARE(list->item(3)->text(), QStringLiteral(u"あみだくじ"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
        QCOMPARE(window.shownExercise(), 4);
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral(u"あみだくじ"));

        const auto value = [&window](int i) {
            return window.findChild<QLabel *>(QStringLiteral("lblValue(%1)").arg(i))->text();
        };
        QCOMPARE(value(0), QStringLiteral(u"12回"));
        QCOMPARE(value(1), QStringLiteral(u"46.6秒"));
        QCOMPARE(value(2), QStringLiteral(u"52.5秒")); // (655 + 540 + ... + 466) / 10 = 524.8 tenths
        QCOMPARE(value(3), QStringLiteral(u"1.0問"));
        QCOMPARE(value(4), QStringLiteral(u"2026/03/04"));

        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabCharts"));
        QVERIFY(tabs->isVisible());
        QVERIFY(!window.findChild<QLabel *>(QStringLiteral("lblEmpty"))->isVisible());
        QCOMPARE(tabs->tabText(0), QStringLiteral(u"タイムの移り変わり"));
        // Drawn by the chart module, found where the game looks for it.
        auto *view = window.findChild<QWidget *>(QStringLiteral("chtTimes"));
        QVERIFY(view);
        QCOMPARE(tabs->widget(0), view);
        // Every run is on the chart, those that would cover each other as one dot.
        int dotted = 0;
        for (const HistoryStore::RunCell &cell : window.shownRunCells()) {
            dotted += cell.runs;
            QVERIFY(cell.tenths >= 466 && cell.tenths <= 655);
        }
        QCOMPARE(dotted, 12);
        QVERIFY(window.shownRunCells().size() >= 10);
#if KASHIKORO_QT_CHARTS
        // Drawn with Qt Charts: its two series hold the runs and the best of each day.
        QChart *chart = qobject_cast<QChartView *>(view)->chart();
        QCOMPARE(chart->series().size(), 2);
        auto *runs = qobject_cast<QScatterSeries *>(chart->series()[0]);
        auto *best = qobject_cast<QLineSeries *>(chart->series()[1]);
        QVERIFY(runs && best);
        QCOMPARE(runs->name(), QStringLiteral(u"毎回のタイム"));
        QCOMPARE(best->count(), 3);
        QCOMPARE(best->at(0).y(), 54.0);
        QCOMPARE(best->at(2).y(), 46.6);
#endif

        // What the player sees: the dots and the orange line are drawn.
        const QImage drawn = view->grab().toImage();
        int orange = 0;
        int blue = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QColor c = drawn.pixelColor(x, y);
                orange += c.red() > 200 && c.green() > 80 && c.green() < 130 && c.blue() < 60;
                blue += c.blue() > 180 && c.red() < 140 && c.blue() - c.red() > 60;
            }
        QVERIFY2(orange > 50, qPrintable(QString::number(orange)));
        QVERIFY2(blue > 50, qPrintable(QString::number(blue)));

        auto *slow = window.findChild<QTableWidget *>(QStringLiteral("tblSlow"));
        QCOMPARE(slow->rowCount(), frmSeiseki::SlowCount);
        QCOMPARE(slow->item(0, 0)->text(), QStringLiteral(u"2026/03/04 20:55"));
        QCOMPARE(slow->item(0, 1)->text(), QStringLiteral(u"8問目"));
        QCOMPARE(slow->item(0, 2)->text(), QStringLiteral(u"4.01秒"));
        QCOMPARE(slow->item(0, 3)->text(), QStringLiteral(u"○"));

        // An exercise nobody has played: words, not an empty axis.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(11)).center());
        QCOMPARE(window.shownExercise(), 12);
        QVERIFY(!tabs->isVisible());
        QLabel *empty = window.findChild<QLabel *>(QStringLiteral("lblEmpty"));
        QVERIFY(empty->isVisible());
        QVERIFY(empty->text().startsWith(QStringLiteral(u"まだ記録がないぴこ。")));
        QCOMPARE(value(0), QStringLiteral(u"－"));
#if KASHIKORO_QT_CHARTS
        QCOMPARE(chart->series().size(), 0);
#endif
        QVERIFY(window.shownRunCells().isEmpty());
    }

    void recordsWindowWithoutChartModule()
    {
        // A chart module gone missing from an installation costs the chart
        // only: the numbers and the slowest answers are there, and the page
        // says what is missing.
        QVERIFY(store.open(historyPath()));
        HistoryStore::Run run = makeRun(4, Start, 512);
        QVERIFY(store.addRun(run));
        const frmSeiseki::ChartMaker usual = frmSeiseki::chartMaker();
        const auto restore = qScopeGuard([&usual] { frmSeiseki::chartMaker() = usual; });
        frmSeiseki::chartMaker() = [](const QFont &, QWidget *) -> TimesChart * { return nullptr; };

        frmSeiseki window(store, nullptr, 4);
        window.show();
        QVERIFY(!window.findChild<QWidget *>(QStringLiteral("chtTimes")));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblValue(1)"))->text(), QStringLiteral(u"51.2秒"));
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabCharts"));
        QVERIFY(tabs->isVisible());
        auto *missing = qobject_cast<QLabel *>(tabs->widget(0));
        QVERIFY(missing);
        QVERIFY(missing->text().contains(QStringLiteral("kashikoro-chart")));
        QCOMPARE(window.findChild<QTableWidget *>(QStringLiteral("tblSlow"))->rowCount(), frmSeiseki::SlowCount);
        QVERIFY(window.shownRunCells().isEmpty());
    }

    void recordsWindowWithoutHistory()
    {
        QVERIFY(putBytes(historyPath(), QByteArray("not a database")));
        QVERIFY(!store.open(historyPath()));
        frmSeiseki window(store);
        window.show();
        QCOMPARE(window.shownExercise(), 1);
        QLabel *empty = window.findChild<QLabel *>(QStringLiteral("lblEmpty"));
        QVERIFY(empty->isVisible());
        QVERIFY(empty->text().contains(QDir::toNativeSeparators(historyPath())));
        QCOMPARE(fileBytes(historyPath()), QByteArray("not a database"));
    }

    void menuOpensTheRecordsAndExports()
    {
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1"));
        GameContext game;
        startHistory(game.history, fx.settings->path());
        QVERIFY(game.history.isOpen());
        HistoryStore::Run run = makeRun(5, Start, 300);
        QVERIFY(game.history.addRun(run));

        frmMain menu(game);
        menu.show();
        QVERIFY(QTest::qWaitFor([&menu] { return !menu.firstActivationPending() && !menu.openWindow(); }));

        // 成績 stands first, the help menu last (the sound options between
        // them are tested with the sounds).
        auto *records = menu.findChild<QMenu *>(QStringLiteral("mnuBarSeiseki"));
        auto *help = menu.findChild<QMenu *>(QStringLiteral("mnuBarHelp"));
        QCOMPARE(menu.menuBar()->actions().first(), records->menuAction());
        QCOMPARE(menu.menuBar()->actions().last(), help->menuAction());
        QCOMPARE(records->title(), QStringLiteral(u"成績(&S)"));
        QStringList items;
        for (QAction *item : records->actions())
            items << item->objectName() << item->text();
        QCOMPARE(items, (QStringList{QStringLiteral("mnuSeiseki"), QStringLiteral(u"成績を見る(&V)"),
                                     QStringLiteral("mnuExport"), QStringLiteral(u"CSVファイルに書き出す(&E)")}));

        // The records window opens modally over the menu, on the run just played.
        QString opened;
        int shownExercise = 0;
        bool modal = false;
        connect(&menu, &frmMain::windowOpened, &menu, [&](QDialog *window) {
            opened = window->objectName();
            QTimer::singleShot(0, window, [&, window] {
                modal = QApplication::activeModalWidget() == window;
                if (auto *records = qobject_cast<frmSeiseki *>(window))
                    shownExercise = records->shownExercise();
                window->close();
            });
        });
        records->actions()[0]->trigger();
        QCOMPARE(opened, QStringLiteral("frmSeiseki"));
        QVERIFY(modal);
        QCOMPARE(shownExercise, 5);

        // The export: the save dialog suggests today's name, the file is written.
        QString suggested;
        const QString target = fx.settings->folder() + QStringLiteral(u"/書き出し");
        const auto restore = qScopeGuard([] { HistoryExport::setSaveDialog(nullptr); });
        HistoryExport::setSaveDialog([&](QWidget *parent, const QString &path) {
            suggested = path;
            return parent == &menu ? target : QString();
        });
        records->actions()[1]->trigger();
        QCOMPARE(QFileInfo(suggested).fileName(), HistoryCsv::defaultFileName(QDate::currentDate()));
        const QByteArray csv = fileBytes(target + QStringLiteral(".csv"));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(csv.count("\r\n"), 2);
        QVERIFY(csv.contains(QStringLiteral(u",5,種目5,").toUtf8()));
        QCOMPARE(fx.dialogs->shown.size(), 1);
        QCOMPARE(fx.dialogs->shown[0].text,
                 QStringLiteral(u"1回分の成績を書き出したぴこ。\n%1").arg(QDir::toNativeSeparators(target + QStringLiteral(".csv"))));

        // Cancelled: nothing written, nothing said.
        HistoryExport::setSaveDialog([](QWidget *, const QString &) { return QString(); });
        records->actions()[1]->trigger();
        QCOMPARE(fx.dialogs->shown.size(), 1);
        QCOMPARE(QDir(fx.settings->folder()).entryList({QStringLiteral("*.csv")}).size(), 1);
    }
};

int main(int argc, char *argv[])
{
    // The player's clock is in Japan, whatever this machine's is.
    qputenv("TZ", "JST-9");
    tzset();
    QApplication application(argc, argv);
    TestHistoryWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_historywindow.moc"
