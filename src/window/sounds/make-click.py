#!/usr/bin/env python3
"""Writes click.wav, the buttons' click sound: 35 ms, 44.1 kHz, 16-bit mono.

A soft tick: two short sine partials under a fast exponential decay, with a
2 ms fade-in so that the start does not pop, at about a quarter of full scale.
Run it from this folder to remake the file.
"""
import math
import struct
import wave

RATE = 44100
LENGTH = 0.035
PEAK = 0.25

samples = []
for n in range(int(RATE * LENGTH)):
    t = n / RATE
    envelope = math.exp(-t / 0.006) * min(1.0, t / 0.002)
    value = 0.7 * math.sin(2 * math.pi * 1750 * t) + 0.3 * math.sin(2 * math.pi * 880 * t)
    samples.append(int(32767 * PEAK * envelope * value))

with wave.open("click.wav", "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(RATE)
    out.writeframes(struct.pack("<%dh" % len(samples), *samples))
