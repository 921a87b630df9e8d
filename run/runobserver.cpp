#include "run/runobserver.h"

#include "run/runsession.h"

RunObserverLink::RunObserverLink(RunSession &session, RunObserver &observer, QObject *parent) : QObject(parent)
{
    connect(&session, &RunSession::started, this,
            [&session, &observer](int exerciseNumber) { observer.runStarted(exerciseNumber, session.title()); });
    connect(&session, &RunSession::answered, this,
            [&observer](bool correct, qint64 ms) { observer.answered(correct, ms); });
    connect(&session, &RunSession::finished, this,
            [&observer](const QString &timeText, int place) { observer.runFinished(timeText, place); });
    connect(&session, &RunSession::stopped, this, [&observer] { observer.runStopped(); });
}
