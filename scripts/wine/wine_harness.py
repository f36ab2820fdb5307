"""Helpers for tests that drive Windows programs under Wine with real X input.

Run inside scripts/wine/run_wine_test.sh, which provides DISPLAY, WINEPREFIX and WINE_BIN. Every
wait here is bounded and polls a condition; nothing relies on a fixed sleep alone.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# The X session helpers, re-exported for the Wine tests.
from x11_harness import *  # noqa: E402,F401,F403
from x11_harness import DEFAULT_TIMEOUT, check, search_window, wait_until, xdotool  # noqa: E402


def unix_to_wine_path(path):
    # Z: maps the Unix root in every prefix.
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wait_for_desktop():
    """The Wine virtual desktop's X window: (x, y) of its top-left corner on the X screen.

    Without a window manager nobody gives the desktop the keyboard focus, and Wine takes no key
    until its X window has it, so the desktop is focused here."""
    window_id = wait_until(lambda: search_window("Wine desktop"), what="the Wine virtual desktop").split()[0]
    xdotool("windowfocus", "--sync", window_id)
    geometry = xdotool("getwindowgeometry", window_id)
    match = re.search(r"Position: (-?\d+),(-?\d+)", geometry)
    check(match, f"unexpected xdotool geometry output: {geometry}")
    return int(match.group(1)), int(match.group(2))


# --- Programs ----------------------------------------------------------------------------------


class WineProgram:
    """A Windows program started under Wine; its output is kept beside the test's artifacts."""

    def __init__(self, exe, args, output_path):
        self.output_path = output_path
        self._output = open(output_path, "w")
        self.process = subprocess.Popen([os.environ["WINE_BIN"], exe, *args], stdout=self._output,
                                        stderr=subprocess.STDOUT)

    def wait(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure(f"the program did not end within {timeout:.0f} s") from None
        finally:
            self._output.close()

    def running(self):
        return self.process.poll() is None

    def output(self):
        with open(self.output_path, errors="replace") as text:
            return text.read()


