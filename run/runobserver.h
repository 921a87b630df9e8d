#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

class RunSession;

// Something that wants to know how every run goes (the history of played
// runs). It follows a run's session; exercises know nothing of it.
//
// A run is told as: runStarted, then answered once per judged answer, then
// either runFinished (the run counted: its stopwatch text and the ranking
// place it took, 0 for none) or runStopped (the player stopped it; nothing of
// it counts). A window closed during a run says nothing more: the next
// runStarted begins afresh.
class RunObserver
{
public:
    virtual ~RunObserver() = default;

    virtual void runStarted(int exerciseNumber, const QString &title) = 0;
    // msSincePrevious: milliseconds on the run's clock since the previous
    // answer, or since the start for the first one.
    virtual void answered(bool correct, qint64 msSincePrevious) = 0;
    // Told after the ranking has been handled.
    virtual void runFinished(const QString &timeText, int rankPlace) = 0;
    virtual void runStopped() = 0;
};

// Tells observer (not owned) how session's runs go, for as long as both live.
class RunObserverLink : public QObject
{
    Q_OBJECT
public:
    RunObserverLink(RunSession &session, RunObserver &observer, QObject *parent = nullptr);
};
