"""The bench's --frames: one BMP file a tick, each the panel picture after
that tick's cycle, the same bytes on every run.
usage: frames_test.py WINE-RUN BENCH-EXE GAUGE-DIR WORK-DIR DATA-DIR"""

import os
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from picture_files import first_difference, read_picture  # noqa: E402

WINE_RUN, BENCH, GAUGES, WORK, DATA = (os.path.abspath(arg) for arg in sys.argv[1:6])
# Four ticks: the master switch turned on in the third, off again before the fourth.
CONFIG, SCRIPT, SNAPSHOT, TICKS = "named_scaled.cfg", "scaled_clicks.scenario", "scaled.png", 4


def bench(name, *args):
    """Runs the bench; (exit status, what it printed). Its output goes through a
    file: Wine's desktop and RPC processes may hold a pipe open long after it."""
    log = os.path.join(WORK, f"{name}.txt")
    with open(log, "w") as output:
        status = subprocess.run([WINE_RUN, BENCH, "Aircraft/test/panel/panel.cfg", "--script",
                                 "script.txt", *args], cwd=WORK, stdout=output,
                                stderr=subprocess.STDOUT, timeout=300).returncode
    with open(log) as output:
        return status, output.read()


def run_bench(run):
    frames, out = os.path.join(WORK, f"frames-{run}"), os.path.join(WORK, f"out-{run}")
    return bench(f"run-{run}", "--out", out, "--frames", frames), frames, out


class Frames(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        panel = os.path.join(WORK, "Aircraft", "test", "panel")
        os.makedirs(panel)
        for name in os.listdir(GAUGES):
            if name.endswith(".gau"):
                shutil.copy(os.path.join(GAUGES, name), panel)
        shutil.copy(os.path.join(DATA, CONFIG), os.path.join(panel, "panel.cfg"))
        shutil.copy(os.path.join(DATA, SCRIPT), os.path.join(WORK, "script.txt"))
        cls.runs = [run_bench(run) for run in (1, 2)]

    def test_bench_succeeds(self):
        for (status, printed), _, _ in self.runs:
            self.assertEqual(status, 0, printed)

    def test_one_numbered_frame_a_tick(self):
        for _, frames, _ in self.runs:
            self.assertEqual(sorted(os.listdir(frames)), [f"{n:05d}.bmp" for n in range(1, TICKS + 1)])

    def test_last_frame_is_the_snapshot_after_the_last_tick(self):
        _, frames, out = self.runs[0]
        snapshot = read_picture(os.path.join(out, SNAPSHOT))
        last = read_picture(os.path.join(frames, f"{TICKS:05d}.bmp"))
        self.assertIsNone(first_difference(last, snapshot))
        # The tick before shows the switch on: each frame is its own tick's picture.
        before = read_picture(os.path.join(frames, f"{TICKS - 1:05d}.bmp"))
        self.assertIsNotNone(first_difference(before, snapshot))

    def test_two_runs_write_the_same_bytes(self):
        (_, first, _), (_, second, _) = self.runs
        for name in sorted(os.listdir(first)):
            with open(os.path.join(first, name), "rb") as one, \
                    open(os.path.join(second, name), "rb") as other:
                self.assertTrue(one.read() == other.read(), f"{name} differs between two runs")

    def test_unusable_folder_stops_the_bench_before_it_runs(self):
        status, printed = bench("unusable", "--frames", "script.txt/frames")
        self.assertEqual(status, 2, printed)
        self.assertRegex(printed, r"script\.txt.frames: cannot make the frames folder")
        self.assertNotIn("panel ", printed)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
