#!/usr/bin/env python3
"""How many small faults in the portable logic the host tests catch.

Usage: python3 tests/mutation_check.py [FILE...]

For every portable source file (the K7_PORTABLE_SOURCES of each */sources.cmake, or the FILEs
given), makes small changes one at a time by simple rules in a copy of the tree
(BUILD/mutation/src, BUILD as scripts/build_dir.sh chooses it, K7_MUTATION_DIR another name
than "mutation"; the checkout is never touched),
rebuilds the host tests there, runs them, and puts the file back. A change that no longer
compiles is left out; one that makes a test fail or hang is caught; one after which every test
still passes survived. Prints per file how many changes were caught and lists the survivors; the
changes known to alter nothing (equivalent) are named in tests/mutation_equivalent.txt, one
"file: changed line" a line (the line as changed, without its indent, so that an edit elsewhere
in the file keeps the entry), and are left out of the score. Exit code 0.

The rules, applied to code outside comments, strings, preprocessor lines and static_asserts:
  comparisons   < and <=, > and >=, == and != turned into each other
  conditions    && and || turned into each other; "if (" negated; true and false swapped
  arithmetic    + and - turned into each other (binary, with spaces around)
  constants     every integer literal made one larger
"""
import os
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TEST_TIMEOUT = 30  # seconds, ten times a whole run of the host tests; longer hangs, and is caught

SWAPS = [(" <= ", " < "), (" < ", " <= "), (" >= ", " > "), (" > ", " >= "),
         (" == ", " != "), (" != ", " == "), (" && ", " || "), (" || ", " && "),
         (" + ", " - "), (" - ", " + ")]
WORDS = [(r"\btrue\b", "false"), (r"\bfalse\b", "true")]
INTEGER = re.compile(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.])")


def build_dir():
    """The build folder that scripts/build_dir.sh chooses."""
    out = subprocess.run(["bash", "-c", 'source scripts/build_dir.sh && echo "$BUILD"'],
                         cwd=ROOT, capture_output=True, text=True, check=True)
    return out.stdout.strip()


def portable_sources():
    files = []
    for subsystem in ("common", "app", "install", "bitmap_text", "shell"):
        text = open(os.path.join(ROOT, subsystem, "sources.cmake")).read()
        for block in re.findall(r"list\(APPEND K7_PORTABLE_SOURCES(.*?)\)", text, re.S):
            files += block.split()
    return files


def code_spans(line):
    """The (start, end) spans of `line` that are code: outside strings, chars and comments."""
    spans, start, i, quote = [], 0, 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                i += 1
            elif c == quote:
                quote, start = None, i + 1
        elif c in "\"'":
            spans.append((start, i))
            quote = c
        elif line.startswith("//", i):
            spans.append((start, i))
            return spans
        i += 1
    if not quote:
        spans.append((start, len(line)))
    return spans


def mutants(lines):
    """(line index, new line, description) for every change the rules make."""
    in_block_comment = in_static_assert = False
    for n, line in enumerate(lines):
        stripped = line.strip()
        # A static_assert is checked as the file compiles: a change to it either stops the
        # compilation or changes nothing. Skipped to its ';', over as many lines as it takes.
        if in_static_assert or "static_assert" in line:
            in_static_assert = not stripped.endswith(";")
            continue
        if in_block_comment:
            in_block_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_block_comment = "*/" not in stripped
            continue
        if stripped.startswith("#") or stripped.startswith("//"):
            continue
        for start, end in code_spans(line):
            code = line[start:end]
            for old, new in SWAPS:
                for m in re.finditer(re.escape(old), code):
                    at = start + m.start()
                    yield n, line[:at] + new + line[at + len(old):], \
                        f"'{old.strip()}' -> '{new.strip()}' at column {at + 2}"
            for pattern, new in WORDS:
                for m in re.finditer(pattern, code):
                    at = start + m.start()
                    yield n, line[:at] + new + line[at + len(m.group(0)):], \
                        f"'{m.group(0)}' -> '{new}' at column {at + 1}"
            for m in re.finditer(r"\bif \(", code):
                # The whole condition, to its closing parenthesis on the same line.
                open_at = start + m.end() - 1
                depth, close_at = 0, None
                for i in range(open_at, len(line)):
                    depth += {"(": 1, ")": -1}.get(line[i], 0)
                    if depth == 0:
                        close_at = i
                        break
                if close_at is None:
                    continue
                yield n, (line[:open_at + 1] + "!(" + line[open_at + 1:close_at] + ")" +
                          line[close_at:]), f"condition negated at column {open_at + 2}"
            for m in INTEGER.finditer(code):
                value = int(m.group(1), 0) + 1
                text = hex(value) if m.group(1).lower().startswith("0x") else str(value)
                at = start + m.start()
                yield n, line[:at] + text + line[at + len(m.group(1)):], \
                    f"{m.group(1)} -> {text} at column {at + 1}"


def run(command, cwd, timeout=None, env=None):
    try:
        done = subprocess.run(command, cwd=cwd, capture_output=True, text=True, errors="replace",
                              timeout=timeout, env=env)
        return done.returncode, done.stdout + done.stderr
    except subprocess.TimeoutExpired:
        return None, ""


def copy_of_tree(folder):
    """A fresh copy of the checkout (without .git and build) at `folder`/src; its path."""
    source = os.path.join(folder, "src")
    shutil.rmtree(source, ignore_errors=True)
    # Copied with new times (never the originals'), so that make compiles every file put back.
    shutil.copytree(ROOT, source, ignore=shutil.ignore_patterns(".git", "build"),
                    copy_function=shutil.copy)
    return source


def known_equivalent():
    """The "file: changed line" entries of tests/mutation_equivalent.txt."""
    equivalent = set()
    listed = os.path.join(ROOT, "tests", "mutation_equivalent.txt")
    if os.path.exists(listed):
        for entry in open(listed):
            entry = entry.strip()  # a whole line: a changed line may hold a '#'
            if entry and not entry.startswith("#"):
                equivalent.add(entry)
    return equivalent


def main():
    # K7_MUTATION_DIR names another folder under BUILD, for runs side by side on other files.
    build = os.path.join(build_dir(), os.environ.get("K7_MUTATION_DIR", "mutation"))
    source = copy_of_tree(build)
    build = os.path.join(build, "host")
    files = sys.argv[1:] or portable_sources()
    equivalent = known_equivalent()
    jobs = str(os.cpu_count() or 2)
    configure = ["cmake", "-S", source, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                 "-G", "Unix Makefiles"]
    first = ["cmake", "--build", build, "-j", jobs, "--target", "k7_host_tests"]
    # After the first build only the checked library and the tests are made again, without the
    # tools and the payload that they depend on (make's "/fast" targets): a change reaches the
    # tests and nothing else, in seconds.
    make = ["make", "-C", build, "-j", jobs, "k7_portable_checked/fast", "k7_host_tests/fast"]
    tests = [os.path.join(build, "k7_host_tests"), "--gtest_brief=1"]
    # The tests' scratch files in a folder of their own: another run of the tests at the same
    # time (a developer's) must not meet them.
    scratch = os.path.join(build, "scratch")
    os.makedirs(scratch, exist_ok=True)
    test_env = dict(os.environ, TEST_TMPDIR=scratch + "/")
    for step in (configure, first):
        code, out = run(step, ROOT)
        if code != 0:
            sys.exit(f"mutation_check: {' '.join(step)} failed:\n{out[-2000:]}")
    if run(tests, build, TEST_TIMEOUT, test_env)[0] != 0:
        sys.exit("mutation_check: the host tests fail before any change; fix them first")

    totals = [0, 0, 0]  # caught, survived, equivalent
    report = []
    started = time.time()
    for name in files:
        path = os.path.join(source, name)
        original = open(path).read()
        lines = original.split("\n")
        caught = survived = skipped = 0
        survivors = []
        backup = path + ".unchanged"
        shutil.copy(path, backup)
        try:
            for n, new_line, what in mutants(lines):
                if f"{name}: {new_line.strip()}" in equivalent:
                    totals[2] += 1
                    continue
                changed = lines[:]
                changed[n] = new_line
                with open(path, "w") as f:
                    f.write("\n".join(changed))
                code, out = run(make, ROOT)
                if code != 0 and "error:" in out:
                    skipped += 1  # does not compile: no behaviour to test
                    continue
                if code == 0:
                    code, _ = run(tests, build, TEST_TIMEOUT, test_env)
                if code == 0:
                    survived += 1
                    survivors.append(f"  {name}:{n + 1}: {what}\n      {name}: {new_line.strip()}")
                else:
                    caught += 1
        finally:
            shutil.copy(backup, path)  # a new time: the next build compiles it again
            os.remove(backup)
        totals[0] += caught
        totals[1] += survived
        share = 100.0 * caught / (caught + survived) if caught + survived else 100.0
        report.append(f"{name}: {caught} of {caught + survived} caught ({share:.0f}%), "
                      f"{skipped} not compiled")
        print(report[-1], flush=True)
        for s in survivors:
            print(s, flush=True)
    run(make, ROOT)  # the tests built from the unchanged files again
    caught, survived, known = totals
    share = 100.0 * caught / (caught + survived) if caught + survived else 100.0
    print(f"\nAll: {caught} of {caught + survived} changes caught ({share:.1f}%); {known} known "
          f"to change nothing left out; {time.time() - started:.0f} s")


if __name__ == "__main__":
    main()
