#include "settings/filelock.h"

#include <QFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// flock: held by one open file at a time, across processes and within one,
// and let go by the system when a process dies. The holder removes the file
// as it lets go, so a waiter that then gets the lock on the removed file
// starts again with the new one.

std::unique_ptr<FileLock> FileLock::acquire(const QString &path, QDeadlineTimer deadline)
{
    const QByteArray name = QFile::encodeName(path);
    unsigned long pause = 1;
    for (;;) {
        const int handle = ::open(name.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (handle < 0)
            return nullptr;
        if (::flock(handle, LOCK_EX | LOCK_NB) == 0) {
            struct stat held;
            struct stat named;
            if (::fstat(handle, &held) == 0 && ::stat(name.constData(), &named) == 0 && held.st_dev == named.st_dev
                && held.st_ino == named.st_ino) {
                // Left behind by a writer that was killed: open to every
                // writer again, whoever made it.
                if (held.st_uid == ::geteuid() && (held.st_mode & 0444) != 0444) {
                    [[maybe_unused]] const bool opened = ::fchmod(handle, 0644) == 0;
                }
                return std::unique_ptr<FileLock>(new FileLock(path, handle));
            }
            ::close(handle);
        } else {
            const int error = errno;
            ::close(handle);
            if (error != EWOULDBLOCK && error != EINTR)
                return nullptr;
        }
        if (deadline.hasExpired())
            return nullptr;
        QThread::msleep(pause);
        pause = std::min<unsigned long>(pause * 2, 20);
    }
}

FileLock::~FileLock()
{
    // Removed while still held: see acquire().
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(int(m_handle));
}
