#pragma once

#include <QIcon>

// The icon every window of the game carries: the sizes a title bar, a task
// bar or a window switcher shows, 16 to 64 pixels. The larger drawings (128
// and 256 pixels) are for the desktop's menus and launchers, which take the
// icon from the installed files rather than from the window; each size given
// here is sent with every window the game opens.
QIcon windowIcon();
