"""Shapes as signed distance functions: negative inside, in pixels.

Each shape carries the box (x0, y0, x1, y1) outside of which it covers nothing,
so a fill visits only the pixels it can touch.
"""

import math


class Shape:
    def __init__(self, distance, bounds):
        self.distance = distance
        self.bounds = bounds

    def __call__(self, x, y):
        return self.distance(x, y)


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r,
                 (cx - r, cy - r, cx + r, cy + r))


def box(x0, y0, x1, y1, radius=0.0):
    """An axis-aligned rectangle with optionally rounded corners."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def distance(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return Shape(distance, (x0, y0, x1, y1))


def tapered_capsule(ax, ay, ra, bx, by, rb):
    """Two discs joined by their common tangents: a rod wider at one end."""
    dx, dy = bx - ax, by - ay
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    slope = (ra - rb) / length
    side = math.sqrt(max(0.0, 1.0 - slope * slope))

    def distance(x, y):
        px, py = x - ax, y - ay
        along = px * ux + py * uy
        across = abs(-px * uy + py * ux)
        # Where the point's nearest tangent point lies decides which part is nearest.
        k = side * along - slope * across
        if k < 0:
            return math.hypot(px, py) - ra
        if k > length * side:
            return math.hypot(x - bx, y - by) - rb
        return side * across + slope * along - ra
    r = max(ra, rb)
    return Shape(distance, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))


def regular_polygon(cx, cy, r, sides, turn=0.0):
    """A regular polygon whose corners lie on radius r, turned by `turn` radians."""
    apothem = r * math.cos(math.pi / sides)
    step = 2 * math.pi / sides

    def distance(x, y):
        a = math.atan2(y - cy, x - cx) - turn
        a = (a + step / 2) % step - step / 2
        return math.hypot(x - cx, y - cy) * math.cos(a) - apothem
    return Shape(distance, (cx - r, cy - r, cx + r, cy + r))


def rotated(shape, cx, cy, angle):
    """`shape` turned by angle radians (clockwise on screen) about (cx, cy)."""
    c, s = math.cos(angle), math.sin(angle)

    def distance(x, y):
        dx, dy = x - cx, y - cy
        return shape(cx + dx * c + dy * s, cy - dx * s + dy * c)
    x0, y0, x1, y1 = shape.bounds
    corners = [(x0, y0), (x1, y0), (x0, y1), (x1, y1)]
    turned = [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c)
              for (x, y) in corners]
    xs, ys = [p[0] for p in turned], [p[1] for p in turned]
    return Shape(distance, (min(xs), min(ys), max(xs), max(ys)))


def offset(shape, dx, dy, grow=0.0):
    """`shape` moved by (dx, dy) and grown by `grow` pixels on every side."""
    x0, y0, x1, y1 = shape.bounds
    return Shape(lambda x, y: shape(x - dx, y - dy) - grow,
                 (x0 + dx - grow, y0 + dy - grow, x1 + dx + grow, y1 + dy + grow))


def subtract(shape, cut):
    return Shape(lambda x, y: max(shape(x, y), -cut(x, y)), shape.bounds)


def union(*shapes):
    xs0, ys0, xs1, ys1 = zip(*(s.bounds for s in shapes))
    return Shape(lambda x, y: min(s(x, y) for s in shapes),
                 (min(xs0), min(ys0), max(xs1), max(ys1)))


def ring(cx, cy, r_outer, r_inner):
    return subtract(circle(cx, cy, r_outer), circle(cx, cy, r_inner))
