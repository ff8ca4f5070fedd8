#!/usr/bin/env python3
"""How many small faults in the installation run's Win32 code its Win32 tests catch.

Usage: python3 tests/mutation_check_win32.py [--sample N] [--seed S] [FILE...]

The companion of tests/mutation_check.py, with its rules, for the run's Win32 files (install/'s,
common/file_replace_win32.cpp and common/wide_paths_win32.cpp, or the FILEs given). Of all the
changes those rules make there, it tries a sample of N (default 40), drawn with the seed S
(default 1) so that a run can be repeated. Each change is made in a copy of the tree
(BUILD/mutation-win32/src), whose Windows build (the first of scripts/steps.sh's
choose_wine_arches: the PE32, or the PE32+ twin where the host runs no i386 code) makes the fault
campaign's and the installation run's tests again; they run under Wine in a display and a
prefix of the copy's own, the installation run's first, then the campaign's scenarios two at a
time, the campaign sparse (K7_CAMPAIGN_SPARSE: every kind of
call, fewer points) and each scenario ending at its first point that is not whole. A change that
no longer compiles is left out; one that makes a test fail or hang is caught; one after which
every test passes survived. Prints each change's outcome as it comes, then the score and the
survivors. Exit code 0.
"""
import os
import random
import subprocess
import sys
import time

from mutation_check import ROOT, build_dir, copy_of_tree, known_equivalent, mutants, run

RUN_FILES = ["common/file_replace_win32.cpp", "common/wide_paths_win32.cpp"]
# In turn: the installation-run tests alone, then the campaign's scenarios two at a time. Side by
# side in one Wine prefix, one's links in the shared Start menu and desktop fail the other's
# checks of its own.
TESTS = [["-R", "^installation_run_tests$"], ["-R", "^fault_campaign_", "-j", "2"]]
TEST_TIMEOUT = 900  # seconds a test may take before it counts as hung (caught)


def run_files():
    install = sorted(f"install/{name}" for name in os.listdir(os.path.join(ROOT, "install"))
                     if name.endswith("_win32.cpp"))
    return install + RUN_FILES


def run_tests(commands, env, log):
    """0 when every command's tests pass, run in turn up to the first that fails (None when they
    hang); their output in `log`: a file, since the wine processes that a test starts may
    outlive it, and a pipe to them would never end."""
    with open(log, "w") as out:
        for command in commands:
            try:
                code = subprocess.run(command, cwd=ROOT, env=env, stdout=out,
                                      stderr=subprocess.STDOUT, timeout=TEST_TIMEOUT * 2).returncode
            except subprocess.TimeoutExpired:
                return None
            if code != 0:
                return code
    return 0


def shell(script):
    """The last line a bash script sourcing the project's step helpers prints."""
    out = subprocess.run(["bash", "-c", f"source scripts/steps.sh; source scripts/build_dir.sh; "
                          f"{script}"], cwd=ROOT, capture_output=True, text=True, check=True)
    return out.stdout.strip().split("\n")[-1]


def main():
    args = sys.argv[1:]
    count, seed = 40, 1
    while args and args[0] in ("--sample", "--seed"):
        value = int(args[1])
        count, seed = (value, seed) if args[0] == "--sample" else (count, value)
        args = args[2:]
    files = args or run_files()
    base = build_dir()
    arch = shell("choose_wine_arches >/dev/null; echo ${K7_WINE_ARCHES%% *}")
    folder = os.path.join(base, "mutation-win32")
    source = copy_of_tree(folder)
    build = os.path.join(folder, arch)
    toolchain = "mingw-i686.cmake" if arch == "win32" else "mingw-x86_64.cmake"
    configure = ["cmake", "-S", source, "-B", build, "-DCMAKE_BUILD_TYPE=MinSizeRel",
                 f"-DCMAKE_TOOLCHAIN_FILE={source}/cmake/{toolchain}",
                 f"-DK7_HOST_BUILD_DIR={base}/host",
                 f"-DK7_SHIPPED_INSTALLER={base}/win32/K7_Quorvane_Setup.exe"]
    make = ["cmake", "--build", build, "-j", str(os.cpu_count() or 2), "--target",
            "installation_run_tests", "fault_campaign_tests"]
    prefix = os.path.join(build, "wineprefix")
    env = dict(os.environ, K7_WINE_ARCH=arch, K7_WINE_PREFIX=prefix, K7_CAMPAIGN_SPARSE="1",
               K7_CAMPAIGN_FIRST_FAULT="1")
    # The virtual display, as scripts/steps.sh's start_display starts it, owned by this check.
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-ac",
                             "-nolisten", "tcp"], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    env["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()
    wine = os.path.join(source, "tests", "wine")
    tests = [["ctest", "--test-dir", build, "--stop-on-failure", "--timeout", str(TEST_TIMEOUT)]
             + which for which in TESTS]
    try:
        for step in (configure, make, [f"{wine}/make_prefix.sh", prefix]):
            code, out = run(step, ROOT, env=env)
            if code != 0:
                sys.exit(f"mutation_check_win32: {' '.join(step)} failed:\n{out[-2000:]}")
        # One wine server for every run of the tests (one left by an earlier check goes first),
        # and Wine's own processes started before them, as scripts/test.sh does: they outlive
        # the call that starts them, so their output goes nowhere (a test's would never end).
        for step in (["wineserver", "-k"], ["wineserver", "-p", "600"], ["wineboot"]):
            subprocess.run([f"{wine}/wine_exec.sh"] + step, cwd=ROOT, env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        log = os.path.join(folder, "tests.log")
        if run_tests(tests, env, log) != 0:
            sys.exit(f"mutation_check_win32: the tests fail before any change ({log}); fix them")

        equivalent = known_equivalent()
        pool = []
        for name in files:
            # From the copy, which the changes are made in: the checkout may change meanwhile.
            lines = open(os.path.join(source, name)).read().split("\n")
            pool += [(name, n, new, what) for n, new, what in mutants(lines)
                     if f"{name}: {new.strip()}" not in equivalent]
        sample = random.Random(seed).sample(pool, min(count, len(pool)))
        print(f"{len(sample)} of {len(pool)} changes of {len(files)} files, seed {seed}, "
              f"as {arch}", flush=True)
        caught, survivors, skipped, started = 0, [], 0, time.time()
        for name, n, new_line, what in sample:
            path = os.path.join(source, name)
            original = open(path).read()
            lines = original.split("\n")
            lines[n] = new_line
            try:
                with open(path, "w") as f:
                    f.write("\n".join(lines))
                code, out = run(make, ROOT, env=env)
                if code != 0:
                    skipped += 1
                    outcome = "not compiled"
                elif run_tests(tests, env, log) == 0:
                    survivors.append(f"  {name}:{n + 1}: {what}\n      {name}: {new_line.strip()}")
                    outcome = "SURVIVED"
                else:
                    caught += 1
                    outcome = "caught"
            finally:
                with open(path, "w") as f:  # a new time: the next build compiles it again
                    f.write(original)
            print(f"{name}:{n + 1}: {what}: {outcome}", flush=True)
        tried = caught + len(survivors)
        share = 100.0 * caught / tried if tried else 100.0
        print(f"\nAll: {caught} of {tried} changes caught ({share:.1f}%); {skipped} not compiled; "
              f"{time.time() - started:.0f} s")
        for s in survivors:
            print(s)
    finally:
        run([f"{wine}/wine_exec.sh", "wineserver", "-k"], ROOT, env=env)
        xvfb.kill()


if __name__ == "__main__":
    main()
