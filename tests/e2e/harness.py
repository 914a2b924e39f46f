"""Pieces of the end-to-end suite: a local HTTP server with fault modes, the
launcher run under Wine, and a driver that reads and presses its windows."""
import glob
import http.server
import os
import pathlib
import random
import shutil
import socket
import struct
import subprocess
import tempfile
import threading
import time

ROOT = pathlib.Path(os.environ.get("ORREL_ROOT", pathlib.Path(__file__).resolve().parents[2]))
BUILD = pathlib.Path(os.environ.get("ORREL_BUILD", ROOT / "build" / "win64"))
WINE_RUN = str(ROOT / "scripts" / "wine-run")
PREFIX = pathlib.Path(os.environ.get("WINEPREFIX", ROOT / "build" / "wineprefix"))
LAUNCHER = BUILD / "orrel.exe"
STUB_VIEWER = BUILD / "tests" / "e2e" / "stub_orlviewer.exe"
UIDRIVER = BUILD / "tests" / "e2e" / "uidriver.exe"


def library(name, size=3000):
    """A file that passes for a Windows image ("MZ", and at the offset stored
    at 0x3C the "PE" signature), filled with bytes that never repeat a pattern,
    so that a shifted or dropped block shows."""
    head = bytearray(0x40)
    head[0:2] = b"MZ"
    struct.pack_into("<I", head, 0x3C, 0x40)
    return bytes(head) + b"PE\0\0" + random.Random(name).randbytes(max(0, size - 0x44))


class Route:
    """One answer of the server. mode: 'normal', 'nolength' (no Content-Length,
    the connection closes after the body), 'cut' (the connection drops half-way
    through a body whose full length was announced) or 'slow' (the body trickles)."""

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
                time.sleep(route.delay)
        else:
            self.wfile.write(body)


class Server:
    """A threaded HTTP server on 127.0.0.1 and a free port."""

    def __init__(self):
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), _Handler)
        self.httpd.daemon_threads = True
        self.httpd.routes = {}
        self.httpd.requests = []
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.httpd.shutdown()
        self.httpd.server_close()

    @property
    def port(self):
        return self.httpd.server_address[1]

    def url(self, path):
        return "http://127.0.0.1:%d%s" % (self.port, path)

    def add(self, path, route):
        self.httpd.routes[path] = route if isinstance(route, Route) else Route(route)

    @property
    def requests(self):
        return list(self.httpd.requests)


def wine(args, timeout=60, env=None, check=True):
    """Runs a Windows program to its end and returns its standard output."""
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


def appdata():
    """The prefix user's application-data root as the launcher finds it: on
    Windows 6 and later (which Wine reports) the low-integrity local folder."""
    found = glob.glob(str(PREFIX / "drive_c" / "users" / "*" / "AppData" / "LocalLow"))
    found = [f for f in found if "/Public/" not in f]
    if not found:
        raise RuntimeError("no application-data folder in %s" % PREFIX)
    return pathlib.Path(found[0])


def orrel_folder():
    return appdata() / "Kestrine" / "Orrel"


def reset_state():
    """Forgets everything the launcher keeps: its folder tree and its settings."""
    shutil.rmtree(appdata() / "Kestrine", ignore_errors=True)
    wine(["reg", "delete", r"HKCU\Software\Kestrine", "/f"], check=False)


class Launcher:
    """The real program, running in the background under Wine."""

    def __init__(self, args, env=None):
        full_env = dict(os.environ)
        full_env.update(env or {})
        self.proc = subprocess.Popen([WINE_RUN, str(LAUNCHER)] + list(args), env=full_env,
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
        self.controls = []   # (id, class, text, visible, enabled)

    def control(self, cid):
        for c in self.controls:
            if c[0] == cid:
                return c
        return None

    def text(self, cid):
        c = self.control(cid)
        return c[2] if c else None

    @property
    def is_message_box(self):
        return self.cls == "#32770" and self.control(0xFFFF) is not None

    @property
    def message(self):
        return self.text(0xFFFF)


def _unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"t": "\t", "r": "\r", "n": "\n", "\\": "\\"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def windows():
    """Every visible top-level window with its controls."""
    result = []
    for line in wine([UIDRIVER, "list"]).splitlines():
        if line.startswith("\t"):
            cid, cls, text, visible, enabled = line[1:].split("\t")
            result[-1].controls.append((int(cid) & 0xFFFF, cls, _unescape(text), visible == "1", enabled == "1"))
        elif line:
            hwnd, pid, cls, caption = line.split("\t")
            result.append(Window(hwnd, int(pid), cls, _unescape(caption)))
    return result


def wait_for(predicate, timeout=30, interval=0.2):
    """The first window that predicate accepts, or None after timeout seconds."""
    end = time.time() + timeout
    while time.time() < end:
        for w in windows():
            if predicate(w):
                return w
        time.sleep(interval)
    return None


def message_box(timeout=30):
    return wait_for(lambda w: w.is_message_box, timeout)


def dialog(caption, timeout=30):
    return wait_for(lambda w: w.cls == "#32770" and w.caption == caption and not w.is_message_box, timeout)


def click(window, cid):
    wine([UIDRIVER, "click", window.hwnd, cid])


def set_text(window, cid, text):
    wine([UIDRIVER, "settext", window.hwnd, cid, text])


def set_check(window, cid, on):
    wine([UIDRIVER, "check", window.hwnd, cid, 1 if on else 0])


def close(window):
    wine([UIDRIVER, "close", window.hwnd])


def answer_message_box(timeout=30):
    """Reads the next message box, presses its OK button and returns (caption, text)."""
    box = message_box(timeout)
    if box is None:
        return None
    click(box, 1 if box.control(1) else 2)
    return box.caption, box.message


def wait_file(path, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        if pathlib.Path(path).exists():
            return True
        time.sleep(0.1)
    return False
