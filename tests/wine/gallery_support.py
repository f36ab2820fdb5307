"""Starting the widget gallery under Wine and finding its widgets on the screen.

The layout, in DIPs of the client area, is listed in examples/widget_gallery/gallery_window.h; the
points below follow it. The tests run at 96 DPI, where one DIP is one pixel.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine"))

import wine_harness as h  # noqa: E402

MARKER_COLOR = (255, 0, 255)
ROOT_COLOR = (30, 31, 35)
CONTENT_COLOR = (40, 44, 52)
ROW_COLOR = (52, 58, 68)
POPUP_COLOR = (59, 59, 65)  # the popup's back colour (0.2313, 0.2313, 0.2549)
BUTTON_NORMAL = (44, 45, 49)  # "button_color_normal" (0.173, 0.176, 0.192)
BUTTON_HOVER = (61, 63, 67)  # "button_color_hover" (0.239, 0.247, 0.263)

NORMAL_BUTTON = (16, 44, 100, 30)
FLAG_BOX = (16, 93, 14, 14)  # the box of the "Bound flag" check box
CHECKED_BOX = (16, 119, 14, 14)  # the box of the "Checked" check box, for comparison
END_ARROW = (540, 330, 16, 16)
VIEWPORT = (340, 196, 200, 150)
POPUP_BUTTONS = {0: (16, 310, 100, 30), 1: (121, 310, 100, 30), 2: (226, 310, 100, 30)}


def find_popup(shot):
    """Top-left corner of a popup's client area: the first run of 300 pixels of its back colour
    (single pixels of that colour also occur in antialiased text). None when no popup shows."""
    # Rounding of the float colour to 8 bits may differ by one.
    r, g_, b = POPUP_COLOR
    for colour in ((r, g_, b), (r - 1, g_ - 1, b - 1), (r, g_, b - 1), (r - 1, g_ - 1, b)):
        run = bytes(colour) * 300
        offset = shot.pixels.find(run)
        while offset >= 0 and offset % 3:
            offset = shot.pixels.find(run, offset + 1)
        if offset >= 0:
            index = offset // 3
            return index % shot.width, index // shot.width
    return None


def centre(rect):
    x, y, w, hgt = rect
    return x + w // 2, y + hgt // 2


class Gallery(h.ClientWindow):
    """One run of widget_gallery.exe with its log, located on the screen by its corner marker."""

    def __init__(self, name):
        self.artifacts = os.path.join(os.environ.get("WINE_TEST_ARTIFACTS", "."), name)
        os.makedirs(self.artifacts, exist_ok=True)
        self.log = h.EventLog(os.path.join(self.artifacts, "events.log"))
        self.program = h.WineProgram(os.environ["WIDGET_GALLERY_EXE"], ["--log", h.unix_to_wine_path(self.log.path)],
                                     os.path.join(self.artifacts, "wine-output.txt"))
        self.desktop = h.wait_for_desktop()
        self.log.wait_for(r"^event window 25 ", timeout=90)
        self.shot = h.wait_for_screen(self.path("shown"), self._painted, what="the gallery to be painted")
        self.origin = self.shot.find(MARKER_COLOR)

    def _painted(self, shot):
        corner = shot.find(MARKER_COLOR)
        return bool(corner) and h.close_to(shot.pixel(corner[0] + 8, corner[1] + 1), ROOT_COLOR, 2)

    def pixel(self, shot, x, y):
        return shot.pixel(*self.to_screen(x, y))

    def region(self, shot, rect):
        """The pixels of a client rectangle, row by row."""
        x, y, w, hgt = rect
        return [self.pixel(shot, x + i, y + j) for j in range(hgt) for i in range(w)]

    def wait_for(self, label, condition, what):
        self.shot = h.wait_for_screen(self.path(label), condition, what=what)
        return self.shot

    def finish(self):
        """Escape ends the gallery with 2, so the program exits with 42."""
        h.key("Escape")
        code = self.program.wait(60)
        h.check(code == 42, f"the gallery exited with {code}")
