#include "ui/runsounds.h"

RunSounds::RunSounds(CuePlayer &player, QObject *parent) : QObject(parent), m_player(player)
{
    m_player.prepare();
}

void RunSounds::answered(bool correct)
{
    m_player.play(correct ? Sounds::Cue::Right : Sounds::Cue::Wrong);
}

void RunSounds::ended(const QString &, bool best)
{
    m_player.play(best ? Sounds::Cue::NewRecord : Sounds::Cue::Finished);
}
