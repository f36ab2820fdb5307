"""What the drawer probe (tests/wine/drawer_probe.cpp) draws and reports, checked on a real
screenshot at 96 DPI: fills, 1- and 2-DIP outlines on the inset rule, lines with the half-DIP shift,
both shadows, image strip frames, the fitted banner, nested clipping, and text in Verdana and
tahoma with several alignments; and the probe's own report of the bitmap, measuring, alignment and
COM-error checks that need no screen. The screenshot is of the drawing after two lost graphics
devices (fed to the drawer as Direct2D reports them), so it also shows that the recovered drawing
is complete. Last, the probe changes DPI as on a monitor of another scale, and the scaled subset
below runs on its new drawing.

Every position below is in DIPs inside the probe's client area; the probe reports where that area
sits on Wine's screen. At another screen DPI (WINE_DPI) a scaled subset runs instead: the places
where a clip, an origin or an image frame that ignores the DPI would show. All checks run and every
failure is listed.
"""
import os

import wine_harness as h

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (255, 0, 0)
GREEN = (0, 255, 0)
BLUE = (0, 0, 255)
YELLOW = (255, 255, 0)
CYAN = (0, 255, 255)
MAGENTA = (255, 0, 255)
# Pixels of the check box strip (tests of the asset's look would belong with the asset).
CHECKBOX_BORDER = (0xA9, 0xAB, 0xAE)
CHECKBOX_FILL_ROW3 = (0x19, 0x1A, 0x1C)
CHECKBOX_TICK = (0xF0, 0xF1, 0xF2)

# Text boxes of the probe: (left, top, width, height), alignment.
TEXT_BOXES = [
    ((130, 200, 150, 40), "left", "top"),
    ((130, 250, 150, 40), "right", "bottom"),
    ((130, 300, 150, 40), "centre", "centre"),
    ((130, 350, 150, 40), "centre", "top"),  # bold
]


def read_results(path):
    results = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            key, _, value = line.rstrip("\n").partition("=")
            results[key] = value
    return results


class Client:
    """Pixels of the probe's client area, addressed in DIPs (pixels at 96 DPI)."""

    def __init__(self, shot, origin):
        self.shot = shot
        self.ox, self.oy = origin

    def at(self, x, y):
        return self.shot.pixel(self.ox + x, self.oy + y)

    def brightness(self, x, y):
        return sum(self.at(x, y)) / 3


class Checker:
    def __init__(self):
        self.failures = []
        self.count = 0

    def expect(self, ok, message):
        self.count += 1
        if not ok:
            self.failures.append(message)

    def colour(self, screen, x, y, want, what, tolerance=3):
        got = screen.at(x, y)
        close = all(abs(a - b) <= tolerance for a, b in zip(got, want))
        self.expect(close, f"{what}: pixel ({x}, {y}) is {got}, expected {want}")


def check_results(c, r):
    """The checks the probe made without a screen."""
    expected = {
        "garbage_loads": "0", "garbage_loaded": "0", "empty_loads": "0", "null_ref_loads": "0",
        "truncated_loads": "0", "kept_after_failure": "1 14x28 1",
        "checkbox_loaded": "1", "checkbox_pixels": "14x28", "checkbox_dips": "14x28", "scale2_dips": "7x14",
        # Two windows, two device bitmaps; closing one drawer removes only its entry.
        "device_bitmaps_two_windows": "2 2 1", "device_bitmaps_after_popup": "1 1 1",
        "registration_after_bitmap_destroyed": "1", "after_unload": "0 0 0", "reload_fresh_device_bitmap": "1 1",
        # Text alignment then paragraph alignment, as DirectWrite numbers them.
        "align_01": "0 0", "align_10": "2 2", "align_22": "1 1", "align_77": "2 2",
        "font_00": "400 0", "font_11": "300 2", "font_20": "700 0", "font_52": "400 0",
        # Custom dashes {1, 1}, flat caps, miter join, miter limit 10, no offset.
        "dotted_stroke": "5 2 1 1 000 0 10 0",
        # A picture that opens but has no frame to decode is refused, without an exception.
        "no_frame_decoder": "1 1", "no_frame_loads": "0 0",
        # Damaged pixels behind a valid header (a PNG, and a bitmap that fails only when copied).
        "damaged_png": "0 1 14x28", "short_bitmap": "0 1 14x28",
        # The device lost at EndDraw: that paint and a full one after it, every resource new.
        "device_lost_paints": "2", "device_lost_recreated": "1 1 1 1 1",
        # Lost at Resize: render target, brushes, gradient, device bitmap and its registration
        # gone at once and the whole window invalid; new ones at the next paint.
        "resize_lost_released": "1 1 1 1 1 1", "resize_lost_recreated": "1 1 1 1 1", "device_generations": "2",
        "measure_refused": "0x80004003",
        "null_interface": "0x80004003 1",
        "replaced_raise": "0x80004003",
        "painted": "1",
    }
    for key, want in expected.items():
        c.expect(r.get(key) == want, f"{key}: got {r.get(key)!r}, expected {want!r}")

    stops = r.get("shadow_stops", "").split()
    c.expect(len(stops) == 6 and stops[0] == "21", f"shadow_stops: {stops}")
    if len(stops) == 6:
        # position/alpha of stops 0, 7, 12, 19 and 20: alpha = 3^(-(0.1 i)^2 / 0.72), position i / 21.
        want = [(0.0, 1.0), (7 / 21, 0.4735), (12 / 21, 0.1111), (19 / 21, 0.0041), (20 / 21, 0.0022)]
        for text, (position, alpha) in zip(stops[1:], want):
            p, a = (float(v) for v in text.split("/"))
            c.expect(abs(p - position) < 1e-3 and abs(a - alpha) < 1e-3,
                     f"shadow stop {text}: expected {position:.4f}/{alpha:.4f}")

    def size(key):
        w, _, h = r.get(key, "0x0").partition("x")
        return int(w), int(h)

    empty, word, spaces = size("measure_empty"), size("measure_word"), size("measure_word_spaces")
    wrapped, big = size("measure_wrapped"), size("measure_word_24_bold")
    c.expect(empty[0] == 1 and 10 <= empty[1] <= 20, f"measure of '' is {empty}: width 1, one 12-DIP line + 1")
    c.expect(20 <= word[0] <= 60 and word[1] == empty[1], f"measure of 'Probe' is {word}")
    c.expect(spaces[0] > word[0] and spaces[1] == word[1], f"trailing spaces must count: {spaces} vs {word}")
    c.expect(wrapped[1] >= 2 * word[1] - 2, f"a 40-DIP limit must wrap three words: {wrapped}")
    c.expect(big[0] > word[0] and big[1] > word[1], f"24-DIP bold must measure larger: {big} vs {word}")
    verdana, tahoma = size("measure_verdana_14"), size("measure_tahoma_14")
    c.expect(verdana[0] > 0 and tahoma[0] > 0 and verdana != tahoma,
             f"Verdana and tahoma must resolve to different faces: {verdana} vs {tahoma}")


def check_fills_and_outlines(c, s):
    for x, y in [(10, 10), (49, 29), (30, 20)]:
        c.colour(s, x, y, RED, "fill_rect")
    for x, y in [(9, 10), (50, 10), (10, 9), (10, 30)]:
        c.colour(s, x, y, WHITE, "outside fill_rect")

    # 1-DIP outline of {10, 40, 40, 20}: the stroke lies on the outermost pixels.
    for y in range(40, 60):
        c.colour(s, 10, y, BLUE, "1-DIP outline left")
        c.colour(s, 49, y, BLUE, "1-DIP outline right")
    for x in range(10, 50):
        c.colour(s, x, 40, BLUE, "1-DIP outline top")
        c.colour(s, x, 59, BLUE, "1-DIP outline bottom")
    for x, y in [(11, 41), (48, 58), (9, 45), (50, 45), (30, 39), (30, 60)]:
        c.colour(s, x, y, WHITE, "beside the 1-DIP outline")

    # 2-DIP outline of {60, 40, 40, 20}: two pixels wide, inside the rectangle.
    for y in range(40, 60):
        for x in (60, 61, 98, 99):
            c.colour(s, x, y, GREEN, "2-DIP outline side")
    for x in range(60, 100):
        for y in (40, 41, 58, 59):
            c.colour(s, x, y, GREEN, "2-DIP outline top/bottom")
    for x, y in [(62, 42), (97, 57), (59, 45), (100, 45), (80, 39), (80, 60)]:
        c.colour(s, x, y, WHITE, "beside the 2-DIP outline")


def check_lines(c, s):
    # Dotted 1-DIP line on row 70: dashes of one DIP with gaps of one DIP. Wine's Direct2D ignores
    # stroke styles and draws it solid; the stroke's own settings are checked in the results.
    row = [s.brightness(x, 70) < 128 for x in range(10, 110)]
    inked = sum(row)
    longest = max(len(run) for run in "".join("1" if v else "0" for v in row).split("0"))
    if inked == len(row):
        print("NOTE dotted line drawn solid: this Direct2D ignores stroke styles (Wine does)")
    else:
        c.expect(35 <= inked <= 65 and longest <= 2,
                 f"dotted line: {inked} of 100 pixels inked, longest run {longest} (expected about half, runs of 1)")
    c.expect(row[0] and row[-1], "dotted line: spans x 10..109 on row 70")
    for x in range(10, 110):
        c.colour(s, x, 69, WHITE, "above the dotted line")
        c.colour(s, x, 71, WHITE, "below the dotted line")

    # Solid 2-DIP line at y = 80 is not shifted: rows 79 and 80.
    for x in range(10, 110):
        c.colour(s, x, 79, BLACK, "2-DIP line")
        c.colour(s, x, 80, BLACK, "2-DIP line")
        c.colour(s, x, 78, WHITE, "above the 2-DIP line")
        c.colour(s, x, 81, WHITE, "below the 2-DIP line")
    # Solid 1-DIP line at y = 90 is shifted half a DIP onto the pixel row 90.
    for x in range(11, 110):
        c.colour(s, x, 90, BLACK, "1-DIP line")
        c.colour(s, x, 89, WHITE, "above the 1-DIP line")
        c.colour(s, x, 91, WHITE, "below the 1-DIP line")


def check_images(c, s):
    c.colour(s, 10, 100, CHECKBOX_BORDER, "check box frame 0 border", tolerance=4)
    c.colour(s, 20, 103, CHECKBOX_FILL_ROW3, "check box frame 0 (no tick)", tolerance=4)
    c.colour(s, 30, 100, CHECKBOX_BORDER, "check box frame 1 border", tolerance=4)
    c.colour(s, 40, 103, CHECKBOX_TICK, "check box frame 1 tick", tolerance=4)
    c.colour(s, 23, 113, CHECKBOX_BORDER, "check box frame 0 bottom border", tolerance=4)
    for x in (10, 30):
        c.colour(s, x, 114, WHITE, "below a 14-DIP frame")
        c.colour(s, x + 14, 105, WHITE, "right of a 14-DIP frame")

    # The 160 x 310 banner fitted into {10, 200, 100, 100}: {34, 200, 85, 300}.
    for x, y in [(34, 250), (84, 250), (60, 200), (60, 299)]:
        c.expect(s.brightness(x, y) < 90, f"fitted banner: ({x}, {y}) is {s.at(x, y)}, expected the dark banner")
    for x, y in [(33, 250), (85, 250), (60, 199), (60, 300)]:
        c.colour(s, x, y, WHITE, "beside the fitted banner")


def check_shadows(c, s):
    # Filled child {150, 120, 60, 40} with offset (4, 4) and size 20: it covers the interior; the
    # right band runs from x = 208 (opaque) to 228 (clear).
    for x, y in [(150, 120), (209, 159)]:
        c.colour(s, x, y, YELLOW, "child over its shadow")
    ramp = [s.brightness(x, 145) for x in range(210, 228)]
    c.expect(ramp[0] < 60 and ramp[-1] > 235, f"right shadow band fades from dark to clear: {ramp}")
    c.expect(all(b >= a - 2 for a, b in zip(ramp, ramp[1:])), f"right shadow band brightens outward: {ramp}")
    ramp = [s.brightness(180, y) for y in range(160, 178)]
    c.expect(ramp[0] < 60 and ramp[-1] > 235, f"bottom shadow band fades from dark to clear: {ramp}")
    c.expect(140 < s.brightness(149, 145) < 250, f"left band beside the child is light grey: {s.at(149, 145)}")
    c.colour(s, 139, 145, WHITE, "outside the shifted shadow")
    c.colour(s, 180, 109, WHITE, "outside the shifted shadow")
    c.colour(s, 229, 145, WHITE, "outside the shifted shadow")

    # Empty child {300, 120, 60, 40}, no offset: opaque from 6 DIPs inside, clear 14 DIPs outside.
    for x, y in [(330, 140), (306, 126), (353, 153)]:
        c.colour(s, x, y, BLACK, "shadow interior", tolerance=2)
    c.expect(s.brightness(305, 140) < 30, f"shadow starts fading 6 DIPs inside: {s.at(305, 140)}")
    ramp = [s.brightness(x, 140) for x in range(305, 285, -1)]
    c.expect(all(b >= a - 2 for a, b in zip(ramp, ramp[1:])), f"left shadow band brightens outward: {ramp}")
    c.expect(ramp[-1] > 240, f"shadow is nearly clear at its outer edge: {ramp}")
    for x, y in [(285, 140), (374, 140), (330, 105), (330, 174)]:
        c.colour(s, x, y, WHITE, "14 DIPs beyond the shadowed rectangle")
    # Corners: dark next to the inner corner, clear beyond the radius.
    c.expect(s.brightness(303, 123) < 90, f"top-left shadow corner near its centre: {s.at(303, 123)}")
    c.expect(s.brightness(288, 108) > 240, f"top-left shadow corner beyond its radius: {s.at(288, 108)}")
    c.expect(s.brightness(356, 156) < 90, f"bottom-right shadow corner near its centre: {s.at(356, 156)}")
    c.expect(s.brightness(372, 172) > 240, f"bottom-right shadow corner beyond its radius: {s.at(372, 172)}")


def check_nesting(c, s):
    c.colour(s, 305, 225, CYAN, "panel")
    c.colour(s, 309, 229, CYAN, "panel beside its first child")
    c.colour(s, 340, 260, CYAN, "panel beside its first child")
    for x, y in [(310, 230), (339, 259)]:
        c.colour(s, x, y, MAGENTA, "grandchild clipped to itself at the accumulated origin")
    for x, y in [(400, 280), (419, 299)]:
        c.colour(s, x, y, MAGENTA, "overhanging child inside its parent")
    for x, y in [(420, 290), (410, 300), (399, 279)]:
        c.colour(s, x, y, WHITE if x >= 420 or y >= 300 else CYAN, "overhanging child clipped by its parent")


def ink_box(s, left, top, width, height):
    """Bounding box of the dark pixels inside a rectangle, or None."""
    xs, ys = [], []
    for y in range(top, top + height):
        for x in range(left, left + width):
            if s.brightness(x, y) < 128:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs), max(ys), len(xs)


def check_text(c, s):
    inks = []
    for (left, top, width, height), horizontal, vertical in TEXT_BOXES:
        what = f"text in {{{left}, {top}, {width}, {height}}} ({horizontal}/{vertical})"
        ink = ink_box(s, left, top, width, height)
        c.expect(ink is not None and ink[4] >= 40, f"{what}: no text drawn ({ink})")
        inks.append(ink)
        if ink is None:
            continue
        x0, y0, x1, y1, _ = ink
        centre_x, centre_y = (x0 + x1) / 2, (y0 + y1) / 2
        if horizontal == "left":
            c.expect(x0 - left <= 4 and x1 < left + width / 2, f"{what}: ink spans x {x0}..{x1}")
        elif horizontal == "right":
            c.expect(left + width - 1 - x1 <= 4 and x0 > left + width / 2, f"{what}: ink spans x {x0}..{x1}")
        else:
            c.expect(abs(centre_x - (left + width / 2)) <= 3, f"{what}: ink spans x {x0}..{x1}")
        if vertical == "top":
            c.expect(y0 - top <= 8 and y1 < top + height / 2 + 4, f"{what}: ink spans y {y0}..{y1}")
        elif vertical == "bottom":
            c.expect(top + height - 1 - y1 <= 8 and y0 > top + height / 2 - 6, f"{what}: ink spans y {y0}..{y1}")
        else:
            c.expect(abs(centre_y - (top + height / 2)) <= 4, f"{what}: ink spans y {y0}..{y1}")
        # The box's blue frame sits one DIP outside it; text never reaches it.
        c.colour(s, left - 1, top + height // 2, BLUE, f"{what}: frame")
    # The first box is regular Verdana, the last bold Verdana, both "Probe" at 14 DIPs.
    if inks[0] and inks[3]:
        c.expect(inks[3][4] > 1.3 * inks[0][4], f"bold text must carry more ink: {inks[3][4]} vs {inks[0][4]} pixels")


def check_scaled(c, s, scale):
    """At another DPI every DIP position scales; these are the places where a lost scale shows."""
    def at(x, y):
        return s.at(int(x * scale), int(y * scale))

    def colour(x, y, want, what):
        got = at(x, y)
        c.expect(h.close_to(got, want, 3), f"{what}: DIP ({x}, {y}) is {got}, expected {want}")

    colour(10.2, 10.2, RED, "fill_rect")
    colour(49.8, 29.8, RED, "fill_rect")
    colour(50.5, 20, WHITE, "right of fill_rect")
    colour(150.5, 120.5, YELLOW, "shadowed child")
    colour(209.5, 159.5, YELLOW, "shadowed child")
    colour(310.5, 230.5, MAGENTA, "grandchild at its accumulated origin")
    colour(305, 225, CYAN, "panel")
    colour(419.5, 299.5, MAGENTA, "overhanging child inside its parent")
    colour(420.5, 290, WHITE, "overhanging child clipped by its parent")
    colour(330, 140, BLACK, "shadow interior")
    # Check box frames: the tick lies only in frame 1, whatever the interpolation does to it.
    def brightest(left):
        return max(sum(at(left + 2 + dx / scale, 100 + 2 + dy / scale)) / 3
                   for dx in range(int(10 * scale)) for dy in range(int(10 * scale)))
    c.expect(brightest(10) < 90, f"frame 0 of the check box shows something bright: {brightest(10)}")
    c.expect(brightest(30) > 200, f"frame 1 of the check box shows no tick: {brightest(30)}")
    colour(10.5, 114.5, WHITE, "below a 14-DIP frame")


def check_dpi_change(c, program, artifacts, results_path, desktop, dpi):
    """The probe moves to another DPI as on a monitor with another scale (WM_DPICHANGED with the
    suggested rectangle): its client area takes the new size and everything is drawn at the new scale."""
    target = 144 if dpi == 96 else 96
    report_path = results_path + ".dpi-done"
    with open(results_path + ".dpi.part", "w") as request:
        request.write(str(target))
    os.rename(results_path + ".dpi.part", results_path + ".dpi")
    h.wait_until(lambda: os.path.exists(report_path) or not program.running(), timeout=60,
                 what="the probe's report after the DPI change")
    h.check(os.path.exists(report_path), f"the probe ended without a DPI report:\n{program.output()}")
    r = read_results(report_path)
    scale = target / 96
    want_client = f"{round(480 * scale)}x{round(400 * scale)}"
    c.expect(r.get("dpi") == str(target), f"after the change the probe runs at {r.get('dpi')} DPI, expected {target}")
    c.expect(r.get("client") == want_client, f"client area {r.get('client')} at {target} DPI, expected {want_client}")
    c.expect(r.get("root") == "480x400", f"the root is {r.get('root')} DIPs after the change, expected 480x400")
    cx, cy = (int(v) for v in r.get("client_origin", "0 0").split())
    origin = (desktop[0] + cx, desktop[1] + cy)

    def scaled(shot):
        client = Client(shot, origin)
        return (client.at(int(10 * scale), int(10 * scale)) == RED and client.at(int(49.8 * scale), int(29.8 * scale)) == RED
                and client.at(int(50.5 * scale), int(20 * scale)) != RED)
    shot = h.wait_for_screen(os.path.join(artifacts, f"drawer_probe_{target}dpi.png"), scaled,
                             what=f"the probe's drawing at {target} DPI")
    check_scaled(c, Client(shot, origin), scale)


def main():
    artifacts = os.path.join(os.environ.get("WINE_TEST_ARTIFACTS", "."), "drawer_probe")
    os.makedirs(artifacts, exist_ok=True)
    results_path = os.path.join(artifacts, "drawer_probe.txt")
    for leftover in (results_path, results_path + ".dpi", results_path + ".dpi-done"):
        if os.path.exists(leftover):
            os.remove(leftover)
    program = h.WineProgram(os.environ["DRAWER_PROBE_EXE"], [h.unix_to_wine_path(results_path)],
                            os.path.join(artifacts, "wine-output.txt"))
    desktop = h.wait_for_desktop()
    # The report appears after the first paint; it says where the client area is.
    h.wait_until(lambda: os.path.exists(results_path) or not program.running(), timeout=60,
                 what="the probe's report")
    h.check(os.path.exists(results_path), f"the probe ended without a report:\n{program.output()}")
    r = read_results(results_path)
    dpi = int(os.environ.get("WINE_DPI", "96"))
    h.check(r.get("dpi") == str(dpi), f"the probe ran at {r.get('dpi')} DPI, the screen has {dpi}")
    scale = dpi / 96
    cx, cy = (int(v) for v in r.get("client_origin", "0 0").split())
    origin = (desktop[0] + cx, desktop[1] + cy)

    def painted(shot):
        client = Client(shot, origin)
        return client.at(int(10 * scale), int(10 * scale)) == RED and client.at(int(49 * scale), int(29 * scale)) == RED
    shot = h.wait_for_screen(os.path.join(artifacts, "drawer_probe.png"), painted,
                             what="the probe's drawing on the screen")
    screen = Client(shot, origin)

    c = Checker()
    check_results(c, r)
    # Pixel-exact checks at 96 DPI, where a DIP is a pixel; the scaled subset elsewhere.
    checks = (check_fills_and_outlines, check_lines, check_images, check_shadows, check_nesting, check_text)
    if dpi != 96:
        checks = (lambda c_, s_: check_scaled(c_, s_, scale),)
    for check in checks:
        try:
            check(c, screen)
        except h.TestFailure as error:
            c.expect(False, f"{getattr(check, '__name__', 'check')}: {error}")
    try:
        check_dpi_change(c, program, artifacts, results_path, desktop, dpi)
    except h.TestFailure as error:
        c.expect(False, f"check_dpi_change: {error}")
    program.process.terminate()
    program.wait()
    print(f"{c.count - len(c.failures)} of {c.count} checks passed")
    h.check(not c.failures, "\n".join(c.failures))


if __name__ == "__main__":
    h.run_test(main)
