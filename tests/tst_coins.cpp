// これ、いくら？ — what each picture slot is worth, the draw of the eight
// places and their total, the typed answer, the coin pictures, and a whole
// run played through the real window.

#include "exercises/11_coins/coinpictures.h"
#include "exercises/11_coins/coins.h"
#include "exercises/11_coins/frmtrainer11.h"
#include "support/trainerfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <cmath>

using Coins::Board;
using Coins::Places;

namespace {

const QString Title = QStringLiteral(u"これ、いくら？");
const float LargestR = std::nextafter(1.0f, 0.0f);

// What the pictures are worth, slot by slot, as a player reads them off the coins.
constexpr std::array<int, Coins::PictureCount> SlotYen = {
    0, 0, 0, 0, 1, 1, 1, 1, 5, 5, 5, 5, 10, 10, 10, 10, 50, 50, 50, 50, 100, 100, 100, 100, 500, 500, 500, 500};

// A question whose draws were ks, place 0 first.
void scriptBoard(ScriptedRandom &random, const QList<int> &ks)
{
    for (int k : ks)
        random.pushInt(k, Coins::DrawChoices);
}

// The colour of a coin's face: the mean of a ring of points well inside its edge.
QColor faceColour(const QImage &picture, double radius)
{
    int red = 0;
    int green = 0;
    int blue = 0;
    int points = 0;
    for (int degrees = 0; degrees < 360; degrees += 10) {
        const double a = degrees * M_PI / 180.0;
        const QColor c = picture.pixelColor(int(41.5 + radius * std::cos(a)), int(41.5 + radius * std::sin(a)));
        red += c.red();
        green += c.green();
        blue += c.blue();
        ++points;
    }
    return QColor(red / points, green / points, blue / points);
}

// The coin's width across its middle row, in pixels.
int widthAcross(const QImage &picture)
{
    int left = picture.width();
    int right = -1;
    for (int x = 0; x < picture.width(); ++x) {
        if (picture.pixel(x, picture.height() / 2) != Coins::Background) {
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    return right - left + 1;
}

} // namespace

class TestCoins : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer11> fx;

    CoinPicture *place(int i) { return fx.control<CoinPicture>(QStringLiteral("picProb(%1)").arg(i)); }
    QLineEdit *answerBox() { return fx.control<QLineEdit>(QStringLiteral("txtAns")); }
    Board shownBoard()
    {
        Board board{};
        for (int i = 0; i < Places; ++i)
            board[i] = place(i)->slot();
        return board;
    }
    // The total of the coins on screen, counted as the player counts them.
    int shownYen()
    {
        int yen = 0;
        for (int slot : shownBoard())
            yen += SlotYen[slot];
        return yen;
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(11));
    }
    void cleanup() { fx.close(); }

    // --- Slots and the draw ---------------------------------------------------

    void slotValues_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("yen");
        QTest::addColumn<int>("turns");
        QTest::newRow("blank") << 0 << 0 << 0;
        QTest::newRow("blank, the last of four") << 3 << 0 << 3;
        QTest::newRow("1 yen upright") << 4 << 1 << 0;
        QTest::newRow("1 yen, three quarters") << 7 << 1 << 3;
        QTest::newRow("5 yen upright") << 8 << 5 << 0;
        QTest::newRow("5 yen, a half") << 10 << 5 << 2;
        QTest::newRow("10 yen, a quarter") << 13 << 10 << 1;
        QTest::newRow("50 yen, three quarters") << 19 << 50 << 3;
        QTest::newRow("100 yen upright") << 20 << 100 << 0;
        QTest::newRow("500 yen upright") << 24 << 500 << 0;
        QTest::newRow("500 yen, three quarters") << 27 << 500 << 3;
    }
    void slotValues()
    {
        QFETCH(int, slot);
        QFETCH(int, yen);
        QFETCH(int, turns);
        QCOMPARE(Coins::valueOf(slot), yen);
        QCOMPARE(Coins::isBlank(slot), yen == 0);
        if (yen)
            QCOMPARE(Coins::quarterTurns(slot), turns);
        QCOMPARE(Coins::valueOf(slot), SlotYen[slot]);
    }

    void drawPlace_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("slot");
        QTest::newRow("k 0: blank") << ScriptedRandom::forInt(0, 40) << 0;
        QTest::newRow("k 3: blank") << ScriptedRandom::forInt(3, 40) << 0;
        QTest::newRow("k 4: 1 yen upright") << ScriptedRandom::forInt(4, 40) << 4;
        QTest::newRow("k 17: 50 yen turned") << ScriptedRandom::forInt(17, 40) << 17;
        QTest::newRow("k 27: 500 yen turned") << ScriptedRandom::forInt(27, 40) << 27;
        QTest::newRow("k 28: blank") << ScriptedRandom::forInt(28, 40) << 0;
        QTest::newRow("k 39: blank") << ScriptedRandom::forInt(39, 40) << 0;
        QTest::newRow("r 0") << 0.0f << 0;
        QTest::newRow("r 0.1 is k 4") << 0.1f << 4;
        QTest::newRow("r 0.7 is k 28") << 0.7f << 0;
        QTest::newRow("the largest r") << LargestR << 0;
    }
    void drawPlace()
    {
        QFETCH(float, r);
        QFETCH(int, slot);
        ScriptedRandom source{r};
        QCOMPARE(Coins::drawPlace(source), slot);
        QCOMPARE(source.remaining(), 0);
    }

    void total_data()
    {
        QTest::addColumn<QList<int>>("ks");
        QTest::addColumn<Board>("board");
        QTest::addColumn<int>("total");
        QTest::newRow("all blank")
            << QList<int>{0, 1, 2, 3, 28, 33, 38, 39} << Board{0, 0, 0, 0, 0, 0, 0, 0} << 0;
        QTest::newRow("eight 500s, every way round")
            << QList<int>{24, 25, 26, 27, 24, 25, 26, 27} << Board{24, 25, 26, 27, 24, 25, 26, 27} << 4000;
        QTest::newRow("one of each, two blanks")
            << QList<int>{5, 30, 9, 14, 2, 18, 23, 26} << Board{5, 0, 9, 14, 0, 18, 23, 26} << 666;
        QTest::newRow("turned coins count as upright ones")
            << QList<int>{8, 9, 10, 11, 12, 13, 14, 15} << Board{8, 9, 10, 11, 12, 13, 14, 15} << 60;
        QTest::newRow("a lone 1 yen among blanks")
            << QList<int>{31, 29, 0, 7, 39, 3, 28, 35} << Board{0, 0, 0, 7, 0, 0, 0, 0} << 1;
    }
    void total()
    {
        QFETCH(QList<int>, ks);
        QFETCH(Board, board);
        QFETCH(int, total);
        ScriptedRandom source;
        scriptBoard(source, ks);
        const Coins::Question question = Coins::drawQuestion(source);
        QCOMPARE(question.board, board);
        QCOMPARE(question.CoinTotal, total);
        QCOMPARE(Coins::totalOf(board), total);
        QCOMPARE(source.remaining(), 0);
    }

    void seededQuestions()
    {
        // Each place on its own: blank two times in five, each coin one in ten.
        SeededRandom source(11);
        std::array<int, Coins::PictureCount> slotCount{};
        constexpr int Questions = 20000;
        for (int n = 0; n < Questions; ++n) {
            const Coins::Question q = Coins::drawQuestion(source);
            int yen = 0;
            for (int slot : q.board) {
                QVERIFY(slot == 0 || (slot >= 4 && slot <= 27));
                yen += SlotYen[slot];
                ++slotCount[slot];
            }
            QCOMPARE(q.CoinTotal, yen);
            QVERIFY(q.CoinTotal >= 0 && q.CoinTotal <= 4000);
        }
        const double places = Questions * Places;
        QVERIFY(std::abs(slotCount[0] / places - 0.4) < 0.01);
        for (int slot = 1; slot < 4; ++slot)
            QCOMPARE(slotCount[slot], 0);
        for (int slot = 4; slot < Coins::PictureCount; ++slot)
            QVERIFY2(std::abs(slotCount[slot] / places - 0.025) < 0.003, qPrintable(QString::number(slot)));
    }

    void judge_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("total");
        QTest::addColumn<bool>("right");
        QTest::newRow("0 for an empty board") << QStringLiteral("0") << 0 << true;
        QTest::newRow("nothing typed for an empty board") << QString() << 0 << false;
        QTest::newRow("spaces round the number") << QStringLiteral("  666 ") << 666 << true;
        QTest::newRow("a wrong number") << QStringLiteral("665") << 666 << false;
        QTest::newRow("not a number") << QStringLiteral(u"六百") << 600 << false;
        QTest::newRow("full-width digits") << QStringLiteral(u"４０００") << 4000 << true;
    }
    void judge()
    {
        QFETCH(QString, typed);
        QFETCH(int, total);
        QFETCH(bool, right);
        QCOMPARE(Coins::isRightAnswer(typed, total), right);
    }

    // --- The pictures -----------------------------------------------------------

    void picturesHaveTheirSize()
    {
        for (int slot = 0; slot < Coins::PictureCount; ++slot)
            QCOMPARE(Coins::render(slot).size(), QSize(83, 83));
        // Twice the pixels on a screen of twice the density, the same size on it.
        const QImage sharp = Coins::render(24, 2.0);
        QCOMPARE(sharp.size(), QSize(166, 166));
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(83, 83));
    }

    void blankPicturesAreWhite()
    {
        QImage white(83, 83, QImage::Format_ARGB32_Premultiplied);
        white.fill(QColor::fromRgb(Coins::Background));
        for (int slot = 0; slot < 4; ++slot)
            QCOMPARE(Coins::render(slot), white);
    }

    void aTurnedCoinIsTheSameCoinTurned()
    {
        for (int upright = 4; upright < Coins::PictureCount; upright += 4) {
            const QImage coin = Coins::render(upright);
            for (int turns = 1; turns < 4; ++turns) {
                const QImage turned = Coins::render(upright + turns);
                QCOMPARE(turned, coin.transformed(QTransform().rotate(90 * turns)));
                QVERIFY(turned != coin); // the value reads the other way
            }
        }
    }

    void holesShowWhatIsBehind_data()
    {
        QTest::addColumn<int>("upright");
        QTest::addColumn<bool>("holed");
        QTest::newRow("1 yen") << 4 << false;
        QTest::newRow("5 yen") << 8 << true;
        QTest::newRow("10 yen") << 12 << false;
        QTest::newRow("50 yen") << 16 << true;
        QTest::newRow("100 yen") << 20 << false;
        QTest::newRow("500 yen") << 24 << false;
    }
    void holesShowWhatIsBehind()
    {
        QFETCH(int, upright);
        QFETCH(bool, holed);
        for (int slot = upright; slot < upright + 4; ++slot) {
            const QImage coin = Coins::render(slot);
            QCOMPARE(coin.pixel(41, 41) == Coins::Background, holed);
            // Metal all round the hole.
            for (const QPoint &p : {QPoint(41, 30), QPoint(41, 52), QPoint(30, 41), QPoint(52, 41)})
                QVERIFY(coin.pixel(p) != Coins::Background);
        }
    }

    void coinsKeepTheirSizeOrder()
    {
        // 500 (26.5 mm) > 10 (23.5) > 100 (22.6) > 5 (22) > 50 (21) > 1 (20).
        const QList<int> bySize = {24, 12, 20, 8, 16, 4};
        for (int i = 0; i + 1 < bySize.size(); ++i)
            QVERIFY(widthAcross(Coins::render(bySize[i])) > widthAcross(Coins::render(bySize[i + 1])));
        QVERIFY(widthAcross(Coins::render(24)) <= 83);
        QVERIFY(widthAcross(Coins::render(4)) >= 55);
    }

    void coinsHaveTheirMetal()
    {
        const QColor one = faceColour(Coins::render(4), 18);
        const QColor five = faceColour(Coins::render(8), 20);
        const QColor ten = faceColour(Coins::render(12), 22);
        const QColor fifty = faceColour(Coins::render(16), 19);
        const QColor hundred = faceColour(Coins::render(20), 21);
        const QColor fiveHundred = faceColour(Coins::render(24), 24);
        // Aluminium and cupronickel are grey silver, aluminium the whitest.
        for (const QColor &silver : {one, fifty, hundred})
            QVERIFY(silver.hsvSaturation() < 40);
        QVERIFY(one.value() > fifty.value() && one.value() > hundred.value());
        // Brass is gold, nickel-brass a paler gold, bronze a darker, redder brown.
        for (const QColor &gold : {five, fiveHundred})
            QVERIFY(gold.hsvHue() >= 35 && gold.hsvHue() <= 55 && gold.hsvSaturation() > 80);
        QVERIFY(five.hsvSaturation() > fiveHundred.hsvSaturation());
        QVERIFY(ten.hsvHue() >= 15 && ten.hsvHue() < 35 && ten.hsvSaturation() > 120);
        QVERIFY(ten.value() < five.value());
    }

    void silverCoinsDifferBeyondTheirNumerals_data()
    {
        QTest::addColumn<int>("upright");
        QTest::addColumn<double>("rim");     // the middle of the raised rim, from the centre
        QTest::addColumn<bool>("reeded");
        QTest::newRow("1 yen, aluminium, smooth") << 4 << 28.6 << false;
        QTest::newRow("5 yen, brass, smooth") << 8 << 31.6 << false;
        QTest::newRow("10 yen, bronze, smooth") << 12 << 33.8 << false;
        QTest::newRow("50 yen, cupronickel, reeded") << 16 << 30.1 << true;
        QTest::newRow("100 yen, cupronickel, reeded") << 20 << 32.5 << true;
        QTest::newRow("500 yen, nickel-brass, reeded") << 24 << 38.3 << true;
    }
    void silverCoinsDifferBeyondTheirNumerals()
    {
        // Round the rim a reeded edge shows as light and dark ticks, a smooth
        // one as an even band: with size, hole and tone this tells the three
        // silver coins apart at a glance.
        QFETCH(int, upright);
        QFETCH(double, rim);
        QFETCH(bool, reeded);
        const QImage coin = Coins::render(upright, 4.0);
        int changes = 0;
        bool wasLight = false;
        for (int step = 0; step <= 720; ++step) {
            const double a = step * M_PI / 360.0;
            const QColor c = coin.pixelColor(int(4 * (41.5 + rim * std::cos(a))), int(4 * (41.5 + rim * std::sin(a))));
            const bool light = c.value() > 215;
            changes += step > 0 && light != wasLight ? 1 : 0;
            wasLight = light;
        }
        if (reeded)
            QVERIFY2(changes > 100, qPrintable(QString::number(changes)));
        else
            QVERIFY2(changes < 6, qPrintable(QString::number(changes)));
    }

    void silverCoinsAreOfTheirSizes()
    {
        // 20.0, 21.0 and 22.6 mm: 3 and 5 pixels apart on the screen, less
        // the blending of the edges.
        const int one = widthAcross(Coins::render(4));
        const int fifty = widthAcross(Coins::render(16));
        const int hundred = widthAcross(Coins::render(20));
        QVERIFY2(fifty - one >= 2 && hundred - fifty >= 4, qPrintable(QStringLiteral("%1 %2 %3").arg(one).arg(fifty).arg(hundred)));
        // On one scale with the largest coin: 500 yen is 26.5 mm.
        const int fiveHundred = widthAcross(Coins::render(24));
        QVERIFY(std::abs(one * 26.5 / 20.0 - fiveHundred) <= 2);
    }

    // --- The window ------------------------------------------------------------

    void opensWithTheSampleCoins()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(fx.instructionLines(),
                 fx.withCommonLines({QStringLiteral(u"●コインの合計金額を入力するんだぴこ。"),
                                     QStringLiteral(u"※向きが違う時や、何にも無い時もあるよ。")}));
        const QLabel *exp = fx.label("lblExp");
        QVERIFY(exp->sizeHint().height() <= exp->height());
        QCOMPARE(shownBoard(), (Board{0, 4, 8, 0, 12, 16, 20, 24}));
        QCOMPARE(answerBox()->text(), QStringLiteral("666"));
        QCOMPARE(fx.text("lblYen"), QStringLiteral(u"円"));
        QVERIFY(fx.showsIdle("fraAns"));

        // The places: a two-by-four grid, even places on top.
        QCOMPARE(place(0)->geometry(), QRect(16, 0, 85, 85));
        QCOMPARE(place(1)->geometry(), QRect(16, 84, 85, 85));
        QCOMPARE(place(6)->geometry(), QRect(268, 0, 85, 85));
        QCOMPARE(place(7)->parentWidget()->geometry(), QRect(20, 144, 381, 169));
        // The box and its unit sit in the answer frame.
        QCOMPARE(answerBox()->parentWidget(), fx.control<QWidget>(QStringLiteral("fraAns")));
        QCOMPARE(answerBox()->geometry(), QRect(156, 8, 93, 26));
        QCOMPARE(answerBox()->font().pointSizeF(), 15.75);
        QCOMPARE(fx.label("lblYen")->pos(), QPoint(256, 16));
        QCOMPARE(fx.label("lblYen")->parentWidget(), answerBox()->parentWidget());
    }

    void thePicturesAreOnScreen()
    {
        for (int i = 0; i < Places; ++i) {
            CoinPicture *box = place(i);
            const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(shown.copy(box->pictureRect()), Coins::render(box->slot()));
        }
    }

    void answersAreTyped()
    {
        // Eight blanks: 0 is right, nothing at all is not.
        scriptBoard(fx.random, {0, 1, 2, 3, 28, 29, 30, 31});
        fx.clickStart();
        QCOMPARE(answerBox()->text(), QString());
        QCOMPARE(fx.window->focusWidget(), answerBox());
        QCOMPARE(shownYen(), 0);
        scriptBoard(fx.random, {4, 9, 14, 19, 24, 29, 34, 39});
        fx.type("txtAns", QStringLiteral("0"));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        QCOMPARE(shownBoard(), (Board{4, 9, 14, 19, 24, 0, 0, 0}));

        // Typing alone judges nothing; spaces round the number are fine.
        fx.type("txtAns", QStringLiteral(" 566 "), false);
        QCOMPARE(shownBoard(), (Board{4, 9, 14, 19, 24, 0, 0, 0}));
        QCOMPARE(fx.window->ElapsedTenths(), 0.0);
        scriptBoard(fx.random, {0, 0, 0, 0, 0, 0, 0, 0});
        QTest::keyClick(answerBox(), Qt::Key_Return);
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        QCOMPARE(answerBox()->text(), QString());

        // Enter on an empty box is a wrong answer.
        scriptBoard(fx.random, {27, 0, 0, 0, 0, 0, 0, 0});
        fx.type("txtAns", QString());
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), 50.0);
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　47問"));

        // A Japanese input method hands over full-width digits.
        scriptBoard(fx.random, {0, 0, 0, 0, 0, 0, 0, 0});
        fx.commit("txtAns", QStringLiteral(u"５００"));
        QTest::keyClick(answerBox(), Qt::Key_Return);
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
    }

    void wholeRun()
    {
        fx.random.pushSeeded(1111, 50 * Places);
        fx.clickStart();
        QVERIFY(fx.showsRunning("fraAns"));
        fx.dialogs->answerText(QStringLiteral(u"こばん"));

        QString last;
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　%1問").arg(51 - q));
            QVERIFY(answerBox()->text().isEmpty());
            fx.tick();
            fx.tick();
            fx.tick();
            const int yen = shownYen();
            // Two slips: one yen off, and letters.
            last = q == 12 ? QString::number(yen + 1) : q == 40 ? QStringLiteral("abc") : QString::number(yen);
            fx.type("txtAns", last);
            QCOMPARE(fx.text("lblResult"), (q == 12 || q == 40) ? QStringLiteral(u"×") : QStringLiteral(u"○"));
        }
        QCOMPARE(fx.random.remaining(), 0);

        // The last coins and the last answer stay, the box is closed.
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(answerBox()->text(), last);
        QVERIFY(!answerBox()->isEnabled());
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　1問"));
    }
};

QTEST_MAIN(TestCoins)
#include "tst_coins.moc"
