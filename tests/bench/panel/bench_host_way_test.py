"""The bench on panel files of the forms designers' panels were found to
hold, which the host runs past: the host's documented example with a window
whose background and gauge are missing; later hosts' panels with a window
of no size, a one-value size_mm over placeholders only, gauge files in
another aircraft's folder, in the simulator's Gauges\\ and as XML gauges,
and sound gauges placed with sizes of 0. Each loads with warnings, runs our
two gauges beside the rest, and says what it made of every line.
usage: bench_host_way_test.py WINE-RUN BENCH-EXE GAUGE-DIR WORK-DIR DRAWLESS-GAUGE-DIR"""

import os
import shutil
import sys
import unittest

from bench_real_panels_test import PANEL, BenchCase, Snapshot, bench, lay_out, write_bmp

GAUGES, WORK, DRAWLESS = (os.path.abspath(arg) for arg in sys.argv[3:6])
MAIN_BLUE = (10, 20, 200)
OUR_GAUGES_CLICKED = """\
run 1
click Brennovalux
run 1
expect batt1_on 1
click Delvarotine
run 90
expect-event start
snapshot main.png
"""


def copy(source, folder, name):
    os.makedirs(folder, exist_ok=True)
    shutil.copy(source, os.path.join(folder, name))


def warnings_of(printed):
    return [line for line in printed.splitlines() if line.startswith("warning: ")]


HOST_EXAMPLE = """\
; In the form of the host's documented example: a main window over a
; 1030-pixel background at size_mm=515, a switch box whose bitmap and gauge
; are not in the folder, a hidden radio window; our gauges added to [Window00].
[Window Titles]
Window00=Main Panel
Window01=Switch Box
Window02=Radios

[Window00]
file=main.bmp
size_mm=515
position=7
visible=1
ident=MAIN_PANEL
gauge00=Airspeed, 6, 10
gauge01=Altimeter, 120, 10
gauge02=Brennovalux, 20, 120
gauge03=Delvarotine, 100, 120

[Window01]
file=Switchbox.bmp
size_mm=100
position=6
visible=1
ident=SWITCH_BOX
gauge00=Switchbox, 0, 0

[Window02]
file=radios.bmp
size_mm=150
position=2
visible=0
gauge00=Comm_Radio, 0, 0, 150, 40
"""


class HostExample(BenchCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = os.path.join(WORK, "host_example")
        lay_out(cls.folder, HOST_EXAMPLE, OUR_GAUGES_CLICKED + "snapshot box.png SWITCH_BOX\n",
                [("main.bmp", 1030, 400, MAIN_BLUE), ("radios.bmp", 300, 80, (0, 60, 0))])
        cls.checked = bench(cls.folder, "--check")

    def test_loads_with_a_warning_for_each_line_it_runs_past(self):
        status, printed = self.checked
        self.assertEqual(status, 0, printed)
        self.assertEqual(len(warnings_of(printed)), 6, printed)
        for text in [
            "warning: " + PANEL + " line 21 (file=Switchbox.bmp): Switchbox.bmp: no such file; the window is drawn "
            "without it",
            "warning: " + PANEL + " line 26 (gauge00=Switchbox, 0, 0): Switchbox.gau: no such file",
            "warning: " + PANEL + " line 20: [Window01] has no background, no pixel_size=, a one-value size_mm= and "
            "no gauge of known size; the bench makes it 100 x 12 pixels at one pixel a unit (width: size_mm at one "
            "pixel a unit; height: just past its placeholders' markers and labels)",
            "window 01 \"Switch Box\": 100 x 12 pixels, 100 x 12 units (1 pixel a unit), no background, shown at "
            "position 6; width: size_mm at one pixel a unit; height: just past its placeholders' markers and labels",
            "window 00 \"Main Panel\": 1030 x 400 pixels, 515 x 200 units (2 pixels a unit), background main.bmp, "
            "shown at position 7; width and height: the background's",
            "window 02 \"Radios\": 300 x 80 pixels, 150 x 40 units (2 pixels a unit), background radios.bmp, "
            "hidden at position 2",
            ": no mistakes found"]:
            self.assertIn(text, printed)

    def test_strict_refuses_it(self):
        status, printed = bench(self.folder, "--check", "--strict")
        self.assertEqual(status, 2, printed)
        self.assertIn("bench: --strict: 6 warning(s) above count as mistakes", printed)

    def test_a_scenario_clicks_both_our_gauges_and_sees_the_engine_start(self):
        status, printed = bench(self.folder, "--script", "script.txt", "--out", "out")
        self.assertEqual(status, 0, printed)
        self.assertIn("event 0x000101EA (start) value 1", printed)
        self.assertIn("Delvarotine: killed", printed)
        main = Snapshot(os.path.join(self.folder, "out", "main.png"))
        self.assertEqual((main.width, main.height), (1030, 400))
        self.assert_box(main, (40, 240, 76, 99), MAIN_BLUE)
        box = Snapshot(os.path.join(self.folder, "out", "box.png"))
        self.assertEqual((box.width, box.height), (100, 12))
        self.assert_marked(box, 0, 0, (0x30, 0x30, 0x30))


LATER_FORMS = """\
// In the later hosts' forms: gauge files in another aircraft's folder and in
// the simulator's Gauges\\, XML gauges, sound gauges of sizes written as 0,
// a window that other gauges open, a window of placeholders only.
[Window Titles]
Window00=Main Panel
Window01=Overhead Popup
Window02=Pedestal
Window03=Long Strip

[Window00]
file=main.bmp
size_mm=640
position=7
visible=1
gauge00=Brennovalux, 20, 40
gauge01=Delvarotine, 100, 40
gauge02=../../Shared Base/Panel_Common/DLLs/Ignition2!Delvarotine, 300,40,100,78, 2
gauge03=../../../../Elsewhere/Far!Gauge, 420, 40
gauge04=C:\\Gauges\\Far, 500, 40
gauge05=Glass_Cockpit!PFD, 10, 200, 100, 80
gauge06=Sixpack!Airspeed, 120, 200, 60, 60
gauge27=Chimes!chime_player, 0,0,0,0, ./Gauges/Chimes.ini
gauge31=Cabin_Keys!Key_Clicks, 0,0,1,0
gauge32=Avionics\\Tones!chime_player, 0,0,0,0

[Window01]
Background_color=16,16,16
position=2
visible=0
ident=OVERHEAD_POPUP

[Window02]
file=pedestal.bmp
size_mm=911
position=8
visible=0
gauge00=Pedestal_Radio!COM1, 10, 10
gauge01=Pedestal_Radio!NAV1, 400, 10

[Window03]
size_mm=6000,50
visible=0
gauge00=Brennovalux!Toggle-type Master Switch, 5000, 0
"""


def lay_out_later_forms(folder, script):
    lay_out(folder, LATER_FORMS, script, [("main.bmp", 640, 300, MAIN_BLUE)])
    panel = os.path.join(folder, "Aircraft", "test", "panel")
    gauges = os.path.join(folder, "Gauges")
    copy(os.path.join(GAUGES, "Delvarotine.gau"),
         os.path.join(folder, "Aircraft", "Shared Base", "Panel_Common", "DLLs"), "Ignition2.gau")
    copy(os.path.join(DRAWLESS, "drawless_no_elements.gau"), gauges, "Chimes.gau")
    copy(os.path.join(DRAWLESS, "drawless_no_bitmap.gau"), gauges, "Cabin_Keys.dll")
    copy(os.path.join(DRAWLESS, "drawless_no_elements.gau"), os.path.join(gauges, "Avionics"), "Tones.gau")
    # The panel folder's own file counts before the one in Gauges\.
    copy(os.path.join(DRAWLESS, "drawless_no_elements.gau"), gauges, "Brennovalux.gau")
    with open(os.path.join(gauges, "Glass_Cockpit.cab"), "wb") as cab:
        cab.write(b"MSCF")
    os.makedirs(os.path.join(panel, "Sixpack"))


class LaterForms(BenchCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = os.path.join(WORK, "later_forms")
        lay_out_later_forms(cls.folder, OUR_GAUGES_CLICKED + "click 5 5\nsnapshot popup.png OVERHEAD_POPUP\n"
                                                             "snapshot pedestal.png 2\n")
        cls.checked = bench(cls.folder, "--check")
        cls.ran = bench(cls.folder, "--script", "script.txt", "--out", "out")

    def test_every_line_the_host_runs_past_is_a_warning_naming_it(self):
        status, printed = self.checked
        self.assertEqual(status, 0, printed)
        for text in [
            PANEL + " line 18 (gauge03=../../../../Elsewhere/Far!Gauge, 420, 40): \"../../../../Elsewhere/Far\" leads "
            "out of the simulator folder; the bench shows a placeholder there",
            PANEL + " line 19 (gauge04=C:\\Gauges\\Far, 500, 40): \"C:\\Gauges\\Far\" names a drive",
            PANEL + " line 20 (gauge05=Glass_Cockpit!PFD, 10, 200, 100, 80): Gauges\\Glass_Cockpit.cab: XML gauges; "
            "the bench runs DLL gauges; the bench shows a placeholder there",
            PANEL + " line 21 (gauge06=Sixpack!Airspeed, 120, 200, 60, 60): Sixpack\\: XML gauges; the bench runs DLL "
            "gauges",
            "warning: " + PANEL + " line 26: [Window01] has no background, no pixel_size=, no size_mm= and no gauge of "
            "known size; the bench makes it 64 x 64 pixels at one pixel a unit (width and height: 64 pixels, as it "
            "holds nothing)",
            "warning: " + PANEL + " line 32: [Window02] has no background, no pixel_size=, a one-value size_mm= and no "
            "gauge of known size; the bench makes it 911 x 22 pixels at one pixel a unit",
            "warning: " + PANEL + " line 40: [Window03] has no background and no pixel_size=; the bench makes it "
            "4096 x 50 pixels at one pixel a unit (width: size_mm at one pixel a unit, 6000 pixels drawn at the "
            "limit of 4096; height: size_mm at one pixel a unit)",
            "  gauge02 ../../Shared Base/Panel_Common/DLLs/Ignition2!Delvarotine: 100 x 78 units at (300, 40), "
            "100 x 78 pixels at (300, 40); parameter \"2\"",
            "  gauge27 Chimes!chime_player: a zero box (0 x 0 units) at (0, 0): it draws nothing and has no click "
            "region; file Gauges\\Chimes.gau; parameter \"./Gauges/Chimes.ini\"",
            "  gauge31 Cabin_Keys!Key_Clicks: a zero box (1 x 0 units) at (0, 0): it draws nothing and has no click "
            "region; file Gauges\\Cabin_Keys.dll",
            "  gauge32 Avionics\\Tones!chime_player: a zero box (0 x 0 units) at (0, 0): it draws nothing and has no "
            "click region; file Gauges\\Avionics\\Tones.gau",
            "window 01 \"Overhead Popup\": 64 x 64 pixels",
            "  gauge00 Brennovalux: 38 x 49.4 units at (20, 40), 38 x 49 pixels at (20, 40)\n",
            ": no mistakes found"]:
            self.assertIn(text, printed)
        # The zero boxes overlap each other and the gauges at their place, and lie in no window: no word of it.
        self.assertNotIn("overlaps", printed)
        self.assertNotIn("line 22 (gauge27", printed)
        self.assertNotIn("line 23 (gauge31", printed)

    def test_our_gauges_run_beside_the_others_and_the_zero_boxes_run_unseen(self):
        status, printed = self.ran
        self.assertEqual(status, 0, printed)
        self.assertIn("event 0x000101EA (start) value 1", printed)
        self.assertIn("Brennovalux: install \"Toggle-type Master Switch\" at 00:gauge00", printed)
        self.assertIn("../../Shared Base/Panel_Common/DLLs/Ignition2!Delvarotine: install \"Delvarotine\" at 00:gauge02",
                      printed)
        self.assertIn("Chimes!chime_player: install \"chime_player\" from Gauges\\Chimes.gau at 00:gauge27, a zero box",
                      printed)
        self.assertIn("Cabin_Keys!Key_Clicks: install \"Key_Clicks\" from Gauges\\Cabin_Keys.dll at 00:gauge31", printed)
        self.assertIn("Avionics\\Tones!chime_player: install \"chime_player\" from Gauges\\Avionics\\Tones.gau", printed)
        for who in ("Chimes", "Cabin_Keys", "Avionics\\Tones"):
            for what in ("install", "first update", "killed after its updates"):
                self.assertIn("] " + who + ": debug: " + what + "\n", printed)
        self.assertIn("Cabin_Keys!Key_Clicks: no bitmap resource 0x7777", printed)
        self.assertIn("Cabin_Keys!Key_Clicks: killed", printed)
        # Its click region, registered at (0, 0), takes no click.
        self.assertIn("click (5, 5) of window 00, pixel (5, 5): no gauge region there", printed)
        self.assertNotIn("clicked", printed)
        main = Snapshot(os.path.join(self.folder, "out", "main.png"))
        for x, y in ((0, 0), (5, 5), (9, 9)):
            self.assertEqual(main.at(x, y), MAIN_BLUE)
        popup = Snapshot(os.path.join(self.folder, "out", "popup.png"))
        self.assertEqual((popup.width, popup.height, popup.at(32, 32)), (64, 64, (16, 16, 16)))
        pedestal = Snapshot(os.path.join(self.folder, "out", "pedestal.png"))
        self.assertEqual((pedestal.width, pedestal.height), (911, 22))
        self.assert_marked(pedestal, 10, 10, (0x30, 0x30, 0x30))
        self.assert_marked(pedestal, 400, 10, (0x30, 0x30, 0x30))

    def test_a_simulator_folder_given_bounds_the_paths_and_holds_gauges(self):
        status, printed = bench(self.folder, "--check", "--sim-folder", "Aircraft/test")
        self.assertEqual(status, 0, printed)
        self.assertIn("  gauge02 ../../Shared Base/Panel_Common/DLLs/Ignition2!Delvarotine: not run: \"../../Shared "
                      "Base/Panel_Common/DLLs/Ignition2\" leads out of the simulator folder", printed)
        self.assertIn("  gauge27 Chimes!chime_player: not run: Chimes.gau: no such file (nor Chimes.dll) in the panel "
                      "folder or in Gauges\\ of the simulator folder", printed)

    def test_a_click_on_a_zero_box_is_a_mistake_of_its_line(self):
        with open(os.path.join(self.folder, "zero.txt"), "w") as file:
            file.write("click Chimes!chime_player\nexpect-shown Cabin_Keys 0x7777\nclick 00:gauge31\n")
        status, printed = bench(self.folder, "--script", "zero.txt", "--out", "out2")
        self.assertEqual(status, 1, printed)
        self.assertIn("zero.txt:1: \"Chimes!chime_player\" (00:gauge27) has a zero box: it has no click region", printed)
        self.assertIn("zero.txt:3: \"00:gauge31\" (00:gauge31) has a zero box: it has no click region", printed)
        self.assertNotIn("zero.txt:2", printed)
        self.assertNotIn(": install", printed)


class NoWindow(unittest.TestCase):
    def test_a_file_of_virtual_cockpits_only_says_what_it_holds(self):
        folder = os.path.join(WORK, "no_window")
        lay_out(folder, "[VCockpit01]\nsize_mm=1024,1024\nfile=vc1.bmp\n[VCockpit02]\n[VCockpit03]\n", "run 1\n")
        status, printed = bench(folder, "--check")
        self.assertEqual(status, 2, printed)
        self.assertIn(PANEL + ": no [WindowNN] section: the file describes no panel window; it holds 3 [VCockpitNN] "
                      "sections: virtual cockpits are drawn on the aircraft's 3-D model; the bench shows 2-D windows "
                      "only", printed)

    def test_windows_without_gauges_are_windows(self):
        folder = os.path.join(WORK, "no_gauges")
        lay_out(folder, "[Window Titles]\nwindow00=Empty\n[Window00]\nvisible=0\n", "run 2\nsnapshot e.png\n")
        status, printed = bench(folder, "--script", "script.txt", "--out", "out")
        self.assertEqual(status, 0, printed)
        self.assertIn("panel " + PANEL + ": 1 window(s), 0 gauge(s) run, 0 placeholder(s)", printed)
        self.assertEqual(Snapshot(os.path.join(folder, "out", "e.png")).width, 64)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
