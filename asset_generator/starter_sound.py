"""Eg.wav: the solenoid clacks in, the starter cranks the engine over its compressions
("rur-rur-rur", the whine sagging at each), the engine catches, revs up past idle as
the starter drops out, and settles into a lumpy idle that fades out with the buffer."""

import math

import engine_voice
import synthesis

RATE = 22050
SECONDS = 6.3
SAMPLES = int(round(SECONDS * RATE))
GAIN = 0.3

CRANKING_SPEED = [(0.0, 0.0), (0.07, 0.0), (0.35, 1.9), (1.2, 2.25), (2.9, 2.4)]
CATCH = 2.9            # first compression that may fire
FLARE_AT = 3.55        # the revs peak here ...
FLARE_SPEED = 17.5     # ... at 1050 rpm
IDLE_SPEED = 12.3      # then settle at about 740 rpm
SETTLE = 0.45          # seconds to settle by a factor e
RELEASE_SPEED = 3.2    # the starter's pinion is thrown out above this
SOLENOID = [(150.0, 0.05, 0.5), (880.0, 0.022, 0.6), (2350.0, 0.014, 0.45),
            (3720.0, 0.009, 0.35), (5200.0, 0.006, 0.2)]
FIRE_CHANCE = [(CATCH, 0.45), (3.05, 0.7), (3.2, 0.92), (3.35, 1.0)]


def engine_speed(t, wander):
    if t < CATCH:
        return synthesis.breakpoints(CRANKING_SPEED, t)
    if t < FLARE_AT:
        rise = synthesis.smoothstep(CATCH, FLARE_AT, t)
        return synthesis.breakpoints(CRANKING_SPEED, t) + (FLARE_SPEED - 2.4) * rise
    settle = math.exp(-(t - FLARE_AT) / SETTLE)
    return (IDLE_SPEED + (FLARE_SPEED - IDLE_SPEED) * settle) * (1.0 + 0.015 * wander)


def starter_samples():
    """Signed 16-bit samples of the whole start."""
    engine = engine_voice.Engine(RATE, seed=31)
    starter = engine_voice.Starter(RATE, seed=32)
    chance = synthesis.Noise(33)
    wander_noise = synthesis.Noise(34)
    wander = synthesis.OnePole(0.35, RATE)
    clack = engine_voice.strike(RATE, SOLENOID, 0.25, seed=35)
    clack_at = int(0.04 * RATE)
    now = [0.0]

    def fire_strength(event):
        t = now[0]
        if t < CATCH or chance.uniform(0.0, 1.0) > synthesis.breakpoints(FIRE_CHANCE, t):
            return 0.0
        return 1.25 if t < FLARE_AT + 0.3 else 1.0

    engaged = True
    out = []
    for i in range(SAMPLES):
        t = now[0] = i / float(RATE)
        speed = engine_speed(t, wander(wander_noise.next()) * 20.0)
        if speed > RELEASE_SPEED:
            engaged = False
        # Below firing speed the compressions hold the crankshaft back.
        sag = 0.5 * max(0.0, 1.0 - (speed - 2.0) / 4.0)
        speed *= 1.0 - sag * engine.load
        sample = engine.step(speed, fire_strength)
        sample += starter.step(speed, engine.load, engaged) * (1.0 if t > 0.06 else 0.0)
        if clack_at <= i < clack_at + len(clack):
            sample += clack[i - clack_at] * 0.9
        out.append(sample * GAIN)
    out = synthesis.remove_dc(out, RATE)
    synthesis.fade_out(out, int(0.5 * RATE))
    return synthesis.to_pcm16(out)
