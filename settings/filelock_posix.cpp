#include "settings/filelock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// flock: held by one open file at a time, across processes and within one,
// and let go by the system when a process dies. The holder removes the file
// as it lets go, so a waiter that then gets the lock on the removed file
// starts again with the new one.

FileLock::Try FileLock::tryOnce(const QString &path, qintptr *lockHandle)
{
    const QByteArray name = QFile::encodeName(path);
    const int handle = ::open(name.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (handle < 0)
        return Try::Failed;
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
