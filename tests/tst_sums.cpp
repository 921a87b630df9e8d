// かげんざん — the sums and their draws, the judge of typed answers, and a
// whole run through the real window, answered key by key and through an
// input method.

#include "exercises/07_sums/frmtrainer7.h"
#include "exercises/07_sums/sums.h"
#include "support/trainerfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>

using Sums::Operator;

namespace {

const QString Title = QStringLiteral(u"かげんざん");
const float LargestR = std::nextafter(1.0f, 0.0f);

float firstR(int a)
{
    return ScriptedRandom::forInt(a - 10, 90);
}
float secondR(int b)
{
    return ScriptedRandom::forInt(b - 1, 9);
}
float operatorR(Operator op)
{
    return ScriptedRandom::forInt(op == Operator::Plus ? 0 : 1, 2);
}

// One sum as the window draws it: the first operands (the repeats drawn
// again included), the second operand, the operator.
void scriptSum(ScriptedRandom &random, const QList<int> &firsts, int second, Operator op)
{
    for (int a : firsts)
        random.push(firstR(a));
    random.push(secondR(second));
    random.push(operatorR(op));
}

// The sum on the label read as a player reads it: "57 - 3" is 54.
struct ShownSum
{
    int first = 0;
    int second = 0;
    QChar op;
    int result() const { return op == u'+' ? first + second : first - second; }
};

ShownSum readSum(const QString &caption)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^(\d+) ([+-]) (\d+)$)"));
    const QRegularExpressionMatch match = pattern.match(caption);
    if (!match.hasMatch())
        qFatal("not a sum: %s", qPrintable(caption));
    return {match.captured(1).toInt(), match.captured(3).toInt(), match.captured(2).at(0)};
}

} // namespace

class TestSums : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer7> fx;

    QLineEdit *answerBox() { return fx.control<QLineEdit>(QStringLiteral("txtAns")); }
    QString shownSum() { return fx.text("lblProb"); }
    QString mark() { return fx.text("lblResult"); }

private slots:
    void init()
    {
        QVERIFY(fx.open(7));
    }
    void cleanup() { fx.close(); }

    // --- The sums ----------------------------------------------------------

    void drawQuestion_data()
    {
        QTest::addColumn<QList<float>>("script");
        QTest::addColumn<int>("previous");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("expected");
        QTest::newRow("r = 0 everywhere: the smallest sum")
            << QList<float>{0.0f, 0.0f, 0.0f} << 99 << QStringLiteral("10 + 1") << 11;
        QTest::newRow("the largest r below 1: the largest difference")
            << QList<float>{LargestR, LargestR, LargestR} << 50 << QStringLiteral("99 - 9") << 90;
        QTest::newRow("the smallest difference") << QList<float>{firstR(10), secondR(9), operatorR(Operator::Minus)}
                                                 << 99 << QStringLiteral("10 - 9") << 1;
        QTest::newRow("99 first after opening is drawn again")
            << QList<float>{LargestR, firstR(57), secondR(3), operatorR(Operator::Minus)} << 99
            << QStringLiteral("57 - 3") << 54;
        QTest::newRow("the previous first operand is drawn until it differs")
            << QList<float>{firstR(42), firstR(42), firstR(42), firstR(43), secondR(5), operatorR(Operator::Plus)} << 42
            << QStringLiteral("43 + 5") << 48;
    }
    void drawQuestion()
    {
        QFETCH(QList<float>, script);
        QFETCH(int, previous);
        QFETCH(QString, caption);
        QFETCH(int, expected);
        ScriptedRandom source;
        for (float r : script)
            source.push(r);
        Sums::Questions questions(previous);
        const Sums::Question question = questions.draw(source);
        QCOMPARE(question.caption(), caption);
        QCOMPARE(question.ExpectedAnswer(), expected);
        QCOMPARE(questions.PreviousFirstOperand(), question.first);
        QCOMPARE(source.remaining(), 0);
    }

    void seededQuestions()
    {
        ScriptedRandom source;
        source.pushSeeded(7, 40000);
        Sums::Questions questions;
        QCOMPARE(questions.PreviousFirstOperand(), Sums::FirstOperandAtLoad);
        QList<int> firstsSeen(100), secondsSeen(10), resultsSeen(109);
        int minus = 0;
        for (int i = 0; i < 10000; ++i) {
            const int previous = questions.PreviousFirstOperand();
            const Sums::Question q = questions.draw(source);
            QVERIFY(q.first >= 10 && q.first <= 99);
            QVERIFY(q.first != previous);
            QVERIFY(q.second >= 1 && q.second <= 9);
            const ShownSum shown = readSum(q.caption());
            QCOMPARE(shown.first, q.first);
            QCOMPARE(shown.second, q.second);
            QCOMPARE(q.ExpectedAnswer(), shown.result());
            QVERIFY(q.ExpectedAnswer() >= 1 && q.ExpectedAnswer() <= 108);
            ++firstsSeen[q.first];
            ++secondsSeen[q.second];
            ++resultsSeen[q.ExpectedAnswer()];
            minus += q.op == Operator::Minus ? 1 : 0;
        }
        // Every operand comes up, both operators about equally often, and
        // the results reach both ends: 1 (10 - 9) and 108 (99 + 9).
        QVERIFY(!firstsSeen.mid(10).contains(0));
        QVERIFY(!secondsSeen.mid(1).contains(0));
        QVERIFY(minus > 4500 && minus < 5500);
        QCOMPARE(resultsSeen[0], 0);
        QVERIFY(resultsSeen[1] > 0 && resultsSeen[108] > 0);
    }

    void judge_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("right");
        QTest::newRow("108 for 99 + 9") << QStringLiteral("108") << 108 << true;
        QTest::newRow("107 for 99 + 9") << QStringLiteral("107") << 108 << false;
        QTest::newRow("42 with spaces around") << QStringLiteral(" 42 ") << 42 << true;
        QTest::newRow("42.0") << QStringLiteral("42.0") << 42 << true;
        QTest::newRow("full-width digits") << QStringLiteral(u"５４") << 54 << true;
        QTest::newRow("an empty box") << QString() << 1 << false;
        QTest::newRow("letters") << QStringLiteral("abc") << 11 << false;
        QTest::newRow("beyond 32 bits") << QStringLiteral("9e99") << 108 << false;
    }
    void judge()
    {
        QFETCH(QString, typed);
        QFETCH(int, expected);
        QFETCH(bool, right);
        QCOMPARE(Sums::isRightAnswer(typed, expected), right);
    }

    // --- The window ----------------------------------------------------------

    void opensIdle()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({QStringLiteral(u"●表示する計算式の答えを入力して"),
                                                            QStringLiteral(u"　　Enterキーを押すんだぴこ。")}));
        QCOMPARE(shownSum(), QStringLiteral("99 + 9"));
        QCOMPARE(answerBox()->text(), QStringLiteral("108"));
        QCOMPARE(answerBox()->maxLength(), 4);
        QVERIFY(fx.showsIdle("txtAns"));

        // Large white figures on black, the answer box under them.
        const QLabel *sum = fx.label("lblProb");
        QCOMPARE(sum->geometry(), QRect(12, 152, 397, 97));
        QCOMPARE(sum->font().pointSizeF(), 72.0);
        QCOMPARE(fx.pixelAtTwips(240, 2400), QColor(Qt::black));
        QCOMPARE(answerBox()->geometry(), QRect(96, 256, 241, 97));
        QCOMPARE(answerBox()->font().pointSizeF(), 72.0);
        QCOMPARE(fx.label("lblResult")->pos(), QPoint(136, 120));
        QCOMPARE(fx.label("lblProbCnt")->geometry(), QRect(168, 120, 129, 25));
        // All six instruction lines are shown, above the marks.
        const QLabel *exp = fx.label("lblExp");
        QVERIFY(exp->sizeHint().height() <= exp->height());
        QVERIFY(exp->geometry().bottom() < fx.label("lblResult")->y());
    }

    void typingOnlyEdits()
    {
        scriptSum(fx.random, {23}, 4, Operator::Plus);
        fx.clickStart();
        QCOMPARE(shownSum(), QStringLiteral("23 + 4"));
        QVERIFY(answerBox()->text().isEmpty());
        QCOMPARE(fx.window->focusWidget(), answerBox());

        // Keys other than Enter edit the box and judge nothing; a fifth
        // character does not go in.
        fx.type("txtAns", QStringLiteral("12345"), false);
        QCOMPARE(answerBox()->text(), QStringLiteral("1234"));
        QTest::keyClick(answerBox(), Qt::Key_Backspace);
        QTest::keyClick(answerBox(), Qt::Key_Backspace);
        QCOMPARE(answerBox()->text(), QStringLiteral("12"));
        fx.tick();
        QCOMPARE(fx.text("lblTimer"), QStringLiteral("0.1"));
        QCOMPARE(mark(), QStringLiteral(u"○"));
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　50問"));
        QCOMPARE(fx.random.remaining(), 0);

        // Enter (here the keypad's) judges what stands in the box: "27" is right.
        scriptSum(fx.random, {60}, 1, Operator::Minus);
        QTest::keyClick(answerBox(), Qt::Key_A, Qt::ControlModifier);
        fx.type("txtAns", QStringLiteral("27"), false);
        QCOMPARE(answerBox()->text(), QStringLiteral("27"));
        QTest::keyClick(answerBox(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(mark(), QStringLiteral(u"○"));
        QCOMPARE(shownSum(), QStringLiteral("60 - 1"));
        QVERIFY(answerBox()->text().isEmpty());
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　49問"));
    }

    void wholeRun()
    {
        fx.random.pushSeeded(77, 2000);
        fx.clickStart();
        QCOMPARE(fx.random.reseeds, 1);
        QVERIFY(fx.showsRunning("txtAns"));

        fx.dialogs->answerText(QStringLiteral(u"けいさん"));
        int previousFirst = Sums::FirstOperandAtLoad;
        QString lastTyped;
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　%1問").arg(51 - q));
            const ShownSum sum = readSum(shownSum());
            QVERIFY(sum.first != previousFirst);
            previousFirst = sum.first;
            QVERIFY(answerBox()->isEnabled());
            QVERIFY(answerBox()->text().isEmpty());
            QCOMPARE(fx.window->focusWidget(), answerBox());
            fx.ticks(3);

            bool right = true;
            if (q == 10) {
                // A Japanese input method hands the digits over full-width.
                QString typed;
                for (const QChar c : QString::number(sum.result()))
                    typed += QChar(char16_t(0xFF10 + (c.unicode() - u'0')));
                fx.commit("txtAns", typed);
                QCOMPARE(answerBox()->text(), typed);
                fx.type("txtAns", QString());
            } else if (q == 20) {
                fx.type("txtAns", QStringLiteral("9e99"));
                right = false;
            } else if (q == 30) {
                fx.type("txtAns", QString()); // Enter on an empty box
                right = false;
            } else if (q == 40) {
                fx.type("txtAns", QStringLiteral(" %1.0").arg(sum.result()));
            } else if (q == 50) {
                lastTyped = QString::number(sum.result() + 1);
                fx.type("txtAns", lastTyped);
                right = false;
            } else {
                fx.type("txtAns", QString::number(sum.result()));
            }
            QCOMPARE(mark(), right ? QStringLiteral(u"○") : QStringLiteral(u"×"));
        }

        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　1問"));
        QCOMPARE(shownSum(), QStringLiteral(u"おわり"));
        QVERIFY(fx.showsIdle("txtAns"));
        QCOMPARE(answerBox()->text(), lastTyped);
    }

    void stopShowsChuushiAndTheFirstOperandCarriesOver()
    {
        // The first sum may not start with 99, the sum shown as the window opened.
        scriptSum(fx.random, {99, 35}, 2, Operator::Minus);
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(shownSum(), QStringLiteral("35 - 2"));
        fx.type("txtAns", QStringLiteral("3"), false);
        fx.tick();

        fx.clickStart();
        QVERIFY(fx.showsIdle("txtAns"));
        QCOMPARE(shownSum(), QStringLiteral(u"ちゅうし"));
        QCOMPARE(answerBox()->text(), QStringLiteral("3"));
        QCOMPARE(fx.text("lblTimer"), QStringLiteral("0.1"));
        QCOMPARE(fx.dialogs->shown.size(), 0);
        // An idle box takes no keys, and Enter judges nothing.
        fx.type("txtAns", QStringLiteral("9"));
        QCOMPARE(answerBox()->text(), QStringLiteral("3"));
        QCOMPARE(mark(), QStringLiteral(u"○"));

        // The next run's first sum may not start as the stopped run's last did.
        scriptSum(fx.random, {35, 35, 80}, 9, Operator::Plus);
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　50問"));
        QCOMPARE(shownSum(), QStringLiteral("80 + 9"));
        QVERIFY(answerBox()->text().isEmpty());

        scriptSum(fx.random, {11}, 1, Operator::Plus);
        fx.type("txtAns", QStringLiteral("98"));
        QCOMPARE(mark(), QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), 50.0);
        QCOMPARE(shownSum(), QStringLiteral("11 + 1"));
    }
};

QTEST_MAIN(TestSums)
#include "tst_sums.moc"
