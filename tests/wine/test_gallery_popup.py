"""The widget gallery's popups under Wine with real X input: the Yes/No popup returns the answer
that was pressed, Enter right after an OK popup appears answers 1, and closing one answers 0."""
import re

import gallery_support as g
import wine_harness as h


def open_popup(gallery, button_set, label):
    """Clicks the button that opens a popup set; returns the popup's client origin and size."""
    mark = gallery.log.mark()
    gallery.click_at(*g.centre(g.POPUP_BUTTONS[button_set]))
    line = gallery.log.wait_for(rf"^popup {button_set} size \d+x\d+$", mark)
    width, height = map(int, re.search(r"(\d+)x(\d+)$", line).groups())
    # Keys sent before the popup is the active window would go to its disabled owner.
    gallery.log.wait_for(rf"^popup {button_set} active$", mark)
    shot = gallery.wait_for(label, lambda s: g.find_popup(s) is not None, "the popup to be painted")
    return g.find_popup(shot), (width, height)


def answer(gallery, button_set, origin, size, which):
    """Clicks the first (which=0) or second (which=1) answer button of an open popup."""
    width, height = size
    # Two buttons: the first at (W - 230, H - 50), the second at (W - 120, H - 50), each 100 x 30.
    x = width - (230 if which == 0 else 120) + 50
    y = height - 50 + 15
    mark = gallery.log.mark()
    h.move_mouse(origin[0] + x, origin[1] + y)
    h.click(1)
    return gallery.log.wait_for(rf"^popup {button_set} result -?\d+$", mark)


def main():
    gallery = g.Gallery("gallery_popup")

    origin, size = open_popup(gallery, 2, "yes_no_popup")
    h.check(size[0] == 360, f"a short question gives the minimum width 360, got {size}")
    line = answer(gallery, 2, origin, size, 1)
    h.check(line == "popup 2 result 0", f"pressing No: {line}")

    origin, size = open_popup(gallery, 2, "yes_no_popup_again")
    line = answer(gallery, 2, origin, size, 0)
    h.check(line == "popup 2 result 1", f"pressing Yes: {line}")
    gallery.wait_for("after_yes", lambda s: g.find_popup(s) is None, "the popup to close")

    # The first button has the focus as soon as the popup is up.
    open_popup(gallery, 0, "ok_popup")
    mark = gallery.log.mark()
    h.key("Return")
    line = gallery.log.wait_for(r"^popup 0 result -?\d+$", mark)
    h.check(line == "popup 0 result 1", f"Enter on the OK popup: {line}")

    # Closing the popup answers 0; its message has two lines, so it is taller than one-line ones.
    open_popup(gallery, 1, "ok_cancel_popup")
    mark = gallery.log.mark()
    h.key("alt+F4")
    line = gallery.log.wait_for(r"^popup 1 result -?\d+$", mark)
    h.check(line == "popup 1 result 0", f"closing the OK/Cancel popup: {line}")

    gallery.wait_for("answered", lambda s: g.find_popup(s) is None, "the popup to close")
    gallery.finish()


if __name__ == "__main__":
    h.run_test(main)
