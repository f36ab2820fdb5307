"""What the toolkit demo draws, checked on a real screenshot: panel colours at known DIP positions,
text in the named fonts and alignments, embedded images pixel for pixel, the fitted banner, and
the drop shadow."""
import os

import demo_support as d
import png_reader
import wine_harness as h

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
IMAGES_DIR = os.path.join(ROOT, "lcsdk", "ui", "images")
BANNER_PATH = os.path.join(ROOT, "installer", "images", "wizard_banner.png")


def check_panel_colours(demo):
    for name, (x, y, w, hgt, colour) in d.PANELS.items():
        # Corners and centre of each panel, one DIP inside its edges.
        for px, py in ((x + 1, y + 1), (x + w - 2, y + 1), (x + w // 2, y + hgt // 2), (x + 1, y + hgt - 2)):
            if name in ("text", "images", "lines", "banner") and (px, py) == (x + w // 2, y + hgt // 2):
                continue  # their middles hold text, images or lines
            actual = demo.pixel(px, py)
            h.check(h.close_to(actual, colour, 3), f"{name} at ({px}, {py}) DIPs is {actual}, expected {colour}")
    for px, py in ((8, 8), (110, 40), (320, 100), (470, 350)):
        actual = demo.pixel(px, py)
        h.check(h.close_to(actual, d.ROOT_COLOR, 3), f"root at ({px}, {py}) is {actual}, expected {d.ROOT_COLOR}")
    h.check(h.close_to(demo.pixel(0, 0), d.MARKER_COLOR, 0), "the marker is not at the client's top-left corner")


def ink_columns(demo, box):
    """X positions (DIPs) of the columns in `box` that hold text-coloured pixels."""
    x, y, w, hgt = box
    columns = []
    for column in range(x, x + w):
        if any(h.close_to(demo.pixel(column, row), d.TEXT_COLOR, 70) for row in range(y, y + hgt)):
            columns.append(column)
    return columns


def check_text(demo):
    left, top = d.PANELS["text"][:2]
    inner = (left + 8, left + 8 + 280)
    lines = {
        # name: (box in client DIPs, alignment)
        "Tahoma left": ((left + 8, top + 6, 280, 30), "left"),
        "Verdana bold centre": ((left + 8, top + 44, 280, 30), "centre"),
        "Tahoma italic right": ((left + 8, top + 82, 280, 30), "right"),
    }
    for text, (box, alignment) in lines.items():
        columns = ink_columns(demo, box)
        h.check(len(columns) > 30, f"{text!r}: only {len(columns)} columns of text colour in its box")
        first, last = columns[0], columns[-1]
        if alignment == "left":
            h.check(first - inner[0] <= 3, f"{text!r} starts {first - inner[0]} DIPs from the left edge")
        elif alignment == "right":
            h.check(inner[1] - last <= 4, f"{text!r} ends {inner[1] - last} DIPs from the right edge")
        else:
            h.check(abs((first - inner[0]) - (inner[1] - last)) <= 4, f"{text!r} is not centred ({first}..{last})")


def check_fonts(demo):
    measured = {}
    for line in demo.log.lines():
        if line.startswith("measure "):
            _, family, weight, size = line.split()
            measured[(family, int(weight))] = tuple(int(v) for v in size.split("x"))
    fallback = measured[("NoSuchFamily", 0)]
    # The stand-in Verdana is far wider than whatever a missing family falls back to.
    h.check(measured[("Verdana", 0)][0] > fallback[0] + 10,
            f"Verdana measures {measured[('Verdana', 0)]}, like the fallback {fallback}: the family is not found")
    h.check(measured[("Verdana", 2)][0] > measured[("Verdana", 0)][0], "bold Verdana is not wider than normal")
    h.check(measured[("Tahoma", 0)][1] > 0, "Tahoma measured no height")


def check_images(demo):
    left, top = d.PANELS["images"][:2]
    _, _, checkbox = png_reader.read_png(os.path.join(IMAGES_DIR, "checkbox.png"))
    frames = {
        # file: list of (destination DIPs, source rows)
        "checkbox.png": [((left + 8, top + 8), checkbox[0:14]), ((left + 30, top + 8), checkbox[14:28])],
    }
    for index, name in enumerate(("browser_folder.png", "browser_pack.png", "browser_virtual.png")):
        _, _, rows = png_reader.read_png(os.path.join(IMAGES_DIR, name))
        frames[name] = [((left + 52 + 28 * index, top + 8), rows)]
    for name, placements in frames.items():
        for (x, y), rows in placements:
            worst = 0
            for row_index, row in enumerate(rows):
                for column, source in enumerate(row):
                    expected = png_reader.over(source, d.WHITE)
                    actual = demo.pixel(x + column, y + row_index)
                    worst = max(worst, max(abs(a - e) for a, e in zip(actual, expected)))
            h.check(worst <= 6, f"{name} at ({x}, {y}) differs from the file by up to {worst} levels")


def check_banner(demo):
    x, y, w, hgt, panel = d.PANELS["banner"]
    _, _, rows = png_reader.read_png(BANNER_PATH)
    # 160 x 310 fitted into 136 x 150: 77 x 150, centred.
    scale = min(hgt / 310, w / 160)
    width, height = int(160 * scale), int(310 * scale)
    x0, y0 = x + (w - width) // 2, y + (hgt - height) // 2
    h.check(h.close_to(demo.pixel(x0 - 2, y + hgt // 2), panel, 3), "the banner spills left of its fitted box")
    h.check(h.close_to(demo.pixel(x0 + width + 1, y + hgt // 2), panel, 3), "the banner spills right of its box")
    # Sampled points of the scaled image against the file, with room for the interpolation.
    misses = 0
    samples = 0
    for sy in range(4, height - 4, 9):
        for sx in range(4, width - 4, 9):
            source = rows[int(sy / scale)][int(sx / scale)]
            actual = demo.pixel(x0 + sx, y0 + sy)
            samples += 1
            misses += 0 if h.close_to(actual, source[:3], 48) else 1
    h.check(misses <= samples // 10, f"{misses} of {samples} banner samples differ from the picture")


def darkness(pixel):
    return sum(d.ROOT_COLOR) - sum(pixel)


def check_shadow(demo):
    x, y, w, hgt, _ = d.PANELS["shadowed"]
    dx, dy = d.SHADOW_OFFSET
    reach = d.SHADOW_SIZE * 7 // 10
    middle_y = y + hgt // 2
    right = x + w + dx  # right edge of the shifted rectangle
    near, far, beyond = (demo.pixel(px, middle_y) for px in (x + w + 1, right + reach - 2, right + reach + 3))
    h.check(darkness(near) > 250, f"no dark shadow beside the child's right edge: {near}")
    h.check(darkness(near) > darkness(far), f"the shadow does not fade outward: {near} then {far}")
    h.check(h.close_to(beyond, d.ROOT_COLOR, 3), f"the shadow reaches beyond {reach} DIPs: {beyond}")
    bottom = y + hgt + dy
    below = demo.pixel(x + w // 2, y + hgt + 1)
    h.check(darkness(below) > 250, f"no shadow below the child: {below}")
    h.check(h.close_to(demo.pixel(x + w // 2, bottom + reach + 3), d.ROOT_COLOR, 3), "the shadow reaches too far down")
    # Shifted right and down, it shows less on the left than on the right.
    h.check(darkness(demo.pixel(x - 2, middle_y)) < darkness(near), "the shadow is not shifted by its offset")


def main():
    demo = d.Demo("demo_drawing")
    for check in (check_panel_colours, check_text, check_fonts, check_images, check_banner, check_shadow):
        check(demo)
    h.key("Escape")
    h.check(demo.finish() == 42, "Escape did not end the demo with its modal result")
    h.check("modal_result 2" in demo.log.lines(), "the modal loop did not return the result of end_modal")


if __name__ == "__main__":
    h.run_test(main)
