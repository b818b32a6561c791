#!/usr/bin/env python3
"""Start-up and search timing of the Linux window, against an empty Qt 6 QWidget window.

    cmake --build --preset linux --target startup_qt_probe startup_qt_empty_probe
    python3 bench/startup_qt.py [--runs 20]

Each run spawns build/linux/startup_qt_probe (the program's start-up, timed) or
build/linux/startup_qt_empty_probe (an empty QWidget window, linked with Qt alone), which
print the CLOCK_MONOTONIC time of their window's first paint; the time to first paint is that minus the spawn time taken here.
Peak memory is the child's maximum resident set (wait4). The two windows are started in
turns, on the same display, so that both see the same machine. A last series clicks the
search button for a playlist of 10,000 songs from the sample server and times the click
until the list has painted its rows.

Without DISPLAY, a private Xvfb with openbox is started.
"""
import argparse
import os
import socket
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "linux")
PROBES = {"app": "startup_qt_probe", "empty": "startup_qt_empty_probe"}


def start_display():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        os.environ["DISPLAY"] = ":" + pipe.readline().strip()
    openbox = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    return [openbox, xvfb]


def start_server():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    server = subprocess.Popen(
        [sys.executable, os.path.join(ROOT, "tools", "sample_playlist_server.py"), "--port", str(port)],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=0.1).close()
            break
        except OSError:
            time.sleep(0.05)
    return server, "http://127.0.0.1:%d" % port


def run_probe(probe, arguments, environment):
    probe = os.path.join(BUILD, probe)
    spawned = time.monotonic_ns()
    child = subprocess.Popen([probe] + arguments, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, env=environment, text=True)
    output = child.stdout.read()
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = status
    values = dict(line.split(" ", 1) for line in output.splitlines() if " " in line)
    if "first_paint_ns" not in values:
        sys.exit("the probe printed no first paint: %r" % output)
    result = {"first_paint_ms": (int(values["first_paint_ns"]) - spawned) / 1e6,
              "peak_kib": usage.ru_maxrss}
    if "search_ms" in values:
        result["search_ms"] = float(values["search_ms"])
        result["rows"] = int(values["rows"])
    return result


def summary(values):
    return "median %.1f, min %.1f, max %.1f" % (statistics.median(values), min(values), max(values))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "linux"))
    args = parser.parse_args()
    global BUILD
    BUILD = args.build

    helpers = [] if os.environ.get("DISPLAY") else start_display()
    server, proxy = start_server()
    environment = dict(os.environ, http_proxy=proxy, no_proxy="")
    try:
        runs = {"app": [], "empty": []}
        for _ in range(args.runs):
            for kind in runs:
                runs[kind].append(run_probe(PROBES[kind], [], environment))
        searches = [run_probe(PROBES["app"], ["many-10000"], environment)
                    for _ in range(max(3, args.runs // 4))]
    finally:
        server.terminate()
        for helper in helpers:
            helper.terminate()

    print("display %s, %d runs each" % (os.environ["DISPLAY"], args.runs))
    medians = {}
    for kind, results in runs.items():
        paint = [r["first_paint_ms"] for r in results]
        peak = [r["peak_kib"] / 1024 for r in results]
        medians[kind] = (statistics.median(paint), statistics.median(peak))
        print("%-6s first paint ms: %s" % (kind, summary(paint)))
        print("%-6s peak MiB:       %s" % (kind, summary(peak)))
    print("ratio app/empty: first paint %.2f, peak memory %.2f" % (
        medians["app"][0] / medians["empty"][0], medians["app"][1] / medians["empty"][1]))
    rows = {r["rows"] for r in searches}
    print("click to painted rows, %s rows: %s ms" % (
        "/".join(str(n) for n in sorted(rows)), summary([r["search_ms"] for r in searches])))
    print("peak MiB with 10,000 rows: %s" % summary([r["peak_kib"] / 1024 for r in searches]))


if __name__ == "__main__":
    main()
