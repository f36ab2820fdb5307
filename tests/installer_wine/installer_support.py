"""Running lcinstaller-win under Wine in a fresh prefix and working its wizard with X input.

Geometry of the wizard, in DIPs of its client area (one pixel each at 96 DPI):
  window 500 x 360; page area at (170, 50); button bar below y 310;
  "< Back" (200, 320), "Next >" (290, 320), third button (405, 320), each 85 x 30;
  version check boxes at (190, 50 + y), y = 55, 80, ...; their 14 x 14 box 5 below that;
  "Plugin Path" button at (190, 50 + 60 + 25 n), 90 x 15, with n the number of boxes.
"""
import os
import resource
import shutil
import signal
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine"))

import wine_harness as h  # noqa: E402

WIZARD_TITLE = "Glaive for After Effects Installer"
ROOT = (45, 45, 45)
BAR = (70, 70, 70)
FACE_ENABLED = (54, 54, 54)
FACE_DISABLED = (40, 40, 40)
BOX_INSIDE = (23, 24, 26)
TICK = (240, 241, 242)
BOX_EMPTY = (28, 29, 30)

POPUP_BACK = (59, 59, 65)
REFERENCE_TITLE = "Expected popup"

BACK = (242, 335)
NEXT = (332, 335)
THIRD = (447, 335)

HOSTS_KEY = r"HKEY_LOCAL_MACHINE\SOFTWARE\Adobe\After Effects"
PRODUCT = "Glaive for After Effects"
CREATE_HINTS = (").\n - Make sure that After Effects is closed\n - Make sure you have enough disk space.\n"
                " - Make sure you have administrative privileges.")


CORRUPT_HINT = ").\n - The installer file may be corrupt."


def retry_question(version, code):
    """The retry question for a plug-in that could not be created or written, or, with code 30, for
    a payload that could not be loaded."""
    reason = (f"Could not load the plugin file from the installer (Error code: {code}{CORRUPT_HINT}" if code == 30
              else f"Could not create the plugin file (Error code: {code}{CREATE_HINTS}")
    return (f"The installation of {PRODUCT} {version} failed!\n\n{reason}"
            "\n\nPlease contact support if you continue to have trouble.\n\nDo you want to retry?")


EXIT_QUESTION = f"Are you sure you want to cancel {PRODUCT} installation?"

# The wizard's texts as a UI Automation client reads them (uia_client.cpp writes line breaks as \n).
INTRO = (r"This will install Glaive 1.0.39 on your computer.\n\nIt is recommended that you close all other "
         r"applications before continuing.\n\nClick Next to continue, or Cancel to exit the installer.")
VERSION_HEADING = "Select which versions of Adobe After Effects you want to install Glaive on:"
SUMMARY_INTRO = r"Click Next to continue with the installation, or click Back if you want to review or change any settings.\n"
PLUGIN_PATH_HELP = "Chooses the folder to install into for Custom."


def page_tree(lines, back="", next="", third='"Cancel"'):
    """The wizard's tree: the window, its title, a page's elements (indented one level by this), then
    the button bar, each button's states after its name."""
    return ([f'window "{WIZARD_TITLE}"', f'  text "{WIZARD_TITLE}"'] + ["  " + line for line in lines] +
            [f'  button "< Back"{back}', f'  button "Next >"{next}', f"  button {third}"])


def summary_text(versions):
    """The summary of (version, folder) pairs, as one line."""
    return r"Installing Glaive on:\n\n" + "".join(rf"{name}:\n[Plugin] {folder}\Lumacraft\n\n" for name, folder in versions)


def installed_lines(versions):
    return "".join(rf"{PRODUCT} {name} installed.\n" for name in versions)


def finished_tree(installed):
    """The progress page after a successful run; the focus is on "Finish" since "Next >" went off."""
    return page_tree([f'text "{PRODUCT} was successfully installed."',
                      rf'text "{installed}\n\n\nClick Finish to close the installer."'],
                     back=" disabled", next=" disabled", third='"Finish" focused')


class Session:
    """A fresh copy of the test prefix with the installer in a download folder of its own.

    The prefix that run_wine_test.sh prepared stays untouched: every session works on a copy,
    so no registry entry or file of one test reaches another."""

    def __init__(self, name, artifacts_root=None, fresh_prefix=True):
        base = os.environ["WINEPREFIX"]
        root = artifacts_root or os.environ.get("INSTALLER_TEST_ARTIFACTS", ".")
        self.artifacts = os.path.join(root, name)
        self._remove_tree(self.artifacts)
        os.makedirs(self.artifacts)
        self.fresh_prefix = fresh_prefix
        if fresh_prefix:
            self.prefix = os.path.join(self.artifacts, "prefix")
            shutil.copytree(base, self.prefix, symlinks=True)
            os.environ["WINEPREFIX"] = self.prefix
        else:
            self.prefix = base
        self.drive_c = os.path.join(self.prefix, "drive_c")
        self.downloads = os.path.join(self.artifacts, "downloads")
        os.makedirs(self.downloads)
        self.exe = os.path.join(self.downloads, "lcinstaller-win.exe")
        shutil.copy(os.environ["LCINSTALLER_EXE"], self.exe)
        self.desktop = None
        self.shots = 0

    # --- Files and registry ----------------------------------------------------------------

    @property
    def payload(self):
        """The plug-in module that the installer carries."""
        with open(os.environ["GLAIVE_PAYLOAD"], "rb") as payload:
            return payload.read()

    def c_path(self, windows_path):
        """The Unix path of a C:\\ path inside the prefix."""
        assert windows_path[:3].upper() == "C:\\", windows_path
        return os.path.join(self.drive_c, *windows_path[3:].split("\\"))

    def make_folder(self, windows_path):
        os.makedirs(self.c_path(windows_path), exist_ok=True)
        return windows_path

    def plugin_file(self, folder):
        """Unix path of the installed plug-in for a host folder given as a C:\\ path."""
        return os.path.join(self.c_path(folder.rstrip("\\")), "Lumacraft", "Glaive.aex")

    def assert_installed(self, folder):
        path = self.plugin_file(folder)
        h.check(os.path.isfile(path), f"no plug-in at {path}")
        with open(path, "rb") as installed:
            h.check(installed.read() == self.payload, f"{path} differs from the payload")
        h.check(not os.path.lexists(path + ".partial"), f"a side file was left beside {path}")

    def assert_not_installed(self, folder):
        path = self.plugin_file(folder)
        h.check(not os.path.exists(path), f"unexpected plug-in at {path}")

    def app_data_folder(self):
        return os.path.join(self.drive_c, "ProgramData", "Lumacraft")

    def register_hosts(self, hosts):
        """hosts: {subkey: PluginInstallPath value}; a .reg file in UTF-16, so any text fits."""
        lines = ["Windows Registry Editor Version 5.00", ""]
        for subkey, value in hosts.items():
            escaped = value.replace("\\", "\\\\").replace('"', '\\"')
            lines += [f"[{HOSTS_KEY}\\{subkey}]", f'"PluginInstallPath"="{escaped}"', ""]
        reg = os.path.join(self.artifacts, "hosts.reg")
        with open(reg, "w", encoding="utf-16") as out:
            out.write("\r\n".join(lines) + "\r\n")
        subprocess.run([os.environ["WINE_BIN"], "regedit", "/S", h.unix_to_wine_path(reg)], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)

    # --- Programs --------------------------------------------------------------------------

    def start(self, args=("/UAC",), exe=None, label="installer"):
        return h.WineProgram(exe or self.exe, list(args), os.path.join(self.artifacts, f"{label}-output.txt"))

    def keep_server_running(self):
        """Starts the prefix's wineserver now, to stay until stop()."""
        subprocess.run([shutil.which("wineserver"), "-p"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       check=True, timeout=60)

    def start_with_file_size_limit(self, limit, args=("/UAC",)):
        """The installer with a file size limit: a write past it stores what fits, then fails.
        Call keep_server_running() before any Wine program, so that only the installer's own
        writes meet the limit, not the wineserver's."""
        def limited():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
        output = open(os.path.join(self.artifacts, "installer-output.txt"), "w")
        return LimitedProgram(subprocess.Popen([os.environ["WINE_BIN"], self.exe, *args], stdout=output,
                                               stderr=subprocess.STDOUT, preexec_fn=limited), output)

    def probe(self, title):
        """Client rectangle (x, y, width, height) of a visible window in X screen pixels, or None."""
        # Output through a file, not a pipe: a Wine process may start the prefix's wineserver,
        # which would keep a pipe open long after the probe has ended.
        output = os.path.join(self.artifacts, "probe-output.txt")
        with open(output, "w") as sink:
            returncode = subprocess.run([os.environ["WINE_BIN"], os.environ["WINDOW_PROBE_EXE"], title],
                                        stdout=sink, stderr=subprocess.DEVNULL, timeout=60).returncode
        with open(output) as source:
            fields = source.read().split()
        if returncode != 0 or len(fields) != 4:
            return None
        if self.desktop is None:
            self.desktop = h.wait_for_desktop()
        x, y, w, hgt = map(int, fields)
        return (x + self.desktop[0], y + self.desktop[1], w, hgt)

    def texts(self, title):
        """The texts of a visible window's controls (a message box's text and buttons), or None."""
        output = os.path.join(self.artifacts, "probe-output.txt")
        with open(output, "w") as sink:
            returncode = subprocess.run([os.environ["WINE_BIN"], os.environ["WINDOW_PROBE_EXE"], title, "texts"],
                                        stdout=sink, stderr=subprocess.DEVNULL, timeout=60).returncode
        with open(output, encoding="utf-8", errors="replace") as source:
            return source.read().splitlines() if returncode == 0 else None

    def accessible_tree(self, title):
        """The element tree of a visible window as a UI Automation client in another process reads
        it (uia_client.cpp): one line per element, or None when there is no such window."""
        output = os.path.join(self.artifacts, "uia-client-output.txt")
        with open(output, "w") as sink:
            returncode = subprocess.run([os.environ["WINE_BIN"], os.environ["UIA_CLIENT_EXE"], title],
                                        stdout=sink, stderr=subprocess.DEVNULL, timeout=120).returncode
        with open(output, encoding="utf-8", errors="replace") as source:
            return source.read().splitlines() if returncode == 0 else None

    def wait_for_tree(self, title, expected, what):
        """Reads the tree until it is `expected` (a list of lines); fails showing the last one read."""
        seen = []

        def matches():
            seen[:] = [self.accessible_tree(title)]
            return seen[0] == expected
        try:
            h.wait_until(matches, timeout=60, interval=0.3, what=what)
        except h.TestFailure:
            raise h.TestFailure(f"{what}: the tree read\n" + "\n".join(seen[0] or ["(nothing)"]) +
                                "\ninstead of\n" + "\n".join(expected)) from None

    def wait_for_window(self, title, timeout=60):
        return h.wait_until(lambda: self.probe(title), timeout=timeout, interval=0.2, what=f'the window "{title}"')

    def wait_gone(self, title, timeout=30):
        h.wait_until(lambda: self.probe(title) is None, timeout=timeout, interval=0.2,
                     what=f'the window "{title}" to close')

    def stop(self):
        """Ends every process of this session's prefix, then drops the prefix copy."""
        server = shutil.which("wineserver")
        subprocess.run([server, "-k"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run([server, "-w"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        if self.fresh_prefix:
            self._remove_tree(self.prefix)

    @staticmethod
    def _remove_tree(path):
        if os.path.lexists(path):
            shutil.rmtree(path, ignore_errors=True)


class LimitedProgram:
    """A started program, waited for like h.WineProgram."""

    def __init__(self, process, output):
        self.process = process
        self._output = output

    def wait(self, timeout=h.DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise h.TestFailure(f"the program did not end within {timeout:.0f} s") from None
        finally:
            self._output.close()


class Wizard(h.ShotWaiter):
    """The installer's window on the screen."""

    def __init__(self, session, program):
        self.session = session
        self.program = program
        self.rect = session.wait_for_window(WIZARD_TITLE)
        h.check(self.rect[2:] == (500, 360), f"the wizard's client area is {self.rect[2]} x {self.rect[3]}")
        self.shot = self.wait_for(lambda s: s.at(170, 315) == BAR and s.at(5, 315) == BAR, "the wizard to be painted")

    def point(self, x, y):
        return self.rect[0] + x, self.rect[1] + y

    def click(self, x, y):
        h.move_mouse(*self.point(x, y))
        h.click()

    def park_mouse(self):
        """Moves the pointer off every window, so nothing shows a hover look."""
        h.move_mouse(1, 1)

    def take(self, label=None):
        self.session.shots += 1
        name = label or f"screen-{self.session.shots:02d}"
        self.shot = WizardShot(h.screenshot(os.path.join(self.session.artifacts, f"{name}.png")), self.rect)
        return self.shot

    # --- What the wizard shows -----------------------------------------------------------------

    def wait_for_page_one(self, boxes):
        return self.wait_for(lambda s: all(s.box_at(y) is not None for y in boxes), "the host version page")

    def wait_finished(self, cancel_look, timeout=60):
        """Waits until the third button no longer shows what it showed as "Cancel"."""
        return self.wait_for(lambda s: s.region(405, 320, 85, 30) != cancel_look and s.at(408, 323) == FACE_ENABLED,
                             "the third button to read Finish", timeout=timeout)

    def exit_code(self, timeout=60):
        return self.program.wait(timeout=timeout)


class WizardShot(h.ClientShot):
    """A screenshot read in the wizard's client coordinates."""

    def box_at(self, y):
        top = 50 + y + 5
        if not h.close_to(self.at(191, top + 1), BOX_INSIDE, 3):
            return None
        tick = self.at(198, top + 6)
        if h.close_to(tick, TICK, 3):
            return True
        h.check(h.close_to(tick, BOX_EMPTY, 3), f"the check box at y {y} shows neither state: {tick}")
        return False

    def button_enabled(self, x):
        """Face colour of a bar button whose left edge is at x (200, 290 or 405)."""
        face = self.at(x + 3, 323)
        h.check(face in (FACE_ENABLED, FACE_DISABLED), f"no bar button at x {x}: {face}")
        return face == FACE_ENABLED


class Popup:
    """A message popup on the screen: answer buttons at the bottom right."""

    def __init__(self, session, title):
        self.session = session
        self.title = title
        self.rect = session.wait_for_window(title)

    def grab(self, label):
        path = os.path.join(self.session.artifacts, f"{label}.png")
        shot = h.wait_for_screen(path, lambda s: s.pixel(self.rect[0] + 2, self.rect[1] + 2) == POPUP_BACK,
                                 what=f'the popup "{self.title}" to be painted')
        x0, y0, w, hgt = self.rect
        return [shot.pixel(x0 + i, y0 + j) for j in range(hgt) for i in range(w)]

    def press(self, first):
        x0, y0, w, hgt = self.rect
        x = w - 230 + 50 if first else w - 120 + 50
        h.move_mouse(x0 + x, y0 + hgt - 50 + 15)
        h.click()
        self.session.wait_gone(self.title)


def assert_popup_text(session, popup, text, buttons):
    """Compares the popup with the toolkit's popup showing `text`: same size, same pixels."""
    h.move_mouse(1, 1)
    shown = popup.grab(f"{popup.title.replace(' ', '-').lower()}-shown")
    text_file = os.path.join(session.artifacts, "expected-text.txt")
    with open(text_file, "w", encoding="utf-8", newline="") as out:
        out.write(text)
    reference = session.start([REFERENCE_TITLE, h.unix_to_wine_path(text_file), str(buttons)],
                              exe=os.environ["POPUP_REFERENCE_EXE"], label="reference")
    expected = Popup(session, REFERENCE_TITLE)
    h.check(expected.rect[2:] == popup.rect[2:],
            f"the popup is {popup.rect[2]} x {popup.rect[3]}, the expected text needs {expected.rect[2]} x {expected.rect[3]}")
    wanted = expected.grab("expected-popup")
    differing = sum(1 for a, b in zip(shown, wanted) if not h.close_to(a, b, 8))
    expected.press(True)
    reference.wait()
    h.check(differing == 0, f"the popup's text differs from the expected text in {differing} pixels")


def run(scenario):
    """Runs one scenario with a fresh session; always ends the session's processes."""
    def main():
        session = Session(scenario.__name__)
        try:
            scenario(session)
        finally:
            session.stop()
    h.run_test(main)
