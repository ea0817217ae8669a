#!/usr/bin/env python3
"""Whole-process cost of `kx20ctl --emulate info` and `kx20ctl --emulate list`.

Each command is started many times as a fresh process against the emulated
mouse, on a private copy of the modules/ folder. What is measured is the
tool's own cost: starting the process, reading the settings files, building
the device link and the emulated mouse, discovery with its handshake, the
status reads and the output.

The protocol pauses (8 ms link polls, 120 ms after output reports, 128 ms
settles) are not the tool's cost and are excluded, in two ways that must
agree:

  skipped   the hidden developer option --dev-no-pauses: every pause is
            counted but not slept (the device link's clock still moves on
            by it, so the emulated mouse's pacing checks hold);
  subtracted  the real pauses are slept, and the total that the tool reports
            with the hidden option --dev-pause-total is subtracted from the
            wall time of that run.

Neither info nor list pauses at all (their exchanges are feature reports
without bulk output), so the pause total is expected to be 0 and both ways
to give the same numbers; the script prints the totals so this is seen, not
assumed. For scale it also times `kx20ctl --help` (process start and Qt,
nothing else) and /bin/true.

    bench/bench_kx20ctl.py [build/bin/kx20ctl] [runs]
"""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

GOAL_MS = 100.0
PAUSES = re.compile(r"^pauses (\d+) ms in (\d+) sleeps", re.M)


def once(argv):
    started = time.perf_counter()
    proc = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    wall = (time.perf_counter() - started) * 1000
    if proc.returncode != 0:
        sys.exit(f"{' '.join(argv)} exited with {proc.returncode}:\n{proc.stderr}")
    found = PAUSES.search(proc.stderr)
    paused = int(found.group(1)) if found else 0
    return wall, paused


def measure(argv, runs):
    once(argv)  # warm the page cache
    walls, pauses = [], []
    for _ in range(runs):
        wall, paused = once(argv)
        walls.append(wall)
        pauses.append(paused)
    return walls, pauses


def summary(values):
    return statistics.median(values), min(values), max(values)


def main():
    tool = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bin/kx20ctl")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    if not os.access(tool, os.X_OK):
        sys.exit(f"no kx20ctl at {tool} (build it first: cmake --build build --target kx20ctl)")
    installed = os.path.join(os.path.dirname(tool), "modules")
    if not os.path.isdir(os.path.join(installed, "setting")):
        installed = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "modules")

    with tempfile.TemporaryDirectory() as work:
        modules = os.path.join(work, "modules")
        for folder in ("setting", "gun"):
            shutil.copytree(os.path.join(installed, folder), os.path.join(modules, folder))
        base = [tool, "--emulate", "--modules", modules, "--dev-pause-total"]

        print(f"kx20ctl: {tool}")
        print(f"{runs} runs each; times in ms (median, min, max); goal {GOAL_MS:.0f} ms\n")
        print(f"{'':34} {'median':>8} {'min':>8} {'max':>8} {'pauses':>8} {'ratio':>7}")

        _, floor_min, _ = summary(measure(["/bin/true"], runs)[0])
        help_walls, _ = measure([tool, "--help"], runs)
        help_median, help_min, help_max = summary(help_walls)
        print(f"{'/bin/true':34} {'':>8} {floor_min:8.1f}")
        print(f"{'kx20ctl --help (start-up only)':34} {help_median:8.1f} {help_min:8.1f} {help_max:8.1f}")

        worst = 0.0
        for command in ("info", "list"):
            skipped, skipped_pauses = measure(base + ["--dev-no-pauses", command], runs)
            real, real_pauses = measure(base + [command], runs)
            subtracted = [w - p for w, p in zip(real, real_pauses)]
            for label, walls, pauses in ((f"--emulate {command}, pauses skipped", skipped, skipped_pauses),
                                         (f"--emulate {command}, pauses subtracted", subtracted, real_pauses)):
                median, low, high = summary(walls)
                worst = max(worst, median)
                print(f"{label:34} {median:8.1f} {low:8.1f} {high:8.1f} {max(pauses):8d} {median / GOAL_MS:7.2f}")

        print(f"\nworst median / goal = {worst / GOAL_MS:.2f} ({'met' if worst < GOAL_MS else 'NOT met'})")
        print(f"share of the worst median that is process start-up (--help): {help_median / worst:.2f}")


if __name__ == "__main__":
    main()
