"""Unattended runs of lcinstaller-mac: test_unattended_mac.py <scenario>.

Each scenario runs in its own private mount namespace (scripts/gnustep/private_mounts.sh) with no
display at all: an unattended run must not need one. Each row of a table is one run of the
program; between rows the hosts' folders start afresh."""
import fcntl
import os
import re
import shutil
import subprocess
import sys

import installer_mac_support as s
import x11_harness as h

LOG = "/Library/Logs/Glaive/install.log"
CUSTOM = "/Library/Custom Target"
LOCK = "/Library/ApplicationSupport/com.lumacraft.installer.lock"
STAMP = re.compile(r"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d) (.*)")
PROGRAM = os.path.join(os.environ["LCINSTALLER_MAC_APP"], "lcinstaller-mac")


def artifacts(name):
    folder = os.path.join(os.environ.get("INSTALLER_TEST_ARTIFACTS", "."), name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


def records(path=LOG):
    """The log's lines without their time stamps, each checked to carry one."""
    with open(path, encoding="utf-8") as log:
        lines = log.read().splitlines()
    matched = [STAMP.fullmatch(line) for line in lines]
    h.check(all(matched), f"lines without a time stamp: {[l for l, m in zip(lines, matched) if not m]}")
    return [m.group(2) for m in matched]


def without_display():
    environment = dict(os.environ)
    environment.pop("DISPLAY", None)
    return environment


def start(args, user=None):
    """The program started as root, or as the user of that id (through setpriv), with no display."""
    prefix = ["setpriv", f"--reuid={user}", f"--regid={user}", "--clear-groups"] if user is not None else []
    return subprocess.Popen([*prefix, PROGRAM, *args], env=without_display(), stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, cwd="/")


def finished(process, timeout=120):
    try:
        output, errors = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.communicate()
        raise h.TestFailure(f"the installer did not end within {timeout} s") from None
    return process.returncode, output + errors


def hosts():
    """Three hosts: CS6 and CC as application bundles, CC2015 through the preference file."""
    for folder in ("/Applications", "/Library/Hosts", CUSTOM, "/Library/Logs", s.APP_SUPPORT):
        if os.path.isdir(folder):
            for name in os.listdir(folder):
                path = os.path.join(folder, name)
                shutil.rmtree(path) if os.path.isdir(path) and not os.path.islink(path) else os.remove(path)
            if folder == s.APP_SUPPORT:
                os.rmdir(folder)
    os.makedirs(CUSTOM, exist_ok=True)
    folders = {"CS6": s.host_application("Adobe After Effects CS6", "11.0.4"),
               "CC": s.host_application("Adobe After Effects CC", "12.2.1")}
    folders["CC2015"] = "/Library/Hosts/CC2015/Plug-ins"
    os.makedirs(folders["CC2015"])
    s.host_preferences({"13.5": folders["CC2015"]})
    return folders


def installed(folders):
    names = set()
    for name, folder in (*folders.items(), ("Custom", CUSTOM)):
        if os.path.lexists(s.installed_bundle(folder)):
            s.assert_installed(folder)
            names.add(name)
    return names


def cc_vendor_folder_is_a_file(folders):
    """CC's vendor folder is a file: the bundle cannot be copied there (401)."""
    open(os.path.join(folders["CC"], "Lumacraft"), "w").close()


def log_for_everyone(folders):
    """A log folder that a user who is not root may write to."""
    os.makedirs(os.path.dirname(LOG), mode=0o777)
    os.chmod(os.path.dirname(LOG), 0o777)


def unattended_runs(name):
    kept = artifacts(name)
    copy_failed = "Could not create the plugin file (Error code: 401" + s.CREATE_HINTS
    rows = [
        # what | arguments | user | prepare | exit code as macOS sees it | installed | lines in order
        ("every version found", ["--silent"], None, None, 0, {"CS6", "CC", "CC2015"},
         ["found CS6: {CS6}", "found CC: {CC}", "found CC2015: {CC2015}",
          "result CS6 in {CS6}: status 2: installed", "result CC in {CC}: status 2: installed",
          "result CC2015 in {CC2015}: status 2: installed", "end: exit code 0"]),
        ("a version fails", ["--silent"], None, cc_vendor_folder_is_a_file, 1603 % 256, {"CS6"},
         ["result CS6 in {CS6}: status 2: installed",
          *[("result CC in {CC}: status 401: " if i == 0 else "    ") + line
            for i, line in enumerate(copy_failed.split("\n"))],
          "result CC2015 in {CC2015}: status 0: not attempted", "end: exit code 1603"]),
        ("named but not installed", ["--silent", "--versions=CS5,CC"], None, None, 0, {"CC"},
         ["skipped CS5: not installed on this machine", "result CC in {CC}: status 2: installed"]),
        ("none named is installed", ["--silent", "--versions=CC2017"], None, None, 1605 % 256, set(),
         ["error: no host version found and no folder given: nothing to install", "end: exit code 1605"]),
        ("the folder as well", ["--silent", "--versions=CS6", f"--folder={CUSTOM}"], None, None, 0,
         {"CS6", "Custom"}, ["result CS6 in {CS6}: status 2: installed", f"result Custom in {CUSTOM}: status 2: installed"]),
        ("unknown option", ["--silent", "--quiet"], None, None, 87, set(),
         ['error: invalid arguments: unknown option "--quiet"', "end: exit code 87"]),
        ("not root", ["--silent"], 65534, log_for_everyone, 740 % 256, set(),
         [", not elevated", "error: an unattended installation needs administrator rights", "end: exit code 740"]),
    ]
    for what, args, user, prepare, code, names, lines in rows:
        folders = hosts()
        if prepare:
            prepare(folders)
        exit_code, output = finished(start([*args, f"--log={LOG}"], user))
        label = what.replace(" ", "-")
        with open(os.path.join(kept, f"{label}-output.txt"), "w") as out:
            out.write(output)
        shutil.copy(LOG, os.path.join(kept, f"{label}.log"))
        h.check(exit_code == code, f"{what}: exit code {exit_code}, expected {code}: {output}")
        h.check(installed(folders) == names, f"{what}: installed {installed(folders)}, expected {names}")
        h.check(os.path.isdir(s.APP_SUPPORT) == (code == 0), f"{what}: the application support folder is wrong")
        log_lines = records()
        shown = " ".join(f'"{a}"' if " " in a else a for a in [*args, f"--log={LOG}"])
        h.check(log_lines[0].startswith(f"start: lcinstaller-mac 1.0.39, arguments: {shown}, user: "),
                f"{what}: the log starts with {log_lines[0]!r}")
        at = 0
        for line in (line.format(**folders) for line in lines):
            while at < len(log_lines) and line not in log_lines[at]:
                at += 1
            h.check(at < len(log_lines), f"{what}: the log lacks {line!r} in order: {log_lines}")
        if code != 0:
            reason = next((l for l in lines if l.startswith("error: ")), "error: ")[len("error: "):]
            h.check(code == 1603 % 256 or reason in output, f"{what}: standard error lacks {reason!r}: {output!r}")


def unattended_runs_at_once(name):
    """A run that finds another installer at work waits for it, writing nothing meanwhile."""
    artifacts(name)
    folders = hosts()
    with open(LOCK, "a") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        process = start(["--silent", "--versions=CC", f"--log={LOG}"])
        h.wait_until(lambda: os.path.exists(LOG) and "waiting for another installer to finish" in records(),
                     timeout=60, what="the run to say that it waits")
        h.check(not installed(folders) and process.poll() is None, "the run wrote while the lock was held")
    exit_code, output = finished(process)
    h.check(exit_code == 0, f"the run failed: {output}")
    h.check(installed(folders) == {"CC"}, "the run did not install after the lock was free")


def ansible(kept, *args):
    """ansible-playbook with its state in the test's folder; its exit code and output."""
    environment = without_display()
    environment.update(ANSIBLE_HOME=os.path.join(kept, "ansible"), ANSIBLE_LOCAL_TEMP=os.path.join(kept, "ansible-tmp"),
                       ANSIBLE_NOCOLOR="1", ANSIBLE_RETRY_FILES_ENABLED="false",
                       ANSIBLE_COLLECTIONS_PATH=os.path.join(kept, "collections"))
    done = subprocess.run([os.environ["ANSIBLE_PLAYBOOK"], *args], env=environment, capture_output=True, text=True,
                          timeout=300, cwd=kept)
    return done.returncode, done.stdout + done.stderr


def deploy_playbook(name):
    """The deployment example: both plays pass Ansible's syntax check, and the macOS play installs on
    this machine (as a macOS host in the inventory), counting a machine without hosts as ok."""
    kept = artifacts(name)
    playbook = os.path.join(os.environ["DEPLOY_EXAMPLE"], "glaive.yml")
    # The check resolves every module name; the Windows modules are not part of ansible-core, so
    # a stand-in of that name lets it check the play's structure.
    modules = os.path.join(kept, "collections", "ansible_collections", "ansible", "windows", "plugins", "modules")
    os.makedirs(modules)
    with open(os.path.join(modules, "win_command.py"), "w") as stand_in:
        stand_in.write("# Stands in for the Windows module during the syntax check.\n")
    code, output = ansible(kept, "-i", os.path.join(os.environ["DEPLOY_EXAMPLE"], "inventory.example.ini"),
                           "--syntax-check", playbook)
    h.check(code == 0, f"the syntax check failed: {output}")

    inventory = os.path.join(kept, "inventory.ini")
    with open(inventory, "w") as out:
        out.write("[macos]\nlocalhost ansible_connection=local ansible_python_interpreter=/usr/bin/python3\n")
    settings = ["-i", inventory, "--limit", "macos", "-e", f"glaive_installer={PROGRAM}", "-e", f"glaive_log={LOG}",
                "-e", "ansible_become=false", playbook]
    for what, with_hosts, recap in (("installed", True, "ok=1    changed=1    unreachable=0    failed=0"),
                                    ("no host", False, "ok=1    changed=0    unreachable=0    failed=0")):
        folders = hosts()
        if not with_hosts:
            shutil.rmtree("/Applications/Adobe After Effects CS6")
            shutil.rmtree("/Applications/Adobe After Effects CC")
            os.remove(s.PREFERENCES)
        code, output = ansible(kept, *settings)
        with open(os.path.join(kept, f"{what.replace(' ', '-')}-ansible.txt"), "w") as out:
            out.write(output)
        h.check(code == 0 and recap in output, f"{what}: the play ended with {code}: {output}")
        h.check(installed(folders) == ({"CS6", "CC", "CC2015"} if with_hosts else set()), f"{what}: wrong installs")


SCENARIOS = {f.__name__: f for f in (unattended_runs, unattended_runs_at_once, deploy_playbook)}

if __name__ == "__main__":
    h.run_test(lambda: SCENARIOS[sys.argv[1]](sys.argv[1]))
