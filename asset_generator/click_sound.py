"""The toggle switch's click: the snap of the lever's spring, a bounce or two of the
contacts, the short ring of the metal parts and the knock of the body in its panel."""

import math

import synthesis

RATE = 22050
SAMPLES = 1322

# (frequency in Hz, decay in seconds, level): the parts that ring when struck.
MODES = [
    (185.0, 0.011, 0.45),    # the switch body knocking in its panel hole
    (540.0, 0.010, 0.75),
    (1760.0, 0.0065, 0.6),
    (2980.0, 0.0048, 0.55),
    (3710.0, 0.0140, 0.32),  # the spring: the longest, thinnest ring
    (4630.0, 0.0032, 0.45),
    (6870.0, 0.0019, 0.35),
]

# (time in seconds, strength): the snap, then the contacts bouncing.
STRIKES = [(0.0012, 1.0), (0.0046, 0.52), (0.0079, 0.24), (0.0101, 0.1)]


def click_samples():
    """1322 unsigned 8-bit samples."""
    noise = synthesis.Noise(7)
    modes = [(synthesis.Resonator(f, d, RATE), level) for (f, d, level) in MODES]
    crisp = synthesis.Biquad.highpass(2500.0, 0.7, RATE)
    out = []
    for i in range(SAMPLES):
        t = i / float(RATE)
        strike = 0.0
        for (at, strength) in STRIKES:
            if t >= at:
                # Each strike: an impulse and a burst of grit under a millisecond long.
                age = t - at
                burst = math.exp(-age / 0.00045) * strength
                strike += burst * (0.6 * noise.next() + (1.0 if age * RATE < 1.0 else 0.0))
        ring = sum(mode(strike) * level for (mode, level) in modes)
        out.append(ring + 0.35 * crisp(strike))
    out = synthesis.remove_dc(out, RATE, 60.0)
    synthesis.fade_out(out, 260)
    out = synthesis.normalise(out, 0.82)
    return synthesis.to_unsigned8(out)
