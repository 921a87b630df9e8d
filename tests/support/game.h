#pragma once

// What every test that shows one of the game's windows needs once: the
// game's fonts and its title and version text.

#include "exercises/catalogue.h"
#include "settings/appstate.h"
#include "ui/fonts.h"

inline void setUpGame()
{
    Fonts::install();
    if (app().AppTitleText.isEmpty())
        MakeVersionText();
}
