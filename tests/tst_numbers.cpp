// 数字順番押し — dealing the board, judging presses in order, and one run
// played through the real window: the counter of the next number, a board
// dealt anew at every Start, and the run that ends with 48.

#include "exercises/02_numbers/frmtrainer2.h"
#include "exercises/02_numbers/numbers.h"
#include "support/trainerfixture.h"
#include "ui/colorbutton.h"
#include "ui/twips.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>

using Numbers::ButtonCount;

Q_DECLARE_METATYPE(Numbers::Press)

namespace {

const QString Title = QStringLiteral(u"数字順番押し");

// The draw r that deals number n (1 to 48).
float drawFor(int number)
{
    return ScriptedRandom::forInt(number - 1, ButtonCount);
}

using Deal = QList<int>; // the number on each button, button 0 first

// A deal where button i shows (stride x i + offset) mod 48 + 1: with a stride
// that shares no factor with 48, every number once.
Deal strideDeal(int stride, int offset)
{
    Deal deal;
    for (int i = 0; i < ButtonCount; ++i)
        deal.append((stride * i + offset) % ButtonCount + 1);
    return deal;
}

void scriptDeal(ScriptedRandom &random, const Deal &deal)
{
    for (int number : deal)
        random.push(drawFor(number));
}

Deal dealOf(const Numbers::Board &board)
{
    return Deal(board.numbers.begin(), board.numbers.end());
}

// A fresh board dealt from the draws.
Numbers::Board dealt(RandomSource &random)
{
    Numbers::Board board = Numbers::Board::inOrder();
    board.pressed.fill(true);
    board.NextNumber = 30;
    Numbers::ResetBoard(board);
    Numbers::ShuffleNumbers(board, random);
    return board;
}

bool isPermutation(Deal deal)
{
    std::sort(deal.begin(), deal.end());
    return deal == strideDeal(1, 0);
}

// Hands out one value for ever, like a broken generator.
class StuckRandom final : public RandomSource
{
public:
    float next() override { return 0.0f; }
    void reseed() override {}
};

} // namespace

class TestNumbers : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer2> fx;

    ColorButton *boardButton(int index) { return fx.control<ColorButton>(QStringLiteral("cmdNum(%1)").arg(index)); }
    // The board button that shows number, found by its caption.
    ColorButton *buttonShowing(int number) { return boardButton(shownDeal().indexOf(number)); }
    Deal shownDeal()
    {
        Deal deal;
        for (int i = 0; i < ButtonCount; ++i)
            deal.append(boardButton(i)->text().toInt());
        return deal;
    }
    int buttonsIn(const QColor &colour)
    {
        int count = 0;
        for (int i = 0; i < ButtonCount; ++i)
            count += boardButton(i)->backColor() == colour ? 1 : 0;
        return count;
    }
    void start(const Deal &deal)
    {
        scriptDeal(fx.random, deal);
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
    }

private slots:
    void init() { QVERIFY(fx.open(2)); }
    void cleanup() { fx.close(); }

    // --- Dealing, without a screen -------------------------------------------------

    void dealFollowsTheDraws_data()
    {
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<Deal>("expected");

        // Before each new number the script repeats the one dealt just before
        // and the first one dealt: both are thrown away and drawn again.
        const Deal stride = strideDeal(7, 3);
        QList<float> withRepeats;
        for (int i = 0; i < ButtonCount; ++i) {
            if (i > 0) {
                withRepeats.append(drawFor(stride[i - 1]));
                withRepeats.append(drawFor(stride[0]));
            }
            withRepeats.append(drawFor(stride[i]));
        }
        QTest::newRow("numbers already dealt are drawn again") << withRepeats << stride;

        // r = 0 deals 1, the largest float below 1 deals 48 (and never 49).
        QList<float> extremes = {0.0f, std::nextafter(1.0f, 0.0f), std::nextafter(1.0f, 0.0f)};
        Deal extremesDeal = {1, 48};
        for (int n = 2; n <= 47; ++n) {
            extremes.append(drawFor(n));
            extremesDeal.append(n);
        }
        QTest::newRow("the smallest and largest draws") << extremes << extremesDeal;
    }
    void dealFollowsTheDraws()
    {
        QFETCH(QList<float>, draws);
        QFETCH(Deal, expected);
        ScriptedRandom script;
        for (float r : draws)
            script.push(r);

        const Numbers::Board board = dealt(script);

        QCOMPARE(dealOf(board), expected);
        QCOMPARE(script.remaining(), 0); // every repeat was thrown away, nothing more drawn
        for (bool pressed : board.pressed)
            QVERIFY(!pressed);
        QCOMPARE(board.NextNumber, 1);
    }

    void everyNumberLandsEverywhere()
    {
        // Which number the first and the last dealt button get, over many
        // seeded deals: each of the 48 comes up about equally often (50 times
        // expected, about four standard deviations either way).
        constexpr int Deals = 2400;
        std::array<int, ButtonCount + 1> onFirst{};
        std::array<int, ButtonCount + 1> onLast{};
        for (int deal = 0; deal < Deals; ++deal) {
            SeededRandom seeded(1000 + deal);
            const Numbers::Board board = dealt(seeded);
            QVERIFY(isPermutation(dealOf(board)));
            ++onFirst[board.numbers[0]];
            ++onLast[board.numbers[ButtonCount - 1]];
        }
        for (int n = 1; n <= ButtonCount; ++n) {
            QVERIFY2(onFirst[n] >= 20 && onFirst[n] <= 80, qPrintable(QStringLiteral("%1 first %2 times").arg(n).arg(onFirst[n])));
            QVERIFY2(onLast[n] >= 20 && onLast[n] <= 80, qPrintable(QStringLiteral("%1 last %2 times").arg(n).arg(onLast[n])));
        }
    }

    void brokenSourceStillDealsAWholeBoard()
    {
        // A generator stuck on one value can never bring up the missing
        // numbers; the board must still be dealt, and Start must not hang.
        StuckRandom stuck;
        const Numbers::Board board = dealt(stuck);
        QVERIFY(isPermutation(dealOf(board)));
        QCOMPARE(board.numbers[0], 1);
    }

    // --- Judging presses, without a screen ------------------------------------------

    void press_data()
    {
        QTest::addColumn<int>("alreadyPressed"); // 1 .. this number pressed before
        QTest::addColumn<int>("pressedNumber");
        QTest::addColumn<Numbers::Press>("outcome");
        QTest::addColumn<int>("nextAfter");

        using Numbers::Press;
        QTest::newRow("first press on 1") << 0 << 1 << Press::Right << 2;
        QTest::newRow("a number above the next") << 0 << 2 << Press::Wrong << 1;
        QTest::newRow("a number below the next") << 5 << 3 << Press::Wrong << 6;
        QTest::newRow("an already pressed button") << 1 << 1 << Press::Wrong << 2;
        QTest::newRow("47 leaves one") << 46 << 47 << Press::Right << 48;
        QTest::newRow("48 clears the board") << 47 << 48 << Press::Cleared << 49;
    }
    void press()
    {
        QFETCH(int, alreadyPressed);
        QFETCH(int, pressedNumber);
        QFETCH(Numbers::Press, outcome);
        QFETCH(int, nextAfter);

        ScriptedRandom script;
        scriptDeal(script, strideDeal(11, 5));
        Numbers::Board board = dealt(script);
        const auto indexOf = [&board](int number) { return dealOf(board).indexOf(number); };
        for (int n = 1; n <= alreadyPressed; ++n)
            QCOMPARE(Numbers::press(board, indexOf(n)), Numbers::Press::Right);
        const int index = indexOf(pressedNumber);
        const Numbers::Board before = board;

        QCOMPARE(Numbers::press(board, index), outcome);

        QCOMPARE(board.NextNumber, nextAfter);
        QCOMPARE(board.numbers, before.numbers); // numbers never move
        for (int i = 0; i < ButtonCount; ++i) {
            const bool newlyPressed = outcome != Numbers::Press::Wrong && i == index;
            QCOMPARE(board.pressed[i], newlyPressed || before.pressed[i]);
        }
    }

    // --- The window -----------------------------------------------------------------

    void opensWithTheBoardInOrder()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(fx.label("lblExp")->text(),
                 QStringLiteral(u"●１から４８までの数字ボタンを順番におすんだぴこ。\r\n"
                                u"●クリアした時間が早い方が良いんだぴこ。\r\n"
                                u"●間違えると５秒加算されるんだぴこ。\r\n"
                                u"●開始ボタンで始めるんだぴこ。"));
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　1"));
        QCOMPARE(fx.label("lblProbCnt")->pos(), Twips::rect(2640, 1560, 0, 0).topLeft());
        QCOMPARE(fx.label("lblResult")->pos(), Twips::rect(2160, 1560, 0, 0).topLeft());
        QVERIFY(fx.showsIdle("fraNum"));
        QCOMPARE(shownDeal(), strideDeal(1, 0));
        QCOMPARE(buttonsIn(Qt::yellow), ButtonCount);
        // Six rows of eight, top left to bottom right.
        QCOMPARE(boardButton(9)->geometry(), Twips::rect(720, 600, 615, 495));
        QCOMPARE(boardButton(47)->geometry(), Twips::rect(5040, 3000, 615, 495));
    }

    void numbersFitTheirButtons()
    {
        ColorButton *widest = boardButton(47);
        const QRect text = QFontMetrics(widest->font()).boundingRect(QStringLiteral("48"));
        QVERIFY2(text.width() + 4 <= widest->width() && text.height() <= widest->height(),
                 qPrintable(QStringLiteral("text %1x%2 in button %3x%4")
                                .arg(text.width()).arg(text.height()).arg(widest->width()).arg(widest->height())));
    }

    void playedThroughTheWindow()
    {
        QVERIFY(QTest::qWaitForWindowExposed(fx.window.get()));
        start(strideDeal(7, 3));
        QCOMPARE(shownDeal(), strideDeal(7, 3));
        QCOMPARE(buttonsIn(Qt::yellow), ButtonCount);
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"次は　1"));

        // A number above the next: five seconds, "×", nothing else.
        fx.click(buttonShowing(2));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"次は　1"));
        QCOMPARE(buttonsIn(Qt::yellow), ButtonCount);

        // Right: the button turns black, as the player sees it.
        fx.click(buttonShowing(1));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"次は　2"));
        QCOMPARE(buttonShowing(1)->backColor(), QColor(Qt::black));
        const QWidget *pressed = buttonShowing(1);
        const QPoint belowCaption = pressed->mapTo(fx.window.get(), QPoint(pressed->width() / 2, pressed->height() - 5));
        QCOMPARE(fx.grabbed().pixelColor(belowCaption), QColor(Qt::black));

        // 1 again: right a moment ago, wrong now.
        fx.click(buttonShowing(1));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"次は　2"));
        fx.click(buttonShowing(2));

        // Stop keeps the board; the next Start deals a new one, all yellow.
        fx.clickStart();
        QCOMPARE(buttonsIn(Qt::black), 2);
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"次は　3"));
        const Deal second = strideDeal(5, 40);
        start(second);
        QCOMPARE(shownDeal(), second);
        QCOMPARE(buttonsIn(Qt::yellow), ButtonCount);
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"次は　1"));
        QCOMPARE(fx.window->NextNumber(), 1);

        // The old board's 3 is not the next number of the new run.
        fx.tick();
        fx.click(buttonShowing(3));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        fx.dialogs->answerText(QStringLiteral(u"ぴこ太"));
        QSignalSpy finished(&fx.window->session(), &RunSession::finished);
        for (int n = 1; n <= 47; ++n) {
            fx.click(buttonShowing(n));
            QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
            QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"次は　%1").arg(n + 1));
        }
        QVERIFY(finished.isEmpty());
        fx.tick();

        // 48 ends the run, which counts; the counter still names 48 and the board stays black.
        fx.click(buttonShowing(48));
        QCOMPARE(fx.window->NextNumber(), 49);
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"次は　48"));
        QCOMPARE(buttonsIn(Qt::black), ButtonCount);
        QCOMPARE(shownDeal(), second);
        QVERIFY(fx.showsIdle("fraNum"));
        QCOMPARE(finished.size(), 1);

        // Idle again: the board takes no presses.
        fx.window->cmdNum_Click(0);
        QCOMPARE(fx.window->ElapsedTenths(), 52.0);
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
    }
};

QTEST_MAIN(TestNumbers)
#include "tst_numbers.moc"
