#!/usr/bin/env python3
"""Regenerates every picture and sound the gauges carry, byte for byte the same on
every run (all noise comes from fixed seeds).

    python3 asset_generator/make_assets.py                 # writes them in place
    python3 asset_generator/make_assets.py --out DIR       # writes them below DIR instead
    python3 asset_generator/make_assets.py --preview DIR   # also writes PNG previews to DIR
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmp_writer  # noqa: E402
import click_sound  # noqa: E402
import ignition_art  # noqa: E402
import palette  # noqa: E402
import panel_background_art  # noqa: E402
import preview  # noqa: E402
import starter_sound  # noqa: E402
import stop_sound  # noqa: E402
import switch_art  # noqa: E402
import wave_writer  # noqa: E402

REPOSITORY = os.path.dirname(HERE)

# Each gauge's pictures share one palette, and the example panel's background has
# its own: (art module, folder, {picture name: file name}).
PICTURE_SETS = [
    (switch_art, "switch/resources",
     {"switch_plate": "switch_plate.bmp", "lever_on": "lever_on.bmp", "lever_off": "lever_off.bmp"}),
    (ignition_art, "ignition/resources",
     {"ignition_plate": "ignition_plate.bmp", "cranking_picture": "cranking_picture.bmp",
      "cranking_lamp": "cranking_lamp.bmp", "ignition_lamp": "ignition_lamp.bmp"}),
    (panel_background_art, "panel_example", {"panel_background": "panel_background.bmp"}),
]


def picture_files():
    """{relative path: file bytes} of every bitmap."""
    files = {}
    for art, folder, names in PICTURE_SETS:
        canvases = art.pictures()
        rgb = {name: canvases[name].rgb() for name in names}
        colours = palette.make_palette([rgb[name] for name in sorted(rgb)])
        mapping = palette.PaletteMap(colours)
        for name, file_name in names.items():
            c = canvases[name]
            files[folder + "/" + file_name] = bmp_writer.bmp_bytes(
                c.width, c.height, mapping.indices(rgb[name]), colours)
    return files


def sound_files():
    """{relative path: file bytes} of every sound."""
    return {
        "switch/resources/click.wav":
            wave_writer.click_wave_bytes(click_sound.click_samples(), click_sound.RATE),
        "ignition/sounds/Eg.wav":
            wave_writer.pcm16_wave_bytes(starter_sound.starter_samples(), starter_sound.RATE),
        "ignition/sounds/Stop.wav":
            wave_writer.pcm16_wave_bytes(stop_sound.stop_samples(), stop_sound.RATE),
    }


def all_files():
    files = picture_files()
    files.update(sound_files())
    return files


def write_files(files, root):
    for relative, data in sorted(files.items()):
        path = os.path.join(root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        print("wrote %s (%d bytes)" % (path, len(data)))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=REPOSITORY,
                        help="folder to write the assets below (default: the repository)")
    parser.add_argument("--preview", metavar="DIR", help="also write PNG previews here")
    args = parser.parse_args(argv)
    files = all_files()
    write_files(files, args.out)
    if args.preview:
        for path in preview.write_previews(files, args.preview):
            print("preview %s" % path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
