#!/usr/bin/env python3
"""Runs the generated mutants (generate.py) through the suite and reports the kill rate.

usage: run_generated.py [--only PATH,...] <repo> <work-dir> [count] [seed] [mutant-id...]

Copies the repo's sources into <work-dir>/src, builds them once (Release, no sanitizers) into
<work-dir>/build and keeps the unmutated programs' outputs. Then, per mutant, it patches the one
line, rebuilds incrementally and runs, stopping at the first that fails:
  1. the end-to-end cases (tests/e2e/run.sh);
  2. if they pass, the mutant's outputs are compared with the unmutated ones over the same
     inputs (every case's files, compare-outputs over the real logs, and the stats site kx-site
     makes of the sample logs and the real ones): no difference at all means the fault cannot
     be seen (an equivalent mutant), and it is dropped;
  3. the unit tests, kx-site's end-to-end test, the metamorphic check, the real-log check, the
     write-failure check, the game-record check.
A mutant that does not build is dropped too. The file is restored after each mutant.
--only limits the draw to some files and folders (generate.py).
Writes <work-dir>/generated.txt (one verdict a mutant) and prints the summary.
"""
import filecmp
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import types
from importlib.machinery import SourceFileLoader

HERE = os.path.dirname(os.path.abspath(__file__))
COMPARE = "/work/shared/tools/compare-outputs"
PROGRAMS = ["kalimostats-c", "kx-preparse", "kx-index", "kx-site"]
TARGETS = ["kalimostats-c", "kx-preparse", "kx-index", "kx-site", "fake-preparse", "fragment-check"]
# Whether this test sees the line pipeline read ahead again depends on how the scheduler treats
# the test program's parent: run from here it never does, mutant or not. Left to ctest.
SCHEDULER_TIMED = "LinePipeline.OnOneProcessorReadsInTheLineLoopForAWhileWithoutLosingALine"
# What differs between two runs of kx-site over the same logs: the run's time stamps.
RUN_TIMES = re.compile(rb"[0-9]{4}(_[0-9]{2}){5}|[0-9]{4}-[0-9]{2}-[0-9]{2}[ T][0-9]{2}:[0-9]{2}:[0-9]{2}")


def sh(args, log, timeout=900, cwd=None):
    """Runs a command in a session of its own: a time-out ends it and everything it started."""
    with open(log, "wb") as out:
        child = subprocess.Popen(args, stdout=out, stderr=subprocess.STDOUT, cwd=cwd, start_new_session=True)
        try:
            return child.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(child.pid, signal.SIGKILL)
            child.wait()
            return 124


class Runner:
    def __init__(self, repo, work):
        self.repo, self.work = repo, work
        self.src, self.build = os.path.join(work, "src"), os.path.join(work, "build")
        self.t = os.path.join(self.src, "tests")
        self.b = lambda *p: os.path.join(self.build, *p)
        self.log = lambda name: os.path.join(work, name + ".log")

    def prepare(self):
        os.makedirs(self.src, exist_ok=True)
        subprocess.run(["rsync", "-rl", "--checksum", "--delete", "--exclude", "node_modules",
                        *[os.path.join(self.repo, p) for p in ("CMakeLists.txt", "src", "tools", "tests", "site")],
                        self.src + "/"], check=True)
        subprocess.run(["cmake", "-S", self.src, "-B", self.build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                        "-DCMAKE_CXX_FLAGS_RELEASE=-O1"], check=True, stdout=subprocess.DEVNULL)

    def compile(self, unit=False):
        return sh(["cmake", "--build", self.build, "-j", "2", "--target", *TARGETS]
                  + (["kx-unit-tests"] if unit else []), self.log("build")) == 0

    def hangs(self):
        """Whether the program takes more than 20 s over the site's three-game sample (a loop)."""
        d = os.path.join(self.work, "smoke")
        shutil.rmtree(d, ignore_errors=True)
        os.makedirs(d)
        for f in ("c-default.cfg", "c-header.html", "c-footer.html", "sample/sample.log"):
            shutil.copy(os.path.join(self.src, "site", f), d)
        return sh([self.b("kalimostats-c"), "sample.log"], self.log("smoke"), 20, cwd=d) == 124

    def e2e(self, into):
        return sh([os.path.join(self.t, "e2e/run.sh"), self.b("kalimostats-c"), self.b("tests/fake-preparse"),
                   os.path.join(self.t, "e2e"), into, self.b("tests/fragment-check")], self.log("e2e"), 300) == 0

    def real_logs(self, binary):
        """Whether the unmutated program and <binary> leave the same outputs over the real logs,
        as compare-outputs runs them; the run's time in a game record is masked too (two runs
        may fall in different seconds)."""
        logs = sorted(os.path.join(self.t, "data/real", f) for f in os.listdir(os.path.join(self.t, "data/real"))
                      if f.endswith(".log"))
        loader = SourceFileLoader("compare_outputs", COMPARE)
        compare = types.ModuleType(loader.name)
        loader.exec_module(compare)
        config = os.path.join(self.src, "site/c-default.cfg")
        with open(self.log("compare"), "w") as out:
            for log in logs:
                a, b = (compare.run(p, log, config) for p in (os.path.join(self.work, "pristine/kalimostats-c"), binary))
                a, b = ({k: RUN_TIMES.sub(b"T", v) for k, v in d.items()} for d in (a, b))
                if a != b:
                    out.write("%s: %s differ\n" % (log, ", ".join(sorted(k for k in set(a) | set(b)
                                                                          if a.get(k) != b.get(k)))))
                    return False
        return True

    def site(self, bindir, into):
        """What kx-site (run from bindir, beside its kalimostats-c and kx-preparse) publishes of
        the e2e and site sample logs and the real logs, the qgames log first half and then
        grown: its messages and every site file but the archive, run times masked, in order."""
        shutil.rmtree(into, ignore_errors=True)
        os.makedirs(into)
        real = os.path.join(self.t, "data/real")
        logs = [os.path.join(self.t, "e2e/several-games-ids/input.log"),
                os.path.join(self.t, "e2e/game-record-ffa/input.log"),
                os.path.join(self.src, "site/sample/sample.log")]
        logs += sorted(os.path.join(real, f) for f in os.listdir(real) if f.endswith(".log"))
        qgames = os.path.join(real, "server_qgames_challenge.log")
        with open(qgames, "rb") as f:
            lines = f.read().split(b"\n")
        with open(os.path.join(into, "grown.log"), "wb") as f:
            f.write(b"\n".join(lines[:len(lines) // 2]) + b"\n")
        shown = []
        for n, step in enumerate((["update", "--site", "s", "grown.log"],
                                  ["update", "--site", "s", "grown.log", *logs],
                                  ["rebuild", "--site", "s"])):
            if n == 1:
                shutil.copy(qgames, os.path.join(into, "grown.log"))
            status = sh([os.path.join(bindir, "kx-site"), *step], self.log("site"), 300, cwd=into)
            with open(self.log("site"), "rb") as f:
                shown.append(b"status %d\n" % status + f.read())
        files = []
        for folder, _, names in os.walk(os.path.join(into, "s")):
            for name in names:
                path = os.path.join(folder, name)
                rel = os.path.relpath(path, into).encode()
                if name in ("kalimostats.db", ".lock") or b"/images/" in rel:
                    continue
                with open(path, "rb") as f:
                    files.append((RUN_TIMES.sub(b"T", rel), RUN_TIMES.sub(b"T", f.read())))
        return [RUN_TIMES.sub(b"T", text) for text in shown] + sorted(files)

    def rest(self, quick=False):
        """The other checks of the suite, the quick ones first (only those when quick: the unit
        tests and kx-site's test); the name of the first that fails, or None."""
        if not self.compile(unit=True):
            return "unit (no build)"
        if sh([self.b("tests/kx-unit-tests"), "--gtest_brief=1", "--gtest_filter=-" + SCHEDULER_TIMED],
              self.log("unit"), 300, cwd=self.work) != 0:
            return "unit"
        checks = [
            ("kx-site", [os.path.join(self.t, "site/kx_site_test.sh"), self.build, self.src,
                         os.path.join(self.work, "kx-site")]),
        ] + ([] if quick else [
            ("metamorphic", [os.path.join(self.t, "e2e/metamorphic.sh"), self.b("kalimostats-c"), self.b("kx-preparse"),
                             os.path.join(self.t, "e2e"), os.path.join(self.t, "data/real"),
                             os.path.join(self.work, "metamorphic")]),
            ("real-logs", [os.path.join(self.t, "e2e/real_logs.sh"), self.b("kalimostats-c"), self.b("kx-preparse"),
                           os.path.join(self.src, "site"), os.path.join(self.t, "data/real"),
                           os.path.join(self.work, "real-logs")]),
            ("write-failures", [os.path.join(self.t, "e2e/write_failures.sh"), self.b("kalimostats-c"),
                                os.path.join(self.src, "site"), os.path.join(self.work, "write-failures")]),
            ("game-records", [os.path.join(self.t, "e2e/records.sh"), self.b("kalimostats-c"), self.b("kx-preparse"),
                              os.path.join(self.t, "e2e"), os.path.join(self.t, "data/real"),
                              os.path.join(self.src, "site"), os.path.join(self.work, "game-records")]),
        ])
        for name, args in checks:
            # An older checkout may lack a check: it is not part of that suite.
            if os.path.exists(args[0]) and sh(args, self.log(name), 600) != 0:
                return name
        return None


# The summary lines of a run that differ between runs, left unmasked in a file a case's setup
# keeps (run.sh masks them in the case's own standard output).
RUN_CLOCK = re.compile(rb"^( +(cpu|start|end|elapsed) time: ).*$", re.M)


def same_file(a, b):
    """Whether two files are the same bytes, apart from a run's clock in its summary lines."""
    if filecmp.cmp(a, b, shallow=False):
        return True
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return RUN_CLOCK.sub(rb"\1", fa.read()) == RUN_CLOCK.sub(rb"\1", fb.read())


def tree_difference(a, b):
    """The first file two folders do not share byte for byte (the programs copied into them
    aside), or None."""
    c = filecmp.dircmp(a, b, ignore=PROGRAMS)
    odd = c.left_only + c.right_only + c.funny_files
    odd += [f for f in c.common_files if not same_file(os.path.join(a, f), os.path.join(b, f))]
    if odd:
        return os.path.join(a, sorted(odd)[0])
    for d in c.common_dirs:
        found = tree_difference(os.path.join(a, d), os.path.join(b, d))
        if found:
            return found
    return None


def output_difference(ref, new):
    """The first output of an end-to-end case (masked) that two runs do not share, or None."""
    for case in sorted(os.listdir(ref)):
        if case == "bin":
            continue
        for name in ("stdout", "stderr"):
            a, b = os.path.join(ref, case, name), os.path.join(new, case, name)
            if not os.path.exists(b) or not filecmp.cmp(a, b, shallow=False):
                return "e2e " + case + "/" + name
        found = tree_difference(os.path.join(ref, case, "actual"), os.path.join(new, case, "actual"))
        if found:
            return "e2e " + os.path.relpath(found, ref)
    return None


def site_difference(ref, new):
    """The first of kx-site's outputs (site()) two runs do not share, or None."""
    for n, (a, b) in enumerate(zip(ref, new)):
        if a != b:
            return "kx-site " + (a[0].decode(errors="replace") if isinstance(a, tuple) else "messages of step %d" % n)
    return None if len(ref) == len(new) else "kx-site (another number of files)"


def main(argv):
    argv, only_paths = list(argv), []
    if "--only" in argv:
        i = argv.index("--only")
        only_paths = argv[i:i + 2]
        del argv[i:i + 2]
    if len(argv) < 3:
        print(__doc__.strip().splitlines()[2])
        return 2
    r = Runner(os.path.abspath(argv[1]), os.path.abspath(argv[2]))
    count = argv[3] if len(argv) > 3 else "150"
    seed = argv[4] if len(argv) > 4 else "16"
    only = set(argv[5:])
    r.prepare()
    if not r.compile(unit=True):
        print("the unmutated source does not build: " + r.log("build"))
        return 2
    pristine = os.path.join(r.work, "pristine")
    shutil.rmtree(pristine, ignore_errors=True)
    os.makedirs(pristine)
    for name in ("kalimostats-c", "kx-preparse", "kx-site"):
        shutil.copy2(r.b(name), pristine)
    ref = os.path.join(r.work, "e2e-ref")
    site_ref = r.site(pristine, os.path.join(r.work, "site-ref"))
    if not r.e2e(ref) or r.rest() is not None:
        print("the suite fails without a mutant: see the logs in " + r.work)
        return 2

    listing = subprocess.run([sys.executable, os.path.join(HERE, "generate.py"), *only_paths, r.src, count, seed],
                             check=True, capture_output=True, text=True).stdout.splitlines()
    results = open(os.path.join(r.work, "generated.txt"), "w")
    results.write(listing[0] + "\n")
    tally = {"killed": 0, "SURVIVED": 0, "equivalent": 0, "not built": 0}
    for entry in listing[1:]:
        mid, rel, number, kind, old, new = entry.split("\t")
        if only and mid not in only:
            continue
        path = os.path.join(r.src, rel)
        with open(path, encoding="utf-8", errors="surrogateescape") as f:
            text = f.read()
        lines = text.split("\n")
        start = time.time()
        if lines[int(number) - 1] != old:
            verdict, why = "not built", "line moved"
        else:
            lines[int(number) - 1] = new
            with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                f.write("\n".join(lines))
            if not r.compile():
                verdict, why = "not built", "compile error"
            elif r.hangs():
                verdict, why = "killed", "hangs (e2e time-outs)"
            elif not r.e2e(os.path.join(r.work, "e2e")):
                verdict, why = "killed", "e2e"
            else:
                shown = (output_difference(ref, os.path.join(r.work, "e2e"))
                         or (None if r.real_logs(r.b("kalimostats-c")) else "compare-outputs over the real logs")
                         or site_difference(site_ref, r.site(r.build, os.path.join(r.work, "site"))))
                if shown is None:
                    # The unit tests and kx-site's test bring inputs of their own.
                    failed = r.rest(quick=True)
                    verdict, why = ("killed", failed) if failed else ("equivalent", "no output differs")
                else:
                    failed = r.rest()
                    verdict, why = ("killed", failed) if failed else ("SURVIVED", "seen in " + shown)
            with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                f.write(text)
        tally[verdict] += 1
        row = "%s\t%s\t%s:%s\t%s\t%s\t%ds\n\t- %s\n\t+ %s\n" % (mid, verdict, rel, number, kind, why,
                                                             time.time() - start, old.strip(), new.strip())
        results.write(row)
        results.flush()
        sys.stdout.write(row)
        sys.stdout.flush()
    r.compile()
    counted = tally["killed"] + tally["SURVIVED"]
    summary = ("drawn %d: not built %d, equivalent %d; killed %d of %d (%.1f %%)"
               % (sum(tally.values()), tally["not built"], tally["equivalent"], tally["killed"], counted,
                  100.0 * tally["killed"] / max(counted, 1)))
    results.write(summary + "\n")
    print(summary)
    return 0 if counted and tally["killed"] >= 0.85 * counted else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
