"""The lcinstaller-mac demo of scripts/main-job.sh mac, run inside scripts/gnustep/private_mounts.sh
(its /Applications and /Library are private and empty at the start).

  installer_mac_demo.py --pictures <dir> --interactive   start the installer as a user would; wait
                                                         until it is closed
  installer_mac_demo.py --pictures <dir> --walk          walk the four pages to Finish on the
                                                         current display, answering the prompt,
                                                         and save a picture of each page and of
                                                         the prompt in <dir>
"""
import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "installer_gnustep"))

import installer_mac_support as s  # noqa: E402
import x11_harness as h  # noqa: E402

# Three hosts that Launch Services finds by their bundles, and one that only the host's preference
# file names.
HOSTS = [
    ("Adobe After Effects CS6", "11.0.4"),
    ("Adobe After Effects CC", "12.2.1"),
    ("Adobe After Effects CC 2014", "13.0.1"),
]
PREFERRED = ("14.0", "/Applications/Adobe After Effects CC 2017/Plug-ins")


def prepare():
    folders = [s.host_application(name, version) for name, version in HOSTS]
    os.makedirs(PREFERRED[1])
    s.host_preferences({PREFERRED[0]: PREFERRED[1]})
    return folders + [PREFERRED[1]]


def report(folders):
    print("Plug-in folders of the demo hosts:")
    for folder in folders:
        bundle = s.installed_bundle(folder)
        print(f"  {bundle}: {'installed' if os.path.isdir(bundle) else 'not installed'}")
        if os.path.isdir(bundle):
            for entry in sorted(s.tree(bundle)):
                print(f"      {entry}")
    print(f"  {s.APP_SUPPORT}: {'made' if os.path.isdir(s.APP_SUPPORT) else 'not made'}")


def interactive(folders):
    exe = os.path.join(os.environ["LCINSTALLER_MAC_APP"], "lcinstaller-mac")
    print("The installer is open on the display; this ends when it is closed.")
    subprocess.run([exe], check=False)
    report(folders)


def walk(folders, pictures):
    os.makedirs(pictures, exist_ok=True)
    run = s.Run("walk")

    def save(window, name):
        x, y, w, hgt = window.rect
        full = window.run.screenshot(name)
        subprocess.run(["convert", full.path, "-crop", f"{w}x{hgt}+{x}+{y}", "+repage",
                        os.path.join(pictures, f"{name}.png")], check=True, timeout=60)

    wizard = s.Wizard(run)
    wizard.park_mouse()
    save(wizard, "page-0-introduction")
    wizard.to_version_page()
    wizard.park_mouse()
    save(wizard, "page-1-host-versions")
    look = wizard.to_progress(pictures=lambda name: (wizard.park_mouse(), save(wizard, name)))
    agent = s.Agent(run)
    save(agent, "prompt")
    agent.answer("Return")
    wizard.wait_finished(look)
    save(wizard, "page-3-finished")
    wizard.finish()
    report(folders)
    print(f"Pictures of the four pages (and of the prompt): {pictures}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pictures", required=True)
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--interactive", action="store_true")
    mode.add_argument("--walk", action="store_true")
    options = parser.parse_args()
    folders = prepare()
    if options.interactive:
        interactive(folders)
    else:
        s.run(lambda name: walk(folders, options.pictures))


if __name__ == "__main__":
    main()
