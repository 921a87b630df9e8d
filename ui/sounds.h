#pragma once

#include "ui/soundoutput.h"

#include <QObject>

#include <memory>

// The game's short sounds: a right answer, a wrong one, the end of a run and
// a new best time. Each is under 150 ms and quiet, and a new sound cuts off
// the one still playing, so fifty quick answers never pile up. The player
// turns them on and off from the menu; the choice is kept in the settings
// file in a section of its own ("sound", key "enabled", "1" or "0"; on when
// nothing is kept there). Without an audio output the game plays silently.
class Sounds : public QObject
{
    Q_OBJECT
public:
    enum class Cue { Right, Wrong, Finished, NewRecord };
    Q_ENUM(Cue)
    static constexpr int CueCount = 4;

    static QString settingsSection();
    static QString enabledKey();

    // Cheap to make: nothing is looked for or loaded before prepare().
    explicit Sounds(QObject *parent = nullptr);
    ~Sounds() override;

    // Whether sound is on: the player's choice in this session, else the
    // settings file's.
    static bool enabled();
    // Turns sound on or off and keeps the choice in the settings file.
    // False when it could not be kept there; it holds for this session all the same.
    static bool setEnabled(bool on);

    // Looks for an audio output and loads the sounds, once; an exercise
    // window calls it as it opens, so the first answer is heard at once.
    void prepare();
    // True when the sounds can be heard here.
    bool audible();

    // Plays cue when sound is on.
    void play(Cue cue);

    // The entry point of the module that plays the sounds (kashikoro-sound);
    // nothing when it is not found.
    static MakeSoundOutput findModule();

signals:
    // A cue played while sound was on, heard or not (no output).
    void played(Sounds::Cue cue);

private:
    bool m_prepared = false;
    std::unique_ptr<SoundOutput> m_output;
};
