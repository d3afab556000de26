#!/usr/bin/env python3
"""Start-up time and memory of the viewer against the toolkit's floor.

Starts a private Xvfb display, then runs the viewer's probe and the bare Qt
program alternately, each as a fresh process, and reports for each: time from
process start to the first painted frame (median, interquartile range, min,
max) and resident memory once the window is shown.

usage: bench/startup.py [BUILD_DIR] [RUNS]
"""
import os
import select
import statistics
import subprocess
import sys
import tempfile
import time

build = sys.argv[1] if len(sys.argv) > 1 else "build-bench"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 40
programs = {
    "viewer": os.path.join(build, "bench", "startup_probe"),
    "floor": os.path.join(build, "bench", "startup_floor"),
}


def start_xvfb(limit=10):
    """Starts Xvfb on a free display, which it names on a pipe once it takes
    connections (-displayfd); returns the process and the display."""
    ready, write_end = os.pipe()
    log = tempfile.TemporaryFile()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log)
    os.close(write_end)
    # The number, then a newline, in two writes: the pipe stays open up to the
    # newline, or Xvfb dies of SIGPIPE on it. End of file means Xvfb failed.
    deadline = time.monotonic() + limit
    text, what = b"", None
    while not text.endswith(b"\n"):
        if not select.select([ready], [], [], max(0, deadline - time.monotonic()))[0]:
            what = f"was still silent after {limit} s"
            break
        chunk = os.read(ready, 32)
        if not chunk:
            what = "ended"
            break
        text += chunk
    os.close(ready)
    if what:
        server.kill()
        server.wait()
        log.seek(0)
        sys.exit(f"Xvfb named no display: it {what}. Its output:\n{log.read().decode(errors='replace')}")
    return server, ":" + text.decode().strip()


xvfb, display = start_xvfb()
env = dict(os.environ, DISPLAY=display)
env.pop("QT_QPA_PLATFORM", None)
env.pop("WAYLAND_DISPLAY", None)


def once(path):
    start = time.monotonic_ns()
    run = subprocess.run([path], env=env, capture_output=True, text=True, timeout=30)
    fields = dict(item.split("=") for item in run.stdout.split())
    if "first_paint_ns" not in fields or "rss_kb" not in fields:
        sys.exit(f"{path} exited with status {run.returncode} without its figures; it printed:\n"
                 f"{run.stdout}{run.stderr}")
    return (int(fields["first_paint_ns"]) - start) / 1e6, int(fields["rss_kb"]) / 1024


try:
    for path in programs.values():  # warm the page cache once, not measured
        once(path)
    samples = {name: [] for name in programs}
    for _ in range(runs):
        for name, path in programs.items():
            samples[name].append(once(path))
finally:
    xvfb.terminate()
    xvfb.wait(timeout=10)


def summary(values):
    q = statistics.quantiles(values, n=4)
    return statistics.median(values), q[0], q[2], min(values), max(values)


print(f"{runs} runs each, alternating, fresh process every run, Xvfb {display}")
print(f"{'':8} {'median ms':>10} {'IQR ms':>15} {'min':>7} {'max':>7} {'RSS MiB':>8}")
medians = {}
for name, values in samples.items():
    ms = [t for t, _ in values]
    rss = statistics.median(r for _, r in values)
    med, q1, q3, lo, hi = summary(ms)
    medians[name] = (med, rss)
    print(f"{name:8} {med:10.1f} {q1:7.1f}–{q3:<7.1f} {lo:7.1f} {hi:7.1f} {rss:8.1f}")
print(f"viewer / floor: time {medians['viewer'][0] / medians['floor'][0]:.2f}, "
      f"memory {medians['viewer'][1] / medians['floor'][1]:.2f}")
