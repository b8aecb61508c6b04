#!/usr/bin/python3
"""Start-up benchmark: time from process start to the first painted frame, and peak resident
memory, of Spirex's main window against a bare Qt Widgets window with one label of the same size.
A third window holds the same kinds of Qt widgets as Spirex's (menu bar, list of 223 items, text
box, buttons, labels, a JPEG picture) and nothing of Spirex: it shows what Qt itself costs for the
controls. Runs alternate between the three; prints the medians and the ratios to the bare window.

Usage: bench.py BUILD_DIR [RUNS]   (on an X display: make bench starts Xvfb for it)
"""
import os
import statistics
import subprocess
import sys
import time

build = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 40
probes = {
    "spirex": os.path.join(build, "tools", "spirex_startup_probe"),
    "bare": os.path.join(build, "tools", "bare_startup_probe"),
    "widgets": os.path.join(build, "tools", "widgets_startup_probe"),
}


def run_once(path):
    start = time.monotonic_ns()
    child = subprocess.Popen([path], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    output = child.stdout.read().decode()
    _, status, usage = os.wait4(child.pid, 0)
    child.stdout.close()
    if status != 0 or "first-frame-ns" not in output:
        sys.exit(f"{path} failed (status {status}): {output!r}")
    frame = int(output.split()[1])
    return (frame - start) / 1e6, usage.ru_maxrss / 1024  # ms, MiB


for path in probes.values():  # warm the page cache and the font cache
    run_once(path)
    run_once(path)

times = {name: [] for name in probes}
memory = {name: [] for name in probes}
for _ in range(runs):
    for name, path in probes.items():
        ms, mib = run_once(path)
        times[name].append(ms)
        memory[name].append(mib)

print(f"{runs} runs each, alternating, on {os.environ.get('QT_QPA_PLATFORM', 'the default platform')}"
      f" (DISPLAY={os.environ.get('DISPLAY', '')})")
print(f"{'':14} {'first frame (ms)':>12} {'peak RSS (MiB)':>16}")
for name in probes:
    print(f"{name:14} {statistics.median(times[name]):12.1f} {statistics.median(memory[name]):16.2f}")
for name in ("spirex", "widgets"):
    time_ratio = statistics.median(times[name]) / statistics.median(times["bare"])
    memory_ratio = statistics.median(memory[name]) / statistics.median(memory["bare"])
    print(f"{name + '/bare':14} {time_ratio:12.3f} {memory_ratio:16.3f}")
print("target for spirex/bare: 1.10 or less")
