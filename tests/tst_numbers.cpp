// 数字順番押し — dealing the board, judging presses in order, and whole runs
// played through the real window: Start/Stop, marks, penalties, the counter
// of the next number and the rank-in at the end.

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

// The board without a screen, as the rules see it.
class MemoryBoard final : public Numbers::Board
{
public:
    QString caption(int index) const override { return captions[index]; }
    void setCaption(int index, const QString &caption) override { captions[index] = caption; }
    quint32 backColour(int index) const override { return colours[index]; }
    void setBackColour(int index, quint32 colour) override { colours[index] = colour; }

    int indexOf(int number) const { return numbers().indexOf(number); }
    Deal numbers() const
    {
        Deal deal;
        for (const QString &caption : captions)
            deal.append(caption.toInt());
        return deal;
    }

    std::array<QString, ButtonCount> captions;
    std::array<quint32, ButtonCount> colours{};
};

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

        MemoryBoard board;
        Numbers::NumberOrder order(board);
        order.deal(script);

        QCOMPARE(board.numbers(), expected);
        QCOMPARE(script.remaining(), 0); // every repeat was thrown away, nothing more drawn
        for (quint32 colour : board.colours)
            QCOMPARE(colour, Numbers::Unpressed);
        QCOMPARE(order.NextNumber(), 1);
    }

    void everyNumberLandsEverywhere()
    {
        // Which number the first and the last dealt button get, over many
        // seeded deals: each of the 48 comes up about equally often (50 times
        // expected, about four standard deviations either way).
        constexpr int Deals = 2400;
        std::array<int, ButtonCount + 1> onFirst{};
        std::array<int, ButtonCount + 1> onLast{};
        MemoryBoard board;
        Numbers::NumberOrder order(board);
        for (int deal = 0; deal < Deals; ++deal) {
            SeededRandom seeded(1000 + deal);
            order.deal(seeded);
            QVERIFY(isPermutation(board.numbers()));
            ++onFirst[board.captions[0].toInt()];
            ++onLast[board.captions[ButtonCount - 1].toInt()];
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
        MemoryBoard board;
        Numbers::NumberOrder order(board);
        order.deal(stuck);
        QVERIFY(isPermutation(board.numbers()));
        QCOMPARE(board.captions[0], QStringLiteral("1"));
    }

    // --- Judging presses, without a screen ------------------------------------------

    void press_data()
    {
        QTest::addColumn<int>("alreadyPressed"); // 1 .. this number pressed before
        QTest::addColumn<int>("pressedNumber");
        QTest::addColumn<quint32>("colourBefore"); // the pressed button's back colour, or keep
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("nextAfter");

        using Press = Numbers::NumberOrder::Press;
        constexpr quint32 Keep = 0xFFFFFFFF;
        QTest::newRow("first press on 1") << 0 << 1 << Keep << int(Press::Right) << 2;
        QTest::newRow("a number above the next") << 0 << 2 << Keep << int(Press::Wrong) << 1;
        QTest::newRow("an already blackened button") << 1 << 1 << Keep << int(Press::Wrong) << 2;
        QTest::newRow("48 clears the board") << 47 << 48 << Keep << int(Press::Cleared) << 49;
        // Only exactly yellow is "not pressed yet".
        QTest::newRow("the next number on an almost yellow button")
            << 4 << 5 << quint32(0xFFFE00) << int(Press::Wrong) << 5;
    }
    void press()
    {
        QFETCH(int, alreadyPressed);
        QFETCH(int, pressedNumber);
        QFETCH(quint32, colourBefore);
        QFETCH(int, outcome);
        QFETCH(int, nextAfter);

        MemoryBoard board;
        Numbers::NumberOrder order(board);
        ScriptedRandom script;
        scriptDeal(script, strideDeal(11, 5));
        order.deal(script);
        for (int n = 1; n <= alreadyPressed; ++n)
            QCOMPARE(order.press(board.indexOf(n)), Numbers::NumberOrder::Press::Right);
        const int index = board.indexOf(pressedNumber);
        if (colourBefore != 0xFFFFFFFF)
            board.setBackColour(index, colourBefore);
        const MemoryBoard before = board;

        QCOMPARE(int(order.press(index)), outcome);

        QCOMPARE(order.NextNumber(), nextAfter);
        QCOMPARE(board.captions, before.captions); // numbers never move
        for (int i = 0; i < ButtonCount; ++i) {
            const bool blackened = outcome != int(Numbers::NumberOrder::Press::Wrong) && i == index;
            QCOMPARE(board.colours[i], blackened ? Numbers::Pressed : before.colours[i]);
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

    void wholeRunRanksIn()
    {
        fx.dialogs->answerText(QStringLiteral(u"ぴこ太"));
        const Deal deal = strideDeal(7, 3);
        start(deal);

        QCOMPARE(fx.random.reseeds, 1);
        QVERIFY(fx.showsRunning("fraNum"));
        QCOMPARE(shownDeal(), deal);
        QCOMPARE(buttonsIn(Qt::yellow), ButtonCount);
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　1"));

        fx.tick();
        fx.tick();
        fx.tick();
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("0.3"));

        // A number above the next: five seconds, "×", nothing else.
        fx.click(buttonShowing(2));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"×"));
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　1"));
        QCOMPARE(buttonsIn(Qt::yellow), ButtonCount);

        fx.click(buttonShowing(1));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"○"));
        QCOMPARE(buttonShowing(1)->backColor(), QColor(Qt::black));
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　2"));

        // 1 again: right a moment ago, wrong now.
        fx.click(buttonShowing(1));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"×"));
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　2"));

        fx.tick();
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("10.4"));

        for (int n = 2; n <= 47; ++n) {
            fx.click(buttonShowing(n));
            QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"○"));
            QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　%1").arg(n + 1));
        }
        QVERIFY(fx.dialogs->shown.isEmpty());
        fx.tick();
        fx.tick();

        fx.click(buttonShowing(48));

        QCOMPARE(fx.window->NextNumber(), 49);
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"○"));
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　48"));
        QCOMPARE(buttonsIn(Qt::black), ButtonCount);
        QCOMPARE(shownDeal(), deal);
        QVERIFY(fx.showsIdle("fraNum"));
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("10.6"));

        QCOMPARE(fx.dialogs->shown.size(), 1);
        QCOMPARE(fx.dialogs->shown[0].caption, QStringLiteral(u"おめでとうだぴこ。　1位だぴこ。"));
        const QString stored = fx.firstRankingLine();
        QVERIFY2(stored.startsWith(QStringLiteral(u"10.6　ぴこ太")), qPrintable(stored));

        // Idle again: the board takes no presses.
        fx.window->cmdNum_Click(0);
        QCOMPARE(fx.window->ElapsedTenths(), 106.0);
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"○"));
    }

    void stopThenStartDealsAgain()
    {
        start(strideDeal(7, 3));
        fx.click(buttonShowing(1));
        fx.click(buttonShowing(2));
        fx.tick();
        fx.tick();
        fx.tick();

        fx.clickStart();
        QVERIFY(fx.showsIdle("fraNum"));
        // The board, the counter and the time stay as they were; nothing ranks.
        QCOMPARE(buttonsIn(Qt::black), 2);
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　3"));
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("0.3"));
        QVERIFY(fx.dialogs->shown.isEmpty());
        QCOMPARE(fx.firstRankingLine(), QStringLiteral("NoData"));

        const Deal second = strideDeal(5, 40);
        start(second);
        QCOMPARE(fx.random.reseeds, 2);
        QCOMPARE(shownDeal(), second);
        QCOMPARE(buttonsIn(Qt::yellow), ButtonCount);
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　1"));
        QCOMPARE(fx.window->NextNumber(), 1);
        fx.tick();
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("0.1"));

        // The old board's 3 is not the next number of the new run.
        fx.click(buttonShowing(3));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"×"));
        fx.click(buttonShowing(1));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"○"));
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"次は　2"));
    }
};

QTEST_MAIN(TestNumbers)
#include "tst_numbers.moc"
