// ●●●たたき — where the "●" and the "◆" fall, the judge on captions, the
// board as the player sees it, and runs played through the real window.

#include "exercises/06_whack/frmtrainer6.h"
#include "exercises/06_whack/whack.h"
#include "support/trainerfixture.h"

#include <QPushButton>
#include <QtTest>

#include <cmath>

using Whack::Buttons;

namespace {

const QString Mark = QStringLiteral(u"●");
const QString Decoy = QStringLiteral(u"◆");
const float LargestR = std::nextafter(1.0f, 0.0f);

float at(int index)
{
    return ScriptedRandom::forInt(index, Buttons);
}

// One question's draws: the decoy, then the mark (with its redraws).
void scriptQuestion(ScriptedRandom &random, int decoy, const QList<int> &marks)
{
    random.push(at(decoy));
    for (int mark : marks)
        random.push(at(mark));
}

// A board of captions as buttons index -> caption; all others empty.
QStringList boardWith(const QMap<int, QString> &shown)
{
    QStringList board;
    for (int i = 0; i < Buttons; ++i)
        board.append(shown.value(i));
    return board;
}

QStringList toList(const Whack::Board &board)
{
    return QStringList(board.begin(), board.end());
}

} // namespace

class TestWhack : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer6> fx;

    QPushButton *boardButton(int index) { return fx.control<QPushButton>(QStringLiteral("cmdAns(%1)").arg(index)); }
    QStringList shownBoard()
    {
        QStringList board;
        for (int i = 0; i < Buttons; ++i)
            board.append(boardButton(i)->text());
        return board;
    }

private slots:
    void init()
    {
        QVERIFY(fx.open(6));
    }
    void cleanup() { fx.close(); }

    // --- Drawing a question -----------------------------------------------

    void drawQuestion_data()
    {
        QTest::addColumn<QList<float>>("script");
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("decoy");
        QTest::addColumn<int>("mark");
        QTest::addColumn<QStringList>("board");
        QTest::newRow("apart") << QList<float>{at(18), at(3)} << 7 << 18 << 3
                               << boardWith({{18, Decoy}, {3, Mark}});
        QTest::newRow("extremes of r") << QList<float>{0.0f, LargestR} << 7 << 0 << 24
                                       << boardWith({{0, Decoy}, {24, Mark}});
        QTest::newRow("the mark covers a decoy on its button")
            << QList<float>{at(12), at(12)} << 7 << 12 << 12 << boardWith({{12, Mark}});
        QTest::newRow("button 7 first after opening is drawn again")
            << QList<float>{at(7), at(7), at(7), at(0)} << 7 << 7 << 0 << boardWith({{7, Decoy}, {0, Mark}});
        QTest::newRow("the decoy may stand where the mark stood")
            << QList<float>{at(20), at(21)} << 20 << 20 << 21 << boardWith({{20, Decoy}, {21, Mark}});
    }
    void drawQuestion()
    {
        QFETCH(QList<float>, script);
        QFETCH(int, previous);
        QFETCH(int, decoy);
        QFETCH(int, mark);
        QFETCH(QStringList, board);
        ScriptedRandom source;
        for (float r : script)
            source.push(r);
        Whack::Questions questions(previous);
        const Whack::Question question = questions.draw(source);
        QCOMPARE(question.DecoyIndex, decoy);
        QCOMPARE(question.MarkIndex, mark);
        QCOMPARE(questions.PreviousMark(), mark);
        QCOMPARE(question.hasDecoy(), decoy != mark);
        QCOMPARE(toList(question.board()), board);
        QCOMPARE(source.remaining(), 0);
    }

    void seededQuestions()
    {
        ScriptedRandom source;
        source.pushSeeded(6, 25000);
        Whack::Questions questions;
        QCOMPARE(questions.PreviousMark(), Whack::MarkAtLoad);
        QList<int> marksSeen(Buttons), decoysSeen(Buttons);
        int withoutDecoy = 0;
        for (int n = 0; n < 10000; ++n) {
            const int previous = questions.PreviousMark();
            const Whack::Question q = questions.draw(source);
            QVERIFY(q.MarkIndex >= 0 && q.MarkIndex < Buttons);
            QVERIFY(q.DecoyIndex >= 0 && q.DecoyIndex < Buttons);
            QVERIFY(q.MarkIndex != previous);
            QCOMPARE(questions.PreviousMark(), q.MarkIndex);
            const QStringList board = toList(q.board());
            QCOMPARE(board.count(Mark), 1);
            QCOMPARE(board.indexOf(Mark), q.MarkIndex);
            QCOMPARE(board.count(Decoy), q.hasDecoy() ? 1 : 0);
            QCOMPARE(board.count(QString()), q.hasDecoy() ? Buttons - 2 : Buttons - 1);
            ++marksSeen[q.MarkIndex];
            ++decoysSeen[q.DecoyIndex];
            withoutDecoy += q.hasDecoy() ? 0 : 1;
        }
        QVERIFY(!marksSeen.contains(0));
        QVERIFY(!decoysSeen.contains(0));
        // About one question in 25 shows no decoy.
        QVERIFY(withoutDecoy > 250 && withoutDecoy < 600);
    }

    void judge_data()
    {
        QTest::addColumn<int>("decoy");
        QTest::addColumn<int>("mark");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<bool>("right");
        QTest::newRow("the mark") << 18 << 3 << 3 << true;
        QTest::newRow("the decoy") << 18 << 3 << 18 << false;
        QTest::newRow("an empty button") << 18 << 3 << 4 << false;
        QTest::newRow("the mark over a decoy") << 12 << 12 << 12 << true;
    }
    void judge()
    {
        QFETCH(int, decoy);
        QFETCH(int, mark);
        QFETCH(int, pressed);
        QFETCH(bool, right);
        QCOMPARE(Whack::isRightAnswer(Whack::Question{decoy, mark}, pressed), right);
    }

    // --- The window ------------------------------------------------------

    void opensIdle()
    {
        QCOMPARE(fx.window->windowTitle(), QStringLiteral(u"●●●たたき"));
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({QStringLiteral(u"●表示される「●」のボタンをおすんだぴこ。"),
                                                            QStringLiteral(u"※「◆」じゃないよ。")}));
        QCOMPARE(shownBoard(), boardWith({{7, Mark}, {18, Decoy}}));
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(fx.label("lblExp")->geometry(), QRect(16, 8, 393, 113));
        QVERIFY(fx.label("lblExp")->sizeHint().height() <= fx.label("lblExp")->height());
        QCOMPARE(fx.label("lblResult")->pos(), QPoint(136, 128));
        QCOMPARE(fx.label("lblProbCnt")->geometry(), QRect(168, 128, 137, 25));
        QCOMPARE(fx.control<QFrame>(QStringLiteral("fraAns"))->geometry(), QRect(24, 160, 369, 193));
        for (int i = 0; i < Buttons; ++i) {
            QVERIFY(!boardButton(i)->isEnabled());
            QCOMPARE(boardButton(i)->geometry(), QRect(88 + 40 * (i % 5), 40 * (i / 5), 33, 33));
        }
    }

    void marksAreLegible()
    {
        // Both marks stand whole, in black and in the middle of their buttons.
        scriptQuestion(fx.random, 3, {12});
        fx.clickStart();
        for (int index : {3, 12}) {
            QPushButton *button = boardButton(index);
            const QImage face = button->grab().toImage().scaled(button->size());
            QRect ink;
            for (int y = 0; y < face.height(); ++y)
                for (int x = 0; x < face.width(); ++x)
                    if (qGray(face.pixel(x, y)) < 96 && x > 2 && y > 2 && x < face.width() - 3 && y < face.height() - 3)
                        ink |= QRect(x, y, 1, 1);
            QVERIFY2(ink.width() >= 14 && ink.height() >= 14, qPrintable(QStringLiteral("%1 x %2").arg(ink.width()).arg(ink.height())));
            QVERIFY(std::abs(ink.center().x() - face.rect().center().x()) <= 2);
            QVERIFY(std::abs(ink.center().y() - face.rect().center().y()) <= 2);
        }
    }

    void wholeRun()
    {
        fx.random.pushSeeded(66, 500);
        fx.clickStart();
        QCOMPARE(fx.random.reseeds, 1);
        QVERIFY(fx.showsRunning("fraAns"));

        fx.dialogs->answerText(QStringLiteral(u"もぐら"));
        int previousMark = Whack::MarkAtLoad;
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　%1問").arg(51 - q));
            const QStringList board = shownBoard();
            QCOMPARE(board.count(Mark), 1);
            QVERIFY(board.count(Decoy) <= 1);
            const int mark = board.indexOf(Mark);
            QVERIFY(mark != previousMark);
            previousMark = mark;

            fx.tick();
            // Wrong: the decoy once, an empty button once (the 50th answer).
            int pressed = mark;
            if (q == 10 && board.contains(Decoy))
                pressed = board.indexOf(Decoy);
            else if (q == 50)
                pressed = board.indexOf(QString());
            const bool wrong = pressed != mark;
            fx.click(boardButton(pressed));
            QCOMPARE(fx.label("lblResult")->text(), wrong ? QStringLiteral(u"×") : QStringLiteral(u"○"));
        }

        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　1問"));
        QVERIFY(fx.showsIdle("fraAns"));
        // The last board stays, disabled.
        QCOMPARE(shownBoard().indexOf(Mark), previousMark);
    }

    void boardCarriesOverStopAndStart()
    {
        // First question: the mark may not stand on button 7 (shown as the window opened).
        scriptQuestion(fx.random, 3, {7, 4});
        fx.clickStart();
        QCOMPARE(shownBoard(), boardWith({{3, Decoy}, {4, Mark}}));

        // An empty button is as wrong as the decoy.
        scriptQuestion(fx.random, 9, {9});
        fx.click(boardButton(0));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"×"));
        QCOMPARE(fx.window->ElapsedTenths(), 50.0);
        // Decoy and mark on one button: a lone "●".
        QCOMPARE(shownBoard(), boardWith({{9, Mark}}));

        // Stop leaves the marks on the disabled board.
        fx.clickStart();
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(shownBoard(), boardWith({{9, Mark}}));

        // The next run's first mark may not repeat the stopped run's last one.
        scriptQuestion(fx.random, 9, {9, 9, 2});
        fx.clickStart();
        QCOMPARE(fx.random.remaining(), 0);
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　50問"));
        QCOMPARE(shownBoard(), boardWith({{9, Decoy}, {2, Mark}}));
        scriptQuestion(fx.random, 0, {1});
        fx.click(boardButton(2));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"○"));
        QCOMPARE(fx.window->ElapsedTenths(), 0.0);
    }
};

QTEST_MAIN(TestWhack)
#include "tst_whack.moc"
