#include "settings/filelock.h"

#include <QThread>

#include <algorithm>

std::unique_ptr<FileLock> FileLock::acquire(const QString &path, QDeadlineTimer deadline)
{
    // A holder usually lets go within milliseconds: look again soon, then
    // less often.
    unsigned long pause = 1;
    for (;;) {
        qintptr handle = 0;
        switch (tryOnce(path, &handle)) {
        case Try::Held:
            return std::unique_ptr<FileLock>(new FileLock(path, handle));
        case Try::Failed:
            return nullptr;
        case Try::Busy:
            break;
        }
        if (deadline.hasExpired())
            return nullptr;
        QThread::msleep(pause);
        pause = std::min<unsigned long>(pause * 2, 20);
    }
}
