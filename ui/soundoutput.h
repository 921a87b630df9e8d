#pragma once

#include <QStringList>

// What plays the game's sounds through the audio system. It is built as a
// module of its own (kashikoro-sound) and loaded the first time an exercise
// window opens: the audio libraries behind it are many, and the menu need
// not wait for them at start.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // Plays one of the sources the output was made with, cutting off the
    // sound still playing.
    virtual void play(int source) = 0;
};

// The module's one entry point: an output for the given sound files at the
// given share of full volume, or nothing when there is no audio output.
using MakeSoundOutput = SoundOutput *(*)(const QStringList &sources, float volume);
inline constexpr char MakeSoundOutputName[] = "kashikoro_make_sound_output";
inline constexpr char SoundModuleName[] = "kashikoro-sound";
