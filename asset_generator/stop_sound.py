"""Stop.wav: the engine idles a moment, the ignition is cut, a last cough or two, and
the propeller winds the engine down over ever slower compressions until it stops
against one and rocks back; then silence."""

import math

import engine_voice
import synthesis

RATE = 22050
SECONDS = 3.2
SAMPLES = int(round(SECONDS * RATE))
GAIN = 0.3  # as the starter sound's, so that both idle equally loud

IDLE_SPEED = 12.3
CUT = 0.3              # the ignition goes off here
DRAG = 1.25            # speed lost per second per revolution a second (air, friction)
FRICTION = 1.2         # revolutions a second lost per second regardless of speed
LAST_COUGHS = [(CUT, 0.45), (0.45, 0.25), (0.62, 0.08), (0.7, 0.0)]
ROCK_BACK = [(95.0, 0.09, 0.8), (420.0, 0.03, 0.3), (1300.0, 0.012, 0.12)]


def engine_speed(t):
    """Revolutions a second: idle, then coasting down against drag and friction."""
    if t < CUT:
        return IDLE_SPEED
    k = FRICTION / DRAG
    return max(0.0, (IDLE_SPEED + k) * math.exp(-DRAG * (t - CUT)) - k)


def stop_time():
    """When the crankshaft stands still."""
    k = FRICTION / DRAG
    return CUT + math.log((IDLE_SPEED + k) / k) / DRAG


def stop_samples():
    """Signed 16-bit samples of the whole stop."""
    engine = engine_voice.Engine(RATE, seed=41)
    chance = synthesis.Noise(42)
    rock = engine_voice.strike(RATE, ROCK_BACK, 0.4, seed=43)
    rock_at = int(stop_time() * RATE)
    now = [0.0]

    def fire_strength(event):
        t = now[0]
        if t < CUT:
            return 1.0
        odds = synthesis.breakpoints(LAST_COUGHS, t)
        return 0.7 if chance.uniform(0.0, 1.0) < odds else 0.0

    out = []
    for i in range(SAMPLES):
        t = now[0] = i / float(RATE)
        speed = engine_speed(t)
        # Slow enough, each compression brakes the crankshaft noticeably.
        sag = 0.55 * max(0.0, 1.0 - speed / 4.0)
        speed *= 1.0 - sag * engine.load
        sample = engine.step(speed, fire_strength, air_level=min(1.0, 0.4 + 0.6 * (t > CUT)))
        if rock_at <= i < rock_at + len(rock):
            sample += rock[i - rock_at] * 0.08
        out.append(sample * GAIN)
    out = synthesis.remove_dc(out, RATE)
    synthesis.fade_out(out, int(0.4 * RATE))
    return synthesis.to_pcm16(out)
