// The game's icon: drawn beforehand from assets/kashikoro.svg at every size
// (tools/render-icons.sh), loaded at start without any image plug-in; and a
// menu that comes up without loading one either.

#include "app/frmmain.h"
#include "app/windowicon.h"
#include "support/scripted.h"
#include "ui/fonts.h"
#include "ui/gamestyle.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

#include <cstdlib>

namespace {

// Whether any of Qt's image plug-ins is loaded into this process.
bool imagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains("/imageformats/");
}

QImage drawnFromSvg(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(QStringLiteral(":/assets/kashikoro.svg")).render(&painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestIcon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(new GameStyle);
        Fonts::install();
        MakeVersionText();
    }

    void windowIconLoadsNoImagePlugin();
    void menuLoadsNoImagePlugin();
    void extensionArrowsAreTheStyles_data();
    void extensionArrowsAreTheStyles();
    void windowIconHasTheWindowSizes();
    void drawingsMatchTheSvg_data();
    void drawingsMatchTheSvg();
};

void TestIcon::windowIconLoadsNoImagePlugin()
{
    // First in this program, before anything else reads a picture.
    QVERIFY(QFile::exists(QStringLiteral("/proc/self/maps")));
    QVERIFY(!imagePluginLoaded());
    const QIcon icon = windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(!imagePluginLoaded());
}

void TestIcon::menuLoadsNoImagePlugin()
{
    // Next in this program: the menu bar's arrow for menus that do not fit
    // is not read while nothing shows it.
    QVERIFY(!imagePluginLoaded());
    TempSettings settings;
    WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1"));
    GameContext game;
    frmMain menu(game);
    menu.show();
    QVERIFY(QTest::qWaitFor([&menu] { return !menu.firstActivationPending(); }));
    menu.grab(); // every part of it drawn
    QVERIFY(!imagePluginLoaded());
}

void TestIcon::extensionArrowsAreTheStyles_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("arrow");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        const char *side = direction == Qt::LeftToRight ? "left to right" : "right to left";
        QTest::addRow("horizontal, %s", side) << QStyle::SP_ToolBarHorizontalExtensionButton << direction;
        QTest::addRow("vertical, %s", side) << QStyle::SP_ToolBarVerticalExtensionButton << direction;
    }
}

void TestIcon::extensionArrowsAreTheStyles()
{
    // Read late, the arrows are the very pictures the platform's style draws,
    // the right way round for the direction of writing.
    QFETCH(QStyle::StandardPixmap, arrow);
    QFETCH(Qt::LayoutDirection, direction);
    QApplication::setLayoutDirection(direction);
    const auto restore = qScopeGuard([] { QApplication::setLayoutDirection(Qt::LeftToRight); });
    const GameStyle style;
    const QIcon deferred = style.standardIcon(arrow);
    const QIcon expected = style.baseStyle()->standardIcon(arrow);
    QVERIFY(!expected.isNull());
    QVERIFY(!deferred.isNull());
    QCOMPARE(deferred.availableSizes(), expected.availableSizes());
    for (const QSize &size : expected.availableSizes())
        QCOMPARE(deferred.pixmap(size).toImage(), expected.pixmap(size).toImage());
    QCOMPARE(deferred.pixmap(QSize(16, 16), 2.0).toImage(), expected.pixmap(QSize(16, 16), 2.0).toImage());
}

void TestIcon::windowIconHasTheWindowSizes()
{
    const QIcon icon = windowIcon();
    QCOMPARE(icon.availableSizes(), QList<QSize>({{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
    for (const QSize &size : icon.availableSizes()) {
        const QImage image = icon.pixmap(size).toImage();
        QCOMPARE(image.size(), size);
        // The stopwatch's face is white at every size, the corners are clear.
        QCOMPARE(image.pixelColor(size.width() * 25 / 64, size.height() * 45 / 64), QColor(Qt::white));
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    }
}

void TestIcon::drawingsMatchTheSvg_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void TestIcon::drawingsMatchTheSvg()
{
    // A drawing left behind after the SVG changed is caught here: run
    // tools/render-icons.sh and commit what it writes.
    QFETCH(int, size);
    QImageReader reader(QStringLiteral(":/assets/icons/kashikoro-%1.png").arg(size), "png");
    const QImage drawn = reader.read().convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(!drawn.isNull(), qPrintable(reader.errorString()));
    const QImage expected = drawnFromSvg(size);
    QCOMPARE(drawn.size(), expected.size());
    int worst = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb a = drawn.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
        }
    }
    // Exact with the same Qt; a point or two of rounding is allowed for another.
    QVERIFY2(worst <= 2, qPrintable(QStringLiteral("differs by up to %1").arg(worst)));
}

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
