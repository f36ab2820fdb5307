#!/usr/bin/env python3
"""Compiles every Objective-C++ source and every other source of the Cocoa build's macOS folders
with clang as well, syntax only, with the build's own flags and warnings (-Werror included): the
closest check of Apple's compiler there is away from a Mac. GCC builds these files; clang finds
what GCC lets pass (and what Apple's clang would stop at).

  clang_check.py <build folder with compile_commands.json>

GNUstep's headers want the GCC Objective-C runtime's <objc/...> headers, which clang does not
carry; they are offered from GCC's folder through a folder of their own, so that clang keeps its
own C and C++ headers.
"""
import json
import os
import shlex
import subprocess
import sys
import tempfile

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
CLANG = "clang++"
# Sources that are not Objective-C++ but belong to the Cocoa build's macOS side.
COCOA_FOLDERS = ("/lcsdk/ui/cocoa/", "/installer/mac/", "_cocoa.")
# GCC flags that only describe the object file, which a syntax check does not write.
OUTPUT_FLAGS_WITH_VALUE = {"-o", "-MT", "-MF", "-MQ"}
OUTPUT_FLAGS = {"-c", "-MD", "-MMD", "-MP"}


def checked(entry):
    path = entry["file"]
    return path.endswith(".mm") or any(folder in path for folder in COCOA_FOLDERS)


def clang_command(entry, objc_headers):
    words = shlex.split(entry["command"])
    command = [CLANG, "-fsyntax-only", "-fobjc-runtime=gcc", "-isystem", objc_headers]
    skip = False
    for word in words[1:]:
        if skip:
            skip = False
        elif word in OUTPUT_FLAGS_WITH_VALUE:
            skip = True
        elif word not in OUTPUT_FLAGS and word != entry["file"]:
            command.append(word)
    return command + [entry["file"]]


def gcc_objc_headers():
    include = subprocess.run(["gcc", "-print-file-name=include"], capture_output=True, text=True,
                             check=True).stdout.strip()
    objc = os.path.join(include, "objc")
    if not os.path.isfile(os.path.join(objc, "objc.h")):
        sys.exit(f"clang_check: no Objective-C runtime headers in {objc} (gobjc++ is not installed)")
    return objc


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(os.path.join(sys.argv[1], "compile_commands.json")) as database:
        entries = [entry for entry in json.load(database) if checked(entry)]
    if not entries:
        sys.exit("clang_check: no Objective-C++ or Cocoa source in the compile database")
    failed = []
    with tempfile.TemporaryDirectory() as headers:
        os.symlink(gcc_objc_headers(), os.path.join(headers, "objc"))
        for entry in sorted(entries, key=lambda e: e["file"]):
            result = subprocess.run(clang_command(entry, headers), cwd=entry["directory"], capture_output=True,
                                    text=True)
            name = os.path.relpath(entry["file"], ROOT)
            print(f"{'ok  ' if result.returncode == 0 else 'FAIL'} {name}")
            if result.returncode != 0:
                failed.append(entry["file"])
                sys.stdout.write(result.stderr)
    print(f"clang: {len(entries) - len(failed)} of {len(entries)} sources pass")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
