"""The example panel's background: a painted metal face with a bevelled edge and
corner screws, a recessed mounting plate behind each gauge's place, and a small
label above each.

The places are where the example panel.cfg puts the gauges at one pixel a
design unit; their sizes are the gauges' plates.
"""

import ignition_art
import paints
import panel_parts
import pixel_font
import shapes
import switch_art
from canvas import Canvas

PANEL_SIZE = (240, 150)
# (label, x, y, width, height) of each gauge's place on the panel.
GAUGE_PLACES = [
    ("MASTER", 30, 36) + switch_art.PLATE_SIZE,
    ("IGNITION", 110, 36) + ignition_art.PLATE_SIZE,
]
RECESS_MARGIN = 4
LABEL_GAP = 4  # between a label's foot and its recess

FACE_COLOUR = (92, 95, 100)
LABEL_COLOUR = (212, 210, 199)
BEVEL_WIDTH = 3
SCREW_INSET = 8.5
SCREW_RADIUS = 3.4


def _painted_metal(width, height, seed):
    """Fine paint grain over a slow mottle, a little lighter towards the top."""
    def paint(x, y):
        iy = int(y)
        grain = paints.hash_noise(int(x), iy, seed) - 0.5
        mottle = (paints.smooth_noise(x, iy // 6, seed + 1, 23.0)
                  + paints.smooth_noise(x + 11.0, iy // 6 + 1, seed + 1, 23.0)) / 2.0 - 0.5
        k = 1.0 + 0.07 * (0.5 - y / height) + 0.022 * grain + 0.03 * mottle
        return paints.scale(FACE_COLOUR, k)
    return paint


def _bevel(canvas):
    """A dark outer rim, then a raised edge lit from the upper left, fading inwards."""
    w, h = canvas.width, canvas.height
    for y in range(h):
        for x in range(w):
            depth = min(x, y, w - 1 - x, h - 1 - y)
            if depth == 0:
                canvas.set_pixel(x, y, (24, 25, 28))
                continue
            if depth > BEVEL_WIDTH:
                continue
            # The nearest edge decides the light: top and left face it.
            lit = min(x, y) <= min(w - 1 - x, h - 1 - y)
            strength = (BEVEL_WIDTH + 1 - depth) / float(BEVEL_WIDTH)
            if lit:
                canvas.set_pixel(x, y, (168, 171, 178), 0.55 * strength)
            else:
                canvas.set_pixel(x, y, (30, 31, 34), 0.55 * strength)


def _recess(canvas, x, y, width, height):
    """A darker mounting plate sunk into the face, a few pixels wider than its gauge.

    The face's lip shades the plate's top and left edges and catches the light
    along its bottom and right; the gauge casts a soft shadow down and right.
    """
    m = RECESS_MARGIN
    x0, y0, x1, y1 = x - m, y - m, x + width + m, y + height + m
    plate = shapes.box(x0, y0, x1, y1)
    canvas.shade(plate, 0.8)
    canvas.fill(shapes.box(x0, y0, x1, y0 + 1), (26, 27, 30), opacity=0.6)
    canvas.fill(shapes.box(x0, y0 + 1, x0 + 1, y1), (26, 27, 30), opacity=0.45)
    canvas.shade(shapes.subtract(shapes.box(x0, y0, x1, y0 + 3), shapes.box(x0, y0, x0 + 1, y1)),
                 0.88, softness=1.5)
    canvas.fill(shapes.box(x0, y1, x1 + 1, y1 + 1), (150, 153, 160), opacity=0.45)
    canvas.fill(shapes.box(x1, y0, x1 + 1, y1), (150, 153, 160), opacity=0.35)
    canvas.shade(shapes.box(x + 0.5, y + 1.0, x + width + 1.0, y + height + 1.5), 0.7,
                 softness=2.0)


def panel_background():
    w, h = PANEL_SIZE
    canvas = Canvas(w, h)
    canvas.fill(shapes.box(0, 0, w, h), _painted_metal(w, h, seed=31))
    _bevel(canvas)
    for label, x, y, width, height in GAUGE_PLACES:
        _recess(canvas, x, y, width, height)
        font = pixel_font.FONT_3X5
        top = y - RECESS_MARGIN - LABEL_GAP - len(font[label[0]])
        pixel_font.draw_text_centred(canvas, label, font, x + width / 2.0, top, LABEL_COLOUR,
                                     panel_parts.LETTER_SHADOW)
    panel_parts.corner_screws(canvas, inset=SCREW_INSET, seed=3, radius=SCREW_RADIUS)
    return canvas


def pictures():
    return {"panel_background": panel_background()}
