#pragma once

// Work done as another user, so that file modes bind although the tests may
// run as root (as they do in CI).

#include <QtGlobal>

#include <functional>

#ifdef Q_OS_UNIX
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

constexpr uid_t Nobody = 65534;

inline bool runsAsRoot()
{
    return ::geteuid() == 0;
}

// Runs work in a child process as the user nobody; its exit code, or -1.
inline int asNobody(const std::function<int()> &work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            ::_exit(100);
        ::_exit(work());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Runs work as the user nobody when this process is root, else right here.
inline int asPlayer(const std::function<int()> &work)
{
    return runsAsRoot() ? asNobody(work) : work();
}
#endif
