#!/usr/bin/env python3
"""Start-up cost of kx20-config-demo under Xvfb.

Prints, as medians over several starts: time from process start to the
window being mapped, time to the scene's first "initUI", time to the main
screen (after the one-second power-on lock), peak resident memory, and the
CPU the connected program uses while idle, each with its goal and the ratio
measured / goal. Then opens each dialog page once with xdotool and prints
the slowest first open (the page's visuals are built then) and the peak
memory once every page has been opened.

    bench/bench_startup.py [build/bin/kx20-config-demo]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

GOAL_MAPPED_MS = 170
GOAL_PEAK_MB = 55
GOAL_IDLE_CPU = 0.1  # percent of one core
GOAL_FIRST_OPEN_MS = 50
# Where a person clicks to open each dialog page, and its close picture.
PAGES = [("keyAssigment", (140, 165), (696, 137)),
         ("macroEditor", (100, 402), (808, 116)),
         ("gunControl", (100, 427), (808, 116)),
         ("systemSetting", (140, 520), (696, 176)),
         ("profile", (718, 620), (696, 188))]
RUNS = 5
IDLE_SECONDS = 10


def start_xvfb():
    for display in range(90, 120):
        if not os.path.exists(f"/tmp/.X{display}-lock"):
            xvfb = subprocess.Popen(["Xvfb", f":{display}", "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                if os.path.exists(f"/tmp/.X11-unix/X{display}"):
                    return xvfb, f":{display}"
                time.sleep(0.01)
            xvfb.kill()
    sys.exit("Xvfb did not start")


def clock_ticks(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def peak_rss_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return float("nan")


def one_start(program, waiter, env, measure_idle):
    watch = subprocess.Popen([waiter], env=env, stdout=subprocess.PIPE, text=True)
    watch.stdout.readline()  # "ready": watching the root window
    started = time.monotonic()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    mapped = float(watch.stdout.readline()) - started * 1000
    watch.wait(timeout=30)
    scene = shown = float("nan")
    for line in proc.stderr:
        if "Scene ready" in line:
            scene = (time.monotonic() - started) * 1000
        if "Main screen shown" in line:
            shown = (time.monotonic() - started) * 1000
            break
    idle = None
    if measure_idle:
        time.sleep(1)  # let the connection settle
        before = clock_ticks(proc.pid)
        time.sleep(IDLE_SECONDS)
        idle = (clock_ticks(proc.pid) - before) / os.sysconf("SC_CLK_TCK") / IDLE_SECONDS * 100
    peak = peak_rss_mb(proc.pid)
    opens = open_pages(proc, env) if measure_idle else {}
    peak_all_pages = peak_rss_mb(proc.pid) if opens else None
    proc.kill()
    proc.wait()
    return mapped, scene, peak, idle, shown, opens, peak_all_pages


def open_pages(proc, env):
    """Opens and closes each dialog page; the scene logs how long each first
    open took."""
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(proc.pid)],
                            env=env, capture_output=True, text=True).stdout.split()[0]
    opens = {}
    for name, (x, y), (cx, cy) in PAGES:
        for px, py in ((x, y), (cx, cy)):
            subprocess.run(["xdotool", "mousemove", "--window", window, str(px), str(py), "click", "1"], env=env)
        for line in proc.stderr:
            if f"First open of {name}:" in line:
                opens[name] = float(line.rsplit(":", 1)[1].split()[0])
                break
    return opens


def main():
    built = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/bin/kx20-config-demo")
    waiter = os.path.join(os.path.dirname(os.path.dirname(built)), "bench", "xmapwait")
    if not shutil.which("Xvfb") or not os.path.exists(waiter):
        sys.exit("Xvfb and build/bench/xmapwait are needed (./scripts/test installs and builds them)")
    # A private copy of the program and its modules/, so the user's settings
    # and a running instance are left alone.
    with tempfile.TemporaryDirectory() as folder:
        shutil.copytree(os.path.dirname(built), folder, dirs_exist_ok=True)
        program = os.path.join(folder, os.path.basename(built))
        xvfb, display = start_xvfb()
        env = dict(os.environ, DISPLAY=display)
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("QT_QPA_PLATFORM", None)
        try:
            one_start(program, waiter, env, False)  # warm the file cache
            runs = [one_start(program, waiter, env, i == 0) for i in range(RUNS)]
        finally:
            xvfb.kill()
    mapped = statistics.median(r[0] for r in runs)
    scene = statistics.median(r[1] for r in runs)
    peak = statistics.median(r[2] for r in runs)
    idle = runs[0][3]
    shown = statistics.median(r[4] for r in runs)
    opens = runs[0][5]
    peak_all_pages = runs[0][6]
    slowest = max(opens, key=opens.get) if opens else None
    print(f"window mapped:   {mapped:7.1f} ms  goal <= {GOAL_MAPPED_MS} ms   ratio {mapped / GOAL_MAPPED_MS:.2f}")
    print(f"first initUI:    {scene:7.1f} ms")
    print(f"main screen:     {shown:7.1f} ms  (after the 1000 ms power-on lock)")
    print(f"peak memory:     {peak:7.1f} MB  goal <= {GOAL_PEAK_MB} MB    ratio {peak / GOAL_PEAK_MB:.2f}")
    print(f"idle CPU ({IDLE_SECONDS} s): {idle:6.3f} %   goal <= {GOAL_IDLE_CPU} %   ratio {idle / GOAL_IDLE_CPU:.2f}")
    if slowest:
        worst = opens[slowest]
        print(f"first page open: {worst:7.1f} ms  goal <= {GOAL_FIRST_OPEN_MS} ms    ratio "
              f"{worst / GOAL_FIRST_OPEN_MS:.2f}  (slowest: {slowest}; all: "
              + ", ".join(f"{k} {v:.0f}" for k, v in opens.items()) + ")")
    if peak_all_pages is not None:
        print(f"peak, all pages: {peak_all_pages:7.1f} MB  goal <= {GOAL_PEAK_MB} MB    ratio "
              f"{peak_all_pages / GOAL_PEAK_MB:.2f}  (after each page has been opened once)")


if __name__ == "__main__":
    main()
