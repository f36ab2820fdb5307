"""At 144 DPI a window created at {10, 20, 300, 200} DIPs lands at (15, 30) pixels with a client
area of 450 x 300 pixels, and the root widget still measures 300 x 200 DIPs."""
import demo_support as d
import wine_harness as h


def main():
    demo = d.Demo("demo_dpi", ["--at", "10,20", "--size", "300x200"], dpi=144)
    h.check("root 300x200" in demo.log.lines(), "the root widget is not 300 x 200 DIPs")
    shot = demo.shot
    ox, oy = demo.origin
    # The root colour spans the client area: along the row 72 DIPs down and the column 8 DIPs in,
    # both clear of every child.
    width = shot.run_length((ox, oy + 108), (1, 0), d.ROOT_COLOR, tolerance=3)
    height = shot.run_length((ox + 12, oy), (0, 1), d.ROOT_COLOR, tolerance=3)
    h.check(width == 450, f"the client area is {width} pixels wide, expected 450")
    h.check(height == 300, f"the client area is {height} pixels high, expected 300")
    marker = shot.run_length((ox, oy), (1, 0), d.MARKER_COLOR, tolerance=0)
    h.check(marker == 9, f"the 6-DIP marker is {marker} pixels wide, expected 9")

    # The window's frame starts at (15, 30) of the desktop.
    dx, dy = demo.desktop
    background = shot.pixel(dx + 5, dy + 700)
    h.check(not h.close_to(shot.pixel(dx + 15, dy + 30 + 20), background, 4), "no window frame at x = 15")
    h.check(h.close_to(shot.pixel(dx + 14, dy + 30 + 20), background, 4), "the window starts left of x = 15")
    h.check(not h.close_to(shot.pixel(dx + 40, dy + 30), background, 4), "no window frame at y = 30")
    h.check(h.close_to(shot.pixel(dx + 40, dy + 29), background, 4), "the window starts above y = 30")
    h.key("Escape")
    h.check(demo.finish() == 42, "Escape did not end the demo")


if __name__ == "__main__":
    h.run_test(main)
