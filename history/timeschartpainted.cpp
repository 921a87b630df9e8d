// The records window's chart drawn with QPainter. Built as the kashikoro-chart
// module where Qt has no Qt Charts, and as a small library of its own for its test.

#include "history/timeschartpainted.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The colours of the Qt Charts chart and of its light theme.
const QColor RunColour(0x3A, 0x7B, 0xD5);
const QColor BestColour(0xE8, 0x6A, 0x10);
const QColor CardColour(0xFF, 0xFF, 0xFF);
const QColor GridColour(0xE2, 0xE2, 0xE2);
const QColor AxisColour(0xD6, 0xD6, 0xD6);
const QColor TextColour(0x40, 0x40, 0x44);
const QColor MarkBorderColour(0x00, 0x00, 0x00);

const QString DateTitle = QStringLiteral(u"遊んだ日");
const QString TimeTitle = QStringLiteral(u"タイム（秒）");
const std::array<QString, 2> LegendNames = {QStringLiteral(u"毎回のタイム"), QStringLiteral(u"その日のベスト")};
const std::array<QColor, 2> LegendColours = {RunColour, BestColour};

// The card lies this far inside the widget; the chart keeps this far inside the card.
constexpr double CardInset = 9;
constexpr double CardRadius = 5;
constexpr double Margin = 4;
// Between the legend and the card's foot, and above the legend.
constexpr double LegendPadding = 13;
constexpr double LegendGap = 16;
constexpr double LegendMark = 8;
constexpr double LegendMarkGap = 5;
constexpr double LegendEntryGap = 9;
// Between a time label and its tick, and between an axis's labels and its title.
constexpr double LabelGap = 1.5;
constexpr double DateTitleGap = 5.5;
constexpr double TimeTitleGap = 5;

// The middle of the pixel a one-pixel line through v lights, for lines as
// sharp as the screen allows.
double onPixel(double v)
{
    return std::floor(v) + 0.5;
}

// A dot of several runs is darker than a dot of one.
QColor dotColour(int runs)
{
    QColor colour = RunColour;
    colour.setAlpha(150 + 35 * (std::clamp(runs, 1, 4) - 1));
    return colour;
}

} // namespace

QPointF TimesChartPainted::Layout::toWidget(double msSinceEpoch, double seconds) const
{
    const double x = plotArea.left() + plotArea.width() * (msSinceEpoch - double(fromMs)) / double(toMs - fromMs);
    const double y = plotArea.bottom() - plotArea.height() * seconds / topSeconds;
    return {x, y};
}

QPointF TimesChartPainted::Layout::cellCentre(const HistoryStore::RunCell &cell) const
{
    return toWidget(double(cell.msSinceEpoch), cell.tenths / 10.0);
}

TimesChartPainted::TimesChartPainted(const QFont &font, QWidget *parent) : QWidget(parent), m_font(font)
{
    setObjectName(QStringLiteral("chtTimes"));
    setFont(font);
    setAutoFillBackground(true);
}

void TimesChartPainted::plot(const TimesChartData &data)
{
    m_data = data;
    m_plotted = true;
    update();
}

void TimesChartPainted::clear()
{
    m_data = TimesChartData();
    m_plotted = false;
    update();
}

TimesChartPainted::Layout TimesChartPainted::layout() const
{
    Layout layout;
    layout.card = QRectF(QPointF(0, 0), QSizeF(size())).adjusted(CardInset, CardInset, -CardInset, -CardInset);
    if (!m_plotted)
        return layout;
    const QRectF content = layout.card.adjusted(Margin, Margin, -Margin, -Margin);
    const QFontMetricsF metrics(m_font, this);
    const double line = metrics.height();

    layout.fromMs = m_data.from.toMSecsSinceEpoch();
    layout.toMs = std::max(m_data.to.toMSecsSinceEpoch(), layout.fromMs + 1);
    layout.topSeconds = std::max(m_data.topSeconds, 0.1);
    const int dateTicks = std::max(2, m_data.dateTicks);
    const int timeTicks = std::max(2, m_data.timeTicks);

    // The legend along the foot, in the middle.
    double legendWidth = LegendEntryGap * (LegendNames.size() - 1);
    for (const QString &name : LegendNames)
        legendWidth += LegendMark + LegendMarkGap + metrics.horizontalAdvance(name);
    const double legendTop = content.bottom() - LegendPadding - line;
    double x = std::round(layout.card.center().x() - legendWidth / 2);
    for (const QString &name : LegendNames) {
        layout.legendMarks.append(QRectF(x, std::round(legendTop + (line - LegendMark) / 2), LegendMark, LegendMark));
        x += LegendMark + LegendMarkGap;
        const double width = metrics.horizontalAdvance(name);
        layout.legendNames.append({name, QRectF(x, legendTop, width, line)});
        x += width + LegendEntryGap;
    }

    // Above it the date axis's title, its labels and its ticks.
    const double dateTitleTop = legendTop - LegendGap - line;
    const double plotBottom = onPixel(dateTitleTop - DateTitleGap - line - TickLength);

    // On the left the time axis's title, its labels and its ticks.
    QStringList timeTexts;
    double widestTime = 0;
    for (int i = 0; i < timeTicks; ++i) {
        timeTexts.append(QString::number(layout.topSeconds * i / (timeTicks - 1), 'f', 0));
        widestTime = std::max(widestTime, metrics.horizontalAdvance(timeTexts.back()));
    }
    const double timeTitleLeft = content.left() + 3;
    const double plotLeft = onPixel(timeTitleLeft + line + TimeTitleGap + widestTime + LabelGap + TickLength);

    QStringList dateTexts;
    const double span = double(layout.toMs - layout.fromMs);
    for (int i = 0; i < dateTicks; ++i)
        dateTexts.append(m_data.from.addMSecs(qint64(std::llround(span * i / (dateTicks - 1)))).toString(m_data.dateFormat));
    const double plotTop = onPixel(content.top() + line / 2 + 1);
    // The last date is written centred under the right edge.
    const double plotRight = onPixel(content.right() - metrics.horizontalAdvance(dateTexts.back()) / 2 - 1);
    layout.plotArea = QRectF(QPointF(plotLeft, plotTop), QPointF(std::max(plotRight, plotLeft + 1),
                                                                 std::max(plotBottom, plotTop + 1)));

    for (int i = 0; i < dateTicks; ++i) {
        const double tick = layout.toWidget(double(layout.fromMs) + span * i / (dateTicks - 1), 0).x();
        const double width = metrics.horizontalAdvance(dateTexts[i]);
        layout.dateLabels.append({dateTexts[i], QRectF(tick - width / 2, plotBottom + TickLength, width, line)});
    }
    for (int i = 0; i < timeTicks; ++i) {
        const double tick = layout.toWidget(double(layout.fromMs), layout.topSeconds * i / (timeTicks - 1)).y();
        const double width = metrics.horizontalAdvance(timeTexts[i]);
        layout.timeLabels.append(
            {timeTexts[i], QRectF(plotLeft - TickLength - LabelGap - width, tick - line / 2, width, line)});
    }

    const double dateTitleWidth = metrics.horizontalAdvance(DateTitle);
    layout.dateTitle = {DateTitle, QRectF(layout.plotArea.center().x() - dateTitleWidth / 2, dateTitleTop,
                                          dateTitleWidth, line)};
    const double timeTitleLength = metrics.horizontalAdvance(TimeTitle);
    layout.timeTitle = {TimeTitle, QRectF(timeTitleLeft, layout.plotArea.center().y() - timeTitleLength / 2, line,
                                          timeTitleLength)};
    return layout;
}

void TimesChartPainted::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Layout at = layout();

    painter.setPen(Qt::NoPen);
    painter.setBrush(CardColour);
    painter.drawRoundedRect(at.card, CardRadius, CardRadius);
    if (!m_plotted)
        return;
    const QRectF area = at.plotArea;

    // The grid at every tick, then the axes along the left and the bottom
    // with their ticks reaching out to the labels.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(GridColour, 1));
    for (const Label &label : at.dateLabels) {
        const double x = onPixel(label.box.center().x());
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    for (const Label &label : at.timeLabels) {
        const double y = onPixel(label.box.center().y());
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    painter.setPen(QPen(AxisColour, 1));
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    for (const Label &label : at.dateLabels) {
        const double x = onPixel(label.box.center().x());
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + TickLength));
    }
    for (const Label &label : at.timeLabels) {
        const double y = onPixel(label.box.center().y());
        painter.drawLine(QPointF(area.left() - TickLength, y), QPointF(area.left(), y));
    }

    painter.setFont(m_font);
    painter.setPen(TextColour);
    for (const Label &label : at.dateLabels)
        painter.drawText(label.box, Qt::AlignCenter, label.text);
    for (const Label &label : at.timeLabels)
        painter.drawText(label.box, Qt::AlignRight | Qt::AlignVCenter, label.text);
    painter.drawText(at.dateTitle.box, Qt::AlignCenter, at.dateTitle.text);
    painter.save();
    painter.translate(at.timeTitle.box.center());
    painter.rotate(-90);
    const QSizeF turned = at.timeTitle.box.size().transposed();
    painter.drawText(QRectF(QPointF(-turned.width() / 2, -turned.height() / 2), turned), Qt::AlignCenter,
                     at.timeTitle.text);
    painter.restore();

    // Every run as a dot, and above them the line of each day's best.
    painter.save();
    painter.setClipRect(area.adjusted(-0.5, -0.5, 0.5, 0.5));
    painter.setPen(Qt::NoPen);
    const double dotRadius = DotDiameter / 2;
    for (const HistoryStore::RunCell &cell : std::as_const(m_data.runCells)) {
        painter.setBrush(dotColour(cell.runs));
        painter.drawEllipse(at.cellCentre(cell), dotRadius, dotRadius);
    }
    QPolygonF best;
    best.reserve(m_data.dayBest.size());
    for (const QPointF &day : std::as_const(m_data.dayBest))
        best.append(at.toWidget(day.x(), day.y()));
    QPen bestPen(BestColour, 2);
    bestPen.setJoinStyle(Qt::RoundJoin);
    bestPen.setCapStyle(Qt::RoundCap);
    painter.setPen(bestPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(best);
    if (best.size() <= MostMarkedDays) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(BestColour);
        for (const QPointF &point : std::as_const(best))
            painter.drawEllipse(point, BestMarkRadius, BestMarkRadius);
    }
    painter.restore();

    // The legend: a square of each colour and its name.
    for (int i = 0; i < int(at.legendMarks.size()); ++i) {
        painter.setPen(QPen(MarkBorderColour, 1));
        painter.setBrush(LegendColours[i]);
        painter.drawRect(at.legendMarks[i].adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(TextColour);
        painter.drawText(at.legendNames[i].box, Qt::AlignLeft | Qt::AlignVCenter, at.legendNames[i].text);
    }
}

extern "C" Q_DECL_EXPORT TimesChart *kashikoro_make_times_chart(const QFont &font, QWidget *parent)
{
    return new TimesChartPainted(font, parent);
}
