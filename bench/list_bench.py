#!/usr/bin/env python3
"""`vorn prompts list TERM` without a running app against `fzf --filter TERM` over the same
titles and descriptions, in the same run: wall time and peak memory, shipped library and a
generated one. Also the command with the library loaded in full (a lock file left behind by a
crash makes it open the store as usual), for comparison.

    bench/list_bench.py build/bench/src/shell/vorn [--prompts 100000] [--runs 5]
"""

import argparse, os, shutil, statistics, subprocess, sys, tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from shell_bench import TERM, generate_library, shipped_lines, timed, write_lines


def home(work, name, seed_dir):
    root = os.path.join(work, name)
    env = dict(os.environ, HOME=root, XDG_CONFIG_HOME=f"{root}/config", XDG_DATA_HOME=f"{root}/data",
               XDG_CACHE_HOME=f"{root}/cache", XDG_RUNTIME_DIR=f"{root}/run",
               DBUS_SESSION_BUS_ADDRESS=f"unix:path={root}/no-bus", QT_QPA_PLATFORM="offscreen")
    for name_ in ("VORN_SEED_DIR", "VORN_TRACE", "DISPLAY", "WAYLAND_DISPLAY"):
        env.pop(name_, None)
    if seed_dir:
        env["VORN_SEED_DIR"] = seed_dir
    os.makedirs(f"{root}/config/vorn")
    os.makedirs(f"{root}/run", mode=0o700)
    return root, env


def bench(vorn, work, name, seed_dir, rows, runs):
    root, env = home(work, name, seed_dir)
    lines = os.path.join(work, f"{name}.lines")
    write_lines(lines, rows)
    # The store is made and filled once, as a first start does; not measured.
    subprocess.run([vorn, "library", "sync"], env=env, stdout=subprocess.DEVNULL, check=True)
    store = f"{root}/data/vorn/library.sqlite"

    def median(command, stdin_path=None, before=None):
        times, peaks = [], []
        for _ in range(runs):
            if before:
                before()
            stdin = open(stdin_path) if stdin_path else None
            t, rss = timed(command, env, stdin=stdin)
            if stdin:
                stdin.close()
            times.append(t)
            peaks.append(rss)
        return statistics.median(times), statistics.median(peaks)

    def stale_lock():
        open(store + ".lock", "w").close()

    fast = median([vorn, "prompts", "list", TERM])
    full = median([vorn, "prompts", "list", TERM], before=stale_lock)
    fzf = median(["fzf", "--filter", TERM], stdin_path=lines)
    count = f"{len(rows):,} prompts"
    print(f"{'figure':48s} {'VORN':>10s}   {'anchor':24s} {'':>9s} {'ratio':>6s}")
    for label, (t, rss) in ((f"prompts list {TERM}, no app ({count})", fast),
                            (f"  the same, library loaded ({count})", full)):
        print(f"{label:48s} {t:8.1f}ms   {'fzf --filter ' + TERM:24s} {fzf[0]:7.1f}ms {t / fzf[0]:6.2f}")
        print(f"{'  peak memory':48s} {rss:8.1f}MB   {'fzf memory':24s} {fzf[1]:7.1f}MB {rss / fzf[1]:6.2f}")
    sys.stdout.flush()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("vorn")
    parser.add_argument("--prompts", type=int, default=100000)
    parser.add_argument("--runs", type=int, default=5)
    options = parser.parse_args()
    if not shutil.which("fzf"):
        print("SKIP: fzf is not installed")
        return 77
    vorn = os.path.abspath(options.vorn)
    work = tempfile.mkdtemp(prefix="vorn-list-bench-")
    try:
        bench(vorn, work, "shipped", None, shipped_lines(), options.runs)
        if options.prompts > 0:
            seed = os.path.join(work, "seed")
            rows = generate_library(seed, options.prompts)
            bench(vorn, work, "generated", seed, rows, options.runs)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
