"""Two tiny bitmap fonts for panel labels: 5 x 7 and 3 x 5 capitals (the small
font's M is 5 wide: at 3 it reads as an H)."""

# Each glyph is a list of rows; '#' marks a lit pixel.
FONT_5X7 = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
}

FONT_3X5 = {
    "A": [".#.", "#.#", "###", "#.#", "#.#"],
    "C": [".##", "#..", "#..", "#..", ".##"],
    "E": ["###", "#..", "##.", "#..", "###"],
    "F": ["###", "#..", "##.", "#..", "#.."],
    "G": [".##", "#..", "#.#", "#.#", ".##"],
    "I": ["###", ".#.", ".#.", ".#.", "###"],
    "K": ["#.#", "#.#", "##.", "#.#", "#.#"],
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    "N": ["##.", "#.#", "#.#", "#.#", "#.#"],
    "O": [".#.", "#.#", "#.#", "#.#", ".#."],
    "R": ["##.", "#.#", "##.", "#.#", "#.#"],
    "S": [".##", "#..", ".#.", "..#", "##."],
    "T": ["###", ".#.", ".#.", ".#.", ".#."],
}


def text_width(text, font, spacing=1):
    widths = [len(font[ch][0]) for ch in text]
    return sum(widths) + spacing * (len(widths) - 1)


def text_pixels(text, font, x, y, spacing=1):
    """The (x, y) pixels that `text` lights with its top-left corner at (x, y)."""
    lit = []
    for ch in text:
        glyph = font[ch]
        for row, line in enumerate(glyph):
            for col, mark in enumerate(line):
                if mark == "#":
                    lit.append((x + col, y + row))
        x += len(glyph[0]) + spacing
    return lit


def draw_text(canvas, text, font, x, y, colour, shadow=None, spacing=1):
    """Prints `text` at (x, y); shadow (colour, dx, dy, alpha) is printed first, beneath."""
    pixels = text_pixels(text, font, x, y, spacing)
    if shadow is not None:
        shadow_colour, dx, dy, alpha = shadow
        for (px, py) in pixels:
            canvas.set_pixel(px + dx, py + dy, shadow_colour, alpha)
    for (px, py) in pixels:
        canvas.set_pixel(px, py, colour)


def draw_text_centred(canvas, text, font, centre_x, y, colour, shadow=None, spacing=1):
    x = int(round(centre_x - text_width(text, font, spacing) / 2.0))
    draw_text(canvas, text, font, x, y, colour, shadow, spacing)
