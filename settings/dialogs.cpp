#include "settings/dialogs.h"

#include <QtGlobal>

namespace {
Dialogs *installed = nullptr;
}

Dialogs &dialogs()
{
    Q_ASSERT_X(installed, "dialogs", "no dialogs installed");
    return *installed;
}

Dialogs *setDialogs(Dialogs *d)
{
    Dialogs *previous = installed;
    installed = d;
    return previous;
}
