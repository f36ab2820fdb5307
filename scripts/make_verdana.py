#!/usr/bin/python3
"""Builds a freely licensed stand-in for the Verdana family from DejaVu Sans.

The toolkit names Verdana, which no free system ships. DejaVu Sans has similar metrics in spirit
(a wide humanist sans); renaming its family lets DirectWrite under Wine and GNUstep's fonts (through
fontconfig) resolve the name.

usage: make_verdana.py <source.ttf> <output.ttf> <style name>
"""
import sys

from fontTools.ttLib import TTFont

FAMILY = "Verdana"


def rename(source, output, style):
    font = TTFont(source)
    full = FAMILY if style == "Regular" else f"{FAMILY} {style}"
    postscript = f"{FAMILY}-{style.replace(' ', '')}"
    names = {
        1: FAMILY,        # family
        2: style,         # subfamily
        3: f"{postscript};stand-in",
        4: full,          # full name
        6: postscript,    # PostScript name
        16: FAMILY,       # typographic family
        17: style,        # typographic subfamily
    }
    table = font["name"]
    # Drop every old record of the renamed ids (all platforms and languages), then write new ones.
    table.names = [record for record in table.names if record.nameID not in names]
    for name_id, text in names.items():
        table.setName(text, name_id, 3, 1, 0x409)
        table.setName(text, name_id, 1, 0, 0)
    font.save(output)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    rename(sys.argv[1], sys.argv[2], sys.argv[3])
