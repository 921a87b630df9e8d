#pragma once

#include "history/historystore.h"

#include <QDialog>

#include <array>
#include <functional>

class TimesChart;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTabWidget;

// The records window (成績): for the exercise chosen in the list, how many
// runs, the best, the average of the last ten, the mean wrong answers and the
// day of the last run; a chart of every run's time over the days with a line
// of each day's best; and the slowest answers of the recent runs.
class frmSeiseki : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 12000;
    static constexpr int ClientHeight = 7800;
    // The slowest answers are looked for among this many recent runs.
    static constexpr int SlowRuns = 100;
    static constexpr int SlowCount = 10;

    // Opens on exercise (1 to 14), or on the one played last when 0.
    explicit frmSeiseki(const HistoryStore &store, QWidget *parent = nullptr, int exercise = 0);
    ~frmSeiseki() override;

    int shownExercise() const { return m_exercise; }
    // The dots of every run on the chart, as the database gathered them.
    const QList<HistoryStore::RunCell> &shownRunCells() const;

    // How a window gets its chart: from the chart module, found where the
    // game looks for its modules; nothing when it is missing. Tests may stand
    // another in.
    using ChartMaker = std::function<TimesChart *(const QFont &font, QWidget *parent)>;
    static ChartMaker &chartMaker();

public slots:
    void lstExercise_Click(int row);

private:
    void showExercise(int exercise);
    void showSummary(const HistoryStore::Summary &summary);
    void showTimesChart(int exercise, const HistoryStore::Summary &summary);
    void clearTimesChart();
    void showSlowAnswers(int exercise);
    void showEmpty(const QString &text);

    const HistoryStore &m_store;
    int m_exercise = 0;

    QListWidget *lstExercise = nullptr;
    QLabel *lblTitle = nullptr;
    // 回数, ベスト, 最近10回の平均, 間違いの平均, 最後に遊んだ日
    std::array<QLabel *, 5> lblValue{};
    QTabWidget *tabCharts = nullptr;
    TimesChart *m_chart = nullptr; // goes with its widget, a page of tabCharts
    QTableWidget *tblSlow = nullptr;
    QLabel *lblEmpty = nullptr;
    QPushButton *cmdClose = nullptr;
};
