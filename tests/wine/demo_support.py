"""Starting the toolkit demo under Wine and finding its widgets on the screen.

The demo's layout, in DIPs relative to its client area (see examples/toolkit_demo/demo_window.cpp):
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine"))

import wine_harness as h  # noqa: E402

ROOT_COLOR = (220, 224, 232)
MARKER_COLOR = (255, 0, 255)
TEXT_COLOR = (0, 0, 128)
WHITE = (255, 255, 255)

# name: (x, y, width, height, colour)
PANELS = {
    "red": (16, 16, 88, 48, (200, 40, 40)),
    "green": (120, 16, 88, 48, (40, 160, 60)),
    "blue": (224, 16, 88, 48, (40, 80, 200)),
    "text": (16, 80, 296, 120, WHITE),
    "images": (16, 216, 296, 40, WHITE),
    "lines": (16, 272, 296, 64, WHITE),
    "banner": (328, 16, 136, 150, (250, 250, 250)),
    "shadowed": (340, 200, 110, 60, (240, 200, 60)),
}
SHADOW_OFFSET = (4, 4)
SHADOW_SIZE = 20
MARKER_SIZE = 6


class Demo:
    """One run of toolkit_demo.exe with its log, located on the screen by its corner marker."""

    def __init__(self, name, args=(), dpi=96):
        self.artifacts = os.path.join(os.environ.get("WINE_TEST_ARTIFACTS", "."), name)
        os.makedirs(self.artifacts, exist_ok=True)
        self.scale = dpi / 96.0
        self.log = h.EventLog(os.path.join(self.artifacts, "events.log"))
        exe = os.environ["TOOLKIT_DEMO_EXE"]
        self.program = h.WineProgram(exe, ["--log", h.unix_to_wine_path(self.log.path), *args],
                                     os.path.join(self.artifacts, "wine-output.txt"))
        self.desktop = h.wait_for_desktop()
        self.log.wait_for(r"^event window 25 ", timeout=60)
        self.shot = self.wait_for_paint()
        self.origin = self.shot.find(MARKER_COLOR)

    def screenshot_path(self, label):
        return os.path.join(self.artifacts, f"{label}.png")

    def wait_for_paint(self, label="shown"):
        """A screenshot once the marker and the root colour beside it are on the screen."""
        def painted(shot):
            corner = shot.find(MARKER_COLOR)
            if not corner:
                return False
            beside = (corner[0] + round(MARKER_SIZE * self.scale) + 2, corner[1] + 1)
            return h.close_to(shot.pixel(*beside), ROOT_COLOR, 2)
        return h.wait_for_screen(self.screenshot_path(label), painted, what="the demo window to be painted")

    def take(self, label):
        self.shot = h.screenshot(self.screenshot_path(label))
        return self.shot

    def to_screen(self, x, y):
        """A point in client DIPs as X screen pixels."""
        return (self.origin[0] + int(x * self.scale), self.origin[1] + int(y * self.scale))

    def centre_of(self, panel):
        x, y, w, hgt, _ = PANELS[panel]
        return self.to_screen(x + w // 2, y + hgt // 2)

    def pixel(self, x, y):
        return self.shot.pixel(*self.to_screen(x, y))

    def move_to(self, x, y):
        h.move_mouse(*self.to_screen(x, y))

    def sync(self):
        """Waits until every input sent so far has been handled: a Shift press travels through the
        same queue, and its release is the last line it writes. Wine may drop a key pressed while
        its desktop is still taking the keyboard focus, so the press is repeated until it arrives."""
        def shift_seen():
            mark = self.log.mark()
            h.key("shift")
            try:
                return self.log.wait_for(r"^event window 10 16$", mark, timeout=3)
            except h.TestFailure:
                return None
        h.wait_until(shift_seen, what="a Shift press to reach the demo", interval=0)

    def finish(self, timeout=h.DEFAULT_TIMEOUT):
        return self.program.wait(timeout)
