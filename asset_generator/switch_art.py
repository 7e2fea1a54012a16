"""The master switch's pictures: the plate and the chrome lever up (on) and down (off).

The lever pictures are cut from the plate with the lever drawn on it, so that
around the lever they are the plate itself, wherever the host puts them.
"""

import math

import paints
import panel_parts
import shapes
from canvas import Canvas

PLATE_SIZE = (60, 78)
# Where the gauge places its lever icons on the plate: x, y, width, height.
LEVER_ON_BOX = (21, 20, 17, 56)
LEVER_OFF_BOX = (20, 20, 18, 56)

# The gauge's click region covers the plate's top-left 40 x 60 pixels: the
# lever is short enough that its knob and shadow stay inside it both ways.
PIVOT = (29.5, 38.5)
LEVER_LENGTH = 12.5
ROOT_RADIUS = 2.0
TIP_RADIUS = 2.8
BALL_RADIUS = 3.3


def _toggle_mount(canvas):
    """Hex nut and threaded bushing the lever comes out of."""
    cx, cy = PIVOT
    nut = shapes.regular_polygon(cx, cy, 8.2, 6, math.radians(90))
    canvas.shade(shapes.offset(nut, 1.4, 1.8), 0.5, softness=2.0)
    light = math.radians(-135)  # from the upper left

    def facet_paint(x, y):
        # Each flat of the nut is lit by how squarely it faces the light.
        sector = math.floor((math.atan2(y - cy, x - cx) - math.radians(90)) / (math.pi / 3) + 0.5)
        normal = math.radians(90) + sector * math.pi / 3
        k = 0.5 + 0.5 * math.cos(normal - light)
        return paints.mix((66, 68, 74), (200, 203, 209), k)
    canvas.fill(nut, facet_paint)
    canvas.fill(shapes.ring(cx, cy, 8.2, 7.2), (34, 35, 38), opacity=0.35)
    canvas.fill(shapes.circle(cx, cy, 5.6), paints.radial(
        cx, cy, 7.0, [(0.0, (210, 213, 218)), (0.55, (150, 153, 160)), (1.0, (82, 84, 90))],
        light_x=-0.3, light_y=-0.35))
    for r in (4.7, 3.9):
        canvas.fill(shapes.ring(cx, cy, r + 0.35, r - 0.35), (60, 62, 68), opacity=0.55)
    canvas.fill(shapes.circle(cx, cy, 2.9), (30, 31, 34))


def _draw_lever(canvas, direction):
    """The chrome bat, pointing up (direction -1) or down (+1) from the pivot."""
    cx, cy = PIVOT
    tip_y = cy + direction * LEVER_LENGTH
    bat = shapes.tapered_capsule(cx, cy, ROOT_RADIUS, cx, tip_y, TIP_RADIUS)
    ball = shapes.circle(cx, tip_y, BALL_RADIUS)
    whole = shapes.union(bat, ball)
    canvas.shade(shapes.offset(whole, 2.0, 2.4, 0.2), 0.42, softness=2.4)

    # Tilted up, the bat faces the light; tilted down, it turns away from it.
    def light(y):
        t = abs(y - cy) / LEVER_LENGTH
        return 1.02 + 0.06 * t if direction < 0 else 0.96 - 0.22 * t

    def bat_paint(x, y):
        t = min(1.0, abs(y - cy) / LEVER_LENGTH)
        half = ROOT_RADIUS + (TIP_RADIUS - ROOT_RADIUS) * t
        return paints.chrome((x - cx) / half, light(y))
    canvas.fill(bat, bat_paint)
    ball_light = light(tip_y)
    canvas.fill(ball, paints.radial(
        cx, tip_y, BALL_RADIUS * 1.5,
        [(0.0, paints.scale((255, 255, 255), min(1.0, ball_light))),
         (0.3, paints.scale((200, 205, 214), ball_light)),
         (0.62, paints.scale((96, 100, 110), ball_light)),
         (1.0, paints.scale((150, 154, 162), ball_light))],
        light_x=-0.28, light_y=-0.3 if direction < 0 else -0.1))


def plate():
    w, h = PLATE_SIZE
    canvas = Canvas(w, h)
    panel_parts.plate(canvas, seed=11)
    panel_parts.corner_screws(canvas, seed=1)
    panel_parts.label(canvas, "MASTER", w / 2.0, 9)
    # Each position's name level with the knob in that position.
    panel_parts.label(canvas, "ON", 48.5, int(PIVOT[1] - LEVER_LENGTH) - 3)
    panel_parts.label(canvas, "OFF", 48.0, int(PIVOT[1] + LEVER_LENGTH) - 4)
    _toggle_mount(canvas)
    return canvas


def lever(plate_canvas, direction, box):
    """The lever picture at `box`: the plate with the lever drawn on it, cut out."""
    drawn = plate_canvas.copy()
    _draw_lever(drawn, direction)
    if drawn.differs_outside(plate_canvas, *box):
        raise AssertionError("the lever reaches its picture's edge at %r" % (box,))
    return drawn.crop(*box)


def pictures():
    """{name: canvas} of the three switch pictures."""
    base = plate()
    return {
        "switch_plate": base,
        "lever_on": lever(base, -1, LEVER_ON_BOX),
        "lever_off": lever(base, +1, LEVER_OFF_BOX),
    }
