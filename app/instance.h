#pragma once

#include <QString>

// One copy of the game per player: the first copy of an executable holds a lock
// file in a folder only the player can write for as long as it runs. A copy that
// crashed leaves its file behind; the next start sees that its process is gone
// and takes the lock over. A lock file that belongs to another user is never
// this player's game.

// The lock file for the executable at programPath, named after a hash of its
// absolute path: in the per-user runtime folder, or when there is none that
// only the player can use, in a folder of the player's own made for it with
// mode 0700. Empty when there is no such place (the game then starts unlocked).
QString instanceLockPath(const QString &programPath);

// True when no other copy of this executable is running; this process then
// holds the lock until it ends. Otherwise tells the player "既に起動しています。"
// and returns false.
bool CheckPrevInstance();
// The same with the given lock file (tests use their own).
bool CheckPrevInstance(const QString &lockFilePath);
// Gives the lock back (the process ending does the same).
void releaseInstanceLock();
