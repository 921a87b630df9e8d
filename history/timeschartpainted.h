#pragma once

#include "history/timeschart.h"

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

// The records window's chart drawn with QPainter on a plain widget, for a Qt
// that comes without Qt Charts (the Windows build): the same dots, line, axes,
// titles and legend as the Qt Charts one, in the same colours and font. It
// paints in the widget's own coordinates, so it is sharp at any screen scale
// and follows every resize.
class TimesChartPainted final : public QWidget, public TimesChart
{
public:
    TimesChartPainted(const QFont &font, QWidget *parent = nullptr);

    QWidget *widget() const override { return const_cast<TimesChartPainted *>(this); }
    void plot(const TimesChartData &data) override;
    void clear() override;
    const QList<HistoryStore::RunCell> &runCells() const override { return m_data.runCells; }

    // A text the chart writes and the box it is written in.
    struct Label
    {
        QString text;
        QRectF box;
    };

    // Where everything goes for a widget of a given size. The painting reads
    // nothing else, so what this says is where the pixels are.
    struct Layout
    {
        // The white card the chart lies on.
        QRectF card;
        // The plot area, the axes along its left and bottom edges. Empty
        // when nothing is plotted.
        QRectF plotArea;
        // The ticks' labels, dates from the left and seconds from the bottom.
        QList<Label> dateLabels;
        QList<Label> timeLabels;
        // The axes' titles; the time axis's is turned to read upwards, its box
        // given as it lies on screen.
        Label dateTitle;
        Label timeTitle;
        // The legend's coloured squares and their names.
        QList<QRectF> legendMarks;
        QList<Label> legendNames;

        qint64 fromMs = 0;
        qint64 toMs = 1;
        double topSeconds = 1;

        // A moment and a time in seconds as a point on the widget.
        QPointF toWidget(double msSinceEpoch, double seconds) const;
        // The middle of a run cell's dot.
        QPointF cellCentre(const HistoryStore::RunCell &cell) const;
    };
    Layout layout() const;

    static constexpr double DotDiameter = 7;
    static constexpr double BestMarkRadius = 5.5;
    static constexpr double TickLength = 5;
    // The best line shows each day's mark while there are at most this many days.
    static constexpr int MostMarkedDays = 60;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont m_font;
    TimesChartData m_data;
    bool m_plotted = false;
};
