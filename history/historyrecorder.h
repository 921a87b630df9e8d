#pragma once

#include "history/historystore.h"
#include "run/runobserver.h"

#include <QDateTime>

#include <functional>

// Gathers each run as the run frame tells it and writes the finished ones to
// the history. Nothing it does reaches the run or the ranking: when the
// history cannot be written the player is told once in the session, and
// plays on.
class HistoryRecorder final : public RunObserver
{
public:
    explicit HistoryRecorder(HistoryStore &store) : m_store(store) {}

    // The local time runs are dated with (tests pin it).
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    void runStarted(int exerciseNumber, const QString &title) override;
    void answered(bool correct, qint64 msSincePrevious) override;
    void runFinished(const QString &timeText, int rankPlace) override;
    void runStopped() override;

    // True once the player has been told that the history is not being kept.
    bool hasToldPlayer() const { return m_told; }

    // What the player is told, naming the file.
    static QString unusableMessage(const QString &path);
    // placeKept: the run's place in the ranking was written, so the message
    // may say the ranking is safe.
    static QString notSavedMessage(const QString &path, bool placeKept);

private:
    void tellPlayerOnce(bool placeKept = false);

    HistoryStore &m_store;
    bool m_inRun = false;
    bool m_told = false;
    HistoryStore::Run m_run;
};
