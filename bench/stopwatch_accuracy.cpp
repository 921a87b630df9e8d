// Runs the game's stopwatch for real (a 100 ms precise timer on the event loop,
// as in a run) while two busy processes keep both cores loaded, and reports the
// time it shows against the wall clock.
//
//   stopwatch-accuracy [seconds]     (20 by default)

#include "run/stopwatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    std::vector<pid_t> busy;
    for (int i = 0; i < 2; ++i) {
        const pid_t child = fork();
        if (child == 0) {
            alarm(static_cast<unsigned>(seconds + 5)); // never outlive the measurement
            volatile unsigned long spin = 0;
            for (;;)
                spin = spin + 1;
        }
        if (child > 0)
            busy.push_back(child);
    }

    SteadyClock clock;
    Stopwatch stopwatch(&clock);
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(Stopwatch::TickMs);
    QObject::connect(&ticker, &QTimer::timeout, [&] { stopwatch.tick(); });

    QElapsedTimer wall;
    stopwatch.start();
    wall.start();
    ticker.start();
    QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
    application.exec();
    const double wallSeconds = static_cast<double>(wall.elapsed()) / 1000.0;
    const QString shown = Stopwatch::format(stopwatch.elapsedTenths());

    for (pid_t child : busy) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }

    const double difference = shown.toDouble() - wallSeconds;
    std::printf("busy cores: %zu, wall clock: %.3f s, stopwatch shows: %s s, difference: %+.3f s\n", busy.size(),
                wallSeconds, qPrintable(shown), difference);
    return difference < -0.2 || difference > 0.2 ? 1 : 0;
}
