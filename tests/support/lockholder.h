#pragma once

// The other process of a lock test, run as the test program itself with
// HoldLockArgument: takes the lock, says "held" on its output, holds the lock
// for ms milliseconds (0: until it is killed) and lets it go.

#include "settings/filelock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QString>
#include <QThread>

#include <chrono>

inline constexpr char HoldLockArgument[] = "--hold-lock";

inline int holdLock(const QString &path, int ms)
{
    const auto lock = FileLock::acquire(path, QDeadlineTimer(std::chrono::seconds(30)));
    if (!lock)
        return 1;
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 1;
    out.write("held\n");
    out.flush();
    do
        QThread::msleep(ms > 0 ? static_cast<unsigned long>(ms) : 1000);
    while (ms == 0);
    return 0;
}
