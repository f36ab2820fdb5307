"""Running lcinstaller-mac on GNUstep under Xvfb, in a private mount namespace, and working its
wizard, the Authenticate prompt and the open panel with X input.

Run inside scripts/gnustep/run_gnustep_test.sh (DISPLAY) and scripts/gnustep/private_mounts.sh
(/Applications and /Library are private tmpfs folders). The wizard's geometry, in points of its
client area, is that of the Wine tests (tests/installer_wine/installer_support.py).
"""
import os
import plistlib
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "scripts"))

import x11_harness as h  # noqa: E402

WIZARD_TITLE = "Glaive for After Effects Installer"
AGENT_TITLE = "Authenticate"
PANEL_TITLE = "Custom Folder"
PRODUCT = "Glaive for After Effects"

# GNUstep draws the title bar itself: a 1-point frame, then 23 points of title bar.
FRAME = 1
TITLE_BAR = 23

ROOT = (45, 45, 45)
BAR = (70, 70, 70)
FACE_ENABLED = (54, 54, 54)
FACE_DISABLED = (40, 40, 40)
HOVER_BORDER = (153, 153, 153)
BOX_CHECKED = (214, 215, 216)  # the tick, under the pointer or not
SUMMARY_BACK = (30, 30, 30)
POPUP_BACK = (59, 59, 65)


def box(y):
    """Where to click a version check box whose row starts at page y."""
    return 197, 50 + y + 12


def plugin_path_button(boxes):
    return 235, 50 + 60 + 25 * boxes + 7


BACK = (242, 335)
NEXT = (332, 335)
THIRD = (447, 335)
# The third button inside its border, which the focus look lightens: where "Cancel" becomes "Finish".
THIRD_CAPTION = (408, 323, 79, 24)

PREFERENCES = "/Library/Preferences/com.Adobe.After Effects.paths.plist"
APP_SUPPORT = "/Library/ApplicationSupport/Lumacraft"

CREATE_HINTS = (").\n - Make sure that After Effects is closed\n - Make sure you have enough disk space.\n"
                " - Make sure you have administrative privileges.")
EXIT_QUESTION = f"Are you sure you want to cancel {PRODUCT} installation?"


def retry_question(version, reason):
    return (f"The installation of {PRODUCT} {version} failed!\n\n{reason}"
            "\n\nPlease contact support if you continue to have trouble.\n\nDo you want to retry?")


DENIED = "Authorization request was denied (Error code: 400)."
COPY_FAILED = "Could not create the plugin file (Error code: 401" + CREATE_HINTS
CORRUPT = "Could not load the plugin file from the installer (Error code: 30).\n - The installer file may be corrupt."

_started = []


# --- Fixtures ---------------------------------------------------------------------------------


def host_application(folder, version, signature="FXTC", claims_documents=True):
    """An application bundle in the Mac layout, /Applications/<folder>/<folder>.app, and the
    Plug-ins folder beside it; returns that folder. signature None leaves the key out."""
    base = os.path.join("/Applications", folder)
    info = {"CFBundleVersion": version, "CFBundleName": folder}
    if signature is not None:
        info["CFBundleSignature"] = signature
    if claims_documents:
        info["CFBundleDocumentTypes"] = [{"CFBundleTypeExtensions": ["aep"], "CFBundleTypeRole": "Editor"}]
    contents = os.path.join(base, folder + ".app", "Contents")
    os.makedirs(contents)
    with open(os.path.join(contents, "Info.plist"), "wb") as out:
        plistlib.dump(info, out)
    plugins = os.path.join(base, "Plug-ins")
    os.makedirs(plugins)
    return plugins


def host_preferences(entries):
    """The host's preference file: {key: PluginInstallPath}."""
    with open(PREFERENCES, "wb") as out:
        plistlib.dump({key: {"PluginInstallPath": path} for key, path in entries.items()}, out)


def installed_bundle(folder):
    return os.path.join(folder, "Lumacraft", "Glaive.plugin")


def payload_bundle():
    return os.path.join(os.environ["LCINSTALLER_MAC_APP"], "Contents", "Resources", "Glaive.plugin")


def tree(path):
    """Every entry below `path`: relative path -> (kind, content or link target, permission bits)."""
    entries = {}
    for folder, folders, files in os.walk(path):
        for name in folders + files:
            full = os.path.join(folder, name)
            mode = os.lstat(full).st_mode & 0o7777
            if os.path.islink(full):
                entries[os.path.relpath(full, path)] = ("link", os.readlink(full), mode)
            elif os.path.isdir(full):
                entries[os.path.relpath(full, path)] = ("folder", None, mode)
            else:
                with open(full, "rb") as content:
                    entries[os.path.relpath(full, path)] = ("file", content.read(), mode)
    return entries


def assert_installed(folder):
    """The main payload, byte for byte, with every entry opened to the group."""
    bundle = installed_bundle(folder)
    h.check(os.path.isdir(bundle), f"no bundle at {bundle}")
    installed = tree(bundle)
    expected = tree(payload_bundle())
    differing = sorted(k for k in installed.keys() | expected.keys() if installed.get(k, ())[:2] != expected.get(k, ())[:2])
    h.check(not differing, f"{bundle} differs from the payload in {differing}")
    h.check(all(v[2] == 0o775 for v in installed.values()), f"{bundle} is not rwxrwxr-x throughout")
    assert_no_side_bundles(folder)


def assert_not_installed(folder):
    h.check(not os.path.lexists(os.path.join(folder, "Lumacraft")), f"unexpected vendor folder in {folder}")


def assert_no_side_bundles(folder, expected=()):
    """Nothing but the bundle and the `expected` names in the vendor folder of `folder`."""
    vendor = os.path.join(folder, "Lumacraft")
    left = [name for name in os.listdir(vendor) if name != "Glaive.plugin"] if os.path.isdir(vendor) else []
    h.check(sorted(left) == sorted(expected), f"left beside the bundle in {vendor}: {left}")


# --- Windows on the screen ----------------------------------------------------------------------

# A button held for a moment. GNUstep may handle the press of a quick click after its release; the
# click then goes nowhere (measured: about half the quick clicks right after a page change), while
# every held click arrives.
HOLD = 0.1


def move_to(x, y):
    # A synchronous move to where the pointer already is would wait for motion that never comes.
    here = h.xdotool("getmouselocation", "--shell").split()
    if f"X={x}" not in here or f"Y={y}" not in here:
        h.move_mouse(x, y)


def click_at(x, y):
    move_to(x, y)
    h.xdotool("mousedown", 1)
    time.sleep(HOLD)
    h.xdotool("mouseup", 1)


def command_key(key):
    """Presses a key with Command, which GNUstep puts on the left Alt key."""
    h.key(f"alt+{key}")


def window_ids(title):
    """The mapped X windows titled `title`. GNUstep keeps the X windows of closed panels, unmapped."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], capture_output=True,
                           text=True, timeout=h.DEFAULT_TIMEOUT)
    return found.stdout.split()


def client_rect(title):
    """Client rectangle (x, y, width, height) of a mapped window, or None."""
    for window in window_ids(title):
        try:
            x, y, w, hgt = h.window_geometry(window)
        except subprocess.CalledProcessError:
            continue  # gone meanwhile
        if w > 2 * FRAME and hgt > TITLE_BAR + FRAME:
            return x + FRAME, y + FRAME + TITLE_BAR, w - 2 * FRAME, hgt - 2 * FRAME - TITLE_BAR + 1
    return None


def wait_for_window(title, timeout=60):
    return h.wait_until(lambda: client_rect(title), timeout=timeout, interval=0.2, what=f'the window "{title}"')


def wait_for_keyboard(title):
    """Waits until the window titled `title` has the keyboard, as a click into it gives it."""
    h.wait_until(lambda: h.xdotool("getwindowfocus").strip() in window_ids(title),
                 what=f'the window "{title}" to take the keyboard')


def wait_gone(title, timeout=30):
    h.wait_until(lambda: client_rect(title) is None, timeout=timeout, interval=0.2,
                 what=f'the window "{title}" to close')


class Window(h.ShotWaiter):
    """A window found by its title, read and clicked in its client coordinates."""

    def __init__(self, run, title):
        self.run = run
        self.title = title
        self.rect = wait_for_window(title)

    def point(self, x, y):
        return self.rect[0] + x, self.rect[1] + y

    def click(self, x, y):
        click_at(*self.point(x, y))

    def take(self, label=None):
        self.shot = h.ClientShot(self.run.screenshot(label), self.rect)
        return self.shot

    def close_button(self):
        """Clicks the close button at the right end of the title bar GNUstep draws."""
        click_at(self.rect[0] + self.rect[2] - 11, self.rect[1] - TITLE_BAR // 2 - 1)


class Wizard(Window):
    def __init__(self, run):
        super().__init__(run, WIZARD_TITLE)
        h.check(self.rect[2:] == (500, 360), f"the wizard's client area is {self.rect[2]} x {self.rect[3]}")
        self.wait_for(lambda s: s.at(170, 315) == BAR and s.at(5, 315) == BAR, "the wizard to be painted")
        self.take_focus()

    def take_focus(self):
        """A first click on a bare point of the button bar. Input reaches a window only after a
        click into it (there is no window manager), and GNUstep may deliver that first click's
        press after its release; the hover look of "Next >" then shows that input arrives."""
        self.click(60, 335)
        move_to(*self.point(*NEXT))
        self.wait_for(lambda s: s.at(290, 335) == HOVER_BORDER, "the hover look of Next")

    def park_mouse(self):
        move_to(1, 1)

    def boxes(self, rows):
        """For each row y of the version page: True (checked), False (unchecked) or None (no box)."""
        return [None if self.shot.at(191, 50 + y + 6) == ROOT else
                h.close_to(self.shot.at(198, 50 + y + 11), BOX_CHECKED, 30) for y in rows]

    def to_version_page(self, first_row=55):
        self.click(*NEXT)
        return self.wait_for(lambda shot: self.boxes([first_row]) != [None] and self.face(200), "the host version page")

    def to_progress(self, pictures=None):
        """From the version page: the summary, then the progress page, which starts the run.
        Returns how the third button looks while it reads "Cancel"."""
        self.click(*NEXT)
        # The summary's text, light on the dark panel, is there too.
        self.wait_for(lambda shot: shot.at(191, 50 + 55 + 6) == SUMMARY_BACK and self.face(200) and
                      shot.shot.count(lambda p: p[0] > 120, (self.rect[0] + 180, self.rect[1] + 120,
                                                             self.rect[0] + 460, self.rect[1] + 140)) > 0,
                      "the summary page with its text")
        look = self.shot.region(*THIRD_CAPTION)
        if pictures:
            pictures("page-2-summary")
        self.click(*NEXT)
        self.wait_for(lambda shot: not self.face(200) and not self.face(290), "the progress page")
        return look

    def wait_finished(self, cancel_look, timeout=60):
        self.park_mouse()
        return self.wait_for(lambda shot: shot.region(*THIRD_CAPTION) != cancel_look and
                             shot.at(408, 323) == FACE_ENABLED, "the third button to read Finish", timeout=timeout)

    def finish(self):
        self.click(*THIRD)
        h.check(self.run.exit_code() == 0, "Finish did not end the installer with exit code 0")

    def face(self, x):
        """True for an enabled bar button whose left edge is at x (200, 290 or 405), False for a
        disabled one."""
        face = self.shot.at(x + 3, 323)
        h.check(face in (FACE_ENABLED, FACE_DISABLED), f"no bar button at x {x}: {face}")
        return face == FACE_ENABLED


# --- The program ------------------------------------------------------------------------------


class Run:
    """One run of lcinstaller-mac, with GNUstep's own title bars (there is no window manager)."""

    def __init__(self, name, cwd=None, exe=None):
        """Starts the installer, or `exe`, a program of the tests that runs its wizard."""
        self.artifacts = os.path.join(os.environ.get("INSTALLER_TEST_ARTIFACTS", "."), name)
        shutil.rmtree(self.artifacts, ignore_errors=True)
        os.makedirs(self.artifacts)
        self.shots = 0
        self._output_path = os.path.join(self.artifacts, "output.txt")
        self._output = open(self._output_path, "w")
        exe = exe or os.path.join(os.environ["LCINSTALLER_MAC_APP"], "lcinstaller-mac")
        self.process = subprocess.Popen([exe, "-GSBackHandlesWindowDecorations", "NO"], cwd=cwd or "/",
                                        stdout=self._output, stderr=subprocess.STDOUT)
        _started.append(self.process)

    def output(self):
        with open(self._output_path, encoding="utf-8", errors="replace") as source:
            return source.read()

    def screenshot(self, label=None):
        self.shots += 1
        return h.screenshot(os.path.join(self.artifacts, f"{label or f'screen-{self.shots:02d}'}.png"))

    def exit_code(self, timeout=60):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise h.TestFailure(f"the installer did not end within {timeout} s") from None


def run(scenario):
    """Runs one scenario; no program it started outlives it."""
    try:
        h.run_test(lambda: scenario(scenario.__name__))
    finally:
        for process in _started:
            if process.poll() is None:
                process.kill()
                process.wait()


# --- The other windows ----------------------------------------------------------------------------


class Agent(Window):
    """The Authenticate prompt: "OK" at the bottom right of its 360 x 110 window."""

    OK = (295, 81)

    def __init__(self, run):
        super().__init__(run, AGENT_TITLE)
        self.wait_for(lambda shot: shot.at(5, 5) != (0, 0, 0), "the prompt to be painted")

    def answer(self, how, label="prompt"):
        """"OK" clicks that button; a key name presses that key. Keys reach the prompt once a click
        into it has made it the key window."""
        self.take(label)
        if how == "OK":
            self.click(*self.OK)
        else:
            self.click(10, 10)
            wait_for_keyboard(AGENT_TITLE)
            h.key(how)
        wait_gone(AGENT_TITLE)


class Popup(Window):
    """A message popup of the toolkit: its answer buttons at the bottom right."""

    def grab(self, label):
        shot = self.wait_for(lambda s: s.at(2, 2) == POPUP_BACK, f'the popup "{self.title}" to be painted')
        self.run.screenshot(label)
        return shot.region(0, 0, self.rect[2], self.rect[3])

    def press(self, first):
        w, hgt = self.rect[2:]
        self.click(w - 230 + 50 if first else w - 120 + 50, hgt - 50 + 15)
        wait_gone(self.title)


REFERENCE_TITLE = "Expected popup"


def assert_popup_text(run, popup, text, buttons):
    """Compares the popup with the toolkit's popup showing `text`: same size, same pixels."""
    move_to(1, 1)
    shown = popup.grab(f"{popup.title.replace(' ', '-').lower()}-shown")
    text_file = os.path.join(run.artifacts, "expected-text.txt")
    with open(text_file, "w", encoding="utf-8", newline="") as out:
        out.write(text)
    reference = subprocess.Popen([os.environ["POPUP_REFERENCE_BIN"], "-GSBackHandlesWindowDecorations", "NO", "--",
                                  REFERENCE_TITLE, text_file, str(buttons)],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _started.append(reference)
    expected = Popup(run, REFERENCE_TITLE)
    h.check(expected.rect[2:] == popup.rect[2:],
            f"the popup is {popup.rect[2]} x {popup.rect[3]}, the expected text needs {expected.rect[2]} x {expected.rect[3]}")
    wanted = expected.grab("expected-popup")
    differing = sum(1 for a, b in zip(shown, wanted) if not h.close_to(a, b, 8))
    expected.press(True)
    reference.wait(timeout=30)
    h.check(differing == 0, f"the popup's text differs from the expected text in {differing} pixels")
