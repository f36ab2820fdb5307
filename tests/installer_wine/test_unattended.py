"""Unattended runs of lcinstaller-win under Wine, and its log: test_unattended.py <scenario>.

Each row of a table is one run of the program, through run_program.exe, which reports the whole
Windows exit code (Wine's own exit status keeps 8 bits of it) and can start the program without
its elevation."""
import os
import re
import shutil
import sys

import installer_support as s
import wine_harness as h
from test_installer import processes_of, walk_to_progress

HOSTS = {"11": r"C:\Hosts\CS6\Plug-ins", "12": r"C:\Hosts\CC\Plug-ins", "14.0": r"C:\Hosts\CC2017\Plug-ins"}
NAMES = {"11": "CS6", "12": "CC", "14.0": "CC2017"}
CUSTOM = r"C:\Custom Target"
LOG = r"C:\Logs\Glaive\install.log"
STAMP = re.compile(r"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d) (.*)")
CREATE_FAILED = "Could not create the plugin file (Error code: 40" + s.CREATE_HINTS


def records(session, path=LOG):
    """The log's lines without their time stamps, each checked to carry one."""
    with open(session.c_path(path), encoding="utf-8") as log:
        lines = log.read().splitlines()
    matched = [STAMP.fullmatch(line) for line in lines]
    h.check(all(matched), f"lines without a time stamp: {[l for l, m in zip(lines, matched) if not m]}")
    return [m.group(2) for m in matched]


def run(session, args, unelevated=False, label="run"):
    """One run of the installer; its Windows exit code and what it wrote to standard error."""
    program = session.start([*(["--unelevated"] if unelevated else []), h.unix_to_wine_path(session.exe), *args],
                            exe=os.environ["RUN_PROGRAM_EXE"], label=label)
    h.check(program.wait(timeout=120) == 0, f"{label}: run_program failed: {program.output()}")
    found = re.search(r"^exit (\d+)$", program.output(), re.M)
    h.check(found, f"{label}: no exit code in {program.output()!r}")
    return int(found.group(1)), program.output()


def installed(session):
    """The names of the host folders (and the custom folder) that hold a plug-in, each checked whole."""
    names = set()
    for folder in (*HOSTS.values(), CUSTOM):
        if os.path.exists(session.plugin_file(folder)):
            session.assert_installed(folder)
            names.add(folder.split("\\")[2] if folder != CUSTOM else "Custom")
    return names


def fresh_hosts(session):
    for folder in (*HOSTS.values(), CUSTOM, r"C:\Logs", r"C:\ProgramData\Lumacraft"):
        path = session.c_path(folder)
        if os.path.isdir(path):
            shutil.rmtree(path)
        elif os.path.lexists(path):
            os.remove(path)
    for folder in (*HOSTS.values(), CUSTOM):
        session.make_folder(folder)


def cc_folder_is_a_file(session):
    """CC's plug-in folder is a file: its vendor folder cannot be made, so writing fails (40)."""
    path = session.c_path(HOSTS["12"])
    os.rmdir(path)
    open(path, "w").close()


def unattended_runs(session):
    session.register_hosts(HOSTS)
    found = [f"found {NAMES[k]}: {v}" for k, v in sorted(HOSTS.items(), key=lambda kv: float(kv[0]))]
    result = "result {} in {}: status 2: installed"
    log = "/LOG=" + LOG
    rows = [
        # what | arguments | elevated | prepare | exit code | installed | lines the log holds, in order
        ("every version found", ["/S", log], True, None, 0, {"CS6", "CC", "CC2017"},
         [*found, *(result.format(NAMES[k], v) for k, v in HOSTS.items()), "end: exit code 0"]),
        ("a version fails", ["/S", log], True, cc_folder_is_a_file, 1603, {"CS6"},
         [result.format("CS6", HOSTS["11"]),
          *[("result CC in " + HOSTS["12"] + ": status 40: " if i == 0 else "    ") + line
            for i, line in enumerate(CREATE_FAILED.split("\n"))],
          "result CC2017 in " + HOSTS["14.0"] + ": status 0: not attempted", "end: exit code 1603"]),
        ("named but not installed", ["/S", "/VERSIONS=CS5,CC2017", log], True, None, 0, {"CC2017"},
         ["skipped CS5: not installed on this machine", result.format("CC2017", HOSTS["14.0"])]),
        ("none named is installed", ["/S", "/VERSIONS=CC2015", log], True, None, 1605, set(),
         ["error: no host version found and no folder given: nothing to install", "end: exit code 1605"]),
        ("the folder as well", ["/s", "/versions=cc", f"/D={CUSTOM}", log], True, None, 0, {"CC", "Custom"},
         [result.format("CC", HOSTS["12"]), result.format("Custom", CUSTOM)]),
        ("unknown version", ["/S", "/VERSIONS=CS7", log], True, None, 87, set(),
         ['error: invalid arguments: unknown version "CS7" in /VERSIONS; the versions are CS3, CS4, CS5, CS55, CS6, '
          'CC, CC2014, CC2015, CC2015.3, CC2017', "end: exit code 87"]),
        ("unknown option", ["/S", "/QUIET", log], True, None, 87, set(), ["end: exit code 87"]),
        ("not elevated", ["/S", log], False, None, 740, set(),
         [", not elevated", "error: an unattended installation needs administrator rights: start it elevated on "
          "Windows, as root on macOS", "end: exit code 740"]),
    ]
    for what, args, elevated, prepare, code, names, lines in rows:
        fresh_hosts(session)
        if prepare:
            prepare(session)
        exit_code, output = run(session, args, unelevated=not elevated, label=what.replace(" ", "-"))
        h.check(exit_code == code, f"{what}: exit code {exit_code}, expected {code}")
        h.check(installed(session) == names, f"{what}: installed {installed(session)}, expected {names}")
        h.check(os.path.isdir(session.app_data_folder()) == (code == 0), f"{what}: the data folder is wrong")
        log_lines = records(session)
        shown = " ".join(f'"{a}"' if " " in a else a for a in args)
        start = f"start: lcinstaller-win 1.0.39, arguments: {shown}, user: "
        h.check(log_lines[0].startswith(start), f"{what}: the log starts with {log_lines[0]!r}")
        # The expected lines appear in this order (a line ending in its start: the start line).
        at = 0
        for line in lines:
            while at < len(log_lines) and log_lines[at] != line and not log_lines[at].endswith(line):
                at += 1
            h.check(at < len(log_lines), f"{what}: the log lacks {line!r} in order: {log_lines}")
        if code in (87, 740, 1605):
            reason = next(l for l in lines if l.startswith("error: "))[len("error: "):] if any(
                l.startswith("error: ") for l in lines) else "invalid arguments"
            h.check(reason in output, f"{what}: standard error lacks {reason!r}: {output!r}")
        shutil.copy(session.c_path(LOG), os.path.join(session.artifacts, f"{what.replace(' ', '-')}.log"))


def unattended_runs_at_once(session):
    """A run that finds another installer at work waits for it, writing nothing meanwhile."""
    session.register_hosts({"12": HOSTS["12"]})
    fresh_hosts(session)
    marker = os.path.join(session.artifacts, "release-lock")
    holder = session.start([h.unix_to_wine_path(marker)], exe=os.environ["HOLD_INSTALL_LOCK_EXE"], label="holder")
    h.wait_until(lambda: "holding" in holder.output(), timeout=60, what="the lock to be held")
    program = session.start([h.unix_to_wine_path(session.exe), "/S", "/LOG=" + LOG],
                            exe=os.environ["RUN_PROGRAM_EXE"], label="waiting-run")
    h.wait_until(lambda: os.path.exists(session.c_path(LOG)) and
                 "waiting for another installer to finish" in records(session), timeout=60,
                 what="the run to say that it waits")
    h.check(not installed(session) and program.running(), "the run wrote while the lock was held")
    open(marker, "w").close()
    h.check(holder.wait(timeout=60) == 0, "the holder failed")
    h.check(program.wait(timeout=120) == 0 and "exit 0" in program.output(), f"the run failed: {program.output()}")
    h.check(installed(session) == {"CC"}, "the run did not install after the lock was free")
    lines = records(session)
    h.check(lines.index("waiting for another installer to finish") < lines.index(
        f"result CC in {HOSTS['12']}: status 2: installed"), f"the log is out of order: {lines}")


def unattended_wizard_log(session):
    """The wizard writes the log too: the first process passes the option on to the elevated copy,
    quoted, with its full path, since the copy starts in another folder."""
    session.register_hosts({"12": HOSTS["12"]})
    fresh_hosts(session)
    folder = os.path.join(session.artifacts, "Glaive logs")
    os.makedirs(folder)
    os.chdir(folder)
    first = session.start(args=("/LOG=install.log",), label="first")
    h.check(first.wait(timeout=60) == 0, "the unelevated start should end with exit code 0")
    wizard = s.Wizard(session, None)
    log_path = h.unix_to_wine_path(os.path.join(folder, "install.log"))
    copies = processes_of(session.exe)
    h.check(len(copies) == 1 and copies[0][1:] == ["/UAC", "/LOG=" + log_path],
            f"expected one copy started with /UAC and the log's full path, found {copies}")
    cancel_look = walk_to_progress(wizard, [55, 80])
    wizard.park_mouse()
    wizard.wait_finished(cancel_look)
    wizard.click(*s.THIRD)
    h.wait_until(lambda: not processes_of(session.exe), what="the wizard to end")
    with open(os.path.join(folder, "install.log"), encoding="utf-8") as log:
        lines = [STAMP.fullmatch(line).group(2) for line in log.read().splitlines()]
    expected = [
        "start: lcinstaller-win 1.0.39, arguments: /LOG=install.log",
        "end: exit code 0",
        f'start: lcinstaller-win 1.0.39, arguments: /UAC "/LOG={log_path}"',
        f"found CC: {HOSTS['12']}",
        f"result CC in {HOSTS['12']}: status 2: installed",
        "end: exit code 0",
    ]
    h.check(len(lines) == len(expected) and all(line.startswith(want) for line, want in zip(lines, expected)),
            f"the log reads {lines}")


SCENARIOS = {f.__name__: f for f in (unattended_runs, unattended_runs_at_once, unattended_wizard_log)}

if __name__ == "__main__":
    s.run(SCENARIOS[sys.argv[1]])
