#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <memory>

// A lock on a file of its own beside what it guards ("<file>.lock"), held by
// one FileLock at a time across processes and within one, and let go by the
// system when the process holding it dies, however it dies. The holder
// removes the file as it lets go; one left behind by a killed holder holds
// nobody up. One of these for each kind of system: flock (filelock_posix.cpp)
// and LockFileEx (filelock_windows.cpp).
class FileLock
{
public:
    // Takes the lock, making the file when it is missing, and waits for
    // another holder until the deadline. Null when the lock could not be had:
    // the deadline passed, or the file cannot be made or opened at all.
    static std::unique_ptr<FileLock> acquire(const QString &path, QDeadlineTimer deadline);

    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    QString path() const { return m_path; }

private:
    FileLock(const QString &path, qintptr handle) : m_path(path), m_handle(handle) {}

    // One try, made by each kind of system in its own way: the lock, or
    // none because another holds it (Busy: worth waiting for) or because it
    // cannot be had at all (Failed).
    enum class Try { Held, Busy, Failed };
    static Try tryOnce(const QString &path, qintptr *handle);

    QString m_path;
    qintptr m_handle;
};
