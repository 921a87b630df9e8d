#pragma once

#include "history/historyrecorder.h"
#include "history/historystore.h"

#include <QString>

// The game's history of played runs: one file beside the settings file,
// named after it ("カシコロ.ini" gives "カシコロ-history.sqlite"), so it lives
// wherever the settings file does.
QString historyPathFor(const QString &settingsFilePath);

// At start-up: opens store, the one the game records into and the records
// window reads, on the history beside the settings file. When the file
// cannot be used it is left as it is and the game goes on without history
// (the recorder tells the player at the first run it cannot keep).
void startHistory(HistoryStore &store, const QString &settingsFilePath);
