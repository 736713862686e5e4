#!/usr/bin/env python3
"""Times the built checker on the corpora of make_corpus.py and prints the figures.

For each shape: the median wall time of repeated runs (hyperfine when it is
installed), the median time of `cat` reading the same files, MB/s, files/s,
and the peak resident memory reported by /usr/bin/time -v.

usage: measure.py [--runs N] BINARY CORPUS_DIR
"""

import argparse
import json
import os
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


def track_files(root):
    found = []
    for directory, _, names in os.walk(root):
        found += [os.path.join(directory, n) for n in names if n.endswith(".track")]
    return sorted(found)


def verdict(ok):
    return "met" if ok else "NOT MET"


def note_heavy(binary, corpus, runs):
    path = os.path.join(corpus, "notes", "notes.track")
    size = os.path.getsize(path)
    seconds = median_seconds([binary, path], runs)
    cat = median_seconds(["cat", path], runs)
    rss = peak_rss_mb([binary, path])
    limit = 3 * size / MB + 10
    print(f"1. note-heavy file, {size / MB:.0f} MB")
    print(f"   lyrelint {seconds:.3f} s = {size / MB / seconds:.0f} MB/s "
          f"(target >= 300 MB/s: {verdict(size / MB / seconds >= 300)})")
    print(f"   cat      {cat:.3f} s; ratio {seconds / cat:.1f}x")
    print(f"   peak memory {rss:.0f} MB (target <= 3 x file + 10 MB = {limit:.0f} MB: "
          f"{verdict(rss <= limit)})")


def project(binary, corpus, runs):
    root = os.path.join(corpus, "project")
    files = track_files(root)
    size = sum(os.path.getsize(f) for f in files)
    largest = max(os.path.getsize(f) for f in files)
    seconds = median_seconds([binary, root], runs)
    cat = median_seconds(["cat"] + files, runs)
    rss = peak_rss_mb([binary, root])
    limit = 3 * largest / MB + 10
    print(f"2. game project, {len(files)} files, {size / MB:.1f} MB")
    print(f"   lyrelint {seconds:.3f} s = {len(files) / seconds:.0f} files/s, "
          f"{size / MB / seconds:.0f} MB/s (target <= 0.25 s: {verdict(seconds <= 0.25)})")
    print(f"   cat      {cat:.3f} s; ratio {seconds / cat:.1f}x "
          f"(target <= 3x: {verdict(seconds <= 3 * cat)})")
    print(f"   peak memory {rss:.1f} MB (target <= 3 x largest file + 10 MB = {limit:.1f} MB: "
          f"{verdict(rss <= limit)})")


def scaling(binary, corpus, runs):
    root = os.path.join(corpus, "scaling")
    # The cost of the entries is the time beyond that of an empty file, which
    # is mostly starting the process.
    with tempfile.NamedTemporaryFile(suffix=".track") as empty:
        base = median_seconds([binary, empty.name], 3 * runs)
    print("3. scaling: ten times the entries (target: at most 11 times the time;")
    print(f"   net = time minus the {base * 1000:.1f} ms of an empty file)")
    print(f"   {'kind':<12} {'small':>9} {'large':>9} {'ratio':>6} {'net':>6}  "
          f"{'peak MB (large) of limit':>24}")
    worst_memory = True
    for kind in sorted(os.listdir(root)):
        small = os.path.join(root, kind, "small", "main.track")
        large = os.path.join(root, kind, "large", "main.track")
        t_small = median_seconds([binary, small], 3 * runs)
        t_large = median_seconds([binary, large], runs)
        net = (t_large - base) / max(t_small - base, 1e-6)
        rss = peak_rss_mb([binary, large])
        size = os.path.getsize(large)
        within = rss <= 3 * size / MB + 10
        worst_memory = worst_memory and within
        print(f"   {kind:<12} {t_small:>8.3f}s {t_large:>8.3f}s {t_large / t_small:>5.1f}x "
              f"{net:>5.1f}x  {rss:>6.0f} of {3 * size / MB + 10:>4.0f}  {verdict(net <= 11)}"
              f"{'' if within else ', memory NOT MET'}")
    print(f"4. peak memory within 3 x largest file + 10 MB on every scaling file: "
          f"{verdict(worst_memory)}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("binary")
    parser.add_argument("corpus")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--only", choices=["notes", "project", "scaling"])
    args = parser.parse_args()
    binary = os.path.abspath(args.binary)
    print(f"machine: {os.cpu_count()} cores, {cpu_name()}; runs: median of {args.runs}"
          f"{' (hyperfine)' if shutil.which('hyperfine') else ''}")
    for name, shape in (("notes", note_heavy), ("project", project), ("scaling", scaling)):
        if args.only in (None, name):
            shape(binary, args.corpus, args.runs)
            sys.stdout.flush()


def cpu_name():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown processor"


if __name__ == "__main__":
    main()
