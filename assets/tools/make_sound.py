#!/usr/bin/env python3
"""Synthesises the completion sound, a sonar ping, and writes it as assets/completion.wav.

RIFF WAVE, PCM, mono, 22,050 Hz, 16-bit, a single "data" chunk of 52,864 samples (about 2.4 s):
a short tone burst with a slight downward sweep, its fainter echo, the long hollow tail of the
water around it (a small Schroeder reverberator) and a little sea noise underneath.

Usage: make_sound.py [OUTPUT.wav]
"""

import math
import os
import random
import struct
import sys

RATE = 22050
SAMPLES = 52864


def tone_burst(n, start, freq, length, amp):
    """A ping: quick attack, exponential decay, slowly falling pitch."""
    out = [0.0] * n
    phase = 0.0
    for i in range(start, n):
        t = (i - start) / RATE
        if t > length:
            break
        f = freq * (1.0 - 0.025 * t / length)
        phase += 2 * math.pi * f / RATE
        attack = min(1.0, t / 0.006)
        env = attack * math.exp(-t / (length * 0.28))
        # A touch of the second harmonic gives the ping its metallic edge.
        out[i] = amp * env * (math.sin(phase) + 0.18 * math.sin(2 * phase + 0.4))
    return out


def comb(x, delay, feedback, damping):
    y = [0.0] * len(x)
    buf = [0.0] * delay
    pos = 0
    low = 0.0
    for i, v in enumerate(x):
        out = buf[pos]
        low = out * (1 - damping) + low * damping
        buf[pos] = v + low * feedback
        pos = (pos + 1) % delay
        y[i] = out
    return y


def allpass(x, delay, gain):
    y = [0.0] * len(x)
    buf = [0.0] * delay
    pos = 0
    for i, v in enumerate(x):
        b = buf[pos]
        out = -v + b
        buf[pos] = v + b * gain
        pos = (pos + 1) % delay
        y[i] = out
    return y


def reverb(x):
    combs = [(1116, 0.86), (1188, 0.85), (1277, 0.84), (1356, 0.83)]
    wet = [0.0] * len(x)
    for delay, fb in combs:
        for i, v in enumerate(comb(x, delay, fb, 0.3)):
            wet[i] += v / len(combs)
    for delay in (225, 556):
        wet = allpass(wet, delay, 0.5)
    return wet


def sea_noise(n, seed):
    """Brown noise, low-passed twice: a soft rumble."""
    rnd = random.Random(seed)
    out = [0.0] * n
    a = b = 0.0
    for i in range(n):
        a = a * 0.995 + (rnd.random() - 0.5) * 0.1
        b = b * 0.9 + a * 0.1
        out[i] = b
    return out


def synthesise():
    n = SAMPLES
    ping = tone_burst(n, 200, 1180.0, 1.2, 1.0)
    echo = tone_burst(n, int(1.05 * RATE), 1170.0, 0.9, 0.22)
    dry = [p + e for p, e in zip(ping, echo)]
    wet = reverb(dry)
    noise = sea_noise(n, 3)
    out = []
    for i in range(n):
        t = i / RATE
        fade = min(1.0, (n - i) / (0.25 * RATE))
        swell = 0.5 + 0.5 * math.sin(2 * math.pi * 0.4 * t)
        out.append((0.75 * dry[i] + 0.55 * wet[i] + 0.05 * swell * noise[i]) * fade)
    peak = max(abs(v) for v in out)
    return [v * 0.7 / peak for v in out]


def wave_bytes(samples):
    data = b"".join(struct.pack("<h", max(-32768, min(32767, int(round(v * 32767)))))
                    for v in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out = argv[0] if argv else os.path.normpath(os.path.join(here, "..", "completion.wav"))
    wav = wave_bytes(synthesise())
    with open(out, "wb") as f:
        f.write(wav)
    print("%s: %d bytes, %.2f s" % (out, len(wav), SAMPLES / RATE))


if __name__ == "__main__":
    main(sys.argv[1:])
