"""Checks that a stopped gauge's looping tone ends in the panel's sound track:
sound in the ticks before TICK, silence from the tick after it to the end.

usage: check_stopped_sound.py TRACK.wav TICK
"""
import struct
import sys
import wave

FRAMES_PER_TICK = 44100 // 18


def main(track_path, tick):
    with wave.open(track_path) as track:
        frames = track.readframes(track.getnframes())
    left = struct.unpack("<%dh" % (len(frames) // 2), frames)[::2]
    before = left[:tick * FRAMES_PER_TICK]
    after = left[(tick + 1) * FRAMES_PER_TICK:]
    if not any(before):
        sys.exit("FAIL: no sound before tick %d" % tick)
    if not after:
        sys.exit("FAIL: the track ends by tick %d" % (tick + 1))
    if any(after):
        sys.exit("FAIL: the tone still sounds after the gauge stopped at tick %d" % tick)
    print("the tone sounds until tick %d and is silent for the %d ticks after" %
          (tick, len(after) // FRAMES_PER_TICK))


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]))
