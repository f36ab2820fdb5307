"""Runs platform_checks.exe, the white-box checks of the Windows layer, and shows its results."""
import os

import wine_harness as h


def main():
    artifacts = os.path.join(os.environ.get("WINE_TEST_ARTIFACTS", "."), f"platform_checks_{os.environ['WINE_DPI']}")
    os.makedirs(artifacts, exist_ok=True)
    results = os.path.join(artifacts, "results.txt")
    if os.path.exists(results):
        os.remove(results)
    program = h.WineProgram(os.environ["PLATFORM_CHECKS_EXE"], [h.unix_to_wine_path(results)],
                            os.path.join(artifacts, "wine-output.txt"))
    code = program.wait(timeout=120)
    h.check(os.path.exists(results), f"no results written (exit code {code}):\n{program.output()[-2000:]}")
    with open(results) as text:
        report = text.read()
    print(report)
    h.check(code == 0, f"{code} platform checks failed")


if __name__ == "__main__":
    h.run_test(main)
