"""Helpers for tests that drive GUI programs on an X server with real input: bounded waits, X input
through xdotool, screenshots read as pixels, and the event logs that test programs write.

Every wait here is bounded and polls a condition; nothing relies on a fixed sleep alone.
"""
import os
import re
import subprocess
import sys
import time

DEFAULT_TIMEOUT = 30.0


class TestFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def wait_until(condition, timeout=DEFAULT_TIMEOUT, interval=0.1, what="condition"):
    """Polls `condition` until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TestFailure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


# --- X input -----------------------------------------------------------------------------------


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True, text=True,
                          timeout=DEFAULT_TIMEOUT).stdout


def move_mouse(x, y):
    xdotool("mousemove", "--sync", x, y)


def click(button=1):
    xdotool("click", button)


def key(*names):
    xdotool("key", "--delay", 30, *names)


def search_window(name):
    """X window ids whose name matches `name`, as xdotool prints them; empty when there is none."""
    result = subprocess.run(["xdotool", "search", "--name", name], capture_output=True, text=True,
                            timeout=DEFAULT_TIMEOUT)
    return result.stdout.strip() if result.returncode == 0 else ""


def window_geometry(window_id):
    """(x, y, width, height) of an X window on the screen."""
    text = xdotool("getwindowgeometry", window_id)
    position = re.search(r"Position: (-?\d+),(-?\d+)", text)
    size = re.search(r"Geometry: (\d+)x(\d+)", text)
    check(position and size, f"unexpected xdotool geometry output: {text}")
    return tuple(int(v) for v in position.groups() + size.groups())


# --- Screenshots -------------------------------------------------------------------------------


class Screenshot:
    """An RGB picture of the whole X screen, taken with /usr/bin/import."""

    def __init__(self, path):
        self.path = path
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True,
                             timeout=DEFAULT_TIMEOUT).stdout
        self.width, self.height, self.pixels = _parse_ppm(ppm)

    def pixel(self, x, y):
        check(0 <= x < self.width and 0 <= y < self.height, f"pixel ({x}, {y}) is off the screen")
        offset = (y * self.width + x) * 3
        return tuple(self.pixels[offset:offset + 3])

    def find(self, color, tolerance=0, region=None):
        """First pixel of `color` in row order, inside region (x0, y0, x1, y1) if given."""
        if tolerance == 0 and region is None:
            return self._find_exact(color)
        x0, y0, x1, y1 = region or (0, 0, self.width, self.height)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                if close_to(self.pixel(x, y), color, tolerance):
                    return x, y
        return None

    def _find_exact(self, color):
        needle = bytes(color)
        start = 0
        while True:
            offset = self.pixels.find(needle, start)
            if offset < 0:
                return None
            if offset % 3 == 0:
                index = offset // 3
                return index % self.width, index // self.width
            start = offset + 1

    def count(self, predicate, region):
        x0, y0, x1, y1 = region
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if predicate(self.pixel(x, y)))

    def run_length(self, start, step, color, tolerance=2, limit=4096):
        """How many pixels from `start`, moving by `step`, have `color`."""
        x, y = start
        length = 0
        while 0 <= x < self.width and 0 <= y < self.height and length < limit:
            if not close_to(self.pixel(x, y), color, tolerance):
                break
            length += 1
            x += step[0]
            y += step[1]
        return length


def _parse_ppm(data):
    # P6 header: magic, width, height, maxval, each separated by whitespace, then one byte.
    fields = []
    position = 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position) + 1
            continue
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    check(fields[0] == b"P6", "convert did not produce a binary PPM")
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[position + 1:position + 1 + width * height * 3]


def close_to(actual, expected, tolerance):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def screenshot(path):
    subprocess.run(["/usr/bin/import", "-display", os.environ["DISPLAY"], "-window", "root", path], check=True,
                   capture_output=True, timeout=DEFAULT_TIMEOUT)
    return Screenshot(path)


def wait_for_screen(path, condition, timeout=DEFAULT_TIMEOUT, what="the screen to change"):
    """Takes screenshots until `condition(shot)` holds; returns the last one."""
    def attempt():
        shot = screenshot(path)
        return shot if condition(shot) else None
    return wait_until(attempt, timeout=timeout, interval=0.3, what=what)


class ClientShot:
    """A screenshot read in a window's client coordinates; `rect` starts with the client area's
    top-left corner on the screen."""

    def __init__(self, shot, rect):
        self.shot = shot
        self.rect = rect

    def at(self, x, y):
        return self.shot.pixel(self.rect[0] + x, self.rect[1] + y)

    def region(self, x, y, w, hgt):
        return [self.at(x + i, y + j) for j in range(hgt) for i in range(w)]


class ShotWaiter:
    """A window a test waits on by its screenshots; a subclass's `take()` returns a new one."""

    def wait_for(self, condition, what, timeout=30):
        def attempt():
            shot = self.take()
            return shot if condition(shot) else None
        self.shot = wait_until(attempt, timeout=timeout, interval=0.3, what=what)
        return self.shot


class ClientWindow:
    """Where a test program's window is on the screen: `origin` is its client area's top-left corner
    and one DIP is one pixel. Subclasses set `origin` and `artifacts` (the folder of screenshots)."""

    origin = (0, 0)
    artifacts = "."

    def path(self, label):
        return os.path.join(self.artifacts, f"{label}.png")

    def to_screen(self, x, y):
        return self.origin[0] + x, self.origin[1] + y

    def move_to(self, x, y):
        move_mouse(*self.to_screen(x, y))

    def click_at(self, x, y, button=1):
        self.move_to(x, y)
        click(button)


class EventLog:
    """The lines a test program writes to its log file, read as they appear."""

    def __init__(self, path):
        self.path = path
        if os.path.exists(path):
            os.remove(path)

    def lines(self):
        try:
            with open(self.path, errors="replace") as text:
                return [line.rstrip("\n") for line in text if line.endswith("\n")]
        except FileNotFoundError:
            return []

    def mark(self):
        """The current end of the log, to look only at what comes after it."""
        return len(self.lines())

    def since(self, mark):
        return self.lines()[mark:]

    def events_since(self, mark):
        """(sender, kind, param) of every event line after `mark`."""
        events = []
        for line in self.since(mark):
            parts = line.split()
            if len(parts) >= 4 and parts[0] == "event":
                events.append((parts[1], int(parts[2]), parts[3]))
        return events

    def wait_for(self, pattern, mark=0, timeout=DEFAULT_TIMEOUT):
        """The first line after `mark` that matches the regular expression `pattern`."""
        expression = re.compile(pattern)

        def found():
            return next((line for line in self.since(mark) if expression.search(line)), None)
        return wait_until(found, timeout=timeout, what=f"a log line matching {pattern!r}")


def run_reporting_failure(main):
    """Runs a main function; a failure ends the program with its message and exit code 1."""
    try:
        main()
    except TestFailure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)


def run_test(main):
    """Runs a test's main function: a failure as run_reporting_failure, success as PASS."""
    run_reporting_failure(main)
    print("PASS")
