// The records window's chart as the game paints it without Qt Charts: the
// grabbed pixels show every run's dot where its run lies, the line of each
// day's best through its days, the axes with their labels running the right
// way, at any size and screen scale; a cleared chart shows nothing.

#include "history/timeschartpainted.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cmath>

// The module's entry point, which the records window resolves at run time.
extern "C" TimesChart *kashikoro_make_times_chart(const QFont &font, QWidget *parent);

namespace {

const QDateTime From(QDate(2026, 3, 1), QTime(0, 0));
const QDateTime To = From.addDays(8);

// Eight days, two days a tick; 0 to 60 seconds, 15 a tick.
TimesChartData weekData()
{
    TimesChartData data;
    data.from = From;
    data.to = To;
    data.dateFormat = QStringLiteral("M/d");
    data.dateTicks = 5;
    data.topSeconds = 60;
    data.timeTicks = 5;
    return data;
}

qint64 at(double fraction)
{
    return From.toMSecsSinceEpoch() + qint64(fraction * double(From.msecsTo(To)));
}

// The widget as it paints itself at a screen scale.
QImage painted(QWidget &widget, qreal ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

bool isRunBlue(const QColor &c)
{
    return c.blue() > 150 && c.blue() - c.red() > 60;
}

bool isBestOrange(const QColor &c)
{
    return c.red() > 200 && c.green() > 80 && c.green() < 160 && c.blue() < 100;
}

// The grid and the axes: light, even grey.
bool isLineGrey(const QColor &c)
{
    return c.red() < 245 && c.red() > 150 && std::abs(c.red() - c.green()) < 8 && std::abs(c.green() - c.blue()) < 8;
}

int count(const QImage &image, const QRectF &logical, bool (*kind)(const QColor &))
{
    const qreal ratio = image.devicePixelRatio();
    const QRect box = QRectF(logical.topLeft() * ratio, logical.size() * ratio).toAlignedRect() & image.rect();
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += kind(image.pixelColor(x, y));
    return n;
}

bool isInk(const QColor &c)
{
    return c.red() < 140 && c.green() < 140 && c.blue() < 140;
}

// Whether a pixel within a pixel of a point is of a kind: a line of one
// pixel lights the pixel its middle falls in, not always the nearest.
bool near(const QImage &image, QPointF logical, bool (*kind)(const QColor &))
{
    return count(image, QRectF(logical - QPointF(1, 1), QSizeF(2, 2)), kind) > 0;
}

} // namespace

class TestTimesChartPainted : public QObject
{
    Q_OBJECT

private slots:
    void axesRunLeftToRightAndUp_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("records window") << QSize(570, 340) << qreal(1);
        QTest::newRow("records window, doubled screen") << QSize(570, 340) << qreal(2);
        QTest::newRow("small") << QSize(360, 240) << qreal(1);
        QTest::newRow("tall, one and a half") << QSize(420, 600) << qreal(1.5);
    }
    void axesRunLeftToRightAndUp()
    {
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        TimesChartPainted chart(QApplication::font());
        chart.resize(size);
        chart.plot(weekData());
        const TimesChartPainted::Layout layout = chart.layout();
        const QRectF area = layout.plotArea;
        QVERIFY(layout.card.contains(area));
        QVERIFY2(area.width() > size.width() * 0.6 && area.height() > size.height() * 0.4,
                 qPrintable(QStringLiteral("%1x%2").arg(area.width()).arg(area.height())));

        // The first day at 0 seconds is the corner of the axes, the last day
        // at the top of the scale the far corner of the grid.
        const QPointF origin = layout.toWidget(double(From.toMSecsSinceEpoch()), 0);
        const QPointF far = layout.toWidget(double(To.toMSecsSinceEpoch()), 60);
        QCOMPARE(origin, area.bottomLeft());
        QCOMPARE(far, area.topRight());
        const QImage image = painted(chart, ratio);
        QVERIFY(near(image, origin, isLineGrey));
        QVERIFY(near(image, far, isLineGrey));
        QVERIFY(near(image, QPointF(area.left(), area.center().y()), isLineGrey));
        QVERIFY(near(image, QPointF(area.center().x(), area.bottom()), isLineGrey));

        // Dates from the left, seconds from the bottom, each label written
        // at its tick and its grid line drawn there.
        QCOMPARE(layout.dateLabels.size(), 5);
        QCOMPARE(layout.timeLabels.size(), 5);
        for (int i = 0; i < 5; ++i) {
            const TimesChartPainted::Label &date = layout.dateLabels[i];
            QCOMPARE(date.text, From.addDays(2 * i).toString(QStringLiteral("M/d")));
            const double x = layout.toWidget(double(From.addDays(2 * i).toMSecsSinceEpoch()), 0).x();
            QVERIFY(std::abs(date.box.center().x() - x) < 0.01 && date.box.top() >= area.bottom());
            QVERIFY(near(image, QPointF(x, area.center().y()), isLineGrey));
            const TimesChartPainted::Label &time = layout.timeLabels[i];
            QCOMPARE(time.text, QString::number(15 * i));
            const double y = layout.toWidget(double(From.toMSecsSinceEpoch()), 15 * i).y();
            QVERIFY(std::abs(time.box.center().y() - y) < 0.01 && time.box.right() <= area.left());
            QVERIFY(near(image, QPointF(area.center().x(), y), isLineGrey));
            for (const TimesChartPainted::Label &label : {date, time})
                QVERIFY2(count(image, label.box, isInk) > 3, qPrintable(label.text));
        }
        // Between the grid lines the plot area is blank.
        QVERIFY(!near(image, layout.toWidget(double(at(1 / 8.0)), 7.5), isLineGrey));

        // The titles and the legend are written, the legend's squares in the dots' and the line's colours.
        QVERIFY(layout.timeTitle.box.right() <= area.left());
        QCOMPARE(layout.legendNames.size(), 2);
        for (const TimesChartPainted::Label &label : {layout.dateTitle, layout.timeTitle, layout.legendNames[0],
                                                      layout.legendNames[1]})
            QVERIFY2(count(image, label.box, isInk) > 10, qPrintable(label.text));
        QVERIFY(count(image, layout.legendMarks[0], isRunBlue) > 0);
        QVERIFY(count(image, layout.legendMarks[1], isBestOrange) > 0);
    }

    void dotsWhereTheirRunsAre_data()
    {
        QTest::addColumn<double>("when"); // of the dates' span
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("early and fast") << 0.2 << 12.0 << QSize(570, 340) << qreal(1);
        QTest::newRow("late and slow") << 0.85 << 51.0 << QSize(570, 340) << qreal(1);
        QTest::newRow("early and slow, doubled") << 0.1 << 47.0 << QSize(570, 340) << qreal(2);
        QTest::newRow("late and fast, small") << 0.7 << 9.0 << QSize(360, 240) << qreal(1);
        QTest::newRow("middle, one and a half") << 0.55 << 33.0 << QSize(420, 600) << qreal(1.5);
    }
    void dotsWhereTheirRunsAre()
    {
        QFETCH(double, when);
        QFETCH(double, seconds);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        TimesChartData data = weekData();
        const HistoryStore::RunCell cell{at(when), seconds * 10, 1};
        data.runCells = {cell};
        TimesChartPainted chart(QApplication::font());
        chart.resize(size);
        chart.plot(data);
        QCOMPARE(chart.runCells().size(), 1);
        QCOMPARE(chart.runCells()[0].msSinceEpoch, cell.msSinceEpoch);

        const TimesChartPainted::Layout layout = chart.layout();
        const QPointF centre = layout.cellCentre(cell);
        const QRectF area = layout.plotArea;
        QVERIFY(std::abs(centre.x() - (area.left() + when * area.width())) < 0.01);
        QVERIFY(std::abs(centre.y() - (area.bottom() - seconds / 60 * area.height())) < 0.01);

        // The dot is there and nowhere else: not where a turned axis would
        // put it, not anywhere on the chart away from it.
        const QImage image = painted(chart, ratio);
        QVERIFY(near(image, centre, isRunBlue));
        const QPointF turnedX(area.left() + area.right() - centre.x(), centre.y());
        const QPointF turnedY(centre.x(), area.top() + area.bottom() - centre.y());
        QVERIFY(!near(image, turnedX, isRunBlue));
        QVERIFY(!near(image, turnedY, isRunBlue));
        const double reach = TimesChartPainted::DotDiameter / 2 + 1;
        const QRectF dot(centre - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach));
        QVERIFY(count(image, dot, isRunBlue) > 10 * ratio * ratio);
        const int elsewhere = count(image, area, isRunBlue) - count(image, dot & area, isRunBlue);
        QCOMPARE(elsewhere, 0);
    }

    void bestLineThroughEachDay_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("marked");
        QTest::newRow("a few days, each marked") << 4 << true;
        QTest::newRow("as many as are marked") << TimesChartPainted::MostMarkedDays << true;
        QTest::newRow("too many to mark") << TimesChartPainted::MostMarkedDays + 1 << false;
    }
    void bestLineThroughEachDay()
    {
        QFETCH(int, days);
        QFETCH(bool, marked);
        TimesChartData data = weekData();
        data.to = From.addDays(days);
        data.dateTicks = 6;
        // Down from 50 to 20 seconds, evenly.
        for (int day = 0; day < days; ++day)
            data.dayBest.append(QPointF(double(QDateTime(From.date().addDays(day), QTime(12, 0)).toMSecsSinceEpoch()),
                                        50.0 - 30.0 * day / (days - 1)));
        TimesChartPainted chart(QApplication::font());
        chart.resize(570, 340);
        chart.plot(data);
        const TimesChartPainted::Layout layout = chart.layout();
        const QImage image = painted(chart, 1);

        for (int i = 0; i + 1 < days; i += std::max(1, days / 4)) {
            const QPointF a = layout.toWidget(data.dayBest[i].x(), data.dayBest[i].y());
            const QPointF b = layout.toWidget(data.dayBest[i + 1].x(), data.dayBest[i + 1].y());
            QVERIFY(near(image, a, isBestOrange));
            QVERIFY(near(image, (a + b) / 2, isBestOrange));
            // Well above and below the line the plot is clear of it.
            QVERIFY(!near(image, (a + b) / 2 + QPointF(0, 12), isBestOrange));
            QVERIFY(!near(image, (a + b) / 2 - QPointF(0, 12), isBestOrange));
            // Each day's mark is wider than the line.
            QCOMPARE(near(image, a + QPointF(0, 4), isBestOrange), marked);
        }
        // No line in the plot's upper half: the best times are below 50 of 60 seconds.
        const QRectF area = layout.plotArea;
        QCOMPARE(count(image, QRectF(area.left(), area.top(), area.width(), area.height() * 0.1), isBestOrange), 0);
    }

    void clearLeavesNothing()
    {
        TimesChartData data = weekData();
        data.runCells = {{at(0.3), 200, 1}, {at(0.5), 350, 3}, {at(0.7), 420, 5}};
        data.dayBest = {QPointF(double(at(0.3)), 20), QPointF(double(at(0.7)), 42)};
        TimesChartPainted chart(QApplication::font());
        chart.resize(570, 340);
        chart.plot(data);
        const QRectF card = chart.layout().card;
        QVERIFY(count(painted(chart, 1), card, isRunBlue) > 30);

        chart.clear();
        QVERIFY(chart.runCells().isEmpty());
        QVERIFY(chart.layout().plotArea.isEmpty());
        // The bare card, its rounded corners aside.
        const QImage image = painted(chart, 1);
        const QRectF inside = card.adjusted(6, 6, -6, -6);
        QCOMPARE(count(image, inside, isRunBlue), 0);
        QCOMPARE(count(image, inside, isBestOrange), 0);
        QCOMPARE(count(image, inside, isInk), 0);
        QCOMPARE(count(image, inside, isLineGrey), 0);

        // And plotted again, it shows the new runs.
        data.runCells = {{at(0.6), 300, 1}};
        chart.plot(data);
        QVERIFY(near(painted(chart, 1), chart.layout().cellCentre(data.runCells[0]), isRunBlue));
    }

    void madeByTheModulesEntryPoint()
    {
        // Shown for real and grabbed as the screen shows it, before and after a resize.
        QWidget page;
        TimesChart *chart = kashikoro_make_times_chart(QApplication::font(), &page);
        auto *painter = dynamic_cast<TimesChartPainted *>(chart);
        QVERIFY(painter && painter->parent() == &page);
        QCOMPARE(painter->objectName(), QStringLiteral("chtTimes"));
        page.resize(500, 300);
        painter->resize(500, 300);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        TimesChartData data = weekData();
        data.runCells = {{at(0.4), 250, 2}};
        chart->plot(data);
        QVERIFY(near(painter->grab().toImage(), painter->layout().cellCentre(data.runCells[0]), isRunBlue));
        painter->resize(300, 200);
        QVERIFY(near(painter->grab().toImage(), painter->layout().cellCentre(data.runCells[0]), isRunBlue));
    }
};

QTEST_MAIN(TestTimesChartPainted)
#include "tst_timeschartpainted.moc"
