"""Running the example programs on GNUstep under Xvfb and finding them on the screen.

Run inside scripts/gnustep/run_gnustep_test.sh, which provides DISPLAY. Programs start with the
title bar GNUstep draws itself (there is no window manager) and with zombies enabled, so that a
message to a released object ends the program instead of passing unnoticed.
"""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))
sys.path.insert(0, os.path.join(HERE, "..", "wine"))

import x11_harness as h  # noqa: E402

MARKER_COLOR = (255, 0, 255)
MARKER_SIZE = 6
BUTTON_HOLD = 0.2  # seconds a first click into a window or title bar is held down
TITLE_BAR = 23  # GNUstep's title bar above the client area, below the 1-pixel frame
IMAGES_DIR = os.path.join(HERE, "..", "..", "lcsdk", "ui", "images")

_started = []


def hold_click():
    h.xdotool("mousedown", 1)
    time.sleep(BUTTON_HOLD)
    h.xdotool("mouseup", 1)


class Program(h.ClientWindow):
    """One run of an example program with its log, located on the screen by its corner marker."""

    def __init__(self, name, exe, root_color, args=()):
        self.artifacts = os.path.join(os.environ.get("GNUSTEP_TEST_ARTIFACTS", "."), name)
        os.makedirs(self.artifacts, exist_ok=True)
        self.root_color = root_color
        self.log = h.EventLog(os.path.join(self.artifacts, "events.log"))
        self._output = open(os.path.join(self.artifacts, "output.txt"), "w")
        self.process = subprocess.Popen(
            [exe, "-GSBackHandlesWindowDecorations", "NO", "--log", self.log.path, *args],
            stdout=self._output, stderr=subprocess.STDOUT, env=dict(os.environ, NSZombieEnabled="YES"))
        _started.append(self.process)
        self.log.wait_for(r"^event window 25 ", timeout=60)
        self.shot = h.wait_for_screen(self.path("shown"), self._painted, what="the window to be painted")
        self.origin = self.shot.find(MARKER_COLOR)

    def _painted(self, shot):
        corner = shot.find(MARKER_COLOR)
        return bool(corner) and h.close_to(shot.pixel(corner[0] + MARKER_SIZE + 2, corner[1] + 1), self.root_color, 2)

    def pixel(self, x, y, shot=None):
        return (shot or self.shot).pixel(*self.to_screen(x, y))

    def take(self, label):
        self.shot = h.screenshot(self.path(label))
        return self.shot

    def wait_for(self, label, condition, what):
        self.shot = h.wait_for_screen(self.path(label), condition, what=what)
        return self.shot

    def take_focus(self, x, y, logged=None):
        """A first click on a bare point of the root: keys reach a window only after a click into it
        (there is no window manager). The button is held for a moment, since GNUstep may take the
        press of a first click only after its release; `logged` is the log line the press gives."""
        mark = self.log.mark()
        self.move_to(x, y)
        hold_click()
        if logged:
            self.log.wait_for(logged, mark)

    def sync(self):
        """Waits until every input sent so far has been handled: a Shift press travels through the
        same queue, and its release is the last thing it logs."""
        mark = self.log.mark()
        h.key("shift")
        self.log.wait_for(r"^event window 10 56$", mark)

    def click_close_button(self, hovered="root", origin=None, width=None):
        """Clicks the close button at the right end of the title bar GNUstep draws, of this window
        or of another one (client origin and width on the screen). For this window it waits until
        GNUstep has seen the pointer leave the client area, which the widget under the pointer
        hears. The button is held for a moment: GNUstep may take the press of a first click into a
        title bar only after the release, and a button pressed after its release waits for a
        release that never comes."""
        x, y = origin or self.origin
        mark = self.log.mark()
        h.move_mouse(x + (width or self.client_width) - 11, y - TITLE_BAR // 2 - 1)
        if origin is None:
            self.log.wait_for(rf"^event {hovered} 6 0$", mark)
        hold_click()

    @property
    def client_width(self):
        line = next(line for line in self.log.lines() if line.startswith("root "))
        return int(line.split()[1].split("x")[0])

    def finish(self, timeout=h.DEFAULT_TIMEOUT):
        """The exit code; a program still running after `timeout` is ended by its process id."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise h.TestFailure(f"the program did not end within {timeout:.0f} s") from None
        finally:
            self._output.close()

    def zombie_messages(self):
        with open(os.path.join(self.artifacts, "output.txt"), errors="replace") as text:
            return [line for line in text if "zombie" in line.lower() or "deallocated" in line.lower()]


def run(main):
    """Runs a test; no program it started outlives it."""
    try:
        h.run_test(main)
    finally:
        for process in _started:
            if process.poll() is None:
                process.kill()
                process.wait()
