// The game's vector pictures are recorded drawings (assets/<set>/NAME.qpic)
// made from the SVGs beside them: each must draw as its SVG does, at the
// sizes the game shows it and on a high-density screen, and be recorded
// from the SVG as it now stands.

#include "assets/recordedpicture.h"
#include "exercises/10_janken/hands.h"
#include "exercises/10_janken/janken.h"
#include "exercises/11_coins/coinpictures.h"
#include "exercises/11_coins/coins.h"
#include "exercises/14_prefectures/prefectures.h"
#include "exercises/14_prefectures/silhouettes.h"
#include "tools/svgpicture.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

// Antialiased edges may land a step apart when the same strokes are replayed
// under a transform multiplied out in another order; nothing more.
constexpr int Tolerance = 3;

struct Source
{
    QString svg;     // in the test's own copy of the sources
    QString picture; // in the game's resources
};

// Every picture the game draws from an SVG, by set and name ("coins/coin5").
QStringList pictureNames()
{
    QStringList names;
    for (const QString &set : {QStringLiteral("hands"), QStringLiteral("coins"), QStringLiteral("prefectures")}) {
        const QStringList files = QDir(QStringLiteral(":/sources/") + set).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
        for (const QString &file : files)
            names.append(set + QLatin1Char('/') + QFileInfo(file).completeBaseName());
    }
    return names;
}

Source sourceOf(const QString &name)
{
    return {QStringLiteral(":/sources/%1.svg").arg(name), QStringLiteral(":/assets/%1.qpic").arg(name)};
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage blank(const QSize &pixels, const QColor &ground)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    return image;
}

// The SVG itself drawn into target, as the game drew it before it kept
// recorded pictures.
QImage svgDrawn(const QString &svg, const QSize &pixels, const QRectF &target,
                Qt::AspectRatioMode aspect = Qt::IgnoreAspectRatio, const QColor &ground = Qt::white)
{
    QImage image = blank(pixels, ground);
    QSvgRenderer renderer(svg);
    renderer.setAspectRatioMode(aspect);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
    return image;
}

QImage pictureDrawn(const QPicture &picture, const QSize &pixels, const QRectF &target,
                    Qt::AspectRatioMode aspect = Qt::IgnoreAspectRatio, const QColor &ground = Qt::white)
{
    QImage image = blank(pixels, ground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    RecordedPicture::draw(painter, picture, target, aspect);
    return image;
}

// The largest difference of any colour channel of any pixel; a size
// mismatch counts as everything different.
int difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 256;
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto *l = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const auto *r = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            largest = std::max({largest, std::abs(qRed(l[x]) - qRed(r[x])), std::abs(qGreen(l[x]) - qGreen(r[x])),
                                std::abs(qBlue(l[x]) - qBlue(r[x])), std::abs(qAlpha(l[x]) - qAlpha(r[x]))});
        }
    }
    return largest;
}

// How many pixels are not the ground: a drawing that drew nothing is caught
// even where a blank picture would pass for its SVG's background.
int inked(const QImage &image, const QColor &ground)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            count += pixels.pixel(x, y) != ground.rgba() ? 1 : 0;
    return count;
}

// The hand, coin and silhouette drawn the way the game drew them from the SVG.
QImage handFromSvg(int hand, bool pointingDown, int size, qreal ratio)
{
    static const char *const files[] = {"rock", "scissors", "paper"};
    const int pixels = qRound(size * ratio);
    QImage image = svgDrawn(QStringLiteral(":/sources/hands/%1.svg").arg(QLatin1String(files[hand])),
                            QSize(pixels, pixels), QRectF(0, 0, pixels, pixels), Qt::IgnoreAspectRatio,
                            QColor::fromRgb(Hands::Ground));
    if (pointingDown)
        image = image.transformed(QTransform().rotate(180));
    return image;
}

QImage coinFromSvg(int denomination, qreal ratio)
{
    const int pixels = qRound(Coins::PictureSize * ratio);
    return svgDrawn(QStringLiteral(":/sources/coins/coin%1.svg").arg(Coins::Denominations[denomination]),
                    QSize(pixels, pixels), QRectF(0, 0, pixels, pixels), Qt::IgnoreAspectRatio,
                    QColor::fromRgb(Coins::Background));
}

QImage silhouetteFromSvg(int row, int size)
{
    return svgDrawn(QStringLiteral(":/sources/prefectures/%1.svg").arg(row + 1, 2, 10, QLatin1Char('0')),
                    QSize(size, size), QRectF(0, 0, size, size));
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void everySvgHasItsPicture();
    void pictureIsRecordedFromItsSvg_data();
    void pictureIsRecordedFromItsSvg();
    void gameDrawsItsPicturesAsTheSvgs_data();
    void gameDrawsItsPicturesAsTheSvgs();
    void viewBoxMapsAsTheSvgRendererMapsIt_data();
    void viewBoxMapsAsTheSvgRendererMapsIt();
    void sameOnEveryDeviceResolution_data();
    void sameOnEveryDeviceResolution();
    void paintersStateAppliesToTheWholePicture_data();
    void paintersStateAppliesToTheWholePicture();
    void disabledSilhouetteButtonShowsItGreyed_data();
    void disabledSilhouetteButtonShowsItGreyed();
    void unreadablePicturesDrawNothing_data();
    void unreadablePicturesDrawNothing();
    void recordingRefusesWhatItCannotKeep_data();
    void recordingRefusesWhatItCannotKeep();
};

void TestPictures::everySvgHasItsPicture()
{
    const QStringList names = pictureNames();
    // Three hands, six coins, 47 prefectures.
    QCOMPARE(names.size(), Janken::HandCount + int(Coins::Denominations.size()) + Prefectures::Count);
    QStringList pictures;
    for (const QString &set : {QStringLiteral("hands"), QStringLiteral("coins"), QStringLiteral("prefectures")}) {
        const QStringList files = QDir(QStringLiteral(":/assets/") + set).entryList({QStringLiteral("*.qpic")}, QDir::Files, QDir::Name);
        for (const QString &file : files)
            pictures.append(set + QLatin1Char('/') + QFileInfo(file).completeBaseName());
    }
    QCOMPARE(pictures, names);
    // The game holds the pictures, not their sources.
    QVERIFY(QDir(QStringLiteral(":/assets/coins")).entryList({QStringLiteral("*.svg")}).isEmpty());
}

void TestPictures::pictureIsRecordedFromItsSvg_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : pictureNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TestPictures::pictureIsRecordedFromItsSvg()
{
    QFETCH(QString, name);
    const Source source = sourceOf(name);
    const QByteArray committed = contents(source.picture);
    QVERIFY(!committed.isEmpty());
    QString error;
    const QByteArray recorded = SvgPicture::record(source.svg, &error);
    QVERIFY2(!recorded.isEmpty(), qPrintable(error));
    // A picture file names the data stream version it was written in
    // (bytes 6 and 7): the same Qt records the same bytes.
    QDataStream header(committed);
    header.skipRawData(6);
    quint16 version = 0;
    header >> version;
    if (version == QDataStream::Qt_DefaultCompiledVersion) {
        QVERIFY2(recorded == committed, "record it again: tools/record-pictures.sh");
    } else {
        // Written by another Qt: the drawing, not the bytes, must be the same.
        QPicture fresh;
        fresh.setData(recorded.constData(), uint(recorded.size()));
        QPicture kept;
        kept.setData(committed.constData(), uint(committed.size()));
        const QRectF target(0, 0, 200, 200);
        QVERIFY(difference(pictureDrawn(kept, QSize(200, 200), target), pictureDrawn(fresh, QSize(200, 200), target)) <= Tolerance);
    }
}

void TestPictures::gameDrawsItsPicturesAsTheSvgs_data()
{
    QTest::addColumn<QImage>("drawn");
    QTest::addColumn<QImage>("expected");
    for (const qreal ratio : {1.0, 2.0}) {
        for (int hand = 0; hand < Janken::HandCount; ++hand) {
            QTest::addRow("player's hand %d at %gx", hand, ratio)
                << Hands::render(hand, false, Hands::ButtonSize, ratio) << handFromSvg(hand, false, Hands::ButtonSize, ratio);
            QTest::addRow("opponent's hand %d at %gx", hand, ratio)
                << Hands::render(hand, true, Hands::OpponentSize, ratio) << handFromSvg(hand, true, Hands::OpponentSize, ratio);
        }
        for (int coin = 0; coin < int(Coins::Denominations.size()); ++coin) {
            const int slot = Coins::FirstCoinSlot + coin * Coins::Orientations;
            QTest::addRow("%d yen at %gx", Coins::Denominations[coin], ratio)
                << Coins::render(slot, ratio) << coinFromSvg(coin, ratio);
        }
        for (int row = 0; row < Prefectures::Count; ++row) {
            const int size = qRound(Silhouettes::PictureSize * ratio);
            QTest::addRow("prefecture row %d at %gx", row, ratio)
                << Silhouettes::render(row, size) << silhouetteFromSvg(row, size);
        }
    }
}

void TestPictures::gameDrawsItsPicturesAsTheSvgs()
{
    QFETCH(QImage, drawn);
    QFETCH(QImage, expected);
    QCOMPARE(drawn.size(), expected.size());
    const int off = difference(drawn, expected);
    QVERIFY2(off <= Tolerance, qPrintable(QStringLiteral("a pixel is %1 off").arg(off)));
}

void TestPictures::viewBoxMapsAsTheSvgRendererMapsIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("target");
    QTest::addColumn<int>("aspect");
    const QRectF wide(7.5, 12.25, 180, 90);
    const QRectF tall(20, 3, 61, 170);
    for (const QString &name : {QStringLiteral("coins/coin5"), QStringLiteral("hands/scissors"), QStringLiteral("prefectures/01")}) {
        QTest::addRow("%s stretched wide", qPrintable(name)) << name << wide << int(Qt::IgnoreAspectRatio);
        QTest::addRow("%s stretched tall", qPrintable(name)) << name << tall << int(Qt::IgnoreAspectRatio);
        QTest::addRow("%s kept wide", qPrintable(name)) << name << wide << int(Qt::KeepAspectRatio);
        QTest::addRow("%s kept tall", qPrintable(name)) << name << tall << int(Qt::KeepAspectRatio);
        QTest::addRow("%s expanded wide", qPrintable(name)) << name << wide << int(Qt::KeepAspectRatioByExpanding);
        QTest::addRow("%s off the origin", qPrintable(name)) << name << QRectF(-30, 40, 150, 150) << int(Qt::IgnoreAspectRatio);
    }
}

void TestPictures::viewBoxMapsAsTheSvgRendererMapsIt()
{
    QFETCH(QString, name);
    QFETCH(QRectF, target);
    QFETCH(int, aspect);
    const Source source = sourceOf(name);
    const QSize pixels(200, 200);
    const QColor ground(0x20, 0x80, 0x40);
    const auto mode = Qt::AspectRatioMode(aspect);
    const QImage expected = svgDrawn(source.svg, pixels, target, mode, ground);
    const QImage drawn = pictureDrawn(RecordedPicture::load(source.picture), pixels, target, mode, ground);
    QVERIFY(inked(expected, ground) > 1000);
    const int off = difference(expected, drawn);
    QVERIFY2(off <= Tolerance, qPrintable(QStringLiteral("a pixel is %1 off").arg(off)));
}

void TestPictures::sameOnEveryDeviceResolution_data()
{
    QTest::addColumn<int>("dotsPerInch");
    QTest::newRow("72 dpi") << 72;
    QTest::newRow("120 dpi") << 120;
    QTest::newRow("192 dpi") << 192;
}

void TestPictures::sameOnEveryDeviceResolution()
{
    // A window on a screen of other dots per inch than the primary one is such
    // a device too: the picture fills its target whatever the device says.
    QFETCH(int, dotsPerInch);
    const Source source = sourceOf(QStringLiteral("coins/coin500"));
    const QSize pixels(120, 120);
    const QRectF target(10, 10, 100, 100);
    QImage expected = blank(pixels, Qt::white);
    QImage drawn = blank(pixels, Qt::white);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    for (QImage *image : {&expected, &drawn}) {
        image->setDotsPerMeterX(dotsPerMeter);
        image->setDotsPerMeterY(dotsPerMeter);
    }
    QCOMPARE(drawn.logicalDpiX(), dotsPerInch);
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer(source.svg).render(&painter, target);
    }
    {
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        RecordedPicture::draw(painter, RecordedPicture::load(source.picture), target);
    }
    const int off = difference(expected, drawn);
    QVERIFY2(off <= Tolerance, qPrintable(QStringLiteral("a pixel is %1 off").arg(off)));
}

void TestPictures::paintersStateAppliesToTheWholePicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("opacity");
    QTest::addColumn<QRect>("clip");
    QTest::addColumn<int>("composition");
    QTest::addColumn<qreal>("ratio");
    const int over = QPainter::CompositionMode_SourceOver;
    // The coins set opacities of their own for their thin rings.
    QTest::newRow("faded coin") << QStringLiteral("coins/coin10") << 0.45 << QRect() << over << 1.0;
    QTest::newRow("faded silhouette") << QStringLiteral("prefectures/47") << 0.45 << QRect() << over << 1.0;
    QTest::newRow("faded coin at 2x") << QStringLiteral("coins/coin50") << 0.3 << QRect() << over << 2.0;
    QTest::newRow("clipped hand") << QStringLiteral("hands/paper") << 1.0 << QRect(0, 30, 70, 50) << over << 1.0;
    QTest::newRow("clipped and faded coin") << QStringLiteral("coins/coin5") << 0.6 << QRect(40, 0, 60, 100) << over << 2.0;
    QTest::newRow("multiplied hand") << QStringLiteral("hands/rock") << 1.0 << QRect()
                                     << int(QPainter::CompositionMode_Multiply) << 1.0;
}

void TestPictures::paintersStateAppliesToTheWholePicture()
{
    QFETCH(QString, name);
    QFETCH(qreal, opacity);
    QFETCH(QRect, clip);
    QFETCH(int, composition);
    QFETCH(qreal, ratio);
    const Source source = sourceOf(name);
    // On a ground of two colours, in logical pixels of a device of the given ratio.
    const QSize logical(100, 100);
    const QRectF target(5, 8, 90, 84);
    const auto ground = [&] {
        QImage image(logical * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(QColor(0x30, 0x60, 0xC0));
        QPainter(&image).fillRect(QRect(0, 50, 100, 50), QColor(0xE0, 0xC0, 0x40));
        return image;
    };
    const auto paint = [&](QImage &image, const std::function<void(QPainter &)> &drawing) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setOpacity(opacity);
        if (!clip.isNull())
            painter.setClipRect(clip);
        painter.setCompositionMode(QPainter::CompositionMode(composition));
        drawing(painter);
    };
    // What is expected: the SVG drawn whole on a layer of its own, the layer
    // then laid on the ground with the painter's opacity, clip and mode.
    QImage layer(target.size().toSize() * ratio, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer(source.svg).render(&painter, QRectF(QPointF(0, 0), target.size() * ratio));
    }
    layer.setDevicePixelRatio(ratio);
    QImage expected = ground();
    paint(expected, [&](QPainter &painter) { painter.drawImage(target.topLeft(), layer); });
    QImage drawn = ground();
    paint(drawn, [&](QPainter &painter) { RecordedPicture::draw(painter, RecordedPicture::load(source.picture), target); });
    QVERIFY(difference(expected, ground()) > 40);
    const int off = difference(expected, drawn);
    QVERIFY2(off <= Tolerance, qPrintable(QStringLiteral("a pixel is %1 off").arg(off)));
}

void TestPictures::disabledSilhouetteButtonShowsItGreyed_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("北海道, enabled") << 0 << true << QPoint(37, 81);
    QTest::newRow("北海道, disabled") << 0 << false << QPoint(37, 81);
    QTest::newRow("沖縄, disabled") << 46 << false << QPoint(200, 9);
    QTest::newRow("沖縄, disabled, in the corner") << 46 << false << QPoint(0, 0);
}

void TestPictures::disabledSilhouetteButtonShowsItGreyed()
{
    // The real button drawing its face, against the SVG drawn as the button
    // drew it: on white, faded to the disabled opacity when disabled.
    QFETCH(int, row);
    QFETCH(bool, enabled);
    // The button sits inside a window, away from its corner, as in the game.
    QFETCH(QPoint, place);
    const SilhouetteSet pictures;
    QVERIFY(pictures.isComplete());
    QWidget window;
    window.resize(place.x() + 160, place.y() + 160);
    auto *button = new SilhouetteButton(&window);
    button->setGeometry(QRect(place, QSize(140, 140)));
    button->setPicture(pictures, row);
    button->setEnabled(enabled);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    const QRect area = button->pictureArea().translated(place);
    QVERIFY(area.width() > 100);

    QImage expected = blank(area.size(), Qt::white);
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        if (!enabled)
            painter.setOpacity(0.45);
        QSvgRenderer(QStringLiteral(":/sources/prefectures/%1.svg").arg(row + 1, 2, 10, QLatin1Char('0')))
            .render(&painter, QRectF(expected.rect()));
    }
    const QImage shown = shot.copy(area);
    const int off = difference(shown, expected);
    QVERIFY2(off <= Tolerance, qPrintable(QStringLiteral("a pixel is %1 off").arg(off)));
    // The silhouette is there, and black only when the button can be pressed.
    int darkest = 255;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            darkest = std::min(darkest, qGray(shown.pixel(x, y)));
    if (enabled)
        QCOMPARE(darkest, 0);
    else
        QVERIFY(darkest > 120 && darkest < 160);
}

void TestPictures::unreadablePicturesDrawNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = contents(QStringLiteral(":/assets/hands/rock.qpic"));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    QByteArray damaged = good;
    damaged[good.size() / 2] = char(damaged[good.size() / 2] ^ 0x5A);
    QTest::newRow("damaged") << damaged;
    QTest::newRow("cut short") << good.left(good.size() / 3);
}

void TestPictures::unreadablePicturesDrawNothing()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("picture.qpic"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const QPicture picture = RecordedPicture::load(path);
    QVERIFY(picture.isNull());
    const QImage drawn = pictureDrawn(picture, QSize(50, 50), QRectF(0, 0, 50, 50));
    QCOMPARE(inked(drawn, Qt::white), 0);
    QVERIFY(RecordedPicture::load(folder.filePath(QStringLiteral("missing.qpic"))).isNull());
}

void TestPictures::recordingRefusesWhatItCannotKeep_data()
{
    QTest::addColumn<QByteArray>("svg");
    QTest::addColumn<bool>("recorded");
    const QByteArray head = "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" ";
    const QByteArray body = "><rect x=\"1\" y=\"1\" width=\"5\" height=\"5\" fill=\"#f00\"/></svg>";
    QTest::newRow("whole viewBox") << head + "width=\"10\" height=\"10\" viewBox=\"0 0 10 10\"" + body << true;
    QTest::newRow("viewBox off the origin") << head + "width=\"10\" height=\"10\" viewBox=\"-4 2 10 10\"" + body << true;
    QTest::newRow("viewBox on half units") << head + "width=\"10\" height=\"10\" viewBox=\"0 0 10.5 10\"" + body << false;
    QTest::newRow("not SVG") << QByteArray("this is no picture") << false;
}

void TestPictures::recordingRefusesWhatItCannotKeep()
{
    QFETCH(QByteArray, svg);
    QFETCH(bool, recorded);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("drawing.svg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(svg);
    file.close();
    QString error;
    const QByteArray bytes = SvgPicture::record(path, &error);
    QCOMPARE(!bytes.isEmpty(), recorded);
    QCOMPARE(error.isEmpty(), recorded);
    if (!recorded)
        return;
    // The frame is the viewBox, and the drawing lands in the target as the SVG's does.
    QPicture picture;
    picture.setData(bytes.constData(), uint(bytes.size()));
    QSvgRenderer renderer(path);
    QCOMPARE(QRectF(picture.boundingRect()), renderer.viewBoxF());
    const QRectF target(0, 0, 40, 40);
    const QImage expected = svgDrawn(path, QSize(40, 40), target);
    QVERIFY(inked(expected, Qt::white) > 100);
    QVERIFY(difference(expected, pictureDrawn(picture, QSize(40, 40), target)) <= Tolerance);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
