"""End-to-end scenarios of lcinstaller-mac on GNUstep: test_installer_mac.py <scenario>.

Each scenario runs in its own private mount namespace (scripts/gnustep/private_mounts.sh), writes
its host applications and preference file into the private /Applications and /Library, drives the
real program, its Authenticate prompt and its open panel with X input, and checks screens, files
and exit codes."""
import os
import subprocess
import sys

import installer_mac_support as s
import x11_harness as h

BOX_CHECKED = (214, 215, 216)  # the tick, under the pointer or not
CHECKBOX_X = 197
SUMMARY_BACK = (30, 30, 30)
PANEL_SELECTION = (255, 255, 255)  # a selected row of the open panel's browser


def box(y):
    """Where to click a version check box whose row starts at page y."""
    return CHECKBOX_X, 50 + y + 12


def boxes_shown(shot, rows):
    """For each row y: True (checked), False (unchecked) or None (no box)."""
    states = []
    for y in rows:
        inside = shot.at(191, 50 + y + 6)
        if inside in (s.ROOT,):
            states.append(None)
        else:
            states.append(h.close_to(shot.at(198, 50 + y + 11), BOX_CHECKED, 30))
    return states


def plugin_path_button(boxes):
    return 235, 50 + 60 + 25 * boxes + 7


def to_version_page(wizard, rows):
    wizard.click(*s.NEXT)
    return wizard.wait_for(lambda shot: boxes_shown(shot, rows[:1]) != [None] and wizard.face(200),
                           "the host version page")


def to_progress(wizard):
    """From the version page: the summary, then the progress page, which starts the run."""
    wizard.click(*s.NEXT)
    wizard.wait_for(lambda shot: shot.at(191, 50 + 55 + 6) == SUMMARY_BACK and wizard.face(200), "the summary page")
    wizard.click(*s.NEXT)
    wizard.wait_for(lambda shot: not wizard.face(200) and not wizard.face(290), "the progress page")


def cancel_look(wizard):
    return wizard.take().region(405, 320, 85, 30)


def wait_finished(wizard, look, timeout=60):
    wizard.park_mouse()
    return wizard.wait_for(lambda shot: shot.region(405, 320, 85, 30) != look and shot.at(408, 323) == s.FACE_ENABLED,
                           "the third button to read Finish", timeout=timeout)


def finish(run, wizard):
    wizard.click(*s.THIRD)
    h.check(run.exit_code() == 0, "Finish did not end the installer with exit code 0")


def allow(run, how="Return"):
    agent = s.Agent(run)
    agent.take("prompt")
    if how == "OK":
        agent.click(*s.Agent.OK)
    else:
        agent.key(how)
    agent.wait_closed()


# --- Discovery ---------------------------------------------------------------------------------


def discovery_and_cancel(name):
    # The only application that opens host documents is not the host: nothing from bundles, but
    # Launch Services answered, so the preference file counts.
    s.host_application("Other Editor", "12.0", signature="XXXX")
    s.host_preferences({"13.5": "/Hosts/CC2015\\Plug-ins", "14.0": "/Hosts/CC2017/Plug-ins", "13.0": "/Hosts/No"})
    run = s.Run(name)
    wizard = s.Wizard(run)
    shot = to_version_page(wizard, [55])
    h.check(boxes_shown(shot, [55, 80, 105, 130]) == [True, True, False, None],
            f"expected CC2015 and CC2017 checked, then Custom unchecked: {boxes_shown(shot, [55, 80, 105, 130])}")
    # Cancel, answered "Cancel": the wizard stays; answered "OK": it ends with 0.
    wizard.click(*s.THIRD)
    popup = s.Popup(run, "Exit Installer")
    s.assert_popup_text(run, popup, s.EXIT_QUESTION, 1)
    popup.press(False)
    h.check(run.process.poll() is None, "Cancel in the question ended the installer")
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
    shot = to_version_page(wizard, [55])
    h.check(boxes_shown(shot, [55, 80]) == [False, None], "only Custom should be offered")
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
    custom = "/Library/Custom Target"
    os.makedirs(custom)
    # An older bundle is replaced whole: a file it had and the payload has not is gone afterwards.
    older = s.installed_bundle(cc)
    os.makedirs(os.path.join(older, "Contents", "Resources"))
    with open(os.path.join(older, "Contents", "Resources", "old.txt"), "w") as out:
        out.write("an older plug-in")

    run = s.Run(name, cwd="/Library")  # the open panel starts in the working folder
    wizard = s.Wizard(run)
    rows = [55, 80, 105, 130]
    shot = to_version_page(wizard, rows)
    h.check(boxes_shown(shot, rows + [155]) == [True, True, True, False, None],
            f"expected CS6, CC, CC2015.3 checked and Custom: {boxes_shown(shot, rows + [155])}")
    wizard.click(*box(130))
    wizard.wait_for(lambda shot: boxes_shown(shot, [130]) == [True], "Custom to be checked")
    # The open panel is a column browser starting in the working folder, whose sub-folders fill its
    # second column. A click on one selects it and moves the columns left; a second click on it
    # there puts its name into the "Name:" field, which "OK" needs.
    wizard.click(*plugin_path_button(4))
    panel = s.Window(run, s.PANEL_TITLE)
    h.check(panel.rect[2:] == (384, 434), f"the open panel's client area is {panel.rect[2]} x {panel.rect[3]}")
    row = 104 + 15  # "Custom Target" is the second sub-folder, after "ApplicationSupport"
    panel.click(280, row)
    panel.wait_for(lambda shot: shot.at(150, row) == PANEL_SELECTION, "the columns to move left")
    panel.click(93, row)
    panel.wait_for(lambda shot: shot.shot.count(lambda p: p[0] < 100, (panel.rect[0] + 60, panel.rect[1] + 370,
                                                                       panel.rect[0] + 360, panel.rect[1] + 382)) > 0,
                   "the chosen folder's name in the Name field")
    panel.take("open-panel")
    panel.click(330, 405)  # "OK"
    s.wait_gone(s.PANEL_TITLE)

    look = cancel_look(wizard)
    to_progress(wizard)
    allow(run, "Return")
    wait_finished(wizard, look)
    wizard.take("finished")
    finish(run, wizard)
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
    to_version_page(wizard, [55, 80, 105])
    look = cancel_look(wizard)
    to_progress(wizard)
    allow(run, "Escape")
    popup = s.Popup(run, "Failed to install")
    for folder in (cs55, cc2014):
        s.assert_not_installed(folder)
    s.assert_popup_text(run, popup, s.retry_question("CC2014", s.DENIED), 2)
    # "Yes" asks again; this time the prompt's OK allows it.
    popup.press(True)
    allow(run, "OK")
    wait_finished(wizard, look)
    finish(run, wizard)
    for folder in (cs55, cc2014):
        s.assert_installed(folder)


def copy_fails(name):
    cs5 = s.host_application("Adobe After Effects CS5", "10.0.2")
    cc = s.host_application("Adobe After Effects CC", "12.0")
    # CS5's vendor folder is a small file system holding an earlier bundle; the new one does not
    # fit, so the copy fails part way.
    vendor = os.path.join(cs5, "Lumacraft")
    os.makedirs(vendor)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=12k", "small", vendor], check=True)
    earlier = s.installed_bundle(cs5)
    os.makedirs(os.path.join(earlier, "Contents"))
    with open(os.path.join(earlier, "Contents", "Info.plist"), "w") as out:
        out.write("an earlier version")
    before = s.tree(earlier)

    run = s.Run(name)
    wizard = s.Wizard(run)
    to_version_page(wizard, [55, 80, 105])
    look = cancel_look(wizard)
    to_progress(wizard)
    allow(run)
    popup = s.Popup(run, "Failed to install")
    s.assert_popup_text(run, popup, s.retry_question("CS5", s.COPY_FAILED), 2)
    h.check(s.tree(earlier) == before, "the earlier bundle was changed by the failed copy")
    s.assert_no_side_bundles(cs5)
    s.assert_not_installed(cc)  # the run stopped at the failure
    h.check(not os.path.exists(s.APP_SUPPORT), "the application support folder must wait for a full success")
    popup.press(False)
    wait_finished(wizard, look)
    finish(run, wizard)


SCENARIOS = {f.__name__: f for f in (discovery_and_cancel, no_claiming_application, full_install_with_custom_folder,
                                      prompt_cancelled, copy_fails)}

if __name__ == "__main__":
    s.run(SCENARIOS[sys.argv[1]])
