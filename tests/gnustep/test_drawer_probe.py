"""The Cocoa drawer's text offsets against Cocoa's own text drawing: one point right of the box, and
for each vertical alignment where the macOS rules put it (centred two points high, bottom two
points low; a text that wraps into two lines centred as a whole); the families the wizard names,
found whatever their case and in bold too (the fonts of a Mac, which the harness provides); loads of bytes that are not images, which fail and leave the bitmap as it was; and a
window destroyed without messages to its released view or delegate; a modal loop that a timer
ends, with no input to wake it; and fills that do not depend on what the buffer held before."""
import os

import gnustep_support as g
import x11_harness as h

WHITE = (255, 255, 255)
BOX_LEFT, REFERENCE_OFFSET, BOX = 20, 200, (150, 40)
TOPS = {"top": 20, "centre": 70, "bottom": 120, "two lines centred": 170}


def check_text(probe):
    for name, top in TOPS.items():
        drawn = [probe.pixel(BOX_LEFT + x, top + y) for y in range(-4, BOX[1] + 4) for x in range(-2, BOX[0])]
        reference = [probe.pixel(REFERENCE_OFFSET + BOX_LEFT + x, top + y)
                     for y in range(-4, BOX[1] + 4) for x in range(-2, BOX[0])]
        h.check(sum(1 for p in drawn if p != WHITE) > 40, f"{name}: no text drawn")
        differing = sum(1 for a, b in zip(drawn, reference) if not h.close_to(a, b, 8))
        h.check(differing == 0, f"{name}: {differing} pixels differ from the text where the rules put it")


def check_loads(probe):
    loads = {line.split()[1]: line.split()[2:] for line in probe.log.lines() if line.startswith("load ")}
    expected = {
        # name: result, loaded afterwards, pixel size
        "garbage": ["0", "0", "0x0"],
        "truncated": ["0", "0", "0x0"],
        "checkbox": ["1", "1", "14x28"],
        "garbage_after_image": ["0", "1", "14x28"],
    }
    h.check(loads == expected, f"loads: {loads}, expected {expected}")


def check_fonts(probe):
    fonts = [line.split()[1:] for line in probe.log.lines() if line.startswith("font ")]
    expected = [["tahoma", "0", "Tahoma", "0"], ["verdana", "0", "Verdana", "0"],
                ["tahoma", "2", "Tahoma", "1"], ["verdana", "2", "Verdana", "1"]]
    h.check(fonts == expected, f"fonts: {fonts}, expected {expected}")


def main():
    probe = g.Program("drawer_probe", os.environ["DRAWER_PROBE_BIN"], WHITE)
    probe.take("text")
    check_text(probe)
    check_loads(probe)
    check_fonts(probe)
    h.check("timer_end 3" in probe.log.lines(), "a modal loop ended by a timer did not return")
    # Drawn where nothing was drawn before, the fills are there all the same.
    h.check("transparent_start 255 255 255 255" in probe.log.lines(),
            f"drawn into a transparent start: {[l for l in probe.log.lines() if l.startswith('transparent_start')]}")
    probe.take_focus(390, 170)
    h.key("Escape")
    h.check(probe.finish() == 42, "Escape did not end the probe")
    h.check(not probe.zombie_messages(), f"messages to released objects: {probe.zombie_messages()}")


if __name__ == "__main__":
    g.run(main)
