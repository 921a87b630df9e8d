#include "exercises/catalogue.h"

#include "ranking/rankstore.h"
#include "run/runobserver.h"
#include "run/trainerwindow.h"
#include "ui/a11y.h"
#include "ui/runannouncer.h"
#include "ui/runsounds.h"

const std::vector<Exercise> &exercises()
{
    static const std::vector<Exercise> all = [] {
#define KASHIKORO_LIST_EXERCISE(name) Exercises::name(),
        std::vector<Exercise> list = {KASHIKORO_EXERCISES(KASHIKORO_LIST_EXERCISE)};
#undef KASHIKORO_LIST_EXERCISE
        for (std::size_t index = 0; index < list.size(); ++index)
            Q_ASSERT(list[index].number == int(index) + 1 && list[index].create);
        return list;
    }();
    return all;
}

int exerciseCount()
{
    return int(exercises().size());
}

const Exercise &exercise(int number)
{
    Q_ASSERT(number >= 1 && number <= exerciseCount());
    return exercises()[std::size_t(number - 1)];
}

QStringList exerciseTitles()
{
    QStringList titles(exerciseCount() + 1);
    for (const Exercise &entry : exercises())
        titles[entry.number] = entry.title;
    return titles;
}

void listenToRun(TrainerWindow &window, const RunListeners &listeners)
{
    RunSession &session = window.session();
    const TrainerWindow::RunLabels labels = window.runLabels();
    auto *announcer = new RunAnnouncer(&window, session, labels.mark, labels.counter, &window);
    auto *sounds = listeners.sounds ? new RunSounds(*listeners.sounds, &window) : nullptr;
    // Each mark is heard as soon as it shows; the end is heard before any
    // question about a name: a tune, then the words.
    QObject::connect(&session, &RunSession::answered, announcer, &RunAnnouncer::answered);
    if (sounds) {
        QObject::connect(&session, &RunSession::answered, sounds, &RunSounds::answered);
        QObject::connect(&session, &RunSession::ended, sounds, &RunSounds::ended);
    }
    QObject::connect(&session, &RunSession::ended, announcer, &RunAnnouncer::ended);
    QObject::connect(&session, &RunSession::finished, announcer, &RunAnnouncer::finished);
    QObject::connect(&session, &RunSession::stopped, announcer, &RunAnnouncer::stopped);
    if (listeners.history)
        new RunObserverLink(session, *listeners.history, &window);
}

void presentAs(TrainerWindow &window, const Exercise &entry)
{
    window.setWindowTitle(entry.title);
    // A title of signs ("●●●たたき") reads as words.
    if (A11y::spoken(entry.title) != entry.title)
        window.setAccessibleName(A11y::spoken(entry.title));
    window.session().setTitle(entry.title);
}

TrainerWindow *openExercise(int number, RankStore &ranking, QWidget *parent, const RunListeners &listeners)
{
    if (number < 1 || number > exerciseCount())
        return nullptr;
    const Exercise &entry = exercise(number);
    ranking.RankSection = entry.title;
    ranking.RankTitle = entry.title;
    ranking.LoadRanking();
    TrainerWindow *window = entry.create(parent);
    presentAs(*window, entry);
    window->useRanking(ranking);
    listenToRun(*window, listeners);
    return window;
}
