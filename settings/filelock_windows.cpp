#include "settings/filelock.h"

#include <QDir>

#include <windows.h>

// LockFileEx on the first byte of the file: held by one open handle at a
// time, across processes and within one, and let go by the system when the
// handle closes or the process dies. The holder marks the file for deletion
// while it still holds it; Windows removes it when the last handle to it
// closes. Until then the name cannot be opened again (a waiter retries), and
// a waiter that already had it open and then gets the lock sees the mark and
// starts again with a new file.

namespace {

HANDLE openLockFile(const QString &path, DWORD *error)
{
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    // DELETE: the holder marks the file for deletion through this handle.
    const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    *error = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    return handle;
}

// Access is denied both to a file that is about to go (worth waiting for) and
// to a folder or a place that cannot be written (not worth it).
bool isGoing(const QString &path)
{
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool isMarkedForDeletion(HANDLE handle)
{
    FILE_STANDARD_INFO info{};
    if (!::GetFileInformationByHandleEx(handle, FileStandardInfo, &info, sizeof info))
        return false;
    return info.DeletePending != FALSE;
}

} // namespace

FileLock::Try FileLock::tryOnce(const QString &path, qintptr *lockHandle)
{
    DWORD error = ERROR_SUCCESS;
    const HANDLE handle = openLockFile(path, &error);
    if (handle == INVALID_HANDLE_VALUE)
        return error == ERROR_SHARING_VIOLATION || (error == ERROR_ACCESS_DENIED && isGoing(path)) ? Try::Busy
                                                                                                : Try::Failed;
    reach(Moment::LockFileOpened);
    OVERLAPPED at{};
    if (!::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        error = ::GetLastError();
        ::CloseHandle(handle);
        return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? Try::Busy : Try::Failed;
    }
    if (isMarkedForDeletion(handle)) {
        // Its holder is letting it go: start again with a new file.
        ::UnlockFileEx(handle, 0, 1, 0, &at);
        ::CloseHandle(handle);
        return Try::Busy;
    }
    *lockHandle = reinterpret_cast<qintptr>(handle);
    return Try::Held;
}

FileLock::~FileLock()
{
    const HANDLE handle = reinterpret_cast<HANDLE>(m_handle);
    // Removed while still held: see acquire().
    FILE_DISPOSITION_INFO remove{};
    remove.DeleteFile = TRUE;
    ::SetFileInformationByHandle(handle, FileDispositionInfo, &remove, sizeof remove);
    OVERLAPPED at{};
    ::UnlockFileEx(handle, 0, 1, 0, &at);
    ::CloseHandle(handle);
}
