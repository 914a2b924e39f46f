"""A real web server (nginx) and a real forward proxy (tinyproxy), each run as
the test's own process with its configuration in a temporary folder, and the
test prefix's system proxy pointed at the proxy."""
import gzip
import pathlib
import re
import shutil
import socket
import subprocess
import tempfile
import time

import harness

NGINX = shutil.which("nginx") or "/usr/sbin/nginx"
TINYPROXY = shutil.which("tinyproxy") or "/usr/bin/tinyproxy"
INTERNET_SETTINGS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def _text(path):
    return path.read_text(errors="replace") if path.exists() else ""


# A server in the foreground, once it listens on every port.
def _spawn(argv, ports, log, timeout=10):
    proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    end = time.time() + timeout
    for port in ports:
        while True:
            if proc.poll() is not None:
                raise RuntimeError("server ended at start (%d): %s" % (proc.returncode, _text(log)))
            try:
                socket.create_connection(("127.0.0.1", port), 0.2).close()
                break
            except OSError:
                if time.time() > end:
                    _end(proc)
                    raise RuntimeError("nothing listens on port %d" % port)
                time.sleep(0.05)
    return proc


# By its id: the process we started, and no other.
def _end(proc):
    if proc and proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


# A temporary document root on two free ports (the second lets a redirection
# cross ports); files and location blocks are added before start().
class Nginx:

    def __init__(self):
        self.dir = pathlib.Path(tempfile.mkdtemp(prefix="orrel-nginx-"))
        self.root = self.dir / "root"
        self.root.mkdir()
        self.ports = (free_port(), free_port())
        self.blocks = []
        self.proc = None

    def __exit__(self, *exc):
        self.stop()
        shutil.rmtree(self.dir, ignore_errors=True)

    def url(self, path, second=False):
        return "http://127.0.0.1:%d%s" % (self.ports[1 if second else 0], path)

    def add(self, path, body):
        file = self.root / path.lstrip("/")
        file.parent.mkdir(parents=True, exist_ok=True)
        file.write_bytes(body)

    def location(self, block):
        self.blocks.append(block)

    # --- answers the tests need ------------------------------------------------

    # nginx makes a relative target absolute unless absolute_redirect is off.
    def redirect(self, path, status, target):
        relative = not target.startswith("http")
        self.location("location = %s { %sreturn %d %s; }"
                      % (path, "absolute_redirect off; " if relative else "", status, target))

    def loop(self, path):
        self.redirect(path, 302, path)

    # A substitution that never matches still makes the length unknown to
    # nginx, so the body goes out chunked.
    def chunked(self, path, body):
        self.add(path, body)
        self.location("location = %s { sub_filter_types *; sub_filter '@@orrel-no-match@@' ''; }" % path)

    def gzip_always(self, path, body):
        self.add(path + ".gz", gzip.compress(body))
        self.location("location = %s { gzip_static always; }" % path)

    # An error or portal page answered with status 200 in place of a file.
    def html_page(self, path, html=b"<html><body>Please sign in</body></html>"):
        self.add(path + ".html", html)
        self.location("location = %s { default_type text/html; try_files %s.html =404; }" % (path, path))

    # --- the process -------------------------------------------------------------

    def _config(self):
        d = self.dir
        listen = "".join("    listen 127.0.0.1:%d;\n" % p for p in self.ports)
        blocks = "".join("    %s\n" % b for b in self.blocks)
        temps = "".join("    %s_temp_path %s/tmp/%s;\n" % (t, d, t)
                        for t in ("client_body", "proxy", "fastcgi", "uwsgi", "scgi"))
        # One process in the foreground: nothing to switch users for when the
        # tests run as root, and the process we started is the one that serves.
        return f"""daemon off;
master_process off;
pid {d}/nginx.pid;
error_log {d}/error.log info;
events {{ worker_connections 64; }}
http {{
    access_log {d}/access.log;
{temps}    default_type application/octet-stream;
    server {{
{listen}        root {self.root};
{blocks}    }}
}}
"""

    def start(self):
        (self.dir / "tmp").mkdir(exist_ok=True)
        conf = self.dir / "nginx.conf"
        conf.write_text(self._config())
        log = self.dir / "error.log"
        # -e: the error log before the configuration is read, which would
        # otherwise be the system's own.
        self.proc = _spawn([NGINX, "-p", str(self.dir), "-c", str(conf), "-e", str(log)], self.ports, log)
        return self

    def stop(self):
        _end(self.proc)
        self.proc = None

    # nginx logs a request after its answer has gone out: a client that has
    # just read one may not find it here yet (the launcher's end, or stop(),
    # is late enough).
    def requests(self):
        return [(m.group(1), int(m.group(2))) for m in
                re.finditer(r'"[A-Z]+ (\S+) [^"]*" (\d{3}) ', _text(self.dir / "access.log"))]


class Tinyproxy:

    def __init__(self):
        self.dir = pathlib.Path(tempfile.mkdtemp(prefix="orrel-proxy-"))
        self.port = free_port()
        self.log = self.dir / "tinyproxy.log"
        self.proc = None

    def __enter__(self):
        conf = self.dir / "tinyproxy.conf"
        conf.write_text('Port %d\nListen 127.0.0.1\nTimeout 60\nMaxClients 20\nAllow 127.0.0.1\n'
                        'LogLevel Connect\nLogFile "%s"\nPidFile "%s"\n'
                        % (self.port, self.log, self.dir / "tinyproxy.pid"))
        self.proc = _spawn([TINYPROXY, "-d", "-c", str(conf)], [self.port], self.log)
        return self

    def __exit__(self, *exc):
        _end(self.proc)
        shutil.rmtree(self.dir, ignore_errors=True)

    @property
    def address(self):
        return "127.0.0.1:%d" % self.port

    def requests(self):
        return re.findall(r"Request \(file descriptor \d+\): [A-Z]+ (\S+) HTTP", _text(self.log))


# Wine's WinINet takes the proxy of INTERNET_OPEN_TYPE_PRECONFIG from these
# values of the current user's Internet Settings; it bypasses nothing on its
# own, loopback included (a ProxyOverride of <local> would let dotless names
# such as localhost pass by, so none is set). The test prefix has no proxy of
# its own, so the values are deleted afterwards.
class SystemProxy:

    def __init__(self, address):
        self.values = (("ProxyEnable", "REG_DWORD", "1"), ("ProxyServer", "REG_SZ", address))

    def __enter__(self):
        for name, kind, data in self.values:
            harness.wine(["reg", "add", INTERNET_SETTINGS, "/v", name, "/t", kind, "/d", data, "/f"])

    def __exit__(self, *exc):
        for name in ("ProxyEnable", "ProxyServer", "ProxyOverride"):
            harness.wine(["reg", "delete", INTERNET_SETTINGS, "/v", name, "/f"], check=False)
