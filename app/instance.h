#pragma once

#include <QString>

// One copy of the game per player: the first copy of an executable holds a lock
// file in the player's own runtime folder for as long as it runs. A copy that
// crashed leaves its file behind; the next start sees that its process is gone
// and takes the lock over.

// The lock file for the executable at programPath: named after a hash of its
// absolute path, in the per-user runtime folder (the temporary folder when
// there is none).
QString instanceLockPath(const QString &programPath);

// True when no other copy of this executable is running; this process then
// holds the lock until it ends. Otherwise tells the player "既に起動しています。"
// and returns false.
bool CheckPrevInstance();
// The same with the given lock file (tests use their own).
bool CheckPrevInstance(const QString &lockFilePath);
// Gives the lock back (the process ending does the same).
void releaseInstanceLock();
