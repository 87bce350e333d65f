"""Synthesises the game's sound effects: short 44.1 kHz mono 16-bit WAV files.

Each effect keeps to a band of its own so that the game's output can be told apart by frequency:
the thuds of peas and turrets stay below 700 Hz, the jump sweeps upwards between 500 Hz and 2.8 kHz
(the game raises its pitch with the charge), and the countdown tick is a 4 kHz blip. Every onset
takes a few milliseconds, which keeps the sharp edges of a click out of the other effects' bands.

Usage: sounds.py OUTPUT_DIR
"""

import os
import sys
import wave

import numpy as np

RATE = 44100
rng = np.random.default_rng(7)


def seconds(duration):
    return np.arange(int(duration * RATE)) / RATE


def envelope(duration, attack, decay):
    """A raised-cosine attack of `attack` seconds, then an exponential decay with time constant `decay`."""
    t = seconds(duration)
    rise = np.where(t < attack, 0.5 - 0.5 * np.cos(np.pi * np.minimum(t / attack, 1.0)), 1.0)
    fall = np.exp(-np.maximum(t - attack, 0.0) / decay)
    # The last 5 ms fade to exact silence, so a sound never ends on a step.
    tail = np.clip((duration - t) / 0.005, 0.0, 1.0)
    return rise * fall * tail


def low_pass(signal, cutoff):
    """Removes everything above `cutoff` Hz (a brick wall in the frequency domain)."""
    spectrum = np.fft.rfft(signal)
    spectrum[np.fft.rfftfreq(len(signal), 1 / RATE) > cutoff] = 0
    return np.fft.irfft(spectrum, len(signal))


def sweep(start, end, duration):
    """A sine whose frequency glides exponentially from `start` to `end` Hz."""
    t = seconds(duration)
    frequency = start * (end / start) ** (t / duration)
    return np.sin(2 * np.pi * np.cumsum(frequency) / RATE)


def tone(frequency, duration):
    return np.sin(2 * np.pi * frequency * seconds(duration))


def jump():
    duration = 0.35
    body = sweep(600, 1500, duration) + 0.3 * sweep(900, 2250, duration)
    return body * envelope(duration, 0.01, 0.15)


def pea_impact():
    duration = 0.12
    noise = low_pass(rng.standard_normal(int(duration * RATE)), 600)
    knock = tone(180, duration)
    return (noise / np.abs(noise).max() + 0.6 * knock) * envelope(duration, 0.003, 0.03)


def turret_shot():
    duration = 0.25
    t = seconds(duration)
    thump = np.sin(2 * np.pi * np.cumsum(220 * np.exp(-t / 0.05) + 60) / RATE)
    puff = low_pass(rng.standard_normal(len(t)), 500)
    return low_pass(thump + 0.5 * puff / np.abs(puff).max(), 650) * envelope(duration, 0.004, 0.06)


def tick():
    duration = 0.06
    return tone(4000, duration) * envelope(duration, 0.003, 0.02)


def notes(frequencies, length, decay):
    """Notes one after the other, each with a soft onset and its own decay."""
    return np.concatenate([(tone(f, length) + 0.3 * tone(2 * f, length)) * envelope(length, 0.005, decay)
                           for f in frequencies])


def win():
    # A rising major arpeggio, C5 E5 G5 C6.
    return notes([523.25, 659.25, 783.99, 1046.5], 0.16, 0.12)


def lose():
    # Three falling notes, the last held.
    return np.concatenate([notes([392.0, 329.63], 0.22, 0.15), notes([261.63], 0.6, 0.3)])


def write(path, signal, peak=0.8):
    samples = np.round(signal / np.abs(signal).max() * peak * 32767).astype("<i2")
    with wave.open(path, "wb") as file:
        file.setnchannels(1)
        file.setsampwidth(2)
        file.setframerate(RATE)
        file.writeframes(samples.tobytes())


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: sounds.py OUTPUT_DIR")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, make in [("jump", jump), ("pea_impact", pea_impact), ("turret_shot", turret_shot),
                       ("tick", tick), ("win", win), ("lose", lose)]:
        write(os.path.join(folder, name + ".wav"), make())


if __name__ == "__main__":
    main()
