#include "history/frmseiseki.h"

#include "exercises/catalogue.h"
#include "history/historystore.h"
#include "history/timeschart.h"
#include "run/stopwatch.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/modules.h"
#include "ui/twips.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const QString Nothing = QStringLiteral(u"－");

const QStringList ValueCaptions = {
    QStringLiteral(u"遊んだ回数"),  QStringLiteral(u"ベスト"), QStringLiteral(u"最近10回の平均"),
    QStringLiteral(u"間違いの平均"), QStringLiteral(u"最後に遊んだ日"),
};

QString seconds(double tenths)
{
    return Stopwatch::format(tenths) + QStringLiteral(u"秒");
}

// A stored start ("2026-12-08T09:05:03+09:00") as the game writes dates, in
// the time the player saw then.
QString shownDate(const QString &stored)
{
    const QDateTime moment = QDateTime::fromString(stored, Qt::ISODate);
    return moment.isValid() ? moment.toString(QStringLiteral("yyyy/MM/dd HH:mm")) : stored;
}

// Only its day: 2026/12/08.
QString shownDay(const QString &stored)
{
    return shownDate(stored).left(10);
}


// The time axis: from 0 to a little above the slowest run, in at most six
// round steps of seconds.
struct TimeScale
{
    double top = 10;
    int ticks = 3;
};

TimeScale timeScale(double slowestSeconds)
{
    const double wanted = std::max(slowestSeconds * 1.05, 1.0);
    const double steps[] = {1, 2, 5, 10, 15, 20, 30, 60, 120, 300, 600, 1200, 1800, 3600, 7200, 18000, 36000};
    double step = steps[std::size(steps) - 1];
    for (const double candidate : steps)
        if (wanted / candidate <= 6) {
            step = candidate;
            break;
        }
    const int intervals = std::max(1, int(std::ceil(wanted / step)));
    return {intervals * step, intervals + 1};
}

} // namespace

frmSeiseki::frmSeiseki(const HistoryStore &store, QWidget *parent, int exercise) : QDialog(parent), m_store(store)
{
    setObjectName(QStringLiteral("frmSeiseki"));
    setWindowTitle(QStringLiteral(u"成績"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(Twips::size(ClientWidth, ClientHeight));

    lstExercise = new QListWidget(this);
    lstExercise->setObjectName(QStringLiteral("lstExercise"));
    lstExercise->setFont(Fonts::pGothic(12));
    lstExercise->setGeometry(Twips::rect(120, 120, 2880, 7560));
    const auto titles = exerciseTitles();
    for (int number = 1; number <= exerciseCount(); ++number)
        lstExercise->addItem(titles[number]);

    lblTitle = Controls::label(this, QStringLiteral("lblTitle"), QString(), Fonts::pGothic(15.75, true),
                               Twips::rect(3240, 120, 8640, 420));

    for (int i = 0; i < int(lblValue.size()); ++i) {
        const int left = 3240 + 1728 * i;
        Controls::label(this, QStringLiteral("lblCaption(%1)").arg(i), ValueCaptions[i], Fonts::pGothic(9),
                        Twips::rect(left, 600, 1680, 300), Qt::AlignHCenter | Qt::AlignBottom);
        lblValue[i] = Controls::label(this, QStringLiteral("lblValue(%1)").arg(i), Nothing,
                                      Fonts::pGothic(i == 4 ? 12 : 14.25, true), Twips::rect(left, 900, 1680, 480),
                                      Qt::AlignCenter);
    }

    tabCharts = new QTabWidget(this);
    tabCharts->setObjectName(QStringLiteral("tabCharts"));
    tabCharts->setFont(Fonts::pGothic(10.5));
    tabCharts->setGeometry(Twips::rect(3240, 1500, 8640, 5520));

    m_chart = chartMaker()(Fonts::pGothic(9), nullptr);
    QWidget *chartPage = m_chart ? m_chart->widget() : nullptr;
    if (!chartPage) {
        // Without the chart the rest of the window still works.
        auto *lblNoChart = Controls::label(nullptr, QStringLiteral("lblNoChart"),
                                           QStringLiteral(u"グラフを描く部品（%1）が見つからないので、"
                                                          u"グラフは出せないぴこ。")
                                               .arg(QLatin1String(ChartModuleName)),
                                           Fonts::pGothic(10.5), QRect(), Qt::AlignCenter);
        lblNoChart->setWordWrap(true);
        chartPage = lblNoChart;
    }
    tabCharts->addTab(chartPage, QStringLiteral(u"タイムの移り変わり"));

    auto *slowPage = new QWidget();
    slowPage->setObjectName(QStringLiteral("slowPage"));
    auto *slowLayout = new QVBoxLayout(slowPage);
    auto *lblSlowNote = new QLabel(
        QStringLiteral(u"最近の%1回のなかで、答えるのに時間がかかった問題だぴこ。").arg(SlowRuns), slowPage);
    lblSlowNote->setObjectName(QStringLiteral("lblSlowNote"));
    lblSlowNote->setFont(Fonts::pGothic(10.5));
    slowLayout->addWidget(lblSlowNote);
    tblSlow = new QTableWidget(0, 4, slowPage);
    tblSlow->setObjectName(QStringLiteral("tblSlow"));
    tblSlow->setFont(Fonts::pGothic(10.5));
    tblSlow->setHorizontalHeaderLabels({QStringLiteral(u"遊んだ日"), QStringLiteral(u"何問目"),
                                        QStringLiteral(u"かかった時間"), QStringLiteral(u"答え")});
    tblSlow->verticalHeader()->setVisible(false);
    tblSlow->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblSlow->setSelectionMode(QAbstractItemView::NoSelection);
    tblSlow->setFocusPolicy(Qt::NoFocus);
    tblSlow->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    slowLayout->addWidget(tblSlow);
    tabCharts->addTab(slowPage, QStringLiteral(u"時間のかかった問題"));

    lblEmpty = Controls::label(this, QStringLiteral("lblEmpty"), QString(), Fonts::pGothic(12),
                               Twips::rect(3240, 1500, 8640, 5520), Qt::AlignCenter);
    lblEmpty->setWordWrap(true);
    lblEmpty->setFrameShape(QFrame::StyledPanel);
    lblEmpty->hide();

    cmdClose = Controls::button(this, QStringLiteral("cmdClose"), QStringLiteral(u"閉　じ　る"), Fonts::pGothic(12),
                                Twips::rect(10065, 7185, 1815, 495));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(lstExercise, &QListWidget::currentRowChanged, this, &frmSeiseki::lstExercise_Click);

    if (exercise < 1 || exercise > exerciseCount())
        exercise = m_store.latestExercise();
    if (exercise < 1 || exercise > exerciseCount())
        exercise = 1;
    lstExercise->setCurrentRow(exercise - 1);
    lstExercise->setFocus();
}

frmSeiseki::~frmSeiseki() = default;

frmSeiseki::ChartMaker &frmSeiseki::chartMaker()
{
    static ChartMaker maker = [](const QFont &font, QWidget *parent) -> TimesChart * {
        static const auto make = Modules::entry<MakeTimesChart>(ChartModuleName, MakeTimesChartName);
        return make ? make(font, parent) : nullptr;
    };
    return maker;
}

void frmSeiseki::lstExercise_Click(int row)
{
    if (row >= 0 && row < exerciseCount())
        showExercise(row + 1);
}

void frmSeiseki::showExercise(int exercise)
{
    m_exercise = exercise;
    lblTitle->setText(lstExercise->item(exercise - 1)->text());
    if (!m_store.isOpen()) {
        for (QLabel *value : lblValue)
            value->setText(Nothing);
        showEmpty(QStringLiteral(u"成績の記録ファイルが使えないので、今回は成績を見られないぴこ。\n"
                                 u"ファイルはそのままにしてあるぴこ。\n\n%1")
                      .arg(QDir::toNativeSeparators(m_store.path())));
        return;
    }
    const HistoryStore::Summary summary = m_store.summary(exercise);
    showSummary(summary);
    if (summary.runs == 0) {
        showEmpty(QStringLiteral(u"まだ記録がないぴこ。\n\n開始ボタンで始めて、最後の問題まで答えると、\n"
                                 u"ここにタイムが記録されるぴこ。"));
        return;
    }
    lblEmpty->hide();
    tabCharts->show();
    showTimesChart(exercise, summary);
    showSlowAnswers(exercise);
}

void frmSeiseki::showEmpty(const QString &text)
{
    tabCharts->hide();
    lblEmpty->setText(text);
    lblEmpty->show();
    clearTimesChart();
    tblSlow->setRowCount(0);
}

void frmSeiseki::showSummary(const HistoryStore::Summary &summary)
{
    if (summary.runs == 0) {
        for (QLabel *value : lblValue)
            value->setText(Nothing);
        return;
    }
    lblValue[0]->setText(QStringLiteral(u"%1回").arg(QLocale(QLocale::Japanese).toString(summary.runs)));
    lblValue[1]->setText(seconds(summary.bestTenths));
    lblValue[2]->setText(seconds(summary.lastTenAverageTenths));
    lblValue[3]->setText(QStringLiteral(u"%1問").arg(summary.meanWrong, 0, 'f', 1));
    lblValue[4]->setText(shownDay(summary.lastStartedAt));
}

void frmSeiseki::showTimesChart(int exercise, const HistoryStore::Summary &summary)
{
    if (!m_chart)
        return;
    TimesChartData data;
    // The days from the database, one line each: the best time of that day.
    const QList<HistoryStore::DayBest> days = m_store.dailyBest(exercise);
    data.dayBest.reserve(days.size());
    for (const HistoryStore::DayBest &day : days)
        data.dayBest.append(QPointF(double(QDateTime(day.day, QTime(12, 0)).toMSecsSinceEpoch()), day.tenths / 10.0));

    // From the start of the first day to the end of the last, at least a week wide.
    QDate axisFirst = days.isEmpty() ? QDate::currentDate() : days.front().day;
    QDate axisLast = days.isEmpty() ? axisFirst : days.back().day;
    if (axisFirst.daysTo(axisLast) < 6) {
        const qint64 pad = 6 - axisFirst.daysTo(axisLast);
        axisFirst = axisFirst.addDays(-(pad / 2));
        axisLast = axisLast.addDays(pad - pad / 2);
    }
    data.from = QDateTime(axisFirst, QTime(0, 0));
    data.to = QDateTime(axisLast.addDays(1), QTime(0, 0));
    // Days within one year; across years, the year and the month, fewer of them.
    const bool oneYear = axisFirst.year() == axisLast.year();
    data.dateFormat = oneYear ? QStringLiteral("M/d") : QStringLiteral("yyyy/M");
    data.dateTicks = std::clamp<int>(int(axisFirst.daysTo(axisLast)) + 2, 2, oneYear ? 8 : 6);
    const TimeScale scale = timeScale(summary.worstTenths / 10.0);
    data.topSeconds = scale.top;
    data.timeTicks = scale.ticks;

    // Every run as a dot, gathered by the database into cells of about three
    // pixels: a chart of years of daily play costs no more than a month's.
    const qint64 spanMs = data.from.msecsTo(data.to);
    const int cellTenths = std::max(1, int(scale.top * 10 / 90));
    data.runCells = m_store.runCells(exercise, data.from.toMSecsSinceEpoch(), std::max<qint64>(1, spanMs / 170),
                                     cellTenths);
    m_chart->plot(data);
}

void frmSeiseki::clearTimesChart()
{
    if (m_chart)
        m_chart->clear();
}

const QList<HistoryStore::RunCell> &frmSeiseki::shownRunCells() const
{
    static const QList<HistoryStore::RunCell> none;
    return m_chart ? m_chart->runCells() : none;
}

void frmSeiseki::showSlowAnswers(int exercise)
{
    const QList<HistoryStore::SlowAnswer> answers = m_store.slowestAnswers(exercise, SlowRuns, SlowCount);
    tblSlow->setRowCount(int(answers.size()));
    for (int row = 0; row < int(answers.size()); ++row) {
        const HistoryStore::SlowAnswer &answer = answers[row];
        const QStringList cells = {shownDate(answer.startedAt), QStringLiteral(u"%1問目").arg(answer.question),
                                   QStringLiteral(u"%1秒").arg(answer.ms / 1000.0, 0, 'f', 2),
                                   answer.correct ? QStringLiteral(u"○") : QStringLiteral(u"×")};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            tblSlow->setItem(row, column, item);
        }
    }
}
