// 光ってるのは何個？ — the lit patterns and their count, the judge, the
// circles as drawn, and one run played through the real window: the count
// taken from the circles on screen, and Stop turning them off.

#include "exercises/03_lamps/frmtrainer3.h"
#include "exercises/03_lamps/lamps.h"
#include "support/trainerfixture.h"
#include "ui/circleshape.h"
#include "ui/twips.h"

#include <QPushButton>
#include <QtTest>

#include <bit>
#include <cmath>

using Lamps::CircleCount;

namespace {

// A pattern as nine bits, circle 0 in bit 0.
constexpr unsigned NoneLit = 0;
constexpr unsigned AllLit = 0x1FF;
constexpr unsigned FirstAndLast = 0x101;
constexpr unsigned AsOpened = (1u << 2) | (1u << 4) | (1u << 7);

bool bit(unsigned pattern, int index)
{
    return (pattern >> index) & 1u;
}

unsigned bitsOf(const Lamps::Pattern &pattern)
{
    unsigned bits = 0;
    for (int i = 0; i < CircleCount; ++i)
        bits |= pattern[i] ? 1u << i : 0u;
    return bits;
}

void scriptPattern(ScriptedRandom &random, unsigned pattern)
{
    for (int i = 0; i < CircleCount; ++i)
        random.pushInt(bit(pattern, i) ? 1 : 0, 2);
}

} // namespace

class TestLamps : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer3> fx;

    QPushButton *numberButton(int index) { return fx.control<QPushButton>(QStringLiteral("cmdNum(%1)").arg(index)); }
    CircleShape *circle(int index) { return fx.control<CircleShape>(QStringLiteral("shpPochi(%1)").arg(index)); }
    // The pattern on screen, read from the circles.
    unsigned shownPattern()
    {
        unsigned bits = 0;
        for (int i = 0; i < CircleCount; ++i)
            bits |= circle(i)->isOpaque() ? 1u << i : 0u;
        return bits;
    }

private slots:
    void init() { QVERIFY(fx.open(3)); }
    void cleanup() { fx.close(); }

    // --- Patterns and the judge, without a screen ------------------------------------

    void drawsFromOneHalfUpLightACircle()
    {
        const float below1 = std::nextafter(1.0f, 0.0f);
        const float belowHalf = std::nextafter(0.5f, 0.0f);
        ScriptedRandom script{0.0f, belowHalf, 0.5f, below1, 0.0f, 0.5f, belowHalf, below1, 0.0f};
        const Lamps::Pattern pattern = Lamps::drawPattern(script);
        QCOMPARE(bitsOf(pattern), (1u << 2) | (1u << 3) | (1u << 5) | (1u << 7));
        QCOMPARE(Lamps::litCount(pattern), 4);
        QCOMPARE(script.remaining(), 0);
    }

    void everyPatternIsCountedRight()
    {
        // All 512 patterns: each circle lit as its draw says, the count the
        // number lit, from 0 to 9.
        for (unsigned bits = 0; bits <= AllLit; ++bits) {
            ScriptedRandom script;
            scriptPattern(script, bits);
            const Lamps::Pattern pattern = Lamps::drawPattern(script);
            QCOMPARE(bitsOf(pattern), bits);
            QCOMPARE(Lamps::litCount(pattern), std::popcount(bits));
        }
    }

    void judge_data()
    {
        QTest::addColumn<unsigned>("pattern");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<bool>("right");
        QTest::newRow("none lit, 0") << NoneLit << 0 << true;
        QTest::newRow("none lit, 1") << NoneLit << 1 << false;
        QTest::newRow("all lit, 9") << AllLit << 9 << true;
        QTest::newRow("all lit, 8") << AllLit << 8 << false;
        QTest::newRow("first and last, 2") << FirstAndLast << 2 << true;
        QTest::newRow("first and last, 1") << FirstAndLast << 1 << false;
    }
    void judge()
    {
        QFETCH(unsigned, pattern);
        QFETCH(int, pressed);
        QFETCH(bool, right);
        ScriptedRandom script;
        scriptPattern(script, pattern);
        QCOMPARE(Lamps::isRightAnswer(pressed, Lamps::litCount(Lamps::drawPattern(script))), right);
    }

    // --- The window -----------------------------------------------------------------

    void opensWithThreeCirclesLit()
    {
        QCOMPARE(fx.window->windowTitle(), QStringLiteral(u"光ってるのは何個？"));
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({QStringLiteral(u"●赤く光っている数と同じボタンをおすんだぴこ。")}));
        QCOMPARE(shownPattern(), AsOpened);
        QVERIFY(fx.showsIdle("fraNum"));
        for (int i = 0; i < Lamps::AnswerCount; ++i)
            QCOMPARE(numberButton(i)->text(), QString::number(i));
        QCOMPARE(circle(8)->geometry(), Twips::rect(4800, 2160, 495, 495));
    }

    void circlesShowTheirState()
    {
        // Lit: red inside a black ring. Unlit: the ring only, the window behind it.
        QVERIFY(QTest::qWaitForWindowExposed(fx.window.get()));
        const QImage shot = fx.grabbed();
        const QColor background = fx.window->palette().color(QPalette::Window);
        for (int i = 0; i < CircleCount; ++i) {
            const QRect place = circle(i)->geometry();
            const QColor middle = shot.pixelColor(place.center());
            const QColor ring = shot.pixelColor(place.left() + 1, place.center().y());
            QCOMPARE(middle, bit(AsOpened, i) ? QColor(255, 0, 0) : background);
            QVERIFY2(ring.lightness() < 80, qPrintable(QStringLiteral("circle %1 ring %2").arg(i).arg(ring.name())));
        }
    }

    void playedThroughTheWindow()
    {
        scriptPattern(fx.random, AllLit);
        fx.clickStart();
        QCOMPARE(shownPattern(), AllLit);
        QCOMPARE(fx.window->LitCount(), 9);

        scriptPattern(fx.random, FirstAndLast);
        fx.click(numberButton(9));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        QCOMPARE(shownPattern(), FirstAndLast);
        // The first and the last circle both count.
        scriptPattern(fx.random, AsOpened);
        fx.click(numberButton(1));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), 50.0);
        QCOMPARE(shownPattern(), AsOpened);

        // Stop turns every circle off.
        fx.clickStart();
        QCOMPARE(shownPattern(), NoneLit);
        QVERIFY(fx.showsIdle("fraNum"));

        // A whole run from there, the player counting the red circles on
        // screen; the last pattern stays when it ends.
        fx.dialogs->answerText(QStringLiteral(u"ぴこ子"));
        QList<unsigned> patterns;
        for (int q = 0; q < TrainerWindow::QuestionsPerRun; ++q)
            patterns.append(q == 0 ? NoneLit : q == 49 ? AsOpened : (q * 37u + 11u) % 512u);
        for (unsigned pattern : patterns)
            scriptPattern(fx.random, pattern);
        fx.clickStart();
        for (int q = 0; q < TrainerWindow::QuestionsPerRun; ++q) {
            QCOMPARE(shownPattern(), patterns[q]);
            QCOMPARE(fx.window->LitCount(), std::popcount(shownPattern()));
            fx.tick();
            fx.click(numberButton(std::popcount(shownPattern())));
            QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        }
        QCOMPARE(fx.random.remaining(), 0);
        QVERIFY(fx.showsIdle("fraNum"));
        QCOMPARE(shownPattern(), AsOpened);
    }
};

QTEST_MAIN(TestLamps)
#include "tst_lamps.moc"
