"""Colour functions for fills: ramps, hash noise, brushed metal and chrome."""

import math


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def scale(colour, k):
    return tuple(c * k for c in colour)


def ramp(stops, t):
    """The colour at t along stops [(t0, colour0), (t1, colour1), ...], t0 < t1 < ..."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def hash_noise(ix, iy, seed):
    """A repeatable value in [0, 1) for the integer point (ix, iy)."""
    h = (ix * 374761393 + iy * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFF) / 65536.0


def smooth_noise(x, iy, seed, period):
    """Noise that changes slowly along x (over `period` pixels) and freely between rows."""
    u = x / period
    i = int(math.floor(u))
    f = u - i
    f = f * f * (3 - 2 * f)
    return hash_noise(i, iy, seed) * (1 - f) + hash_noise(i + 1, iy, seed) * f


def brushed_metal(base, top_light, height, seed, grain=6.0):
    """Plate finish: lighter at the top, fine horizontal brush marks."""
    def paint(x, y):
        iy = int(y)
        streak = smooth_noise(x, iy, seed, 9.0) - 0.5
        fine = hash_noise(int(x), iy, seed + 1) - 0.5
        k = 1.0 + top_light * (0.5 - y / height) + (streak * grain + fine * grain * 0.4) / 100.0
        return scale(base, k)
    return paint


# Reflections across a polished cylinder, from its left edge (-1) to its right (+1):
# bright sky on the lit side, a dark band of the horizon, a soft rim on the far side.
CHROME_STOPS = [
    (-1.00, (70, 74, 82)),
    (-0.78, (150, 156, 166)),
    (-0.50, (238, 242, 248)),
    (-0.30, (252, 253, 255)),
    (-0.10, (190, 196, 206)),
    (0.12, (92, 96, 106)),
    (0.32, (60, 63, 70)),
    (0.58, (128, 132, 142)),
    (0.82, (176, 180, 188)),
    (1.00, (84, 86, 94)),
]


def chrome(u, light=1.0):
    """Chrome at position u across a cylinder; light scales the whole reflection."""
    return scale(ramp(CHROME_STOPS, max(-1.0, min(1.0, u))), light)


def radial(cx, cy, radius, stops, light_x=0.0, light_y=0.0):
    """A round gradient, its centre moved by (light_x, light_y) times the radius."""
    fx, fy = cx + light_x * radius, cy + light_y * radius

    def paint(x, y):
        return ramp(stops, math.hypot(x - fx, y - fy) / radius)
    return paint


def linear(x0, y0, x1, y1, stops):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def paint(x, y):
        return ramp(stops, ((x - x0) * dx + (y - y0) * dy) / length2)
    return paint
