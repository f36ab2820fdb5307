"""Time from starting a program to its first painted frame on GNUstep: lcinstaller-mac, started as the
tests start it (the bundle's program beside Contents/) with the three demo hosts of the main job,
against a bare GNUstep program that paints one frame with a fill and one line of text. Runs inside
scripts/gnustep/run_gnustep_test.sh (DISPLAY, the Mac's fonts) and scripts/gnustep/private_mounts.sh
(the demo hosts go into the private /Applications and /Library):
  launch_bench.py <lcinstaller-mac.app> <bare_launch_mac> [runs]
Both programs run interleaved, one after the other in each round (the order swapping every round),
after one untimed start of each; prints every time, both medians, their ratio and the load average
before and after. No threshold."""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
sys.path[:0] = [os.path.join(ROOT, "scripts"), os.path.join(ROOT, "tests", "installer_gnustep"),
                os.path.join(ROOT, "benchmarks", "wine")]

import installer_mac_demo  # noqa: E402
import installer_mac_support as s  # noqa: E402
import launch_rounds  # noqa: E402
import screen_pixels  # noqa: E402
import x11_harness as h  # noqa: E402

BAR = (70, 70, 70)  # the wizard's button bar, and the bare program's fill
SAMPLES = [(5, 315), (170, 315)]  # client points that show BAR once the first frame is on the screen


class Program:
    def __init__(self, name, command, title):
        self.name = name
        self.command = command + ["-GSBackHandlesWindowDecorations", "NO"]
        self.title = title
        self.points = None  # SAMPLES on the X screen
        self.times = []

    def start(self):
        return subprocess.Popen(self.command, cwd="/", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def stop(process):
    process.kill()
    process.wait(timeout=30)


def locate(program):
    """Starts the program once, untimed, and finds where its client area lands on the X screen."""
    first = program.start()
    x, y, _, _ = s.wait_for_window(program.title)
    program.points = [(x + sx, y + sy) for sx, sy in SAMPLES]
    stop(first)
    s.wait_gone(program.title)


def time_one(program, screen):
    elapsed, process = launch_rounds.time_to_frame(program, screen, BAR)
    stop(process)
    return elapsed


def load_average():
    with open("/proc/loadavg") as loads:
        return " ".join(loads.read().split()[:3])


def main():
    app, bare_exe = sys.argv[1:3]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    installer_mac_demo.prepare()
    installer = Program("installer", [os.path.join(os.path.abspath(app), "lcinstaller-mac")], s.WIZARD_TITLE)
    bare = Program("bare program", [os.path.abspath(bare_exe)], "Bare launch")
    print(f"load average before: {load_average()}", flush=True)
    for program in (installer, bare):
        locate(program)
    screen = screen_pixels.Screen()

    launch_rounds.run_rounds(installer, bare, runs, lambda program: time_one(program, screen))
    print(f"load average after: {load_average()}")


if __name__ == "__main__":
    h.run_reporting_failure(main)
