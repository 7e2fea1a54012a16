"""One 256-colour palette for the pictures of a gauge, and the mapping onto it.

The palette is cut from the colours the pictures use (median cut, weighted by
how often each colour occurs). Entry 0 is kept black and used only where a
picture reaches beyond its gauge's background: pure black stands for that
outside, and the pictures themselves never use it.
"""

PALETTE_SIZE = 256
OUTSIDE = (0, 0, 0)

# Green counts most, blue least, when judging which entry is nearest.
_WEIGHTS = (3, 4, 2)


def _histogram(pictures):
    counts = {}
    for picture in pictures:
        for colour in picture:
            if colour != OUTSIDE:
                counts[colour] = counts.get(colour, 0) + 1
    return sorted(counts.items())


def _split(box):
    """Splits a box of (colour, count) pairs at the weighted median of its widest channel."""
    ranges = [max(c[0][ch] for c in box) - min(c[0][ch] for c in box) for ch in range(3)]
    channel = max(range(3), key=lambda ch: (ranges[ch] * _WEIGHTS[ch], -ch))
    box = sorted(box, key=lambda item: (item[0][channel], item[0]))
    half = sum(count for _, count in box) / 2.0
    running = 0
    for i, (_, count) in enumerate(box):
        running += count
        if running >= half:
            cut = min(max(i + 1, 1), len(box) - 1)
            return box[:cut], box[cut:]
    return box[:-1], box[-1:]


def _spread(box):
    return max(max(c[0][ch] for c in box) - min(c[0][ch] for c in box) for ch in range(3))


def _mean(box):
    total = sum(count for _, count in box)
    return tuple(int(round(sum(c[ch] * count for c, count in box) / float(total)))
                 for ch in range(3))


def make_palette(pictures):
    """256 (red, green, blue) entries for pictures given as lists of byte triples."""
    boxes = [_histogram(pictures)]
    while len(boxes) < PALETTE_SIZE - 1:
        splittable = [i for i, b in enumerate(boxes) if len(b) > 1]
        if not splittable:
            break
        # The box with most pixels times widest spread is split next.
        index = max(splittable, key=lambda i: (sum(c for _, c in boxes[i]) * _spread(boxes[i]), -i))
        first, second = _split(boxes.pop(index))
        boxes[index:index] = [first, second]
    colours = sorted(_mean(b) for b in boxes)
    entries = [OUTSIDE] + colours
    return entries + [OUTSIDE] * (PALETTE_SIZE - len(entries))


class PaletteMap:
    """Maps pure black onto entry 0 and every other colour onto its nearest other entry."""

    def __init__(self, palette):
        self.palette = palette
        self._used = [i for i in range(1, PALETTE_SIZE) if palette[i] != OUTSIDE]
        self._cache = {OUTSIDE: 0}

    def index(self, colour):
        found = self._cache.get(colour)
        if found is None:
            r, g, b = colour
            best, best_distance = self._used[0], None
            for i in self._used:
                pr, pg, pb = self.palette[i]
                d = (_WEIGHTS[0] * (r - pr) ** 2 + _WEIGHTS[1] * (g - pg) ** 2
                     + _WEIGHTS[2] * (b - pb) ** 2)
                if best_distance is None or d < best_distance:
                    best, best_distance = i, d
            found = self._cache[colour] = best
        return found

    def indices(self, picture):
        return [self.index(colour) for colour in picture]
