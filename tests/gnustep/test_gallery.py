"""The widget gallery on GNUstep with real X input: a check box and its bound flag, a button's hover
colour, the scroll arrow and one wheel line of 40, and message popups over the gallery, ended by
their buttons and by their close button. Every popup is a window made and destroyed on the way, so
a message to a released view or delegate would show up here (zombies are on)."""
import os
import re

import gallery_support as gs  # layout and colours, shared with the Wine tests
import gnustep_support as g
import x11_harness as h

BARE_ROOT = (565, 100)
# Input is handled at once: a click whose events wait in the queue for the next input would take
# much longer (nothing else happens on the screen meanwhile).
PROMPT = 10


def inside(rect):
    """The box without its frame, which shows whether the pointer is over it."""
    x, y, w, hgt = rect
    return x + 2, y + 2, w - 4, hgt - 4


def region(gallery, shot, rect):
    x, y, w, hgt = rect
    return [gallery.pixel(x + i, y + j, shot) for j in range(hgt) for i in range(w)]


def check_box(gallery):
    before = gallery.shot
    h.check(region(gallery, before, inside(gs.FLAG_BOX)) != region(gallery, before, inside(gs.CHECKED_BOX)),
            "the clear box already looks like the checked one")
    for state in (1, 0):
        mark = gallery.log.mark()
        gallery.click_at(*gs.centre(gs.FLAG_BOX))
        gallery.log.wait_for(rf"^flag {state}$", mark, timeout=PROMPT)
        reference = gs.CHECKED_BOX if state else None
        gallery.wait_for(f"flag_{state}", lambda shot: region(gallery, shot, inside(gs.FLAG_BOX)) == (
            region(gallery, shot, inside(reference)) if reference else region(gallery, before, inside(gs.FLAG_BOX))),
            f"the check box to show state {state}")


def button_hover(gallery):
    sample = (gs.NORMAL_BUTTON[0] + 4, gs.NORMAL_BUTTON[1] + 4)
    for target, colour, label in ((gs.centre(gs.NORMAL_BUTTON), gs.BUTTON_HOVER, "button_hovered"),
                                  (BARE_ROOT, gs.BUTTON_NORMAL, "button_left")):
        gallery.move_to(*target)
        gallery.move_to(target[0] + 2, target[1])
        gallery.wait_for(label, lambda shot: h.close_to(gallery.pixel(*sample, shot), colour, 2), f"the {label} colour")


def scrolling(gallery):
    mark = gallery.log.mark()
    gallery.click_at(*gs.centre(gs.END_ARROW))
    gallery.log.wait_for(r"^scroll -10$", mark)
    mark = gallery.log.mark()
    gallery.move_to(gs.VIEWPORT[0] + 100, gs.VIEWPORT[1] + 60)
    h.click(5)
    gallery.log.wait_for(r"^scroll -50$", mark)
    gallery.wait_for("scrolled", lambda shot: True, "a screenshot")


def open_popup(gallery, button_set, label):
    mark = gallery.log.mark()
    gallery.click_at(*gs.centre(gs.POPUP_BUTTONS[button_set]))
    line = gallery.log.wait_for(rf"^popup {button_set} size \d+x\d+$", mark, timeout=PROMPT)
    size = tuple(map(int, re.search(r"(\d+)x(\d+)$", line).groups()))
    shot = gallery.wait_for(label, lambda s: gs.find_popup(s) is not None, "the popup to be painted")
    return gs.find_popup(shot), size, mark


def answer_popups(gallery):
    for which, expected in ((1, 0), (0, 1)):  # No, then Yes
        (x, y), (width, height), mark = open_popup(gallery, 2, f"yes_no_popup_{which}")
        h.move_mouse(x + width - (230 if which == 0 else 120) + 50, y + height - 35)
        h.click(1)
        line = gallery.log.wait_for(r"^popup 2 result -?\d+$", mark, timeout=PROMPT)
        h.check(line == f"popup 2 result {expected}", f"answer button {which}: {line}")
        gallery.wait_for(f"answered_{which}", lambda s: gs.find_popup(s) is None, "the popup to close")

    # The close button answers 0.
    (x, y), (width, _), mark = open_popup(gallery, 1, "ok_cancel_popup")
    gallery.click_close_button(origin=(x, y), width=width)
    line = gallery.log.wait_for(r"^popup 1 result -?\d+$", mark, timeout=PROMPT)
    h.check(line == "popup 1 result 0", f"closing the OK/Cancel popup: {line}")
    gallery.wait_for("closed_popup", lambda s: gs.find_popup(s) is None, "the popup to close")


def main():
    gallery = g.Program("gallery", os.environ["WIDGET_GALLERY_BIN"], gs.ROOT_COLOR)
    gallery.take_focus(*BARE_ROOT)
    gallery.take("widgets")
    for check in (check_box, button_hover, scrolling, answer_popups):
        check(gallery)
    h.key("Escape")
    h.check(gallery.finish() == 42, "Escape did not end the gallery with exit code 42")
    h.check(not gallery.zombie_messages(), f"messages to released objects: {gallery.zombie_messages()}")


if __name__ == "__main__":
    g.run(main)
