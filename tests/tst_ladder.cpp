// あみだくじ — the ladder and its path, the draws of a question, and one run
// played through the real window, reading the ladder off the screen.

#include "exercises/04_ladder/frmtrainer4.h"
#include "exercises/04_ladder/ladder.h"
#include "support/trainerfixture.h"
#include "ui/linecontrol.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <cmath>

using Ladder::Columns;
using Ladder::Gaps;
using Ladder::GhostLeg;
using Ladder::Levels;

using Ends = QList<int>;
using Rungs = QList<QPoint>; // (gap, level)

namespace {

const QString Title = QStringLiteral(u"あみだくじ");
const float LargestR = std::nextafter(1.0f, 0.0f);

Rungs rungsOf(const GhostLeg &ladder)
{
    Rungs rungs;
    for (int gap = 0; gap < Gaps; ++gap)
        for (int level = 0; level < Levels; ++level)
            if (ladder.hasRung(gap, level))
                rungs.append(QPoint(gap, level));
    return rungs;
}

// The path as a player traces it: down the column, across every rung that
// touches it (on either side).
int trace(const Rungs &rungs, int start)
{
    int column = start;
    for (int level = 0; level < Levels; ++level) {
        if (rungs.contains(QPoint(column - 1, level)))
            --column;
        else if (rungs.contains(QPoint(column, level)))
            ++column;
    }
    return column;
}

// One question's draws: the three gap patterns, then the start draws.
void scriptQuestion(ScriptedRandom &random, const QList<int> &patterns, const QList<int> &starts)
{
    for (int p : patterns)
        random.pushInt(p - 1, 7);
    for (int s : starts)
        random.pushInt(s, 4);
}

} // namespace

class TestLadder : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer4> fx;

    QPushButton *answerButton(int column) { return fx.control<QPushButton>(QStringLiteral("cmdAns(%1)").arg(column)); }
    LineControl *rungLine(int gap, int level) { return fx.control<LineControl>(QStringLiteral("linH%1(%2)").arg(gap).arg(level)); }

    // What the player sees: the columns that show a star, and the rungs drawn.
    QList<int> shownStars()
    {
        QList<int> stars;
        for (int column = 0; column < Columns; ++column)
            if (fx.control<QLabel>(QStringLiteral("lblPoint(%1)").arg(column))->isVisible())
                stars.append(column);
        return stars;
    }
    Rungs shownRungs()
    {
        Rungs rungs;
        for (int gap = 0; gap < Gaps; ++gap)
            for (int level = 0; level < Levels; ++level)
                if (rungLine(gap, level)->isVisible())
                    rungs.append(QPoint(gap, level));
        return rungs;
    }
    // The column the shown path ends at.
    int shownEnd()
    {
        const QList<int> stars = shownStars();
        if (stars.size() != 1)
            qFatal("%d stars shown", int(stars.size()));
        return trace(shownRungs(), stars.first());
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(4));
    }
    void cleanup() { fx.close(); }

    // --- The ladder -------------------------------------------------------

    void patterns_data()
    {
        QTest::addColumn<int>("p0");
        QTest::addColumn<int>("p1");
        QTest::addColumn<int>("p2");
        QTest::addColumn<Rungs>("rungs");
        QTest::addColumn<Ends>("ends"); // for starts 0, 1, 2, 3
        QTest::newRow("7 7 7: every allowed rung")
            << 7 << 7 << 7
            << Rungs{{0, 1}, {0, 3}, {0, 5}, {1, 0}, {1, 2}, {1, 4}, {2, 1}, {2, 3}, {2, 5}} << Ends{2, 0, 3, 1};
        QTest::newRow("1 1 1: the lowest allowed levels")
            << 1 << 1 << 1 << Rungs{{0, 5}, {1, 4}, {2, 5}} << Ends{1, 3, 0, 2};
        QTest::newRow("4 4 4: the highest allowed levels")
            << 4 << 4 << 4 << Rungs{{0, 1}, {1, 0}, {2, 1}} << Ends{1, 3, 0, 2};
        QTest::newRow("5 in gap 1: levels 0 and 4")
            << 2 << 5 << 6 << Rungs{{0, 3}, {1, 0}, {1, 4}, {2, 1}, {2, 3}} << Ends{2, 1, 0, 3};
    }
    void patterns()
    {
        QFETCH(int, p0);
        QFETCH(int, p1);
        QFETCH(int, p2);
        QFETCH(Rungs, rungs);
        QFETCH(Ends, ends);
        const GhostLeg ladder = GhostLeg::fromPatterns({p0, p1, p2});
        QCOMPARE(rungsOf(ladder), rungs);
        for (int start = 0; start < Columns; ++start)
            QCOMPARE(ladder.follow(start), ends[start]);
    }

    void everyLadderIsFair()
    {
        // All 343 ladders: rungs only where allowed, 1 to 3 per gap, the move
        // table matching the rungs, and the four starts ending at four columns.
        for (int p0 = 1; p0 <= 7; ++p0) {
            for (int p1 = 1; p1 <= 7; ++p1) {
                for (int p2 = 1; p2 <= 7; ++p2) {
                    const GhostLeg ladder = GhostLeg::fromPatterns({p0, p1, p2});
                    const Rungs rungs = rungsOf(ladder);
                    QVERIFY(rungs.size() >= 3 && rungs.size() <= 9);
                    QCOMPARE(ladder.rungCount(), rungs.size());
                    for (int gap = 0; gap < Gaps; ++gap) {
                        const auto perGap = std::count_if(rungs.begin(), rungs.end(),
                                                          [gap](QPoint r) { return r.x() == gap; });
                        QVERIFY(perGap >= 1 && perGap <= 3);
                    }
                    for (const QPoint &r : rungs) {
                        QVERIFY(r.y() % 2 == (r.x() % 2 == 0 ? 1 : 0));
                        QCOMPARE(ladder.move[r.x()][r.y()], +1);
                        QCOMPARE(ladder.move[r.x() + 1][r.y()], -1);
                    }
                    int nonZero = 0;
                    for (const auto &column : ladder.move)
                        nonZero += int(std::count_if(column.begin(), column.end(), [](int m) { return m != 0; }));
                    QCOMPARE(nonZero, 2 * int(rungs.size()));

                    QList<int> ends;
                    for (int start = 0; start < Columns; ++start) {
                        QCOMPARE(ladder.follow(start), trace(rungs, start));
                        ends.append(ladder.follow(start));
                    }
                    std::sort(ends.begin(), ends.end());
                    QCOMPARE(ends, QList<int>({0, 1, 2, 3}));
                }
            }
        }
    }

    // --- Drawing a question -----------------------------------------------

    void drawQuestion_data()
    {
        QTest::addColumn<QList<float>>("script");
        QTest::addColumn<int>("previous");
        QTest::addColumn<Rungs>("rungs");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("answer");
        QTest::newRow("r = 0 everywhere")
            << QList<float>{0.0f, 0.0f, 0.0f, 0.0f} << 2 << Rungs{{0, 5}, {1, 4}, {2, 5}} << 0 << 1;
        QTest::newRow("the largest r below 1 everywhere")
            << QList<float>{LargestR, LargestR, LargestR, LargestR} << 2
            << Rungs{{0, 1}, {0, 3}, {0, 5}, {1, 0}, {1, 2}, {1, 4}, {2, 1}, {2, 3}, {2, 5}} << 3 << 1;
        QTest::newRow("column 2 first after opening is drawn again")
            << QList<float>{LargestR, LargestR, LargestR, 0.5f, 0.5f, 0.25f} << 2
            << Rungs{{0, 1}, {0, 3}, {0, 5}, {1, 0}, {1, 2}, {1, 4}, {2, 1}, {2, 3}, {2, 5}} << 1 << 0;
        QTest::newRow("the previous start is drawn again until it differs")
            << QList<float>{ScriptedRandom::forInt(3, 7), ScriptedRandom::forInt(4, 7), ScriptedRandom::forInt(1, 7),
                            LargestR, LargestR, 0.0f}
            << 3 << Rungs{{0, 1}, {1, 0}, {1, 4}, {2, 3}} << 0 << 2;
    }
    void drawQuestion()
    {
        QFETCH(QList<float>, script);
        QFETCH(int, previous);
        QFETCH(Rungs, rungs);
        QFETCH(int, start);
        QFETCH(int, answer);
        ScriptedRandom source;
        for (float r : script)
            source.push(r);
        Ladder::Questions questions(previous);
        const Ladder::Question question = questions.draw(source);
        QCOMPARE(rungsOf(question.ladder), rungs);
        QCOMPARE(question.start, start);
        QCOMPARE(question.AnswerColumn, answer);
        QCOMPARE(questions.PreviousStart(), start);
        QCOMPARE(source.remaining(), 0);
    }

    void seededQuestions()
    {
        ScriptedRandom source;
        source.pushSeeded(4, 60000);
        Ladder::Questions questions(Ladder::StartAtLoad);
        QList<int> startsSeen(Columns), rungCounts(10);
        for (int i = 0; i < 10000; ++i) {
            const int previous = questions.PreviousStart();
            const Ladder::Question q = questions.draw(source);
            QVERIFY(q.start >= 0 && q.start < Columns);
            QVERIFY(q.start != previous);
            QCOMPARE(questions.PreviousStart(), q.start);
            QCOMPARE(q.AnswerColumn, trace(rungsOf(q.ladder), q.start));
            ++startsSeen[q.start];
            ++rungCounts[q.ladder.rungCount()];
        }
        // Every start, and every number of rungs from 3 to 9, comes up.
        QVERIFY(!startsSeen.contains(0));
        QCOMPARE(rungCounts.mid(0, 3), QList<int>({0, 0, 0}));
        QVERIFY(!rungCounts.mid(3).contains(0));
    }

    // --- The window ------------------------------------------------------

    void opensIdle()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({QStringLiteral(u"●表示される「★」の行き着く先の「●」を押すんだぴこ。")}));
        QCOMPARE(shownStars(), QList<int>({2}));
        QCOMPARE(shownRungs(), rungsOf(GhostLeg::full()));
        for (int column = 0; column < Columns; ++column) {
            QVERIFY(fx.control<LineControl>(QStringLiteral("linV(%1)").arg(column))->isVisible());
            QCOMPARE(answerButton(column)->text(), QStringLiteral(u"●"));
            QVERIFY(!answerButton(column)->isEnabled());
        }
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(fx.label("lblResult")->pos(), QPoint(120, 104));
        QCOMPARE(fx.label("lblProbCnt")->pos(), QPoint(144, 104));
    }

    void starsAndButtonsStandOnTheirColumns()
    {
        for (int column = 0; column < Columns; ++column) {
            const auto *line = fx.control<LineControl>(QStringLiteral("linV(%1)").arg(column));
            QCOMPARE(line->borderWidth(), 5);
            const QRect star = fx.control<QLabel>(QStringLiteral("lblPoint(%1)").arg(column))->geometry();
            QVERIFY(std::abs(star.center().x() - line->from().x()) <= 1);
            QVERIFY(star.bottom() < line->from().y());
            const QPushButton *answer = answerButton(column);
            const QRect below(answer->mapTo(fx.window.get(), QPoint(0, 0)), answer->size());
            QVERIFY(std::abs(below.center().x() - line->from().x()) <= 1);
            QVERIFY(below.top() > line->to().y());
        }
    }

    void hiddenRungsAreNotDrawn()
    {
        // p = 1, 1, 1 and start 0: only three rungs, and the picture shows just those.
        scriptQuestion(fx.random, {1, 1, 1}, {0});
        fx.clickStart();
        const QImage picture = fx.grabbed();
        const auto black = [&](int x, int y) { return qGray(picture.pixel(x, y)) < 64; };
        for (int gap = 0; gap < Gaps; ++gap) {
            for (int level = 0; level < Levels; ++level) {
                // The middle of the rung, half way between two columns.
                const bool drawn = black(48 + 96 * gap + 48, 192 + 16 * level);
                QCOMPARE(drawn, rungLine(gap, level)->isVisible());
            }
        }
        QCOMPARE(shownRungs(), Rungs({{0, 5}, {1, 4}, {2, 5}}));
        // A vertical is drawn 5 pixels wide, crisp: black across x = 46..50 only.
        QVERIFY(black(46, 170) && black(50, 170));
        QVERIFY(!black(45, 170) && !black(51, 170));
    }

    void playedThroughTheWindow()
    {
        // First question: p = 3, 6, 2 and a start of 2, drawn again, then 1.
        scriptQuestion(fx.random, {3, 6, 2}, {2, 1});
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        const Rungs rungs{{0, 3}, {0, 5}, {1, 0}, {1, 2}, {2, 3}};
        QCOMPARE(shownRungs(), rungs);
        QCOMPARE(shownStars(), QList<int>({1}));

        // Stop keeps the ladder and its star.
        fx.clickStart();
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(shownRungs(), rungs);
        QCOMPARE(shownStars(), QList<int>({1}));

        // A new run: its first start may not repeat the stopped run's last one.
        scriptQuestion(fx.random, {7, 7, 7}, {1, 1, 3});
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(shownStars(), QList<int>({3}));
        QCOMPARE(shownEnd(), 1);

        // Judged against the path on screen: start 3 ends at column 1.
        scriptQuestion(fx.random, {1, 1, 1}, {0});
        fx.click(answerButton(1));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        QCOMPARE(shownStars(), QList<int>({0}));
        fx.random.pushSeeded(45, 2000);
        fx.click(answerButton(0)); // start 0 ends at 1
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));

        // The other 48 to the end, the player tracing each ladder shown.
        fx.dialogs->answerText(QStringLiteral(u"たろう"));
        int previousStar = 0;
        for (int q = 3; q <= 50; ++q) {
            const QList<int> stars = shownStars();
            QCOMPARE(stars.size(), 1);
            QVERIFY(stars.first() != previousStar);
            previousStar = stars.first();
            QVERIFY(shownRungs().size() >= 3 && shownRungs().size() <= 9);
            fx.tick();
            fx.click(answerButton(shownEnd()));
            QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        }
        QVERIFY(fx.showsIdle("fraAns"));
        // The last ladder stays on screen.
        QCOMPARE(shownStars(), QList<int>({previousStar}));
    }
};

QTEST_MAIN(TestLadder)
#include "tst_ladder.moc"
