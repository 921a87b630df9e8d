// これは何色？ — its questions, its judge, and whole runs played through the
// real window: Start/Stop, marks, penalties and the rank-in at the end.

#include "exercises/01_colour/colour.h"
#include "exercises/01_colour/frmtrainer1.h"
#include "ranking/rankstore.h"
#include "support/scripted.h"

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
    std::unique_ptr<TempSettings> settings;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<frmTrainer1> window;
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
    QPushButton *button(const QString &name) { return control<QPushButton>(name); }
    QPushButton *colourButton(int index) { return button(QStringLiteral("cmdColor(%1)").arg(index)); }
    int shownInk()
    {
        return indexOfInk(label("lblProb")->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF);
    }
    void click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
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
        window = std::make_unique<frmTrainer1>();
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
        QCOMPARE(window->windowTitle(), Title);
        QCOMPARE(label("lblProb")->text(), QStringLiteral(u"あお"));
        QCOMPARE(shownInk(), Yellow);
        QCOMPARE(label("lblExp")->text().split(QStringLiteral("\r\n")),
                 QStringList({QStringLiteral(u"●表示される文字の色と同じボタンをおすんだぴこ。"),
                              QStringLiteral(u"●全部で５０問あるんだぴこ。"),
                              QStringLiteral(u"●クリアした時間が早い方が良いんだぴこ。"),
                              QStringLiteral(u"●間違えると５秒加算されるんだぴこ。"),
                              QStringLiteral(u"●開始ボタンで始めるんだぴこ。")}));
        QVERIFY(!control<QFrame>(QStringLiteral("fraColor"))->isEnabled());
        QVERIFY(button(QStringLiteral("cmdRank"))->isEnabled());
        QCOMPARE(button(QStringLiteral("cmdStart"))->text(), QStringLiteral(u"開　始"));
        QCOMPARE(label("lblTimer")->text(), QStringLiteral("0.0"));
        QCOMPARE(label("lblProbCnt")->text(), QStringLiteral(u"あと　50問"));
    }

    void wholeRun()
    {
        // Fifty questions; answers 10, 20 and the last one are wrong.
        random.pushInt(Yellow - 1, 5); // thrown away: yellow was the design ink
        scriptQuestion(random, Blue, Red);
        int ink = Blue;
        for (int q = 2; q <= 50; ++q) {
            ink = ink % 5 + 1;
            scriptQuestion(random, ink, (q * 3) % 5 + 1);
        }

        click(button(QStringLiteral("cmdStart")));
        QCOMPARE(random.reseeds, 1);
        QCOMPARE(button(QStringLiteral("cmdStart"))->text(), QStringLiteral(u"中　止"));
        QVERIFY(!button(QStringLiteral("cmdRank"))->isEnabled());
        QVERIFY(control<QFrame>(QStringLiteral("fraColor"))->isEnabled());
        QCOMPARE(label("lblProb")->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(label("lblProb")->text(), QStringLiteral(u"あか"));
        QCOMPARE(shownInk(), Blue);

        dialogs->answerText(QStringLiteral(u"たろう"));
        for (int q = 1; q <= 50; ++q) {
            QCOMPARE(label("lblProbCnt")->text(), QStringLiteral(u"あと　%1問").arg(51 - q));
            tick();
            const bool wrong = q == 10 || q == 20 || q == 50;
            const int right = shownInk();
            click(colourButton(wrong ? right % 5 + 1 : right));
            QCOMPARE(label("lblResult")->text(), wrong ? QStringLiteral(u"×") : QStringLiteral(u"○"));
        }
        QCOMPARE(random.remaining(), 0);

        // 50 tenths of ticks and three penalties, the last one included.
        QCOMPARE(window->ElapsedTenths(), 200.0);
        QCOMPARE(label("lblTimer")->text(), QStringLiteral("20.0"));
        QCOMPARE(label("lblProb")->text(), QStringLiteral(u"おわり"));
        QCOMPARE(label("lblProb")->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(button(QStringLiteral("cmdStart"))->text(), QStringLiteral(u"開　始"));
        QVERIFY(button(QStringLiteral("cmdRank"))->isEnabled());
        QVERIFY(!control<QFrame>(QStringLiteral("fraColor"))->isEnabled());

        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown[0].caption, QStringLiteral(u"おめでとうだぴこ。　1位だぴこ。"));
        QVERIFY(ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData"))
                    .startsWith(QStringLiteral(u"20.0　たろう          ")));
    }

    void stopAndStartAgain()
    {
        scriptQuestion(random, Red, Red);
        click(button(QStringLiteral("cmdStart")));
        tick();
        tick();
        scriptQuestion(random, Green, Blue);
        click(colourButton(Green)); // wrong: the ink was red
        QCOMPARE(label("lblProbCnt")->text(), QStringLiteral(u"あと　49問"));
        tick();

        click(button(QStringLiteral("cmdStart")));
        QCOMPARE(label("lblProb")->text(), QStringLiteral(u"ちゅうし"));
        QCOMPARE(label("lblTimer")->text(), QStringLiteral("5.3"));
        QCOMPARE(label("lblResult")->text(), QStringLiteral(u"×"));
        QVERIFY(!control<QFrame>(QStringLiteral("fraColor"))->isEnabled());
        QCOMPARE(dialogs->shown.size(), 0);

        // The next run starts afresh; the ink still differs from the last one shown (green).
        random.pushInt(Green - 1, 5);
        scriptQuestion(random, Black, Black);
        click(button(QStringLiteral("cmdStart")));
        QCOMPARE(window->ElapsedTenths(), 0.0);
        QCOMPARE(label("lblProbCnt")->text(), QStringLiteral(u"あと　50問"));
        QCOMPARE(label("lblTimer")->text(), QStringLiteral("5.3")); // until the first tick
        QCOMPARE(shownInk(), Black);
        QCOMPARE(random.remaining(), 0);
        tick();
        QCOMPARE(label("lblTimer")->text(), QStringLiteral("0.1"));
    }

    void endClosesWithoutRecording()
    {
        scriptQuestion(random, Red, Red);
        click(button(QStringLiteral("cmdStart")));
        QVERIFY(button(QStringLiteral("cmdEnd"))->isEnabled());
        click(button(QStringLiteral("cmdEnd")));
        QVERIFY(!window->isVisible());
        QCOMPARE(dialogs->shown.size(), 0);
        QCOMPARE(ReadSetting(Title, QStringLiteral("1"), QStringLiteral("NoData")), QStringLiteral("NoData"));
    }
};

QTEST_MAIN(TestColour)
#include "tst_colour.moc"
