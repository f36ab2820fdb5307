"""The rounds every launch benchmark runs: the installer and a bare program started one after the
other in each round, the order swapping every round so that neither always starts on a machine the
other has just warmed; then both medians and their ratio. Shared by the Wine and GNUstep launch
benchmarks, which differ only in how a program is started, found and stopped."""
import statistics
import time

import x11_harness as h


def time_to_frame(program, screen, colour):
    """Waits until `program.points` on the X screen no longer show `colour` (the previous start is
    gone), starts the program and polls until they all show it. Returns the seconds from the start
    to that frame, and the started process."""
    h.wait_until(lambda: all(screen.pixel(*p) != colour for p in program.points), timeout=30,
                 what="the screen to clear before a start")
    started = time.monotonic()
    process = program.start()
    deadline = started + 60
    while not all(screen.pixel(*p) == colour for p in program.points):
        if time.monotonic() > deadline:
            raise h.TestFailure(f"no frame of {program.name} within 60 s")
        time.sleep(0.002)
    return time.monotonic() - started, process


def run_rounds(installer, bare, runs, time_one):
    """`installer` and `bare` have `name` and a `times` list; `time_one(program)` returns seconds."""
    for round_number in range(runs):
        order = (installer, bare) if round_number % 2 == 0 else (bare, installer)
        for program in order:
            elapsed = time_one(program)
            program.times.append(elapsed)
            print(f"round {round_number + 1}: {program.name:12} {elapsed * 1000:7.1f} ms", flush=True)

    installer_median = statistics.median(installer.times)
    bare_median = statistics.median(bare.times)
    print()
    print(f"median to the first painted frame over {runs} runs each:")
    print(f"  installer     {installer_median * 1000:7.1f} ms")
    print(f"  bare program  {bare_median * 1000:7.1f} ms")
    print(f"  ratio         {installer_median / bare_median:7.2f}")
