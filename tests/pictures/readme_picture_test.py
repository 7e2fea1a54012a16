"""The picture the README opens with, docs/panel.png, is the panel the bench
draws now: pixel for pixel what scripts/panel-picture.sh makes.
usage: readme_picture_test.py WINE-RUN BENCH-EXE GAUGE-DIR WORK-DIR"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from picture_files import PictureError, first_difference, read_picture  # noqa: E402

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
COMMITTED = os.path.join(SOURCE, "docs", "panel.png")
REMAKE = "scripts/remake-readme-picture.sh"


def main():
    wine_run, bench, gauges, work = (os.path.abspath(arg) for arg in sys.argv[1:5])
    drawn_path = os.path.join(work, "panel.png")
    done = subprocess.run(["sh", os.path.join(SOURCE, "scripts", "panel-picture.sh"), wine_run,
                           bench, gauges, os.path.join(work, "run"), drawn_path], timeout=300)
    if done.returncode != 0:
        print(f"FAIL: the bench did not draw the panel (exit status {done.returncode})")
        return 1
    try:
        committed, drawn = read_picture(COMMITTED), read_picture(drawn_path)
    except (OSError, PictureError) as error:
        print(f"FAIL: {error}")
        return 1
    difference = first_difference(committed, drawn)
    if difference is not None:
        print(f"FAIL: docs/panel.png is not the panel the bench draws now ({drawn_path}): "
              f"{difference}; run {REMAKE}")
        return 1
    print(f"docs/panel.png is current: {committed[0]} x {committed[1]} pixels as drawn")
    return 0


if __name__ == "__main__":
    sys.exit(main())
