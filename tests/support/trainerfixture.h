#pragma once

// One exercise window opened for a test as the menu would open it: its own
// settings file, scripted dialogs, chance and time, the exercise's ranking
// loaded, and the window shown.

#include "exercises/catalogue.h"
#include "ranking/rankstore.h"
#include "run/trainerwindow.h"
#include "settings/appstate.h"
#include "support/game.h"
#include "support/scripted.h"
#include "ui/runsounds.h"
#include "ui/twips.h"

#include <QDateTime>
#include <QFrame>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

template<typename Window> class TrainerFixture
{
public:
    ScriptedRandom random;
    FakeClock clock;
    std::unique_ptr<TempSettings> settings;
    std::unique_ptr<ScriptedDialogs> dialogs;
    // The ranking the windows the fixture opens rank into, as the menu's.
    RankStore ranking;
    // The game's own sounds follow every run the fixture opens.
    Sounds player;
    GameSounds sounds{player};
    std::unique_ptr<Window> window;

    // Opens exercise number as the menu does (through the catalogue, with
    // its ranking loaded) on a settings file of its own; false if the window
    // is not a Window.
    bool open(int number)
    {
        prepare();
        window.reset(qobject_cast<Window *>(openExercise(number, ranking, nullptr, {&sounds, nullptr})));
        return attach();
    }

    // Opens a window the catalogue does not make (a stand-in exercise) on
    // the ranking of exercise number, loaded as the menu loads it.
    bool openOwn(int number)
    {
        prepare();
        const QString &title = exercise(number).title;
        ranking.RankSection = title;
        ranking.RankTitle = title;
        ranking.LoadRanking();
        window = std::make_unique<Window>();
        presentAs(*window, exercise(number));
        window->useRanking(ranking);
        listenToRun(*window, {&sounds, nullptr});
        return attach();
    }

    void close()
    {
        window.reset();
        dialogs.reset();
        settings.reset();
    }

    template<typename T> T *control(const QString &name) const
    {
        T *found = window->template findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLabel *label(const char *name) const { return control<QLabel>(QString::fromLatin1(name)); }
    QPushButton *button(const char *name) const { return control<QPushButton>(QString::fromLatin1(name)); }
    QString text(const char *labelName) const { return label(labelName)->text(); }

    // The instruction lines as the window shows them, one string a line.
    QStringList instructionLines() const { return text("lblExp").split(QStringLiteral("\r\n")); }
    // An exercise's own first lines followed by the four every run shares.
    static QStringList withCommonLines(const QStringList &ownLines)
    {
        return ownLines
            + QStringList{QStringLiteral(u"●全部で５０問あるんだぴこ。"), QStringLiteral(u"●クリアした時間が早い方が良いんだぴこ。"),
                          QStringLiteral(u"●間違えると５秒加算されるんだぴこ。"), QStringLiteral(u"●開始ボタンで始めるんだぴこ。")};
    }

    static void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    void clickStart() const { click(button("cmdStart")); }

    // One tick of the stopwatch, a tenth of a second later, as the window's
    // own timer delivers it (only while that timer runs).
    void tick()
    {
        clock.advance(100);
        auto *timer = control<QTimer>(QStringLiteral("timCount"));
        if (timer->isActive())
            QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            tick();
    }

    // Types text into a text box key by key, as a keyboard does, then
    // presses Enter when asked.
    void type(const char *boxName, const QString &text, bool pressEnter = true) const
    {
        auto *box = control<QLineEdit>(QString::fromLatin1(boxName));
        for (const QChar c : text) {
            const auto key = c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, box, key, QString(c), Qt::NoModifier);
        }
        if (pressEnter)
            QTest::keyClick(box, Qt::Key_Return);
    }
    // Hands text to a text box as an input method commits it (a Japanese
    // input method sends "１０８" this way, not as key presses).
    void commit(const char *boxName, const QString &text) const
    {
        auto *box = control<QLineEdit>(QString::fromLatin1(boxName));
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(box, &event);
    }

    // The window as drawn now, in logical pixels.
    QImage grabbed() const { return window->grab().toImage().scaled(window->size()); }
    // The colour at a point given in twips, relative to widget (the window by default).
    QColor pixelAtTwips(int left, int top, QWidget *widget = nullptr) const
    {
        QWidget *from = widget ? widget : window.get();
        const QImage image = from->grab().toImage().scaled(from->size());
        return image.pixelColor(Twips::toPixels(left), Twips::toPixels(top));
    }

    // The controls that tell whether a run is under way, answerArea included.
    bool showsRunning(const char *answerArea) const
    {
        const bool running = button("cmdStart")->text() == QStringLiteral(u"中　止");
        return running == !button("cmdRank")->isEnabled()
            && running == control<QWidget>(QString::fromLatin1(answerArea))->isEnabled()
            && running == control<QTimer>(QStringLiteral("timCount"))->isActive() && running;
    }
    bool showsIdle(const char *answerArea) const
    {
        return button("cmdStart")->text() == QStringLiteral(u"開　始") && button("cmdRank")->isEnabled()
            && !control<QWidget>(QString::fromLatin1(answerArea))->isEnabled()
            && !control<QTimer>(QStringLiteral("timCount"))->isActive();
    }

    // Ranking lines written from here on carry this date and time.
    void stampRankingsAt(const QDateTime &moment)
    {
        ranking.now = [moment] { return moment; };
    }

    // The first ranking line now in the settings file.
    QString firstRankingLine() const
    {
        return ReadSetting(ranking.RankSection, QStringLiteral("1"), QStringLiteral("NoData"));
    }

private:
    void prepare()
    {
        setUpGame();
        settings = std::make_unique<TempSettings>();
        dialogs = std::make_unique<ScriptedDialogs>();
        ranking = RankStore();
        random = ScriptedRandom();
        clock = FakeClock();
    }
    bool attach()
    {
        if (!window)
            return false;
        window->useRandomSource(random);
        window->useClock(clock);
        window->show();
        return true;
    }
};
