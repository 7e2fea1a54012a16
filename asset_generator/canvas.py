"""An RGB picture of floats that shapes are painted onto, antialiased.

A pixel's coverage comes from the shape's signed distance at its centre: a
one-pixel ramp across the edge, or a wider one for soft shadows and glows.
"""

import math


class Canvas:
    def __init__(self, width, height, colour=(0.0, 0.0, 0.0)):
        self.width = width
        self.height = height
        self.pixels = [list(colour) for _ in range(width * height)]
        self.outside = set()  # pixels that lie beyond the picture this one was cut from

    def copy(self):
        other = Canvas(0, 0)
        other.width, other.height = self.width, self.height
        other.pixels = [list(p) for p in self.pixels]
        other.outside = set(self.outside)
        return other

    def crop(self, x, y, width, height):
        """The part at (x, y); what lies beyond this canvas is marked outside."""
        part = Canvas(width, height)
        for row in range(height):
            for col in range(width):
                sx, sy = x + col, y + row
                if 0 <= sx < self.width and 0 <= sy < self.height:
                    part.pixels[row * width + col] = list(self.pixels[sy * self.width + sx])
                else:
                    part.outside.add(row * width + col)
        return part

    def differs_outside(self, other, x, y, width, height):
        """Whether any pixel differs from `other` outside the box or along its edge."""
        x, y, width, height = x + 1, y + 1, width - 2, height - 2
        for row in range(self.height):
            for col in range(self.width):
                if x <= col < x + width and y <= row < y + height:
                    continue
                i = row * self.width + col
                if self.pixels[i] != other.pixels[i]:
                    return True
        return False

    def _visit(self, bounds, margin):
        x0, y0, x1, y1 = bounds
        for py in range(max(0, int(math.floor(y0 - margin))),
                        min(self.height, int(math.ceil(y1 + margin)) + 1)):
            for px in range(max(0, int(math.floor(x0 - margin))),
                            min(self.width, int(math.ceil(x1 + margin)) + 1)):
                yield px, py

    def fill(self, shape, paint, opacity=1.0, softness=1.0):
        """Paints `shape`; paint is a colour or a function (x, y) -> colour.

        softness is the width in pixels of the edge ramp.
        """
        constant = not callable(paint)
        for px, py in self._visit(shape.bounds, softness):
            x, y = px + 0.5, py + 0.5
            coverage = 0.5 - shape(x, y) / softness
            if coverage <= 0.0:
                continue
            alpha = min(coverage, 1.0) * opacity
            colour = paint if constant else paint(x, y)
            self.blend(px, py, colour, alpha)

    def blend(self, px, py, colour, alpha):
        p = self.pixels[py * self.width + px]
        for c in range(3):
            p[c] += (colour[c] - p[c]) * alpha

    def shade(self, shape, factor, softness=1.0):
        """Multiplies the colours under `shape` by factor (below 1 darkens)."""
        for px, py in self._visit(shape.bounds, softness):
            coverage = 0.5 - shape(px + 0.5, py + 0.5) / softness
            if coverage <= 0.0:
                continue
            k = 1.0 + (factor - 1.0) * min(coverage, 1.0)
            p = self.pixels[py * self.width + px]
            for c in range(3):
                p[c] *= k

    def set_pixel(self, px, py, colour, alpha=1.0):
        if 0 <= px < self.width and 0 <= py < self.height:
            self.blend(px, py, colour, alpha)

    def rgb(self):
        """The pixels as (red, green, blue) byte tuples, top row first.

        Pure black marks the outside pixels only: a drawn black becomes (1, 1, 1).
        """
        result = []
        for i, p in enumerate(self.pixels):
            if i in self.outside:
                result.append((0, 0, 0))
                continue
            colour = tuple(min(255, max(0, int(round(c)))) for c in p)
            result.append(colour if colour != (0, 0, 0) else (1, 1, 1))
        return result
