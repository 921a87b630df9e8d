#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CuePlayer;
class QWidget;
class RankStore;
class RunObserver;
class TrainerWindow;

// One exercise as the game knows it, the only place its number, title and
// window meet. The title is the menu button's caption, the window's caption,
// the ranking screen's heading and the name of the exercise's ranking
// section in the settings file. Each exercise's folder defines its own.
struct Exercise
{
    int number = 0;
    QString title;
    // Makes the exercise's window (new, unshown).
    TrainerWindow *(*create)(QWidget *parent) = nullptr;
};

// The exercises in menu order, each by the descriptor its folder defines:
// one line each.
#define KASHIKORO_EXERCISES(X) \
    X(colour)                  \
    X(numbers)                 \
    X(lamps)                   \
    X(ladder)                  \
    X(bigger)                  \
    X(whack)                   \
    X(sums)                    \
    X(missing)                 \
    X(longest)                 \
    X(janken)                  \
    X(coins)                   \
    X(clock)                   \
    X(operators)               \
    X(prefectures)

namespace Exercises {
#define KASHIKORO_DECLARE_EXERCISE(name) Exercise name();
KASHIKORO_EXERCISES(KASHIKORO_DECLARE_EXERCISE)
#undef KASHIKORO_DECLARE_EXERCISE
} // namespace Exercises

// Every exercise on the menu, numbered 1 to exerciseCount() in this order.
const std::vector<Exercise> &exercises();
int exerciseCount();
// Entries 1 to exerciseCount().
const Exercise &exercise(int number);
// The titles by number (index 0 empty), as the menu puts them on its buttons.
QStringList exerciseTitles();

// Who follows every run besides its window (not owned; they outlive the
// window). The screen reader is always told.
struct RunListeners
{
    // The run's cues; none: silent.
    CuePlayer *sounds = nullptr;
    // The history of played runs; none: not recorded.
    RunObserver *history = nullptr;
};

// Has the window's run heard, spoken and recorded as listeners says.
void listenToRun(TrainerWindow &window, const RunListeners &listeners);

// Shows window as exercise entry: its caption, and the title its runs are
// recorded under.
void presentAs(TrainerWindow &window, const Exercise &entry);

// Opens exercise number as the player does from the menu: the exercise's
// ranking is loaded into ranking, its window made (unshown), handed that
// ranking and followed by listeners. Null when the number is not on the menu.
TrainerWindow *openExercise(int number, RankStore &ranking, QWidget *parent, const RunListeners &listeners = {});
