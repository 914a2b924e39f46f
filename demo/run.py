#!/usr/bin/env python3
"""`make run`: the launcher on the demo project, end to end, under Wine.

Starts the demo server, runs build/win64/orrel.exe on its project (or on the
location in ARGS, where {demo} stands for the server's address), reports what
was fetched and what the viewer was given, and stops the server when the
viewer closes or after a timeout (ORREL_RUN_TIMEOUT seconds).

Without a display the launcher runs on a virtual one (Xvfb) and the viewer
closes itself after a few seconds.
"""
import glob
import os
import pathlib
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from server import LIBRARIES, DemoServer  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[1]
BUILD = pathlib.Path(os.environ.get("ORREL_BUILD", ROOT / "build" / "win64"))
WINE_RUN = str(ROOT / "scripts" / "wine-run")
SESSION = str(ROOT / "scripts" / "wine-session")
PREFIX = pathlib.Path(os.environ.get("WINEPREFIX", ROOT / "build" / "wineprefix"))
UIDRIVER = BUILD / "tests" / "e2e" / "uidriver.exe"
HEADLESS = not os.environ.get("DISPLAY")
TIMEOUT = float(os.environ.get("ORREL_RUN_TIMEOUT", "60" if HEADLESS else "600"))
RECORD_WIN = r"C:\orrel-demo\viewer-record.txt"
RECORD = PREFIX / "drive_c" / "orrel-demo" / "viewer-record.txt"
CLOSED = RECORD.with_name(RECORD.name + ".closed")


def say(text=""):
    print(text, flush=True)


def viewer_folder():
    # The launcher keeps its tree in the low-integrity local application-data folder.
    found = [f for f in glob.glob(str(PREFIX / "drive_c" / "users" / "*" / "AppData" / "LocalLow"))
             if "/Public/" not in f]
    return pathlib.Path(found[0]) / "Kestrine" / "Orrel" / "viewer" if found else None


def cached_files():
    folder = viewer_folder()
    return sorted(p.name for p in folder.iterdir() if p.is_file()) if folder and folder.is_dir() else []


def launcher_env():
    env = {k: v for k, v in os.environ.items() if k.lower() not in ("http_proxy", "https_proxy", "all_proxy")}
    env["ORREL_DEMO_RECORD"] = RECORD_WIN
    if HEADLESS:
        env["ORREL_DEMO_AUTOCLOSE"] = "5"
    return env


def open_windows():
    """Captions and texts of the windows on the Wine desktop, to explain a launcher that did not finish."""
    if not UIDRIVER.is_file():
        return []
    run = subprocess.run([WINE_RUN, str(UIDRIVER), "list"], capture_output=True, timeout=60, stdin=subprocess.DEVNULL)
    lines = []
    for line in run.stdout.decode("utf-8", "replace").splitlines():
        if line.startswith("\t"):
            fields = line[1:].split("\t")
            if len(fields) >= 4 and fields[2] and fields[3] == "1" and fields[0] == "65535":
                lines.append("      says: " + fields[2].replace("\\r\\n", " / "))
        elif line:
            fields = line.split("\t")
            if len(fields) >= 4 and fields[2] == "#32770":
                lines.append("    window '%s'" % fields[3])
    return lines


def wait_until(done, seconds):
    end = time.time() + seconds
    while time.time() < end:
        if done():
            return True
        time.sleep(0.2)
    return done()


def report_fetches(server):
    say("Fetched from the demo server:")
    for path, status, size in server.fetched:
        say("    %-28s %d  %7d bytes" % (path, status, size))
    if not server.fetched:
        say("    nothing")


def report_cache(server, cached_before):
    fetched = {p.rsplit("/", 1)[-1] for p, s, _ in server.fetched if s == 200 and p.startswith("/lib/")}
    from_cache = [name for name in LIBRARIES if name in cached_before and name not in fetched]
    if from_cache:
        say("Taken from the cache (already in the viewer folder): " + ", ".join(from_cache))


def main():
    for needed in [BUILD / "orrel.exe"] + [BUILD / "demo" / n for n in LIBRARIES]:
        if not needed.is_file():
            say("run: %s is missing; build first (make run does)" % needed)
            return 1
    own_display = HEADLESS and not (PREFIX / ".xvfb").exists()
    subprocess.run([WINE_RUN], check=True)          # the prefix and, when needed, a virtual display
    RECORD.parent.mkdir(parents=True, exist_ok=True)
    for stale in (RECORD, CLOSED):
        stale.unlink(missing_ok=True)
    cached_before = cached_files()
    started = False

    with DemoServer(BUILD) as server:
        location = os.environ.get("ARGS", "").strip() or "{demo}/demo.orp"
        location = location.replace("{demo}", server.base)
        say("Demo server: %s   project: %s/demo.orp" % (server.base, server.base))
        say("Launcher:    orrel.exe %s" % location)
        say("Display:     %s" % ("virtual (Xvfb); the viewer closes itself after 5 s" if HEADLESS
                                 else os.environ["DISPLAY"]))
        say("Viewer folder before the run: %s" % (", ".join(cached_before) or "empty"))
        say()
        launcher = subprocess.Popen([WINE_RUN, str(BUILD / "orrel.exe"), location], env=launcher_env(),
                                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + TIMEOUT
        # The viewer starts just before the launcher ends; a launcher that stays
        # is showing a message or its main dialog.
        wait_until(lambda: RECORD.exists() or launcher.poll() is not None, TIMEOUT)
        started = wait_until(RECORD.exists, 20 if launcher.poll() is not None else 0)
        report_fetches(server)
        if started:
            report_cache(server, cached_before)
            lines = RECORD.read_text().splitlines()
            say("The viewer started with the parameter string:")
            say("    " + (lines[0] if lines else ""))
            say("Viewer folder now: " + ", ".join(l[len("library: "):] for l in lines[1:]))
            say()
            say("Waiting for the viewer window to close ...")
            closed = wait_until(CLOSED.exists, max(deadline - time.time(), 0))
            say("The viewer closed." if closed else "Timeout: the viewer is still open.")
        else:
            say("The viewer did not start.")
            for line in open_windows():
                say(line)
            if launcher.poll() is None and not HEADLESS:
                say("The launcher is open on your display; the server stays up until it ends or the timeout.")
                wait_until(lambda: launcher.poll() is not None, max(deadline - time.time(), 0))
        say("Demo server stopped.")

    if own_display:
        subprocess.run([SESSION, "stop"], check=False)   # ends the virtual display this run started
    if started and any(path.startswith("/lib/") for path, _, _ in server.fetched):
        say("Run `make run` again: the libraries now come from the cache and only the project is fetched.")
    return 0 if started else 1


if __name__ == "__main__":
    sys.exit(main())
