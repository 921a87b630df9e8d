#pragma once

#include "history/historystore.h"
#include "ranking/rankstore.h"
#include "ui/sounds.h"

// What the game keeps for as long as it runs, made once at start-up and
// handed to the menu, which hands each part on to the windows that use it.
// Nothing here is heavy to make: the history is opened once the menu is on
// screen, and the sounds look for their audio output when the first
// exercise opens.
struct GameContext
{
    // The ranking of the exercise chosen last in the menu.
    RankStore ranking;
    // The history of played runs, closed when the game ends.
    HistoryStore history;
    // The game's short sounds.
    Sounds sounds;
};
