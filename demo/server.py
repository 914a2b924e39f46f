#!/usr/bin/env python3
"""The demo server: serves the demo projects of demo/ and the demo libraries
from a build folder, on 127.0.0.1 and a free port.

    python3 demo/server.py [BUILD_DIR]     serves until Ctrl-C

A project file may write {base} where the server's own address belongs.
"""
import http.server
import pathlib
import socket
import sys
import threading
import time

DEMO = pathlib.Path(__file__).resolve().parent
LIBRARIES = ("orlcore.dll", "orlshapes.dll", "demo_orlviewer.exe")


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
        body = self.server.demo.body(self.path)
        status = 200 if body is not None else 404
        if body is None:
            body = b"not here\n"
        self.server.demo.fetched.append((self.path, status, len(body)))
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        delay = self.server.demo.delay if self.path.startswith("/lib/") else 0
        step = 8192 if delay else len(body) or 1
        for at in range(0, len(body), step):
            self.wfile.write(body[at:at + step])
            self.wfile.flush()
            time.sleep(delay)


class DemoServer:
    """delay: seconds between 8 KB blocks of a library, so a transfer can be watched."""

    def __init__(self, build_dir, delay=0):
        self.build_dir = pathlib.Path(build_dir)
        self.delay = delay
        self.fetched = []           # (path, status, bytes) in request order
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), _Handler)
        self.httpd.daemon_threads = True
        self.httpd.demo = self
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.httpd.shutdown()
        self.httpd.server_close()

    @property
    def base(self):
        return "http://127.0.0.1:%d" % self.httpd.server_address[1]

    def body(self, path):
        name = path.split("?", 1)[0].lstrip("/")
        if name.startswith("lib/") and name[4:] in LIBRARIES:
            library = self.build_dir / "demo" / name[4:]
            return library.read_bytes() if library.is_file() else None
        if "/" not in name and name.endswith(".orp") and (DEMO / name).is_file():
            return (DEMO / name).read_text().replace("{base}", self.base).encode()
        return None


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else DEMO.parent / "build" / "win64"
    with DemoServer(build) as server:
        print("demo project: %s/demo.orp  (Ctrl-C stops)" % server.base, flush=True)
        try:
            threading.Event().wait()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
