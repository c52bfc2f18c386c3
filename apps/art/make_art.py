#!/usr/bin/env python3
"""Draws the programs' icons and pictures and writes them to apps/resources/.

    python3 apps/art/make_art.py          # (re)write the files and the contact sheet docs/art.png
    python3 apps/art/make_art.py --check  # exit 1 if a resource differs from what would be written

Standard library only, and no randomness beyond fixed seeds: the same script gives
the same bytes, so the outputs can be committed and the build needs no Python.
The check leaves out the contact sheet, whose compressed bytes depend on the zlib build.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

from pathlib import Path  # noqa: E402

from contact_sheet import contact_sheet  # noqa: E402
from formats import bmp_24, icon_image_32bpp, icon_image_4bpp, ico_file, png_rgb  # noqa: E402
from pictures import ICON_SIZES, arrow, bullet, monitor, mouse, texture  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]


def draw():
    """The pictures: ([(name, {size: indexed image})], texture RGB rows, bullet RGBA rows)."""
    icons = [("mouse", {size: mouse(size) for size in ICON_SIZES})]
    icons += [(f"arrow_{d}", {size: arrow(d, size) for size in ICON_SIZES})
              for d in ("up", "down", "left", "right")]
    icons += [("monitor", {size: monitor(size) for size in ICON_SIZES})]
    return icons, texture(), bullet()


def resources(icons, background, ball):
    """The files the programs' resource script includes: relative path -> bytes."""
    files = {f"apps/resources/{name}.ico": ico_file([icon_image_4bpp(images[s]) for s in ICON_SIZES])
             for name, images in icons}
    files["apps/resources/texture.bmp"] = bmp_24(background)
    files["apps/resources/bullet.ico"] = ico_file([icon_image_32bpp(ball)])
    return files


def main(argv):
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        print(__doc__, file=sys.stderr)
        return 2
    pictures = draw()
    files = resources(*pictures)
    if check:
        stale = [relative for relative, data in files.items()
                 if not (ROOT / relative).is_file() or (ROOT / relative).read_bytes() != data]
        for relative in stale:
            print(f"differs: {relative}", file=sys.stderr)
        return 1 if stale else 0
    files["docs/art.png"] = png_rgb(contact_sheet(*pictures))
    for relative, data in files.items():
        path = ROOT / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        print(f"wrote {relative} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
