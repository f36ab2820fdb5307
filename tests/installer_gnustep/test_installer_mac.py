"""End-to-end scenarios of lcinstaller-mac on GNUstep: test_installer_mac.py <scenario>.

Each scenario runs in its own private mount namespace (scripts/gnustep/private_mounts.sh), writes
its host applications and preference file into the private /Applications and /Library, drives the
real program, its Authenticate prompt and its open panel with X input, and checks screens, files
and exit codes."""
import os
import plistlib
import shutil
import struct
import subprocess
import sys

import installer_mac_support as s
import x11_harness as h

PANEL_SELECTION = (255, 255, 255)  # a selected row of the open panel's browser


# --- The bundle ------------------------------------------------------------------------------------

BUNDLE_FILES = {
    # file below Contents/: what it must be
    "Info.plist": "property list",
    "MacOS/lcinstaller-mac": "program",
    "Resources/AEFile.aep": "file",
    "Resources/lcinstaller-mac.icns": "icon",
    "Resources/Glaive.plugin/Contents/Info.plist": "property list",
    "Resources/Glaive.plugin/Contents/MacOS/Glaive": "file",
    "Resources/Glaive32.plugin/Contents/Info.plist": "property list",
    "Resources/Glaive32.plugin/Contents/MacOS/Glaive": "file",
}
INFO = {
    "CFBundleExecutable": "lcinstaller-mac", "CFBundleIdentifier": "com.lumacraft.lcinstaller-mac",
    "CFBundlePackageType": "APPL", "CFBundleName": "lcinstaller-mac", "CFBundleShortVersionString": "1.0.39",
    "CFBundleVersion": "1.0.39", "NSPrincipalClass": "InstallerApplication", "LSMinimumSystemVersion": "10.13",
    "NSHighResolutionCapable": True, "CFBundleIconFile": "lcinstaller-mac.icns", "NSRequiresAquaSystemAppearance": True,
}


def icon_sizes(path):
    """The pixel sizes of a Mac icon file's PNG elements; fails unless every length adds up."""
    with open(path, "rb") as f:
        data = f.read()
    h.check(data[:4] == b"icns" and struct.unpack(">I", data[4:8])[0] == len(data), f"{path} is no icon file")
    sizes, at = set(), 8
    while at < len(data):
        length = struct.unpack(">I", data[at + 4:at + 8])[0]
        png = data[at + 8:at + length]
        h.check(length > 8 and png[:8] == b"\x89PNG\r\n\x1a\n", f"{path}: element {data[at:at + 4]} is no PNG")
        sizes.add(struct.unpack(">II", png[16:24]))
        at += length
    h.check(at == len(data), f"{path}: the elements overrun the file")
    return sizes


def bundle_layout(name):
    # The Mac's layout, whose property list names what a Mac needs to open the application.
    app = os.environ["LCINSTALLER_MAC_APP"]
    contents = os.path.join(app, "Contents")
    found = {os.path.relpath(os.path.join(folder, file), contents)
             for folder, _, files in os.walk(contents) for file in files}
    h.check(found == set(BUNDLE_FILES), f"Contents/ holds {sorted(found)}")
    for path, kind in BUNDLE_FILES.items():
        full = os.path.join(contents, path)
        if kind == "program":
            h.check(os.access(full, os.X_OK), f"{path} is not executable")
        elif kind == "property list":
            with open(full, "rb") as f:
                plistlib.load(f)
    with open(os.path.join(contents, "Info.plist"), "rb") as f:
        info = plistlib.load(f)
    wrong = {key: info.get(key) for key, value in INFO.items() if info.get(key) != value}
    h.check(not wrong, f"Info.plist differs in {wrong}")
    sizes = icon_sizes(os.path.join(contents, "Resources", info["CFBundleIconFile"]))
    h.check(sizes == {(n, n) for n in (16, 32, 64, 128, 256, 512)}, f"the icon's sizes: {sorted(sizes)}")
    # GNUstep's main bundle needs the program beside Contents/ and links to what is inside.
    h.check(os.path.samefile(os.path.join(app, "lcinstaller-mac"), os.path.join(contents, "MacOS", "lcinstaller-mac")),
            "the program beside Contents/ is not the bundle's program")
    h.check(os.readlink(os.path.join(app, "Resources")) == "Contents/Resources", "Resources links elsewhere")
    h.check(sorted(os.listdir(app)) == ["Contents", "Info-gnustep.plist", "Resources", "lcinstaller-mac"],
            f"beside Contents/: {sorted(os.listdir(app))}")


# --- Discovery ---------------------------------------------------------------------------------


def discovery_and_cancel(name):
    # The only application that opens host documents is not the host: nothing from bundles, but
    # Launch Services answered, so the preference file counts.
    s.host_application("Other Editor", "12.0", signature="XXXX")
    s.host_preferences({"13.5": "/Hosts/CC2015\\Plug-ins", "14.0": "/Hosts/CC2017/Plug-ins", "13.0": "/Hosts/No"})
    run = s.Run(name)
    wizard = s.Wizard(run)
    wizard.to_version_page()
    h.check(wizard.boxes([55, 80, 105, 130]) == [True, True, False, None],
            f"expected CC2015 and CC2017 checked, then Custom unchecked: {wizard.boxes([55, 80, 105, 130])}")
    # Cancel, answered "Cancel": the wizard stays; Quit (Command-Q) asks the same, answered "Cancel"
    # the same way; Cancel answered "OK": it ends with 0.
    wizard.click(*s.THIRD)
    popup = s.Popup(run, "Exit Installer")
    s.assert_popup_text(run, popup, s.EXIT_QUESTION, 1)
    popup.press(False)
    s.command_key("q")
    popup = s.Popup(run, "Exit Installer")
    s.assert_popup_text(run, popup, s.EXIT_QUESTION, 1)
    popup.press(False)
    wizard.click(*s.THIRD)
    s.Popup(run, "Exit Installer").press(True)
    h.check(run.exit_code() == 0, "a confirmed Cancel should end with exit code 0")


def no_claiming_application(name):
    # A host bundle that does not claim host documents: Launch Services names nothing, so the
    # preference file is not read either; only "Custom" is offered.
    s.host_application("Adobe After Effects CC", "12.0", claims_documents=False)
    s.host_preferences({"13.5": "/Hosts/CC2015/Plug-ins"})
    run = s.Run(name)
    wizard = s.Wizard(run)
    wizard.to_version_page()
    h.check(wizard.boxes([55, 80]) == [False, None], "only Custom should be offered")
    # The window's close button ends the installer as well.
    wizard.close_button()
    h.check(run.exit_code() == 0, "closing the window should end with exit code 0")


# --- Installing ----------------------------------------------------------------------------------


def full_install_with_custom_folder(name):
    cs6 = s.host_application("Adobe After Effects CS6", "11.0.4")
    cc = s.host_application("Adobe After Effects CC", "12.2.1")
    cc_later = s.host_application("Adobe After Effects Preview CC", "12.0")  # later by path: the first "12" stays
    s.host_application("Adobe After Effects CS3", "8.0")
    s.host_application("Unsigned Editor", "10.0", signature=None)
    s.host_preferences({"13.8": "/Library/Hosts/CC2015.3/Plug-ins"})
    os.makedirs("/Library/Hosts/CC2015.3/Plug-ins")
    # A backslash is an ordinary character in a macOS file name: the chosen folder keeps it.
    custom = "/Library/Custom\\Target"
    os.makedirs(custom)
    # An older bundle is replaced whole: a file it had and the payload has not is gone afterwards;
    # and what interrupted runs left beside the bundles (part of a copy, a bundle moved aside) is
    # neither taken into the new ones nor left behind.
    older = s.installed_bundle(cc)
    for stale in (older, older + ".previous", s.installed_bundle(cs6) + ".partial"):
        os.makedirs(os.path.join(stale, "Contents", "Resources"))
        with open(os.path.join(stale, "Contents", "Resources", "old.txt"), "w") as out:
            out.write("an older plug-in")

    run = s.Run(name, cwd="/Library")  # the open panel starts in the working folder
    wizard = s.Wizard(run)
    rows = [55, 80, 105, 130]
    wizard.to_version_page()
    h.check(wizard.boxes(rows + [155]) == [True, True, True, False, None],
            f"expected CS6, CC, CC2015.3 checked and Custom: {wizard.boxes(rows + [155])}")
    wizard.click(*s.box(130))
    wizard.wait_for(lambda shot: wizard.boxes([130]) == [True], "Custom to be checked")
    # The open panel is a column browser starting in the working folder, whose sub-folders fill its
    # second column. A click on one selects it and moves the columns left; a second click on it
    # there puts its name into the "Name:" field, which "OK" needs.
    wizard.click(*s.plugin_path_button(4))
    panel = s.Window(run, s.PANEL_TITLE)
    h.check(panel.rect[2:] == (384, 434), f"the open panel's client area is {panel.rect[2]} x {panel.rect[3]}")
    row = 104 + 15  # "Custom\\Target" is the second sub-folder, after "ApplicationSupport"
    panel.click(280, row)
    panel.wait_for(lambda shot: shot.at(150, row) == PANEL_SELECTION, "the columns to move left")
    panel.click(93, row)
    panel.wait_for(lambda shot: shot.shot.count(lambda p: p[0] < 100, (panel.rect[0] + 60, panel.rect[1] + 370,
                                                                       panel.rect[0] + 360, panel.rect[1] + 382)) > 0,
                   "the chosen folder's name in the Name field")
    panel.take("open-panel")
    panel.click(330, 405)  # "OK"
    s.wait_gone(s.PANEL_TITLE)

    look = wizard.to_progress()
    s.Agent(run).answer("Return")
    wizard.wait_finished(look)
    wizard.take("finished")
    wizard.finish()
    for folder in (cs6, cc, "/Library/Hosts/CC2015.3/Plug-ins", custom):
        s.assert_installed(folder)
    s.assert_not_installed(cc_later)
    h.check(os.path.isdir(s.APP_SUPPORT) and os.stat(s.APP_SUPPORT).st_mode & 0o777 == 0o777,
            "the application support folder was not made for everyone")


def prompt_cancelled(name):
    cs55 = s.host_application("Adobe After Effects CS5.5", "10.5")
    cc2014 = s.host_application("Adobe After Effects CC 2014", "13.0.1")
    run = s.Run(name)
    wizard = s.Wizard(run)
    wizard.to_version_page()
    look = wizard.to_progress()
    s.Agent(run).answer("Escape")
    popup = s.Popup(run, "Failed to install")
    for folder in (cs55, cc2014):
        s.assert_not_installed(folder)
    s.assert_popup_text(run, popup, s.retry_question("CC2014", s.DENIED), 2)
    # "Yes" asks again; this time the prompt's OK allows it.
    popup.press(True)
    s.Agent(run).answer("OK")
    wizard.wait_finished(look)
    wizard.finish()
    for folder in (cs55, cc2014):
        s.assert_installed(folder)


def failed_copy(name, obstruct):
    """CS5 holds an earlier bundle and `obstruct(vendor folder)` makes its new one fail; it returns
    what stays beside the bundle. The run stops there, with the earlier bundle as it was."""
    cs5 = s.host_application("Adobe After Effects CS5", "10.0.2")
    cc = s.host_application("Adobe After Effects CC", "12.0")
    vendor = os.path.join(cs5, "Lumacraft")
    os.makedirs(vendor)
    left = obstruct(vendor)
    earlier = s.installed_bundle(cs5)
    os.makedirs(os.path.join(earlier, "Contents"))
    with open(os.path.join(earlier, "Contents", "Info.plist"), "w") as out:
        out.write("an earlier version")
    before = s.tree(earlier)
    # chmod cannot start: its process is forked before that is known, and the child left behind
    # must not be taken for a later tool, which would make the failed copy look complete.
    not_a_program = "/Library/not-a-program"
    open(not_a_program, "w").close()
    subprocess.run(["mount", "--bind", not_a_program, "/bin/chmod"], check=True)

    run = s.Run(name)
    wizard = s.Wizard(run)
    wizard.to_version_page()
    look = wizard.to_progress()
    s.Agent(run).answer("Return")
    popup = s.Popup(run, "Failed to install")
    s.assert_popup_text(run, popup, s.retry_question("CS5", s.COPY_FAILED), 2)
    h.check(s.tree(earlier) == before, "the earlier bundle was changed by the failed copy")
    s.assert_no_side_bundles(cs5, left)
    s.assert_not_installed(cc)  # the run stopped at the failure
    h.check(not os.path.exists(s.APP_SUPPORT), "the application support folder must wait for a full success")
    popup.press(False)
    shot = wizard.wait_finished(look)
    # The partial failure's heading wraps into two lines, both shown whole: the second as tall as the
    # first (the box of a heading that is too small cuts the second short).
    heading = shot.region(170, 45, 320, 35)
    inked = [any(p[0] > 120 for p in heading[y * 320:(y + 1) * 320]) for y in range(35)]
    lines = [len(run) for run in "".join("x" if row else " " for row in inked).split()]
    h.check(len(lines) == 2 and lines[1] >= lines[0] - 1, f"the heading's lines are {lines} rows tall")
    wizard.finish()


def mount_tmpfs(folder, size="1m"):
    subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "lcsdk-test", folder], check=True)


def quit_during_run(name):
    # Quit while the run waits for the prompt: once confirmed, the wizard goes, but the program ends
    # only after the run has, with everything installed.
    cs6 = s.host_application("Adobe After Effects CS6", "11.0")
    run = s.Run(name)
    wizard = s.Wizard(run)
    wizard.to_version_page()
    wizard.to_progress()
    agent = s.Agent(run)
    wizard.click(60, 335)
    s.wait_for_keyboard(s.WIZARD_TITLE)
    s.command_key("q")
    s.Popup(run, "Exit Installer").press(True)
    s.wait_gone(s.WIZARD_TITLE)
    h.check(run.process.poll() is None, "the installer ended while its run was still going on")
    agent.answer("OK")
    h.check(run.exit_code() == 0, "a confirmed Quit should end with exit code 0")
    s.assert_installed(cs6)


def copy_fails(name):
    # The vendor folder is a small file system: the new bundle does not fit, the copy fails part way.
    def obstruct(vendor):
        mount_tmpfs(vendor, "12k")
        return []
    failed_copy(name, obstruct)


def copy_cannot_take_its_place(name):
    # The copy is made in a file system of its own, mounted where the copy goes: it is complete and
    # the earlier bundle is moved aside, but a mount point cannot be renamed, so the copy cannot take
    # the earlier bundle's place and the earlier bundle goes back. The mount point stays.
    def obstruct(vendor):
        copy = os.path.join(vendor, "Glaive.plugin.partial")
        os.makedirs(copy)
        mount_tmpfs(copy)
        return ["Glaive.plugin.partial"]
    failed_copy(name, obstruct)


def copy_changed_before_check(name):
    # The copy tool stores one byte changed, as a disk or a security product that alters data on the
    # way would: the copy does not match the manifest, so it is removed and never takes the earlier
    # bundle's place.
    def obstruct(vendor):
        real = "/Library/ditto.real"
        shutil.copy2(os.environ["GNUSTEP_DITTO"], real)
        changing = "/Library/ditto-changing"
        with open(changing, "w") as out:
            out.write(f'#!/bin/sh\n{real} "$@" || exit\nprintf x >> "$2/Contents/MacOS/Glaive"\n')
        os.chmod(changing, 0o755)
        subprocess.run(["mount", "--bind", changing, os.environ["GNUSTEP_DITTO"]], check=True)
        return []
    failed_copy(name, obstruct)


def damaged_payload(name):
    # One file of the payload bundle inside the application is changed: the run refuses before it
    # asks for rights, with code 30 on every chosen version, and writes nothing.
    cs6 = s.host_application("Adobe After Effects CS6", "11.0")
    cc = s.host_application("Adobe After Effects CC", "12.0")
    info = os.path.join(s.payload_bundle(), "Contents", "Info.plist")
    changed = "/Library/changed-Info.plist"
    shutil.copy2(info, changed)
    with open(changed, "ab") as out:
        out.write(b" ")
    subprocess.run(["mount", "--bind", changed, info], check=True)

    run = s.Run(name)
    wizard = s.Wizard(run)
    wizard.to_version_page()
    look = wizard.to_progress()
    popup = s.Popup(run, "Failed to install")
    h.check(s.client_rect(s.AGENT_TITLE) is None, "the prompt was shown for a damaged payload")
    s.assert_popup_text(run, popup, s.retry_question("CC", s.CORRUPT), 2)
    for folder in (cs6, cc):
        s.assert_not_installed(folder)
    popup.press(False)
    wizard.wait_finished(look)
    wizard.finish()


# --- Keyboard and assistive technology -------------------------------------------------------------


def keyboard_install(name):
    """A full install with the keyboard alone: Escape asks to leave and Escape answers Cancel, Return is
    the page's default, Tab and Space work the check boxes and the buttons, where the focus shows."""
    cs6 = s.host_application("Adobe After Effects CS6", "11.0")
    cc = s.host_application("Adobe After Effects CC", "12.0")
    run = s.Run(name)
    wizard = s.Wizard(run)  # its first click only gives the window the keyboard: there is no window manager
    wizard.park_mouse()
    h.key("Escape")
    s.wait_for_window("Exit Installer")
    h.key("Escape")
    s.wait_gone("Exit Installer")
    h.key("Return")  # "Next >", the page's default
    wizard.wait_for(lambda shot: wizard.boxes([55, 80, 105]) == [True, True, False], "the versions page")
    h.key("Tab", "space")  # CS6
    wizard.wait_for(lambda shot: wizard.boxes([55]) == [False], "CS6 to be unchecked")
    # CC, Custom, "< Back", then "Next >", whose border turns light: the pointer is away, so that is
    # the focus look.
    h.key("Tab", "Tab", "Tab", "Tab")
    wizard.wait_for(lambda shot: shot.at(290, 335) == s.HOVER_BORDER, "the focus look on Next")
    wizard.take("focus-on-next")
    h.key("space")
    wizard.wait_for(lambda shot: shot.at(191, 50 + 55 + 6) == s.SUMMARY_BACK and wizard.face(200), "the summary page")
    look = wizard.shot.region(*s.THIRD_CAPTION)
    h.key("Return")  # the default again: the run; "Cancel" takes the focus from "Next >"
    s.Agent(run).answer("Return")
    wizard.wait_finished(look)
    # Nothing gives the keyboard back when the prompt, another program's window, goes (on a Mac the
    # system does): a click on a bare point of the button bar, as at the start.
    wizard.click(60, 335)
    s.wait_for_keyboard(s.WIZARD_TITLE)
    h.key("Return")  # "Finish": the page's default, now that the focus rests on no button
    h.check(run.exit_code() == 0, "Finish did not end the installer with exit code 0")
    s.assert_installed(cc)
    s.assert_not_installed(cs6)


# Versions enough for a summary taller than its pane: five from their bundles, one from the host's
# preferences.
MANY_HOSTS = (("Adobe After Effects CS5", "10.0"), ("Adobe After Effects CS5.5", "10.5"), ("Adobe After Effects CS6", "11.0"),
              ("Adobe After Effects CC", "12.0"), ("Adobe After Effects CC 2014", "13.0"))
PREFERRED_HOST = "/Library/Hosts/CC2017/Plug-ins"


def accessibility_tree(name):
    """The wizard read and worked through the NSAccessibility methods of its views and elements on each
    page and in the Exit question, from inside its own process (accessibility_probe.mm): GNUstep has no
    screen reader. The probe presses through to "Finish"; here the Authenticate prompt is answered."""
    folders = [s.host_application(folder, version) for folder, version in MANY_HOSTS] + [PREFERRED_HOST]
    s.host_preferences({"14.0": PREFERRED_HOST})
    os.makedirs(PREFERRED_HOST)
    run = s.Run(name, exe=os.environ["ACCESSIBILITY_PROBE_BIN"])
    h.wait_until(lambda: run.process.poll() is not None or s.client_rect(s.AGENT_TITLE), timeout=120,
                 what="the run to ask for rights")
    h.check(run.process.poll() is None, "the probe ended before the run:\n" + run.output())
    s.Agent(run).answer("OK")
    h.check(run.exit_code() == 0, "the accessibility checks failed:\n" + run.output())
    for folder in folders:
        s.assert_installed(folder)


SCENARIOS = {f.__name__: f for f in (bundle_layout, discovery_and_cancel, no_claiming_application,
                                      full_install_with_custom_folder, prompt_cancelled, quit_during_run,
                                      copy_fails, copy_cannot_take_its_place, copy_changed_before_check,
                                      damaged_payload, keyboard_install, accessibility_tree)}

if __name__ == "__main__":
    s.run(SCENARIOS[sys.argv[1]])
