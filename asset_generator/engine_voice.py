"""A four-cylinder, four-stroke piston engine turning a two-bladed propeller, and
the electric starter that cranks it: voices that the starter and stop sounds drive
sample by sample with the crankshaft's speed over time.

Two compressions per revolution: each either fires (a combustion pulse rings the
exhaust) or is only compressed (a soft push of air, and the starter labours).
"""

import math

import synthesis

# Exhaust resonances the pulses ring: (frequency in Hz, Q, level).
EXHAUST = [(68.0, 1.4, 1.0), (150.0, 2.2, 0.85), (330.0, 2.8, 0.5), (760.0, 2.2, 0.26),
           (1900.0, 1.6, 0.08)]
CYLINDER_LEVELS = [1.0, 0.84, 0.95, 0.78]  # no two cylinders are quite alike
WHINE_PER_REVOLUTION = 290.0  # starter whine frequency per engine revolution a second
STARTER_PARTIALS = [(0.5, 0.22), (1.0, 0.5), (2.0, 0.3), (3.0, 0.14), (4.1, 0.06)]
RING_GEAR_TEETH = 124  # the pinion meshes this many times a revolution: the grinding tone


def compression_load(phase):
    """How hard the cylinder being compressed pushes back, 0..1 over half a revolution."""
    s = math.sin(math.pi * phase)
    return s * s * s


class Engine:
    def __init__(self, rate, seed):
        self.rate = rate
        self.noise = synthesis.Noise(seed)
        self.revolutions = 0.0
        self.events = 0
        self.exhaust = [(synthesis.Biquad.bandpass(f, q, rate), level) for f, q, level in EXHAUST]
        self.burst = 0.0
        self.burst_decay = math.exp(-1.0 / (0.0045 * rate))
        self.impulse = 0.0
        self.tick = 0.0
        self.tick_decay = math.exp(-1.0 / (0.0012 * rate))
        self.tick_filter = synthesis.Biquad.highpass(3200.0, 0.8, rate)
        self.prop_filter = synthesis.Biquad.lowpass(700.0, 0.7, rate)
        self.flow_filter = synthesis.Biquad.bandpass(240.0, 0.9, rate)
        self.load = 0.0

    def step(self, speed, fire_strength, air_level=1.0):
        """One sample at `speed` revolutions a second.

        fire_strength(event) -> 0 for a compression that does not fire, else the
        pulse's strength.
        """
        self.revolutions += speed / self.rate
        half_turns = self.revolutions * 2.0
        phase = half_turns - math.floor(half_turns)
        self.load = compression_load(phase)
        if int(half_turns) > self.events:
            self.events = int(half_turns)
            strength = fire_strength(self.events)
            if strength > 0.0:
                level = strength * CYLINDER_LEVELS[self.events % 4] * self.noise.uniform(0.88, 1.1)
                self.burst = max(self.burst, level)
                self.impulse = level
            self.tick = 0.4 + 0.2 * self.noise.uniform(0.0, 1.0)
        grit = self.noise.next()
        excitation = 6.0 * self.burst * (0.6 * grit + 0.4) + self.impulse * 1.5
        self.impulse = 0.0
        self.burst *= self.burst_decay
        # Air squeezed and let go with each compression: a pressure swing and a
        # breath past the rings and valves, heard through the exhaust as a "whump".
        breath = self.load * self.load * (0.8 * self.noise.next() + (self.load - 0.42))
        excitation += air_level * breath * 0.9 * min(1.0, speed / 2.0)
        exhaust = sum(f(excitation) * level for f, level in self.exhaust)
        flow = self.flow_filter(self.noise.next()) * air_level * 0.05 * self.load * min(1.0, speed)
        self.tick *= self.tick_decay
        valves = self.tick_filter(self.noise.next()) * self.tick * 0.04 * min(1.0, speed / 8.0)
        # The blades chop the air twice a revolution; louder the faster they turn.
        blade = 0.55 + 0.45 * math.cos(4.0 * math.pi * self.revolutions)
        prop = self.prop_filter(self.noise.next()) * blade * 0.14 * min(1.0, (speed / 14.0) ** 1.4)
        return exhaust + flow + valves + prop


class Starter:
    """The starter motor: geared to the crankshaft while engaged, free once released."""

    def __init__(self, rate, seed):
        self.rate = rate
        self.noise = synthesis.Noise(seed)
        self.phases = [0.0] * len(STARTER_PARTIALS)
        self.brushes = synthesis.Biquad.bandpass(2600.0, 1.2, rate)
        self.gears = synthesis.Biquad.bandpass(1200.0, 3.0, rate)
        self.free_speed = 0.0
        self.mesh_phase = 0.0
        self.level = synthesis.OnePole(0.06, rate)

    def step(self, engine_speed, load, engaged):
        """One sample; engaged ties the motor to the engine, else it runs down."""
        if engaged:
            speed = engine_speed
            self.free_speed = min(speed, 3.0)
            drive = 1.0
        else:
            self.free_speed *= math.exp(-1.0 / (0.7 * self.rate))
            speed = self.free_speed
            drive = 0.0
        level = self.level(drive * (0.75 + 0.5 * load) + (1.0 - drive) * 0.25 * min(1.0, speed / 4.0))
        base = WHINE_PER_REVOLUTION * speed
        out = 0.0
        for i, (ratio, amplitude) in enumerate(STARTER_PARTIALS):
            self.phases[i] = (self.phases[i] + base * ratio / self.rate) % 1.0
            out += amplitude * math.sin(2.0 * math.pi * self.phases[i])
        self.mesh_phase = (self.mesh_phase + RING_GEAR_TEETH * speed / self.rate) % 1.0
        # Tooth against tooth: a pulse-like tone, rougher the harder the engine resists.
        mesh = (abs(2.0 * self.mesh_phase - 1.0) ** 3 - 0.25) * (0.3 + load) * drive
        grind = self.gears(self.noise.next()) * (0.35 + load) * drive + mesh * 0.5
        hiss = self.brushes(self.noise.next()) * 0.5
        return (out * 0.3 + grind * 0.35 + hiss * 0.12) * level


def strike(rate, modes, length_seconds, seed):
    """A metallic knock: resonant modes (frequency, decay, level) struck once."""
    noise = synthesis.Noise(seed)
    resonators = [(synthesis.Resonator(f, d, rate), level) for f, d, level in modes]
    out = []
    for i in range(int(length_seconds * rate)):
        x = (1.0 if i == 0 else 0.0) + noise.next() * math.exp(-i / (0.0015 * rate)) * 0.5
        out.append(sum(r(x) * level for r, level in resonators))
    return out
