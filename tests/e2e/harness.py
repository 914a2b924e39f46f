"""Pieces of the end-to-end suite: a local HTTP server with fault modes, the
launcher run under Wine, and a driver that reads and presses its windows."""
import glob
import http.server
import os
import pathlib
import random
import re
import shutil
import socket
import struct
import subprocess
import tempfile
import threading
import time
import unittest

ROOT = pathlib.Path(os.environ.get("ORREL_ROOT", pathlib.Path(__file__).resolve().parents[2]))
BUILD = pathlib.Path(os.environ.get("ORREL_BUILD", ROOT / "build" / "win64"))
WINE_RUN = str(ROOT / "scripts" / "wine-run")
PREFIX = pathlib.Path(os.environ.get("WINEPREFIX", ROOT / "build" / "wineprefix"))
LAUNCHER = BUILD / "orrel.exe"
STUB_VIEWER = BUILD / "tests" / "e2e" / "stub_orlviewer.exe"
UIDRIVER = BUILD / "tests" / "e2e" / "uidriver.exe"
# Where the stub viewer records the parameter string it was started with.
RECORD = PREFIX / "drive_c" / "viewer-record.txt"
PROGRESS, STATUS = 1017, 1018


# A file that passes for a Windows image ("MZ", and at the offset stored at
# 0x3C the "PE" signature), filled with bytes that never repeat a pattern, so
# that a shifted or dropped block shows.
def library(name, size=3000):
    head = bytearray(0x40)
    head[0:2] = b"MZ"
    struct.pack_into("<I", head, 0x3C, 0x40)
    return bytes(head) + b"PE\0\0" + random.Random(name).randbytes(max(0, size - 0x44))


def project(dllpath=None, basedlls=None, redirection=None):
    inner = "<redirection>%s</redirection>" % redirection if redirection is not None else ""
    attrs = "".join(' %s="%s"' % (k, v) for k, v in (("dllpath", dllpath), ("basedlls", basedlls)) if v is not None)
    return ("<?xml version='1.0' encoding='euc-kr' ?>\n<kestrine>%s<header%s/></kestrine>" % (inner, attrs)).encode()


class Route:
    """One answer of the server. mode: 'normal', 'nolength' (no Content-Length,
    the connection closes after the body), 'cut' (the connection drops half-way
    through a body whose full length was announced), 'slow' (the body trickles,
    1 KiB every delay seconds) or 'silent' (the request is read, never answered)."""

    def __init__(self, body=b"", status=200, reason=None, mode="normal", delay=0.05):
        self.body, self.status, self.reason, self.mode, self.delay = body, status, reason, mode, delay


class _Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def setup(self):
        super().setup()
        # Headers and body go out in separate writes: without this, Nagle's rule
        # and the client's delayed acknowledgement cost 40 ms a response.
        self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)

    def do_GET(self):
        server = self.server
        server.requests.append(self.path)
        route = server.routes.get(self.path) or Route(b"missing", 404, "Not Found")
        if route.mode == "silent":
            server.closing.wait()
            self.close_connection = True
            return
        self.send_response(route.status, route.reason)
        if route.status in (204, 304):
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if route.mode == "nolength":
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(len(route.body)))
        self.end_headers()
        try:
            self._send_body(route)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def _send_body(self, route):
        body = route.body
        if route.mode == "cut":
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
        elif route.mode == "slow":
            for i in range(0, len(body), 1024):
                self.wfile.write(body[i:i + 1024])
                self.wfile.flush()
                if self.server.closing.wait(route.delay):
                    break
        else:
            self.wfile.write(body)


class Server:
    def __init__(self):
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), _Handler)
        self.httpd.daemon_threads = True
        self.httpd.routes, self.httpd.requests, self.httpd.closing = {}, [], threading.Event()
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.httpd.closing.set()
        self.httpd.shutdown()
        self.httpd.server_close()

    def url(self, path):
        return "http://127.0.0.1:%d%s" % (self.httpd.server_address[1], path)

    def add(self, path, route):
        self.httpd.routes[path] = route if isinstance(route, Route) else Route(route)

    @property
    def requests(self):
        return list(self.httpd.requests)


def wine(args, timeout=60, env=None, check=True):
    # Output goes through files, not pipes: a Wine helper started on demand (the
    # desktop process, for one) inherits them and outlives the program, and a
    # pipe would then never reach its end.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        run = subprocess.run([WINE_RUN] + [str(a) for a in args], stdout=out, stderr=err, timeout=timeout,
                             env=env, stdin=subprocess.DEVNULL)
        out.seek(0)
        err.seek(0)
        stdout, stderr = out.read(), err.read()
    if check and run.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" % (args[0], run.returncode, stderr.decode(errors="replace")))
    return stdout.decode("utf-8", errors="replace")


# On Windows 6 and later (which Wine reports) the launcher keeps its data in
# the low-integrity local folder.
def appdata():
    found = [f for f in glob.glob(str(PREFIX / "drive_c" / "users" / "*" / "AppData" / "LocalLow"))
             if "/Public/" not in f]
    if not found:
        raise RuntimeError("no application-data folder in %s" % PREFIX)
    return pathlib.Path(found[0])


def orrel_folder():
    return appdata() / "Kestrine" / "Orrel"


def reset_state():
    shutil.rmtree(appdata() / "Kestrine", ignore_errors=True)
    wine(["reg", "delete", r"HKCU\Software\Kestrine", "/f"], check=False)


# The real program (or a copy of it), in the background. Its viewer records its
# parameter string in RECORD; a proxy of the caller's environment would take
# the loopback requests elsewhere, so it is left out unless env names one.
class Launcher:

    def __init__(self, args, env=None, exe=LAUNCHER):
        full_env = {k: v for k, v in os.environ.items() if k.lower() != "http_proxy"}
        full_env["ORREL_VIEWER_RECORD"] = r"C:\viewer-record.txt"
        full_env.update(env or {})
        self.proc = subprocess.Popen([WINE_RUN, str(exe)] + list(args), env=full_env,
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)

    def wait(self, timeout=60):
        return self.proc.wait(timeout=timeout)

    def running(self):
        return self.proc.poll() is None

    def kill(self):
        if self.running():
            self.proc.kill()
            self.proc.wait()


class Window:
    def __init__(self, hwnd, pid, cls, caption):
        self.hwnd, self.pid, self.cls, self.caption = hwnd, pid, cls, caption
        self.controls = {}   # id: (class, text)

    def control(self, cid):
        return self.controls.get(cid)

    def text(self, cid):
        return self.controls.get(cid, (None, None))[1]

    @property
    def is_message_box(self):
        return self.cls == "#32770" and 0xFFFF in self.controls

    @property
    def message(self):
        return self.text(0xFFFF)


def unescape(text):
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "r": "\r", "n": "\n"}.get(m.group(1), m.group(1)), text)


def windows():
    result = []
    for line in wine([UIDRIVER, "list"]).splitlines():
        if line.startswith("\t"):
            cid, cls, text = line[1:].split("\t")[:3]
            result[-1].controls[int(cid) & 0xFFFF] = (cls, unescape(text))
        elif line:
            hwnd, pid, cls, caption = line.split("\t")
            result.append(Window(hwnd, int(pid), cls, unescape(caption)))
    return result


def wait_for(predicate, timeout=30, interval=0.2):
    # Another process's windows give the test no event to wait on: each look
    # is a run of the UI driver.
    end = time.time() + timeout
    while time.time() < end:
        for w in windows():
            if predicate(w):
                return w
        time.sleep(interval)
    return None


def dialog(caption, timeout=30):
    return wait_for(lambda w: w.cls == "#32770" and w.caption == caption and not w.is_message_box, timeout)


# With gone_within, the seconds from the click until the window is gone (as the
# driver itself measures them), or None.
def click(window, cid, gone_within=None):
    if gone_within is None:
        return wine([UIDRIVER, "click", window.hwnd, cid])
    out = wine([UIDRIVER, "click", window.hwnd, cid, int(gone_within * 1000)], check=False)
    return int(out) / 1000 if out.strip().isdigit() else None


def set_text(window, cid, text):
    wine([UIDRIVER, "settext", window.hwnd, cid, text])


def close(window):
    wine([UIDRIVER, "close", window.hwnd])


def answer_message_box(timeout=30):
    box = wait_for(lambda w: w.is_message_box, timeout)
    if box is None:
        return None
    click(box, 1 if box.control(1) else 2)
    return box.caption, box.message


def wait_file(path, timeout=30):
    path = pathlib.Path(path)
    if not path.exists():
        wine([UIDRIVER, "waitfile", "Z:" + str(path).replace("/", "\\"), int(timeout * 1000)], timeout=timeout + 60,
             check=False)
    return path.exists()


# Answers every message box until the launcher ends, closing the main dialog
# it falls back to after a failure (its caption goes to closed), and returns
# the messages.
def run_to_end(launcher, timeout=60, interval=0.1, closed=None):
    texts, answered, end = [], set(), time.time() + timeout
    while launcher.running():
        if time.time() > end:
            raise AssertionError("the launcher did not end; messages so far: %r" % texts)
        for w in windows():
            if w.is_message_box and w.hwnd not in answered:
                answered.add(w.hwnd)
                texts.append(w.message)
                # The box may be gone by now: the launcher ends without waiting for us.
                wine([UIDRIVER, "click", w.hwnd, 1 if w.control(1) else 2], check=False)
            elif w.cls == "#32770" and not w.is_message_box and w.control(PROGRESS) is None:
                wine([UIDRIVER, "close", w.hwnd], check=False)
                if closed is not None and w.hwnd not in answered:
                    closed.append(w.caption)
                answered.add(w.hwnd)
        try:
            launcher.proc.wait(interval)
        except subprocess.TimeoutExpired:
            pass
    return texts


# Each test starts with a local server, an empty viewer folder and no viewer
# record; what the class before left behind is forgotten.
class LauncherTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        reset_state()

    def setUp(self):
        self.server = Server().__enter__()
        self.addCleanup(self.server.__exit__)
        RECORD.unlink(missing_ok=True)
        self.viewer = orrel_folder() / "viewer"
        shutil.rmtree(self.viewer, ignore_errors=True)

    def start(self, *args, **kw):
        launcher = Launcher(args, **kw)
        self.addCleanup(launcher.kill)
        return launcher

    def launch(self, *args, timeout=60, **kw):
        self.closed = []
        return run_to_end(self.start(*args, **kw), timeout, closed=self.closed)

    def viewer_record(self, timeout=10):
        self.assertTrue(wait_file(RECORD, timeout), "the viewer was not started")
        return RECORD.read_text()

    def stored(self):
        return {p.relative_to(self.viewer).as_posix(): p.read_bytes() for p in self.viewer.rglob("*") if p.is_file()}

    def side_files(self):
        return sorted(p.name for p in self.viewer.glob("*.part"))
