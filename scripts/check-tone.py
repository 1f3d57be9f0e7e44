#!/usr/bin/env python3
"""Checks a recording of the sound sink against the moments an alarm
scenario wrote down: the test tone must sound while the alarm rings and be
gone once 关闭闹钟 has been pressed.

usage: check-tone.py RECORDING.raw START_UNIX_MS EVENTS FREQUENCY
The recording is signed 16-bit little-endian mono at 44100 Hz, begun at
START_UNIX_MS; EVENTS has lines "ringing|closing|closed|end <unix ms>".
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
    recording, start_ms, events_path, frequency = sys.argv[1], float(sys.argv[2]), sys.argv[3], float(sys.argv[4])
    with open(recording, 'rb') as f:
        data = f.read()
    samples = struct.unpack('<%dh' % (len(data) // 2), data[: len(data) // 2 * 2])
    events = {}
    with open(events_path) as f:
        for line in f:
            name, ms = line.split()
            events[name] = float(ms)
    for name in ('ringing', 'closing', 'closed', 'end'):
        if name not in events:
            print('check-tone: the scenario did not record "%s"' % name)
            return 1

    def windows(from_ms, to_ms):
        first = int((from_ms - start_ms) / 1000 * RATE)
        last = int((to_ms - start_ms) / 1000 * RATE)
        result = []
        for i in range(max(first, 0), max(last - WINDOW, 0), WINDOW):
            chunk = samples[i:i + WINDOW]
            if len(chunk) == WINDOW:
                result.append(chunk)
        return result

    ringing = windows(events['ringing'] + 300, events['closing'])
    silent = windows(events['closed'] + 500, events['end'])
    if not ringing or not silent:
        print('check-tone: the recording does not cover the scenario (%d bytes)' % len(data))
        return 1
    toned = [w for w in ringing if rms(w) > 300 and goertzel_power(w, frequency) > 0.25 * rms(w) ** 2]
    loud_after = [w for w in silent if rms(w) > 100]
    print('check-tone: %d of %d windows hold the %g Hz tone while ringing; %d of %d loud after closing'
          % (len(toned), len(ringing), frequency, len(loud_after), len(silent)))
    if len(toned) < 0.8 * len(ringing):
        print('check-tone: the ringtone did not sound')
        return 1
    if loud_after:
        print('check-tone: 关闭闹钟 did not silence the ringtone')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
