"""The bench on panel files in the forms designers write: the host's own
(one size_mm value, a 1030-pixel background, several windows, gauges the
bench does not have) and its successors' (our gauges in [Window02] of six-field
lines, "//" comments, a subfolder, names with spaces), a window without a
background, a gauge placed twice. Each is checked for what the bench reads
(--check), places (its layout) and draws (each gauge's pixel box in the
snapshot, the background around it untouched).
usage: bench_real_panels_test.py WINE-RUN BENCH-EXE GAUGE-DIR WORK-DIR"""

import os
import shutil
import struct
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "pictures"))
from picture_files import read_picture  # noqa: E402

WINE_RUN, BENCH, GAUGES, WORK = (os.path.abspath(arg) for arg in sys.argv[1:5])
PANEL = "Aircraft/test/panel/panel.cfg"
MAIN_BLUE = (10, 20, 200)
SWITCH_GREY = (90, 90, 100)
DARK_GREY = (0x30, 0x30, 0x30)


def write_bmp(path, width, height, colour):
    """An uncompressed 24-bit bitmap of one colour."""
    stride = (width * 3 + 3) & ~3
    row = bytes(colour[::-1]) * width + bytes(stride - width * 3)
    header = struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + stride * height, 0, 0, 54, 40, width, height,
                         1, 24, 0, stride * height, 2835, 2835, 0, 0)
    with open(path, "wb") as file:
        file.write(header + row * height)


def lay_out(folder, config, script, files=(), subfolder=""):
    """A simulator folder with the gauge files, panel.cfg and script.txt."""
    shutil.rmtree(folder, ignore_errors=True)
    panel = os.path.join(folder, "Aircraft", "test", "panel")
    gauges = os.path.join(panel, subfolder)
    os.makedirs(gauges)
    for name in ("Brennovalux.gau", "Delvarotine.gau"):
        shutil.copy(os.path.join(GAUGES, name), gauges)
    with open(os.path.join(panel, "panel.cfg"), "w", newline="") as file:
        file.write(config)
    with open(os.path.join(folder, "script.txt"), "w") as file:
        file.write(script)
    for name, width, height, colour in files:
        write_bmp(os.path.join(panel, name), width, height, colour)


def bench(folder, *args):
    """Runs the bench in `folder`; (exit status, what it printed). Its output
    goes through a file: Wine's helper processes may hold a pipe open."""
    log = os.path.join(folder, "output.txt")
    with open(log, "w") as output:
        status = subprocess.run([WINE_RUN, BENCH, PANEL, *args], cwd=folder, stdout=output,
                                stderr=subprocess.STDOUT, timeout=300).returncode
    with open(log, errors="replace") as output:
        return status, output.read()


class Snapshot:
    def __init__(self, path):
        self.width, self.height, self.rows = read_picture(path)

    def at(self, x, y):
        return tuple(self.rows[y][x * 3:x * 3 + 3])


def box_problem(picture, box, background):
    """None when the box holds no background pixel and the ring of pixels just
    around it is the background everywhere inside the picture; else where not."""
    left, top, width, height = box
    for y in range(top, top + height):
        for x in range(left, left + width):
            if picture.at(x, y) == background:
                return f"({x}, {y}) inside the box {box} shows the background"
    for x in range(left - 1, left + width + 1):
        for y in (top - 1, top + height):
            if 0 <= x < picture.width and 0 <= y < picture.height and picture.at(x, y) != background:
                return f"({x}, {y}) just outside the box {box} is {picture.at(x, y)}, not the background"
    for y in range(top - 1, top + height + 1):
        for x in (left - 1, left + width):
            if 0 <= x < picture.width and 0 <= y < picture.height and picture.at(x, y) != background:
                return f"({x}, {y}) just outside the box {box} is {picture.at(x, y)}, not the background"
    return None


class BenchCase(unittest.TestCase):
    def assert_box(self, picture, box, background):
        problem = box_problem(picture, box, background)
        self.assertIsNone(problem, problem)

    def assert_marked(self, picture, left, top, background):
        """A placeholder's marker or outline starts at (left, top)."""
        self.assertNotEqual(picture.at(left, top), background, f"nothing drawn at ({left}, {top})")


HOST_FORM = """\
; The host's own documented form: the width alone, a 1030-pixel background,
; a second window, gauges the bench does not have, one gauge twice.
[Window Titles]
Window00=Main Panel
Window01=Radio Stack

[Window00]
file=main.bmp
size_mm=515
window_size_ratio=1.000
position=7
visible=1
ident=MAIN_PANEL
gauge00=Brennovalux, 20, 40
gauge01=Delvarotine, 100, 40
gauge02=Fuel_Gauge, 250, 40
gauge03=Brennovalux, 300, 100, 60, 30

[Window01]
file=radio.bmp
size_mm=200,150
background_color=0,64,0
position=2
visible=0
ident=RADIO_STACK_PANEL
gauge00=Radio!Nav, 10, 10, 80, 40

[Default View]
X=0
Y=0
[Views]
VIEW_FORWARD_DIR=0.000,0.000,0.000
"""

HOST_SCRIPT = """\
run 1
snapshot main.png
snapshot radio.png RADIO_STACK_PANEL
click Brennovalux
run 1
expect batt1_on 1
"""


class HostForm(BenchCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = os.path.join(WORK, "host_form")
        lay_out(cls.folder, HOST_FORM, HOST_SCRIPT, [("main.bmp", 1030, 400, MAIN_BLUE)])
        cls.checked = bench(cls.folder, "--check")
        cls.ran = bench(cls.folder, "--script", "script.txt", "--out", "out")

    def test_loads_with_warnings_and_shows_its_layout(self):
        status, printed = self.checked
        self.assertEqual(status, 0, printed)
        for text in [
            "window 00 \"Main Panel\": 1030 x 400 pixels, 515 x 200 units (2 pixels a unit), background main.bmp, "
            "shown at position 7",
            "gauge00 Brennovalux: 38 x 49.4 units at (20, 40), 76 x 99 pixels at (40, 80)",
            "gauge01 Delvarotine: 100 x 78 units at (100, 40), 200 x 156 pixels at (200, 80)",
            "gauge02 Fuel_Gauge: not run: Fuel_Gauge.gau: no such file",
            "gauge03 Brennovalux: not run: this gauge is already placed by 00:gauge00 (" + PANEL +
            " line 14 (gauge00=Brennovalux, 20, 40)); its records serve one place",
            "window 01 \"Radio Stack\": 200 x 150 pixels, 200 x 150 units (1 pixel a unit), no background, "
            "hidden at position 2",
            "warning: " + PANEL + " line 20 (file=radio.bmp): radio.bmp: no such file; the window is drawn without it",
            "warning: " + PANEL + " line 16 (gauge02=Fuel_Gauge, 250, 40): Fuel_Gauge.gau: no such file (nor "
            "Fuel_Gauge.dll) in the panel folder or in Gauges\\ of the simulator folder; the bench shows a placeholder there",
            "warning: " + PANEL + " line 17 (gauge03=Brennovalux, 300, 100, 60, 30): this gauge is already placed by "
            "00:gauge00",
            ": no mistakes found"]:
            self.assertIn(text, printed)

    def test_runs_both_gauges_at_the_hosts_scale(self):
        status, printed = self.ran
        self.assertEqual(status, 0, printed)
        self.assertIn("Brennovalux: install \"Toggle-type Master Switch\" at 00:gauge00, 38 x 49.4 units at (20, 40), "
                      "76 x 99 pixels at (40, 80)", printed)
        self.assertIn("Delvarotine: install \"Delvarotine\" at 00:gauge01", printed)
        self.assertEqual(printed.count(": install "), 2, printed)
        main = Snapshot(os.path.join(self.folder, "out", "main.png"))
        self.assertEqual((main.width, main.height), (1030, 400))
        self.assert_box(main, (40, 80, 76, 99), MAIN_BLUE)
        self.assert_box(main, (200, 80, 200, 156), MAIN_BLUE)
        self.assert_marked(main, 500, 80, MAIN_BLUE)  # Fuel_Gauge's marker
        self.assert_marked(main, 600, 200, MAIN_BLUE)  # the second switch's box
        self.assert_marked(main, 719, 259, MAIN_BLUE)

    def test_draws_a_hidden_window_in_its_colour_with_its_placeholder(self):
        radio = Snapshot(os.path.join(self.folder, "out", "radio.png"))
        self.assertEqual((radio.width, radio.height), (200, 150))
        self.assertEqual(radio.at(150, 100), (0, 64, 0))
        self.assert_marked(radio, 10, 10, (0, 64, 0))
        self.assert_marked(radio, 89, 49, (0, 64, 0))

    def test_strict_makes_every_warning_a_mistake(self):
        status, printed = bench(self.folder, "--check", "--strict")
        self.assertEqual(status, 2, printed)
        self.assertIn("bench: --strict: 4 warning(s) above count as mistakes", printed)

    def test_a_script_naming_a_placeholder_is_a_mistake(self):
        with open(os.path.join(self.folder, "placeholder.txt"), "w") as file:
            file.write("click Fuel_Gauge\nexpect-shown 00:gauge03 0x2000\nclick 1 1 RADIO\n")
        status, printed = bench(self.folder, "--script", "placeholder.txt", "--out", "out2")
        self.assertEqual(status, 1, printed)
        self.assertIn("placeholder.txt:1: \"Fuel_Gauge\" (00:gauge02) is a gauge the bench does not run: "
                      "Fuel_Gauge.gau: no such file", printed)
        self.assertIn("placeholder.txt:2: \"00:gauge03\" (00:gauge03) is a gauge the bench does not run: "
                      "this gauge is already placed", printed)
        self.assertIn("placeholder.txt:3: no window \"RADIO\" on the panel", printed)
        self.assertNotIn(": install", printed)


LATER_FORM = """\
// A later host's panel: our gauges in the third window.
[Window Titles]
Window00=Main Panel   // the main one
Window01=GPS
Window02=Switches

[Window00]
file=main.bmp
size_mm=640
gauge00=KAP140!Autopilot, 10, 10

[Window01]
ident=GPS_PANEL
visible=0
size_mm=300,200
pixel_size=300,200
background_color=20,20,20
gauge00=gps500!GPS, 0,0,300,200

[Window02]
file_1024=switches.bmp
size_mm=196,100 // relative size
position=8
visible=1
ident=SWITCH_PANEL
window_size_ratio=1.000
zorder=2
nomenu=1
gauge00=Kaprelo\\Brennovalux!Toggle-type Master Switch  ,\t10,  10, 30, , 9998 9999 95
gauge05=Kaprelo\\Delvarotine, 60, 10 //NOTE-1
"""

LATER_SCRIPT = """\
run 1
click 02:gauge00
run 1
expect batt1_on 1
expect-shown 02:gauge00 0x2000
snapshot switches.png 2
snapshot main.png
click 20 25 SWITCH_PANEL
run 1
expect batt1_on 0
"""


class LaterForm(BenchCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = os.path.join(WORK, "later_form")
        lay_out(cls.folder, LATER_FORM, LATER_SCRIPT,
                [("main.bmp", 640, 300, MAIN_BLUE), ("switches.bmp", 392, 200, SWITCH_GREY)], "Kaprelo")
        cls.ran = bench(cls.folder, "--script", "script.txt", "--out", "out")

    def test_runs_our_gauges_in_window_02_at_its_scale(self):
        status, printed = self.ran
        self.assertEqual(status, 0, printed)
        self.assertIn("window 02: 392 x 200 pixels, 2 pixels a unit", printed)
        self.assertIn("Kaprelo\\Brennovalux!Toggle-type Master Switch: install \"Toggle-type Master Switch\" at "
                      "02:gauge00, 30 x 39 units at (10, 10), 60 x 78 pixels at (20, 20); parameter \"9998 9999 95\"",
                      printed)
        self.assertIn("Kaprelo\\Delvarotine: install \"Delvarotine\" at 02:gauge05, 100 x 78 units at (60, 10), "
                      "200 x 156 pixels at (120, 20)", printed)
        switches = Snapshot(os.path.join(self.folder, "out", "switches.png"))
        self.assertEqual((switches.width, switches.height), (392, 200))
        self.assert_box(switches, (20, 20, 60, 78), SWITCH_GREY)
        self.assert_box(switches, (120, 20, 200, 156), SWITCH_GREY)
        main = Snapshot(os.path.join(self.folder, "out", "main.png"))
        self.assertEqual((main.width, main.height), (640, 300))
        self.assert_marked(main, 10, 10, MAIN_BLUE)
        # A point in window 02's units, at 2 pixels a unit.
        self.assertIn("click (20, 25) of window 02, pixel (40, 50): Kaprelo\\Brennovalux!Toggle-type Master Switch "
                      "at (20, 30)", printed)

    def test_the_trace_names_paths_as_given_so_it_is_the_same_in_any_folder(self):
        other = os.path.join(WORK, "later_form_elsewhere", "deeper")
        lay_out(other, LATER_FORM, LATER_SCRIPT,
                [("main.bmp", 640, 300, MAIN_BLUE), ("switches.bmp", 392, 200, SWITCH_GREY)], "Kaprelo")
        status, printed = bench(other, "--script", "script.txt", "--out", "out")
        self.assertEqual(status, 0, printed)
        with open(os.path.join(self.folder, "out", "trace.txt"), "rb") as one, \
                open(os.path.join(other, "out", "trace.txt"), "rb") as two:
            first, second = one.read(), two.read()
        self.assertEqual(first, second)
        self.assertIn(b"panel " + PANEL.encode() + b": 3 window(s), 2 gauge(s) run, 2 placeholder(s); "
                      b"simulator folder .", first)
        self.assertIn(b"snapshot switches.png of window 2", first)
        self.assertNotIn(WORK.encode(), first)


NO_BACKGROUND = """\
[Window Titles]
window00=Main
[Window00]
size_mm=300,120
gauge00=Brennovalux, 10, 10
gauge01=Delvarotine, 100, 10
[Window01]
gauge00=Brennovalux, 0, 0
"""


class NoBackground(BenchCase):
    def test_one_pixel_a_unit_the_default_widths_and_dark_grey(self):
        folder = os.path.join(WORK, "no_background")
        lay_out(folder, NO_BACKGROUND, "run 1\nsnapshot plain.png\nclick 20 30\n")
        status, printed = bench(folder, "--script", "script.txt", "--out", "out")
        self.assertEqual(status, 0, printed)
        self.assertIn("[Window01] is not among the windows [Window Titles] creates", printed)
        plain = Snapshot(os.path.join(folder, "out", "plain.png"))
        self.assertEqual((plain.width, plain.height), (300, 120))
        self.assert_box(plain, (10, 10, 38, 49), DARK_GREY)
        self.assert_box(plain, (100, 10, 100, 78), DARK_GREY)

    def test_a_gauge_twice_in_two_windows_runs_once(self):
        folder = os.path.join(WORK, "twice")
        config = NO_BACKGROUND.replace("window00=Main\n", "window00=Main\nwindow01=Second\n")
        lay_out(folder, config, "click 01:gauge00\n")
        status, printed = bench(folder, "--script", "script.txt", "--out", "out")
        self.assertEqual(status, 1, printed)
        self.assertIn(PANEL + " line 9 (gauge00=Brennovalux, 0, 0): this gauge is already placed by 00:gauge00 (" +
                      PANEL + " line 6 (gauge00=Brennovalux, 10, 10)); its records serve one place; "
                      "the bench shows a placeholder there", printed)
        self.assertIn("script.txt:1: \"01:gauge00\" (01:gauge00) is a gauge the bench does not run", printed)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
