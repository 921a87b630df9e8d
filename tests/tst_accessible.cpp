// What a screen reader finds in the exercise windows: every control named in
// Japanese words, read through QAccessible as assistive technology reads it;
// pictures and lines named without giving the answer away, also once a run is
// under way; the question, the mark, the questions left and the end of a run
// told through the focused control as they happen.

#include "app/frmmain.h"
#include "exercises/09_longest/linesview.h"
#include "ranking/frmrank.h"
#include "support/trainerfixture.h"
#include "exercises/14_prefectures/shapewords.h"
#include "ui/a11y.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QShortcut>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

namespace {

QAccessibleInterface *accessible(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

QString spokenName(QWidget *widget)
{
    QAccessibleInterface *face = accessible(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

QString spokenDescription(QWidget *widget)
{
    QAccessibleInterface *face = accessible(widget);
    return face ? face->text(QAccessible::Description) : QString();
}

// Every exercise window.
QList<int> windows()
{
    QList<int> numbers;
    for (int exercise = 1; exercise <= exerciseCount(); ++exercise)
        numbers.append(exercise);
    return numbers;
}

// What the player heard since the spy began: the news, in order.
QStringList told(const QSignalSpy &spy)
{
    A11y::flush();
    QStringList texts;
    for (const QList<QVariant> &arguments : spy)
        texts.append(arguments.at(1).toString());
    return texts;
}

} // namespace

class TestAccessible : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<TrainerWindow> fx;

    QWidget *control(const QString &name) { return fx.control<QWidget>(name); }

    // What a screen reader was told about a control since the spy began.
    QStringList announced(const QSignalSpy &spy, const char *name)
    {
        QWidget *widget = control(QString::fromLatin1(name));
        QStringList texts;
        for (const QList<QVariant> &arguments : spy)
            if (arguments.at(0).value<QWidget *>() == widget)
                texts.append(arguments.at(1).toString());
        return texts;
    }

private slots:
    void cleanup()
    {
        A11y::flush();
        fx.close();
    }

    // --- Names, one table over the exercise windows ---------------------------

    void names_data()
    {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");

        // The common controls of every window, in words.
        for (int exercise : windows()) {
            const auto row = [exercise](const char *control) -> QTestData & {
                return QTest::addRow("%d %s", exercise, control) << exercise << QString::fromLatin1(control);
            };
            row("lblResult") << QStringLiteral(u"正解") << QStringLiteral(u"前の答えの正誤");
            // 数字順番押し counts otherwise (its own row below).
            if (exercise != 2)
                row("lblProbCnt") << QStringLiteral(u"あと　50問") << QStringLiteral(u"問題の進み具合");
            // The number only: "経過時間" above it and "秒" beside it read themselves.
            row("lblTimer") << QStringLiteral("0.0")
                            << QStringLiteral(u"経過時間の秒数。間違えると５秒加算。F6キーで読み上げ");
            row("Label2") << QStringLiteral(u"秒") << QString();
            row("cmdRank") << QStringLiteral(u"順位") << QStringLiteral(u"この練習の順位表を見る");
            row("cmdStart") << QStringLiteral(u"開始") << QStringLiteral(u"開始と中止。F5キーでどこからでも押せる");
            row("cmdEnd") << QStringLiteral(u"終了") << QStringLiteral(u"ウィンドウを閉じてメニューに戻る");
        }

        const auto row = [](int exercise, const char *control, const QString &name, const QString &description) {
            QTest::addRow("%d %s", exercise, control) << exercise << QString::fromLatin1(control) << name << description;
        };
        // Instruction lines without their bullets, the signs in words.
        row(1, "lblExp",
            QStringLiteral(u"表示される文字の色と同じボタンをおすんだぴこ。全部で５０問あるんだぴこ。"
                           u"クリアした時間が早い方が良いんだぴこ。間違えると５秒加算されるんだぴこ。開始ボタンで始めるんだぴこ。"),
            QStringLiteral(u"遊び方"));
        row(6, "lblExp",
            QStringLiteral(u"表示される「まる」のボタンをおすんだぴこ。「ひしがた」じゃないよ。全部で５０問あるんだぴこ。"
                           u"クリアした時間が早い方が良いんだぴこ。間違えると５秒加算されるんだぴこ。開始ボタンで始めるんだぴこ。"),
            QStringLiteral(u"遊び方"));
        row(7, "lblExp",
            QStringLiteral(u"表示する計算式の答えを入力して、Enterキーを押すんだぴこ。全部で５０問あるんだぴこ。"
                           u"クリアした時間が早い方が良いんだぴこ。間違えると５秒加算されるんだぴこ。開始ボタンで始めるんだぴこ。"),
            QStringLiteral(u"遊び方"));
        // これは何色？: a colour button is its colour.
        row(1, "cmdColor(1)", QStringLiteral(u"くろ"), QStringLiteral(u"数字キー1でも押せる"));
        row(1, "cmdColor(5)", QStringLiteral(u"みどり"), QStringLiteral(u"数字キー5でも押せる"));
        // 数字順番押し: each button its number (1 to 48 in order as the window opens).
        row(2, "cmdNum(0)", QStringLiteral("1"), QString());
        row(2, "cmdNum(47)", QStringLiteral("48"), QString());
        row(2, "lblProbCnt", QStringLiteral(u"次は　1"), QStringLiteral(u"問題の進み具合"));
        // 光ってるのは何個？: the circles lit or not (3, 5 and 8 lit as the window opens).
        row(3, "shpPochi(0)", QStringLiteral(u"左から1番目の丸　消えている"), QString());
        row(3, "shpPochi(2)", QStringLiteral(u"左から3番目の丸　光っている"), QString());
        row(3, "cmdNum(0)", QStringLiteral("0"), QStringLiteral(u"数字キーでも押せる"));
        // かげんざん: the sum as it stands, the answer box.
        row(7, "lblProb", QStringLiteral("99 + 9"), QStringLiteral(u"計算式"));
        row(7, "txtAns", QStringLiteral(u"答え"), QStringLiteral(u"数字を入れてEnterキー"));
        // あみだくじ: the answers by column, the star, and the ladder line by line.
        row(4, "cmdAns(0)", QStringLiteral(u"行き先　左から1本目"), QStringLiteral(u"数字キー1でも押せる"));
        row(4, "cmdAns(3)", QStringLiteral(u"行き先　左から4本目"), QStringLiteral(u"数字キー4でも押せる"));
        row(4, "lblPoint(2)", QStringLiteral(u"スタート　左から3本目"), QString());
        row(4, "linV(0)", QStringLiteral(u"縦線　左から1本目"), QString());
        row(4, "linH1(2)", QStringLiteral(u"横線　2本目と3本目の間　上から3段目"), QString());
        // どれが大きい？: each button is its digit (as the window opens: 9, 0, 3, 7), placed.
        row(5, "cmdNum(0)", QStringLiteral("9"), QStringLiteral(u"左上のボタン。その数字のキーでも押せる"));
        row(5, "cmdNum(3)", QStringLiteral("7"), QStringLiteral(u"右下のボタン。その数字のキーでも押せる"));
        // ●●●たたき: place and sign in words (as the window opens: ● on 7, ◆ on 18).
        row(6, "cmdAns(0)", QStringLiteral(u"1行1列"), QString());
        row(6, "cmdAns(7)", QStringLiteral(u"2行3列　まる"), QString());
        row(6, "cmdAns(18)", QStringLiteral(u"4行4列　ひしがた"), QString());
        // ぬけはな～に？: the cells (empty ones too) with their places, the digit buttons.
        row(8, "lblProb(1)", QStringLiteral("1"), QStringLiteral(u"1行2列"));
        row(8, "lblProb(0)", QStringLiteral(u"空き"), QStringLiteral(u"1行1列"));
        row(8, "cmdAns(4)", QStringLiteral("5"), QStringLiteral(u"数字キーでも押せる"));
        // ながいのど～れ？: the lines are the question, so their lengths are not read.
        row(9, "fraProb", QStringLiteral(u"７本の線"), QStringLiteral(u"いちばん長い線を探す"));
        row(9, "cmdAns(6)", QStringLiteral(u"左から7本目の線"), QStringLiteral(u"数字キー7でも押せる"));
        // じゃんけんぽん: a hand button is its hand; the opponent's hand is shown, not the answer.
        row(10, "cmdGCP(0)", QStringLiteral(u"グー"), QStringLiteral(u"数字キー1でも押せる"));
        row(10, "cmdGCP(1)", QStringLiteral(u"チョキ"), QStringLiteral(u"数字キー2でも押せる"));
        row(10, "cmdGCP(2)", QStringLiteral(u"パー"), QStringLiteral(u"数字キー3でも押せる"));
        row(10, "picGCP", QStringLiteral(u"相手の手　パー"), QString());
        row(10, "lblKM", QStringLiteral(u"負けた"), QString());
        // これ、いくら？: a coin place by its place only; reading the coins would answer.
        row(11, "picProb(0)", QStringLiteral(u"上の段　左から1番目"), QString());
        row(11, "picProb(7)", QStringLiteral(u"下の段　左から4番目"), QString());
        row(11, "txtAns", QStringLiteral(u"合計金額"), QStringLiteral(u"円の数字を入れてEnterキー"));
        row(11, "lblYen", QStringLiteral(u"円"), QString());
        // いま、なんじ？: the clock without its time.
        row(12, "picBase", QStringLiteral(u"時計"), QString());
        row(12, "txtAns", QStringLiteral(u"時刻"), QStringLiteral(u"4桁の数字を入れてEnterキー"));
        row(12, "lblAMPM", QStringLiteral(u"午後"), QString());
        // えんざんし: the operators in words, the "?" as a question.
        row(13, "cmdEnzansi(0)", QStringLiteral(u"たす"), QStringLiteral(u"数字キー1でも押せる"));
        row(13, "cmdEnzansi(1)", QStringLiteral(u"ひく"), QStringLiteral(u"数字キー2でも押せる"));
        row(13, "cmdEnzansi(2)", QStringLiteral(u"わる"), QStringLiteral(u"数字キー3でも押せる"));
        row(13, "cmdEnzansi(3)", QStringLiteral(u"かける"), QStringLiteral(u"数字キー4でも押せる"));
        row(13, "Label3", QStringLiteral(u"どの演算子？"), QString());
        // とどうふけん: a silhouette by its place only; its prefecture is the question.
        row(14, "cmdPic(0)", QStringLiteral(u"左から1番目のシルエット"), QStringLiteral(u"数字キー1でも押せる"));
        row(14, "cmdPic(3)", QStringLiteral(u"左から4番目のシルエット"), QStringLiteral(u"数字キー4でも押せる"));
        row(14, "lblName(1)", QStringLiteral(u"北海道"), QString());
    }
    void names()
    {
        QFETCH(int, exercise);
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QVERIFY(fx.open(exercise));
        QWidget *widget = this->control(control);
        QVERIFY(accessible(widget));
        QCOMPARE(spokenName(widget), name);
        // An empty description is a claim too: nothing more is read there.
        QCOMPARE(spokenDescription(widget), description);
        if (qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(accessible(widget)->role(), QAccessible::Button);
    }

    // Nothing the player sees is silent: every control but the bare frames that
    // hold others has a name, and the window's own name is its title.
    void everyControlIsNamed_data()
    {
        QTest::addColumn<int>("exercise");
        for (int exercise : windows())
            QTest::addRow("exercise %d", exercise) << exercise;
    }
    void everyControlIsNamed()
    {
        QFETCH(int, exercise);
        QVERIFY(fx.open(exercise));
        // The title, a title of signs in words.
        const QMap<int, QString> inWords = {{6, QStringLiteral(u"まるたたき")},
                                            {8, QStringLiteral(u"ぬけはなーに？")},
                                            {9, QStringLiteral(u"ながいのどーれ？")}};
        QCOMPARE(spokenName(fx.window.get()), inWords.value(exercise, exerciseTitles()[exercise]));
        // The first key a player presses starts the run.
        QCOMPARE(fx.window->focusWidget(), fx.button("cmdStart"));
        QStringList silent;
        int named = 0;
        const QList<QWidget *> widgets = fx.window->findChildren<QWidget *>();
        for (QWidget *widget : widgets) {
            const QMetaObject *kind = widget->metaObject();
            if (!widget->isVisibleTo(fx.window.get()) || kind == &QFrame::staticMetaObject
                || kind == &QWidget::staticMetaObject)
                continue;
            if (spokenName(widget).trimmed().isEmpty())
                silent.append(widget->objectName());
            else
                ++named;
        }
        QCOMPARE(silent, QStringList());
        // The nine common controls and at least the exercise's question and answer.
        QVERIFY(named >= 11);
    }

    // --- Names that follow the game -------------------------------------------

    void namesFollowTheQuestion()
    {
        QVERIFY(fx.open(6));
        fx.random.pushInt(3, 25); // ◆ on 3
        fx.random.pushInt(21, 25); // ● on 21
        fx.random.pushSeeded(6, 200);
        fx.clickStart();
        QCOMPARE(spokenName(control(QStringLiteral("cmdAns(3)"))), QStringLiteral(u"1行4列　ひしがた"));
        QCOMPARE(spokenName(control(QStringLiteral("cmdAns(21)"))), QStringLiteral(u"5行2列　まる"));
        QCOMPARE(spokenName(control(QStringLiteral("cmdAns(7)"))), QStringLiteral(u"2行3列"));
        QCOMPARE(spokenName(fx.button("cmdStart")), QStringLiteral(u"中止"));
        fx.ticks(12);
        fx.clickStart();
        // Stopped: the time reads as it stands.
        QCOMPARE(spokenName(control(QStringLiteral("lblTimer"))), QStringLiteral("1.2"));
        fx.clickStart();
        fx.clickStart();
        QCOMPARE(spokenName(fx.button("cmdStart")), QStringLiteral(u"開始"));
    }

    void boardNamesFollowThePresses()
    {
        QVERIFY(fx.open(2));
        fx.random.pushSeeded(2, 5000);
        fx.clickStart();
        for (int number = 1; number <= 3; ++number) {
            int index = 0;
            while (fx.button(qPrintable(QStringLiteral("cmdNum(%1)").arg(index)))->text() != QString::number(number))
                ++index;
            QPushButton *button = fx.button(qPrintable(QStringLiteral("cmdNum(%1)").arg(index)));
            QCOMPARE(spokenName(button), QString::number(number));
            fx.click(button);
            QCOMPARE(spokenName(button), QStringLiteral(u"%1　押した").arg(number));
        }
        QCOMPARE(spokenName(control(QStringLiteral("lblProbCnt"))), QStringLiteral(u"次は　4"));
    }

    void circlesFollowThePattern()
    {
        QVERIFY(fx.open(3));
        // Circles 1, 2 and 9 lit.
        for (int lit : {1, 1, 0, 0, 0, 0, 0, 0, 1})
            fx.random.pushInt(lit, 2);
        fx.clickStart();
        QCOMPARE(spokenName(control(QStringLiteral("shpPochi(0)"))), QStringLiteral(u"左から1番目の丸　光っている"));
        QCOMPARE(spokenName(control(QStringLiteral("shpPochi(2)"))), QStringLiteral(u"左から3番目の丸　消えている"));
        QCOMPARE(spokenName(control(QStringLiteral("shpPochi(8)"))), QStringLiteral(u"左から9番目の丸　光っている"));
        // Stopped, every circle goes out.
        fx.clickStart();
        QCOMPARE(spokenName(control(QStringLiteral("shpPochi(8)"))), QStringLiteral(u"左から9番目の丸　消えている"));
    }

    void opponentsHandFollowsTheQuestion()
    {
        QVERIFY(fx.open(10));
        fx.random.pushInt(0, 3); // rock
        fx.random.pushInt(0, 2); // the opponent won
        fx.clickStart();
        QCOMPARE(spokenName(control(QStringLiteral("picGCP"))), QStringLiteral(u"相手の手　グー"));
        QCOMPARE(spokenName(control(QStringLiteral("lblKM"))), QStringLiteral(u"勝った"));
    }

    void missingCellsFollowTheGrid()
    {
        QVERIFY(fx.open(8));
        fx.random.pushSeeded(80, 400);
        fx.clickStart();
        for (int cell = 0; cell < 25; ++cell) {
            auto *label = fx.control<QLabel>(QStringLiteral("lblProb(%1)").arg(cell));
            QCOMPARE(spokenName(label), label->text().isEmpty() ? QStringLiteral(u"空き") : label->text());
        }
    }

    // The menu's and the ranking screen's spaced-out captions read as words.
    void menuAndRankingScreen()
    {
        setUpGame();
        TempSettings settings;
        GameContext game;
        frmMain menu(game);
        QCOMPARE(spokenName(menu.findChild<QPushButton *>(QStringLiteral("cmdEnd"))), QStringLiteral(u"終了"));
        QCOMPARE(spokenName(menu.findChild<QPushButton *>(QStringLiteral("cmdMenu(1)"))), QStringLiteral(u"これは何色？"));
        // Its caption stays "●●●たたき"; it reads as a word.
        QCOMPARE(menu.findChild<QPushButton *>(QStringLiteral("cmdMenu(6)"))->text(), QStringLiteral(u"●●●たたき"));
        QCOMPARE(spokenName(menu.findChild<QPushButton *>(QStringLiteral("cmdMenu(6)"))), QStringLiteral(u"まるたたき"));
        frmRank ranking(game.ranking, nullptr);
        QCOMPARE(spokenName(ranking.findChild<QWidget *>(QStringLiteral("txtRank"))), QStringLiteral(u"順位表"));
        QCOMPARE(spokenName(ranking.findChild<QWidget *>(QStringLiteral("cmdClose"))), QStringLiteral(u"閉じる"));
        QCOMPARE(spokenName(ranking.findChild<QWidget *>(QStringLiteral("cmdClr"))), QStringLiteral(u"クリア"));
    }

    // --- Announcements --------------------------------------------------------

    // Each window's news goes to that window's own announcer, made only when
    // somebody follows it.
    void newsIsFollowedPerWindow()
    {
        QWidget first;
        QWidget second;
        auto *firstLabel = new QLabel(&first);
        auto *secondLabel = new QLabel(&second);
        first.show();
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first) && QTest::qWaitForWindowExposed(&second));
        A11y::announce(secondLabel, QStringLiteral(u"だれも聞いていない"));
        A11y::flush();
        QVERIFY(!first.findChild<A11y::Announcer *>());
        QVERIFY(!second.findChild<A11y::Announcer *>());

        A11y::Announcer &followed = A11y::announcerOf(&first);
        QCOMPARE(&A11y::announcerOf(&first), &followed);
        QSignalSpy announcedHere(&followed, &A11y::Announcer::announced);
        QSignalSpy toldHere(&followed, &A11y::Announcer::told);
        QSignalSpy toldThere(&A11y::announcerOf(&second), &A11y::Announcer::told);
        A11y::announce(firstLabel, QStringLiteral(u"正解"));
        A11y::flush();
        A11y::announce(secondLabel, QStringLiteral(u"不正解"));
        QCOMPARE(told(toldHere), QStringList{QStringLiteral(u"正解")});
        QCOMPARE(told(toldThere), QStringList{QStringLiteral(u"不正解")});
        QCOMPARE(announcedHere.size(), 1);
        QCOMPARE(announcedHere.first().at(0).value<QWidget *>(), firstLabel);
    }

    void markAndEndAreAnnounced()
    {
        QVERIFY(fx.open(9));
        QSignalSpy spy(&A11y::announcerOf(fx.window.get()), &A11y::Announcer::announced);
        QSignalSpy news(&A11y::announcerOf(fx.window.get()), &A11y::Announcer::told);
        fx.random.pushSeeded(9, 1000);
        fx.dialogs->answerText(QStringLiteral(u"よみあげ"));
        fx.clickStart();
        QCOMPARE(told(news), QStringList{QStringLiteral(u"あと　50問")});
        news.clear();
        auto *view = fx.control<LinesView>(QStringLiteral("fraProb"));
        auto press = [this](int line) { fx.click(fx.button(qPrintable(QStringLiteral("cmdAns(%1)").arg(line)))); };
        auto longest = [view] {
            const Longest::LineSet &lines = view->lines();
            return int(std::max_element(lines.begin(), lines.end(),
                                        [](auto a, auto b) { return a.length() < b.length(); })
                       - lines.begin());
        };
        auto shortest = [view] {
            const Longest::LineSet &lines = view->lines();
            return int(std::min_element(lines.begin(), lines.end(),
                                        [](auto a, auto b) { return a.length() < b.length(); })
                       - lines.begin());
        };

        // Right twice: told twice, though the words are alike; then wrong.
        // Each answer is one piece of news: the mark, then the questions left.
        press(longest());
        QCOMPARE(told(news), QStringList{QStringLiteral(u"正解。あと　49問")});
        press(longest());
        A11y::flush(); // each click is an event of its own
        press(shortest());
        QCOMPARE(announced(spy, "lblResult"),
                 (QStringList{QStringLiteral(u"正解"), QStringLiteral(u"正解"), QStringLiteral(u"不正解")}));
        QCOMPARE(told(news), (QStringList{QStringLiteral(u"正解。あと　49問"), QStringLiteral(u"正解。あと　48問"),
                                          QStringLiteral(u"不正解。あと　47問")}));
        // The news is the window's notification, as a screen reader reads it;
        // the focus stays on the answers.
        QWidget *box = news.last().at(0).value<QWidget *>();
        QCOMPARE(box->window(), fx.window.get());
        QCOMPARE(accessible(box)->role(), QAccessible::Notification);
        QCOMPARE(spokenName(box), QStringLiteral(u"不正解。あと　47問"));
        QVERIFY(box->isVisible());
        QVERIFY(fx.control<QWidget>(QStringLiteral("fraAns"))->isAncestorOf(fx.window->focusWidget()));
        QCOMPARE(spokenName(control(QStringLiteral("lblResult"))), QStringLiteral(u"不正解"));

        spy.clear();
        for (int q = 4; q <= 50; ++q) {
            fx.tick();
            press(longest());
            A11y::flush();
        }
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(announced(spy, "lblResult").size(), 47);
        // The end of the run: the mark, "おわり" and the time before the
        // ranking asks for a name; the place once it has.
        QCOMPARE(fx.text("lblTimer"), QStringLiteral("9.7"));
        const QStringList all = told(news);
        QCOMPARE(all.mid(all.size() - 2), (QStringList{QStringLiteral(u"正解。おわり。記録　9.7秒"), QStringLiteral(u"順位は1位")}));
        QCOMPARE(spokenName(control(QStringLiteral("lblProbCnt"))), QStringLiteral(u"おわり"));
        QCOMPARE(spokenName(fx.button("cmdStart")), QStringLiteral(u"開始"));
        // The next run's counter reads as it shows again.
        fx.clickStart();
        QCOMPARE(spokenName(control(QStringLiteral("lblProbCnt"))), QStringLiteral(u"あと　50問"));
    }

    // The question as a listener hears it when it is posed: what the player
    // sees in words, after the questions left.
    void questionIsTold_data()
    {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<QList<int>>("draws"); // pairs: value, choices
        QTest::addColumn<QString>("news");
        // The word "あか" in blue ink: the word first, then the ink to press.
        QTest::newRow("1 colour") << 1 << QList<int>{2, 5, 1, 5} << QStringLiteral(u"あと　50問。字は「あか」、色はあお");
        QTest::newRow("1 agree") << 1 << QList<int>{4, 5, 4, 5} << QStringLiteral(u"あと　50問。字は「みどり」、色はみどり");
        QTest::newRow("7 minus") << 7 << QList<int>{47, 90, 2, 9, 1, 2} << QStringLiteral(u"あと　50問。57　ひく　3");
        QTest::newRow("7 plus") << 7 << QList<int>{0, 90, 8, 9, 0, 2} << QStringLiteral(u"あと　50問。10　たす　9");
        // Coins by their look, top row then bottom, turned ones alike, never a value:
        // 500, -, -, 50 above; 500 turned, 10, 5, 1 below.
        QTest::newRow("11 coins") << 11 << QList<int>{24, 40, 25, 40, 0, 40, 12, 40, 30, 40, 8, 40, 16, 40, 4, 40}
                                  << QStringLiteral(u"あと　50問。硬貨6枚、大きくて金色、銀色で穴あき、大きくて金色、銅色、"
                                                    u"金色で穴あき、白くて小さい");
        QTest::newRow("11 none") << 11 << QList<int>{0, 40, 1, 40, 2, 40, 3, 40, 28, 40, 39, 40, 35, 40, 0, 40}
                                 << QStringLiteral(u"あと　50問。硬貨はなし");
        // Lit, not lit, left to right: the count is the player's.
        QTest::newRow("3 lamps") << 3 << QList<int>{1, 2, 0, 2, 0, 2, 1, 2, 1, 2, 0, 2, 0, 2, 0, 2, 1, 2}
                                 << QStringLiteral(u"あと　50問。左から　ぴか、なし、なし、ぴか、ぴか、なし、なし、なし、ぴか");
        // Rock, and the opponent lost.
        QTest::newRow("10 janken") << 10 << QList<int>{0, 3, 1, 2} << QStringLiteral(u"あと　50問。相手の手　グー、相手が負けた");
        // Four digits by place, their sizes unsaid.
        QTest::newRow("5 bigger") << 5 << QList<int>{0, 61, 3, 10, 60, 61, 7, 10, 30, 61, 0, 10, 10, 61, 9, 10}
                                  << QStringLiteral(u"あと　50問。左上　3、右上　7、左下　0、右下　9");
        // The ◆ on 3, the ● on 21.
        QTest::newRow("6 whack") << 6 << QList<int>{3, 25, 21, 25}
                                 << QStringLiteral(u"あと　50問。1行4列　ひしがた、5行2列　まる");
        // Every rung there, the star on the first line: the path is the player's to trace.
        QTest::newRow("4 ladder") << 4 << QList<int>{6, 7, 6, 7, 6, 7, 0, 4}
                                  << QStringLiteral(u"あと　50問。ほしは左から1本目。横線は上から　1段目　2と3の間、"
                                                    u"2段目　1と2の間、2段目　3と4の間、3段目　2と3の間、4段目　1と2の間、"
                                                    u"4段目　3と4の間、5段目　2と3の間、6段目　1と2の間、6段目　3と4の間");
        // 午後 3:05: the hands by the numerals, not the time.
        QTest::newRow("12 clock") << 12 << QList<int>{1, 2, 3, 12, 1, 12}
                                  << QStringLiteral(u"あと　50問。午後。短い針は3と4の間、長い針は1");
        // 10 ? 5 = 15, the operator hidden.
        QTest::newRow("13 operators") << 13 << QList<int>{0, 4, 14, 99, 5, 15}
                                      << QStringLiteral(u"あと　50問。10　なに　5　は　15");
        // 東京 asked on the third button, among 北海道, 沖縄 and 滋賀.
        QTest::newRow("14 prefectures")
            << 14 << QList<int>{12, 47, 2, 4, 0, 47, 46, 47, 24, 47}
            << QStringLiteral(u"あと　50問。とうきょう、東京。1、日本のいちばん北の大きな島。2、九州のずっと南、細長い島。"
                              u"3、関東の南、東西に細長く東の端が湾。4、近畿の内陸、まん中に大きな湖");
    }
    void questionIsTold()
    {
        QFETCH(int, exercise);
        QFETCH(QList<int>, draws);
        QFETCH(QString, news);
        QVERIFY(fx.open(exercise));
        for (int i = 0; i + 1 < draws.size(); i += 2)
            fx.random.pushInt(draws[i], draws[i + 1]);
        fx.random.pushSeeded(uint(exercise), 400);
        QSignalSpy spy(&A11y::announcerOf(fx.window.get()), &A11y::Announcer::told);
        fx.clickStart();
        QCOMPARE(told(spy), QStringList{news});
        // Stopped: told so, on 開　始, where the focus went.
        spy.clear();
        fx.clickStart();
        QCOMPARE(told(spy), QStringList{QStringLiteral(u"中止しました")});
    }

    // Once a run is under way the controls that hold the answer still read
    // as their place only, and nothing in the window names the answer.
    void answersStayHidden()
    {
        QVERIFY(fx.open(11));
        // 500, 500 turned, -, 10, -, 5, 50, 1: 1066 yen.
        for (int slot : {24, 25, 0, 12, 30, 8, 16, 4})
            fx.random.pushInt(slot, 40);
        fx.random.pushSeeded(11, 400);
        fx.clickStart();
        A11y::flush();
        const QStringList places = {QStringLiteral(u"上の段　左から1番目"), QStringLiteral(u"下の段　左から1番目"),
                                    QStringLiteral(u"上の段　左から2番目"), QStringLiteral(u"下の段　左から2番目"),
                                    QStringLiteral(u"上の段　左から3番目"), QStringLiteral(u"下の段　左から3番目"),
                                    QStringLiteral(u"上の段　左から4番目"), QStringLiteral(u"下の段　左から4番目")};
        for (int place = 0; place < 8; ++place) {
            QWidget *picture = control(QStringLiteral("picProb(%1)").arg(place));
            QCOMPARE(spokenName(picture), places[place]);
            QCOMPARE(spokenDescription(picture), QString());
        }
        const QList<QWidget *> widgets = fx.window->findChildren<QWidget *>();
        for (QWidget *widget : widgets) {
            const QString heard = spokenName(widget) + QLatin1Char(' ') + spokenDescription(widget);
            QVERIFY2(!heard.contains(QStringLiteral("1066")), qPrintable(widget->objectName() + heard));
            QVERIFY2(!heard.contains(u'円') || widget->objectName() == QStringLiteral("lblYen")
                         || widget->objectName() == QStringLiteral("txtAns"),
                     qPrintable(widget->objectName() + heard));
        }

        fx.close();
        QVERIFY(fx.open(14));
        // 東京 asked on the third button, among 北海道, 沖縄 and 滋賀.
        for (auto [value, choices] : {std::pair{12, 47}, {2, 4}, {0, 47}, {46, 47}, {24, 47}})
            fx.random.pushInt(value, choices);
        fx.random.pushSeeded(14, 400);
        fx.clickStart();
        A11y::flush();
        const QStringList shown = {QStringLiteral(u"北海道"), QStringLiteral(u"ほっかいどう"), QStringLiteral(u"沖縄"),
                                   QStringLiteral(u"おきなわ"), QStringLiteral(u"東京"), QStringLiteral(u"とうきょう"),
                                   QStringLiteral(u"滋賀"), QStringLiteral(u"しが")};
        for (int i = 0; i < 4; ++i) {
            QWidget *button = control(QStringLiteral("cmdPic(%1)").arg(i));
            QCOMPARE(spokenName(button), QStringLiteral(u"左から%1番目のシルエット").arg(i + 1));
            const QString description = spokenDescription(button);
            for (const QString &name : shown)
                QVERIFY2(!description.contains(name) || description.startsWith(QStringLiteral(u"あと")),
                         qPrintable(description));
        }
    }

    // The stopwatch tells nobody of its ticks; its time is told when asked.
    void stopwatchIsQuietUntilAsked()
    {
        QVERIFY(fx.open(7));
        fx.random.pushSeeded(7, 400);
        fx.clickStart();
        A11y::flush();
        QWidget *timer = control(QStringLiteral("lblTimer"));
        static QList<QAccessible::Event> *heard = nullptr;
        static QObject *watched = nullptr;
        QList<QAccessible::Event> events;
        heard = &events;
        watched = timer;
        QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            if (heard && event->object() == watched)
                heard->append(event->type());
        });
        fx.ticks(23);
        QAccessible::installUpdateHandler(nullptr);
        heard = nullptr;
        QCOMPARE(events, QList<QAccessible::Event>());
        QSignalSpy spy(&A11y::announcerOf(fx.window.get()), &A11y::Announcer::told);
        const QList<QShortcut *> shortcuts = fx.window->findChildren<QShortcut *>();
        for (QShortcut *shortcut : shortcuts)
            if (shortcut->key() == QKeySequence(Qt::Key_F6))
                emit shortcut->activated();
        QCOMPARE(told(spy), QStringList{QStringLiteral(u"経過時間　2.3秒")});
        QCOMPARE(spokenName(timer), QStringLiteral("2.3"));
    }

    // Every silhouette has words of its own, none with the name it stands for.
    void shapeWordsKeepTheName()
    {
        const Prefectures::Table table = Prefectures::buildTable();
        QStringList seen;
        for (int row = 0; row < Prefectures::Count; ++row) {
            const QString words = Prefectures::shapeWords(row);
            QVERIFY(!words.isEmpty());
            QVERIFY2(!seen.contains(words), qPrintable(words));
            seen.append(words);
            for (const Prefectures::Row &prefecture : table)
                // (A two-kana reading may stand inside an ordinary word: ちば in いちばん.)
                QVERIFY2(!words.contains(prefecture.name)
                             && (prefecture.reading.size() < 3 || !words.contains(prefecture.reading)),
                         qPrintable(words + QLatin1Char(' ') + prefecture.name));
        }
    }
};

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
