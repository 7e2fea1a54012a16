"""Checks the generator's parts where a slip would still give files of the right
layout: shape edges, the palette's reserved black, filter gains, and the sounds'
character (pulse rates, levels over time)."""

import math
import os
import struct
import sys
import unittest
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmp_writer  # noqa: E402
import palette  # noqa: E402
import shapes  # noqa: E402
import synthesis  # noqa: E402


def ignition_sound(name):
    with wave.open(os.path.join(os.path.dirname(HERE), "ignition", "sounds", name)) as w:
        frames = w.readframes(w.getnframes())
        rate = w.getframerate()
    return [s / 32768.0 for s in struct.unpack("<%dh" % (len(frames) // 2), frames)], rate


def rms_db(samples):
    return 10 * math.log10(max(1e-12, sum(s * s for s in samples) / len(samples)))


def pulse_rate(samples, rate):
    """Pulses a second: the first strong autocorrelation peak of the envelope below 400 Hz."""
    low = synthesis.Biquad.lowpass(400.0, 0.7, rate)
    smooth = synthesis.OnePole(0.004, rate)
    step = rate // 400
    envelope = [smooth(abs(low(s))) for s in samples][::step]
    mean = sum(envelope) / len(envelope)
    d = [v - mean for v in envelope]
    energy = sum(v * v for v in d)
    lags = range(400 // 60, min(400 // 2, len(d) // 2))
    corr = {lag: sum(d[i] * d[i + lag] for i in range(len(d) - lag)) / energy
            * len(d) / (len(d) - lag) for lag in lags}
    top = max(corr.values())
    for lag in lags[1:-1]:
        if corr[lag] >= 0.8 * top and corr[lag] >= corr[lag - 1] and corr[lag] >= corr[lag + 1]:
            return 400.0 / lag
    return 400.0 / max(corr, key=corr.get)


class ShapesAndPictures(unittest.TestCase):
    def test_tapered_capsule_edges(self):
        rod = shapes.tapered_capsule(0, 0, 2, 10, 0, 1)
        self.assertAlmostEqual(-2.0, rod(0, 0))
        self.assertAlmostEqual(1.0, rod(-3, 0))
        self.assertAlmostEqual(1.0, rod(12, 0))
        self.assertAlmostEqual(0.0, rod(5, 1.5), delta=0.02)  # halfway, half way between radii

    def test_rotation_turns_clockwise_on_screen(self):
        bar = shapes.box(-1, -10, 1, 0)  # pointing up from the origin
        turned = shapes.rotated(bar, 0, 0, math.radians(90))
        self.assertLess(turned(5, 0), 0)   # now pointing right
        self.assertGreater(turned(0, -5), 0)

    def test_palette_keeps_black_for_the_outside(self):
        pictures = [[(0, 0, 0), (1, 1, 1), (200, 10, 10), (10, 200, 10)] * 3]
        colours = palette.make_palette(pictures)
        mapping = palette.PaletteMap(colours)
        self.assertEqual(256, len(colours))
        self.assertEqual(0, mapping.index((0, 0, 0)))
        self.assertNotEqual(0, mapping.index((1, 1, 1)))
        self.assertEqual((200, 10, 10), colours[mapping.index((200, 10, 10))])

    def test_bitmap_round_trip_with_padded_rows(self):
        colours = [(i, 255 - i, i // 2) for i in range(256)]
        indices = [(x * 7 + y * 3) % 256 for y in range(4) for x in range(5)]
        data = bmp_writer.bmp_bytes(5, 4, indices, colours)
        self.assertEqual((5, 4, indices, colours), bmp_writer.read_bmp(data))


class Filters(unittest.TestCase):
    def test_band_pass_passes_its_centre_and_stops_far_away(self):
        def gain(frequency):
            f = synthesis.Biquad.bandpass(1000.0, 2.0, 22050)
            out = [f(math.sin(2 * math.pi * frequency * i / 22050)) for i in range(8000)]
            return max(abs(v) for v in out[4000:])
        self.assertAlmostEqual(1.0, gain(1000.0), delta=0.02)
        self.assertLess(gain(100.0), 0.1)

    def test_noise_repeats_from_its_seed(self):
        a, b = synthesis.Noise(5), synthesis.Noise(5)
        values = [a.next() for _ in range(1000)]
        self.assertEqual(values, [b.next() for _ in range(1000)])
        self.assertTrue(all(-1.0 <= v < 1.0 for v in values))


class SoundCharacter(unittest.TestCase):
    def test_starter_cranks_slowly_then_the_engine_fires_fast_and_louder(self):
        samples, rate = ignition_sound("Eg.wav")
        cranking = samples[int(1.5 * rate):int(2.5 * rate)]
        idle = samples[int(4.5 * rate):int(5.5 * rate)]
        self.assertTrue(2.5 < pulse_rate(cranking, rate) < 6.0, pulse_rate(cranking, rate))
        self.assertTrue(18.0 < pulse_rate(idle, rate) < 40.0, pulse_rate(idle, rate))
        self.assertGreater(rms_db(idle), rms_db(cranking) + 3.0)
        self.assertLess(max(abs(s) for s in samples[-200:]), 0.001, "fades out")

    def test_stop_winds_down_to_silence(self):
        samples, rate = ignition_sound("Stop.wav")
        quarter = rate // 4
        levels = [rms_db(samples[i:i + quarter]) for i in range(0, len(samples) - quarter, quarter)]
        self.assertGreater(levels[0], -30.0)
        self.assertLess(levels[3], levels[0] - 10.0)
        self.assertLess(rms_db(samples[-quarter:]), -70.0)
        idling = pulse_rate(samples[:int(0.3 * rate)], rate)
        coasting = pulse_rate(samples[int(0.6 * rate):int(1.2 * rate)], rate)
        self.assertTrue(18.0 < idling < 40.0, idling)
        self.assertLess(coasting, idling * 0.7)


if __name__ == "__main__":
    unittest.main()
