#pragma once

#include "settings/dialogs.h"

// The game's questions as Qt shows them: message boxes and the input box,
// modal over whichever window the player is using.
class QtDialogs final : public Dialogs
{
public:
    void showMessage(const QString &text, const QString &caption, Icon icon) override;
    bool askYesNo(const QString &text, const QString &caption) override;
    QString askText(const QString &prompt, const QString &caption, const QString &defaultText) override;
};
