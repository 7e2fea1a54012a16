"""Checks the committed assets: regenerated they come out the same, and they have
the layouts the gauge modules and the host read."""

import os
import struct
import subprocess
import sys
import tempfile
import unittest
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
REPOSITORY = os.path.dirname(HERE)
sys.path.insert(0, HERE)

import bmp_writer  # noqa: E402
import ignition_art  # noqa: E402
import panel_background_art  # noqa: E402
import switch_art  # noqa: E402

BITMAPS = {
    "switch/resources/switch_plate.bmp": (60, 78),
    "switch/resources/lever_on.bmp": (17, 56),
    "switch/resources/lever_off.bmp": (18, 56),
    "ignition/resources/ignition_plate.bmp": (100, 78),
    "ignition/resources/cranking_picture.bmp": (81, 76),
    "ignition/resources/cranking_lamp.bmp": (17, 17),
    "ignition/resources/ignition_lamp.bmp": (17, 17),
    "panel_example/panel_background.bmp": (240, 150),
}
CHILDREN = [  # (background, child, box on the background)
    ("switch/resources/switch_plate.bmp", "switch/resources/lever_on.bmp", switch_art.LEVER_ON_BOX),
    ("switch/resources/switch_plate.bmp", "switch/resources/lever_off.bmp", switch_art.LEVER_OFF_BOX),
    ("ignition/resources/ignition_plate.bmp", "ignition/resources/cranking_picture.bmp",
     ignition_art.CRANKING_PICTURE_BOX),
    ("ignition/resources/ignition_plate.bmp", "ignition/resources/cranking_lamp.bmp",
     ignition_art.CRANKING_LAMP_BOX),
    ("ignition/resources/ignition_plate.bmp", "ignition/resources/ignition_lamp.bmp",
     ignition_art.IGNITION_LAMP_BOX),
]
# The switch's click region on its plate: x, y, width, height.
SWITCH_CLICK_REGION = (0, 0, 40, 60)
IGNITION_SOUNDS = {"ignition/sounds/Eg.wav": 6.3, "ignition/sounds/Stop.wav": 3.2}


def committed(relative):
    with open(os.path.join(REPOSITORY, relative), "rb") as f:
        return f.read()


class RegeneratedAssets(unittest.TestCase):
    def test_regenerating_gives_the_committed_bytes(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, os.path.join(HERE, "make_assets.py"), "--out", out],
                           check=True, stdout=subprocess.DEVNULL)
            written = sorted(os.path.relpath(os.path.join(d, f), out).replace(os.sep, "/")
                             for d, _, files in os.walk(out) for f in files)
            self.assertEqual(sorted(list(BITMAPS) + list(IGNITION_SOUNDS)
                                    + ["switch/resources/click.wav"]), written)
            for relative in written:
                with open(os.path.join(out, relative), "rb") as f:
                    self.assertTrue(f.read() == committed(relative),
                                    "%s differs from the regenerated file" % relative)


class Bitmaps(unittest.TestCase):
    def test_headers_are_8_bit_256_colour_bottom_up_with_padded_rows(self):
        for relative, (width, height) in BITMAPS.items():
            data = committed(relative)
            stride = (width + 3) // 4 * 4
            file_size, pixels_at = struct.unpack_from("<I4xI", data, 2)
            (info_size, w, h, planes, bits, compression, image_size, _, _, used,
             important) = struct.unpack_from("<IiiHHIIiiII", data, 14)
            self.assertEqual((b"BM", len(data), 14 + 40 + 1024),
                             (data[:2], file_size, pixels_at), relative)
            self.assertEqual((40, width, height, 1, 8, 0, stride * height, 256, 0),
                             (info_size, w, h, planes, bits, compression, image_size, used,
                              important), relative)
            self.assertEqual(pixels_at + stride * height, len(data), relative)
            for row in range(height):
                end = pixels_at + row * stride
                self.assertEqual(bytes(stride - width), data[end + width:end + stride],
                                 "%s: row %d padding" % (relative, row))

    def test_pure_black_only_where_a_picture_reaches_beyond_its_background(self):
        for relative in BITMAPS:
            width, height, indices, colours = bmp_writer.read_bmp(committed(relative))
            black = [(i % width, i // width) for i, c in enumerate(indices)
                     if colours[c] == (0, 0, 0)]
            if relative.endswith("cranking_picture.bmp"):
                # It is placed at x 24 on a background 100 wide: its last 5 columns overhang.
                self.assertEqual(sorted((x, y) for x in range(76, 81) for y in range(height)),
                                 sorted(black))
            else:
                self.assertEqual([], black, relative)

    def test_children_match_their_background_along_their_edges(self):
        for background, child, (x0, y0, w, h) in CHILDREN:
            bw, bh, b_indices, b_colours = bmp_writer.read_bmp(committed(background))
            cw, ch, c_indices, c_colours = bmp_writer.read_bmp(committed(child))
            self.assertEqual((w, h), (cw, ch))
            for y in range(ch):
                for x in range(cw):
                    on_edge = x in (0, cw - 1) or y in (0, ch - 1)
                    if not on_edge or x0 + x >= bw or y0 + y >= bh:
                        continue
                    self.assertEqual(b_colours[b_indices[(y0 + y) * bw + x0 + x]],
                                     c_colours[c_indices[y * cw + x]],
                                     "%s at (%d, %d)" % (child, x, y))


class SwitchLevers(unittest.TestCase):
    def drawn_pixels(self, child, box):
        """Plate coordinates where the lever picture differs from the plate under it."""
        bw, _, b_indices, b_colours = bmp_writer.read_bmp(committed("switch/resources/switch_plate.bmp"))
        cw, ch, c_indices, c_colours = bmp_writer.read_bmp(committed(child))
        x0, y0 = box[:2]
        return [(x0 + x, y0 + y) for y in range(ch) for x in range(cw)
                if c_colours[c_indices[y * cw + x]] != b_colours[b_indices[(y0 + y) * bw + x0 + x]]]

    def test_both_levers_lie_inside_the_click_region(self):
        rx, ry, rw, rh = SWITCH_CLICK_REGION
        for child, box in (("switch/resources/lever_on.bmp", switch_art.LEVER_ON_BOX),
                           ("switch/resources/lever_off.bmp", switch_art.LEVER_OFF_BOX)):
            drawn = self.drawn_pixels(child, box)
            self.assertGreater(len(drawn), 100, "%s draws a lever" % child)
            outside = [(x, y) for x, y in drawn if not (rx <= x < rx + rw and ry <= y < ry + rh)]
            self.assertEqual([], outside, "%s draws outside the click region" % child)

    def test_the_levers_point_apart(self):
        on = self.drawn_pixels("switch/resources/lever_on.bmp", switch_art.LEVER_ON_BOX)
        off = self.drawn_pixels("switch/resources/lever_off.bmp", switch_art.LEVER_OFF_BOX)
        self.assertLess(min(y for _, y in on) + 8, min(y for _, y in off), "on points up")
        self.assertGreater(max(y for _, y in off), max(y for _, y in on) + 8, "off points down")


class PanelBackground(unittest.TestCase):
    """The example panel's face at one pixel a design unit, the gauges at their places."""

    @classmethod
    def setUpClass(cls):
        width, height, indices, colours = bmp_writer.read_bmp(
            committed("panel_example/panel_background.bmp"))
        cls.width = width
        cls.light = [sum(colours[i]) / 3.0 for i in indices]

    def mean_light(self, pixels):
        return sum(self.light[y * self.width + x] for x, y in pixels) / len(pixels)

    @staticmethod
    def ring(x, y, w, h, inner, outer):
        """The pixels between inner and outer pixels beyond the box (x, y, w, h)."""
        return [(px, py) for py in range(y - outer, y + h + outer)
                for px in range(x - outer, x + w + outer)
                if not (x - inner <= px < x + w + inner and y - inner <= py < y + h + inner)]

    def test_places_are_the_gauge_plates_apart_on_the_face(self):
        self.assertEqual([switch_art.PLATE_SIZE, ignition_art.PLATE_SIZE],
                         [place[3:] for place in panel_background_art.GAUGE_PLACES])
        m = panel_background_art.RECESS_MARGIN
        boxes = [(x - m, y - m, x + w + m, y + h + m)
                 for _, x, y, w, h in panel_background_art.GAUGE_PLACES]
        edge = panel_background_art.BEVEL_WIDTH + 1
        width, height = panel_background_art.PANEL_SIZE
        for x0, y0, x1, y1 in boxes:
            self.assertTrue(edge <= x0 and edge <= y0 and x1 <= width - edge
                            and y1 <= height - edge, "a recess runs into the bevel")
        (_, _, left_end, _), (right_start, _, _, _) = boxes
        self.assertLess(left_end, right_start, "the recesses overlap")

    def test_each_place_sits_in_a_darker_recess(self):
        m = panel_background_art.RECESS_MARGIN
        for label, x, y, w, h in panel_background_art.GAUGE_PLACES:
            recess = self.mean_light(self.ring(x, y, w, h, 0, m - 1))
            face = self.mean_light(self.ring(x, y, w, h, m + 2, m + 5))
            self.assertLess(recess, face * 0.85, "%s: no recess around the place" % label)

    def test_labels_are_centred_above_their_places(self):
        m = panel_background_art.RECESS_MARGIN
        for label, x, y, w, _ in panel_background_art.GAUGE_PLACES:
            lit = [(px, py) for py in range(y - m - 12, y - m) for px in range(x, x + w)
                   if self.light[py * self.width + px] > 170]
            self.assertGreater(len(lit), 6 * len(label), "%s: no label" % label)
            xs = [px for px, _ in lit]
            self.assertAlmostEqual(x + w / 2.0, (min(xs) + max(xs) + 1) / 2.0, delta=1.0,
                                   msg="%s is not centred" % label)


class Sounds(unittest.TestCase):
    def test_click_has_the_exact_layout(self):
        data = committed("switch/resources/click.wav")
        self.assertEqual(1380, len(data))
        self.assertEqual((b"RIFF", 1372, b"WAVE", b"fmt ", 18),
                         struct.unpack_from("<4sI4s4sI", data, 0))
        self.assertEqual((1, 1, 22050, 22050, 1, 8, 28), struct.unpack_from("<HHIIHHH", data, 20))
        self.assertEqual((b"fact", 4, 1322, b"data", 1322), struct.unpack_from("<4sII4sI", data, 38))
        samples = data[58:]
        self.assertEqual(1322, len(samples))
        self.assertTrue(0 < min(samples) and max(samples) < 255, "clipped")
        self.assertGreater(max(samples) - min(samples), 100, "a click is loud")
        self.assertLessEqual(max(abs(s - 128) for s in samples[-40:]), 1, "ends at silence")

    def test_ignition_sounds_are_16_bit_mono_22050_of_their_lengths_unclipped(self):
        for relative, seconds in IGNITION_SOUNDS.items():
            with wave.open(os.path.join(REPOSITORY, relative)) as w:
                self.assertEqual((1, 2, 22050), (w.getnchannels(), w.getsampwidth(),
                                                 w.getframerate()), relative)
                self.assertAlmostEqual(seconds, w.getnframes() / 22050.0, delta=0.1)
                frames = w.readframes(w.getnframes())
            samples = struct.unpack("<%dh" % (len(frames) // 2), frames)
            peak = max(abs(s) for s in samples)
            self.assertLess(peak, 32000, "%s clips" % relative)
            self.assertGreater(peak, 8000, "%s is nearly silent" % relative)
            self.assertEqual(1, struct.unpack_from("<H", committed(relative), 20)[0], "PCM")


if __name__ == "__main__":
    unittest.main()
