// The kashikoro-chart module: the records window's chart, drawn with Qt Charts.

#include "history/timeschart.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QGraphicsItem>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <array>

namespace {

const QColor RunColour(0x3A, 0x7B, 0xD5);
const QColor BestColour(0xE8, 0x6A, 0x10);

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

class TimesChartView final : public QChartView, public TimesChart
{
public:
    TimesChartView(const QFont &font, QWidget *parent) : QChartView(new QChart(), parent), m_font(font)
    {
        setObjectName(QStringLiteral("chtTimes"));
        setRenderHint(QPainter::Antialiasing);
        chart()->setFont(font);
        chart()->legend()->setFont(font);
        chart()->legend()->setAlignment(Qt::AlignBottom);
        chart()->setMargins(QMargins(4, 4, 4, 4));
        m_runDots = new RunDotsItem(chart());
    }

    QWidget *widget() const override { return const_cast<TimesChartView *>(this); }

    void plot(const TimesChartData &data) override
    {
        clear();
        m_runDots->setCells(data.runCells, data.from.toMSecsSinceEpoch(), data.to.toMSecsSinceEpoch(),
                            data.topSeconds);

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
        dayBest->setPointsVisible(data.dayBest.size() <= 60);
        dayBest->setMarkerSize(5);
        dayBest->replace(data.dayBest);

        chart()->addSeries(everyRun);
        chart()->addSeries(dayBest);

        auto *dateAxis = new QDateTimeAxis();
        dateAxis->setObjectName(QStringLiteral("axisDate"));
        dateAxis->setFormat(data.dateFormat);
        dateAxis->setRange(data.from, data.to);
        dateAxis->setTickCount(data.dateTicks);
        dateAxis->setLabelsFont(m_font);
        dateAxis->setTitleText(QStringLiteral(u"遊んだ日"));
        dateAxis->setTitleFont(m_font);

        auto *timeAxis = new QValueAxis();
        timeAxis->setObjectName(QStringLiteral("axisTime"));
        timeAxis->setRange(0, data.topSeconds);
        timeAxis->setTickCount(data.timeTicks);
        timeAxis->setLabelFormat(QStringLiteral("%.0f"));
        timeAxis->setLabelsFont(m_font);
        timeAxis->setTitleText(QStringLiteral(u"タイム（秒）"));
        timeAxis->setTitleFont(m_font);

        chart()->addAxis(dateAxis, Qt::AlignBottom);
        chart()->addAxis(timeAxis, Qt::AlignLeft);
        for (QAbstractSeries *series : chart()->series()) {
            series->attachAxis(dateAxis);
            series->attachAxis(timeAxis);
        }
    }

    void clear() override
    {
        chart()->removeAllSeries();
        for (QAbstractAxis *axis : chart()->axes()) {
            chart()->removeAxis(axis);
            delete axis;
        }
        m_runDots->setCells({}, 0, 1, 1);
    }

    const QList<HistoryStore::RunCell> &runCells() const override { return m_runDots->cells(); }

private:
    QFont m_font;
    RunDotsItem *m_runDots = nullptr; // owned by the chart
};

} // namespace

extern "C" Q_DECL_EXPORT TimesChart *kashikoro_make_times_chart(const QFont &font, QWidget *parent)
{
    return new TimesChartView(font, parent);
}
