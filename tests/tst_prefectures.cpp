// とどうふけん — the prefecture table, the draws of a question, the 47
// silhouettes measured as pictures (so a table shifted by one row fails), and
// a whole run played through the real window.

#include "exercises/14_prefectures/frmtrainer14.h"
#include "exercises/14_prefectures/prefectures.h"
#include "exercises/14_prefectures/silhouettes.h"
#include "support/prefectureoutlines.h"
#include "support/prefecturetable.h"
#include "support/trainerfixture.h"

#include <QLabel>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>

using Prefectures::Choices;
using Prefectures::Count;

namespace {

const QString Title = QStringLiteral(u"とどうふけん");
const QString OwnLine = QStringLiteral(u"●出題される都道府県名のシルエットを押すんだぴこ。");

// Rows of the table by the national prefecture code minus 1.
enum Row { Hokkaido = 0, Iwate = 2, Tokyo = 12, Nagano = 19, Shizuoka = 21, Mie = 23, Wakayama = 29,
           Kumamoto = 42, Okinawa = 46 };

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// The black part of a picture: its bounding box, its pixel count, and how
// long and thin it is (the ratio of its principal axes, from its second
// moments, so a diagonal island counts as long too).
struct Ink
{
    QRect box;
    int pixels = 0;
    double elongation = 0;
};

Ink inkOf(const QImage &image, const QRect &within)
{
    Ink ink;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (!isDark(image.pixel(x, y)))
                continue;
            ink.box |= QRect(x, y, 1, 1);
            ++ink.pixels;
            sx += x;
            sy += y;
            sxx += double(x) * x;
            syy += double(y) * y;
            sxy += double(x) * y;
        }
    }
    if (ink.pixels == 0)
        return ink;
    const double n = ink.pixels;
    const double vx = sxx / n - (sx / n) * (sx / n);
    const double vy = syy / n - (sy / n) * (sy / n);
    const double cxy = sxy / n - (sx / n) * (sy / n);
    const double mid = (vx + vy) / 2;
    const double spread = std::sqrt(((vx - vy) / 2) * ((vx - vy) / 2) + cxy * cxy);
    ink.elongation = std::sqrt((mid + spread) / std::max(mid - spread, 1e-9));
    return ink;
}

Ink inkOf(const QImage &image)
{
    return inkOf(image, image.rect());
}

// A picture laid on the grid of the reference outlines: a cell is set where
// the shape covers at least half of it.
using Cells = std::array<std::array<bool, PrefectureOutlines::Grid>, PrefectureOutlines::Grid>;

Cells cellsOf(const QImage &picture)
{
    Cells cells{};
    const int grid = PrefectureOutlines::Grid;
    for (int gy = 0; gy < grid; ++gy) {
        for (int gx = 0; gx < grid; ++gx) {
            int dark = 0, all = 0;
            for (int y = gy * picture.height() / grid; y < (gy + 1) * picture.height() / grid; ++y) {
                for (int x = gx * picture.width() / grid; x < (gx + 1) * picture.width() / grid; ++x) {
                    dark += isDark(picture.pixel(x, y)) ? 1 : 0;
                    ++all;
                }
            }
            cells[gy][gx] = 2 * dark >= all;
        }
    }
    return cells;
}

// The cells in which a picture and a reference outline differ.
int distanceTo(const Cells &cells, const PrefectureOutlines::Outline &outline)
{
    int distance = 0;
    for (int gy = 0; gy < PrefectureOutlines::Grid; ++gy) {
        const quint32 bits = outline.rows[std::size_t(gy)];
        for (int gx = 0; gx < PrefectureOutlines::Grid; ++gx) {
            const bool set = (bits >> (PrefectureOutlines::Grid - 1 - gx)) & 1u;
            distance += set != cells[gy][gx] ? 1 : 0;
        }
    }
    return distance;
}

} // namespace

class TestPrefectures : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer14> fx;

    SilhouetteButton *pictureButton(int i) { return fx.control<SilhouetteButton>(QStringLiteral("cmdPic(%1)").arg(i)); }
    QList<int> shownPictures()
    {
        QList<int> rows;
        for (int i = 0; i < Choices; ++i)
            rows.append(pictureButton(i)->pictureIndex());
        return rows;
    }
    // The row of the prefecture named on screen, in the table written out by hand.
    int namedRow() { return WrittenPrefectures::rowNamed(fx.text("lblName(1)")); }
    // One question's draws: the asked row (and its redraws), its button, then
    // the other buttons' rows (with their redraws).
    static void scriptQuestion(ScriptedRandom &random, const QList<int> &asked, int position, const QList<int> &others)
    {
        for (int row : asked)
            random.pushInt(row, Count);
        random.pushInt(position, Choices);
        for (int row : others)
            random.pushInt(row, Count);
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(14));
    }
    void cleanup() { fx.close(); }

    // --- The table ------------------------------------------------------------

    void table_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < Count; ++row)
            QTest::newRow(qPrintable(WrittenPrefectures::name(row))) << row;
    }
    void table()
    {
        // Every row, reading and name, as written out by hand: a misspelt
        // reading or two rows in each other's place fail here.
        QFETCH(int, row);
        const Prefectures::Table built = Prefectures::buildTable();
        QCOMPARE(built[row].reading, WrittenPrefectures::reading(row));
        QCOMPARE(built[row].name, WrittenPrefectures::name(row));
        // The window holds the same table from the moment it is created.
        QCOMPARE(fx.window->table()[row].reading, WrittenPrefectures::reading(row));
        QCOMPARE(fx.window->table()[row].name, WrittenPrefectures::name(row));
    }

    void tableRowsAreAllDifferent()
    {
        QSet<QString> names, readings;
        for (const Prefectures::Row &row : Prefectures::buildTable()) {
            QVERIFY(!row.name.isEmpty() && !row.reading.isEmpty());
            names.insert(row.name);
            readings.insert(row.reading);
        }
        QCOMPARE(names.size(), Count);
        QCOMPARE(readings.size(), Count);
    }

    // --- Drawing a question -----------------------------------------------------

    void drawQuestion_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<QList<int>>("asked");    // the draws of the asked row
        QTest::addColumn<int>("position");
        QTest::addColumn<QList<int>>("others");   // the draws of the other buttons
        QTest::addColumn<QList<int>>("choices");

        QTest::newRow("four at the first try") << -1 << QList<int>{5} << 0 << QList<int>{6, 7, 8}
                                               << QList<int>{5, 6, 7, 8};
        QTest::newRow("北海道 may come first") << -1 << QList<int>{0} << 3 << QList<int>{46, 45, 44}
                                              << QList<int>{46, 45, 44, 0};
        QTest::newRow("the asked row is drawn again while it was the last")
            << 12 << QList<int>{12, 12, 13} << 1 << QList<int>{40, 41, 42} << QList<int>{40, 13, 41, 42};
        QTest::newRow("a row on a button already is drawn again")
            << -1 << QList<int>{20} << 2 << QList<int>{20, 3, 3, 20, 4, 20, 4, 3, 5} << QList<int>{3, 4, 20, 5};
        QTest::newRow("the last asked may be a distractor")
            << 30 << QList<int>{31} << 1 << QList<int>{30, 29, 28} << QList<int>{30, 31, 29, 28};
    }
    void drawQuestion()
    {
        QFETCH(int, previous);
        QFETCH(QList<int>, asked);
        QFETCH(int, position);
        QFETCH(QList<int>, others);
        QFETCH(QList<int>, choices);
        ScriptedRandom source;
        scriptQuestion(source, asked, position, others);
        Prefectures::Questions questions(previous);
        const Prefectures::Question q = questions.draw(source);
        QCOMPARE(q.asked, asked.last());
        QCOMPARE(questions.PreviousPrefecture(), asked.last());
        QCOMPARE(q.AnswerPosition, position);
        QCOMPARE(QList<int>(q.Choice.begin(), q.Choice.end()), choices);
        QCOMPARE(source.remaining(), 0);
    }

    void seededQuestions()
    {
        SeededRandom source(14);
        Prefectures::Questions questions;
        QCOMPARE(questions.PreviousPrefecture(), Prefectures::NoPrevious);
        int askedBefore = -1;
        QList<int> timesAsked(Count), timesShown(Count), positions(Choices);
        for (int n = 0; n < 20000; ++n) {
            const Prefectures::Question q = questions.draw(source);
            QVERIFY(q.asked >= 0 && q.asked < Count);
            QVERIFY(q.asked != askedBefore);
            QCOMPARE(questions.PreviousPrefecture(), q.asked);
            askedBefore = q.asked;
            QVERIFY(q.AnswerPosition >= 0 && q.AnswerPosition < Choices);
            QCOMPARE(q.Choice[q.AnswerPosition], q.asked);
            // Four different prefectures, exactly one of them the asked one.
            QSet<int> distinct;
            for (int row : q.Choice) {
                QVERIFY(row >= 0 && row < Count);
                distinct.insert(row);
                ++timesShown[row];
            }
            QCOMPARE(distinct.size(), Choices);
            QCOMPARE(std::count(q.Choice.begin(), q.Choice.end(), q.asked), 1);
            ++timesAsked[q.asked];
            ++positions[q.AnswerPosition];
        }
        // Every prefecture is asked and shown, on every button about as often.
        for (int row = 0; row < Count; ++row) {
            QVERIFY(timesAsked[row] > 300 && timesAsked[row] < 560);
            QVERIFY(timesShown[row] > 1400);
        }
        for (int count : positions)
            QVERIFY(count > 4700 && count < 5300);
    }

    void judgedByPosition_data()
    {
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("answerPosition");
        QTest::addColumn<bool>("right");
        QTest::newRow("the first button, right") << 0 << 0 << true;
        QTest::newRow("the last button, right") << 3 << 3 << true;
        QTest::newRow("a neighbour of the right one") << 2 << 1 << false;
        QTest::newRow("the first when the last is right") << 0 << 3 << false;
    }
    void judgedByPosition()
    {
        QFETCH(int, pressed);
        QFETCH(int, answerPosition);
        QFETCH(bool, right);
        QCOMPARE(Prefectures::isRightAnswer(pressed, answerPosition), right);
    }

    // --- The silhouettes ----------------------------------------------------------

    void everySilhouetteFillsItsSquare()
    {
        QSet<QByteArray> seen;
        for (int row = 0; row < Count; ++row) {
            const QImage picture = Silhouettes::render(row);
            QCOMPARE(picture.size(), QSize(133, 133));
            // White ground: the corners and the margin stay white.
            for (const QPoint corner : {QPoint(0, 0), QPoint(132, 0), QPoint(0, 132), QPoint(132, 132)})
                QCOMPARE(QColor(picture.pixel(corner)), QColor(Qt::white));
            const Ink ink = inkOf(picture);
            QVERIFY(ink.pixels > 400);
            // Fitted with a small margin: the longer side nearly fills the
            // square, and the shape stands in its middle.
            QVERIFY2(std::max(ink.box.width(), ink.box.height()) >= 122, qPrintable(QString::number(row)));
            QVERIFY(QRect(2, 2, 129, 129).contains(ink.box));
            QVERIFY(std::abs(ink.box.center().x() - 66) <= 2 && std::abs(ink.box.center().y() - 66) <= 2);
            // Black, not grey: only the edges are blended (長崎, all islands
            // and coves, has the most edge).
            int black = 0;
            for (int y = 0; y < 133; ++y)
                for (int x = 0; x < 133; ++x)
                    black += qGray(picture.pixel(x, y)) < 16 ? 1 : 0;
            QVERIFY2(black > ink.pixels * 0.7, qPrintable(QStringLiteral("row %1: %2 of %3").arg(row).arg(black).arg(ink.pixels)));
            // No two prefectures share a picture.
            const QByteArray bits(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes());
            QVERIFY(!seen.contains(bits));
            seen.insert(bits);
        }
        QVERIFY(Silhouettes::render(-1).isNull());
        QVERIFY(Silhouettes::render(Count).isNull());
        // Drawn from the outline, not scaled from a small picture: twice the
        // size, twice the extent.
        const Ink big = inkOf(Silhouettes::render(Iwate, 266));
        QVERIFY(std::abs(big.box.height() - 2 * inkOf(Silhouettes::render(Iwate)).box.height()) <= 2);
    }

    void silhouetteShapes_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("widthOverHeight"); // at least, or at most when below 1
        QTest::newRow("北海道 is wider than tall") << int(Hokkaido) << 1.08;
        QTest::newRow("静岡 is wider than tall") << int(Shizuoka) << 1.25;
        QTest::newRow("東京 is a long band") << int(Tokyo) << 1.8;
        QTest::newRow("岩手 is taller than wide") << int(Iwate) << 0.8;
        QTest::newRow("長野 is taller than wide") << int(Nagano) << 0.7;
        QTest::newRow("三重 is taller than wide") << int(Mie) << 0.7;
    }
    void silhouetteShapes()
    {
        QFETCH(int, row);
        QFETCH(double, widthOverHeight);
        const Ink ink = inkOf(Silhouettes::render(row));
        const double ratio = double(ink.box.width()) / ink.box.height();
        if (widthOverHeight > 1)
            QVERIFY2(ratio >= widthOverHeight, qPrintable(QString::number(ratio)));
        else
            QVERIFY2(ratio <= widthOverHeight, qPrintable(QString::number(ratio)));
    }

    void okinawaIsLongAndThin()
    {
        // Okinawa Island runs from south-west to north-east: long and thin
        // along its axis, and it covers little of its bounding box.
        const Ink okinawa = inkOf(Silhouettes::render(Okinawa));
        QVERIFY2(okinawa.elongation >= 2.8, qPrintable(QString::number(okinawa.elongation)));
        QVERIFY(okinawa.box.height() > 1.5 * okinawa.box.width());
        QVERIFY(okinawa.pixels < 0.2 * okinawa.box.width() * okinawa.box.height());
        // Its neighbours in the table are not that thin.
        for (int row : {Okinawa - 1, Okinawa - 2})
            QVERIFY(inkOf(Silhouettes::render(row)).elongation < 2.6);
    }

    void everySilhouetteIsTheShapeOfItsName_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < Count; ++row)
            QTest::newRow(qPrintable(WrittenPrefectures::name(row))) << row;
    }
    void everySilhouetteIsTheShapeOfItsName()
    {
        // The picture of each row, laid on the grid of the reference outlines
        // taken from the source map, is nearer the outline of the prefecture
        // the table names in that row than any other of the 47, and as wide
        // for its height: a row whose name and picture do not belong
        // together fails, whichever two rows were swapped.
        QFETCH(int, row);
        const QString name = Prefectures::buildTable()[row].name;
        const QImage picture = Silhouettes::render(row);
        const Cells cells = cellsOf(picture);
        int nearest = -1;
        int nearestDistance = std::numeric_limits<int>::max();
        int own = -1;
        int ownDistance = 0;
        const QList<PrefectureOutlines::Outline> outlines = PrefectureOutlines::load();
        QCOMPARE(outlines.size(), Count);
        for (int i = 0; i < int(outlines.size()); ++i) {
            const PrefectureOutlines::Outline &outline = outlines[i];
            const int distance = distanceTo(cells, outline);
            if (distance < nearestDistance) {
                nearest = i;
                nearestDistance = distance;
            }
            if (outline.name == name) {
                own = i;
                ownDistance = distance;
            }
        }
        QVERIFY2(own >= 0, qPrintable(QStringLiteral("no outline of %1").arg(name)));
        QVERIFY2(nearest == own, qPrintable(QStringLiteral("row %1 (%2) looks like %3: %4 cells off, %5 off its own")
                                                .arg(row).arg(name, outlines[nearest].name)
                                                .arg(nearestDistance).arg(ownDistance)));
        // Drawn as the outline: hardly a cell in twenty differs.
        QVERIFY2(ownDistance * 20 < PrefectureOutlines::Grid * PrefectureOutlines::Grid, qPrintable(QString::number(ownDistance)));
        const Ink ink = inkOf(picture);
        const double ratio = double(ink.box.width()) / ink.box.height();
        const double expected = outlines[own].widthOverHeight;
        QVERIFY2(std::abs(ratio / expected - 1) < 0.06, qPrintable(QStringLiteral("%1 against %2").arg(ratio).arg(expected)));
    }

    void lakesAreHoles()
    {
        // 滋賀 is known by Lake Biwa: the lake stays white inside the land,
        // well away from the picture's edge.
        const QImage shiga = Silhouettes::render(WrittenPrefectures::rowNamed(QStringLiteral(u"滋賀")));
        const Ink land = inkOf(shiga);
        int lake = 0;
        for (int y = land.box.top(); y <= land.box.bottom(); ++y) {
            // White between the first and the last black pixel of the line.
            int first = -1, last = -1;
            for (int x = land.box.left(); x <= land.box.right(); ++x) {
                if (isDark(shiga.pixel(x, y))) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
            }
            for (int x = first + 1; first >= 0 && x < last; ++x)
                lake += isDark(shiga.pixel(x, y)) ? 0 : 1;
        }
        // Lake Biwa is a sixth of 滋賀; the picture's own coast leaves a little white too.
        QVERIFY2(lake > land.pixels / 8 && lake < land.pixels / 3, qPrintable(QStringLiteral("%1 of %2").arg(lake).arg(land.pixels)));
    }

    void nagasakiHasTsushima()
    {
        // 対馬 lies far to the north of the rest of 長崎: the picture is much
        // taller than wide, with ink in its top tenth and an empty band of
        // sea between 対馬 and 壱岐 further down.
        const QImage nagasaki = Silhouettes::render(WrittenPrefectures::rowNamed(QStringLiteral(u"長崎")));
        const Ink all = inkOf(nagasaki);
        QVERIFY(all.box.height() > 1.3 * all.box.width());
        QVERIFY(inkOf(nagasaki, QRect(0, all.box.top(), 133, all.box.height() / 10)).pixels > 20);
        int emptyLines = 0;
        for (int y = all.box.top() + all.box.height() / 4; y < all.box.top() + all.box.height() / 2; ++y)
            emptyLines += inkOf(nagasaki, QRect(0, y, 133, 1)).pixels == 0 ? 1 : 0;
        QVERIFY(emptyLines >= 5);
    }

    // --- The window --------------------------------------------------------------

    void opensIdle()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({OwnLine}));
        // The larger window, with the common controls at its own places.
        QCOMPARE(fx.window->size(), QSize(702, 460));
        QCOMPARE(fx.label("lblExp")->geometry(), Twips::rect(300, 120, 7875, 2115));
        QCOMPARE(fx.label("lblResult")->geometry(), Twips::rect(3180, 2400, 525, 435));
        QCOMPARE(fx.label("lblProbCnt")->geometry(), Twips::rect(3900, 2400, 1935, 375));
        QCOMPARE(fx.button("cmdRank")->geometry(), Twips::rect(8760, 240, 1575, 615));
        QCOMPARE(fx.button("cmdStart")->geometry(), Twips::rect(8760, 1020, 1575, 855));
        QCOMPARE(fx.button("cmdEnd")->geometry(), Twips::rect(8760, 6060, 1575, 615));
        QCOMPARE(fx.label("lblTimer")->geometry(), Twips::rect(8820, 2520, 1095, 375));
        QCOMPARE(fx.label("Label1")->pos(), Twips::rect(8820, 2040, 0, 0).topLeft());
        QCOMPARE(fx.label("Label2")->pos().x(), Twips::toPixels(10020));
        QVERIFY(fx.showsIdle("fraAns"));

        // The design question: 北海道 on the second button among 三重, 和歌山 and 熊本.
        QCOMPARE(fx.text("lblName(0)"), QStringLiteral(u"ほっかいどう"));
        QCOMPARE(fx.text("lblName(1)"), QStringLiteral(u"北海道"));
        QCOMPARE(fx.label("lblName(1)")->font().pointSizeF(), 48.0);
        QCOMPARE(shownPictures(), QList<int>({Mie, Hokkaido, Wakayama, Kumamoto}));
        const QList<int> lefts{60, 2100, 4140, 6180};
        for (int i = 0; i < Choices; ++i) {
            QVERIFY(!pictureButton(i)->isEnabled());
            QVERIFY(pictureButton(i)->text().isEmpty());
            QCOMPARE(pictureButton(i)->geometry(), Twips::rect(lefts[i], 60, 2000, 2000));
        }
    }

    void buttonsShowTheirSilhouettes()
    {
        // Idle, the silhouettes are there but greyed.
        const QImage idle = pictureButton(1)->grab().toImage();
        const QRect area = pictureButton(1)->pictureArea();
        QVERIFY(area.width() >= 120);
        QCOMPARE(inkOf(idle, area).pixels, 0);
        int grey = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                grey += qGray(idle.pixel(x, y)) < 200 ? 1 : 0;
        QVERIFY(grey > 2000);

        // In a run, each face shows its prefecture black on white, the very
        // shape of the picture, as large as the face allows.
        scriptQuestion(fx.random, {Iwate}, 2, {Tokyo, Okinawa, Shizuoka});
        fx.clickStart();
        QCOMPARE(shownPictures(), QList<int>({Tokyo, Okinawa, Iwate, Shizuoka}));
        for (int i = 0; i < Choices; ++i) {
            SilhouetteButton *button = pictureButton(i);
            const QImage face = button->grab().toImage().scaled(button->size());
            const QRect place = button->pictureArea();
            const Ink shown = inkOf(face, place);
            const Ink expected = inkOf(Silhouettes::render(button->pictureIndex(), place.width()));
            QVERIFY2(std::abs(shown.box.left() - place.left() - expected.box.left()) <= 1
                         && std::abs(shown.box.top() - place.top() - expected.box.top()) <= 1
                         && std::abs(shown.box.width() - expected.box.width()) <= 1
                         && std::abs(shown.box.height() - expected.box.height()) <= 1,
                     qPrintable(QStringLiteral("button %1").arg(i)));
            QVERIFY(std::abs(shown.pixels - expected.pixels) <= expected.pixels / 50);
        }
    }

    void wholeRun()
    {
        fx.random.pushSeeded(1414, 3000);
        fx.clickStart();
        QVERIFY(fx.showsRunning("fraAns"));

        fx.dialogs->answerText(QStringLiteral(u"さくら"));
        QString namedBefore;
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　%1問").arg(51 - q));
            const int named = namedRow();
            QVERIFY(named >= 0);
            QCOMPARE(fx.text("lblName(0)"), WrittenPrefectures::reading(named));
            QVERIFY(fx.text("lblName(1)") != namedBefore);
            namedBefore = fx.text("lblName(1)");
            const QList<int> shown = shownPictures();
            QCOMPARE(QSet<int>(shown.begin(), shown.end()).size(), Choices);
            QCOMPARE(shown.count(named), 1);

            fx.ticks(4);
            const int right = int(shown.indexOf(named));
            const bool wrong = q == 20 || q == 21;
            fx.click(pictureButton(wrong ? (right + 1 + q % 3) % Choices : right));
            QCOMPARE(fx.text("lblResult"), wrong ? QStringLiteral(u"×") : QStringLiteral(u"○"));
        }

        QVERIFY(fx.showsIdle("fraAns"));
        // The last question stays on screen.
        QCOMPARE(fx.text("lblName(1)"), namedBefore);
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　1問"));
    }

    void noPrefectureAskedTwiceInARowAcrossRuns()
    {
        scriptQuestion(fx.random, {Tokyo}, 0, {1, 2, 3});
        fx.clickStart();
        QCOMPARE(fx.text("lblName(1)"), QStringLiteral(u"東京"));
        fx.clickStart();
        QVERIFY(fx.showsIdle("fraAns"));

        // The next run draws 東京 first, and draws again.
        scriptQuestion(fx.random, {Tokyo, Tokyo, Okinawa}, 3, {Tokyo, 4, 5});
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(fx.text("lblName(0)"), QStringLiteral(u"おきなわ"));
        QCOMPARE(fx.text("lblName(1)"), QStringLiteral(u"沖縄"));
        QCOMPARE(shownPictures(), QList<int>({Tokyo, 4, 5, Okinawa}));

        // Pressing 東京 under 沖縄 is wrong; 沖縄 would have been right.
        scriptQuestion(fx.random, {Hokkaido}, 1, {6, 7, 8});
        fx.click(pictureButton(0));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), 50.0);
        scriptQuestion(fx.random, {Iwate}, 1, {6, 7, 8});
        fx.click(pictureButton(1));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
    }
};

QTEST_MAIN(TestPrefectures)
#include "tst_prefectures.moc"
