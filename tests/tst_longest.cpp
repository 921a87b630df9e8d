// ながいのど～れ？ — the seven lines' ends, the judge on stored lengths with
// ties, the lines as drawn (also after the ranking screen), and runs played
// through the real window.

#include "exercises/09_longest/frmtrainer9.h"
#include "exercises/09_longest/linesview.h"
#include "exercises/09_longest/longest.h"
#include "support/trainerfixture.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <cmath>

using Longest::Line;
using Longest::LineSet;
using Longest::Lines;

namespace {

const float LargestR = std::nextafter(1.0f, 0.0f);

// The two draws of one line that give it the ends y1 and y2.
void scriptLine(ScriptedRandom &random, int y1, int y2)
{
    random.pushInt(y1 - 200, 1935 - 200);
    random.pushInt(y2 - y1 - 400, 1935 - y1);
}

void scriptLines(ScriptedRandom &random, const LineSet &lines)
{
    for (const Line &line : lines)
        scriptLine(random, line.Y1, line.Y2);
}

LineSet allLines(Line line)
{
    LineSet lines;
    lines.fill(line);
    return lines;
}

// Two lines of the greatest length (1 and 5), the lowest-reaching line (2)
// and the highest-reaching one (0) both shorter.
constexpr LineSet TiedLines = {{
    {200, 900}, {500, 1700}, {1800, 2334}, {300, 1000}, {1100, 1600}, {1000, 2200}, {400, 1599},
}};

} // namespace

class TestLongest : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer9> fx;

    LinesView *view() { return fx.control<LinesView>(QStringLiteral("fraProb")); }
    QPushButton *arrow(int index) { return fx.control<QPushButton>(QStringLiteral("cmdAns(%1)").arg(index)); }
    // The lines the player compares: the longest ones, by their ends.
    QList<int> longestShown()
    {
        const LineSet &lines = view()->lines();
        const int longest = Longest::maxLength(lines);
        QList<int> indices;
        for (int i = 0; i < Lines; ++i)
            if (lines[i].length() == longest)
                indices.append(i);
        return indices;
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(9));
    }
    void cleanup() { fx.close(); }

    // --- Drawing a question -----------------------------------------------

    void drawQuestion_data()
    {
        QTest::addColumn<QList<float>>("script");
        QTest::addColumn<LineSet>("lines");
        QTest::addColumn<int>("maxLength");
        QTest::newRow("r = 0: all 200 to 600") << QList<float>(14, 0.0f) << allLines({200, 600}) << 400;
        QTest::newRow("the largest r: all 1934 to 2334") << QList<float>(14, LargestR) << allLines({1934, 2334}) << 400;
        QList<float> longest;
        for (int i = 0; i < Lines; ++i)
            longest << 0.0f << LargestR;
        QTest::newRow("r = 0, then the largest r: the longest line there is")
            << longest << allLines({200, 2334}) << 2134;
    }
    void drawQuestion()
    {
        QFETCH(QList<float>, script);
        QFETCH(LineSet, lines);
        QFETCH(int, maxLength);
        ScriptedRandom source;
        for (float r : script)
            source.push(r);
        const Longest::Question question = Longest::drawQuestion(source);
        QCOMPARE(question.lines, lines);
        QCOMPARE(question.MaxLineLength, maxLength);
        QCOMPARE(source.remaining(), 0);
    }

    void seededQuestions()
    {
        ScriptedRandom source;
        source.pushSeeded(9, 140000);
        QList<int> lengthsSeen(2135);
        int shortest = 0;
        for (int n = 0; n < 10000; ++n) {
            const Longest::Question q = Longest::drawQuestion(source);
            int longest = 0;
            for (const Line &line : q.lines) {
                QVERIFY(line.Y1 >= 200 && line.Y1 <= 1934);
                QVERIFY(line.Y2 <= 2334);
                QVERIFY(line.length() >= 400 && line.length() <= 2134);
                longest = std::max(longest, line.length());
                shortest += line.length() == 400 ? 1 : 0;
                ++lengthsSeen[line.length()];
            }
            QCOMPARE(q.MaxLineLength, longest);
        }
        // Lengths from 400 to beyond 2000 all come up.
        QVERIFY(shortest > 0);
        QVERIFY(std::any_of(lengthsSeen.begin() + 2000, lengthsSeen.end(), [](int seen) { return seen > 0; }));
    }

    void judge_data()
    {
        QTest::addColumn<int>("y1");
        QTest::addColumn<int>("y2");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("right");
        QTest::newRow("the longest") << 200 << 2334 << 2134 << true;
        QTest::newRow("as long as the longest: a tie") << 1000 << 1400 << 400 << true;
        QTest::newRow("shorter by 10 twips") << 200 << 1200 << 1010 << false;
        QTest::newRow("reaching lowest, but shorter") << 1934 << 2334 << 1000 << false;
        QTest::newRow("reaching highest, but shorter") << 200 << 600 << 401 << false;
    }
    void judge()
    {
        QFETCH(int, y1);
        QFETCH(int, y2);
        QFETCH(int, maxLength);
        QFETCH(bool, right);
        QCOMPARE(Longest::isRightAnswer(Line{y1, y2}, maxLength), right);
    }

    // --- The window ------------------------------------------------------

    void opensIdle()
    {
        QCOMPARE(fx.window->windowTitle(), QStringLiteral(u"ながいのど～れ？"));
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({QStringLiteral(u"●いちばん長い線の下にあるボタンを押すんだぴこ。"),
                                                            QStringLiteral(u"※長さが同じ線もあるよ。")}));
        QCOMPARE(view()->lines(), (LineSet{{{1260, 1980}, {900, 1260}, {240, 1080}, {1680, 2160}, {900, 1740},
                                            {780, 2220}, {420, 1620}}}));
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(view()->geometry(), QRect(28, 144, 357, 169));
        QCOMPARE(fx.control<QFrame>(QStringLiteral("fraAns"))->geometry(), QRect(16, 328, 385, 41));
        QCOMPARE(fx.label("lblResult")->pos(), QPoint(136, 112));
        QCOMPARE(fx.label("lblProbCnt")->geometry(), QRect(168, 112, 129, 25));
        for (int i = 0; i < Lines; ++i) {
            QCOMPARE(arrow(i)->text(), QStringLiteral(u"↑"));
            QVERIFY(arrow(i)->font().bold());
            QVERIFY(!arrow(i)->isEnabled());
            QCOMPARE(arrow(i)->geometry(), QRect(i < 6 ? 16 + 48 * i : 308, 0, 41, 25));
            // Each button stands centred under its line.
            const QRect button(arrow(i)->mapTo(fx.window.get(), QPoint(0, 0)), arrow(i)->size());
            const qreal lineX = view()->x() + view()->drawnLine(i).x1();
            QVERIFY(std::abs(button.x() + button.width() / 2.0 - lineX) <= 0.5);
        }
    }

    void linesAreDrawnFromTheirEnds()
    {
        scriptLines(fx.random, TiedLines);
        fx.clickStart();
        QCOMPARE(view()->lines(), TiedLines);
        const QImage picture = view()->grab().toImage().scaled(view()->size());
        const auto dark = [&](int x, int y) { return qGray(picture.pixel(x, y)) < 96; };
        for (int i = 0; i < Lines; ++i) {
            const Line line = TiedLines[i];
            const int x = Twips::toPixels(Longest::lineX(i));
            const int top = int(std::ceil(line.Y1 / 15.0));
            const int bottom = int(std::floor(line.Y2 / 15.0)) - 1;
            // Nine pixels wide, crisp at the sides.
            QVERIFY(dark(x - 4, (top + bottom) / 2) && dark(x + 4, (top + bottom) / 2));
            QVERIFY(!dark(x - 5, (top + bottom) / 2) && !dark(x + 5, (top + bottom) / 2));
            // From its upper to its lower end, and no further.
            QVERIFY(dark(x, top) && dark(x, bottom));
            QVERIFY(!dark(x, top - 2) && !dark(x, bottom + 2));
        }
    }

    void everyLongestLineIsRight()
    {
        scriptLines(fx.random, TiedLines);
        fx.clickStart();
        QCOMPARE(longestShown(), QList<int>({1, 5}));
        // The same lines again, to answer them three ways.
        for (int pressed : {5, 1, 2}) {
            scriptLines(fx.random, TiedLines);
            fx.click(arrow(pressed));
            QCOMPARE(fx.label("lblResult")->text(), pressed == 2 ? QStringLiteral(u"×") : QStringLiteral(u"○"));
        }
        QCOMPARE(fx.window->ElapsedTenths(), 50.0);
        // Shorter by less than a pixel is still shorter.
        LineSet close = TiedLines;
        close[1] = {500, 1690};
        scriptLines(fx.random, close);
        fx.click(arrow(5));
        QCOMPARE(view()->lines(), close);
        QCOMPARE(longestShown(), QList<int>({5}));
        scriptLines(fx.random, TiedLines);
        fx.click(arrow(1));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), 100.0);
    }

    void linesComeBackAfterTheRanking()
    {
        scriptLines(fx.random, TiedLines);
        fx.clickStart();
        fx.clickStart();
        const QImage before = view()->grab().toImage();
        bool rankingShown = false;
        QTimer::singleShot(0, [&rankingShown] {
            if (QWidget *ranking = QApplication::activeModalWidget()) {
                rankingShown = ranking->objectName() == QStringLiteral("frmRank");
                ranking->close();
            }
        });
        fx.click(fx.button("cmdRank"));
        QVERIFY(rankingShown);
        QCOMPARE(view()->lines(), TiedLines);
        QCOMPARE(view()->grab().toImage(), before);
    }

    void wholeRun()
    {
        fx.random.pushSeeded(99, 800);
        fx.clickStart();
        QCOMPARE(fx.random.reseeds, 1);
        QVERIFY(fx.showsRunning("fraAns"));

        fx.dialogs->answerText(QStringLiteral(u"きりん"));
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　%1問").arg(51 - q));
            const LineSet lines = view()->lines();
            for (const Line &line : lines)
                QVERIFY(line.Y1 >= 200 && line.Y2 <= 2334 && line.length() >= 400);

            fx.ticks(3);
            const QList<int> longest = longestShown();
            // Wrong: the shortest line, twice.
            const auto shortest = std::min_element(lines.begin(), lines.end(),
                                                   [](Line a, Line b) { return a.length() < b.length(); });
            const bool wrong = q == 20 || q == 50;
            fx.click(arrow(wrong ? int(shortest - lines.begin()) : longest.last()));
            QCOMPARE(fx.label("lblResult")->text(), wrong ? QStringLiteral(u"×") : QStringLiteral(u"○"));
        }

        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　1問"));
        QVERIFY(fx.showsIdle("fraAns"));
    }
};

QTEST_MAIN(TestLongest)
#include "tst_longest.moc"
