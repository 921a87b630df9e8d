#include "app/quitsignals.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Every event loop ends, a dialog's as well as the menu's. Asked before any
// loop runs (while the game starts), it waits for the first one.
void quitEveryLoop()
{
    if (QCoreApplication::instance()->thread()->loopLevel() > 0)
        QCoreApplication::exit(0);
    else
        QTimer::singleShot(0, QCoreApplication::instance(), quitEveryLoop);
}

// Written to by the handler, read on the event loop.
int signalPipe[2] = {-1, -1};

// Only async-signal-safe calls: one byte down the pipe, errno as it was.
extern "C" void onTerminationSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

void quitOnTerminationSignals()
{
    if (signalPipe[0] != -1)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        return;
    }
    // A full pipe must never block the handler: one byte is enough to quit.
    ::fcntl(signalPipe[1], F_SETFL, ::fcntl(signalPipe[1], F_GETFL) | O_NONBLOCK);

    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char bytes[16];
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], bytes, sizeof bytes);
        quitEveryLoop();
    });

    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signalNumber, &action, nullptr);
}

#else

void quitOnTerminationSignals() {}

#endif
