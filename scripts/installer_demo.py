"""The installer demo of scripts/main-job.sh, run inside its Wine environment.

  installer_demo.py --state <dir> --interactive   start the installer as a user would; wait for it
  installer_demo.py --state <dir> --walk          walk the four pages to Finish on the current
                                                  display, saving a screenshot of each page
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "installer_wine"))

import installer_support as s  # noqa: E402
import wine_harness as h  # noqa: E402

HOSTS = {
    "11": r"C:\Program Files\Adobe\Adobe After Effects CS6\Support Files\Plug-ins",
    "12": r"C:\Program Files\Adobe\Adobe After Effects CC\Support Files\Plug-ins",
    "14.0": r"C:\Program Files\Adobe\Adobe After Effects CC 2017\Support Files\Plug-ins",
}


def prepare(state):
    session = s.Session("run", artifacts_root=state, fresh_prefix=False)
    for folder in HOSTS.values():
        session.make_folder(folder)
        installed = session.plugin_file(folder)
        if os.path.exists(installed):
            os.remove(installed)
    session.register_hosts(HOSTS)
    return session


def report(session):
    print("Plug-in folders of the demo hosts:")
    for subkey, folder in HOSTS.items():
        installed = session.plugin_file(folder)
        state = "installed" if os.path.exists(installed) else "not installed"
        print(f"  {subkey:5} {installed}: {state}")


def interactive(session):
    # Started as a user would: the program starts its elevated copy and ends.
    first = session.start(args=())
    first.wait(timeout=120)
    print("The installer is open in the Wine desktop window; this ends when it is closed.")
    subprocess.run([shutil.which("wineserver"), "-w"])
    report(session)


def walk(session):
    pictures = os.path.join(os.path.dirname(session.artifacts), time.strftime("screenshots-%Y%m%d-%H%M%S"))
    os.makedirs(pictures)

    def save(wizard, name):
        x, y, w, hgt = wizard.rect
        full = os.path.join(session.artifacts, f"{name}-screen.png")
        h.screenshot(full)
        subprocess.run(["convert", full, "-crop", f"{w}x{hgt}+{x}+{y}", "+repage", os.path.join(pictures, f"{name}.png")],
                       check=True, timeout=60)

    first = session.start(args=())
    h.check(first.wait(timeout=120) == 0, "the installer did not start its elevated copy")
    wizard = s.Wizard(session, None)
    wizard.park_mouse()
    save(wizard, "page-0-introduction")
    wizard.click(*s.NEXT)
    wizard.wait_for_page_one([55, 80, 105, 130])
    wizard.park_mouse()
    save(wizard, "page-1-host-versions")
    wizard.click(*s.NEXT)
    wizard.wait_for(lambda shot: shot.box_at(55) is None and shot.button_enabled(200), "the summary page")
    cancel_look = wizard.shot.region(405, 320, 85, 30)
    wizard.park_mouse()
    save(wizard, "page-2-summary")
    wizard.click(*s.NEXT)
    wizard.park_mouse()
    wizard.wait_finished(cancel_look)
    save(wizard, "page-3-finished")
    wizard.click(*s.THIRD)
    session.wait_gone(s.WIZARD_TITLE)
    report(session)
    print(f"Screenshots of the four pages: {pictures}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--state", required=True)
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--interactive", action="store_true")
    mode.add_argument("--walk", action="store_true")
    options = parser.parse_args()
    session = prepare(options.state)
    try:
        interactive(session) if options.interactive else walk(session)
    except h.TestFailure as failure:
        print(f"demo failed: {failure}", file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
