#!/usr/bin/env python3
"""Draws the console's skin into a build folder.

    generate.py --out DIR                 draw everything into DIR
    generate.py --out DIR --list-outputs  print the files it writes, separated by ';'

Writes DIR/skin/<file> for every entry of table.py, DIR/skin.rc (the resource lines that
name them) and DIR/skin_table.h (ids and sizes for the resource tests).
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import animations  # noqa: E402
import bmpfile  # noqa: E402
from raster import Canvas  # noqa: E402
from table import BITMAPS, CURSORS, GIFS, ICONS  # noqa: E402

GIF_DRAWINGS = {131: animations.login_spinner, 785: animations.random_pick}


def output_paths(out):
    skin = os.path.join(out, "skin")
    files = [e.file for e in BITMAPS.values()] + [e.file for e in GIFS.values()]
    files += [e.file for e in ICONS.values()] + [e.file for e in CURSORS.values()]
    return [os.path.join(skin, f) for f in files] + [os.path.join(out, "skin.rc"),
                                                      os.path.join(out, "skin_table.h")]


def draw_bitmap(entry):
    canvas = Canvas(entry.width, entry.height)
    entry.draw(canvas)
    try:
        return bmpfile.encode(canvas, entry.bits)
    except ValueError as error:
        raise SystemExit("%s: %s" % (entry.file, error))


def draw_gif(resource_id, entry):
    return GIF_DRAWINGS[resource_id](entry.width, entry.height, entry.frames)


def draw_cursor(resource_id, entry):
    drawing = animations.pen_cursor if resource_id == 392 else animations.eraser_cursor
    return drawing(entry.size, entry.hotspot)


def resource_script(skin):
    def path(name):
        return '"%s"' % os.path.join(skin, name).replace("\\", "/")

    lines = ["// Drawn by tools/skin/generate.py from tools/skin/table.py; do not edit.", ""]
    for rid, e in sorted(ICONS.items()):
        lines.append("%d ICON %s  // %s" % (rid, path(e.file), e.description))
    for rid, e in sorted(CURSORS.items()):
        lines.append("%d CURSOR %s  // %s" % (rid, path(e.file), e.description))
    for rid, e in sorted(BITMAPS.items()):
        lines.append("%d BITMAP %s  // %d x %d, %s" % (rid, path(e.file), e.width, e.height, e.description))
    for rid, e in sorted(GIFS.items()):
        lines.append("%d GIF %s  // %d x %d, %d frames, %s" % (rid, path(e.file), e.width, e.height, e.frames,
                                                            e.description))
    return "\n".join(lines) + "\n"


def cpp_table():
    lines = ["// Drawn by tools/skin/generate.py from tools/skin/table.py; do not edit.",
             "#pragma once", "",
             "// id, width, height, and bits per pixel (bitmaps) or frame count (GIFs) or",
             "// number of sizes (icons).",
             "struct SkinResource { unsigned id; int width; int height; int extra; };",
             "struct SkinCursor { unsigned id; int size; int hotspotX; int hotspotY; };", ""]

    def block(name, rows):
        lines.append("static const SkinResource %s[] = {" % name)
        lines.extend("    {%d, %d, %d, %d}," % row for row in rows)
        lines.append("};")
        lines.append("")

    block("kSkinBitmaps", [(rid, e.width, e.height, e.bits) for rid, e in sorted(BITMAPS.items())])
    block("kSkinGifs", [(rid, e.width, e.height, e.frames) for rid, e in sorted(GIFS.items())])
    block("kSkinIcons", [(rid, max(e.sizes), max(e.sizes), len(e.sizes)) for rid, e in sorted(ICONS.items())])
    lines.append("static const SkinCursor kSkinCursors[] = {")
    lines.extend("    {%d, %d, %d, %d}," % (rid, e.size, e.hotspot[0], e.hotspot[1])
                 for rid, e in sorted(CURSORS.items()))
    lines.append("};")
    return "\n".join(lines) + "\n"


def write_if_changed(path, data):
    """Leaves an unchanged file alone so that its timestamp does not force a rebuild."""
    if isinstance(data, str):
        data = data.encode("utf-8")
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                os.utime(path, None)
                return
    except OSError:
        pass
    with open(path, "wb") as f:
        f.write(data)


def generate(out):
    skin = os.path.join(out, "skin")
    os.makedirs(skin, exist_ok=True)
    for rid, entry in BITMAPS.items():
        write_if_changed(os.path.join(skin, entry.file), draw_bitmap(entry))
    for rid, entry in GIFS.items():
        write_if_changed(os.path.join(skin, entry.file), draw_gif(rid, entry))
    for rid, entry in ICONS.items():
        write_if_changed(os.path.join(skin, entry.file), animations.program_icon(entry.sizes))
    for rid, entry in CURSORS.items():
        write_if_changed(os.path.join(skin, entry.file), draw_cursor(rid, entry))
    write_if_changed(os.path.join(out, "skin.rc"), resource_script(os.path.abspath(skin)))
    write_if_changed(os.path.join(out, "skin_table.h"), cpp_table())


def main(argv):
    parser = argparse.ArgumentParser(description="Draws the console's skin.")
    parser.add_argument("--out", required=True, help="build folder to write into")
    parser.add_argument("--list-outputs", action="store_true", help="print the output files and stop")
    args = parser.parse_args(argv)
    if args.list_outputs:
        print(";".join(p.replace("\\", "/") for p in output_paths(args.out)), end="")
        return 0
    generate(args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
