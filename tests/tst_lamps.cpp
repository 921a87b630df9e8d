// 光ってるのは何個？ — the lit patterns, the count read back from the circles,
// and whole runs played through the real window: marks, penalties, Stop
// turning the lamps off, and the rank-in at the end.

#include "exercises/03_lamps/circleshape.h"
#include "exercises/03_lamps/frmtrainer3.h"
#include "exercises/03_lamps/lamps.h"
#include "exercises/registry.h"
#include "ranking/rankstore.h"
#include "support/scripted.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
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
    std::unique_ptr<TempSettings> settings;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<frmTrainer3> window;
    ScriptedRandom random;
    FakeClock clock;

    template<typename T> T *control(const QString &name)
    {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLabel *label(const char *name) { return control<QLabel>(QString::fromLatin1(name)); }
    QPushButton *button(const char *name) { return control<QPushButton>(QString::fromLatin1(name)); }
    QPushButton *numberButton(int index) { return control<QPushButton>(QStringLiteral("cmdNum(%1)").arg(index)); }
    CircleShape *circle(int index) { return control<CircleShape>(QStringLiteral("shpPochi(%1)").arg(index)); }
    // The pattern on screen, read from the circles.
    unsigned shownPattern()
    {
        unsigned bits = 0;
        for (int i = 0; i < CircleCount; ++i)
            bits |= circle(i)->isOpaque() ? 1u << i : 0u;
        return bits;
    }
    void click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
    void verifyRunning(bool running)
    {
        QCOMPARE(button("cmdStart")->text(), running ? QStringLiteral(u"中　止") : QStringLiteral(u"開　始"));
        QCOMPARE(button("cmdRank")->isEnabled(), !running);
        QCOMPARE(control<QFrame>(QStringLiteral("fraNum"))->isEnabled(), running);
        QCOMPARE(control<QTimer>(QStringLiteral("timCount"))->isActive(), running);
    }
    void tick()
    {
        clock.advance(100);
        window->timCount_Timer();
    }

private slots:
    void init()
    {
        settings = std::make_unique<TempSettings>();
        dialogs = std::make_unique<ScriptedDialogs>();
        rankStore() = RankStore();
        rankStore().RankSection = Title;
        rankStore().RankTitle = Title;
        rankStore().LoadRanking();
        random = ScriptedRandom();
        clock = FakeClock();
        TrainerWindow *created = createTrainer(3, nullptr);
        window.reset(qobject_cast<frmTrainer3 *>(created));
        QVERIFY(window);
        window->useRandomSource(random);
        window->useClock(clock);
        window->show();
    }
    void cleanup()
    {
        window.reset();
        dialogs.reset();
        settings.reset();
    }

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
        QCOMPARE(window->windowTitle(), Title);
        QCOMPARE(label("lblExp")->text().split(QStringLiteral("\r\n")),
                 QStringList({QStringLiteral(u"●赤く光っている数と同じボタンをおすんだぴこ。"),
                              QStringLiteral(u"●全部で５０問あるんだぴこ。"),
                              QStringLiteral(u"●クリアした時間が早い方が良いんだぴこ。"),
                              QStringLiteral(u"●間違えると５秒加算されるんだぴこ。"),
                              QStringLiteral(u"●開始ボタンで始めるんだぴこ。")}));
        QCOMPARE(shownPattern(), AsOpened);
        verifyRunning(false);
        for (int i = 0; i < Lamps::AnswerCount; ++i)
            QCOMPARE(numberButton(i)->text(), QString::number(i));
        QCOMPARE(circle(8)->geometry(), Twips::rect(4800, 2160, 495, 495));
    }

    void circlesShowTheirState()
    {
        // Lit: red inside a black ring. Unlit: the ring only, the window behind it.
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QImage shot = window->grab().toImage();
        const QColor background = window->palette().color(QPalette::Window);
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

        scriptPattern(random, pattern);
        click(button("cmdStart"));
        QCOMPARE(shownPattern(), pattern);
        QCOMPARE(window->LitCount(), std::popcount(pattern));

        scriptPattern(random, NoneLit); // the next question
        click(numberButton(pressed));
        QCOMPARE(label("lblResult")->text(), right ? QStringLiteral(u"○") : QStringLiteral(u"×"));
        QCOMPARE(window->ElapsedTenths(), right ? 0.0 : 50.0);
        QCOMPARE(label("lblProbCnt")->text(), QStringLiteral(u"あと　49問"));
        QCOMPARE(random.remaining(), 0);
    }

    void wholeRunRanksIn()
    {
        dialogs->answerText(QStringLiteral(u"ぴこ子"));
        // Fifty patterns, from none lit to all lit; questions 11 and 31 are answered wrong.
        QList<unsigned> patterns;
        for (int q = 0; q < TrainerWindow::QuestionsPerRun; ++q)
            patterns.append(q == 0 ? NoneLit : q == 49 ? AllLit : (q * 37u + 11u) % 512u);
        for (unsigned pattern : patterns)
            scriptPattern(random, pattern);

        click(button("cmdStart"));
        QCOMPARE(random.reseeds, 1);
        verifyRunning(true);

        for (int q = 0; q < TrainerWindow::QuestionsPerRun; ++q) {
            QCOMPARE(label("lblProbCnt")->text(), QStringLiteral(u"あと　%1問").arg(50 - q));
            QCOMPARE(shownPattern(), patterns[q]);
            // The player counts the red circles on screen.
            const int shown = std::popcount(shownPattern());
            const bool wrong = q == 10 || q == 30;
            click(numberButton(wrong ? (shown + 1) % 10 : shown));
            QCOMPARE(label("lblResult")->text(), wrong ? QStringLiteral(u"×") : QStringLiteral(u"○"));
            if (q + 1 < TrainerWindow::QuestionsPerRun)
                tick();
        }
        QCOMPARE(random.remaining(), 0);

        verifyRunning(false);
        QCOMPARE(label("lblProbCnt")->text(), QStringLiteral(u"あと　1問"));
        QCOMPARE(shownPattern(), AllLit); // the last pattern stays
        // 49 ticks counted before the last answer, and two penalties.
        QCOMPARE(label("lblTimer")->text(), QStringLiteral("14.9"));

        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].caption, QStringLiteral(u"おめでとうだぴこ。　1位だぴこ。"));
        const QString stored = ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData"));
        QVERIFY2(stored.startsWith(QStringLiteral(u"14.9　ぴこ子")), qPrintable(stored));
    }

    void stopTurnsTheCirclesOff()
    {
        scriptPattern(random, AllLit);
        scriptPattern(random, FirstAndLast);
        click(button("cmdStart"));
        click(numberButton(9));
        QCOMPARE(shownPattern(), FirstAndLast);
        tick();

        click(button("cmdStart"));
        QCOMPARE(shownPattern(), NoneLit);
        verifyRunning(false);
        QCOMPARE(label("lblProbCnt")->text(), QStringLiteral(u"あと　49問"));
        QCOMPARE(label("lblResult")->text(), QStringLiteral(u"○"));
        QVERIFY(dialogs->shown.isEmpty());

        // A new run from the beginning, with a new pattern.
        scriptPattern(random, AsOpened);
        click(button("cmdStart"));
        QCOMPARE(random.reseeds, 2);
        QCOMPARE(label("lblProbCnt")->text(), QStringLiteral(u"あと　50問"));
        QCOMPARE(shownPattern(), AsOpened);
        QCOMPARE(window->ElapsedTenths(), 0.0);
    }
};

QTEST_MAIN(TestLamps)
#include "tst_lamps.moc"
