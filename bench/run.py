#!/usr/bin/env python3
"""Measures the launcher and its library against peers in one run and writes
bench/README.md. Every figure is the median of RUNS runs (with the smallest and
largest) and is reported as a ratio against its peer measured in the same run,
on this machine, under the same Wine. With --only, prints the rows measured and
leaves bench/README.md as it is.

    bench/run.py [--runs N] [--only downloads|launch|memory|xml|scale ...]
"""
import argparse
import os
import pathlib
import re
import shutil
import statistics
import subprocess
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "tests" / "e2e"))
import harness  # noqa: E402  (the suite's server, Wine runner and prefix helpers)

BENCH = harness.BUILD / "bench"
BIG = 64 * 1024 * 1024
SMALL, SMALL_COUNT = 4096, 200
RECORD_NAME = "bench-viewer.txt"


class Stat:
    """The median of some runs, with the smallest and the largest of them."""

    def __init__(self, values):
        values = list(values)
        self.median, self.lo, self.hi = statistics.median(values), min(values), max(values)


def stat_of(runs, measure):
    return Stat(measure() for _ in range(runs))


def record_path():
    return harness.PREFIX / "drive_c" / RECORD_NAME


def project(server, name, libs):
    """Serves a project naming libs (plus the stub viewer) and returns its URL."""
    entries = ";".join(libs + ["stub_orlviewer.exe"])
    body = ("<?xml version='1.0' ?>\n<kestrine>\n<header dllpath=\"%s\" basedlls=\"%s\"/>\n</kestrine>\n"
            % (server.url("/libs/"), entries)).encode()
    server.add("/%s.orp" % name, body)
    return server.url("/%s.orp" % name)


def viewer_folder():
    return harness.orrel_folder() / "viewer"


def clear_viewer_folder(keep_viewer=True):
    folder = viewer_folder()
    for f in folder.glob("*") if folder.exists() else []:
        if keep_viewer and f.name == "stub_orlviewer.exe":
            continue
        if f.is_file():
            f.unlink()


class Watch:
    """Peak resident size of the Wine process whose command line names a program."""

    def __init__(self, program):
        self.program, self.peak = program, 0

    def sample(self):
        for pid in os.listdir("/proc"):
            if not pid.isdigit():
                continue
            try:
                # Under Wine the process's first argument is the Windows program itself.
                first = pathlib.Path("/proc", pid, "cmdline").read_bytes().split(b"\0")[0]
                if not first.endswith(self.program.encode()):
                    continue
                status = pathlib.Path("/proc", pid, "status").read_text()
            except OSError:
                continue
            m = re.search(r"VmRSS:\s+(\d+) kB", status)
            if m:
                self.peak = max(self.peak, int(m.group(1)) * 1024)


def run_launcher(url, watch=None, timeout=300):
    """Seconds from the launcher's start to its end, the viewer started."""
    record_path().unlink(missing_ok=True)
    env = {"ORREL_VIEWER_RECORD": "C:\\" + RECORD_NAME}
    start = time.perf_counter()
    launcher = harness.Launcher([url], env=env)
    while launcher.running():
        if watch:
            watch.sample()
        time.sleep(0.01)
        if time.perf_counter() - start > timeout:
            launcher.kill()
            raise RuntimeError("launcher did not finish")
    elapsed = time.perf_counter() - start
    if not harness.wait_file(record_path(), 30):
        raise RuntimeError("viewer was not started for %s" % url)
    return elapsed


def run_timed(args, env=None):
    start = time.perf_counter()
    subprocess.run([harness.WINE_RUN] + [str(a) for a in args], check=True, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env, timeout=600)
    return time.perf_counter() - start


def floor_download(urls):
    dest = harness.PREFIX / "drive_c" / "bench-floor"
    shutil.rmtree(dest, ignore_errors=True)
    dest.mkdir()
    return run_timed([BENCH / "floor_download.exe", "C:\\bench-floor"] + urls)


def curl_download(urls):
    dest = pathlib.Path("/tmp/orrel-bench-curl")
    shutil.rmtree(dest, ignore_errors=True)
    dest.mkdir()
    args = ["curl", "-s", "-f"]
    for i, u in enumerate(urls):
        args += ["-o", str(dest / ("f%d" % i)), u]
    start = time.perf_counter()
    subprocess.run(args, check=True, timeout=600)
    return time.perf_counter() - start


def downloads(server, runs, rows):
    server.add("/libs/stub_orlviewer.exe", harness.STUB_VIEWER.read_bytes())
    server.add("/libs/big.bin", os.urandom(BIG))
    small = ["s%03d.bin" % i for i in range(SMALL_COUNT)]
    for name in small:
        server.add("/libs/" + name, os.urandom(SMALL))
    for label, libs in (("one 64 MiB library", ["big.bin"]), ("200 libraries of 4 KiB", small)):
        url = project(server, "dl%d" % len(libs), libs)
        urls = [url] + [server.url("/libs/" + n) for n in libs]
        # The viewer itself stays cached, so each run transfers exactly the libraries.
        run_launcher(url)

        def launcher_once():
            clear_viewer_folder()
            return run_launcher(url)

        t = stat_of(runs, launcher_once)
        floor = stat_of(runs, lambda: floor_download(urls))
        curl = stat_of(runs, lambda: curl_download(urls)) if shutil.which("curl") else None
        target = 1.1 if len(libs) == 1 else 1.0
        rows.append(("Download: " + label, t, "bare WinINet program, same flags", floor, target,
                     "curl: %.3f s" % curl.median if curl else ""))


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def launch_latency(server, runs, rows):
    libs = ["big.bin"]
    url = project(server, "cached", libs)
    run_launcher(url)   # everything cached from here on
    t = stat_of(runs, lambda: run_launcher(url))
    viewer = viewer_folder() / "stub_orlviewer.exe"
    parameters = ";".join(libs) + ";" + url
    env = dict(os.environ, ORREL_VIEWER_RECORD="C:\\" + RECORD_NAME)

    def floor_once(program, args):
        record_path().unlink(missing_ok=True)
        return run_timed([BENCH / program] + args, env=env)

    same_work = stat_of(runs, lambda: floor_once("floor_launch.exe", [
        url, windows_path(viewer), parameters] + [windows_path(viewer_folder() / n) for n in libs]))
    empty = stat_of(runs, lambda: floor_once("minimal_win32.exe", [viewer, parameters]))
    name = "Launch, all libraries cached (start to viewer started)"
    rows.append((name, t, "same-work floor: fetch, dialog, file checks, shell call", same_work, 1.2, ""))
    rows.append((name, t, "empty-program floor: the shell call alone", empty, None, ""))


def memory(server, rows):
    url = project(server, "mem", ["big.bin"])
    idle = Watch("orrel.exe")
    launcher = harness.Launcher([])
    try:
        if harness.dialog("Orrel", 60) is None:
            raise RuntimeError("main dialog did not open")
        time.sleep(1)
        idle.sample()
    finally:
        launcher.kill()
        harness.wine([harness.UIDRIVER, "list"])   # let the prefix settle
    busy = Watch("orrel.exe")
    clear_viewer_folder()
    run_launcher(url, watch=busy)
    extra = (busy.peak - idle.peak) / (1024 * 1024)
    rows.append(("Memory: peak while downloading 64 MiB minus idle (MiB)", extra, "", None, 4.0,
                 "idle %.1f MiB, peak %.1f MiB" % (idle.peak / 2**20, busy.peak / 2**20)))


# Real documents of different shapes, from Debian packages that scripts/bootstrap
# installs. Each is read from its document element on (see xml_bench.cpp).
XML_DOCUMENTS = {"/usr/share/xml/iso-codes/iso_639-3.xml": "iso-codes, attribute-heavy",
                 "/usr/share/mime/packages/freedesktop.org.xml": "shared-mime-info, text-heavy",
                 "/usr/share/X11/xkb/rules/evdev.xml": "xkb-data, nested 8 levels"}


def xml(runs, rows):
    results, real = {}, {}
    documents = ["Z:" + d for d in XML_DOCUMENTS if os.path.exists(d)]
    for _ in range(runs):
        out = harness.wine([BENCH / "xml_bench.exe"] + documents, timeout=600)
        for line in out.splitlines():
            fields = line.split()
            if fields[0] == "xml":
                results.setdefault(int(fields[1]), []).append((float(fields[2]), float(fields[3])))
            else:
                real.setdefault((fields[1], int(fields[2])), []).append((float(fields[3]), float(fields[4])))

    def add(name, runs_of, target, notes=""):
        lib = Stat(a for a, _ in runs_of)
        rows.append((name, lib, "XmlLite IXmlReader", Stat(b for _, b in runs_of), target, notes))
        return lib.median

    sizes = sorted(results)
    med = {s: add("XML read, %d bytes (ms)" % s, results[s], 1.0 if s < 1024 * 1024 else 0.5) for s in sizes}
    for (document, size), runs_of in sorted(real.items()):
        source = next(v for k, v in XML_DOCUMENTS.items() if k.endswith("/" + document))
        add("XML read, real: %s, %d bytes (ms)" % (document, size), runs_of, 0.5, "package " + source)
    ratio = sizes[-1] / sizes[0]
    rows.append(("XML read, 10 MiB time / 10 KiB time", med[sizes[-1]] / med[sizes[0]], "", None,
                 round(ratio * 1.05), "size ratio %.0f" % ratio))


SCALE_PEERS = {"delete-caches": ("FindFirstFile/DeleteFile loop", 1.3), "array-str": ("std::vector<std::string>", 1.5),
               "array-tag": ("std::unordered_map", 1.3)}


def scale(runs, rows):
    # The run's number lets scale_bench alternate which side it measures first.
    results = {}
    for run in range(runs):
        out = harness.wine([BENCH / "scale_bench.exe", str(run)], timeout=1200)
        for line in out.splitlines():
            _, case, count, lib, floor = line.split()
            results.setdefault((case, int(count)), []).append((float(lib), float(floor)))
    for (case, count), pairs in results.items():
        peer, target = SCALE_PEERS[case]
        rows.append(("Scale: %s, %d entries (ms)" % (case, count), Stat(a for a, _ in pairs), peer,
                     Stat(b for _, b in pairs), target, ""))


def figure(value):
    return "%.3f" % (value.median if isinstance(value, Stat) else value)


def spread(value):
    return "%.3f–%.3f" % (value.lo, value.hi) if isinstance(value, Stat) else "-"


def write_table(rows, runs, partial=False):
    lines = ["# Benchmarks", "",
             "Written by `bench/run.py` (`make bench`): medians of %d runs on this machine, under Wine, each "
             "beside its peer measured in the same run, with the smallest and largest run. Times are seconds "
             "unless a row says otherwise; the ratio is Orrel's figure over the peer's." % runs,
             "", "| Measure | Orrel | Orrel min–max | Peer | Peer figure | Peer min–max | Ratio | Target | Notes |",
             "|---|---|---|---|---|---|---|---|---|"]
    for name, value, peer, peer_value, target, notes in rows:
        mine = value.median if isinstance(value, Stat) else value
        theirs = peer_value.median if isinstance(peer_value, Stat) else peer_value
        ratio = mine / theirs if theirs else mine
        verdict = "" if target is None else (" (met)" if ratio <= target else " (missed)")
        lines.append("| %s | %s | %s | %s | %s | %s | %.2f | %s | %s |" % (
            name, figure(value), spread(value), peer or "-", figure(peer_value) if theirs else "-",
            spread(peer_value), ratio, ("%s%s" % (target, verdict)) if target is not None else "-", notes))
    if not partial:
        (HERE / "README.md").write_text("\n".join(lines) + "\n")
    print("\n".join(lines))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--runs", type=int, default=7)
    ap.add_argument("--only", action="append", choices=["downloads", "launch", "memory", "xml", "scale"],
                    help="measure only these (repeatable); the table then holds only their rows")
    args = ap.parse_args()
    wanted = set(args.only or ["downloads", "launch", "memory", "xml", "scale"])
    subprocess.run([str(harness.ROOT / "scripts" / "wine-session"), "start"], check=True)
    rows = []
    try:
        harness.reset_state()
        with harness.Server() as server:
            if "downloads" in wanted:
                downloads(server, args.runs, rows)
            if "launch" in wanted:
                launch_latency(server, args.runs, rows)
            if "memory" in wanted:
                memory(server, rows)
        if "xml" in wanted:
            xml(args.runs, rows)
        if "scale" in wanted:
            scale(args.runs, rows)
    finally:
        subprocess.run([str(harness.ROOT / "scripts" / "wine-session"), "stop"])
    write_table(rows, args.runs, partial=bool(args.only))


if __name__ == "__main__":
    main()
