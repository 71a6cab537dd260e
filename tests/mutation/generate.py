#!/usr/bin/env python3
"""Proposes one-operator faults in the product's C++ sources and draws a fixed sample of them.

usage: generate.py [--only PATH,...] <source-root> [count] [seed]

Walks src/ and tools/ below <source-root> (every .cpp and .h, in path order, whatever the
folders are called) and lists each place where one of these edits applies:
  lt-le     a < b  <->  a <= b     (and > <-> >=)
  eq-ne     a == b <->  a != b
  and-or    a && b <->  a || b
  plus-minus  a + b <-> a - b, and a "+ 1" dropped
  drop-assign a statement that only assigns or resets something ("x = y;", "x += y;",
            "x.clear();") replaced by an empty statement
  break-continue  break <-> continue
Operators are taken only where they stand between blanks, as the code is formatted, so
template brackets, shifts, pointers and signs are left alone; comments and string literals
are skipped. Prints the drawn mutants, one a line: id TAB file TAB line TAB kind TAB old TAB new.
With --only, the draw is taken among the proposals of those files and folders alone (paths
relative to <source-root>, e.g. --only src/run,src/game/tracker.cpp); the ids count that draw.
"""
import os
import random
import re
import sys

SWAPS = [
    ("lt-le", " <= ", " < "), ("lt-le", " < ", " <= "),
    ("lt-le", " >= ", " > "), ("lt-le", " > ", " >= "),
    ("eq-ne", " == ", " != "), ("eq-ne", " != ", " == "),
    ("and-or", " && ", " || "), ("and-or", " || ", " && "),
    ("plus-minus", " + ", " - "), ("plus-minus", " - ", " + "),
]
# A statement that only changes a value: one target, an assignment or a reset call.
ASSIGN = re.compile(r"^\s*[\w.\[\]>()*-]+(\s[-+|&]?=\s.*|\.(clear|reset)\(\))\s*;\s*$")
NOT_ASSIGN = re.compile(r"^\s*(return|const|auto|static|constexpr|using|case|if|for|while)\b|.*= (default|delete);")
PLUS_ONE = re.compile(r" \+ 1\b")


def code_mask(line):
    """The line with string and character literals and a trailing // comment blanked out."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
            out.append(" " if quote else c)
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))


def proposals(root):
    found = []
    for top in ("src", "tools"):
        for folder, dirs, files in sorted(os.walk(os.path.join(root, top))):
            dirs.sort()
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(folder, name)
                rel = os.path.relpath(path, root)
                with open(path, encoding="utf-8", errors="surrogateescape") as f:
                    lines = f.read().split("\n")
                in_block = False
                for number, line in enumerate(lines, 1):
                    stripped = line.strip()
                    if in_block:
                        in_block = "*/" not in stripped
                        continue
                    if stripped.startswith("/*"):
                        in_block = "*/" not in stripped
                        continue
                    if not stripped or stripped.startswith(("#", "//")):
                        continue
                    code = code_mask(line)
                    for kind, old, new in SWAPS:
                        for m in re.finditer(re.escape(old), code):
                            found.append((rel, number, kind, line, line[:m.start()] + new + line[m.end():]))
                    for m in PLUS_ONE.finditer(code):
                        found.append((rel, number, "plus-minus", line, line[:m.start()] + line[m.end():]))
                    if ASSIGN.match(code) and not NOT_ASSIGN.match(code):
                        indent = line[:len(line) - len(line.lstrip())]
                        found.append((rel, number, "drop-assign", line, indent + ";"))
                    for word, other in (("break", "continue"), ("continue", "break")):
                        for m in re.finditer(r"\b%s;" % word, code):
                            found.append((rel, number, "break-continue", line,
                                          line[:m.start()] + other + line[m.start() + len(word):]))
    return found


def within(rel, only):
    """Whether the file rel is one of the paths of only, or lies in one of its folders."""
    return any(rel == p or rel.startswith(p + "/") for p in only)


def main(argv):
    argv, only = list(argv), None
    if "--only" in argv:
        i = argv.index("--only")
        if i + 1 >= len(argv):
            print("--only needs a comma-separated list of files and folders", file=sys.stderr)
            return 2
        only = [p.strip().strip("/") for p in argv[i + 1].split(",") if p.strip()]
        del argv[i:i + 2]
    if len(argv) < 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    root, count = argv[1], int(argv[2]) if len(argv) > 2 else 150
    seed = int(argv[3]) if len(argv) > 3 else 16
    found = proposals(root)
    if only is not None:
        missing = [p for p in only if not os.path.exists(os.path.join(root, p))]
        if missing:
            print("--only: no such file or folder: " + ", ".join(missing), file=sys.stderr)
            return 2
        found = [f for f in found if within(f[0], only)]
    drawn = sorted(random.Random(seed).sample(range(len(found)), min(count, len(found))))
    print("# %d proposals%s, %d drawn with seed %d"
          % (len(found), " in " + ",".join(only) if only is not None else "", len(drawn), seed))
    for n, i in enumerate(drawn, 1):
        rel, number, kind, old, new = found[i]
        print("g%03d\t%s\t%d\t%s\t%s\t%s" % (n, rel, number, kind, old, new))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
