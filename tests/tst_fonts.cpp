// The game's typefaces: found while the list of installed fonts is read on a
// second thread, and bold at every size. The big digits of どれが大きい？ are
// measured as the player sees them, on ordinary and on high-density screens,
// against the same digit in the regular face.

#include "exercises/05_bigger/digitbutton.h"
#include "exercises/05_bigger/frmtrainer5.h"
#include "support/trainerfixture.h"
#include "ui/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QtTest>

#include <cmath>

namespace {

// The mean width of the strokes of a caption: twice its inked area over the
// length of its outline, both taken from the anti-aliased coverage, so thin
// and slanted strokes count as well as upright ones. Each row's background is
// read at the left edge of the box (a button face may be shaded).
qreal strokeWidth(const QImage &picture, const QRect &area, const QColor &text)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int ink = qGray(text.rgb());
    QList<QList<qreal>> coverage;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int background = qGray(image.pixel(area.left(), y));
        QList<qreal> row;
        for (int x = area.left(); x <= area.right(); ++x) {
            const qreal c = qreal(background - qGray(image.pixel(x, y))) / (background - ink);
            row.append(std::clamp(c, 0.0, 1.0));
        }
        coverage.append(row);
    }
    qreal inked = 0;
    qreal outline = 0;
    for (qsizetype y = 0; y + 1 < coverage.size(); ++y) {
        for (qsizetype x = 0; x + 1 < coverage[y].size(); ++x) {
            inked += coverage[y][x];
            outline += std::hypot(coverage[y][x + 1] - coverage[y][x], coverage[y + 1][x] - coverage[y][x]);
        }
    }
    return outline > 0 ? 2 * inked / outline : 0;
}

// A digit button's caption on a screen of the given density, in that
// screen's pixels, with the box around its ink.
struct Picture
{
    QImage image;
    QRect around;
    QColor text;
};

Picture picture(DigitButton &button, qreal density)
{
    QImage image(button.size() * density, QImage::Format_RGB32);
    image.setDevicePixelRatio(density);
    image.fill(Qt::white);
    button.render(&image);
    const QRectF ink = button.captionInk();
    const QRect around = QRectF(ink.topLeft() * density, ink.size() * density).toAlignedRect().adjusted(-3, -3, 3, 3);
    return {image, around, button.palette().color(QPalette::Active, QPalette::ButtonText)};
}

} // namespace

class TestFonts : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer5> fx;

private slots:
    void initTestCase();
    void cleanupTestCase() { fx.close(); }

    void facesAreFoundWhileTheListIsRead();
    void realBoldIsABoldFace();
    void otherFontsStayAsTheyAre();
    void bigDigitsAreBoldAtEverySize_data();
    void bigDigitsAreBoldAtEverySize();
};

void TestFonts::initTestCase()
{
    // As at the game's start: the first window is made while the installed
    // fonts are still being read on a second thread.
    Fonts::install();
    const Fonts::Preload installedFonts{Fonts::ConfigurationReader()};
    QVERIFY(fx.open(5));
    QVERIFY(fx.button("cmdNum(0)")->grab().width() > 0);
}

void TestFonts::facesAreFoundWhileTheListIsRead()
{
#ifdef Q_OS_WIN
    // Windows draws the game faces with its own fonts; one without them (Wine)
    // falls back on a face of its choosing, which the message names.
    const QString asked = QStringLiteral(u"ＭＳ ゴシック");
    const QString drawn = QFontInfo(Fonts::gothic(9)).family();
    if (!QFontDatabase::hasFamily(asked))
        QSKIP(qPrintable(QStringLiteral("this Windows has no MS Gothic; it draws the game's text in ") + drawn));
    QVERIFY2(drawn == asked || drawn == QLatin1String("MS Gothic"), qPrintable(drawn));
    return;
#endif
    // Each game face is drawn by one of the fonts that stand in for it (Qt
    // keeps their names in lower case).
    const QStringList gothic = QFont::substitutes(QStringLiteral(u"ＭＳ ゴシック"));
    const QStringList pGothic = QFont::substitutes(QStringLiteral(u"ＭＳ Ｐゴシック"));
    QVERIFY(gothic.contains(QFontInfo(fx.label("lblResult")->font()).family(), Qt::CaseInsensitive));
    QVERIFY(gothic.contains(QFontInfo(Fonts::gothic(9)).family(), Qt::CaseInsensitive));
    QVERIFY(pGothic.contains(QFontInfo(Fonts::pGothic(15.75)).family(), Qt::CaseInsensitive));
}

void TestFonts::realBoldIsABoldFace()
{
    for (const qreal points : {12.0, 26.25, 48.0, 72.0}) {
        const QFont gothic = Fonts::realBold(Fonts::gothic(points, true));
        QVERIFY(gothic.bold());
        QCOMPARE(gothic.pointSizeF(), points);
        const QFontInfo gothicFace(gothic);
        const QFontInfo pGothicFace(Fonts::realBold(Fonts::pGothic(points, true)));
#ifdef Q_OS_WIN
        // MS Gothic has no bold face: Windows thickens it, as players know it.
        QVERIFY(gothicFace.bold());
        QVERIFY(pGothicFace.bold());
#else
        QVERIFY(gothicFace.styleName().contains(QStringLiteral("Bold")));
        QVERIFY(pGothicFace.styleName().contains(QStringLiteral("Bold")));
#endif
    }
    // A digit is still half as wide as a full-width character.
    const QFontMetricsF metrics(Fonts::realBold(Fonts::gothic(48, true)));
    const int twoDigits = qRound(2 * metrics.horizontalAdvance(QStringLiteral("7")));
    const int fullWidth = qRound(metrics.horizontalAdvance(QStringLiteral(u"７")));
#ifdef Q_OS_WIN
    // Windows' thickening widens every character by one pixel.
    QVERIFY2(qAbs(twoDigits - fullWidth) <= 1, qPrintable(QStringLiteral("%1 %2").arg(twoDigits).arg(fullWidth)));
#else
    QCOMPARE(twoDigits, fullWidth);
#endif
}

void TestFonts::otherFontsStayAsTheyAre()
{
    // Regular text, and text in a face the game did not choose, are untouched.
    QCOMPARE(Fonts::realBold(Fonts::gothic(48)), Fonts::gothic(48));
    QCOMPARE(Fonts::realBold(Fonts::pGothic(15.75)), Fonts::pGothic(15.75));
    QFont other(QStringLiteral("DejaVu Sans"), 20);
    other.setBold(true);
    QCOMPARE(Fonts::realBold(other), other);
}

void TestFonts::bigDigitsAreBoldAtEverySize_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<qreal>("density");
    // Before the first question the four buttons show 9, 0, 3 and 7 at
    // 12, 26.25, 72 and 48 pt.
    for (const qreal density : {1.0, 2.0}) {
        for (int button = 0; button < 4; ++button) {
            const QString name = QStringLiteral("cmdNum(%1) at density %2").arg(button).arg(density);
            QTest::newRow(qPrintable(name)) << button << density;
        }
    }
}

void TestFonts::bigDigitsAreBoldAtEverySize()
{
    QFETCH(int, button);
    QFETCH(qreal, density);
    QPushButton *shown = fx.button(qPrintable(QStringLiteral("cmdNum(%1)").arg(button)));
    QVERIFY(shown->font().bold());
    const qreal points = shown->font().pointSizeF();

    // Every digit in the font the exercise gives this button, and in the
    // regular weight, on buttons of the same size that can be pressed. At
    // 12 pt a stroke is one or two pixels wide and some digits gain less
    // than others on that grid: the ten together must be clearly bolder.
    qreal ratios = 0;
    for (int value = 0; value <= 9; ++value) {
        const QString digit = QString::number(value);
        DigitButton bolder(digit);
        bolder.setFont(shown->font());
        bolder.resize(shown->size());
        DigitButton regular(digit);
        regular.setFont(Fonts::gothic(points));
        regular.resize(shown->size());

        const Picture bold = picture(bolder, density);
        const Picture plain = picture(regular, density);
        const qreal boldStroke = strokeWidth(bold.image, bold.around, bold.text);
        const qreal plainStroke = strokeWidth(plain.image, plain.around, plain.text);
        QVERIFY(plainStroke > 0);
        QVERIFY2(boldStroke >= 1.15 * plainStroke,
                 qPrintable(QStringLiteral("%1 at %2 pt: bold %3 px, regular %4 px")
                                .arg(digit).arg(points).arg(boldStroke).arg(plainStroke)));
        ratios += boldStroke / plainStroke;
    }
    QVERIFY2(ratios / 10 >= 1.3, qPrintable(QStringLiteral("bold strokes %1 times the regular").arg(ratios / 10)));
}

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
