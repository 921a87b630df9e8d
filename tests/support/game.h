#pragma once

// What every test that shows one of the game's windows needs once: the
// game's fonts, its title and version text, and the exercise titles the
// windows take their captions from.

#include "exercises/catalogue.h"
#include "settings/appstate.h"
#include "ui/fonts.h"

inline void setUpGame()
{
    Fonts::install();
    if (app().AppTitleText.isEmpty())
        MakeVersionText();
    if (app().ExerciseTitles[1].isEmpty())
        app().ExerciseTitles = exerciseTitles();
}
