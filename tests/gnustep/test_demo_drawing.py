"""What the Cocoa drawer puts on the screen, on a real screenshot of the toolkit demo: fills, a
dotted line's gaps and the solid frame a dotted rectangle gets, embedded images drawn upright from
their flipped source rectangles, the fitted banner; then the repeating timer, and the close button
ending the modal loop."""
import os

import demo as d
import gnustep_support as g
import png_reader
import x11_harness as h

BANNER_FILE = os.path.join(g.HERE, "..", "..", "installer", "images", "wizard_banner.png")
BLACK = (0, 0, 0)
INTERVAL_MS = 150


def check_fills(demo):
    for name, (x, y, w, hgt, colour) in d.PANELS.items():
        for px, py in ((x, y), (x + w - 1, y), (x, y + hgt - 1), (x + w - 1, y + hgt - 1)):
            actual = demo.pixel(px, py)
            h.check(h.close_to(actual, colour, 2), f"{name} at ({px}, {py}) is {actual}, expected {colour}")
        # One point outside each corner is the root's.
        h.check(h.close_to(demo.pixel(x + w, y + hgt), d.ROOT_COLOR, 2), f"{name} spills past its bottom-right corner")
    h.check(demo.pixel(0, 0) == g.MARKER_COLOR and demo.pixel(6, 0) != g.MARKER_COLOR, "the 6 x 6 marker is not at the client's corner")


def check_lines(demo):
    left, top = d.PANELS["lines"][:2]
    # The dotted line from (8, 16) to (288, 16), one wide and not shifted by half a pixel, covers half
    # of rows 15 and 16; along them ink and gap alternate pixel by pixel.
    row = top + 16
    darkness = [765 - sum(demo.pixel(left + x, row)) for x in range(10, 286)]
    alternations = sum(1 for a, b in zip(darkness, darkness[1:]) if abs(a - b) > 60)
    h.check(alternations > 0.9 * (len(darkness) - 1), f"the dotted line alternates only {alternations} times")
    h.check(max(darkness) > 150, "the dotted line has no ink")
    # The dotted rectangle {8, 28, 120, 28} is a solid frame inside its rectangle.
    frame = [demo.pixel(left + x, top + 28) for x in range(8, 128)]
    h.check(all(h.close_to(p, BLACK, 40) for p in frame), "the top edge of the rectangle is not solid")
    h.check(h.close_to(demo.pixel(left + 8, top + 40), BLACK, 40), "the left edge of the rectangle is missing")
    h.check(h.close_to(demo.pixel(left + 9, top + 40), d.WHITE, 2), "the rectangle's frame is wider than its line")
    h.check(h.close_to(demo.pixel(left + 8, top + 27), d.WHITE, 2), "the frame lies outside the rectangle")
    # The solid line of width 2 at y 42 fills rows 41 and 42.
    h.check(all(h.close_to(demo.pixel(left + x, top + yy), BLACK, 40) for x in (160, 220, 280) for yy in (41, 42)),
            "the two-wide line does not fill rows 41 and 42")


def check_images(demo):
    left, top = d.PANELS["images"][:2]
    _, _, checkbox = png_reader.read_png(os.path.join(g.IMAGES_DIR, "checkbox.png"))
    placements = [
        # file rows, destination in client DIPs: the check box's two frames, then three icons
        (checkbox[0:14], (left + 8, top + 8)),
        (checkbox[14:28], (left + 30, top + 8)),
    ]
    for index, name in enumerate(("browser_folder.png", "browser_pack.png", "browser_virtual.png")):
        placements.append((png_reader.read_png(os.path.join(g.IMAGES_DIR, name))[2], (left + 52 + 28 * index, top + 8)))
    for rows, (x, y) in placements:
        worst = max(max(abs(a - e) for a, e in zip(demo.pixel(x + column, y + r), png_reader.over(source, d.WHITE)))
                    for r, row in enumerate(rows) for column, source in enumerate(row))
        h.check(worst <= 6, f"the image at ({x}, {y}) differs from its file by up to {worst} levels")


def check_banner(demo):
    x, y, w, hgt, panel = d.PANELS["banner"]
    _, _, rows = png_reader.read_png(BANNER_FILE)
    # 160 x 310 fitted into 136 x 150 keeps its aspect ratio: 77 x 150, centred.
    x0, width = x + (w - 77) // 2, 77
    h.check(h.close_to(demo.pixel(x0 - 1, y + hgt // 2), panel, 2), "the banner spills left of its fitted box")
    h.check(h.close_to(demo.pixel(x0 + width, y + hgt // 2), panel, 2), "the banner spills right of its fitted box")
    scale = hgt / 310
    samples = [(sx, sy) for sy in range(4, hgt - 4, 9) for sx in range(4, width - 4, 9)]
    misses = sum(1 for sx, sy in samples
                 if not h.close_to(demo.pixel(x0 + sx, y + sy), rows[int(sy / scale)][int(sx / scale)][:3], 48))
    h.check(misses <= len(samples) // 10, f"{misses} of {len(samples)} banner samples differ from the picture")


def check_timer(demo):
    def ticks():
        found = [line for line in demo.log.lines() if line.startswith("event root 15 ")]
        return found if len(found) >= 6 else None
    lines = h.wait_until(ticks, what="six timer ticks")
    h.check({line.split()[3] for line in lines} == {"1"}, "a timer tick did not carry the id value 1")
    times = [int(line.split("at=")[1]) for line in lines]
    h.check(times[-1] - times[0] >= (len(times) - 1) * INTERVAL_MS * 0.8,
            f"{len(times)} ticks took {times[-1] - times[0]} ms at a {INTERVAL_MS} ms interval")


def main():
    demo = d.start("demo_drawing", ["--timer", str(INTERVAL_MS)])
    demo.move_to(*d.BARE_ROOT)
    demo.take("drawn")
    for check in (check_fills, check_lines, check_images, check_banner, check_timer):
        check(demo)
    demo.click_close_button()
    h.check(demo.finish() == 40, "the close button did not end the demo with exit code 40")
    lines = demo.log.lines()
    h.check("modal_result 0" in lines, "the modal loop did not end with result 0")
    h.check("event window 26 0" not in lines, "closing raised the hidden event, which only end_modal raises")
    h.check(not demo.zombie_messages(), f"messages to released objects: {demo.zombie_messages()}")


if __name__ == "__main__":
    g.run(main)
