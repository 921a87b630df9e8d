// What a screen reader finds in the exercise windows: every control named in
// Japanese words, read through QAccessible as assistive technology reads it;
// pictures and lines named without giving the answer away; the mark and the
// end of a run announced as they happen.

#include "app/frmmain.h"
#include "exercises/09_longest/linesview.h"
#include "ranking/frmrank.h"
#include "support/trainerfixture.h"
#include "ui/a11y.h"

#include <QAccessible>
#include <QApplication>
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
    void cleanup() { fx.close(); }

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
            row("lblTimer") << QStringLiteral(u"経過時間　0.0秒") << QStringLiteral(u"今の記録。間違えると５秒加算");
            row("cmdRank") << QStringLiteral(u"順位") << QStringLiteral(u"この練習の順位表を見る");
            row("cmdStart") << QStringLiteral(u"開始") << QStringLiteral(u"開始と中止。F5キーでどこからでも押せる");
            row("cmdEnd") << QStringLiteral(u"終了") << QStringLiteral(u"ウィンドウを閉じてメニューに戻る");
        }

        const auto row = [](int exercise, const char *control, const QString &name, const QString &description) {
            QTest::addRow("%d %s", exercise, control) << exercise << QString::fromLatin1(control) << name << description;
        };
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
        if (!description.isEmpty())
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
        QCOMPARE(spokenName(fx.window.get()), exerciseTitles()[exercise]);
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
        QCOMPARE(spokenName(control(QStringLiteral("lblTimer"))), QStringLiteral(u"経過時間　1.2秒"));
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
        frmMain menu;
        QCOMPARE(spokenName(menu.findChild<QPushButton *>(QStringLiteral("cmdEnd"))), QStringLiteral(u"終了"));
        QCOMPARE(spokenName(menu.findChild<QPushButton *>(QStringLiteral("cmdMenu(1)"))), QStringLiteral(u"これは何色？"));
        frmRank ranking(rankStore(), nullptr);
        QCOMPARE(spokenName(ranking.findChild<QWidget *>(QStringLiteral("txtRank"))), QStringLiteral(u"順位表"));
        QCOMPARE(spokenName(ranking.findChild<QWidget *>(QStringLiteral("cmdClose"))), QStringLiteral(u"閉じる"));
        QCOMPARE(spokenName(ranking.findChild<QWidget *>(QStringLiteral("cmdClr"))), QStringLiteral(u"クリア"));
    }

    // --- Announcements --------------------------------------------------------

    void markAndEndAreAnnounced()
    {
        QVERIFY(fx.open(9));
        QSignalSpy spy(&A11y::announcer(), &A11y::Announcer::announced);
        fx.random.pushSeeded(9, 1000);
        fx.dialogs->answerText(QStringLiteral(u"よみあげ"));
        fx.clickStart();
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

        // Right twice: told twice, though the name stays the same; then wrong.
        press(longest());
        press(longest());
        press(shortest());
        QCOMPARE(announced(spy, "lblResult"),
                 (QStringList{QStringLiteral(u"正解"), QStringLiteral(u"正解"), QStringLiteral(u"不正解")}));
        QCOMPARE(spokenName(control(QStringLiteral("lblResult"))), QStringLiteral(u"不正解"));
        QCOMPARE(announced(spy, "lblProbCnt"), QStringList());

        spy.clear();
        for (int q = 4; q <= 50; ++q) {
            fx.tick();
            press(longest());
        }
        QVERIFY(fx.showsIdle("fraAns"));
        QCOMPARE(announced(spy, "lblResult").size(), 47);
        // The end of the run: "おわり", then the time.
        QCOMPARE(fx.text("lblTimer"), QStringLiteral("9.7"));
        QCOMPARE(announced(spy, "lblProbCnt"), QStringList{QStringLiteral(u"おわり")});
        QCOMPARE(announced(spy, "lblTimer"), QStringList{QStringLiteral(u"経過時間　9.7秒")});
        QCOMPARE(spokenName(control(QStringLiteral("lblProbCnt"))), QStringLiteral(u"おわり"));
        QCOMPARE(spokenName(fx.button("cmdStart")), QStringLiteral(u"開始"));
        // The next run's counter reads as it shows again.
        fx.clickStart();
        QCOMPARE(spokenName(control(QStringLiteral("lblProbCnt"))), QStringLiteral(u"あと　50問"));
    }
};

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
