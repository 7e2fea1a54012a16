"""Checks a panel's sound track against the sounds the gauges play and the
ticks the trace gives their plays at: silence before the click, the click from
the tick of its play, silence between, the starter from the tick of its play
for 6.3 s of panel time, then silence. With STARTER.wav "none" the run plays
the click alone, and silence follows it to the end.

usage: check_sound_track.py TRACE.txt TRACK.wav CLICK.wav STARTER.wav|none
"""
import re
import struct
import sys
import wave

RATE = 44100
FRAMES_PER_TICK = RATE // 18


def samples(path):
    """The file's rate and its samples as 16-bit values (first channel)."""
    with wave.open(path) as sound:
        data = sound.readframes(sound.getnframes())
        width, channels = sound.getsampwidth(), sound.getnchannels()
        rate = sound.getframerate()
    if width == 1:
        values = [(byte - 128) * 256 for byte in data]
    else:
        values = list(struct.unpack("<%dh" % (len(data) // 2), data))
    return rate, values[::channels]


def play_tick(trace, gauge, bytes_):
    pattern = re.compile(r"\[tick +(\d+)\] %s: sound plays buffer \d+ \(%d bytes\)" % (gauge, bytes_))
    ticks = [int(m.group(1)) for m in pattern.finditer(trace)]
    if len(ticks) != 1:
        sys.exit("expected one play of %s's %d-byte buffer in the trace, found %d" % (gauge, bytes_, len(ticks)))
    return ticks[0]


def main():
    trace_path, track_path, click_path, starter_path = sys.argv[1:5]
    trace = open(trace_path, encoding="latin-1").read()
    with wave.open(track_path) as track:
        if (track.getframerate(), track.getsampwidth(), track.getnchannels()) != (RATE, 2, 2):
            sys.exit("expected a 44100 Hz 16-bit stereo track")
        frames = track.getnframes()
        data = track.readframes(frames)
    pairs = struct.unpack("<%dh" % (2 * frames), data)
    left, right = pairs[0::2], pairs[1::2]
    if left != right:
        sys.exit("expected the same mono sounds, unpanned, on both channels")
    ticks = int(re.findall(r"\[tick +(\d+)\]", trace)[-1])
    if frames != ticks * FRAMES_PER_TICK:
        sys.exit("expected %d frames for %d ticks, found %d" % (ticks * FRAMES_PER_TICK, ticks, frames))

    problems = []

    def expect_silence(begin, end, what):
        loud = [i for i in range(begin, end) if left[i] != 0]
        if loud:
            problems.append("expected silence %s, found sound at %.4f s" % (what, loud[0] / RATE))

    def expect_sound(name, path, start):
        rate, source = samples(path)
        step = RATE // rate  # the source's frames fall on every step-th frame of the track
        for j, value in enumerate(source):
            at = start + step * j
            if at >= frames or left[at] != value:
                problems.append("expected %s's sample %d (%d) at %.4f s, found %s" % (
                    name, j, value, at / RATE, left[at] if at < frames else "the end of the track"))
                return start
        end = start + step * len(source)
        print("%s: %.4f s to %.4f s (%.4f s)" % (name, start / RATE, end / RATE, (end - start) / RATE))
        return end

    click = play_tick(trace, "Brennovalux", 1322) * FRAMES_PER_TICK
    expect_silence(0, click, "before the click")
    click_end = expect_sound("click", click_path, click)
    if starter_path == "none":
        expect_silence(click_end, frames, "after the click")
    else:
        starter = play_tick(trace, "Delvarotine", 277830) * FRAMES_PER_TICK
        expect_silence(click_end, starter, "between the click and the starter")
        starter_end = expect_sound("starter", starter_path, starter)
        if starter_end - starter != round(6.3 * RATE):
            problems.append("expected the starter to last 6.3 s, found %.4f s" % ((starter_end - starter) / RATE))
        expect_silence(starter_end, frames, "after the starter")
    for problem in problems:
        print("FAIL: " + problem)
    sys.exit(1 if problems else 0)


main()
