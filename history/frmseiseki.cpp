#include "history/frmseiseki.h"

#include "exercises/catalogue.h"
#include "history/historystore.h"
#include "run/stopwatch.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QChart>
#include <QApplication>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDir>
#include <QGraphicsItem>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
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

const QColor RunColour(0x3A, 0x7B, 0xD5);
const QColor BestColour(0xE8, 0x6A, 0x10);

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

// Every run as a dot on the chart's plot area, painted in one go from the
// cells the database gathered. (A scatter series of Qt Charts slows with each
// point it holds; a player of some years has tens of thousands of runs.)
class RunDotsItem final : public QGraphicsItem
{
public:
    explicit RunDotsItem(QChart *chart) : QGraphicsItem(chart), m_chart(chart)
    {
        // Above the grid, below the line of each day's best.
        setZValue(3.5);
        QObject::connect(chart, &QChart::plotAreaChanged, chart, [this] {
            prepareGeometryChange();
            update();
        });
    }

    void setCells(QList<HistoryStore::RunCell> cells, qint64 fromMs, qint64 toMs, double topSeconds)
    {
        prepareGeometryChange();
        m_cells = std::move(cells);
        m_fromMs = fromMs;
        m_toMs = std::max(toMs, fromMs + 1);
        m_topTenths = std::max(topSeconds * 10, 1.0);
        update();
    }
    const QList<HistoryStore::RunCell> &cells() const { return m_cells; }

    QRectF boundingRect() const override { return m_chart->plotArea(); }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const QRectF area = m_chart->plotArea();
        painter->save();
        painter->setClipRect(area);
        const QPointF centre(Dot / 2.0, Dot / 2.0);
        for (const HistoryStore::RunCell &cell : std::as_const(m_cells)) {
            const double x = area.left() + area.width() * double(cell.msSinceEpoch - m_fromMs) / double(m_toMs - m_fromMs);
            const double y = area.bottom() - area.height() * cell.tenths / m_topTenths;
            painter->drawImage(QPointF(x, y) - centre, stamp(cell.runs));
        }
        painter->restore();
    }

private:
    static constexpr int Dot = 7;

    // One dot, drawn once: a cell of several runs is darker than a lone run.
    static const QImage &stamp(int runs)
    {
        static const std::array<QImage, 4> stamps = [] {
            std::array<QImage, 4> made;
            for (int i = 0; i < 4; ++i) {
                const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
                QImage image(QSize(Dot, Dot) * ratio, QImage::Format_ARGB32_Premultiplied);
                image.setDevicePixelRatio(ratio);
                image.fill(Qt::transparent);
                QPainter painter(&image);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setPen(Qt::NoPen);
                QColor fill = RunColour;
                fill.setAlpha(150 + 35 * i);
                painter.setBrush(fill);
                painter.drawEllipse(QRectF(0, 0, Dot, Dot));
                made[i] = image;
            }
            return made;
        }();
        return stamps[std::clamp(runs, 1, 4) - 1];
    }

    QChart *m_chart;
    QList<HistoryStore::RunCell> m_cells;
    qint64 m_fromMs = 0;
    qint64 m_toMs = 1;
    double m_topTenths = 1;
};

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
    for (int number = 1; number <= ExerciseCount; ++number)
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

    chtTimes = new QChartView(new QChart());
    chtTimes->setObjectName(QStringLiteral("chtTimes"));
    chtTimes->setRenderHint(QPainter::Antialiasing);
    QChart *chart = chtTimes->chart();
    chart->setFont(Fonts::pGothic(9));
    chart->legend()->setFont(Fonts::pGothic(9));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    m_runDots = new RunDotsItem(chart);
    tabCharts->addTab(chtTimes, QStringLiteral(u"タイムの移り変わり"));

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

    if (exercise < 1 || exercise > ExerciseCount)
        exercise = m_store.latestExercise();
    if (exercise < 1 || exercise > ExerciseCount)
        exercise = 1;
    lstExercise->setCurrentRow(exercise - 1);
    lstExercise->setFocus();
}

frmSeiseki::~frmSeiseki() = default;

QChart *frmSeiseki::timesChart() const
{
    return chtTimes->chart();
}

void frmSeiseki::lstExercise_Click(int row)
{
    if (row >= 0 && row < ExerciseCount)
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
    QChart *chart = chtTimes->chart();
    clearTimesChart();

    // The days from the database, one line each: the best time of that day.
    const QList<HistoryStore::DayBest> days = m_store.dailyBest(exercise);
    QList<QPointF> bestPoints;
    bestPoints.reserve(days.size());
    for (const HistoryStore::DayBest &day : days)
        bestPoints.append(QPointF(double(QDateTime(day.day, QTime(12, 0)).toMSecsSinceEpoch()), day.tenths / 10.0));

    // From the start of the first day to the end of the last, at least a week wide.
    QDate axisFirst = days.isEmpty() ? QDate::currentDate() : days.front().day;
    QDate axisLast = days.isEmpty() ? axisFirst : days.back().day;
    if (axisFirst.daysTo(axisLast) < 6) {
        const qint64 pad = 6 - axisFirst.daysTo(axisLast);
        axisFirst = axisFirst.addDays(-(pad / 2));
        axisLast = axisLast.addDays(pad - pad / 2);
    }
    const QDateTime from(axisFirst, QTime(0, 0));
    const QDateTime to(axisLast.addDays(1), QTime(0, 0));
    const TimeScale scale = timeScale(summary.worstTenths / 10.0);

    // Every run as a dot, gathered by the database into cells of about three
    // pixels: a chart of years of daily play costs no more than a month's.
    const qint64 spanMs = from.msecsTo(to);
    const int cellTenths = std::max(1, int(scale.top * 10 / 90));
    m_runDots->setCells(m_store.runCells(exercise, from.toMSecsSinceEpoch(), std::max<qint64>(1, spanMs / 170), cellTenths),
                    from.toMSecsSinceEpoch(), to.toMSecsSinceEpoch(), scale.top);

    // The legend's entry for the dots; the dots themselves are painted above.
    auto *everyRun = new QScatterSeries();
    everyRun->setName(QStringLiteral(u"毎回のタイム"));
    everyRun->setMarkerSize(7);
    everyRun->setColor(RunColour);
    everyRun->setBorderColor(RunColour);

    auto *dayBest = new QLineSeries();
    dayBest->setName(QStringLiteral(u"その日のベスト"));
    QPen pen(BestColour);
    pen.setWidthF(2.0);
    dayBest->setPen(pen);
    dayBest->setPointsVisible(bestPoints.size() <= 60);
    dayBest->setMarkerSize(5);
    dayBest->replace(bestPoints);

    chart->addSeries(everyRun);
    chart->addSeries(dayBest);

    auto *dateAxis = new QDateTimeAxis();
    dateAxis->setObjectName(QStringLiteral("axisDate"));
    // Days within one year; across years, the year and the month, fewer of them.
    const bool oneYear = axisFirst.year() == axisLast.year();
    dateAxis->setFormat(oneYear ? QStringLiteral("M/d") : QStringLiteral("yyyy/M"));
    dateAxis->setRange(from, to);
    dateAxis->setTickCount(std::clamp<int>(int(axisFirst.daysTo(axisLast)) + 2, 2, oneYear ? 8 : 6));
    dateAxis->setLabelsFont(Fonts::pGothic(9));
    dateAxis->setTitleText(QStringLiteral(u"遊んだ日"));
    dateAxis->setTitleFont(Fonts::pGothic(9));

    auto *timeAxis = new QValueAxis();
    timeAxis->setObjectName(QStringLiteral("axisTime"));
    timeAxis->setRange(0, scale.top);
    timeAxis->setTickCount(scale.ticks);
    timeAxis->setLabelFormat(QStringLiteral("%.0f"));
    timeAxis->setLabelsFont(Fonts::pGothic(9));
    timeAxis->setTitleText(QStringLiteral(u"タイム（秒）"));
    timeAxis->setTitleFont(Fonts::pGothic(9));

    chart->addAxis(dateAxis, Qt::AlignBottom);
    chart->addAxis(timeAxis, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(dateAxis);
        series->attachAxis(timeAxis);
    }
}

void frmSeiseki::clearTimesChart()
{
    QChart *chart = chtTimes->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    m_runDots->setCells({}, 0, 1, 1);
}

const QList<HistoryStore::RunCell> &frmSeiseki::shownRunCells() const
{
    return m_runDots->cells();
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
