#include "settings/filelock.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <utility>

namespace {

FileLockWait *installedWait = nullptr;
FileLock::MomentHook momentHook = nullptr;

} // namespace

FileLockWait *FileLock::setWait(FileLockWait *wait)
{
    return std::exchange(installedWait, wait);
}

void FileLock::setMomentHook(MomentHook hook)
{
    momentHook = hook;
}

void FileLock::reach(Moment moment)
{
    if (momentHook)
        momentHook(moment);
}

std::unique_ptr<FileLock> FileLock::acquire(const QString &path, QDeadlineTimer deadline, Outcome *outcome)
{
    Outcome ignored;
    Outcome &result = outcome ? *outcome : ignored;
    // A holder usually lets go within milliseconds: look again soon, then
    // less often.
    std::chrono::milliseconds pause(1);
    QElapsedTimer waited;
    FileLockWait *const wait = installedWait;
    bool waiting = false;
    const auto finish = [&](Outcome how) {
        if (waiting && wait)
            wait->over();
        result = how;
    };
    for (;;) {
        qintptr handle = 0;
        switch (tryOnce(path, &handle)) {
        case Try::Held:
            finish(Outcome::Held);
            return std::unique_ptr<FileLock>(new FileLock(path, handle));
        case Try::Failed:
            finish(Outcome::Failed);
            return nullptr;
        case Try::Busy:
            break;
        }
        if (deadline.hasExpired()) {
            finish(Outcome::TimedOut);
            return nullptr;
        }
        if (!waiting) {
            waiting = true;
            waited.start();
        }
        if (wait)
            wait->pause(pause, std::chrono::milliseconds(waited.elapsed()));
        else
            QThread::msleep(static_cast<unsigned long>(pause.count()));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}
