"""Parts both gauges' plates are made of: the plate itself, screws, lettering."""

import math

import paints
import pixel_font
import shapes

PLATE_COLOUR = (66, 68, 73)
LETTERING = (232, 230, 218)
LETTER_SHADOW = ((14, 14, 16), 1, 1, 0.7)


def plate(canvas, seed):
    """A brushed dark plate filling the canvas, its edges bevelled as if raised."""
    w, h = canvas.width, canvas.height
    canvas.fill(shapes.box(0, 0, w, h), paints.brushed_metal(PLATE_COLOUR, 0.16, h, seed))
    rim = (24, 25, 28)
    for x in range(w):
        canvas.set_pixel(x, 0, rim)
        canvas.set_pixel(x, h - 1, rim)
        canvas.set_pixel(x, 1, (128, 131, 138), 0.8)
        canvas.set_pixel(x, h - 2, (34, 35, 38), 0.8)
    for y in range(h):
        canvas.set_pixel(0, y, rim)
        canvas.set_pixel(w - 1, y, rim)
        if 1 <= y <= h - 2:
            canvas.set_pixel(1, y, (112, 115, 122), 0.7)
            canvas.set_pixel(w - 2, y, (36, 37, 40), 0.8)


def screw(canvas, cx, cy, turn, radius=2.9):
    """A domed slotted screw head, lit from the upper left, sitting in a shallow recess."""
    canvas.shade(shapes.circle(cx + 0.5, cy + 0.6, radius + 0.4), 0.45, softness=1.4)
    canvas.fill(shapes.circle(cx, cy, radius), paints.radial(
        cx, cy, radius * 1.6,
        [(0.0, (222, 224, 228)), (0.45, (160, 163, 170)), (1.0, (70, 72, 78))],
        light_x=-0.25, light_y=-0.3))
    slot = shapes.rotated(shapes.box(cx - radius * 0.85, cy - 0.45, cx + radius * 0.85, cy + 0.45),
                          cx, cy, turn)
    canvas.fill(slot, (38, 38, 42), opacity=0.9)
    edge = shapes.rotated(shapes.box(cx - radius * 0.8, cy + 0.45, cx + radius * 0.8, cy + 0.95),
                          cx, cy, turn)
    canvas.fill(edge, (236, 238, 240), opacity=0.35)


def corner_screws(canvas, inset=5.5, seed=0, radius=2.9):
    """Four screws in the corners, each slot at its own angle."""
    w, h = canvas.width, canvas.height
    corners = [(inset, inset), (w - inset, inset), (inset, h - inset), (w - inset, h - inset)]
    for i, (x, y) in enumerate(corners):
        screw(canvas, x, y, math.radians((37 * i + 23 * seed) % 180), radius)


def label(canvas, text, centre_x, y, font=pixel_font.FONT_5X7, colour=LETTERING):
    pixel_font.draw_text_centred(canvas, text, font, centre_x, y, colour, LETTER_SHADOW)
