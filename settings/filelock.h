#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <chrono>
#include <memory>

// What a process does while it waits for a lock another one holds. Without
// one installed it sleeps between tries; the game's windows install one that
// keeps them painted and tells the player what they wait for.
class FileLockWait
{
public:
    virtual ~FileLockWait() = default;
    // Returns after about pause; waited is how long the wait has lasted so far.
    virtual void pause(std::chrono::milliseconds pause, std::chrono::milliseconds waited) = 0;
    // The wait is over: the lock was taken or given up.
    virtual void over() = 0;
};

// A lock on a file of its own beside what it guards ("<file>.lock"), held by
// one FileLock at a time across processes and within one, and let go by the
// system when the process holding it dies, however it dies. The holder
// removes the file as it lets go; one left behind by a killed holder holds
// nobody up, even one this process cannot open (another user's, left by a
// settings tool run with sudo): when nobody holds it, it is put aside and a
// new one made. One of these for each kind of system: flock
// (filelock_posix.cpp) and LockFileEx (filelock_windows.cpp).
class FileLock
{
public:
    enum class Outcome {
        Held,
        TimedOut, // another holder kept it until the deadline
        Failed,   // the file cannot be made or opened at all
    };

    // Takes the lock, making the file when it is missing, and waits for
    // another holder until the deadline. Null when the lock could not be had;
    // outcome (when given) tells why.
    static std::unique_ptr<FileLock> acquire(const QString &path, QDeadlineTimer deadline,
                                             Outcome *outcome = nullptr);

    // What every wait of this process does from now on (null: sleep); not
    // owned. Returns the one it replaces.
    static FileLockWait *setWait(FileLockWait *wait);

    // Moments of a locked write at which a test can stop this process while
    // another one acts. Nothing is called unless a hook is set.
    enum class Moment {
        LockFileOpened, // a try has the lock file open and is about to lock it
        StaleLockFound, // a try found nobody holding a lock file it cannot open
        FileReplaced,   // a write has just put its new file in place, lock held
    };
    using MomentHook = void (*)(Moment);
    static void setMomentHook(MomentHook hook);
    static void reach(Moment moment);

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
