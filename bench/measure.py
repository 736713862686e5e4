#!/usr/bin/env python3
"""Times the built checker on the corpora of make_corpus.py and prints each figure beside its target.

With --before, a second build (an earlier revision) is measured on the same
corpora, alternately with this one, and both columns are printed. Wall times
are medians of repeated runs (hyperfine when installed), peak memory comes
from /usr/bin/time -v, instruction counts from callgrind, and the language
server's figure from its Google Benchmark.

usage: measure.py [--runs N] [--before BINARY] [--bench LYRE_BENCH [--bench-before LYRE_BENCH]]
                  [--only SHAPE] BINARY CORPUS_DIR
"""

import argparse
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

MB = 1_000_000


def median_seconds(command, runs):
    """Median wall time of `runs` runs of `command`, its output discarded."""
    if shutil.which("hyperfine"):
        with tempfile.NamedTemporaryFile(suffix=".json") as report:
            subprocess.run(["hyperfine", "--style", "none", "--warmup", "1", "--runs", str(runs),
                            "--ignore-failure", "--export-json", report.name, "-N",
                            " ".join(f"'{part}'" for part in command)],
                           check=True, stdout=subprocess.DEVNULL)
            return json.load(open(report.name))["results"][0]["median"]
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)  # warm-up
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def peak_rss_mb(command):
    """Maximum resident set size of one run, from /usr/bin/time -v, in MB."""
    result = subprocess.run(["/usr/bin/time", "-v"] + command, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True)
    for line in result.stderr.splitlines():
        if "Maximum resident set size" in line:
            return int(line.rsplit(":", 1)[1]) * 1024 / MB
    raise RuntimeError("no peak memory in the output of /usr/bin/time -v")


def instructions(command):
    """Instructions of one run under callgrind (every thread counted)."""
    result = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"]
                            + command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            text=True)
    found = re.search(r"Collected : (\d+)", result.stderr)
    if not found:
        raise RuntimeError("no instruction count in callgrind's output")
    return int(found.group(1))


def track_files(root):
    found = []
    for directory, _, names in os.walk(root):
        found += [os.path.join(directory, n) for n in names if n.endswith(".track")]
    return sorted(found)


class Table:
    """Rows of figure, before (when measured), now, target and whether now meets it."""

    def __init__(self, before):
        self.before = before

    def row(self, figure, now, target="", met=None, before=None):
        verdict = "" if met is None else ("met" if met else "NOT MET")
        cells = [figure] + ([before] if self.before else []) + [now, target, verdict]
        print("| " + " | ".join(cells) + " |")
        sys.stdout.flush()

    def head(self, title):
        print(f"\n{title}\n")
        cells = ["figure"] + (["before"] if self.before else []) + ["now", "target", ""]
        print("| " + " | ".join(cells) + " |")
        print("|" + "---|" * len(cells))


def each(binaries, measure):
    """`measure(binary)` for the current build and the earlier one, alternately."""
    return [measure(b) if b else None for b in binaries]


def project(table, binaries, corpus, runs):
    root = os.path.join(corpus, "project")
    files = track_files(root)
    cat = median_seconds(["cat"] + files, runs)
    table.head(f"Files in parallel: the game project, {len(files)} files "
               f"(cat of the same files: {cat:.3f} s)")
    every = each(binaries, lambda b: median_seconds([b, root], runs))
    one = each(binaries, lambda b: median_seconds(["taskset", "-c", "0", b, root], runs))
    rss = each(binaries, lambda b: peak_rss_mb([b, root]))
    show = lambda i, f: f(i) if binaries[i] else None
    table.row("every core", f"{every[0]:.3f} s", before=show(1, lambda i: f"{every[i]:.3f} s"))
    table.row("one core (`taskset -c 0`)", f"{one[0]:.3f} s",
              before=show(1, lambda i: f"{one[i]:.3f} s"))
    table.row("speed-up over one core", f"{one[0] / every[0]:.2f}x", ">= 1.7x",
              one[0] / every[0] >= 1.7, before=show(1, lambda i: f"{one[i] / every[i]:.2f}x"))
    table.row("ratio to cat", f"{every[0] / cat:.1f}x", "<= 2x", every[0] <= 2 * cat,
              before=show(1, lambda i: f"{every[i] / cat:.1f}x"))
    table.row("peak memory", f"{rss[0]:.1f} MB", before=show(1, lambda i: f"{rss[i]:.1f} MB"))


def one_file(table, binaries, name, path, inputs, runs, speed, memory_factor):
    size = sum(os.path.getsize(f) for f in inputs)
    seconds = each(binaries, lambda b: median_seconds([b, path], runs))
    rss = each(binaries, lambda b: peak_rss_mb([b, path]))
    limit = memory_factor * size / MB + 10
    show = lambda i, f: f(i) if binaries[i] else None
    rate = lambda i: size / MB / seconds[i]
    table.row(f"{name}, {size / MB:.1f} MB: speed", f"{seconds[0]:.3f} s, {rate(0):.0f} MB/s",
              f">= {speed} MB/s", rate(0) >= speed,
              before=show(1, lambda i: f"{seconds[i]:.3f} s, {rate(i):.0f} MB/s"))
    table.row(f"{name}: peak memory", f"{rss[0]:.0f} MB ({rss[0] * MB / size:.1f}x)",
              f"<= {memory_factor}x + 10 MB = {limit:.0f} MB", rss[0] <= limit,
              before=show(1, lambda i: f"{rss[i]:.0f} MB ({rss[i] * MB / size:.1f}x)"))


def big_files(table, binaries, corpus, runs):
    table.head("One big file, and entry-heavy files")
    notes = os.path.join(corpus, "notes", "notes.track")
    one_file(table, binaries, "note-heavy file", notes, [notes], runs, 300, 3)
    for kind, label in (("sounds", "200,000 sounds"),
                        ("aliased", "import `as lib`, 200,000 sounds and layers colliding")):
        main = os.path.join(corpus, "scaling", kind, "large", "main.track")
        inputs = track_files(os.path.dirname(main))
        one_file(table, binaries, label, main, inputs, runs, 50, 10)


def scaling(table, binaries, corpus):
    root = os.path.join(corpus, "scaling")
    table.head("Scaling: instructions of ten times the entries over those of the file with "
               "one tenth (callgrind)")
    for kind in sorted(os.listdir(root)):
        paths = [os.path.join(root, kind, size, "main.track") for size in ("small", "large")]
        ratio = each(binaries, lambda b: instructions([b, paths[1]]) / instructions([b, paths[0]]))
        table.row(kind, f"{ratio[0]:.1f}x", "<= 11x", ratio[0] <= 11,
                  before=f"{ratio[1]:.1f}x" if binaries[1] else None)


def server(table, benches, runs):
    table.head("The language server: a change to a 1 MB document, to its diagnostics")

    def median_ms(bench):
        result = subprocess.run([bench, "--benchmark_filter=ChangeToDiagnostics",
                                 f"--benchmark_repetitions={runs}", "--benchmark_format=json"],
                                check=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                text=True)
        for run in json.loads(result.stdout)["benchmarks"]:
            if run.get("aggregate_name") == "median":
                return run["real_time"]
        raise RuntimeError("no median in the benchmark's output")

    ms = each(benches, median_ms)
    table.row("`didChange` to `publishDiagnostics` (median)", f"{ms[0]:.1f} ms", "<= 50 ms",
              ms[0] <= 50, before=f"{ms[1]:.1f} ms" if benches[1] else None)


def cpu_name():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown processor"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("binary")
    parser.add_argument("corpus")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--before", help="an earlier build's lyrelint, measured beside this one")
    parser.add_argument("--bench", help="lyre_bench, for the language server's figure")
    parser.add_argument("--bench-before", help="the earlier build's lyre_bench")
    parser.add_argument("--only", choices=["project", "files", "scaling", "server"])
    args = parser.parse_args()
    binaries = [os.path.abspath(args.binary), args.before and os.path.abspath(args.before)]
    print(f"machine: {os.cpu_count()} cores, {cpu_name()}; runs: median of {args.runs}"
          f"{' (hyperfine)' if shutil.which('hyperfine') else ''}")
    table = Table(bool(args.before))
    if args.only in (None, "project"):
        project(table, binaries, args.corpus, args.runs)
    if args.only in (None, "files"):
        big_files(table, binaries, args.corpus, args.runs)
    if args.only in (None, "scaling"):
        scaling(table, binaries, args.corpus)
    if args.only in (None, "server") and args.bench:
        server(table, [args.bench, args.bench_before], args.runs)


if __name__ == "__main__":
    main()
