// Playing without the mouse: the one Start/Stop key of every exercise
// window, each exercise's answer keys, the focus the arrow keys move and the
// mark that shows it, and whole runs played by key events alone.

#include "exercises/01_colour/colour.h"
#include "exercises/04_ladder/ladder.h"
#include "exercises/09_longest/linesview.h"
#include "exercises/10_janken/hands.h"
#include "exercises/11_coins/coinpictures.h"
#include "exercises/11_coins/coins.h"
#include "exercises/12_clock/clockpicture.h"
#include "exercises/14_prefectures/prefectures.h"
#include "exercises/14_prefectures/silhouettes.h"
#include "support/prefecturetable.h"
#include "support/trainerfixture.h"
#include "ui/circleshape.h"
#include "ui/keys.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

// Qt's own entry for shortcut keys, as its test library uses it; here to send
// the repeats of a key held down.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject *o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString &text, bool autorep, ushort count);

namespace {

// The answer area of each exercise window, the control a run enables.
const char *answerArea(int exercise)
{
    switch (exercise) {
    case 1:
        return "fraColor";
    case 2:
    case 3:
        return "fraNum";
    case 7:
    case 12:
        return "txtAns";
    case 13:
        return "fraEnzansi";
    default:
        return "fraAns";
    }
}

// A number typed key by key, then Enter.
QList<QKeyCombination> typed(const QString &digits)
{
    QList<QKeyCombination> keys;
    for (const QChar digit : digits)
        keys.append(Qt::Key(Qt::Key_0 + digit.digitValue()));
    keys.append(Qt::Key_Return);
    return keys;
}

// Arrow keys the short way round a grid of columns x rows from one button to
// another, then Enter.
QList<QKeyCombination> arrowsTo(int from, int to, int columns, int rows)
{
    QList<QKeyCombination> keys;
    const int down = ((to / columns - from / columns) % rows + rows) % rows;
    const int across = ((to % columns - from % columns) % columns + columns) % columns;
    for (int i = 0; i < std::min(down, rows - down); ++i)
        keys.append(down * 2 <= rows ? Qt::Key_Down : Qt::Key_Up);
    for (int i = 0; i < std::min(across, columns - across); ++i)
        keys.append(across * 2 <= columns ? Qt::Key_Right : Qt::Key_Left);
    keys.append(Qt::Key_Return);
    return keys;
}

int indexInName(const QWidget *widget)
{
    const QString name = widget->objectName();
    return name.mid(name.indexOf(QLatin1Char('(')) + 1).chopped(1).toInt();
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private:
    TrainerFixture<TrainerWindow> fx;

    bool open(int exercise)
    {
        if (!fx.open(exercise))
            return false;
        fx.window->activateWindow();
        return QTest::qWaitForWindowActive(fx.window.get());
    }

    // A key as the keyboard sends it: to whatever has the focus.
    static QWidget *focused() { return QApplication::focusWidget(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = focused() ? focused() : fx.window.get();
        QTest::keyClick(target, key, modifiers);
    }
    // The repeats a key sends while it is held down.
    void holdRepeats(Qt::Key key, int count)
    {
        QWidget *target = focused() ? focused() : fx.window.get();
        for (int i = 0; i < count; ++i)
            qt_sendShortcutOverrideEvent(target, 0, key, Qt::NoModifier, QString(), true, 1);
    }

    QPushButton *button(const QString &name) { return fx.control<QPushButton>(name); }
    bool running() { return fx.button("cmdStart")->text() == QStringLiteral(u"中　止"); }
    int questionsLeft() { return fx.window->QuestionsLeft(); }

    // The keys that answer the question on screen right, found as a player
    // finds them: by looking at the window.
    QList<QKeyCombination> rightAnswer(int exercise)
    {
        switch (exercise) {
        case 1: {
            // The ink, by its place in the row of colours.
            const QRgb ink = fx.label("lblProb")->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF;
            const auto &colours = Colour::ColourTable;
            return {Qt::Key(Qt::Key_0 + int(std::find(colours.begin() + 1, colours.end(), ink) - colours.begin()))};
        }
        case 2: {
            // The next number's button, reached with the arrows from the focused one.
            const QString next = fx.text("lblProbCnt").mid(3);
            int target = 0;
            while (button(QStringLiteral("cmdNum(%1)").arg(target))->text() != next)
                ++target;
            return arrowsTo(indexInName(focused()), target, 8, 6);
        }
        case 3: {
            int lit = 0;
            for (int i = 0; i < 9; ++i)
                lit += fx.control<CircleShape>(QStringLiteral("shpPochi(%1)").arg(i))->isOpaque() ? 1 : 0;
            return {Qt::Key(Qt::Key_0 + lit)};
        }
        case 4: {
            Ladder::GhostLeg ladder;
            for (int gap = 0; gap < Ladder::Gaps; ++gap) {
                for (int level = 0; level < Ladder::Levels; ++level) {
                    if (fx.control<QWidget>(QStringLiteral("linH%1(%2)").arg(gap).arg(level))->isVisible()) {
                        ladder.move[gap][level] = +1;
                        ladder.move[gap + 1][level] = -1;
                    }
                }
            }
            int start = 0;
            while (!fx.control<QLabel>(QStringLiteral("lblPoint(%1)").arg(start))->isVisible())
                ++start;
            return {Qt::Key(Qt::Key_1 + ladder.follow(start))};
        }
        case 5: {
            int largest = 0;
            for (int i = 0; i < 4; ++i)
                largest = std::max(largest, button(QStringLiteral("cmdNum(%1)").arg(i))->text().toInt());
            return {Qt::Key(Qt::Key_0 + largest)};
        }
        case 6: {
            int mark = 0;
            while (button(QStringLiteral("cmdAns(%1)").arg(mark))->text() != QStringLiteral(u"●"))
                ++mark;
            return arrowsTo(indexInName(focused()), mark, 5, 5);
        }
        case 7: {
            const QStringList sum = fx.text("lblProb").split(QLatin1Char(' '));
            const int a = sum[0].toInt();
            const int b = sum[2].toInt();
            return typed(QString::number(sum[1] == QStringLiteral("+") ? a + b : a - b));
        }
        case 8: {
            // The digit no cell shows, on the keypad.
            QList<bool> seen(10);
            for (int cell = 0; cell < 25; ++cell)
                seen[fx.text(qPrintable(QStringLiteral("lblProb(%1)").arg(cell))).toInt()] = true;
            int missing = 1;
            while (seen[missing])
                ++missing;
            return {Qt::KeypadModifier | Qt::Key(Qt::Key_0 + missing)};
        }
        case 9: {
            const Longest::LineSet &lines = fx.control<LinesView>(QStringLiteral("fraProb"))->lines();
            const auto longest = std::max_element(lines.begin(), lines.end(), [](auto a, auto b) {
                return a.length() < b.length();
            });
            return {Qt::Key(Qt::Key_1 + int(longest - lines.begin()))};
        }
        case 10: {
            // "勝った": the hand the shown one beats; "負けた": the hand that beats it.
            const int shown = fx.control<HandPicture>(QStringLiteral("picGCP"))->hand();
            const bool opponentWon = fx.text("lblKM") == QStringLiteral(u"勝った");
            return {Qt::Key(Qt::Key_1 + (shown + (opponentWon ? 1 : 2)) % 3)};
        }
        case 11: {
            // Each picture slot's worth as the coin on it reads: blank, then
            // four turns each of 1, 5, 10, 50, 100 and 500 yen.
            static constexpr std::array<int, 28> SlotYen = {
                0, 0, 0, 0, 1, 1, 1, 1, 5, 5, 5, 5, 10, 10, 10, 10,
                50, 50, 50, 50, 100, 100, 100, 100, 500, 500, 500, 500};
            int total = 0;
            for (int place = 0; place < 8; ++place)
                total += SlotYen.at(fx.control<CoinPicture>(QStringLiteral("picProb(%1)").arg(place))->slot());
            return typed(QString::number(total));
        }
        case 12: {
            const Clock::Hands hands = fx.control<ClockPicture>(QStringLiteral("picBase"))->hands();
            const int minute = (hands.minuteAngle + 90) / 6;
            const int hour = (hands.hourAngle + 90) / 30;
            const int half = fx.text("lblAMPM") == QStringLiteral(u"午後") ? 1 : 0;
            return typed(QStringLiteral("%1").arg((half * 12 + hour) * 100 + minute, 4, 10, QLatin1Char('0')));
        }
        case 13: {
            // The first operator, in the order shown (＋ － ÷ ×), that makes the equation true.
            const int a = fx.text("lblVal1").toInt();
            const int b = fx.text("lblVal2").toInt();
            const int c = fx.text("lblVal3").toInt();
            const QList<bool> holds = {a + b == c, a - b == c, b != 0 && a == b * c, a * b == c};
            return {Qt::Key(Qt::Key_1 + int(holds.indexOf(true)))};
        }
        case 14: {
            // The named prefecture's row in the table as written out by hand.
            const int row = WrittenPrefectures::rowNamed(fx.text("lblName(1)"));
            for (int place = 0; place < 4; ++place)
                if (fx.control<SilhouetteButton>(QStringLiteral("cmdPic(%1)").arg(place))->pictureIndex() == row)
                    return {Qt::Key(Qt::Key_1 + place)};
            return {}; // no button shows it
        }
        }
        return {};
    }

private slots:
    void cleanup() { fx.close(); }

    // --- Start and stop ---------------------------------------------------

    void startStopKey_data()
    {
        QTest::addColumn<int>("exercise");
        for (int exercise = 1; exercise <= exerciseCount(); ++exercise)
            QTest::addRow("exercise %d", exercise) << exercise;
    }
    void startStopKey()
    {
        QFETCH(int, exercise);
        QVERIFY(open(exercise));
        const char *area = answerArea(exercise);
        QCOMPARE(Keys::startStop(), QKeySequence(Qt::Key_F5));
        QVERIFY(fx.button("cmdStart")->toolTip().contains(QStringLiteral("F5")));

        fx.random.pushSeeded(7, 5000);
        fx.button("cmdEnd")->setFocus();
        press(Qt::Key_F5);
        QVERIFY(fx.showsRunning(area));
        // The run begins among the answers, away from 中　止.
        QWidget *answers = fx.control<QWidget>(QString::fromLatin1(area));
        QVERIFY(focused() == answers || answers->isAncestorOf(focused()));

        // Held down, the key still stops only once.
        press(Qt::Key_F5);
        holdRepeats(Qt::Key_F5, 3);
        QVERIFY(fx.showsIdle(area));
        QCOMPARE(focused(), fx.button("cmdStart"));

        press(Qt::Key_F5);
        QVERIFY(fx.showsRunning(area));
        QCOMPARE(fx.random.reseeds, 2);
    }

    // --- Answer keys --------------------------------------------------------

    void numberKeysPressTheRow_data()
    {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<int>("choices");
        QTest::newRow("ladder") << 4 << 4;
        QTest::newRow("lines") << 9 << 7;
    }
    void numberKeysPressTheRow()
    {
        QFETCH(int, exercise);
        QFETCH(int, choices);
        QVERIFY(open(exercise));
        QList<QSignalSpy *> spies;
        for (int i = 0; i < choices; ++i)
            spies.append(new QSignalSpy(button(QStringLiteral("cmdAns(%1)").arg(i)), &QPushButton::clicked));
        auto clicks = [&] {
            QList<int> counts;
            for (QSignalSpy *spy : spies)
                counts.append(int(spy->count()));
            return counts;
        };

        // Idle: the answers cannot be pressed, by mouse or by key.
        press(Qt::Key_1);
        QCOMPARE(clicks(), QList<int>(choices, 0));

        fx.random.pushSeeded(11, 400);
        fx.clickStart();
        QList<int> expected(choices, 0);
        for (int i = 0; i < choices; ++i) {
            press(Qt::Key(Qt::Key_1 + i), i % 2 ? Qt::KeypadModifier : Qt::NoModifier);
            ++expected[i];
            QCOMPARE(clicks(), expected);
            QCOMPARE(focused(), button(QStringLiteral("cmdAns(%1)").arg(i)));
        }
        // Keys beyond the row and 0 press nothing; a key held down presses once.
        press(Qt::Key(Qt::Key_1 + choices));
        press(Qt::Key_0);
        holdRepeats(Qt::Key_1, 3);
        QCOMPARE(clicks(), expected);
        QCOMPARE(questionsLeft(), 50 - choices);
        qDeleteAll(spies);
    }

    void digitKeysPressTheShownDigit()
    {
        QVERIFY(open(5));
        // Sizes and digits of the four buttons: 5, 7, 3 and 9.
        for (int digit : {5, 7, 3, 9}) {
            fx.random.pushInt(30, 61);
            fx.random.pushInt(digit, 10);
        }
        fx.random.pushSeeded(2, 400);
        fx.clickStart();
        // A digit on no button does nothing.
        press(Qt::Key_4);
        QCOMPARE(questionsLeft(), 50);
        press(Qt::Key_7);
        QCOMPARE(fx.text("lblResult"), QStringLiteral(u"×"));
        QCOMPARE(questionsLeft(), 49);
        QCOMPARE(focused(), button(QStringLiteral("cmdNum(1)")));
    }

    void arrowKeysGoRoundTheBoard()
    {
        QVERIFY(open(6));
        fx.random.pushSeeded(4, 400);
        press(Qt::Key_F5);
        QCOMPARE(focused(), button(QStringLiteral("cmdAns(0)")));
        const QList<std::pair<Qt::Key, int>> moves = {
            {Qt::Key_Left, 4}, {Qt::Key_Up, 24}, {Qt::Key_Right, 20}, {Qt::Key_Down, 0},
            {Qt::Key_Down, 5}, {Qt::Key_Right, 6}, {Qt::Key_Right, 7}, {Qt::Key_Up, 2},
        };
        auto *ring = fx.control<QWidget>(QStringLiteral("focusRing"));
        for (const auto &[key, to] : moves) {
            press(key);
            QCOMPARE(focused(), button(QStringLiteral("cmdAns(%1)").arg(to)));
            // The plain board buttons get the ring laid over them.
            QVERIFY(ring->isVisible());
            QCOMPARE(ring->geometry(), focused()->geometry());
        }
        const QImage board = fx.control<QWidget>(QStringLiteral("fraAns"))->grab().toImage();
        const QRect marked = focused()->geometry();
        QCOMPARE(board.pixelColor(marked.left() + 2, marked.center().y()), QColor(Qt::black));
        QCOMPARE(board.pixelColor(marked.left() + 4, marked.center().y()), QColor(Qt::white));
        QCOMPARE(questionsLeft(), 50);
        // Enter and Space press the focused button.
        const bool markThere = button(QStringLiteral("cmdAns(2)"))->text() == QStringLiteral(u"●");
        press(Qt::Key_Return);
        QCOMPARE(questionsLeft(), 49);
        QCOMPARE(fx.text("lblResult"), markThere ? QStringLiteral(u"○") : QStringLiteral(u"×"));
        press(Qt::Key_Space);
        QCOMPARE(questionsLeft(), 48);
    }

    // --- The focus mark -----------------------------------------------------

    void focusMarkOnPaintedButtons_data()
    {
        QTest::addColumn<int>("exercise");
        QTest::addColumn<QString>("buttonName");
        QTest::newRow("black colour button") << 1 << QStringLiteral("cmdColor(1)");
        QTest::newRow("yellow number button") << 2 << QStringLiteral("cmdNum(9)");
        QTest::newRow("grey ladder button") << 4 << QStringLiteral("cmdAns(1)");
        QTest::newRow("digit button") << 5 << QStringLiteral("cmdNum(2)");
        QTest::newRow("hand button") << 10 << QStringLiteral("cmdGCP(1)");
        QTest::newRow("silhouette button") << 14 << QStringLiteral("cmdPic(2)");
    }
    void focusMarkOnPaintedButtons()
    {
        QFETCH(int, exercise);
        QFETCH(QString, buttonName);
        QVERIFY(open(exercise));
        QPushButton *target = button(buttonName);
        const QImage unfocused = target->grab().toImage().scaled(target->size());

        // Focus from a click leaves the face as the mouse game has it.
        fx.window->setAttribute(Qt::WA_KeyboardFocusChange, false);
        target->setFocus(Qt::MouseFocusReason);
        QImage clicked = target->grab().toImage().scaled(target->size());
        QCOMPARE(clicked.pixelColor(2, target->height() / 2), unfocused.pixelColor(2, target->height() / 2));

        // Focus from the keyboard: a black ring, then a white one, just inside the edge.
        fx.random.pushSeeded(1, 5000);
        press(Qt::Key_F5);
        target->setFocus(Qt::TabFocusReason);
        const QImage marked = target->grab().toImage().scaled(target->size());
        const int middle = target->height() / 2;
        for (int x : {2, 3})
            QCOMPARE(marked.pixelColor(x, middle), QColor(Qt::black));
        for (int x : {4, 5})
            QCOMPARE(marked.pixelColor(x, middle), QColor(Qt::white));
        QCOMPARE(marked.pixelColor(target->width() / 2, 2), QColor(Qt::black));
        QCOMPARE(marked.pixelColor(target->width() / 2, target->height() - 5), QColor(Qt::white));
    }

    // --- Whole runs -----------------------------------------------------------

    void wholeRunByKeys_data()
    {
        QTest::addColumn<int>("exercise");
        QTest::newRow("これは何色？: number keys") << 1;
        QTest::newRow("数字順番押し: arrow keys and Enter") << 2;
        QTest::newRow("光ってるのは何個？: digit keys") << 3;
        QTest::newRow("あみだくじ: number keys") << 4;
        QTest::newRow("どれが大きい？: digit keys") << 5;
        QTest::newRow("●●●たたき: arrow keys and Enter") << 6;
        QTest::newRow("かげんざん: typed, Enter") << 7;
        QTest::newRow("ぬけはな～に？: keypad digits") << 8;
        QTest::newRow("ながいのど～れ？: number keys") << 9;
        QTest::newRow("じゃんけんぽん: number keys") << 10;
        QTest::newRow("これ、いくら？: typed, Enter") << 11;
        QTest::newRow("いま、なんじ？: typed, Enter") << 12;
        QTest::newRow("えんざんし: number keys") << 13;
        QTest::newRow("とどうふけん: number keys") << 14;
    }
    void wholeRunByKeys()
    {
        QFETCH(int, exercise);
        QVERIFY(open(exercise));
        fx.random.pushSeeded(quint32(exercise), 4000);
        fx.dialogs->answerText(QStringLiteral(u"キーボード"));

        press(Qt::Key_F5);
        QVERIFY(running());
        // 数字順番押し is one board of 48 numbers; the others are 50 questions.
        const int answers = exercise == 2 ? 48 : 50;
        for (int q = 1; q <= answers; ++q) {
            fx.tick();
            const QList<QKeyCombination> keys = rightAnswer(exercise);
            QVERIFY(!keys.isEmpty());
            for (const QKeyCombination key : keys)
                press(key.key(), key.keyboardModifiers());
            QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        }

        QVERIFY(fx.showsIdle(answerArea(exercise)));
        QCOMPARE(focused(), fx.button("cmdStart"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
