#include "history/frmseiseki.h"

#include "exercises/catalogue.h"
#include "history/historystore.h"
#include "history/historyrecorder.h"
#include "run/stopwatch.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

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

// Every run is one small dot, painted straight onto the chart: tens of
// thousands of runs draw as fast as a handful.
QImage runMarker()
{
    QImage image(9, 9, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor fill = RunColour;
    fill.setAlpha(170);
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(1, 1, 7, 7));
    return image;
}

// The top of the time axis: a round number of seconds above the slowest run.
double axisTop(double seconds)
{
    const double steps[] = {10, 20, 30, 50, 60, 90, 120, 180, 240, 300, 600, 900, 1200, 1800, 3600};
    for (const double step : steps)
        if (seconds * 1.05 <= step)
            return step;
    return std::ceil(seconds * 1.05 / 600.0) * 600.0;
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
    for (int number = 1; number <= ExerciseCount; ++number)
        lstExercise->addItem(titles[number]);

    lblTitle = Controls::label(this, QStringLiteral("lblTitle"), QString(), Fonts::pGothic(15.75, true),
                               Twips::rect(3240, 120, 8640, 420));

    for (int i = 0; i < int(lblValue.size()); ++i) {
        const int left = 3240 + 1728 * i;
        Controls::label(this, QStringLiteral("lblCaption(%1)").arg(i), ValueCaptions[i], Fonts::pGothic(9),
                        Twips::rect(left, 600, 1680, 300), Qt::AlignHCenter | Qt::AlignBottom);
        lblValue[i] = Controls::label(this, QStringLiteral("lblValue(%1)").arg(i), Nothing,
                                      Fonts::pGothic(i == 4 ? 10.5 : 14.25, true), Twips::rect(left, 900, 1680, 480),
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
    showSummary(exercise);
    if (lblValue[0]->text() == Nothing) {
        showEmpty(QStringLiteral(u"まだ記録がないぴこ。\n\n開始ボタンで始めて、最後の問題まで答えると、\n"
                                 u"ここにタイムが記録されるぴこ。"));
        return;
    }
    lblEmpty->hide();
    tabCharts->show();
    showTimesChart(exercise);
    showSlowAnswers(exercise);
}

void frmSeiseki::showEmpty(const QString &text)
{
    tabCharts->hide();
    lblEmpty->setText(text);
    lblEmpty->show();
    QChart *chart = chtTimes->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    tblSlow->setRowCount(0);
}

void frmSeiseki::showSummary(int exercise)
{
    const HistoryStore::Summary summary = m_store.summary(exercise);
    if (summary.runs == 0) {
        for (QLabel *value : lblValue)
            value->setText(Nothing);
        return;
    }
    lblValue[0]->setText(QStringLiteral(u"%1回").arg(summary.runs));
    lblValue[1]->setText(seconds(summary.bestTenths));
    lblValue[2]->setText(seconds(summary.lastTenAverageTenths));
    lblValue[3]->setText(QStringLiteral(u"%1問").arg(summary.meanWrong, 0, 'f', 1));
    lblValue[4]->setText(shownDate(summary.lastStartedAt));
}

void frmSeiseki::showTimesChart(int exercise)
{
    QChart *chart = chtTimes->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }

    // Both lists come aggregated and ordered from the database.
    const QList<HistoryStore::RunPoint> runs = m_store.runPoints(exercise);
    const QList<HistoryStore::DayBest> days = m_store.dailyBest(exercise);

    QList<QPointF> runPoints;
    runPoints.reserve(runs.size());
    int slowest = 0;
    for (const HistoryStore::RunPoint &run : runs) {
        runPoints.append(QPointF(double(run.msSinceEpoch), run.tenths / 10.0));
        slowest = std::max(slowest, run.tenths);
    }
    QList<QPointF> bestPoints;
    bestPoints.reserve(days.size());
    for (const HistoryStore::DayBest &day : days)
        bestPoints.append(QPointF(double(QDateTime(day.day, QTime(12, 0)).toMSecsSinceEpoch()), day.tenths / 10.0));

    auto *everyRun = new QScatterSeries();
    everyRun->setName(QStringLiteral(u"毎回のタイム"));
    everyRun->setMarkerSize(9);
    everyRun->setColor(RunColour);
    everyRun->setBorderColor(RunColour);
    everyRun->setLightMarker(runMarker());
    everyRun->replace(runPoints);

    auto *dayBest = new QLineSeries();
    dayBest->setName(QStringLiteral(u"その日のベスト"));
    QPen pen(BestColour);
    pen.setWidthF(2.0);
    dayBest->setPen(pen);
    dayBest->setPointsVisible(bestPoints.size() <= 60);
    dayBest->setMarkerSize(6);
    dayBest->replace(bestPoints);

    chart->addSeries(everyRun);
    chart->addSeries(dayBest);

    // From the start of the first day to the end of the last, at least a week wide.
    const QDate firstDay = days.isEmpty() ? QDate::currentDate() : days.front().day;
    QDate lastDay = days.isEmpty() ? firstDay : days.back().day;
    QDate axisFirst = firstDay;
    if (axisFirst.daysTo(lastDay) < 6) {
        const qint64 pad = 6 - axisFirst.daysTo(lastDay);
        axisFirst = axisFirst.addDays(-(pad / 2));
        lastDay = lastDay.addDays(pad - pad / 2);
    }
    auto *dateAxis = new QDateTimeAxis();
    dateAxis->setObjectName(QStringLiteral("axisDate"));
    dateAxis->setFormat(axisFirst.year() == lastDay.year() ? QStringLiteral("M/d") : QStringLiteral("yyyy/M/d"));
    dateAxis->setRange(QDateTime(axisFirst, QTime(0, 0)), QDateTime(lastDay.addDays(1), QTime(0, 0)));
    dateAxis->setTickCount(std::clamp<int>(int(axisFirst.daysTo(lastDay)) + 2, 2, 8));
    dateAxis->setLabelsFont(Fonts::pGothic(9));
    dateAxis->setTitleText(QStringLiteral(u"遊んだ日"));
    dateAxis->setTitleFont(Fonts::pGothic(9));

    auto *timeAxis = new QValueAxis();
    timeAxis->setObjectName(QStringLiteral("axisTime"));
    timeAxis->setRange(0, axisTop(slowest / 10.0));
    timeAxis->setTickCount(6);
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
