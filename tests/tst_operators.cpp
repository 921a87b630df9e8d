// えんざんし — the operator judge on the equations players meet, the draws of
// a question, the ranges over many seeded questions, and a whole run played
// through the real window by reading the equation off the screen.

#include "exercises/13_operators/frmtrainer13.h"
#include "exercises/13_operators/operators.h"
#include "support/trainerfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <cmath>
#include <limits>

using Operators::Equation;
using Operators::Kinds;

namespace {

const QString Title = QStringLiteral(u"えんざんし");
const QString OwnLine = QStringLiteral(u"●表示される計算の演算子と同じボタンをおすんだぴこ。");
const float LargestR = std::nextafter(1.0f, 0.0f);
// The captions left to right.
const QString Captions = QStringLiteral(u"＋－÷×");

// The operators that make a ? b = c true, worked out as a player would, as
// a string of captions in button order.
QString rightOperators(qint64 a, qint64 b, qint64 c)
{
    QString right;
    if (a + b == c)
        right += Captions[0];
    if (a - b == c)
        right += Captions[1];
    if (b != 0 && a % b == 0 && a / b == c)
        right += Captions[2];
    if (a * b == c)
        right += Captions[3];
    return right;
}

} // namespace

class TestOperators : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer13> fx;

    QPushButton *operatorButton(int kind) { return fx.control<QPushButton>(QStringLiteral("cmdEnzansi(%1)").arg(kind)); }
    // The equation as the player reads it: a, b and c.
    QList<int> shownEquation()
    {
        return {fx.text("lblVal1").toInt(), fx.text("lblVal2").toInt(), fx.text("lblVal3").toInt()};
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(13));
    }
    void cleanup() { fx.close(); }

    // --- The judge --------------------------------------------------------

    void judge_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::addColumn<QString>("right"); // the buttons that are right, in order

        QTest::newRow("10 ? 5 = 15") << 10 << 5 << 15 << QStringLiteral(u"＋");
        QTest::newRow("5 ? 0 = 5: no division by 0") << 5 << 0 << 5 << QStringLiteral(u"＋－");
        QTest::newRow("99 ? 0 = 99") << 99 << 0 << 99 << QStringLiteral(u"＋－");
        QTest::newRow("7 ? 1 = 7") << 7 << 1 << 7 << QStringLiteral(u"÷×");
        QTest::newRow("1 ? 1 = 1") << 1 << 1 << 1 << QStringLiteral(u"÷×");
        QTest::newRow("2 ? 2 = 4") << 2 << 2 << 4 << QStringLiteral(u"＋×");
        QTest::newRow("4 ? 2 = 2") << 4 << 2 << 2 << QStringLiteral(u"－÷");
        QTest::newRow("1 ? 0 = 1") << 1 << 0 << 1 << QStringLiteral(u"＋－");
        QTest::newRow("50 ? 49 = 1") << 50 << 49 << 1 << QStringLiteral(u"－");
        QTest::newRow("1 ? 98 = 99") << 1 << 98 << 99 << QStringLiteral(u"＋");
        QTest::newRow("45 ? 5 = 9") << 45 << 5 << 9 << QStringLiteral(u"÷");
        QTest::newRow("81 ? 9 = 9") << 81 << 9 << 9 << QStringLiteral(u"÷");
        QTest::newRow("6 ? 3 = 18") << 6 << 3 << 18 << QStringLiteral(u"×");
        QTest::newRow("9 ? 9 = 81") << 9 << 9 << 81 << QStringLiteral(u"×");
        // Not an equation the game poses, but the judge stays exact.
        QTest::newRow("7 ? 2 = 3: 7 ÷ 2 is not 3") << 7 << 2 << 3 << QString();
        QTest::newRow("0 ? 0 = 0") << 0 << 0 << 0 << QStringLiteral(u"＋－×");
    }
    void judge()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(QString, right);
        QCOMPARE(rightOperators(a, b, c), right);
        for (int kind = 0; kind < Kinds; ++kind)
            QCOMPARE(Operators::isRightAnswer(kind, Equation{a, b, c}), right.contains(Captions[kind]));
        QVERIFY(!Operators::isRightAnswer(Kinds, Equation{a, b, c}));
        QVERIFY(!Operators::isRightAnswer(-1, Equation{a, b, c}));
    }

    void largeNumbersDoNotOverflow()
    {
        const int big = std::numeric_limits<int>::max();
        QVERIFY(!Operators::isRightAnswer(Operators::Times, Equation{big, 2, -2}));
        QVERIFY(!Operators::isRightAnswer(Operators::Plus, Equation{big, 1, std::numeric_limits<int>::min()}));
        QVERIFY(Operators::isRightAnswer(Operators::Divide, Equation{big, 1, big}));
    }

    // --- Drawing a question -------------------------------------------------

    void drawQuestion_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<QList<float>>("script");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("equation"); // a, b, c

        const auto k = [](int kind) { return ScriptedRandom::forInt(kind, 4); };
        const auto r99 = [](int value) { return ScriptedRandom::forInt(value - 1, 99); };
        const auto r9 = [](int value) { return ScriptedRandom::forInt(value - 1, 9); };

        QTest::newRow("＋: c 60, b 25") << -1 << QList<float>{k(0), r99(60), ScriptedRandom::forInt(25, 60)} << 0
                                       << QList<int>{35, 25, 60};
        QTest::newRow("＋ at r 0: 1 ? 0 = 1") << -1 << QList<float>{0.0f, 0.0f, 0.0f} << 0 << QList<int>{1, 0, 1};
        QTest::newRow("＋ at the largest r: 1 ? 98 = 99")
            << 3 << QList<float>{k(0), LargestR, LargestR} << 0 << QList<int>{1, 98, 99};
        QTest::newRow("－: a 72, b 0") << -1 << QList<float>{k(1), r99(72), 0.0f} << 1 << QList<int>{72, 0, 72};
        QTest::newRow("－ at the largest r: 99 ? 98 = 1")
            << 0 << QList<float>{k(1), LargestR, LargestR} << 1 << QList<int>{99, 98, 1};
        QTest::newRow("÷: b first, then c") << -1 << QList<float>{k(2), r9(7), r9(3)} << 2 << QList<int>{21, 7, 3};
        QTest::newRow("÷ at the largest r: 81 ? 9 = 9")
            << 1 << QList<float>{LargestR * 0.75f, LargestR, LargestR} << 2 << QList<int>{81, 9, 9};
        QTest::newRow("×: a first, then b") << -1 << QList<float>{k(3), r9(4), r9(8)} << 3 << QList<int>{4, 8, 32};
        QTest::newRow("× at r 0: 1 ? 1 = 1") << -1 << QList<float>{LargestR, 0.0f, 0.0f} << 3 << QList<int>{1, 1, 1};
        QTest::newRow("the kind before is drawn again") << 2 << QList<float>{k(2), k(2), k(2), k(3), r9(6), r9(6)} << 3
                                                      << QList<int>{6, 6, 36};
        QTest::newRow("any kind first, ÷ included") << -1 << QList<float>{k(2), r9(1), r9(5)} << 2
                                                   << QList<int>{5, 1, 5};
    }
    void drawQuestion()
    {
        QFETCH(int, previous);
        QFETCH(QList<float>, script);
        QFETCH(int, kind);
        QFETCH(QList<int>, equation);
        ScriptedRandom source;
        for (float r : script)
            source.push(r);
        Operators::Questions questions(previous);
        const Operators::Question question = questions.draw(source);
        QCOMPARE(question.OperatorKind, kind);
        QCOMPARE(questions.PreviousOperator(), kind);
        QCOMPARE(question.equation.LeftValue, equation[0]);
        QCOMPARE(question.equation.RightValue, equation[1]);
        QCOMPARE(question.equation.ResultValue, equation[2]);
        QCOMPARE(source.remaining(), 0);
        QVERIFY(Operators::isRightAnswer(kind, question.equation));
    }

    void seededQuestions()
    {
        SeededRandom source(13);
        Operators::Questions questions(Operators::NoPrevious);
        int before = Operators::NoPrevious;
        int follows[Kinds][Kinds] = {};
        QSet<int> sums, differences, rights;
        QSet<QPair<int, int>> quotients, products;
        for (int n = 0; n < 40000; ++n) {
            const Operators::Question q = questions.draw(source);
            const Equation &e = q.equation;
            const int a = e.LeftValue, b = e.RightValue, c = e.ResultValue;
            QCOMPARE(questions.PreviousOperator(), q.OperatorKind);
            QVERIFY(q.OperatorKind != before);
            if (before >= 0)
                ++follows[before][q.OperatorKind];
            before = q.OperatorKind;
            // Never 0 or below on the right, and the drawn operator is always right.
            QVERIFY(c >= 1);
            QVERIFY(rightOperators(a, b, c).contains(Captions[q.OperatorKind]));
            switch (q.OperatorKind) {
            case Operators::Plus:
                QVERIFY(c <= 99 && b >= 0 && b <= c - 1 && a >= 1 && a <= c && a + b == c);
                sums.insert(c);
                rights.insert(b);
                break;
            case Operators::Minus:
                QVERIFY(a >= 1 && a <= 99 && b >= 0 && b <= a - 1 && a - b == c);
                differences.insert(a);
                break;
            case Operators::Divide:
                // Exact: a is a multiple of b, and the quotient is a one-digit number.
                QVERIFY(b >= 1 && b <= 9 && c <= 9 && a % b == 0 && a / b == c);
                quotients.insert({b, c});
                break;
            case Operators::Times:
                QVERIFY(a >= 1 && a <= 9 && b >= 1 && b <= 9 && a * b == c);
                products.insert({a, b});
                break;
            default:
                QFAIL("no such kind");
            }
        }
        // The whole ranges come up: every sum and minuend 1 to 99, every b
        // of a sum 0 to 98, every quotient and product of the times table.
        QCOMPARE(sums.size(), 99);
        QCOMPARE(differences.size(), 99);
        QCOMPARE(rights.size(), 99);
        QCOMPARE(quotients.size(), 81);
        QCOMPARE(products.size(), 81);
        // After each kind the three others are about equally likely.
        for (int from = 0; from < Kinds; ++from) {
            int total = 0;
            for (int to = 0; to < Kinds; ++to)
                total += follows[from][to];
            for (int to = 0; to < Kinds; ++to) {
                if (to == from)
                    continue;
                const double share = double(follows[from][to]) / total;
                QVERIFY2(share > 0.30 && share < 0.37, qPrintable(QStringLiteral("%1 after %2: %3").arg(to).arg(from).arg(share)));
            }
        }
    }

    // --- The window ----------------------------------------------------------

    void opensIdle()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({OwnLine}));
        QCOMPARE(fx.window->size(), QSize(535, 383));
        QVERIFY(fx.showsIdle("fraEnzansi"));
        // The design equation 10 ? 5 = 15, the numbers right-aligned.
        QCOMPARE(shownEquation(), QList<int>({10, 5, 15}));
        for (const char *name : {"lblVal1", "lblVal2", "lblVal3"}) {
            QCOMPARE(fx.label(name)->alignment(), Qt::AlignRight | Qt::AlignVCenter);
            QCOMPARE(fx.label(name)->font().pointSizeF(), 48.0);
        }
        QCOMPARE(fx.label("lblVal1")->geometry(), Twips::rect(360, 2160, 1095, 915));
        QCOMPARE(fx.label("lblVal3")->geometry(), Twips::rect(4800, 2160, 1095, 915));
        const QLabel *hidden = fx.label("Label3");
        QCOMPARE(hidden->text(), QStringLiteral("?"));
        QVERIFY(hidden->font().bold());
        QCOMPARE(hidden->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(fx.text("Label4"), QStringLiteral("="));
        const QList<int> lefts{360, 1755, 3165, 4560};
        for (int kind = 0; kind < Kinds; ++kind) {
            QPushButton *button = operatorButton(kind);
            QCOMPARE(button->text(), QString(Captions[kind]));
            QCOMPARE(button->geometry(), Twips::rect(lefts[kind], 60, 1035, 1035));
            QVERIFY(!button->isEnabled());
        }
        // The red "?" is drawn where the operator belongs.
        const QImage shot = fx.grabbed();
        bool red = false;
        const QRect mark = hidden->geometry();
        for (int y = mark.top(); y <= mark.bottom() && !red; ++y)
            for (int x = mark.left(); x <= mark.right() && !red; ++x)
                red = shot.pixelColor(x, y).red() > 200 && shot.pixelColor(x, y).green() < 80;
        QVERIFY(red);
    }

    void wholeRun()
    {
        fx.random.pushSeeded(1313, 4000);
        fx.clickStart();
        QVERIFY(fx.showsRunning("fraEnzansi"));

        fx.dialogs->answerText(QStringLiteral(u"たろう"));
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　%1問").arg(51 - q));
            const QList<int> e = shownEquation();
            const QString right = rightOperators(e[0], e[1], e[2]);
            QVERIFY(!right.isEmpty());
            fx.ticks(2);
            // Questions 9 and 50 get an operator that does not fit.
            const bool wrong = q == 9 || q == 50;
            int press = 0;
            while (right.contains(Captions[press]) != !wrong)
                ++press;
            fx.click(operatorButton(press));
            QCOMPARE(fx.text("lblResult"), wrong ? QStringLiteral(u"×") : QStringLiteral(u"○"));
        }

        QVERIFY(fx.showsIdle("fraEnzansi"));
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　1問"));
    }

    void everyFittingOperatorIsRight()
    {
        // 4 ? 2 = 2, drawn for "÷": "－" is just as right.
        fx.random.pushInt(2, 4);
        fx.random.pushInt(1, 9);
        fx.random.pushInt(1, 9);
        fx.clickStart();
        QCOMPARE(shownEquation(), QList<int>({4, 2, 2}));
        // Next 3 ? 0 = 3, drawn for "－".
        fx.random.pushInt(1, 4);
        fx.random.pushInt(2, 99);
        fx.random.push(0.0f);
        fx.click(operatorButton(Operators::Minus));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        QCOMPARE(shownEquation(), QList<int>({3, 0, 3}));
        // "÷" is wrong there, with no division by 0.
        fx.random.pushInt(3, 4);
        fx.random.pushInt(1, 9);
        fx.random.pushInt(1, 9);
        fx.click(operatorButton(Operators::Divide));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), 50.0);
        QCOMPARE(fx.random.remaining(), 0);
    }

    void theOperatorNeverRepeatsAcrossRuns()
    {
        // The last question of a stopped run is a "×" one...
        fx.random.pushInt(3, 4);
        fx.random.pushInt(2, 9);
        fx.random.pushInt(6, 9);
        fx.clickStart();
        QCOMPARE(shownEquation(), QList<int>({3, 7, 21}));
        fx.clickStart();
        QVERIFY(fx.showsIdle("fraEnzansi"));
        QCOMPARE(shownEquation(), QList<int>({3, 7, 21}));

        // ...so the first of the next run is not: "×" is drawn twice more, then "－".
        fx.random.pushInt(3, 4);
        fx.random.pushInt(3, 4);
        fx.random.pushInt(1, 4);
        fx.random.pushInt(40, 99);
        fx.random.pushInt(17, 41);
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　50問"));
        QCOMPARE(shownEquation(), QList<int>({41, 17, 24}));
    }
};

QTEST_MAIN(TestOperators)
#include "tst_operators.moc"
