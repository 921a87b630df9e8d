#pragma once

#include <QString>

// Every modal question the game asks the player goes through here: message
// boxes, the Yes/No confirmations and the name input box. The windows install
// the Qt implementation; tests install a scripted one and answer in advance.
class Dialogs
{
public:
    enum class Icon { None, Exclamation };

    virtual ~Dialogs() = default;

    // A message box with an OK button.
    virtual void showMessage(const QString &text, const QString &caption, Icon icon) = 0;
    // Yes/No with No as the default button; true only when the player chose Yes.
    virtual bool askYesNo(const QString &text, const QString &caption) = 0;
    // An input box; returns the empty string when the player cancels.
    virtual QString askText(const QString &prompt, const QString &caption, const QString &defaultText) = 0;
};

// The dialogs in use. Never null once the game or a test has installed one.
// The implementation is owned by whoever installs it (main, or a test); the
// slot itself is one per process because a settings write that fails is told
// to the player from wherever it happens, deep inside a rank-in or a menu
// choice, and a test answers every one of those from one script.
Dialogs &dialogs();
// Installs d (not owned); returns the one it replaces.
Dialogs *setDialogs(Dialogs *d);
