#!/usr/bin/python3
"""Start-up benchmark: time from process start to the first painted frame, and peak resident
memory, of Spirex's main window against a bare Qt Widgets window with one label. Runs alternate
between the two; prints the medians and Spirex's ratios to the bare window.

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
    "spirex": os.path.join(build, "tests", "spirex_startup_probe"),
    "bare": os.path.join(build, "tests", "bare_startup_probe"),
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
print(f"{'':8} {'first frame (ms)':>18} {'peak RSS (MiB)':>16}")
for name in probes:
    print(f"{name:8} {statistics.median(times[name]):18.1f} {statistics.median(memory[name]):16.2f}")
time_ratio = statistics.median(times["spirex"]) / statistics.median(times["bare"])
memory_ratio = statistics.median(memory["spirex"]) / statistics.median(memory["bare"])
print(f"{'ratio':8} {time_ratio:18.3f} {memory_ratio:16.3f}   (target: 1.10 or less)")
