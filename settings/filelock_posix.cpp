#include "settings/filelock.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/sysmacros.h>
#endif

// flock: held by one open file at a time, across processes and within one,
// and let go by the system when a process dies. The holder removes the file
// as it lets go, so a waiter that then gets the lock on the removed file
// starts again with the new one.

namespace {

#ifdef Q_OS_LINUX

// Whether a process holds a lock on a file, as the system's list of locks
// (/proc/locks) tells.
enum class Holder { Nobody, Someone, Unknown };

QByteArray systemLocks()
{
    QByteArray list;
    const int handle = ::open("/proc/locks", O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return list;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(handle, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        list.append(buffer, count);
    }
    ::close(handle);
    return list;
}

// Each line names the locked file as major:minor:inode, the device numbers
// in hexadecimal ("1: FLOCK  ADVISORY  WRITE 1234 08:02:131077 0 EOF").
bool listsFile(const QByteArray &locks, const struct stat &file)
{
    const QByteArray id = QByteArray::number(major(file.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(minor(file.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(quint64(file.st_ino));
    for (const QByteArray &line : locks.split('\n')) {
        for (const QByteArray &field : line.simplified().split(' ')) {
            if (field == id)
                return true;
        }
    }
    return false;
}

Holder holderOf(const QByteArray &name, const struct stat &file)
{
    // A lock of this process's own on a file beside it shows that the list
    // can be read and names files of this folder the way they are looked for
    // (it cannot when it leaves out, say, another system's mount).
    QByteArray probeName = name + ".probe-XXXXXX";
    const int probe = ::mkostemp(probeName.data(), O_CLOEXEC);
    if (probe < 0)
        return Holder::Unknown;
    struct stat probed;
    const bool locked = ::fstat(probe, &probed) == 0 && ::flock(probe, LOCK_EX | LOCK_NB) == 0;
    const QByteArray locks = locked ? systemLocks() : QByteArray();
    ::unlink(probeName.constData());
    ::close(probe);
    if (!locked || !listsFile(locks, probed))
        return Holder::Unknown;
    return listsFile(locks, file) ? Holder::Someone : Holder::Nobody;
}

// A lock file this process cannot open (another user's, say root's from a
// settings tool run with sudo and killed): nobody can be kept out by it once
// no process holds it, so it is put aside for a new one, which the folder's
// own permissions allow. While a process holds it, it is waited for.
// True when the next try may have the lock; false when none can be had.
bool takeOverUnopenable(const QByteArray &name)
{
    struct stat left;
    if (::lstat(name.constData(), &left) != 0) {
        // Gone since the try opened it: try again, unless nothing can be
        // made in the folder at all.
        const bool gone = errno == ENOENT;
        const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(name)).absolutePath());
        return gone && ::access(folder.constData(), W_OK | X_OK) == 0;
    }
    if (!S_ISREG(left.st_mode))
        return false;
    switch (holderOf(name, left)) {
    case Holder::Someone:
        return true;
    case Holder::Unknown:
        return false;
    case Holder::Nobody:
        break;
    }
    FileLock::reach(FileLock::Moment::StaleLockFound);

    QByteArray aside = name + ".stale-XXXXXX";
    const int placeholder = ::mkostemp(aside.data(), O_CLOEXEC);
    if (placeholder < 0)
        return false;
    ::close(placeholder);
    if (::rename(name.constData(), aside.constData()) != 0) {
        const int error = errno;
        ::unlink(aside.constData());
        return error == ENOENT ;
    }
    // Looked at again once it no longer has the name: one that took it just
    // before is listed now, and one that takes it later finds the name leads
    // elsewhere and lets it go (see tryOnce).
    struct stat moved;
    if (::lstat(aside.constData(), &moved) == 0 && holderOf(name, moved) != Holder::Nobody) {
        // Held after all: its name back, unless a new lock file has it.
        if (::renameat2(AT_FDCWD, aside.constData(), AT_FDCWD, name.constData(), RENAME_NOREPLACE) == 0)
            return true;
    }
    ::unlink(aside.constData());
    return true;
}

#endif

} // namespace

FileLock::Try FileLock::tryOnce(const QString &path, qintptr *lockHandle)
{
    const QByteArray name = QFile::encodeName(path);
    const int handle = ::open(name.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (handle < 0) {
#ifdef Q_OS_LINUX
        if (errno == EACCES || errno == EPERM)
            return takeOverUnopenable(name) ? Try::Busy : Try::Failed;
#endif
        return Try::Failed;
    }
    reach(Moment::LockFileOpened);
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(handle);
        return error == EWOULDBLOCK || error == EINTR ? Try::Busy : Try::Failed;
    }
    struct stat held;
    struct stat named;
    if (::fstat(handle, &held) != 0 || ::stat(name.constData(), &named) != 0 || held.st_dev != named.st_dev
        || held.st_ino != named.st_ino) {
        // Its holder removed it as it let go: start again with the new one.
        ::close(handle);
        return Try::Busy;
    }
    // Left behind by a writer that was killed: open to every writer again,
    // whoever made it.
    if (held.st_uid == ::geteuid() && (held.st_mode & 0444) != 0444) {
        [[maybe_unused]] const bool opened = ::fchmod(handle, 0644) == 0;
    }
    *lockHandle = handle;
    return Try::Held;
}

FileLock::~FileLock()
{
    // Removed while still held: see acquire().
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(int(m_handle));
}
