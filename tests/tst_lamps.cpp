// 光ってるのは何個？ — the lit patterns, the count read back from the circles,
// and whole runs played through the real window: marks, penalties, Stop
// turning the lamps off, and the rank-in at the end.

#include "exercises/03_lamps/frmtrainer3.h"
#include "exercises/03_lamps/lamps.h"
#include "support/trainerfixture.h"
#include "ui/circleshape.h"
#include "ui/twips.h"

#include <QPushButton>
#include <QtTest>

#include <array>
#include <bit>
#include <cmath>

using Lamps::CircleCount;

namespace {

const QString Title = QStringLiteral(u"光ってるのは何個？");

// A pattern as nine bits, circle 0 in bit 0.
constexpr unsigned NoneLit = 0;
constexpr unsigned AllLit = 0x1FF;
constexpr unsigned FirstAndLast = 0x101;
constexpr unsigned AsOpened = (1u << 2) | (1u << 4) | (1u << 7);

bool bit(unsigned pattern, int index)
{
    return (pattern >> index) & 1u;
}

void scriptPattern(ScriptedRandom &random, unsigned pattern)
{
    for (int i = 0; i < CircleCount; ++i)
        random.pushInt(bit(pattern, i) ? 1 : 0, 2);
}

// The circles without a screen. A circle can be made stuck: it keeps its
// state whatever it is told, like a lamp that has gone out.
class MemoryRow final : public Lamps::Row
{
public:
    bool isLit(int index) const override { return lit[index]; }
    void setLit(int index, bool on) override
    {
        if (index != stuck)
            lit[index] = on;
    }
    unsigned pattern() const
    {
        unsigned bits = 0;
        for (int i = 0; i < CircleCount; ++i)
            bits |= lit[i] ? 1u << i : 0u;
        return bits;
    }

    std::array<bool, CircleCount> lit{};
    int stuck = -1;
};

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

    // --- Patterns, without a screen -------------------------------------------------

    void drawsFromOneHalfUpLightACircle()
    {
        const float below1 = std::nextafter(1.0f, 0.0f);
        const float belowHalf = std::nextafter(0.5f, 0.0f);
        ScriptedRandom script{0.0f, belowHalf, 0.5f, below1, 0.0f, 0.5f, belowHalf, below1, 0.0f};
        MemoryRow row;
        row.lit.fill(true); // the last pattern does not count
        QCOMPARE(Lamps::NextPattern(row, script), 4);
        QCOMPARE(row.pattern(), (1u << 2) | (1u << 3) | (1u << 5) | (1u << 7));
        QCOMPARE(script.remaining(), 0);
    }

    void everyPatternIsCountedRight()
    {
        // All 512 patterns: each circle lit as its draw says, the count the
        // number lit, from 0 to 9.
        MemoryRow row;
        for (unsigned pattern = 0; pattern <= AllLit; ++pattern) {
            ScriptedRandom script;
            scriptPattern(script, pattern);
            const int litCount = Lamps::NextPattern(row, script);
            QCOMPARE(row.pattern(), pattern);
            QCOMPARE(litCount, std::popcount(pattern));
        }
    }

    void countIsWhatTheCirclesShow()
    {
        // Circle 4 no longer lights: the count is what is shown, not what was drawn.
        MemoryRow row;
        row.stuck = 4;
        ScriptedRandom script;
        scriptPattern(script, AllLit);
        QCOMPARE(Lamps::NextPattern(row, script), 8);
        QCOMPARE(Lamps::countLit(row), 8);
    }

    // --- The window -----------------------------------------------------------------

    void opensWithThreeCirclesLit()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
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
        const QImage shot = fx.window->grab().toImage();
        const QColor background = fx.window->palette().color(QPalette::Window);
        for (int i = 0; i < CircleCount; ++i) {
            const QRect place = circle(i)->geometry();
            const QColor middle = shot.pixelColor(place.center());
            const QColor ring = shot.pixelColor(place.left() + 1, place.center().y());
            QCOMPARE(middle, bit(AsOpened, i) ? QColor(255, 0, 0) : background);
            QVERIFY2(ring.lightness() < 80, qPrintable(QStringLiteral("circle %1 ring %2").arg(i).arg(ring.name())));
        }
    }

    void answerIsJudged_data()
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
    void answerIsJudged()
    {
        QFETCH(unsigned, pattern);
        QFETCH(int, pressed);
        QFETCH(bool, right);

        scriptPattern(fx.random, pattern);
        fx.clickStart();
        QCOMPARE(shownPattern(), pattern);
        QCOMPARE(fx.window->LitCount(), std::popcount(pattern));

        scriptPattern(fx.random, NoneLit); // the next question
        fx.click(numberButton(pressed));
        QCOMPARE(fx.label("lblResult")->text(), right ? QStringLiteral(u"○") : QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), right ? 0.0 : 50.0);
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　49問"));
        QCOMPARE(fx.random.remaining(), 0);
    }

    void wholeRunRanksIn()
    {
        fx.dialogs->answerText(QStringLiteral(u"ぴこ子"));
        // Fifty patterns, from none lit to all lit; questions 11 and 31 are answered wrong.
        QList<unsigned> patterns;
        for (int q = 0; q < TrainerWindow::QuestionsPerRun; ++q)
            patterns.append(q == 0 ? NoneLit : q == 49 ? AllLit : (q * 37u + 11u) % 512u);
        for (unsigned pattern : patterns)
            scriptPattern(fx.random, pattern);

        fx.clickStart();
        QCOMPARE(fx.random.reseeds, 1);
        QVERIFY(fx.showsRunning("fraNum"));

        for (int q = 0; q < TrainerWindow::QuestionsPerRun; ++q) {
            QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　%1問").arg(50 - q));
            QCOMPARE(shownPattern(), patterns[q]);
            // The player counts the red circles on screen.
            const int shown = std::popcount(shownPattern());
            const bool wrong = q == 10 || q == 30;
            fx.click(numberButton(wrong ? (shown + 1) % 10 : shown));
            QCOMPARE(fx.label("lblResult")->text(), wrong ? QStringLiteral(u"×") : QStringLiteral(u"○"));
            if (q + 1 < TrainerWindow::QuestionsPerRun)
                fx.tick();
        }
        QCOMPARE(fx.random.remaining(), 0);

        QVERIFY(fx.showsIdle("fraNum"));
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　1問"));
        QCOMPARE(shownPattern(), AllLit); // the last pattern stays
        // 49 ticks counted before the last answer, and two penalties.
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("14.9"));

        QCOMPARE(fx.dialogs->shown.size(), 1);
        QCOMPARE(fx.dialogs->shown[0].caption, QStringLiteral(u"おめでとうだぴこ。　1位だぴこ。"));
        const QString stored = fx.firstRankingLine();
        QVERIFY2(stored.startsWith(QStringLiteral(u"14.9　ぴこ子")), qPrintable(stored));
    }

    void stopTurnsTheCirclesOff()
    {
        scriptPattern(fx.random, AllLit);
        scriptPattern(fx.random, FirstAndLast);
        fx.clickStart();
        fx.click(numberButton(9));
        QCOMPARE(shownPattern(), FirstAndLast);
        fx.tick();

        fx.clickStart();
        QCOMPARE(shownPattern(), NoneLit);
        QVERIFY(fx.showsIdle("fraNum"));
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　49問"));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"○"));
        QVERIFY(fx.dialogs->shown.isEmpty());

        // A new run from the beginning, with a new pattern.
        scriptPattern(fx.random, AsOpened);
        fx.clickStart();
        QCOMPARE(fx.random.reseeds, 2);
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　50問"));
        QCOMPARE(shownPattern(), AsOpened);
        QCOMPARE(fx.window->ElapsedTenths(), 0.0);
    }
};

QTEST_MAIN(TestLamps)
#include "tst_lamps.moc"
