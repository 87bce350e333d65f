"""The game's sound as OpenAL Soft writes it to a WAV file instead of a device.

OpenAL Soft reads the configuration file named by ALSOFT_CONF; with the wave driver it mixes in
real time into a 32-bit float stereo WAV file (WAVE_FORMAT_EXTENSIBLE, which Python's wave module
cannot read). The sizes in the header are written only when the device closes, so the reader takes
whatever sample data is there, also from a game that is still running or was killed.
"""

import os
import struct

import numpy as np

RATE = 44100
CHANNELS = 2
FRAME_BYTES = 4 * CHANNELS


def environment(folder):
    """Environment variables that send the game's sound into folder/output.wav; returns them and the path."""
    wav = os.path.join(folder, "output.wav")
    config = os.path.join(folder, "alsoft.conf")
    with open(config, "w") as file:
        file.write(f"[general]\ndrivers = wave\nchannels = stereo\nfrequency = {RATE}\n"
                   f"sample-type = float32\n[wave]\nfile = {wav}\n")
    return {"ALSOFT_CONF": config}, wav


def no_device_environment(folder):
    """Environment variables under which OpenAL Soft finds no output driver at all."""
    config = os.path.join(folder, "alsoft-none.conf")
    with open(config, "w") as file:
        file.write("[general]\ndrivers = none\n")
    return {"ALSOFT_CONF": config}


def failing_alsa_environment(folder):
    """Environment variables under which OpenAL Soft tries ALSA alone, and ALSA, given an empty
    configuration, knows no device: both libraries then print their own complaints, as on a
    machine without a sound card."""
    config = os.path.join(folder, "alsoft-alsa.conf")
    with open(config, "w") as file:
        file.write("[general]\ndrivers = alsa\n")
    alsa_config = os.path.join(folder, "alsa-empty.conf")
    open(alsa_config, "w").close()
    return {"ALSOFT_CONF": config, "ALSA_CONFIG_PATH": alsa_config}


def _data_offset(header):
    """Byte offset of the sample data: just past the "data" chunk's header."""
    position = 12
    while position + 8 <= len(header):
        chunk, size = struct.unpack_from("<4sI", header, position)
        if chunk == b"data":
            return position + 8
        position += 8 + size
    raise ValueError("no data chunk in the wave file")


def frames_written(path):
    """How many stereo frames the file holds now: the position in it of the present moment."""
    if not os.path.exists(path):
        return 0
    with open(path, "rb") as file:
        header = file.read(256)
    if len(header) < 12:
        return 0
    return max(0, (os.path.getsize(path) - _data_offset(header)) // FRAME_BYTES)


def read(path):
    """The samples as a (frames, 2) float array, left and right."""
    with open(path, "rb") as file:
        data = file.read()
    start = _data_offset(data)
    usable = (len(data) - start) // FRAME_BYTES * FRAME_BYTES
    return np.frombuffer(data, dtype="<f4", count=usable // 4, offset=start).reshape(-1, CHANNELS)


def band_levels(samples, low, high, window=1024):
    """RMS of the mono mix within [low, high] Hz for consecutive windows of `window` frames."""
    mono = samples.mean(axis=1)
    count = len(mono) // window
    frames = mono[:count * window].reshape(count, window) * np.hanning(window)
    spectrum = np.abs(np.fft.rfft(frames, axis=1)) ** 2
    frequencies = np.fft.rfftfreq(window, 1 / RATE)
    band = (frequencies >= low) & (frequencies <= high)
    return np.sqrt(spectrum[:, band].sum(axis=1)) / window


def onsets(levels, threshold, window=1024, gap=0.3):
    """Times (seconds) where the band level rises above threshold, at least `gap` seconds apart."""
    times = []
    above = levels > threshold
    for index in np.flatnonzero(above[1:] & ~above[:-1]) + 1:
        time = index * window / RATE
        if not times or time - times[-1] >= gap:
            times.append(time)
    return times
