#!/usr/bin/env python3
"""Writes Tonpara's two feedback sounds, resources/sounds/ok.wav and mis.wav.

Run from anywhere:  python3 tools/make-sounds.py [FOLDER]
FOLDER defaults to the repository's resources/sounds. The output depends on nothing but this script (no randomness, no time
stamps), so running it again gives the same bytes as the committed files.

Both sounds are 16-bit PCM mono at 44.1 kHz and well under 300 ms, so a
synchronous hit or miss never holds the learner up. Every sound starts and
ends with a short fade, which keeps the speaker from clicking.
"""
import math
import pathlib
import struct
import sys
import wave

RATE = 44100
PEAK = 0.45  # of full scale: clearly audible, never clipping after summing


def envelope(i, count, attack, release):
    """Linear fade-in over `attack` frames and fade-out over `release`."""
    gain = 1.0
    if i < attack:
        gain = i / attack
    if i >= count - release:
        gain = min(gain, (count - 1 - i) / release)
    return gain


def chime(i):
    """A bright, quickly decaying chord of E6 and B6 with a soft overtone."""
    t = i / RATE
    decay = math.exp(-t * 18.0)
    return decay * (0.6 * math.sin(2 * math.pi * 1318.51 * t)
                    + 0.3 * math.sin(2 * math.pi * 1975.53 * t)
                    + 0.1 * math.sin(2 * math.pi * 2637.02 * t))


def buzz(i):
    """A low, rough tone: the first odd harmonics of 110 Hz, like a soft square."""
    t = i / RATE
    value = 0.0
    for k in (1, 3, 5, 7, 9):
        value += math.sin(2 * math.pi * 110.0 * k * t) / k
    return value / 1.3


def render(path, voice, milliseconds, attack_ms, release_ms):
    count = RATE * milliseconds // 1000
    attack = RATE * attack_ms // 1000
    release = RATE * release_ms // 1000
    frames = bytearray()
    for i in range(count):
        sample = PEAK * envelope(i, count, attack, release) * voice(i)
        frames += struct.pack('<h', max(-32767, min(32767, round(sample * 32767))))
    with wave.open(str(path), 'wb') as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


def main():
    if len(sys.argv) > 1:
        folder = pathlib.Path(sys.argv[1])
    else:
        folder = pathlib.Path(__file__).resolve().parent.parent / 'resources' / 'sounds'
    folder.mkdir(parents=True, exist_ok=True)
    render(folder / 'ok.wav', chime, 160, 2, 20)
    render(folder / 'mis.wav', buzz, 200, 5, 30)


if __name__ == '__main__':
    main()
