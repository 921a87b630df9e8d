#pragma once

// One exercise window opened for a test as the menu would open it: its own
// settings file, scripted dialogs, chance and time, the exercise's ranking
// loaded, and the window shown.

#include "app/appstate.h"
#include "exercises/registry.h"
#include "ranking/rankstore.h"
#include "run/trainerwindow.h"
#include "support/scripted.h"
#include "ui/fonts.h"

#include <QDateTime>
#include <QFrame>
#include <QLabel>
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
    std::unique_ptr<Window> window;

    // Opens exercise number through the registry; false if it is not a Window.
    bool open(int number)
    {
        Fonts::install();
        settings = std::make_unique<TempSettings>();
        dialogs = std::make_unique<ScriptedDialogs>();
        const QString title = exerciseTitleTable()[number];
        rankStore() = RankStore();
        rankStore().RankSection = title;
        rankStore().RankTitle = title;
        rankStore().LoadRanking();
        random = ScriptedRandom();
        clock = FakeClock();
        window.reset(qobject_cast<Window *>(createTrainer(number, nullptr)));
        if (!window)
            return false;
        window->useRandomSource(random);
        window->useClock(clock);
        window->show();
        return true;
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

    // One tick of the stopwatch, a tenth of a second later.
    void tick()
    {
        clock.advance(100);
        window->timCount_Timer();
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
    static void stampRankingsAt(const QDateTime &moment)
    {
        rankStore().now = [moment] { return moment; };
    }

    // The first ranking line now in the settings file.
    QString firstRankingLine() const
    {
        return ReadSetting(rankStore().RankSection, QStringLiteral("1"), QStringLiteral("NoData"));
    }
};
