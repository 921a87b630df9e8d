#pragma once

#include "settings/filelock.h"

#include <QPointer>
#include <QWidget>

#include <chrono>

// While a settings write waits for another writer (another カシコロ, or the
// settings tool), the game's windows keep painting instead of freezing, and
// once the wait lasts longer than a moment a small window over them says what
// it waits for. That window is modal and has nothing to press, so nothing of
// the game can be touched until the write is done or given up.
class SettingsWaitNotice final : public FileLockWait
{
public:
    // A wait shorter than this shows nothing: most writers finish within it.
    static constexpr std::chrono::milliseconds ShowAfter{300};

    // Installed for every wait of the process while it lives.
    SettingsWaitNotice();
    ~SettingsWaitNotice() override;
    SettingsWaitNotice(const SettingsWaitNotice &) = delete;
    SettingsWaitNotice &operator=(const SettingsWaitNotice &) = delete;

    void pause(std::chrono::milliseconds pause, std::chrono::milliseconds waited) override;
    void over() override;

    // The window while it is shown, else null.
    QWidget *window() const { return m_window; }
    static QString text();

private:
    FileLockWait *m_previous = nullptr;
    QPointer<QWidget> m_window;
};
