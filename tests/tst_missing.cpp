// ぬけはな～に？ — the missing digit and where the other eight fall, the
// judge, the grid as the player sees it, and runs through the real window.

#include "exercises/08_missing/frmtrainer8.h"
#include "exercises/08_missing/missing.h"
#include "support/trainerfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <algorithm>

using Missing::Cells;
using Missing::Digits;

using Placed = QMap<int, int>; // cell -> digit

namespace {

// One question's draws: the missing digit (with its redraws), then the
// cells the digits 1 to 9 but the missing one go to, in that order (taken
// cells drawn again included).
void scriptQuestion(ScriptedRandom &random, const QList<int> &missingDraws, const QList<int> &cellDraws)
{
    for (int digit : missingDraws)
        random.pushInt(digit - 1, Digits);
    for (int cell : cellDraws)
        random.pushInt(cell, Cells);
}

Placed placedIn(const Missing::Grid &grid)
{
    Placed placed;
    for (int cell = 0; cell < Cells; ++cell)
        if (grid[cell] != 0)
            placed.insert(cell, grid[cell]);
    return placed;
}

} // namespace

class TestMissing : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer8> fx;

    QLabel *cell(int index) { return fx.control<QLabel>(QStringLiteral("lblProb(%1)").arg(index)); }
    QPushButton *digitButton(int index) { return fx.control<QPushButton>(QStringLiteral("cmdAns(%1)").arg(index)); }
    // The grid as the player reads it.
    Placed shownGrid()
    {
        Placed placed;
        for (int index = 0; index < Cells; ++index)
            if (!cell(index)->text().isEmpty())
                placed.insert(index, cell(index)->text().toInt());
        return placed;
    }
    // The digit the player finds missing.
    int shownMissing()
    {
        const QList<int> shown = shownGrid().values();
        for (int digit = 1; digit <= Digits; ++digit)
            if (!shown.contains(digit))
                return digit;
        return 0;
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(8));
    }
    void cleanup() { fx.close(); }

    // --- Drawing a question -----------------------------------------------

    void drawQuestion_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<QList<int>>("missingDraws");
        QTest::addColumn<QList<int>>("cellDraws");
        QTest::addColumn<int>("missing");
        QTest::addColumn<Placed>("placed");
        QTest::newRow("one cell each")
            << 5 << QList<int>{3} << QList<int>{0, 1, 4, 5, 6, 7, 8, 24} << 3
            << Placed{{0, 1}, {1, 2}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {24, 9}};
        QTest::newRow("5 first after opening is drawn again")
            << 5 << QList<int>{5, 5, 9} << QList<int>{24, 23, 22, 21, 20, 19, 18, 17} << 9
            << Placed{{24, 1}, {23, 2}, {22, 3}, {21, 4}, {20, 5}, {19, 6}, {18, 7}, {17, 8}};
        QTest::newRow("a taken cell is drawn again")
            << 3 << QList<int>{1} << QList<int>{12, 12, 13, 12, 13, 14, 0, 0, 1, 2, 3, 4} << 1
            << Placed{{12, 2}, {13, 3}, {14, 4}, {0, 5}, {1, 6}, {2, 7}, {3, 8}, {4, 9}};
    }
    void drawQuestion()
    {
        QFETCH(int, previous);
        QFETCH(QList<int>, missingDraws);
        QFETCH(QList<int>, cellDraws);
        QFETCH(int, missing);
        QFETCH(Placed, placed);
        ScriptedRandom source;
        scriptQuestion(source, missingDraws, cellDraws);
        Missing::Questions questions(previous);
        const Missing::Question question = questions.draw(source);
        QCOMPARE(question.MissingDigit, missing);
        QCOMPARE(questions.PreviousMissingDigit(), missing);
        QCOMPARE(placedIn(question.cells), placed);
        QCOMPARE(source.remaining(), 0);
    }

    void seededQuestions()
    {
        ScriptedRandom source;
        source.pushSeeded(8, 120000);
        Missing::Questions questions(Missing::MissingAtLoad);
        QList<int> missingSeen(Digits + 1), cellsUsed(Cells);
        for (int n = 0; n < 10000; ++n) {
            const int previous = questions.PreviousMissingDigit();
            const Missing::Question q = questions.draw(source);
            QVERIFY(q.MissingDigit >= 1 && q.MissingDigit <= Digits);
            QVERIFY(q.MissingDigit != previous);
            QCOMPARE(questions.PreviousMissingDigit(), q.MissingDigit);
            const Placed placed = placedIn(q.cells);
            QCOMPARE(placed.size(), Digits - 1); // eight cells taken, 17 empty
            QList<int> digits = placed.values();
            std::sort(digits.begin(), digits.end());
            QList<int> expected;
            for (int d = 1; d <= Digits; ++d)
                if (d != q.MissingDigit)
                    expected.append(d);
            QCOMPARE(digits, expected);
            ++missingSeen[q.MissingDigit];
            for (int c : placed.keys())
                ++cellsUsed[c];
        }
        QCOMPARE(missingSeen[0], 0);
        QVERIFY(!missingSeen.mid(1).contains(0));
        // Every cell is used, each about 8 times in 25.
        for (int used : cellsUsed)
            QVERIFY(used > 2800 && used < 3600);
    }

    void judge_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("missing");
        QTest::addColumn<bool>("right");
        QTest::newRow("5 missing from the opening grid") << QStringLiteral("5") << 5 << true;
        QTest::newRow("a digit the grid shows") << QStringLiteral("4") << 5 << false;
        QTest::newRow("1 missing") << QStringLiteral("1") << 1 << true;
        QTest::newRow("9 missing, 8 pressed") << QStringLiteral("8") << 9 << false;
        QTest::newRow("an empty caption") << QString() << 5 << false;
    }
    void judge()
    {
        QFETCH(QString, caption);
        QFETCH(int, missing);
        QFETCH(bool, right);
        QCOMPARE(Missing::isRightAnswer(caption, missing), right);
    }

    // --- The window ------------------------------------------------------

    void opensIdle()
    {
        QCOMPARE(fx.window->windowTitle(), QStringLiteral(u"ぬけはな～に？"));
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({QStringLiteral(u"●表示される「１」から「９」までの数字の中で"),
                                                            QStringLiteral(u"　抜けている数字と同じボタンを押すんだぴこ。")}));
        QCOMPARE(shownGrid(), (Placed{{1, 1}, {7, 4}, {8, 2}, {10, 3}, {13, 8}, {16, 9}, {22, 7}, {24, 6}}));
        QCOMPARE(shownMissing(), 5);
        QVERIFY(fx.showsIdle("fraAns"));
        for (int i = 0; i < Digits; ++i) {
            QCOMPARE(digitButton(i)->text(), QString::number(i + 1));
            QVERIFY(!digitButton(i)->isEnabled());
            QCOMPARE(digitButton(i)->geometry(), QRect(16 + 40 * i, 0, 33, 33));
        }
        QCOMPARE(fx.control<QFrame>(QStringLiteral("fraAns"))->geometry(), QRect(17, 320, 385, 41));
        QCOMPARE(fx.label("lblResult")->pos(), QPoint(136, 112));
        QCOMPARE(fx.label("lblProbCnt")->geometry(), QRect(168, 112, 129, 25));
        // All six instruction lines stand above the marks.
        const QLabel *exp = fx.label("lblExp");
        QVERIFY(exp->geometry().bottom() < fx.label("lblResult")->y());
        QVERIFY(exp->sizeHint().height() <= exp->height());
    }

    void gridBordersMeet()
    {
        for (int i = 0; i < Cells; ++i)
            QCOMPARE(cell(i)->geometry(), QRect(128 + 32 * (i % 5), 144 + 32 * (i / 5), 33, 33));
        // The picture: one line between neighbouring cells, at x = 160, 192 ...
        // and y = 176, 208 ..., with white space inside every cell.
        const QImage picture = fx.grabbed();
        const auto dark = [&](int x, int y) { return qGray(picture.pixel(x, y)) < 96; };
        for (int k = 0; k <= 5; ++k) {
            QVERIFY(dark(128 + 32 * k, 150) && dark(128 + 32 * k, 300));
            QVERIFY(dark(135, 144 + 32 * k) && dark(280, 144 + 32 * k));
        }
        // Cell 0 is empty: nothing but its border inside it.
        for (int y = 145; y < 176; ++y)
            for (int x = 129; x < 160; ++x)
                QVERIFY(!dark(x, y));
        // Cell 1 holds the "1": ink in it, clear of its border.
        int ink = 0;
        for (int y = 146; y < 175; ++y)
            for (int x = 162; x < 191; ++x)
                ink += dark(x, y) ? 1 : 0;
        QVERIFY(ink > 20);
    }

    void wholeRun()
    {
        fx.random.pushSeeded(88, 1500);
        fx.clickStart();
        QCOMPARE(fx.random.reseeds, 1);
        QVERIFY(fx.showsRunning("fraAns"));

        fx.dialogs->answerText(QStringLiteral(u"はな"));
        int previousMissing = Missing::MissingAtLoad;
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　%1問").arg(51 - q));
            const Placed grid = shownGrid();
            QCOMPARE(grid.size(), 8);
            const int missing = shownMissing();
            QVERIFY(missing >= 1 && missing != previousMissing);
            QVERIFY(!grid.values().contains(missing));
            previousMissing = missing;

            fx.tick();
            fx.tick();
            // Wrong: a digit the grid shows.
            const bool wrong = q == 2 || q == 30 || q == 31;
            fx.click(digitButton(wrong ? grid.first() - 1 : missing - 1));
            QCOMPARE(fx.label("lblResult")->text(), wrong ? QStringLiteral(u"×") : QStringLiteral(u"○"));
        }

        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　1問"));
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(shownMissing(), previousMissing);
    }

    void missingDigitCarriesOverStopAndStart()
    {
        // First question: 5 is drawn again, then 2 is left out.
        scriptQuestion(fx.random, {5, 2}, {0, 1, 2, 3, 4, 5, 6, 7});
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        const Placed first{{0, 1}, {1, 3}, {2, 4}, {3, 5}, {4, 6}, {5, 7}, {6, 8}, {7, 9}};
        QCOMPARE(shownGrid(), first);
        fx.tick();

        fx.clickStart();
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(shownGrid(), first);
        QCOMPARE(fx.dialogs->shown.size(), 0);

        // The next run may not leave out 2 first; 5 is allowed again.
        scriptQuestion(fx.random, {2, 5}, {24, 23, 22, 21, 20, 19, 18, 17});
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　50問"));
        QCOMPARE(shownMissing(), 5);
        QCOMPARE(cell(24)->text(), QStringLiteral("1"));

        scriptQuestion(fx.random, {9}, {10, 11, 12, 13, 14, 15, 16, 17});
        fx.click(digitButton(5 - 1));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"○"));
        QCOMPARE(shownMissing(), 9);
        scriptQuestion(fx.random, {1}, {0, 1, 2, 3, 4, 5, 6, 7});
        fx.click(digitButton(8 - 1));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), 50.0);
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　48問"));
    }
};

QTEST_MAIN(TestMissing)
#include "tst_missing.moc"
