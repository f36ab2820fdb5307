"""Time from starting a program unelevated to its first painted frame under Wine: the installer
against a bare program that relaunches itself the same way and paints one Direct2D frame with one
line of DirectWrite text. Runs inside scripts/wine/run_wine_test.sh (DISPLAY, WINEPREFIX, WINE_BIN):
  launch_bench.py <installer.exe> <bare_launch.exe> <window_probe.exe> [runs]
Both programs run interleaved, one after the other in each round (the order swapping every round),
after one warm-up start of each; prints every time, both medians and their ratio. No threshold."""
import os
import signal
import subprocess
import sys

import launch_rounds
import screen_pixels
import wine_harness as h
import wine_processes

BAR = (70, 70, 70)  # the wizard's button bar, and the bare program's fill


class Program:
    def __init__(self, name, exe, title, samples):
        self.name = name
        self.exe = os.path.abspath(exe)
        self.title = title
        self.samples = samples  # client points that show BAR once the first frame is on the screen
        self.points = None  # the same points on the X screen
        self.times = []

    def processes(self):
        return wine_processes.process_ids(self.exe)

    def start(self):
        return subprocess.Popen([os.environ["WINE_BIN"], self.exe], stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def stop(self):
        for pid in self.processes():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        h.wait_until(lambda: not self.processes(), timeout=30, what=f"{self.name} to end")


def locate(program, probe_exe):
    """Starts the program once, untimed, and finds where its client area lands on the X screen."""
    first = program.start()
    desktop = h.wait_for_desktop()
    def client_rect():
        with open(os.devnull, "w") as sink:
            result = subprocess.run([os.environ["WINE_BIN"], probe_exe, program.title], capture_output=True,
                                    text=True, timeout=60, stdin=sink)
        fields = result.stdout.split()
        return tuple(map(int, fields)) if result.returncode == 0 and len(fields) == 4 else None
    x, y, _, _ = h.wait_until(client_rect, timeout=60, interval=0.2, what=f"the window of {program.name}")
    program.points = [(desktop[0] + x + sx, desktop[1] + y + sy) for sx, sy in program.samples]
    first.wait(timeout=60)
    program.stop()


def time_one(program, screen):
    elapsed, first = launch_rounds.time_to_frame(program, screen, BAR)
    first.wait(timeout=60)
    program.stop()
    return elapsed


def main():
    installer_exe, bare_exe, probe_exe = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 7
    installer = Program("installer", installer_exe, "Glaive for After Effects Installer", [(5, 315), (170, 315)])
    bare = Program("bare program", bare_exe, "Bare launch", [(5, 315), (170, 315)])
    for program in (installer, bare):
        program.stop()

    # The first start brings up Wine's desktop; it and the warm-up runs are not timed.
    locate(installer, probe_exe)
    locate(bare, probe_exe)
    screen = screen_pixels.Screen()

    launch_rounds.run_rounds(installer, bare, runs, lambda program: time_one(program, screen))


if __name__ == "__main__":
    h.run_reporting_failure(main)
