// これは何色？ — its questions, its judge, and whole runs played through the
// real window: Start/Stop, marks, penalties and the rank-in at the end.

#include "exercises/01_colour/colour.h"
#include "exercises/01_colour/frmtrainer1.h"
#include "ranking/rankstore.h"
#include "support/trainerfixture.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using Colour::ColourTable;

namespace {

const QString Title = QStringLiteral(u"これは何色？");
constexpr int Black = 1, Red = 2, Blue = 3, Yellow = 4, Green = 5;

int indexOfInk(quint32 ink)
{
    for (int i = 1; i <= Colour::ColourCount; ++i)
        if (ColourTable[i] == ink)
            return i;
    return 0;
}

// One question as the script draws it: the ink's index, then the word's.
void scriptQuestion(ScriptedRandom &random, int ink, int word)
{
    random.pushInt(ink - 1, 5);
    random.pushInt(word - 1, 5);
}

} // namespace

class TestColour : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<frmTrainer1> fx;

    QPushButton *colourButton(int index) { return fx.control<QPushButton>(QStringLiteral("cmdColor(%1)").arg(index)); }
    QLabel *question() { return fx.label("lblProb"); }
    int shownInk() { return indexOfInk(question()->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF); }

private slots:
    void init() { QVERIFY(fx.open(1)); }
    void cleanup() { fx.close(); }

    void judge_data()
    {
        QTest::addColumn<int>("ink");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<bool>("right");
        QTest::newRow("あか in blue, blue pressed") << Blue << Blue << true;
        QTest::newRow("あか in blue, red pressed") << Blue << Red << false;
        QTest::newRow("みどり in green, green pressed") << Green << Green << true;
        QTest::newRow("black ink, black pressed") << Black << Black << true;
    }
    void judge()
    {
        QFETCH(int, ink);
        QFETCH(int, pressed);
        QFETCH(bool, right);
        QCOMPARE(Colour::isRight(ColourTable[ink], pressed), right);
    }

    void questionsNeverRepeatTheInk()
    {
        SystemRandom seeded;
        quint32 previous = Colour::DesignInk;
        QSet<QString> words;
        for (int i = 0; i < 2000; ++i) {
            const Colour::Question q = Colour::nextQuestion(seeded, previous);
            QVERIFY(q.ink != previous);
            QVERIFY(indexOfInk(q.ink) != 0);
            words.insert(q.word);
            previous = q.ink;
        }
        QCOMPARE(words.size(), 5);
    }

    void repeatedInkIsDrawnAgain()
    {
        // Yellow was shown last: a yellow draw is thrown away; the word is drawn after.
        ScriptedRandom script;
        script.pushInt(Yellow - 1, 5);
        script.pushInt(Yellow - 1, 5);
        script.pushInt(Red - 1, 5);
        script.pushInt(Blue - 1, 5);
        const Colour::Question q = Colour::nextQuestion(script, ColourTable[Yellow]);
        QCOMPARE(q.ink, ColourTable[Red]);
        QCOMPARE(q.word, QStringLiteral(u"あお"));
        QCOMPARE(script.remaining(), 0);
    }

    void opensIdle()
    {
        QCOMPARE(fx.window->windowTitle(), Title);
        QCOMPARE(question()->text(), QStringLiteral(u"あお"));
        QCOMPARE(shownInk(), Yellow);
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({QStringLiteral(u"●表示される文字の色と同じボタンをおすんだぴこ。")}));
        QVERIFY(!fx.control<QFrame>(QStringLiteral("fraColor"))->isEnabled());
        QVERIFY(fx.button("cmdRank")->isEnabled());
        QCOMPARE(fx.button("cmdStart")->text(), QStringLiteral(u"開　始"));
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("0.0"));
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　50問"));
    }

    void wholeRun()
    {
        // Fifty questions; answers 10, 20 and the last one are wrong.
        fx.random.pushInt(Yellow - 1, 5); // thrown away: yellow was the design ink
        scriptQuestion(fx.random, Blue, Red);
        int ink = Blue;
        for (int q = 2; q <= 50; ++q) {
            ink = ink % 5 + 1;
            scriptQuestion(fx.random, ink, (q * 3) % 5 + 1);
        }

        fx.click(fx.button("cmdStart"));
        QCOMPARE(fx.random.reseeds, 1);
        QCOMPARE(fx.button("cmdStart")->text(), QStringLiteral(u"中　止"));
        QVERIFY(!fx.button("cmdRank")->isEnabled());
        QVERIFY(fx.control<QFrame>(QStringLiteral("fraColor"))->isEnabled());
        QCOMPARE(question()->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(question()->text(), QStringLiteral(u"あか"));
        QCOMPARE(shownInk(), Blue);

        fx.dialogs->answerText(QStringLiteral(u"たろう"));
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　%1問").arg(51 - q));
            fx.tick();
            const bool wrong = q == 10 || q == 20 || q == 50;
            const int right = shownInk();
            fx.click(colourButton(wrong ? right % 5 + 1 : right));
            QCOMPARE(fx.label("lblResult")->text(), wrong ? QStringLiteral(u"×") : QStringLiteral(u"○"));
        }
        QCOMPARE(fx.random.remaining(), 0);

        // 50 tenths of ticks and three penalties, the last one included.
        QCOMPARE(fx.window->ElapsedTenths(), 200.0);
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("20.0"));
        QCOMPARE(question()->text(), QStringLiteral(u"おわり"));
        QCOMPARE(question()->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(fx.button("cmdStart")->text(), QStringLiteral(u"開　始"));
        QVERIFY(fx.button("cmdRank")->isEnabled());
        QVERIFY(!fx.control<QFrame>(QStringLiteral("fraColor"))->isEnabled());

        QCOMPARE(fx.dialogs->shown.size(), 1);
        QCOMPARE(fx.dialogs->shown[0].caption, QStringLiteral(u"おめでとうだぴこ。　1位だぴこ。"));
        QVERIFY(ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData"))
                    .startsWith(QStringLiteral(u"20.0　たろう          ")));
    }

    void stopAndStartAgain()
    {
        scriptQuestion(fx.random, Red, Red);
        fx.click(fx.button("cmdStart"));
        fx.tick();
        fx.tick();
        scriptQuestion(fx.random, Green, Blue);
        fx.click(colourButton(Green)); // wrong: the ink was red
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　49問"));
        fx.tick();

        fx.click(fx.button("cmdStart"));
        QCOMPARE(question()->text(), QStringLiteral(u"ちゅうし"));
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("5.3"));
        QCOMPARE(fx.label("lblResult")->text(), QStringLiteral(u"×"));
        QVERIFY(!fx.control<QFrame>(QStringLiteral("fraColor"))->isEnabled());
        QCOMPARE(fx.dialogs->shown.size(), 0);

        // The next run starts afresh; the ink still differs from the last one shown (green).
        fx.random.pushInt(Green - 1, 5);
        scriptQuestion(fx.random, Black, Black);
        fx.click(fx.button("cmdStart"));
        QCOMPARE(fx.window->ElapsedTenths(), 0.0);
        QCOMPARE(fx.label("lblProbCnt")->text(), QStringLiteral(u"あと　50問"));
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("5.3")); // until the first tick
        QCOMPARE(shownInk(), Black);
        QCOMPARE(fx.random.remaining(), 0);
        fx.tick();
        QCOMPARE(fx.label("lblTimer")->text(), QStringLiteral("0.1"));
    }

    void endClosesWithoutRecording()
    {
        scriptQuestion(fx.random, Red, Red);
        fx.click(fx.button("cmdStart"));
        QVERIFY(fx.button("cmdEnd")->isEnabled());
        fx.click(fx.button("cmdEnd"));
        QVERIFY(!fx.window->isVisible());
        QCOMPARE(fx.dialogs->shown.size(), 0);
        QCOMPARE(ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData")), QStringLiteral("NoData"));
    }
};

QTEST_MAIN(TestColour)
#include "tst_colour.moc"
