#pragma once

#include "ui/sounds.h"

#include <QObject>
#include <QString>

// What plays the run's cues: the game's sounds, or a test's recorder.
class CuePlayer
{
public:
    virtual ~CuePlayer() = default;
    // Called as an exercise window opens, so the first answer is heard at once.
    virtual void prepare() = 0;
    virtual void play(Sounds::Cue cue) = 0;
};

// The cues through the game's one player (on or off as the player chose).
class GameSounds final : public CuePlayer
{
public:
    explicit GameSounds(Sounds &sounds) : m_sounds(sounds) {}
    void prepare() override { m_sounds.prepare(); }
    void play(Sounds::Cue cue) override { m_sounds.play(cue); }

private:
    Sounds &m_sounds;
};

// Plays a run's cues as it goes: right or wrong at each answer, and at the
// end a new best time or the plain end of a run.
class RunSounds : public QObject
{
    Q_OBJECT
public:
    RunSounds(CuePlayer &player, QObject *parent = nullptr);

public slots:
    void answered(bool correct);
    void ended(const QString &timeText, bool best);

private:
    CuePlayer &m_player;
};
