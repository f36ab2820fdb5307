"""The rounds every launch benchmark runs: the installer and a bare program started one after the
other in each round, the order swapping every round so that neither always starts on a machine the
other has just warmed; then both medians and their ratio. Shared by the Wine and GNUstep launch
benchmarks, which differ only in how one start is timed."""
import statistics


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
