#pragma once

#include "history/historystore.h"

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>

class QFont;
class QWidget;

// What the records window's chart shows of one exercise: a dot for every
// run and a line of each day's best, against the days played and the time.
struct TimesChartData
{
    // The best of each day: x in milliseconds since the epoch (the day's
    // noon), y in seconds.
    QList<QPointF> dayBest;
    // Every run, gathered by the database into cells of about three pixels.
    QList<HistoryStore::RunCell> runCells;
    // The date axis: its ends, how its labels read and how many there are.
    QDateTime from;
    QDateTime to;
    QString dateFormat;
    int dateTicks = 2;
    // The time axis, in seconds from 0.
    double topSeconds = 10;
    int timeTicks = 3;
};

// The chart, drawn with Qt Charts (or, where Qt comes without it, with
// QPainter: timeschartpainted.h). It is built as a module of its own
// (kashikoro-chart) and loaded when the records window first opens: the
// chart library and the OpenGL libraries behind it are not loaded at start.
class TimesChart
{
public:
    virtual ~TimesChart() = default;
    // The chart's widget, owned by the parent it was made with.
    virtual QWidget *widget() const = 0;
    virtual void plot(const TimesChartData &data) = 0;
    virtual void clear() = 0;
    // The dots shown, as the database gathered them.
    virtual const QList<HistoryStore::RunCell> &runCells() const = 0;
};

// The module's one entry point: a chart whose texts are in font, made as a
// child of parent. The chart goes with its widget's parent.
using MakeTimesChart = TimesChart *(*)(const QFont &font, QWidget *parent);
inline constexpr char MakeTimesChartName[] = "kashikoro_make_times_chart";
inline constexpr char ChartModuleName[] = "kashikoro-chart";
