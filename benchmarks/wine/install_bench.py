"""Time of an installation run under Wine: install_run.exe writes the plug-in for one version into a
host folder many times in one process and prints the median run. Runs inside
scripts/wine/run_wine_test.sh (WINE_BIN):
  install_bench.py <rounds> <install_run.exe> [<other install_run.exe>]
Two programs (say, built from two revisions) run interleaved, one after the other in each round;
prints the median over the rounds for each. No threshold."""
import os
import statistics
import subprocess
import sys
import tempfile

import wine_harness as h

RUNS_PER_ROUND = 25


def main():
    rounds, programs = int(sys.argv[1]), [os.path.abspath(p) for p in sys.argv[2:]]
    times = {program: [] for program in programs}
    with tempfile.TemporaryDirectory() as host:
        for _ in range(rounds):
            for program in programs:
                result = subprocess.run([os.environ["WINE_BIN"], program, h.unix_to_wine_path(host),
                                         str(RUNS_PER_ROUND)], capture_output=True, text=True, timeout=300)
                h.check(result.returncode == 0, f"{program} failed: {result.stderr.strip()}")
                times[program].append(int(result.stdout.split()[-1]))
    for program, values in times.items():
        print(f"{program}: median run {statistics.median(values):.0f} us "
              f"(medians of {rounds} rounds of {RUNS_PER_ROUND} runs: {values})")


if __name__ == "__main__":
    main()
