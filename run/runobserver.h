#pragma once

#include <QString>
#include <QtGlobal>

// Something that wants to know how every run goes (the history of played
// runs). The run frame tells it; exercises know nothing of it.
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

    virtual void runStarted(int exerciseNumber) = 0;
    // msSincePrevious: milliseconds on the run's clock since the previous
    // answer, or since the start for the first one.
    virtual void answered(bool correct, qint64 msSincePrevious) = 0;
    // Told after the ranking has been handled.
    virtual void runFinished(const QString &timeText, int rankPlace) = 0;
    virtual void runStopped() = 0;
};

// The observer in use, or null when nobody listens.
RunObserver *runObserver();
// Installs observer (not owned; null for none); returns the one it replaces.
RunObserver *setRunObserver(RunObserver *observer);
