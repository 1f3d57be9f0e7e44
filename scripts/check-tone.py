#!/usr/bin/env python3
"""Checks a recording of the sound sink against what the alarm scenario saw:
the test tone must sound once, for about as long as the alarm rang before
关闭闹钟 was pressed, and be followed by silence to the end of the recording.

usage: check-tone.py RECORDING.raw EVENTS FREQUENCY
The recording is signed 16-bit little-endian mono at 44100 Hz; EVENTS has
lines "ringing|closing|closed|end <unix ms>" written by the scenario.

The sink's monitor does not deliver sound at an even pace against the wall
clock, so the check goes by durations within the recording rather than by
lining the recording up with the scenario's clock.
"""
import math
import struct
import sys

RATE = 44100
WINDOW = RATE // 10  # 100 ms


def goertzel_power(samples, frequency):
    coefficient = 2 * math.cos(2 * math.pi * frequency / RATE)
    s1 = s2 = 0.0
    for x in samples:
        s1, s2 = x + coefficient * s1 - s2, s1
    return (s1 * s1 + s2 * s2 - coefficient * s1 * s2) / (len(samples) ** 2)


def rms(samples):
    return math.sqrt(sum(x * x for x in samples) / len(samples)) if samples else 0.0


def main():
    recording, events_path, frequency = sys.argv[1], sys.argv[2], float(sys.argv[3])
    with open(recording, 'rb') as f:
        data = f.read()
    samples = struct.unpack('<%dh' % (len(data) // 2), data[: len(data) // 2 * 2])
    events = {}
    with open(events_path) as f:
        for line in f:
            name, ms = line.split()
            events[name] = float(ms)
    missing = [n for n in ('ringing', 'closing', 'closed', 'end') if n not in events]
    if missing:
        print('check-tone: the scenario did not record %s' % ', '.join(missing))
        return 1

    windows = [samples[i:i + WINDOW] for i in range(0, len(samples) - WINDOW + 1, WINDOW)]
    toned = [rms(w) > 300 and goertzel_power(w, frequency) > 0.25 * rms(w) ** 2 for w in windows]
    loud = [rms(w) > 100 for w in windows]
    if not any(toned):
        print('check-tone: the ringtone did not sound (%d windows of 100 ms recorded)' % len(windows))
        return 1
    first = toned.index(True)
    last = len(toned) - 1 - toned[::-1].index(True)
    heard = (last - first + 1) / 10.0
    rang = (events['closing'] - events['ringing']) / 1000.0
    gaps = sum(1 for t in toned[first:last + 1] if not t)
    after = loud[last + 2:]  # the window after the last toned one may hold its tail
    print('check-tone: the %g Hz tone sounded %.1f s (the alarm rang %.1f s before 关闭闹钟), '
          'then %.1f s of recording with %d loud windows'
          % (frequency, heard, rang, len(after) / 10.0, sum(after)))
    if gaps > max(2, (last - first + 1) // 5):
        print('check-tone: the tone broke off %d times while ringing' % gaps)
        return 1
    # The monitor's pace is uneven, so durations are compared loosely.
    if heard < rang / 2:
        print('check-tone: the ringtone sounded for less time than the alarm rang')
        return 1
    if heard > rang + 1.0:
        print('check-tone: the ringtone went on after 关闭闹钟')
        return 1
    if len(after) < 15 or any(after):
        print('check-tone: no silence after 关闭闹钟')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
