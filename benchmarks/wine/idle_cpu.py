"""CPU time and wake-ups of lcinstaller-win while its wizard sits idle under Wine: 10 seconds on
the introduction page, then 10 seconds on the last page after an installation. Runs inside
scripts/wine/run_wine_test.sh with the environment of the installer's Wine tests:
  idle_cpu.py [seconds]
Prints, per page, the CPU time of the program's process and of the prefix's wineserver, and the
context switches of the program's threads (each one a wake-up). A measurement, not a test."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "installer_wine"))

import installer_support as s  # noqa: E402
import test_installer as t  # noqa: E402
import wine_harness as h  # noqa: E402
import wine_processes  # noqa: E402

def cpu_seconds(pid):
    """CPU time of all the process's threads so far, from the scheduler's nanosecond counters."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
                total += int(schedstat.read().split()[0])
        except OSError:
            pass
    return total / 1e9


def context_switches(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/status") as status:
                for line in status:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


def wineserver_pid(prefix):
    """The prefix's wineserver: it works in the folder that Wine names after the prefix's device
    and inode."""
    info = os.stat(prefix)
    folder = f"server-{info.st_dev:x}-{info.st_ino:x}"
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/comm") as comm:
                if not comm.read().startswith("wineserver"):
                    continue
            if os.path.basename(os.readlink(f"/proc/{pid}/cwd")) == folder:
                return int(pid)
        except OSError:
            continue
    return None


def measure(label, pid, server, seconds):
    time.sleep(2)  # the last paint and input settle first
    before = cpu_seconds(pid), context_switches(pid), cpu_seconds(server) if server else 0.0
    time.sleep(seconds)
    after = cpu_seconds(pid), context_switches(pid), cpu_seconds(server) if server else 0.0
    print(f"{label:22} program CPU {1000 * (after[0] - before[0]):7.1f} ms   wake-ups {after[1] - before[1]:5d}   "
          f"wineserver CPU {1000 * (after[2] - before[2]):7.1f} ms   over {seconds} s", flush=True)


def main():
    seconds = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    session = s.Session("idle_cpu")
    try:
        folder = session.make_folder(r"C:\Hosts\CC2017\Plug-ins")
        session.register_hosts({"14.0": folder})
        wizard = s.Wizard(session, session.start())
        pids = wine_processes.process_ids(session.exe)
        h.check(len(pids) == 1, f"expected one installer process, found {pids}")
        pid = pids[0]
        server = wineserver_pid(session.prefix)
        h.check(server is not None, f"no wineserver runs for {session.prefix}")
        wizard.park_mouse()
        measure("introduction page", pid, server, seconds)

        cancel_look = t.walk_to_progress(wizard, [55, 80])
        wizard.park_mouse()
        wizard.wait_finished(cancel_look)
        measure("after the installation", pid, server, seconds)
        wizard.click(*s.THIRD)
        wizard.exit_code()
    finally:
        session.stop()


if __name__ == "__main__":
    h.run_reporting_failure(main)
