"""Building blocks of the sounds: repeatable noise, filters, envelopes, level."""

import math


class Noise:
    """White noise in [-1, 1) from a 32-bit xorshift generator with a fixed seed."""

    def __init__(self, seed):
        self.state = (seed * 2654435761 + 1) & 0xFFFFFFFF or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x / 2147483648.0 - 1.0

    def uniform(self, low, high):
        return low + (high - low) * (self.next() + 1.0) / 2.0


class Biquad:
    """Second-order filter (the familiar audio cookbook forms), direct form I."""

    def __init__(self, b0, b1, b2, a1, a2):
        self.b0, self.b1, self.b2, self.a1, self.a2 = b0, b1, b2, a1, a2
        self.x1 = self.x2 = self.y1 = self.y2 = 0.0

    @classmethod
    def _design(cls, kind, frequency, q, rate):
        w = 2 * math.pi * frequency / rate
        alpha = math.sin(w) / (2 * q)
        c = math.cos(w)
        if kind == "lowpass":
            b = ((1 - c) / 2, 1 - c, (1 - c) / 2)
        elif kind == "highpass":
            b = ((1 + c) / 2, -(1 + c), (1 + c) / 2)
        else:  # band-pass with a peak gain of 1
            b = (alpha, 0.0, -alpha)
        a0 = 1 + alpha
        return cls(b[0] / a0, b[1] / a0, b[2] / a0, -2 * c / a0, (1 - alpha) / a0)

    @classmethod
    def lowpass(cls, frequency, q, rate):
        return cls._design("lowpass", frequency, q, rate)

    @classmethod
    def highpass(cls, frequency, q, rate):
        return cls._design("highpass", frequency, q, rate)

    @classmethod
    def bandpass(cls, frequency, q, rate):
        return cls._design("bandpass", frequency, q, rate)

    def retune(self, other):
        """Takes the coefficients of `other`, keeping this filter's state."""
        self.b0, self.b1, self.b2, self.a1, self.a2 = other.b0, other.b1, other.b2, other.a1, other.a2

    def __call__(self, x):
        y = (self.b0 * x + self.b1 * self.x1 + self.b2 * self.x2
             - self.a1 * self.y1 - self.a2 * self.y2)
        self.x2, self.x1 = self.x1, x
        self.y2, self.y1 = self.y1, y
        return y


class Resonator:
    """A decaying sine mode struck by impulses: a metal part's ring or a pipe's boom."""

    def __init__(self, frequency, decay_seconds, rate):
        r = math.exp(-1.0 / (decay_seconds * rate))
        w = 2 * math.pi * frequency / rate
        self.a1, self.a2 = 2 * r * math.cos(w), -r * r
        self.gain = math.sin(w)
        self.y1 = self.y2 = 0.0

    def __call__(self, x):
        y = self.gain * x + self.a1 * self.y1 + self.a2 * self.y2
        self.y2, self.y1 = self.y1, y
        return y


class OnePole:
    """A gentle low-pass for smoothing levels and controls."""

    def __init__(self, seconds, rate):
        self.k = 1.0 - math.exp(-1.0 / (seconds * rate))
        self.y = 0.0

    def __call__(self, x):
        self.y += (x - self.y) * self.k
        return self.y


def breakpoints(points, t):
    """Linear interpolation through [(t0, v0), (t1, v1), ...]."""
    if t <= points[0][0]:
        return points[0][1]
    for (t0, v0), (t1, v1) in zip(points, points[1:]):
        if t <= t1:
            return v0 + (v1 - v0) * (t - t0) / (t1 - t0)
    return points[-1][1]


def smoothstep(edge0, edge1, t):
    if t <= edge0:
        return 0.0
    if t >= edge1:
        return 1.0
    u = (t - edge0) / (edge1 - edge0)
    return u * u * (3 - 2 * u)


def fade_out(samples, count):
    """Raised-cosine fade of the last `count` samples down to zero."""
    n = len(samples)
    for i in range(count):
        samples[n - count + i] *= 0.5 + 0.5 * math.cos(math.pi * (i + 1) / count)


def remove_dc(samples, rate, corner=20.0):
    hp = Biquad.highpass(corner, 0.707, rate)
    return [hp(s) for s in samples]


def normalise(samples, peak):
    top = max(abs(s) for s in samples)
    return [s * peak / top for s in samples]


def to_pcm16(samples):
    return [max(-32767, min(32767, int(round(s * 32767)))) for s in samples]


def to_unsigned8(samples):
    return [max(1, min(255, 128 + int(round(s * 127)))) for s in samples]
