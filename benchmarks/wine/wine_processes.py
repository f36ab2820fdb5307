"""The Linux processes that run a Windows program under Wine."""
import os


def process_ids(exe):
    """Ids of the processes running the executable at the Unix path `exe`, whether Wine started it
    from that path or Windows from its Z: drive path."""
    exe = os.path.abspath(exe)
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as source:
                program = source.read().split(b"\0")[0].decode(errors="replace")
        except OSError:
            continue
        if program[:2].upper() == "Z:":
            program = program[2:].replace("\\", "/")
        if program and os.path.abspath(program) == exe:
            found.append(int(pid))
    return found
