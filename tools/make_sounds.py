#!/usr/bin/env python3
"""Makes the game's sounds: assets/sounds/{right,wrong,finished,record}.wav.

Each sound is a few soft sine notes, under 150 ms, 16-bit mono at 22050 Hz,
quiet (peaks well below full scale) and faded in and out so that cutting one
off with the next never clicks. Only the standard library is used, and the
output is the same on every run, so the committed files can be made again:

    python3 tools/make_sounds.py
"""

import math
import pathlib
import struct
import wave

RATE = 22050
PEAK = 0.28  # of full scale: quiet beside the player's other programs
FADE_MS = 4  # fade in and out, so no sound starts or stops with a click

# Each note: (start ms, length ms, frequency Hz, loudness 0..1).
SOUNDS = {
    # Two quick rising notes, bright.
    "right": [(0, 45, 1046.5, 0.9), (40, 70, 1568.0, 1.0)],
    # One low note falling a little, with a soft edge: clearly "no", not harsh.
    "wrong": [(0, 120, (233.1, 196.0), 1.0)],
    # Three notes going up: the run is over.
    "finished": [(0, 45, 523.3, 0.8), (40, 45, 659.3, 0.85), (80, 60, 784.0, 1.0)],
    # Four notes going up, higher and quicker: a new best time.
    "record": [(0, 35, 784.0, 0.8), (32, 35, 987.8, 0.85), (64, 35, 1174.7, 0.9), (96, 48, 1568.0, 1.0)],
}


def envelope(t, length):
    """Loudness at t seconds into a note of length seconds: quick attack, soft decay."""
    fade = FADE_MS / 1000.0
    attack = min(1.0, t / fade)
    release = min(1.0, (length - t) / fade)
    decay = math.exp(-3.0 * t / length)
    return max(0.0, min(attack, release)) * decay


def render(notes):
    total_ms = max(start + length for start, length, _, _ in notes)
    samples = [0.0] * int(RATE * total_ms / 1000)
    for start_ms, length_ms, frequency, loudness in notes:
        first = int(RATE * start_ms / 1000)
        count = int(RATE * length_ms / 1000)
        length = count / RATE
        begin, end = frequency if isinstance(frequency, tuple) else (frequency, frequency)
        phase = 0.0
        for n in range(count):
            t = n / RATE
            f = begin + (end - begin) * t / length
            phase += 2 * math.pi * f / RATE
            # A little of the octave above gives the tone some body.
            tone = math.sin(phase) + 0.25 * math.sin(2 * phase)
            samples[first + n] += loudness * envelope(t, length) * tone / 1.25
    peak = max(abs(s) for s in samples) or 1.0
    return [s / peak * PEAK for s in samples], total_ms


def write(path, samples):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", round(s * 32767)) for s in samples))


def main():
    folder = pathlib.Path(__file__).resolve().parent.parent / "assets" / "sounds"
    folder.mkdir(parents=True, exist_ok=True)
    for name, notes in SOUNDS.items():
        samples, total_ms = render(notes)
        assert total_ms < 150, name
        write(folder / f"{name}.wav", samples)
        print(f"{name}.wav: {total_ms} ms")


if __name__ == "__main__":
    main()
