"""PNG previews of the bitmaps as written, each alone and each gauge as the host
composes it: the background with the children visible in each state at the
positions the gauges give them; and the example panel with its gauges in
their places."""

import os

import bmp_writer
import ignition_art
import panel_background_art
import png_writer
import switch_art

SCALE = 4

# (preview name, background file, [(child file, child box), ...]).
COMPOSED = [
    ("switch_off", "switch/resources/switch_plate.bmp",
     [("switch/resources/lever_off.bmp", switch_art.LEVER_OFF_BOX)]),
    ("switch_on", "switch/resources/switch_plate.bmp",
     [("switch/resources/lever_on.bmp", switch_art.LEVER_ON_BOX)]),
    ("ignition_idle", "ignition/resources/ignition_plate.bmp", []),
    ("ignition_cranking", "ignition/resources/ignition_plate.bmp",
     [("ignition/resources/cranking_lamp.bmp", ignition_art.CRANKING_LAMP_BOX),
      ("ignition/resources/cranking_picture.bmp", ignition_art.CRANKING_PICTURE_BOX)]),
    ("ignition_running", "ignition/resources/ignition_plate.bmp",
     [("ignition/resources/ignition_lamp.bmp", ignition_art.IGNITION_LAMP_BOX)]),
]

# (preview name, [composed gauge preview, ...] in the order of the panel's places).
PANELS = [
    ("panel_switch_off", ["switch_off", "ignition_idle"]),
    ("panel_switch_on", ["switch_on", "ignition_idle"]),
]
PANEL_BACKGROUND = "panel_example/panel_background.bmp"


def _rows(width, height, indices, colours):
    return [[colours[i] for i in indices[y * width:(y + 1) * width]] for y in range(height)]


def _compose(files, background, children):
    """The background with each child drawn over it, clipped to the background."""
    width, height, indices, colours = bmp_writer.read_bmp(files[background])
    rows = _rows(width, height, indices, colours)
    for child, (x, y, _, _) in children:
        cw, ch, ci, cc = bmp_writer.read_bmp(files[child])
        for row, line in enumerate(_rows(cw, ch, ci, cc)):
            for col, colour in enumerate(line):
                if 0 <= x + col < width and 0 <= y + row < height:
                    rows[y + row][x + col] = colour
    return width, height, rows


def _compose_panel(files, gauges, composed):
    """The panel background with each composed gauge drawn at its place."""
    width, height, indices, colours = bmp_writer.read_bmp(files[PANEL_BACKGROUND])
    rows = _rows(width, height, indices, colours)
    for gauge, (_, x, y, _, _) in zip(gauges, panel_background_art.GAUGE_PLACES):
        _, _, gauge_rows = composed[gauge]
        for row, line in enumerate(gauge_rows):
            rows[y + row][x:x + len(line)] = line
    return width, height, rows


def _write(folder, name, width, height, rows):
    path = os.path.join(folder, name + ".png")
    with open(path, "wb") as f:
        f.write(png_writer.png_bytes(width, height, rows, SCALE))
    return path


def write_previews(files, folder):
    """Writes the previews of the bitmaps among `files` ({path: bytes}); returns their paths."""
    os.makedirs(folder, exist_ok=True)
    written = []
    for path in sorted(p for p in files if p.endswith(".bmp")):
        width, height, indices, colours = bmp_writer.read_bmp(files[path])
        name = os.path.splitext(os.path.basename(path))[0]
        written.append(_write(folder, name, width, height, _rows(width, height, indices, colours)))
    composed = {name: _compose(files, background, children)
                for name, background, children in COMPOSED}
    for name, _, _ in COMPOSED:
        written.append(_write(folder, name, *composed[name]))
    for name, gauges in PANELS:
        written.append(_write(folder, name, *_compose_panel(files, gauges, composed)))
    return written
