#!/usr/bin/env python3
"""Memory over time: kx20-config-demo while its DPI button is pressed many times.

Starts a private copy of the demo (offscreen), presses the emulated mouse's
DPI button through its standard-input control at a steady pace, and samples
resident memory after a warm-up and after each further block of presses.
Prints the growth per thousand presses over the measured blocks, with its
goal (none beyond noise) and the ratio measured / goal.

    bench/bench_dpibutton.py [build/bin/kx20-config-demo] [presses]
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

WARM_UP = 1000
PACE_S = 0.004
BLOCK = 1000
# Allocator noise on a 60 MB process: a page or two per thousand presses.
GOAL_BYTES_PER_1000 = 8192


def rss_bytes(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) * 1024
    return 0


def press(proc, count):
    for _ in range(count):
        proc.stdin.write(b"\n")
        proc.stdin.flush()
        time.sleep(PACE_S)
    time.sleep(0.5)  # let the last reports arrive


def main():
    built = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bin/kx20-config-demo")
    presses = int(sys.argv[2]) if len(sys.argv) > 2 else 6000
    with tempfile.TemporaryDirectory() as folder:
        shutil.copy(built, folder)
        shutil.copytree(os.path.join(os.path.dirname(built), "modules"), os.path.join(folder, "modules"))
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CACHE_HOME=os.path.join(folder, "cache"))
        env.pop("XDG_RUNTIME_DIR", None)
        proc = subprocess.Popen([os.path.join(folder, os.path.basename(built)), "--dpi-button-stdin"], env=env,
                                stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        for line in proc.stderr:
            if b"Main screen shown" in line:
                break
        # The notices go to standard error; keep reading it so it never fills.
        drain = subprocess.Popen(["cat"], stdin=proc.stderr, stdout=subprocess.DEVNULL)
        try:
            press(proc, WARM_UP)
            samples = [rss_bytes(proc.pid)]
            for _ in range(max(1, presses // BLOCK)):
                press(proc, BLOCK)
                samples.append(rss_bytes(proc.pid))
        finally:
            proc.kill()
            proc.wait()
            drain.wait()
    per_1000 = (samples[-1] - samples[0]) / (len(samples) - 1)
    print("resident memory after each block of 1000 presses (MB): "
          + ", ".join(f"{s / 1048576:.2f}" for s in samples))
    print(f"growth per 1000 presses: {per_1000:8.0f} bytes  goal <= {GOAL_BYTES_PER_1000} bytes  "
          f"ratio {max(per_1000, 0) / GOAL_BYTES_PER_1000:.2f}")


if __name__ == "__main__":
    main()
