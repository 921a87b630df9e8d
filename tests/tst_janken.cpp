// じゃんけんぽん — the rule that picks the right hand, the draws of a
// question, the hand pictures, and a whole run played through the real window.

#include "exercises/10_janken/frmtrainer10.h"
#include "exercises/10_janken/hands.h"
#include "exercises/10_janken/janken.h"
#include "support/trainerfixture.h"

#include <QLabel>
#include <QtTest>

#include <cmath>

using Janken::HandCount;

namespace {

const QString Title = QStringLiteral(u"じゃんけんぽん");
const QString Won = QStringLiteral(u"勝った");
const QString Lost = QStringLiteral(u"負けた");
const float LargestR = std::nextafter(1.0f, 0.0f);

// One question's draws: the opponent's hand (and any redraws), then the outcome.
void scriptQuestion(ScriptedRandom &random, const QList<int> &hands, int outcome)
{
    for (int hand : hands)
        random.pushInt(hand, HandCount);
    random.pushInt(outcome, Janken::OutcomeCount);
}

// The right hand as a player works it out: when the opponent won, the hand
// that loses to theirs; when they lost, the hand that beats theirs.
int handThatGives(int shown, const QString &said)
{
    for (int hand = 0; hand < HandCount; ++hand) {
        const bool opponentWins = Janken::beats(shown, hand);
        const bool opponentLoses = Janken::beats(hand, shown);
        if ((said == Won && opponentWins) || (said == Lost && opponentLoses))
            return hand;
    }
    return -1;
}

// The fingers crossing row y: each shows as one stretch of white between its
// outlines (on a row below the nails).
int fingersOnRow(const QImage &picture, int y)
{
    int fingers = 0;
    bool inFinger = false;
    for (int x = 0; x < picture.width(); ++x) {
        const bool white = qGray(picture.pixel(x, y)) > 230;
        if (white && !inFinger)
            ++fingers;
        inFinger = white;
    }
    return fingers;
}

double differingShare(const QImage &a, const QImage &b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return double(differing) / (a.width() * a.height());
}

} // namespace

class TestJanken : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer10> fx;

    HandButton *handButton(int hand) { return fx.control<HandButton>(QStringLiteral("cmdGCP(%1)").arg(hand)); }
    HandPicture *opponent() { return fx.control<HandPicture>(QStringLiteral("picGCP")); }
    QString said() { return fx.text("lblKM"); }

private slots:
    void init()
    {
        QVERIFY(fx.open(10));
    }
    void cleanup() { fx.close(); }

    // --- The rule -----------------------------------------------------------

    void ruleTable_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("right");
        QTest::newRow("rock, won: scissors") << 0 << 0 << Won << 1;
        QTest::newRow("rock, lost: paper") << 0 << 1 << Lost << 2;
        QTest::newRow("scissors, won: paper") << 1 << 0 << Won << 2;
        QTest::newRow("scissors, lost: rock") << 1 << 1 << Lost << 0;
        QTest::newRow("paper, won: rock") << 2 << 0 << Won << 0;
        QTest::newRow("paper, lost: scissors") << 2 << 1 << Lost << 1;
    }
    void ruleTable()
    {
        QFETCH(int, shown);
        QFETCH(int, outcome);
        QFETCH(QString, caption);
        QFETCH(int, right);
        QCOMPARE(Janken::outcomeCaption(outcome), caption);
        QCOMPARE(Janken::correctHand(shown, outcome), right);
        QCOMPARE(handThatGives(shown, caption), right);
        for (int pressed = 0; pressed < HandCount; ++pressed)
            QCOMPARE(Janken::isRightAnswer(pressed, Janken::correctHand(shown, outcome)), pressed == right);
        // Never the shown hand: no question asks for a draw.
        QVERIFY(right != shown);
    }

    void whoBeatsWhom()
    {
        QVERIFY(Janken::beats(Janken::Rock, Janken::Scissors));
        QVERIFY(Janken::beats(Janken::Scissors, Janken::Paper));
        QVERIFY(Janken::beats(Janken::Paper, Janken::Rock));
        for (int hand = 0; hand < HandCount; ++hand) {
            QVERIFY(!Janken::beats(hand, hand));
            QVERIFY(!Janken::beats((hand + 1) % HandCount, hand));
        }
    }

    // --- Drawing a question ---------------------------------------------------

    void drawQuestion_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<QList<float>>("script");
        QTest::addColumn<int>("hand");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("right");
        const auto hand = [](int h) { return ScriptedRandom::forInt(h, HandCount); };
        const auto outcome = [](int o) { return ScriptedRandom::forInt(o, 2); };
        QTest::newRow("after paper, paper twice, then rock; won")
            << 2 << QList<float>{hand(2), hand(2), hand(0), outcome(0)} << 0 << 0 << 1;
        QTest::newRow("after rock, scissors; lost") << 0 << QList<float>{hand(1), outcome(1)} << 1 << 1 << 0;
        QTest::newRow("after scissors, scissors, then paper; won")
            << 1 << QList<float>{hand(1), hand(2), outcome(0)} << 2 << 0 << 0;
        QTest::newRow("extremes of r") << 0 << QList<float>{0.0f, LargestR, 0.0f} << 2 << 0 << 0;
        QTest::newRow("the largest r") << 1 << QList<float>{LargestR, LargestR} << 2 << 1 << 1;
    }
    void drawQuestion()
    {
        QFETCH(int, previous);
        QFETCH(QList<float>, script);
        QFETCH(int, hand);
        QFETCH(int, outcome);
        QFETCH(int, right);
        ScriptedRandom source;
        for (float r : script)
            source.push(r);
        Janken::Questions questions(previous);
        const Janken::Question question = questions.draw(source);
        QCOMPARE(question.hand, hand);
        QCOMPARE(question.outcome, outcome);
        QCOMPARE(question.CorrectHand, right);
        QCOMPARE(questions.PreviousHand(), hand);
        QCOMPARE(source.remaining(), 0);
    }

    void seededQuestions()
    {
        SeededRandom source(10);
        Janken::Questions questions(Janken::PreviousHandAtLoad);
        std::array<std::array<int, 2>, HandCount> seen{};
        for (int n = 0; n < 6000; ++n) {
            const int before = questions.PreviousHand();
            const Janken::Question q = questions.draw(source);
            QVERIFY(q.hand >= 0 && q.hand < HandCount);
            QVERIFY(q.hand != before);
            QVERIFY(q.outcome == 0 || q.outcome == 1);
            QCOMPARE(q.CorrectHand, handThatGives(q.hand, Janken::outcomeCaption(q.outcome)));
            ++seen[q.hand][q.outcome];
        }
        // Every hand with either outcome, about equally often.
        for (const auto &hand : seen)
            for (int count : hand)
                QVERIFY2(count > 800 && count < 1200, qPrintable(QString::number(count)));
    }

    // --- The pictures ---------------------------------------------------------

    void picturesHaveTheirSizes()
    {
        for (int hand = 0; hand < HandCount; ++hand) {
            QCOMPARE(Hands::render(hand, true, Hands::OpponentSize).size(), QSize(112, 112));
            QCOMPARE(Hands::render(hand, false, Hands::ButtonSize).size(), QSize(53, 53));
            // Twice the pixels on a screen of twice the density, the same size on it.
            const QImage sharp = Hands::render(hand, true, Hands::OpponentSize, 2.0);
            QCOMPARE(sharp.size(), QSize(224, 224));
            QCOMPARE(sharp.deviceIndependentSize(), QSizeF(112, 112));
        }
    }

    void whiteHandsOutlinedInBlackOnGrey()
    {
        for (int hand = 0; hand < HandCount; ++hand) {
            const QImage picture = Hands::render(hand, false, Hands::OpponentSize);
            int white = 0;
            int black = 0;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    white += picture.pixel(x, y) == 0xFFFFFFFF ? 1 : 0;
                    black += picture.pixel(x, y) == 0xFF000000 ? 1 : 0;
                }
            }
            QVERIFY(white > 1500);
            QVERIFY(black > 400);
            QCOMPARE(picture.pixel(0, 0), Hands::Ground);
            QCOMPARE(picture.pixel(111, 0), Hands::Ground);
        }
    }

    void theThreeHandsDiffer()
    {
        for (int a = 0; a < HandCount; ++a)
            for (int b = a + 1; b < HandCount; ++b)
                QVERIFY(differingShare(Hands::render(a, false, 112), Hands::render(b, false, 112)) > 0.1);
    }

    void raisedFingers_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("opponent's size") << Hands::OpponentSize;
        QTest::newRow("button size") << Hands::ButtonSize;
    }
    void raisedFingers()
    {
        // Well above the palm: nothing of the fist, the two fingers of
        // scissors, the four fingers of the open hand.
        QFETCH(int, size);
        const int y = size * 28 / 100;
        QCOMPARE(fingersOnRow(Hands::render(Janken::Rock, false, size), y), 0);
        QCOMPARE(fingersOnRow(Hands::render(Janken::Scissors, false, size), y), 2);
        QVERIFY(fingersOnRow(Hands::render(Janken::Paper, false, size), y) >= 4);
        // Lower down, the fist shows its four folded fingers side by side.
        QCOMPARE(fingersOnRow(Hands::render(Janken::Rock, false, size), size * 40 / 100), 4);
    }

    void theOpponentsHandIsThePlayersTurnedOver()
    {
        for (int hand = 0; hand < HandCount; ++hand) {
            const QImage up = Hands::render(hand, false, Hands::OpponentSize);
            const QImage down = Hands::render(hand, true, Hands::OpponentSize);
            QCOMPARE(down, up.transformed(QTransform().rotate(180)));
            QVERIFY(down != up);
            // The arm comes from the opponent's side, the top.
            QVERIFY(down.pixel(56, 0) != Hands::Ground);
            QCOMPARE(down.pixel(56, 111), Hands::Ground);
        }
    }

    // --- The window ----------------------------------------------------------

    void opensWithPaperLost()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(fx.instructionLines(),
                 fx.withCommonLines({QStringLiteral(u"●じゃんけんの勝敗に合うボタンを押すんだぴこ"),
                                     QStringLiteral(u"※相手が負けだったらそれに勝つボタンを押すんだよ。")}));
        const QLabel *exp = fx.label("lblExp");
        QVERIFY(exp->sizeHint().height() <= exp->height());
        QCOMPARE(opponent()->hand(), int(Janken::Paper));
        QCOMPARE(said(), Lost);
        QCOMPARE(fx.label("lblKM")->font().pointSizeF(), 21.75);
        QVERIFY(fx.showsIdle("fraAns"));

        QCOMPARE(fx.label("lblResult")->pos(), QPoint(136, 112));
        QCOMPARE(fx.label("lblProbCnt")->geometry(), QRect(168, 112, 129, 25));
        QCOMPARE(opponent()->geometry(), QRect(120, 0, 149, 149));
        QCOMPARE(opponent()->parentWidget()->geometry(), QRect(20, 144, 381, 157));
        for (int hand = 0; hand < HandCount; ++hand) {
            QCOMPARE(handButton(hand)->hand(), hand);
            QCOMPARE(handButton(hand)->geometry(), QRect(92 + 80 * hand, 0, 53, 53));
            QVERIFY(handButton(hand)->text().isEmpty());
        }
    }

    void thePicturesAreOnScreen()
    {
        scriptQuestion(fx.random, {1}, 0);
        fx.clickStart();
        QCOMPARE(opponent()->hand(), int(Janken::Scissors));

        // The opponent's hand, fingers down, in the middle of its box, the
        // arm coming in from the top edge.
        const QImage box = opponent()->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QRect place = opponent()->pictureRect();
        QCOMPARE(place, QRect(19, 19, 112, 112));
        QCOMPARE(box.copy(place), Hands::render(Janken::Scissors, true, Hands::OpponentSize));
        for (int y = 1; y < place.top(); ++y) {
            QCOMPARE(box.pixel(place.center().x(), y), 0xFFFFFFFF);
            QCOMPARE(box.pixel(place.left() + 5, y), Hands::Ground);
        }

        // Each button's face is its hand, fingers up, inside the button's edge.
        for (int hand = 0; hand < HandCount; ++hand) {
            const QImage face = handButton(hand)->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QImage picture = Hands::render(hand, false, Hands::ButtonSize);
            const QRect inside = QRect(0, 0, 53, 53).adjusted(4, 4, -4, -4);
            QCOMPARE(face.copy(inside), picture.copy(inside));
        }
    }

    void aFirstQuestionIsNeverPaper()
    {
        // Paper is on screen as the window opens: the first draw of paper is drawn again.
        scriptQuestion(fx.random, {2, 2, 0}, 0);
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(opponent()->hand(), int(Janken::Rock));
        QCOMPARE(said(), Won);

        // Rock won: scissors is right, paper (which beats rock) is wrong, rock too.
        scriptQuestion(fx.random, {0, 1}, 1);
        fx.click(handButton(Janken::Scissors));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        QCOMPARE(opponent()->hand(), int(Janken::Scissors));
        QCOMPARE(said(), Lost);
        scriptQuestion(fx.random, {2}, 1);
        fx.click(handButton(Janken::Scissors));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), 50.0);

        // Stopped: the last hand and words stay, and the next run goes on from them.
        fx.clickStart();
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(opponent()->hand(), int(Janken::Paper));
        QCOMPARE(said(), Lost);
        scriptQuestion(fx.random, {2, 1}, 0);
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(opponent()->hand(), int(Janken::Scissors));
        QCOMPARE(said(), Won);
    }

    void wholeRun()
    {
        fx.random.pushSeeded(1010, 400);
        fx.clickStart();
        QVERIFY(fx.showsRunning("fraAns"));
        fx.dialogs->answerText(QStringLiteral(u"じゃんけん"));

        int previous = Janken::Paper;
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　%1問").arg(51 - q));
            const int shown = opponent()->hand();
            QVERIFY(shown != previous);
            previous = shown;
            fx.tick();
            fx.tick();
            const int right = handThatGives(shown, said());
            QVERIFY(right >= 0);
            // Two slips: the hand on show, and the hand that would win instead of lose.
            int pressed = right;
            if (q == 9)
                pressed = shown;
            else if (q == 30)
                pressed = 3 - shown - right;
            fx.click(handButton(pressed));
            QCOMPARE(fx.text("lblResult"), pressed == right ? QStringLiteral(u"○") : QStringLiteral(u"×"));
        }

        // The last hand stays on show.
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(fx.text("lblProbCnt"), QStringLiteral(u"あと　1問"));
        QCOMPARE(opponent()->hand(), previous);
    }
};

QTEST_MAIN(TestJanken)
#include "tst_janken.moc"
