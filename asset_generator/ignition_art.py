"""The ignition gauge's pictures: the plate with its key switch at OFF and two dark
lamps, the switch turned to START (the cranking picture), and the two lamps lit.

Like the switch's levers, every child picture is cut from the plate with its
change drawn on it, so it matches the plate around what it shows.
"""

import math

import paints
import panel_parts
import pixel_font
import shapes
from canvas import Canvas

PLATE_SIZE = (100, 78)
# Where the gauge places its icons on the plate: x, y, width, height.
IGNITION_LAMP_BOX = (7, 12, 17, 17)
CRANKING_LAMP_BOX = (7, 43, 17, 17)
CRANKING_PICTURE_BOX = (24, 0, 81, 76)

SWITCH_CENTRE = (62.0, 45.0)
OFF_ANGLE = math.radians(-50)
START_ANGLE = math.radians(50)
LABEL_RADIUS = 26.5

LENS_RADIUS = 5.6
BEZEL_RADIUS = 8.1

# Lens colours from the centre out: (dark, lit).
GREEN_LENS = ([(0.0, (40, 84, 52)), (0.7, (18, 46, 27)), (1.0, (10, 26, 16))],
              [(0.0, (236, 255, 226)), (0.28, (120, 250, 130)), (0.75, (34, 196, 72)),
               (1.0, (16, 120, 44))])
AMBER_LENS = ([(0.0, (98, 66, 24)), (0.7, (56, 36, 12)), (1.0, (32, 21, 8))],
              [(0.0, (255, 250, 210)), (0.28, (255, 204, 90)), (0.75, (238, 140, 22)),
               (1.0, (160, 82, 8))])


def _centre(box):
    x, y, w, h = box
    return x + w / 2.0, y + h / 2.0


def _lamp_bezel(canvas, cx, cy):
    canvas.shade(shapes.circle(cx + 0.8, cy + 1.0, BEZEL_RADIUS), 0.5, softness=1.6)
    canvas.fill(shapes.circle(cx, cy, BEZEL_RADIUS), paints.linear(
        cx - 6, cy - 6, cx + 6, cy + 6,
        [(0.0, (220, 223, 228)), (0.45, (140, 143, 150)), (1.0, (64, 66, 72))]))
    canvas.fill(shapes.circle(cx, cy, LENS_RADIUS + 1.0), paints.linear(
        cx - 5, cy - 5, cx + 5, cy + 5, [(0.0, (58, 60, 66)), (1.0, (190, 193, 200))]))


def _lens(canvas, cx, cy, stops, lit):
    canvas.fill(shapes.circle(cx, cy, LENS_RADIUS),
                paints.radial(cx, cy, LENS_RADIUS, stops, light_x=-0.1, light_y=-0.1))
    if lit:
        # Light spilling onto the bezel, fading out before the picture's edge.
        glow = stops[2][1]
        canvas.fill(shapes.ring(cx, cy, BEZEL_RADIUS - 1.4, LENS_RADIUS), glow,
                    opacity=0.22, softness=1.5)
    canvas.fill(shapes.circle(cx - 2.0, cy - 2.2, 1.3), (255, 255, 255),
                opacity=0.75 if lit else 0.5, softness=1.4)


def _switch_body(canvas):
    """The escutcheon ring and dark face the key turns in, with the position marks."""
    cx, cy = SWITCH_CENTRE
    canvas.shade(shapes.circle(cx + 1.5, cy + 2.0, 17.5), 0.45, softness=3.0)
    canvas.fill(shapes.circle(cx, cy, 17.0), paints.linear(
        cx - 13, cy - 13, cx + 13, cy + 13,
        [(0.0, (226, 229, 234)), (0.35, (164, 167, 174)), (0.7, (96, 98, 105)),
         (1.0, (60, 62, 68))]))
    canvas.fill(shapes.circle(cx, cy, 14.2), paints.linear(
        cx - 10, cy - 10, cx + 10, cy + 10, [(0.0, (50, 52, 57)), (1.0, (178, 181, 188))]))
    canvas.fill(shapes.circle(cx, cy, 13.2), paints.radial(
        cx, cy, 14.0, [(0.0, (52, 54, 60)), (1.0, (26, 27, 30))], light_x=-0.2, light_y=-0.25))
    # Lock cylinder face.
    canvas.fill(shapes.circle(cx, cy, 6.2), paints.radial(
        cx, cy, 7.5, [(0.0, (214, 186, 112)), (0.6, (168, 136, 66)), (1.0, (104, 80, 36))],
        light_x=-0.3, light_y=-0.3))
    for angle in (OFF_ANGLE, START_ANGLE):
        s, c = math.sin(angle), math.cos(angle)
        mark = shapes.tapered_capsule(cx + 18.6 * s, cy - 18.6 * c, 0.55,
                                      cx + 21.8 * s, cy - 21.8 * c, 0.85)
        canvas.fill(mark, panel_parts.LETTERING)
    # The arrow from OFF to START tells the key springs back.
    for step in range(13):
        a = OFF_ANGLE + (START_ANGLE - OFF_ANGLE) * (step + 0.5) / 13
        canvas.fill(shapes.circle(cx + 20.2 * math.sin(a), cy - 20.2 * math.cos(a), 0.45),
                    panel_parts.LETTERING, opacity=0.7)
    tip = START_ANGLE + math.radians(2)
    tx, ty = cx + 20.2 * math.sin(tip), cy - 20.2 * math.cos(tip)
    head = shapes.rotated(shapes.regular_polygon(tx, ty, 1.9, 3, 0.0), tx, ty, tip)
    canvas.fill(head, panel_parts.LETTERING, opacity=0.85)


def _position_label(canvas, text, angle):
    cx, cy = SWITCH_CENTRE
    x = cx + LABEL_RADIUS * math.sin(angle)
    y = cy - LABEL_RADIUS * math.cos(angle)
    panel_parts.label(canvas, text, x, int(round(y - 2.5)), pixel_font.FONT_3X5)


def _key(canvas, angle):
    """The key's flat head, turned to `angle` (0 points straight up)."""
    cx, cy = SWITCH_CENTRE
    head = shapes.tapered_capsule(cx, cy + 7.0, 4.6, cx, cy - 12.5, 3.4)
    hole = shapes.circle(cx, cy - 10.0, 1.5)
    turned_head = shapes.rotated(head, cx, cy, angle)
    canvas.shade(shapes.offset(turned_head, 1.6, 2.0, 0.3), 0.4, softness=2.2)
    light = -math.pi / 4  # from the upper left

    def head_paint(x, y):
        # A faint bevel: brighter towards the light along the head's edge.
        d = turned_head(x, y)
        dx, dy = x - cx, y - cy
        facing = math.cos(math.atan2(dy, dx) - (light - math.pi / 2))
        edge = max(0.0, 1.0 + d / 1.8)
        base = paints.mix((206, 208, 212), (150, 153, 160), (dy + 14.0) / 28.0)
        return paints.scale(base, 1.0 + 0.22 * edge * facing)
    canvas.fill(turned_head, head_paint)
    ridge = shapes.rotated(shapes.box(cx - 0.6, cy - 7.5, cx + 0.6, cy + 5.0), cx, cy, angle)
    canvas.fill(ridge, (100, 103, 110), opacity=0.6)
    canvas.fill(shapes.rotated(hole, cx, cy, angle), (24, 25, 28))
    pointer = shapes.rotated(shapes.box(cx - 0.55, cy - 15.2, cx + 0.55, cy - 12.2), cx, cy, angle)
    canvas.fill(pointer, (250, 250, 240))


def plate():
    w, h = PLATE_SIZE
    canvas = Canvas(w, h)
    panel_parts.plate(canvas, seed=23)
    panel_parts.corner_screws(canvas, seed=2)
    panel_parts.label(canvas, "IGNITION", SWITCH_CENTRE[0], 4)
    for box, label, (dark, _) in ((IGNITION_LAMP_BOX, "IGN", GREEN_LENS),
                                  (CRANKING_LAMP_BOX, "CRANK", AMBER_LENS)):
        cx, cy = _centre(box)
        _lamp_bezel(canvas, cx, cy)
        _lens(canvas, cx, cy, dark, lit=False)
        panel_parts.label(canvas, label, cx, box[1] + box[3] + 2, pixel_font.FONT_3X5)
    _switch_body(canvas)
    _position_label(canvas, "OFF", OFF_ANGLE)
    _position_label(canvas, "START", START_ANGLE)
    return canvas


def _cut(plate_canvas, box, draw):
    drawn = plate_canvas.copy()
    draw(drawn)
    if drawn.differs_outside(plate_canvas, *box):
        raise AssertionError("a picture reaches its box's edge %r" % (box,))
    return drawn.crop(*box)


def pictures():
    """{name: canvas} of the four ignition pictures."""
    resting = plate()
    base = resting.copy()
    _key(base, OFF_ANGLE)
    lamps = {}
    for name, box, (_, lit) in (("ignition_lamp", IGNITION_LAMP_BOX, GREEN_LENS),
                                ("cranking_lamp", CRANKING_LAMP_BOX, AMBER_LENS)):
        cx, cy = _centre(box)
        lamps[name] = _cut(base, box, lambda c: _lens(c, cx, cy, lit, lit=True))
    return dict(
        ignition_plate=base,
        cranking_picture=_cut(resting, CRANKING_PICTURE_BOX, lambda c: _key(c, START_ANGLE)),
        **lamps)
