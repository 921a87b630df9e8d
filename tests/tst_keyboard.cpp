// Playing without the mouse: the one Start/Stop key of every exercise
// window, each exercise's answer keys, the focus the arrow keys move and the
// mark that shows it, and whole runs played by key events alone.

#include "exercises/04_ladder/ladder.h"
#include "exercises/09_longest/linesview.h"
#include "support/trainerfixture.h"
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
            // Arrow keys the short way round from the focused button to the "●", then Enter.
            int mark = 0;
            while (button(QStringLiteral("cmdAns(%1)").arg(mark))->text() != QStringLiteral(u"●"))
                ++mark;
            const int from = focused()->objectName().mid(7).chopped(1).toInt();
            QList<QKeyCombination> keys;
            const int down = (mark / 5 - from / 5 + 5) % 5;
            const int across = (mark % 5 - from % 5 + 5) % 5;
            for (int i = 0; i < (down <= 2 ? down : 5 - down); ++i)
                keys.append(down <= 2 ? Qt::Key_Down : Qt::Key_Up);
            for (int i = 0; i < (across <= 2 ? across : 5 - across); ++i)
                keys.append(across <= 2 ? Qt::Key_Right : Qt::Key_Left);
            keys.append(Qt::Key_Return);
            return keys;
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
        }
        return {};
    }

private slots:
    void cleanup() { fx.close(); }

    // --- Start and stop ---------------------------------------------------

    void startStopKey_data()
    {
        QTest::addColumn<int>("exercise");
        for (int exercise : {1, 2, 3, 4, 5, 6, 8, 9})
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
        QVERIFY(fx.control<QWidget>(QString::fromLatin1(area))->isAncestorOf(focused()));

        // Held down, the key still stops only once.
        press(Qt::Key_F5);
        holdRepeats(Qt::Key_F5, 3);
        QVERIFY(fx.showsIdle(area));
        QCOMPARE(focused(), fx.button("cmdStart"));

        press(Qt::Key_F5);
        QVERIFY(fx.showsRunning(area));
        QCOMPARE(fx.random.reseeds, 2);
    }

    void escapeKeepsTheRun()
    {
        QVERIFY(open(4));
        fx.random.pushSeeded(3, 100);
        press(Qt::Key_F5);
        press(Qt::Key_Escape);
        QVERIFY(fx.window->isVisible());
        QVERIFY(running());
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
        // Keys beyond the row and 0 press nothing.
        press(Qt::Key(Qt::Key_1 + choices));
        press(Qt::Key_0);
        QCOMPARE(clicks(), expected);
        QCOMPARE(questionsLeft(), 50 - choices);
        qDeleteAll(spies);
    }

    void heldKeyAnswersOnce()
    {
        QVERIFY(open(9));
        fx.random.pushSeeded(5, 400);
        fx.clickStart();
        press(Qt::Key_3);
        holdRepeats(Qt::Key_3, 5);
        QCOMPARE(questionsLeft(), 49);
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

    void digitKeysOfTheMissingDigit()
    {
        QVERIFY(open(8));
        fx.random.pushSeeded(8, 400);
        fx.clickStart();
        for (int digit = 1; digit <= 9; ++digit) {
            const int before = questionsLeft();
            press(Qt::Key(Qt::Key_0 + digit), Qt::KeypadModifier);
            QCOMPARE(questionsLeft(), before - 1);
            QCOMPARE(focused(), button(QStringLiteral("cmdAns(%1)").arg(digit - 1)));
        }
        press(Qt::Key_0);
        QCOMPARE(questionsLeft(), 41);
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
        for (const auto &[key, to] : moves) {
            press(key);
            QCOMPARE(focused(), button(QStringLiteral("cmdAns(%1)").arg(to)));
        }
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
        QTest::newRow("grey ladder button") << 4 << QStringLiteral("cmdAns(1)");
        QTest::newRow("digit button") << 5 << QStringLiteral("cmdNum(2)");
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
        fx.random.pushSeeded(1, 400);
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
        QTest::newRow("あみだくじ: number keys") << 4;
        QTest::newRow("どれが大きい？: digit keys") << 5;
        QTest::newRow("●●●たたき: arrow keys and Enter") << 6;
        QTest::newRow("ぬけはな～に？: keypad digits") << 8;
        QTest::newRow("ながいのど～れ？: number keys") << 9;
    }
    void wholeRunByKeys()
    {
        QFETCH(int, exercise);
        QVERIFY(open(exercise));
        fx.stampRankingsAt(QDateTime(QDate(2026, 1, 2), QTime(3, 4)));
        fx.random.pushSeeded(quint32(exercise), 4000);
        fx.dialogs->answerText(QStringLiteral(u"キーボード"));

        press(Qt::Key_F5);
        QVERIFY(running());
        for (int q = 1; q <= 50; ++q) {
            fx.tick();
            const QList<QKeyCombination> keys = rightAnswer(exercise);
            QVERIFY(!keys.isEmpty());
            for (const QKeyCombination key : keys)
                press(key.key(), key.keyboardModifiers());
            QCOMPARE(fx.text("lblResult"), QStringLiteral(u"○"));
        }

        QVERIFY(fx.showsIdle(answerArea(exercise)));
        QCOMPARE(focused(), fx.button("cmdStart"));
        QCOMPARE(fx.dialogs->shown.size(), 1);
        QCOMPARE(fx.firstRankingLine(), QStringLiteral(u"5.0　キーボード      2026/01/02 03:04"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
