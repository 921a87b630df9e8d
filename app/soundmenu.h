#pragma once

class QMenu;
class QMainWindow;

// The menu that turns the game's sounds on and off: "ｵﾌﾟｼｮﾝ(&O)" with the
// check item "効果音(&E)", put in window's menu bar before the menu before.
// The tick always shows the setting in force as the menu opens; a choice the
// settings file cannot keep holds for the session, and the player is told.
QMenu *addSoundMenu(QMainWindow *window, QMenu *before);
