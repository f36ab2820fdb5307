"""End-to-end scenarios of lcinstaller-win under Wine: test_installer.py <scenario>.

Each scenario runs in a fresh copy of the prefix with its own registry entries and host folders,
drives the real program with X input at the wizard's coordinates, and checks screens, files and
exit codes."""
import os
import re
import shutil
import subprocess
import sys
import time

import installer_support as s
import wine_harness as h

CHECKBOX_X = 197


def box(y):
    """Where to click a version check box whose row starts at page y."""
    return CHECKBOX_X, 50 + y + 12


def plugin_path_button(boxes):
    return 235, 50 + 60 + 25 * boxes + 7


def walk_to_summary(wizard, boxes, from_intro=True):
    """Next to the version page (unless already there), then the summary; returns the "Cancel"
    look of the third button."""
    if from_intro:
        wizard.click(*s.NEXT)
        wizard.wait_for_page_one(boxes)
    wizard.click(*s.NEXT)
    wizard.wait_for(lambda shot: shot.box_at(boxes[0]) is None and shot.button_enabled(200), "the summary page")
    return wizard.shot.region(405, 320, 85, 30)


def walk_to_progress(wizard, boxes, from_intro=True):
    """On to the progress page; returns the "Cancel" look of the third button."""
    cancel_look = walk_to_summary(wizard, boxes, from_intro)
    wizard.click(*s.NEXT)
    wizard.wait_for(lambda shot: not shot.button_enabled(200) and not shot.button_enabled(290), "the progress page")
    return cancel_look


def finish(wizard, cancel_look):
    wizard.park_mouse()
    wizard.wait_finished(cancel_look)
    wizard.click(*s.THIRD)
    h.check(wizard.exit_code() == 0, "Finish did not end the installer with exit code 0")


def choose_folder(session, wizard, boxes, windows_path):
    """"Plugin Path", then the shell's folder dialog: type the folder and confirm."""
    wizard.click(*plugin_path_button(boxes))
    session.wait_for_window("Custom Folder")
    h.xdotool("type", "--delay", "15", windows_path)
    h.key("Return")
    session.wait_gone("Custom Folder")


# --- Discovery -------------------------------------------------------------------------------


def no_host_key(session):
    wizard = s.Wizard(session, session.start())
    shot = wizard.take("page-0")
    h.check(not shot.button_enabled(200) and shot.button_enabled(290), "page 0: Back should be off, Next on")
    wizard.click(*s.NEXT)
    shot = wizard.wait_for_page_one([55])
    h.check(shot.box_at(55) is False, "Custom should be offered unchecked at y 55")
    h.check(shot.box_at(80) is None, "only Custom should be offered")
    h.check(shot.at(193, 50 + 85 + 3) == s.ROOT, "the Plugin Path button should be hidden")
    wizard.click(*box(55))
    shot = wizard.wait_for(lambda shot: shot.box_at(55) is True, "Custom to be checked")
    h.check(shot.at(193, 50 + 85 + 3) == s.FACE_ENABLED, "the Plugin Path button should be at y 85")
    wizard.click(*s.THIRD)
    popup = s.Popup(session, "Exit Installer")
    s.assert_popup_text(session, popup, s.EXIT_QUESTION, 1)
    popup.press(True)
    h.check(wizard.exit_code() == 0, "a confirmed Cancel should end with exit code 0")


def three_versions(session):
    hosts = {"10.0": r"C:\Hosts\CS5\Plug-ins", "12": r"C:\Hosts\CC\Plug-ins", "14.0": r"C:\Hosts\CC2017\Plug-ins"}
    for folder in hosts.values():
        session.make_folder(folder)
    session.register_hosts(hosts)
    wizard = s.Wizard(session, session.start())
    wizard.click(*s.NEXT)
    shot = wizard.wait_for_page_one([55, 80, 105, 130])
    h.check([shot.box_at(y) for y in (55, 80, 105, 130, 155)] == [True, True, True, False, None],
            "expected three checked versions at y 55, 80, 105 and Custom unchecked at y 130")
    wizard.click(*box(130))
    shot = wizard.wait_for(lambda shot: shot.box_at(130) is True, "Custom to be checked")
    h.check(shot.at(193, 50 + 160 + 3) == s.FACE_ENABLED, "the Plugin Path button should be at y 160")
    wizard.click(*box(130))
    wizard.wait_for(lambda shot: shot.box_at(130) is False and shot.at(193, 213) == s.ROOT, "Custom unchecked again")
    wizard.click(*s.BACK)
    wizard.wait_for(lambda shot: not shot.button_enabled(200), "the introduction page")
    finish(wizard, walk_to_progress(wizard, [55, 80, 105, 130]))
    for folder in hosts.values():
        session.assert_installed(folder)
    h.check(os.path.isdir(session.app_data_folder()), "the application data folder was not created")


def ignored_subkeys(session):
    hosts = {"8.0": r"C:\Hosts\CS3", "9.0": r"C:\Hosts\CS4", "11.0": r"C:\Hosts\Eleven-dot-zero",
             "11": r"C:\Hosts\CS6"}
    for folder in hosts.values():
        session.make_folder(folder)
    session.register_hosts(hosts)
    wizard = s.Wizard(session, session.start())
    wizard.click(*s.NEXT)
    shot = wizard.wait_for_page_one([55, 80])
    h.check([shot.box_at(y) for y in (55, 80, 105)] == [True, False, None],
            "only CS6 (checked) and Custom should be offered")
    finish(wizard, walk_to_progress(wizard, [55, 80], from_intro=False))
    session.assert_installed(r"C:\Hosts\CS6")
    for ignored in (r"C:\Hosts\CS3", r"C:\Hosts\CS4", r"C:\Hosts\Eleven-dot-zero"):
        session.assert_not_installed(ignored)


def odd_values(session):
    long_value = "C:\\Hosts\\" + "L" * 291  # 300 characters
    exact_value = "C:\\Hosts\\" + "E" * 246  # 255 characters: still fits
    session.make_folder(r"C:\Hosts\CC\Plug-ins")
    session.register_hosts({"12": "C:/Hosts/CC/Plug-ins/", "13": long_value, "13.5": exact_value})
    wizard = s.Wizard(session, session.start())
    wizard.click(*s.NEXT)
    shot = wizard.wait_for_page_one([55, 80, 105])
    h.check([shot.box_at(y) for y in (55, 80, 105, 130)] == [True, True, False, None],
            "expected CC and CC2015 checked, then Custom; the 300-character value should leave CC2014 out")
    wizard.click(*box(80))  # CC2015's 255-character folder would give a path too long to write
    wizard.wait_for(lambda shot: shot.box_at(80) is False, "CC2015 to be unchecked")
    cancel_look = walk_to_progress(wizard, [55, 80, 105], from_intro=False)
    finish(wizard, cancel_look)
    # The slashes became backslashes and the trailing one stayed: the plug-in went to the folder.
    session.assert_installed(r"C:\Hosts\CC\Plug-ins")


# --- Installing ------------------------------------------------------------------------------


def full_install_with_custom_folder(session):
    hosts = {"13": r"C:\Hosts\CC2014\Plug-ins", "13.8": r"C:\Hosts\CC2015.3\Plug-ins"}
    for folder in hosts.values():
        session.make_folder(folder)
    custom = session.make_folder(r"C:\Users\Public\Custom Plug-ins")
    # An older plug-in is replaced.
    os.makedirs(os.path.dirname(session.plugin_file(hosts["13"])))
    with open(session.plugin_file(hosts["13"]), "wb") as older:
        older.write(b"an older plug-in")
    session.register_hosts(hosts)
    wizard = s.Wizard(session, session.start())
    wizard.click(*s.NEXT)
    wizard.wait_for_page_one([55, 80, 105])
    wizard.click(*box(105))
    wizard.wait_for(lambda shot: shot.box_at(105) is True, "Custom to be checked")
    choose_folder(session, wizard, 3, custom)
    finish(wizard, walk_to_progress(wizard, [55, 80, 105], from_intro=False))
    for folder in (*hosts.values(), custom):
        session.assert_installed(folder)
    h.check(os.path.isdir(session.app_data_folder()), "the application data folder was not created")


def non_ascii_path(session):
    folder = session.make_folder("C:\\Hosts\\\u00dcbersicht \u63d2\u4ef6 \u00e9t\u00e9\\Plug-ins")
    session.register_hosts({"13.5": folder})
    wizard = s.Wizard(session, session.start())
    finish(wizard, walk_to_progress(wizard, [55, 80]))
    session.assert_installed(folder)


def vanished_custom_folder(session):
    session.make_folder(r"C:\Hosts\CS55")
    session.register_hosts({"10.5": r"C:\Hosts\CS55"})
    custom = session.make_folder(r"C:\Custom\Target")

    # "Yes": the folder is back when the retry starts; only the failed version is written again.
    wizard = s.Wizard(session, session.start())
    wizard.click(*s.NEXT)
    wizard.wait_for_page_one([55, 80])
    wizard.click(*box(80))
    wizard.wait_for(lambda shot: shot.box_at(80) is True, "Custom to be checked")
    choose_folder(session, wizard, 2, custom)
    os.rmdir(session.c_path(custom))
    cancel_look = walk_to_progress(wizard, [55, 80], from_intro=False)
    wizard.park_mouse()
    popup = s.Popup(session, "Failed to install")
    s.assert_popup_text(session, popup, s.retry_question("Custom", 40), 2)
    session.assert_installed(r"C:\Hosts\CS55")
    os.remove(session.plugin_file(r"C:\Hosts\CS55"))
    h.check(not os.path.isdir(session.app_data_folder()), "the data folder must wait for a full success")
    session.make_folder(custom)
    popup.press(True)
    finish(wizard, cancel_look)
    session.assert_installed(custom)
    session.assert_not_installed(r"C:\Hosts\CS55")
    h.check(os.path.isdir(session.app_data_folder()), "the application data folder was not created")

    # "No": the partial-failure outcome, and Finish closes at once.
    wizard = s.Wizard(session, session.start(label="second-run"))
    wizard.click(*s.NEXT)
    wizard.wait_for_page_one([55, 80])
    wizard.click(*box(80))
    wizard.wait_for(lambda shot: shot.box_at(80) is True, "Custom to be checked")
    other = session.make_folder(r"C:\Custom\Other")
    choose_folder(session, wizard, 2, other)
    os.rmdir(session.c_path(other))
    cancel_look = walk_to_progress(wizard, [55, 80], from_intro=False)
    popup = s.Popup(session, "Failed to install")
    popup.press(False)
    wizard.take("partial-failure")
    finish(wizard, cancel_look)
    h.check(session.probe("Exit Installer") is None, "Finish should not ask")


def failing_write(session, prepare, code, start=None, side_file_may_stay=False):
    """One version whose plug-in cannot be replaced; `prepare` sets that up. The previous plug-in
    must survive whole, and no side file may stay."""
    folder = session.make_folder(r"C:\Hosts\CC\Plug-ins")
    session.register_hosts({"12": folder})
    target = session.plugin_file(folder)
    os.makedirs(os.path.dirname(target))
    with open(target, "wb") as previous:
        previous.write(b"the previous complete plug-in")
    release = prepare(target)
    wizard = s.Wizard(session, start() if start else session.start())
    cancel_look = walk_to_progress(wizard, [55, 80])
    wizard.park_mouse()
    popup = s.Popup(session, "Failed to install")
    s.assert_popup_text(session, popup, s.retry_question("CC", code), 2)
    popup.press(False)
    finish(wizard, cancel_look)
    release()
    with open(target, "rb") as kept:
        h.check(kept.read() == b"the previous complete plug-in", "the previous plug-in was damaged")
    if not side_file_may_stay:
        h.check(not os.path.lexists(target + ".partial"), "a side file was left behind")
    h.check(not os.path.isdir(session.app_data_folder()), "no data folder after a failed run")


def plugin_in_use(session):
    def hold(target):
        marker = os.path.join(session.artifacts, "release-holder")
        holder = session.start([h.unix_to_wine_path(target), h.unix_to_wine_path(marker)],
                               exe=os.environ["HOLD_FILE_EXE"], label="holder")
        h.wait_until(lambda: "holding" in holder.output(), timeout=60, what="the file to be held open")

        def release():
            open(marker, "w").close()
            h.check(holder.wait() == 0, "the holder failed")
        return release
    failing_write(session, hold, 40)


def disk_full(session):
    def full_disk(target):
        # The side file is where the bytes go first; here it leads to a device that is always full.
        os.symlink("/dev/full", target + ".partial")
        return lambda: None
    # Wine cannot delete a name that leads to a device, so the planted link itself stays.
    failing_write(session, full_disk, 50, side_file_may_stay=True)


def short_write(session):
    # Half the payload fits under the file size limit: the write stores part of it, then fails.
    limit = len(session.payload) // 2
    session.keep_server_running()
    failing_write(session, lambda target: (lambda: None), 50,
                  start=lambda: session.start_with_file_size_limit(limit))


def damaged_payload(session):
    """One byte of the payload inside the program is changed: the run refuses before writing
    anything, with code 30, and so does its retry; the intact program then installs."""
    folder = session.make_folder(r"C:\Hosts\CC\Plug-ins")
    session.register_hosts({"12": folder})
    offset, size = resource_in_file(session.exe, 10, 400)
    with open(session.exe, "r+b") as exe:
        exe.seek(offset + size // 2)
        byte = exe.read(1)[0]
        exe.seek(-1, os.SEEK_CUR)
        exe.write(bytes([byte ^ 0x01]))

    wizard = s.Wizard(session, session.start())
    cancel_look = walk_to_progress(wizard, [55, 80])
    wizard.park_mouse()
    s.assert_popup_text(session, s.Popup(session, "Failed to install"), s.retry_question("CC", 30), 2)
    s.Popup(session, "Failed to install").press(True)
    s.Popup(session, "Failed to install").press(False)
    finish(wizard, cancel_look)
    h.check(not os.path.lexists(os.path.dirname(session.plugin_file(folder))), "the damaged program wrote a folder")
    h.check(not os.path.isdir(session.app_data_folder()), "the damaged program made the data folder")

    shutil.copy(os.environ["LCINSTALLER_EXE"], session.exe)
    wizard = s.Wizard(session, session.start(label="intact"))
    finish(wizard, walk_to_progress(wizard, [55, 80]))
    session.assert_installed(folder)


def long_vendor_folder(session):
    """Host folders where the plug-in's path just fits the classic 260-character limit (259 and
    its terminator): the side file, 8 characters longer, must be written all the same, and the
    vendor folder, at 248 characters, is past what CreateDirectoryW takes in the plain form."""
    def at_limit(name, length):
        base = f"C:\\Hosts\\{name}\\" + "d" * 99 + "\\" + "d" * 99 + "\\"
        return base + "d" * (length - len(base))

    plain = at_limit("plain", 238)
    # A trailing separator gives a doubled one, which the long form must not keep.
    trailing = at_limit("trailing", 237) + "\\"
    for folder in (plain, trailing):
        h.check(len(folder + r"\Lumacraft\Glaive.aex") == 259, f"{folder} is not at the limit")
        session.make_folder(folder)

    # Wine opens and creates long plain paths too, so the form the program uses is checked itself.
    def check_forms(cases, mode, label):
        rules = session.start([*mode, *(given for given, _ in cases)], exe=os.environ["PATH_RULES_EXE"], label=label)
        h.check(rules.wait(timeout=60) == 0, "path_rules failed")
        got = rules.output().splitlines()[1:]
        h.check(got == [wanted for _, wanted in cases], f"{label}: {got}")

    side = r"\Lumacraft\Glaive.aex.partial"
    share = r"\\server\share" + plain[2:]
    check_forms([(r"C:\Hosts\CC" + side, r"C:\Hosts\CC" + side),
                 (plain + side, "\\\\?\\" + plain + side),
                 (trailing + side, "\\\\?\\" + trailing[:-1] + side),
                 (share + side, "\\\\?\\UNC\\" + share[2:] + side),
                 ("\\\\?\\" + plain + side, "\\\\?\\" + plain + side)], [], "path-rules")
    vendor = r"\Lumacraft"
    h.check(len(plain + vendor) == 248, "the vendor folder is not at the folder limit")
    check_forms([(r"C:\Hosts\CC" + vendor, r"C:\Hosts\CC" + vendor),
                 (plain[:-1] + vendor, plain[:-1] + vendor),
                 (plain + vendor, "\\\\?\\" + plain + vendor),
                 (trailing + vendor, "\\\\?\\" + trailing[:-1] + vendor)], ["/folder"], "folder-rules")

    session.register_hosts({"12": plain, "13": trailing})
    wizard = s.Wizard(session, session.start())
    finish(wizard, walk_to_progress(wizard, [55, 80, 105]))
    for folder in (plain, trailing):
        session.assert_installed(folder)


# --- Leaving ---------------------------------------------------------------------------------


def cancel_on_first_page(session):
    wizard = s.Wizard(session, session.start())
    wizard.click(*s.THIRD)
    popup = s.Popup(session, "Exit Installer")
    popup.press(False)
    h.check(wizard.program.running(), "answering Cancel must keep the installer open")
    shot = wizard.take("still-on-page-0")
    h.check(not shot.button_enabled(200) and shot.box_at(55) is None, "the wizard should stay on page 0")
    wizard.click(*s.THIRD)
    s.Popup(session, "Exit Installer").press(True)
    h.check(wizard.exit_code() == 0, "a confirmed Cancel should end with exit code 0")


def cancel_during_run(session):
    hosts = {"12": r"C:\Hosts\CC", "13": r"C:\Hosts\CC2014", "14.0": r"C:\Hosts\CC2017"}
    for folder in hosts.values():
        session.make_folder(folder)
    session.register_hosts(hosts)

    # Declined: the run goes on to its end.
    wizard = s.Wizard(session, session.start())
    wizard.click(*s.NEXT)
    wizard.wait_for_page_one([55, 80, 105])
    wizard.click(*s.NEXT)
    wizard.wait_for(lambda shot: shot.box_at(55) is None and shot.button_enabled(200), "the summary page")
    cancel_look = wizard.shot.region(405, 320, 85, 30)
    wizard.click(*s.NEXT)
    wizard.click(*s.THIRD)
    s.Popup(session, "Exit Installer").press(False)
    finish(wizard, cancel_look)
    for folder in hosts.values():
        session.assert_installed(folder)
        os.remove(session.plugin_file(folder))

    # Confirmed: the process ends with 0 once the worker is done, leaving no half-written file.
    wizard = s.Wizard(session, session.start(label="second-run"))
    wizard.click(*s.NEXT)
    wizard.wait_for_page_one([55, 80, 105])
    wizard.click(*s.NEXT)
    wizard.wait_for(lambda shot: shot.box_at(55) is None and shot.button_enabled(200), "the summary page")
    wizard.click(*s.NEXT)
    wizard.click(*s.THIRD)
    s.Popup(session, "Exit Installer").press(True)
    h.check(wizard.exit_code() == 0, "a confirmed Cancel should end with exit code 0")
    for folder in hosts.values():
        path = session.plugin_file(folder)
        h.check(not os.path.lexists(path + ".partial"), f"a side file was left beside {path}")
        if os.path.exists(path):
            session.assert_installed(folder)


def question_over_question(session):
    """The run fails while the "Exit Installer" question is open: its outcome waits for the answer
    instead of opening a second question over the first."""
    installed = session.make_folder(r"C:\Hosts\CC")
    session.register_hosts({"12": installed, "13": r"C:\Hosts\Missing\CC2014"})  # the second fails with 40
    wizard = s.Wizard(session, session.start())
    cancel_look = walk_to_summary(wizard, [55, 80, 105])
    # Next and the third button in one go: the question opens before the first tick of the run.
    h.xdotool("mousemove", "--sync", *wizard.point(*s.NEXT), "click", "1",
              "mousemove", "--sync", *wizard.point(*s.THIRD), "click", "1")
    question = s.Popup(session, "Exit Installer")
    # The first version is written, and the second fails right after it; then, for many ticks,
    # no second question may come.
    h.wait_until(lambda: os.path.isfile(session.plugin_file(installed)), what="the first version to be written")
    quiet_until = time.monotonic() + 1.5
    while time.monotonic() < quiet_until:
        h.check(session.probe("Failed to install") is None, "the outcome opened a question over the open one")
    question.press(False)
    failed = s.Popup(session, "Failed to install")
    s.assert_popup_text(session, failed, s.retry_question("CC2014", 40), 2)
    failed.press(False)
    finish(wizard, cancel_look)
    h.check(session.probe("Exit Installer") is None, "the first question must be gone")
    session.assert_installed(installed)


# --- Keyboard and assistive technology ---------------------------------------------------------


def keyboard_install(session):
    """A full install with the keyboard alone, as a user without a mouse types it; Escape first asks
    to leave, and Escape answers the question with Cancel."""
    hosts = {"12": r"C:\Hosts\CC", "14.0": r"C:\Hosts\CC2017"}
    for folder in hosts.values():
        session.make_folder(folder)
    custom = session.make_folder(r"C:\Users\Public\Keyboard Plug-ins")
    session.register_hosts(hosts)
    # The pointer stays where it is, over no control: moved to the screen's corner (park_mouse), it
    # left Wine's desktop without the keyboard here.
    wizard = s.Wizard(session, session.start())
    h.key("Escape")
    session.wait_for_window("Exit Installer")
    h.key("Escape")
    session.wait_gone("Exit Installer")
    h.key("Return")  # "Next >", the page's default
    wizard.wait_for_page_one([55, 80, 105])
    h.key("Tab", "space")  # CC
    wizard.wait_for(lambda shot: shot.box_at(55) is False, "CC to be unchecked")
    h.key("Tab", "Tab", "space")  # Custom
    wizard.wait_for(lambda shot: shot.box_at(105) is True and shot.at(193, 50 + 135 + 3) == s.FACE_ENABLED,
                    "Custom to be checked, with its Plugin Path button")
    h.key("Tab", "Return")  # "Plugin Path": the folder dialog
    session.wait_for_window("Custom Folder")
    h.xdotool("type", "--delay", "15", custom)
    h.key("Return")
    session.wait_gone("Custom Folder")
    h.key("Tab", "Tab")  # "< Back", then "Next >", whose border turns dotted in the lighter grey
    wizard.wait_for(lambda shot: any(h.close_to(shot.at(x, 320), (153, 153, 153), 12) for x in range(292, 373)),
                    "the focus look on Next >")
    h.key("space")
    wizard.wait_for(lambda shot: shot.box_at(55) is None and shot.button_enabled(200), "the summary page")
    h.key("Return")  # the default again: the run
    session.wait_for_tree(s.WIZARD_TITLE, s.finished_tree(s.installed_lines(["CC2017", "Custom"])),
                          "the run to finish")
    h.key("Return")  # "Finish", which took the focus when "Next >" went off
    h.check(wizard.exit_code() == 0, "Finish did not end the installer with exit code 0")
    session.assert_installed(hosts["14.0"])
    session.assert_installed(custom)
    session.assert_not_installed(hosts["12"])


def accessibility_tree(session):
    """A UI Automation client in another process reads the wizard on every page, and the question,
    through Wine's node API: names, control types, enabled, focus and check states, and the tree
    as it is after each page change."""
    hosts = {"12": r"C:\Hosts\CC", "14.0": r"C:\Hosts\CC2017"}
    for folder in hosts.values():
        session.make_folder(folder)
    session.register_hosts(hosts)
    wizard = s.Wizard(session, session.start())
    session.wait_for_tree(s.WIZARD_TITLE, s.page_tree([f'text "{s.INTRO}"'], back=" disabled"), "the introduction")

    wizard.click(*s.THIRD)
    question = s.Popup(session, "Exit Installer")
    session.wait_for_tree("Exit Installer", ['window "Exit Installer"', f'  text "{s.EXIT_QUESTION}"',
                                             '  button "OK" focused', '  button "Cancel"'], "the question")
    question.press(False)

    versions = [f'text "{s.VERSION_HEADING}"', 'check box "CC" checked', 'check box "CC2017" checked']
    wizard.click(*s.NEXT)
    session.wait_for_tree(s.WIZARD_TITLE, s.page_tree(versions + ['check box "Custom" unchecked'], next=" focused"),
                          "the versions page")
    wizard.click(*box(105))
    session.wait_for_tree(s.WIZARD_TITLE, s.page_tree(versions + ['check box "Custom" focused checked',
                                                                  f'button "Plugin Path" help "{s.PLUGIN_PATH_HELP}"']),
                          "the versions page with Custom")
    wizard.click(*box(105))
    wizard.click(*s.NEXT)
    summary = s.summary_text([("CC", hosts["12"]), ("CC2017", hosts["14.0"])])
    session.wait_for_tree(s.WIZARD_TITLE, s.page_tree([f'text "{s.SUMMARY_INTRO}"', 'pane ""', '  scroll bar ""',
                                                       '    button "Scroll up"', '    button "Scroll down"',
                                                       f'  text "{summary}"'], next=" focused"), "the summary")
    wizard.click(*s.NEXT)
    session.wait_for_tree(s.WIZARD_TITLE, s.finished_tree(s.installed_lines(["CC", "CC2017"])), "the finished run")
    wizard.click(*s.THIRD)
    h.check(wizard.exit_code() == 0, "Finish did not end the installer with exit code 0")


def uia_patterns(session):
    """Invoke, Toggle and Scroll through the providers, from another thread of the wizard's own
    process (uia_patterns.cpp): Wine's client cannot call patterns. Enough versions for a summary
    that scrolls."""
    hosts = {"10.0": r"C:\Hosts\CS5", "10.5": r"C:\Hosts\CS55", "11": r"C:\Hosts\CS6", "12": r"C:\Hosts\CC",
             "13": r"C:\Hosts\CC2014", "13.5": r"C:\Hosts\CC2015", "13.8": r"C:\Hosts\CC2015.3",
             "14.0": r"C:\Hosts\CC2017"}
    for folder in hosts.values():
        session.make_folder(folder)
    session.register_hosts(hosts)
    program = session.start(args=(), exe=os.environ["UIA_PATTERNS_EXE"], label="uia-patterns")
    h.check(program.wait(timeout=300) == 0, "the pattern checks failed:\n" + program.output())
    for folder in hosts.values():
        session.assert_installed(folder)


# --- Start-up --------------------------------------------------------------------------------


def processes_of(exe):
    """Argument lists of the running processes of the executable at the Unix path `exe`, whether
    Wine started them from that path or Windows from its Z: drive path."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as source:
                words = [w.decode(errors="replace") for w in source.read().split(b"\0") if w]
        except OSError:
            continue
        if not words:
            continue
        program = words[0]
        if program[:2].upper() == "Z:":
            program = program[2:].replace("\\", "/")
        if os.path.abspath(program) == os.path.abspath(exe):
            found.append(words)
    return found


def elevation_relaunch(session):
    # Without the marker: a second copy starts with exactly "/UAC", the first ends with 0 at once.
    first = session.start(args=())
    h.check(first.wait(timeout=60) == 0, "the unelevated start should end with exit code 0")
    wizard = s.Wizard(session, None)
    copies = processes_of(session.exe)
    h.check(len(copies) == 1 and copies[0][1:] == ["/UAC"], f"expected one copy started with /UAC, found {copies}")
    wizard.click(*s.THIRD)
    s.Popup(session, "Exit Installer").press(True)
    h.wait_until(lambda: not processes_of(session.exe), what="the elevated copy to end")

    # The marker anywhere in the line, even inside another argument, runs the wizard in place.
    program = session.start(args=("--x/UACy",), label="inline-marker")
    wizard = s.Wizard(session, program)
    h.check(len(processes_of(session.exe)) == 1, "the wizard should run in the started process")
    wizard.click(*s.THIRD)
    s.Popup(session, "Exit Installer").press(True)
    h.check(wizard.exit_code() == 0, "the wizard should end with exit code 0")

    # A path longer than the 260 characters of the first buffer is read whole, never cut short;
    # Wine then refuses to start it: exit code 1, and no wizard.
    deep = os.path.join(session.artifacts, "d" * 120, "e" * 120)
    os.makedirs(deep)
    long_exe = os.path.join(deep, "lcinstaller-win.exe")
    shutil.copy(session.exe, long_exe)
    h.check(len(h.unix_to_wine_path(long_exe)) > 260, "the test path is not long enough")
    failed = session.start(args=(), exe=long_exe, label="long-path")
    h.check(failed.wait(timeout=60) == 1, "a relaunch that cannot start should end with exit code 1")
    h.check(session.probe(s.WIZARD_TITLE) is None, "no wizard should appear")
    long_rules = os.path.join(deep, "path_rules.exe")
    shutil.copy(os.environ["PATH_RULES_EXE"], long_rules)
    rules = session.start(exe=long_rules, args=(), label="long-path-rules")
    h.check(rules.wait(timeout=60) == 0, "path_rules failed")
    read = rules.output().splitlines()[0]
    h.check(read.lower() == h.unix_to_wine_path(long_rules).lower(), f"the program's path was read as {read}")


def planted_dlls(session):
    # Only KnownDLLs are imported at start; everything else is delay-loaded.
    known = {"advapi32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
             "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "shcore.dll", "combase.dll", "rpcrt4.dll"}
    dump = objdump("-p", session.exe)
    imported = {line.split(":", 1)[1].strip().lower() for line in dump.splitlines() if "DLL Name:" in line}
    h.check(imported and imported <= known, f"imports beyond the KnownDLLs: {sorted(imported - known)}")

    planted = os.environ["PLANTED_DLL_DIR"]
    for name in ("d2d1.dll", "dwrite.dll"):
        shutil.copy(os.path.join(planted, name), os.path.join(session.downloads, name))
    os.environ["WINEDLLOVERRIDES"] = os.environ.get("WINEDLLOVERRIDES", "") + ";d2d1,dwrite=n,b"

    def markers():
        # Named after the module as the loader spelled it, so any case.
        return [name for name in os.listdir(session.downloads) if name.lower().endswith(".dll.ran")]

    # Control: a toolkit program without the protection does load a DLL planted beside it.
    control = os.path.join(session.downloads, "popup_reference.exe")
    shutil.copy(os.environ["POPUP_REFERENCE_EXE"], control)
    session.start(["Control", "Z:\\nonexistent", "0"], exe=control, label="control").wait(timeout=60)
    h.check(markers(), "the planted DLL was not loaded even without protection")
    for marker in markers():
        os.remove(os.path.join(session.downloads, marker))

    # The installer, both starts: its text is drawn, so the real DirectWrite and Direct2D are used.
    first = session.start(args=())
    h.check(first.wait(timeout=60) == 0, "the unelevated start should end with exit code 0")
    wizard = s.Wizard(session, None)
    wizard.take("wizard-with-planted-dlls")
    wizard.click(*s.THIRD)
    s.Popup(session, "Exit Installer").press(True)
    session.wait_gone(s.WIZARD_TITLE)
    h.check(not markers(), f"DLLs planted beside the installer were loaded: {markers()}")


def fatal_errors(session):
    """A part of Windows that the wizard cannot work without fails, at start-up (a Direct2D that
    refuses its factory, planted in this prefix's system folder, or no Direct2D at all) or after a
    lost graphics device: a plain system message box says why, and closing it ends the program
    with exit code 1."""
    shutil.copy(os.path.join(os.environ["PLANTED_DLL_DIR"], "d2d1.dll"),
                session.c_path("C:\\windows\\system32\\d2d1.dll"))
    overrides = os.environ.get("WINEDLLOVERRIDES", "")
    cases = [
        ("refused-factory", "d2d1=n", session.exe, "unable to create a d2d resource factory"),
        ("missing-dll", "d2d1=d", session.exe, "d2d1.dll could not be loaded"),
        ("lost-device", "", os.environ["LOST_DEVICE_PROBE_EXE"], "unable to create a d2d render target"),
    ]
    for label, override, exe, reason in cases:
        os.environ["WINEDLLOVERRIDES"] = f"{overrides};{override}"
        program = session.start(exe=exe, label=label)
        session.wait_for_window(s.WIZARD_TITLE)
        texts = session.texts(s.WIZARD_TITLE)
        h.check(texts is not None and f"The installer cannot continue: {reason}." in texts and "OK" in texts,
                f"{label}: the message box reads {texts}")
        h.screenshot(os.path.join(session.artifacts, f"{label}.png"))
        h.check(session.probe("Lost device probe") is None, f"{label}: a toolkit window is still shown")
        h.key("Return")
        h.check(program.wait(timeout=60) == 1, f"{label}: the program should end with exit code 1")
    os.environ["WINEDLLOVERRIDES"] = overrides


def every_text_fits(session):
    """Each text of each page and question fits the room it is drawn in, measured by DirectWrite
    with the prefix's fonts (wizard_texts.exe walks the wizard's texts)."""
    walk = session.start(args=(), exe=os.environ["WIZARD_TEXTS_EXE"], label="wizard-texts")
    code = walk.wait(timeout=120)
    print(walk.output())
    h.check(code == 0, "texts of the wizard are cut off (marked \"cut\" above)")


def objdump(*args):
    return subprocess.run([os.environ["OBJDUMP"], *args], check=True, capture_output=True, text=True).stdout


def resource_table(exe):
    """{type: {identifier: (address, size)}} from objdump's listing of the resource directory, whose
    levels (type, identifier, language) are told apart by how far each entry is indented."""
    dump = objdump("-p", exe)
    listing = dump[dump.index("The .rsrc Resource Directory section"):].splitlines()
    entry_pattern = re.compile(r"^\w+( +)Entry: ID: 0x(\w+)")
    indents = sorted({len(m.group(1)) for m in map(entry_pattern.match, listing) if m})
    table = {}
    kind = identifier = None
    for line in listing:
        entry = entry_pattern.match(line)
        leaf = re.search(r"Leaf: Addr: 0x(\w+), Size: 0x(\w+)", line)
        if entry:
            level = indents.index(len(entry.group(1)))
            if level == 0:
                kind = int(entry.group(2), 16)
                table[kind] = {}
            elif level == 1:
                identifier = int(entry.group(2), 16)
        elif leaf and kind is not None:
            table[kind][identifier] = (int(leaf.group(1), 16), int(leaf.group(2), 16))
    return table


def resource_in_file(exe, kind, identifier):
    """(file offset, size) of a resource's data: its address is relative to the image base, and the
    resource section's header says where in the file the section's addresses start."""
    address, size = resource_table(exe)[kind][identifier]
    image_base = int(re.search(r"^ImageBase\s+(\w+)", objdump("-p", exe), re.M).group(1), 16)
    section = re.search(r"\.rsrc\s+\w+\s+(\w+)\s+\w+\s+(\w+)", objdump("-h", exe))
    return address + image_base - int(section.group(1), 16) + int(section.group(2), 16), size


def program_resources():
    """The program carries its payload as RCDATA 400 and nothing as 300, and its manifest, which
    declares per-monitor DPI awareness (version 2, and the first version where 2 is unknown); it is
    stripped and small."""
    exe = os.environ["LCINSTALLER_EXE"]
    table = resource_table(exe)
    with open(os.environ["GLAIVE_PAYLOAD"], "rb") as payload:
        size = len(payload.read())
    rcdata = {identifier: size for identifier, (_, size) in table.get(10, {}).items()}
    h.check(rcdata == {400: size}, f"RCDATA should hold exactly the payload as 400, found {rcdata}")
    h.check(1 in table.get(24, {}), "no application manifest")
    with open(exe, "rb") as image:
        content = image.read()
    symbols = objdump("-t", exe)
    h.check("no symbols" in symbols, "the program carries a symbol table")
    # About 535 000 with the unattended runs' start-up code (about 29 000) and the UI Automation
    # providers (about 60 000).
    h.check(len(content) - size <= 560_000, f"the program is {len(content) - size} bytes beside its payload, "
                                            "more than 560 000")
    for needle in (b'level="asInvoker" uiAccess="false"', b">true/pm</dpiAware>",
                   b">PerMonitorV2, PerMonitor</dpiAwareness>"):
        h.check(needle in content, f"the manifest lacks {needle.decode()}")


SCENARIOS = {f.__name__: f for f in (
    no_host_key, three_versions, ignored_subkeys, odd_values, full_install_with_custom_folder, non_ascii_path,
    vanished_custom_folder, plugin_in_use, disk_full, short_write, damaged_payload, long_vendor_folder,
    cancel_on_first_page, cancel_during_run, question_over_question, keyboard_install, accessibility_tree, uia_patterns,
    elevation_relaunch, planted_dlls, fatal_errors, every_text_fits)}

if __name__ == "__main__":
    if sys.argv[1] == "program_resources":
        h.run_test(program_resources)
    else:
        s.run(SCENARIOS[sys.argv[1]])
