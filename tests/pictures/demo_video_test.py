"""scripts/make-demo-video.sh: the demo's MP4 and GIF from numbered frames,
with the sound track when there is one. Needs ffmpeg; skipped (77) without it.
usage: demo_video_test.py WORK-DIR"""

import os
import shutil
import struct
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from picture_files import read_picture  # noqa: E402

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
MAKE_VIDEO = os.path.join(SOURCE, "scripts", "make-demo-video.sh")
WORK = sys.argv[1] if len(sys.argv) > 1 else "demo_video"
RATE, WIDTH, HEIGHT = 18, 63, 35  # odd sides: the video doubles them
RED, BLUE = (230, 30, 30), (30, 30, 230)
SECOND_OF_RED_THEN_BLUE = [RED] * RATE + [BLUE] * RATE


def write_bmp(path, colour):
    stride = (WIDTH * 3 + 3) & ~3
    row = bytes(colour[::-1]) * WIDTH + bytes(stride - WIDTH * 3)
    with open(path, "wb") as file:
        file.write(b"BM" + struct.pack("<IHHI", 54 + stride * HEIGHT, 0, 0, 54))
        file.write(struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, stride * HEIGHT,
                               0, 0, 0, 0))
        file.write(row * HEIGHT)


def write_wav(path, seconds):
    rate, samples = 22050, int(22050 * seconds)
    data = bytes(128 + (40 if (i // 50) % 2 else -40) for i in range(samples))
    with open(path, "wb") as file:
        file.write(b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt ")
        file.write(struct.pack("<IHHIIHH", 16, 1, 1, rate, rate, 1, 8))
        file.write(b"data" + struct.pack("<I", len(data)) + data)


def streams(path):
    listed = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-show_entries",
                             "stream=codec_type,codec_name,width,height,duration,nb_read_frames:"
                             "format=duration", "-of", "compact=p=0:nk=0", path],
                            capture_output=True, text=True, check=True).stdout
    found = {}
    for line in listed.splitlines():
        fields = dict(field.split("=", 1) for field in line.split("|"))
        found[fields.get("codec_type", "format")] = fields
    return found


def frame_at(video, seconds, out):
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-ss", str(seconds), "-i", video,
                    "-frames:v", "1", "-pix_fmt", "bgr24", out], check=True)
    width, height, rows = read_picture(out)
    middle = rows[height // 2]
    return tuple(middle[width // 2 * 3:width // 2 * 3 + 3])


class DemoVideo(unittest.TestCase):
    def make(self, name, frames=SECOND_OF_RED_THEN_BLUE, sound_seconds=None):
        folder = os.path.join(WORK, name)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(os.path.join(folder, "frames"))
        os.makedirs(os.path.join(folder, "demo"))
        for number, colour in enumerate(frames, 1):
            write_bmp(os.path.join(folder, "frames", f"{number:05d}.bmp"), colour)
        if sound_seconds is not None:
            write_wav(os.path.join(folder, "demo", "demo.wav"), sound_seconds)
        done = subprocess.run(["sh", MAKE_VIDEO, os.path.join(folder, "frames"),
                               os.path.join(folder, "demo")], capture_output=True, text=True)
        return done, os.path.join(folder, "demo")

    def assertColour(self, found, wanted):
        self.assertTrue(all(abs(a - b) <= 24 for a, b in zip(found, wanted)),
                        f"expected about {wanted}, found {found}")

    def test_silent_video_one_frame_a_tick(self):
        done, demo = self.make("silent")
        self.assertEqual(done.returncode, 0, done.stderr)
        found = streams(os.path.join(demo, "demo.mp4"))
        self.assertNotIn("audio", found)
        self.assertEqual(found["video"]["codec_name"], "h264")
        self.assertEqual((found["video"]["width"], found["video"]["height"]),
                         (str(WIDTH * 2), str(HEIGHT * 2)))
        self.assertEqual(found["video"]["nb_read_frames"], str(len(SECOND_OF_RED_THEN_BLUE)))
        self.assertAlmostEqual(float(found["format"]["duration"]), 2.0, delta=0.06)
        self.assertColour(frame_at(os.path.join(demo, "demo.mp4"), 0.5, os.path.join(demo, "a.bmp")), RED)
        self.assertColour(frame_at(os.path.join(demo, "demo.mp4"), 1.5, os.path.join(demo, "b.bmp")), BLUE)

    def test_gif_holds_the_last_frame_a_second(self):
        done, demo = self.make("gif")
        self.assertEqual(done.returncode, 0, done.stderr)
        gif = os.path.join(demo, "demo.gif")
        found = streams(gif)
        self.assertEqual(found["video"]["codec_name"], "gif")
        self.assertEqual(found["video"]["width"], str(WIDTH))
        self.assertEqual(found["video"]["nb_read_frames"], str(len(SECOND_OF_RED_THEN_BLUE) + RATE))
        self.assertColour(frame_at(gif, 0.2, os.path.join(demo, "a.bmp")), RED)
        self.assertColour(frame_at(gif, 2.5, os.path.join(demo, "b.bmp")), BLUE)

    def test_sound_track_longer_than_the_frames(self):
        done, demo = self.make("long_sound", sound_seconds=3.0)
        self.assertEqual(done.returncode, 0, done.stderr)
        found = streams(os.path.join(demo, "demo.mp4"))
        self.assertEqual(found["audio"]["codec_name"], "aac")
        self.assertAlmostEqual(float(found["format"]["duration"]), 3.0, delta=0.06)
        # The last frame held while the sound goes on.
        self.assertEqual(found["video"]["nb_read_frames"], str(3 * RATE))
        self.assertColour(frame_at(os.path.join(demo, "demo.mp4"), 2.8, os.path.join(demo, "a.bmp")), BLUE)

    def test_sound_track_shorter_than_the_frames(self):
        done, demo = self.make("short_sound", sound_seconds=0.5)
        self.assertEqual(done.returncode, 0, done.stderr)
        found = streams(os.path.join(demo, "demo.mp4"))
        # The sound track padded with silence to the video's end.
        self.assertAlmostEqual(float(found["audio"]["duration"]), 2.0, delta=0.06)
        self.assertEqual(found["video"]["nb_read_frames"], str(len(SECOND_OF_RED_THEN_BLUE)))
        self.assertAlmostEqual(float(found["format"]["duration"]), 2.0, delta=0.06)

    def test_same_frames_same_files(self):
        first, first_demo = self.make("first", sound_seconds=1.0)
        second, second_demo = self.make("second", sound_seconds=1.0)
        self.assertEqual((first.returncode, second.returncode), (0, 0))
        for name in ("demo.mp4", "demo.gif"):
            with open(os.path.join(first_demo, name), "rb") as one, \
                    open(os.path.join(second_demo, name), "rb") as other:
                self.assertTrue(one.read() == other.read(), f"{name} differs between two runs")

    def test_no_frames_named(self):
        done, _ = self.make("no_frames", frames=[])
        self.assertEqual(done.returncode, 1)
        self.assertIn("no_frames/frames: no frames (00001.bmp", done.stderr)


if __name__ == "__main__":
    if shutil.which("ffmpeg") is None or shutil.which("ffprobe") is None:
        print("no ffmpeg here: skipped")
        sys.exit(77)
    unittest.main(argv=sys.argv[:1], verbosity=2)
