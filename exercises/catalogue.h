#pragma once

#include "settings/appstate.h"

#include <QString>

#include <array>

class QWidget;
class RankStore;
class TrainerWindow;

// The exercises on the menu: one entry each, the only place an exercise's
// number, title and window meet. The title is the menu button's caption, the
// window's caption, the ranking screen's heading and the name of the
// exercise's ranking section in the settings file.
struct Exercise
{
    int number = 0;
    QString title;
    // Makes the exercise's window (new, unshown); null while it has none.
    TrainerWindow *(*create)(QWidget *parent) = nullptr;
};

// Entries 1 to ExerciseCount, in menu order.
const Exercise &exercise(int number);
// The titles by number (index 0 empty), as the menu puts them on its buttons.
std::array<QString, ExerciseCount + 1> exerciseTitles();

// Opens exercise number as the player does from the menu: the exercise's
// ranking is loaded into ranking, its window made (unshown) and handed that
// ranking. Null when the number is not on the menu or has no window.
TrainerWindow *openExercise(int number, RankStore &ranking, QWidget *parent);
