"""Checks a panel's sound track against the sounds the gauges play and the
ticks the trace gives their plays at: from the tick of each play the sound as
the bench's mixer writes it (44100 Hz, each source frame on its frame, the
frames between drawn linearly, the last one held), whole before the track
ends, and silence wherever nothing plays.

usage: check_sound_track.py TRACE.txt TRACK.wav SOUND.wav[:SECONDS]...
  each play in the trace is the SOUND whose first SECONDS (default: all of
  it) hold as many bytes as the played buffer
"""
import re
import struct
import sys
import wave

RATE = 44100
FRAMES_PER_TICK = RATE // 18
PLAY = re.compile(r"\[tick +(\d+)\] (\S+): sound plays buffer \d+ \((\d+) bytes\)")


class Sound:
    def __init__(self, argument):
        path, _, seconds = argument.partition(":")
        with wave.open(path) as sound:
            rate, width, channels = sound.getframerate(), sound.getsampwidth(), sound.getnchannels()
            frames = sound.getnframes() if not seconds else round(float(seconds) * rate)
            data = sound.readframes(frames)
        if len(data) != frames * width * channels:
            sys.exit("%s holds less than %s s" % (path, seconds))
        if width == 1:
            values = [(byte - 128) * 256 for byte in data]
        else:
            values = list(struct.unpack("<%dh" % (len(data) // 2), data))
        self.name = path.replace("\\", "/").split("/")[-1]
        self.bytes = len(data)
        self.mixed = mixed(values[::channels], rate)

    def seconds(self):
        return len(self.mixed) / RATE


def mixed(source, rate):
    """The frames the mixer writes for a one-shot play of `source` at `rate`."""
    frames = []
    at = 0
    while at < len(source) * RATE:
        frame, fraction = divmod(at, RATE)
        first = source[frame]
        second = source[min(frame + 1, len(source) - 1)]
        step = abs(second - first) * fraction // RATE  # C++ division: towards zero
        frames.append(first + (step if second >= first else -step))
        at += rate
    return frames


def main():
    trace_path, track_path = sys.argv[1:3]
    sounds = [Sound(argument) for argument in sys.argv[3:]]
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
    expected = [0] * frames
    playing = [[] for _ in range(frames)]
    played = set()
    for match in PLAY.finditer(trace):
        tick, gauge, bytes_ = int(match.group(1)), match.group(2), int(match.group(3))
        sound = next((sound for sound in sounds if sound.bytes == bytes_), None)
        if sound is None:
            sys.exit("%s plays %d bytes at tick %d: no sound of that many bytes given" % (gauge, bytes_, tick))
        played.add(sound.name)
        start = tick * FRAMES_PER_TICK
        end = start + len(sound.mixed)
        print("%s: %s from tick %d, %.4f s to %.4f s (%.4f s)" % (
            gauge, sound.name, tick, start / RATE, end / RATE, sound.seconds()))
        if end > frames:
            problems.append("%s from tick %d is cut off by the track's end at %.4f s: it lasts until %.4f s" % (
                sound.name, tick, frames / RATE, end / RATE))
        for i, value in enumerate(sound.mixed[:frames - start]):
            expected[start + i] += value
            playing[start + i].append(sound.name)
    problems += ["expected a play of %s in the trace, found none" % sound.name
                 for sound in sounds if sound.name not in played]
    for i in range(frames):
        wanted = max(-32768, min(32767, expected[i]))
        if left[i] != wanted:
            what = " + ".join(playing[i]) or "silence"
            problems.append("at %.4f s (tick %d): expected %d (%s), found %d" % (
                i / RATE, i // FRAMES_PER_TICK, wanted, what, left[i]))
            break
    for problem in problems:
        print("FAIL: " + problem)
    sys.exit(1 if problems else 0)


main()
