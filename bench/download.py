#!/usr/bin/env python3
"""Opening a project over loopback HTTP: the launcher's whole road (project,
progress dialog, libraries, viewer start) against two peers fetching the same
files in the same run: the bare WinINet floor under Wine and curl natively.
Prints medians and ratios; not a test.

    python3 bench/download.py [--libraries N] [--size BYTES] [--runs R]
"""
import argparse
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness  # noqa: E402

FLOOR = harness.BUILD / "bench" / "floor_download.exe"
RECORD = harness.PREFIX / "drive_c" / "bench-viewer-record.txt"


def timed(run):
    start = time.perf_counter()
    run()
    return time.perf_counter() - start


def launcher_run(url):
    RECORD.unlink(missing_ok=True)
    shutil.rmtree(harness.orrel_folder() / "viewer", ignore_errors=True)
    launcher = harness.Launcher([url], env={"ORREL_VIEWER_RECORD": r"C:\bench-viewer-record.txt"})
    if launcher.wait(120) != 0 or not harness.wait_file(RECORD, 30):
        raise RuntimeError("the launcher did not start the viewer")


def main():
    options = argparse.ArgumentParser()
    options.add_argument("--libraries", type=int, default=4)
    options.add_argument("--size", type=int, default=4 << 20)
    options.add_argument("--runs", type=int, default=5)
    args = options.parse_args()

    names = ["lib%d.dll" % i for i in range(args.libraries)]
    with harness.Server() as server, tempfile.TemporaryDirectory() as scratch:
        for i, name in enumerate(names):
            server.add("/lib/" + name, bytes([i % 251]) * args.size)
        server.add("/lib/orlviewer.exe", harness.STUB_VIEWER.read_bytes())
        basedlls = ";".join(names + ["orlviewer.exe"])
        server.add("/p.orp", ("<kestrine><header dllpath=\"%s\" basedlls=\"%s\"/></kestrine>"
                              % (server.url("/lib/"), basedlls)).encode())
        urls = [server.url("/p.orp")] + [server.url("/lib/" + n) for n in names + ["orlviewer.exe"]]
        floor_dir = harness.PREFIX / "drive_c" / "bench-floor"
        floor_dir.mkdir(exist_ok=True)

        peers = {
            "launcher": lambda: launcher_run(urls[0]),
            "wininet floor": lambda: harness.wine([FLOOR, r"C:\bench-floor"] + urls, timeout=120),
            "curl": lambda: subprocess.run(["curl", "-sf", "--output-dir", scratch] +
                                           sum((["-o", "f%d" % i, u] for i, u in enumerate(urls)), []),
                                           check=True),
        }
        results = {name: [] for name in peers}
        for _ in range(args.runs):  # interleaved, so that drift hits every peer alike
            for name, run in peers.items():
                results[name].append(timed(run))
        shutil.rmtree(floor_dir, ignore_errors=True)

    total = args.libraries * args.size
    print("%d libraries of %d bytes (%.1f MB) and the viewer, %d runs, medians:"
          % (args.libraries, args.size, total / 1e6, args.runs))
    median = {name: statistics.median(times) for name, times in results.items()}
    for name, value in median.items():
        print("  %-14s %7.3f s  (%5.1f MB/s)" % (name, value, total / 1e6 / value))
    print("  launcher / wininet floor: %.2f" % (median["launcher"] / median["wininet floor"]))
    print("  launcher / curl:          %.2f" % (median["launcher"] / median["curl"]))


if __name__ == "__main__":
    main()
