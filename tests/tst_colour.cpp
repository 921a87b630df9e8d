// これは何色？ — its questions, its judge, and one run played through the
// real window: the question label's look at Start, Stop and the end, and the
// ink that never comes twice in a row.

#include "exercises/01_colour/colour.h"
#include "exercises/01_colour/frmtrainer1.h"
#include "support/trainerfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using Colour::ColourTable;

namespace {

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
    // The question label's look: its word, its ink and the colour behind the word.
    void verifyQuestion(const QString &word, const QColor &ink, const QColor &background)
    {
        QCOMPARE(question()->text(), word);
        QCOMPARE(question()->palette().color(QPalette::WindowText), ink);
        // The label's top left corner, a little inside: no ink there, only the label's own colour.
        QCOMPARE(fx.pixelAtTwips(120 + 60, 2040 + 60), background);
    }

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
        QTest::newRow("no such button") << Black << 0 << false;
    }
    void judge()
    {
        QFETCH(int, ink);
        QFETCH(int, pressed);
        QFETCH(bool, right);
        QCOMPARE(Colour::isRightAnswer(ColourTable[ink], pressed), right);
    }

    void questionsNeverRepeatTheInk()
    {
        SeededRandom seeded(1);
        quint32 previous = Colour::InkAtLoad;
        QSet<quint32> inks;
        QSet<QString> words;
        for (int i = 0; i < 2000; ++i) {
            const Colour::Question q = Colour::drawQuestion(seeded, previous);
            QVERIFY(q.ink != previous);
            QVERIFY(indexOfInk(q.ink) != 0);
            inks.insert(q.ink);
            words.insert(q.word);
            previous = q.ink;
        }
        QCOMPARE(inks.size(), 5);
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
        const Colour::Question q = Colour::drawQuestion(script, ColourTable[Yellow]);
        QCOMPARE(q.ink, ColourTable[Red]);
        QCOMPARE(q.word, QStringLiteral(u"あお"));
        QCOMPARE(script.remaining(), 0);
    }

    void opensWithTheWordInYellow()
    {
        QCOMPARE(fx.window->windowTitle(), QStringLiteral(u"これは何色？"));
        QCOMPARE(fx.instructionLines(), fx.withCommonLines({QStringLiteral(u"●表示される文字の色と同じボタンをおすんだぴこ。")}));
        QVERIFY(QTest::qWaitForWindowExposed(fx.window.get()));
        verifyQuestion(QStringLiteral(u"あお"), Qt::yellow, Qt::black);
        QVERIFY(fx.showsIdle("fraColor"));
        for (int i = 1; i <= Colour::ColourCount; ++i) {
            const QRect place = colourButton(i)->geometry();
            QCOMPARE(place, Twips::rect(120 + 1200 * (i - 1), 0, 975, 495));
            QCOMPARE(fx.pixelAtTwips(487, 247, colourButton(i)), QColor::fromRgb(ColourTable[i]));
        }
    }

    void playedThroughTheWindow()
    {
        QVERIFY(QTest::qWaitForWindowExposed(fx.window.get()));
        fx.random.pushInt(Yellow - 1, 5); // thrown away: yellow was the ink as the window opened
        scriptQuestion(fx.random, Blue, Red);
        fx.clickStart();
        verifyQuestion(QStringLiteral(u"あか"), Qt::blue, Qt::white);

        // The ink counts, not the word.
        scriptQuestion(fx.random, Black, Black);
        fx.click(colourButton(Red));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        verifyQuestion(QStringLiteral(u"くろ"), Qt::black, Qt::white);
        scriptQuestion(fx.random, Green, Green);
        fx.click(colourButton(Black));
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));

        fx.clickStart();
        verifyQuestion(QStringLiteral(u"ちゅうし"), Qt::white, Qt::black);

        // The next run's first ink differs from the last one shown (green):
        // a green draw is thrown away.
        fx.random.pushInt(Green - 1, 5);
        scriptQuestion(fx.random, Blue, Yellow);
        fx.random.pushSeeded(1, 500);
        fx.dialogs->answerText(QStringLiteral(u"たろう"));
        fx.clickStart();
        verifyQuestion(QStringLiteral(u"きいろ"), Qt::blue, Qt::white);

        // Fifty answers to the end, the player pressing the ink shown.
        int previousInk = Green;
        for (int q = 1; q <= 50; ++q) {
            QVERIFY(shownInk() != previousInk);
            previousInk = shownInk();
            fx.tick();
            fx.click(colourButton(shownInk()));
            QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        }
        verifyQuestion(QStringLiteral(u"おわり"), Qt::white, Qt::black);
        QVERIFY(fx.showsIdle("fraColor"));
    }
};

QTEST_MAIN(TestColour)
#include "tst_colour.moc"
