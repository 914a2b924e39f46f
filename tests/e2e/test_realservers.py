"""The launcher against a real web server and a real forward proxy: HTTP
redirections of every kind, chunked bodies, and the system proxy."""
import gzip
import http.client
import os
import shutil
import socket
import sys
import threading
import time
import unittest

import harness
import realservers
from test_pipeline import project

PROGRESS = 1017
RECORD = harness.PREFIX / "drive_c" / "viewer-record.txt"


def image(name, size=30000):
    return harness.library(name, size)


class StallServer:
    """A server on 127.0.0.1 that stalls a transfer in one phase: 'connect' (its
    queue is full, so a connection is never accepted), 'headers' (it reads the
    request and never answers) or 'body' (headers and a few bytes, then one byte
    every 3 s)."""

    def __init__(self, mode):
        self.mode, self.socks, self.stop = mode, [], threading.Event()
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(0)
        self.port = self.listener.getsockname()[1]
        if mode == "connect":
            self._fill_queue()
        else:
            threading.Thread(target=self._serve, daemon=True).start()

    def url(self, path):
        return "http://127.0.0.1:%d%s" % (self.port, path)

    def _fill_queue(self):
        for _ in range(16):
            c = socket.socket()
            c.settimeout(0.3)
            try:
                c.connect(("127.0.0.1", self.port))
                self.socks.append(c)
            except OSError:
                c.close()
                return

    def _serve(self):
        self.listener.settimeout(0.2)
        while not self.stop.is_set():
            try:
                c, _ = self.listener.accept()
            except OSError:
                continue
            self.socks.append(c)
            threading.Thread(target=self._answer, args=(c,), daemon=True).start()

    def _answer(self, c):
        try:
            c.recv(4096)
            if self.mode == "body":
                c.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\nMZ")
                while not self.stop.wait(3):
                    c.sendall(b"x")
            else:
                self.stop.wait()
        except OSError:
            pass

    def close(self):
        self.stop.set()
        for c in self.socks + [self.listener]:
            c.close()


def get(nginx, path, port=0):
    """(status, headers, body) of one plain request, redirections not followed."""
    conn = http.client.HTTPConnection("127.0.0.1", nginx.ports[port], timeout=10)
    try:
        conn.request("GET", path)
        answer = conn.getresponse()
        return answer.status, dict(answer.getheaders()), answer.read()
    finally:
        conn.close()


class NginxAnswers(unittest.TestCase):
    """The answers other tests build on are the ones nginx really gives."""

    def test_each_kind_of_answer(self):
        n = realservers.Nginx()
        self.addCleanup(n.__exit__)
        body = bytes(range(256)) * 100
        n.redirect("/rel", 307, "/x")
        n.redirect("/abs", 301, n.url("/x", second=True))
        n.loop("/loop.dll")
        n.gzip_always("/z.dll", body)
        n.html_page("/portal.dll")
        n.slow("/slow.dll", body[:25000], "10k")
        n.start()
        status, headers, _ = get(n, "/rel")
        self.assertEqual((status, headers["Location"]), (307, "/x"))
        self.assertEqual(get(n, "/abs", port=1)[1]["Location"], n.url("/x", second=True))
        self.assertEqual(get(n, "/loop.dll")[1]["Location"], "/loop.dll")
        status, headers, gz = get(n, "/z.dll")
        self.assertEqual((status, headers.get("Content-Encoding"), gzip.decompress(gz)), (200, "gzip", body))
        status, headers, page = get(n, "/portal.dll")
        self.assertEqual((status, headers["Content-Type"], page[:6]), (200, "text/html", b"<html>"))
        began = time.time()
        self.assertEqual(get(n, "/slow.dll")[2], body[:25000])
        self.assertGreater(time.time() - began, 1)

        # A block added later takes effect on restart, on the same ports.
        ports = n.ports
        n.location("location = /late { return 410; }")
        n.restart()
        self.assertEqual((n.ports, get(n, "/late")[0]), (ports, 410))
        n.stop()
        self.assertEqual(n.requests()[-1], ("/late", 410))


class RealServers(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        harness.reset_state()

    def setUp(self):
        self.nginx = realservers.Nginx()
        self.addCleanup(self.nginx.__exit__)
        RECORD.unlink(missing_ok=True)
        self.viewer = harness.orrel_folder() / "viewer"
        shutil.rmtree(self.viewer, ignore_errors=True)
        self.viewer_bytes = harness.STUB_VIEWER.read_bytes()

    def launch(self, url, timeout=60):
        """Runs the launcher on url to its end, answering every message box and
        closing the main dialog a failure falls back to; returns the messages."""
        launcher = harness.Launcher([url], env={"ORREL_VIEWER_RECORD": r"C:\viewer-record.txt"})
        self.addCleanup(launcher.kill)
        texts, answered, end = [], set(), time.time() + timeout
        while launcher.running():
            if time.time() > end:
                self.fail("the launcher did not end; messages so far: %r" % texts)
            for w in harness.windows():
                if w.is_message_box and w.hwnd not in answered:
                    answered.add(w.hwnd)
                    texts.append(w.message)
                    harness.wine([harness.UIDRIVER, "click", w.hwnd, 1 if w.control(1) else 2], check=False)
                elif w.cls == "#32770" and not w.is_message_box and w.control(PROGRESS) is None:
                    harness.wine([harness.UIDRIVER, "close", w.hwnd], check=False)
            time.sleep(0.1)
        return texts

    def assert_viewer_started(self, first, url, files):
        self.assertTrue(harness.wait_file(RECORD, 10), "the viewer did not start")
        self.assertEqual(RECORD.read_text(), first + ";" + url)
        stored = {str(p.relative_to(self.viewer)).replace(os.sep, "/"): p.read_bytes()
                  for p in self.viewer.rglob("*") if p.is_file()}
        self.assertEqual(sorted(stored), sorted(files))
        for name, body in files.items():
            self.assertTrue(stored[name] == body, "%s is not stored byte for byte" % name)

    # --- tests -------------------------------------------------------------------

    def test_redirected_project_and_libraries_are_followed_across_ports(self):
        n = self.nginx
        files = {"a.dll": image("a.dll"), "b.dll": image("b.dll", 70000), "sub/orlviewer.exe": self.viewer_bytes}
        n.redirect("/old.orp", 301, n.url("/moved.orp"))          # absolute, to the other port
        n.redirect("/moved.orp", 307, "/p.orp")                    # relative
        n.add("/p.orp", project(n.url("/lib/"), "a.dll; b.dll; sub\\orlviewer.exe"))
        n.redirect("/lib/a.dll", 302, "/files/a.dll")
        n.redirect("/lib/b.dll", 307, n.url("/files/b.dll", second=True))
        n.redirect("/lib/sub/orlviewer.exe", 303, "/files/orlviewer.exe")
        n.add("/files/a.dll", files["a.dll"])
        n.add("/files/b.dll", files["b.dll"])
        n.add("/files/orlviewer.exe", files["sub/orlviewer.exe"])
        n.start()
        asked = n.url("/old.orp", second=True)

        self.assertEqual(self.launch(asked), [])
        # The viewer gets the location that was asked for, not where it led.
        self.assert_viewer_started("a.dll", asked, files)
        self.assertEqual(n.requests(), [
            ("/old.orp", 301), ("/moved.orp", 307), ("/p.orp", 200),
            ("/lib/a.dll", 302), ("/files/a.dll", 200),
            ("/lib/b.dll", 307), ("/files/b.dll", 200),
            ("/lib/sub/orlviewer.exe", 303), ("/files/orlviewer.exe", 200)])

    def test_chunked_project_and_library_are_stored_whole(self):
        n = self.nginx
        # Not a multiple of the launcher's block or of nginx's buffers.
        files = {"big.dll": image("big.dll", 300001), "sub/orlviewer.exe": self.viewer_bytes}
        n.chunked("/p.orp", project(n.url("/lib/"), "big.dll;sub\\orlviewer.exe"))
        n.chunked("/lib/big.dll", files["big.dll"])
        n.add("/lib/sub/orlviewer.exe", files["sub/orlviewer.exe"])
        n.start()
        for path in ("/p.orp", "/lib/big.dll"):
            self.assertEqual(get(n, path)[1].get("Transfer-Encoding"), "chunked", path)

        url = n.url("/p.orp")
        self.assertEqual(self.launch(url), [])
        self.assert_viewer_started("big.dll", url, files)

    def test_a_launch_through_the_system_proxy(self):
        n = self.nginx
        files = {"core.dll": image("core.dll"), "sub/orlviewer.exe": self.viewer_bytes}
        # Through a proxy a relative Location must still resolve against the
        # server, not against the proxy.
        n.redirect("/old.orp", 302, "/p.orp")
        n.add("/p.orp", project(n.url("/lib/"), "core.dll;sub\\orlviewer.exe"))
        n.redirect("/lib/core.dll", 301, n.url("/files/core.dll", second=True))
        n.add("/files/core.dll", files["core.dll"])
        n.add("/lib/sub/orlviewer.exe", files["sub/orlviewer.exe"])
        n.start()
        url = n.url("/old.orp")
        with realservers.Tinyproxy() as proxy, realservers.SystemProxy(proxy.address):
            self.assertEqual(self.launch(url), [])
            self.assertEqual(proxy.requests(), [url, n.url("/p.orp"), n.url("/lib/core.dll"),
                                                n.url("/files/core.dll", second=True),
                                                n.url("/lib/sub/orlviewer.exe")])
        self.assert_viewer_started("core.dll", url, files)
        self.assertEqual(len(n.requests()), 5)


    # --- what the network gets wrong ------------------------------------------------

    def side_files(self):
        return sorted(p.name for p in self.viewer.glob("*.part")) if self.viewer.exists() else []

    def test_wrong_answers_are_refused_and_nothing_wrong_is_kept(self):
        n = self.nginx
        a = image("a.dll")
        n.gzip_always("/lib/a.dll", a)                  # compressed although nobody asked
        n.html_page("/lib/b.dll")                        # a portal's page with status 200
        n.add("/p.orp", project(n.url("/lib/"), "a.dll;b.dll;sub\\orlviewer.exe"))
        n.loop("/lib/loop.dll")
        n.add("/loop-lib.orp", project(n.url("/lib/"), "loop.dll"))
        n.loop("/loop.orp")
        n.start()
        self.assertEqual(self.launch(n.url("/p.orp")),
                         ["The file from the server is not a program library:\r\n" + n.url("/lib/b.dll")])
        self.assertEqual((self.viewer / "a.dll").read_bytes(), a)
        self.assertFalse((self.viewer / "b.dll").exists())
        for url in (n.url("/loop-lib.orp"), n.url("/loop.orp")):
            target = n.url("/lib/loop.dll") if "lib" in url else url
            self.assertEqual(self.launch(url), ["The server redirected the file more than 16 times.\r\n" + target])
        n.stop()
        counts = {}
        for path, status in n.requests():
            counts[path] = counts.get(path, 0) + 1
        self.assertEqual((counts["/lib/loop.dll"], counts["/loop.orp"]), (17, 17))
        self.assertEqual(self.side_files(), [])
        self.assertFalse(RECORD.exists())

    def test_nothing_lands_in_the_url_cache_and_a_cached_project_is_read_fresh(self):
        n = self.nginx
        files = {"one.dll": image("one.dll"), "two.dll": image("two.dll"), "sub/orlviewer.exe": self.viewer_bytes}
        for name, body in files.items():
            n.add("/lib/" + name, body)
        n.add("/p.orp", project(n.url("/lib/"), "one.dll;sub\\orlviewer.exe"))
        n.location('location = /p.orp { add_header Cache-Control "max-age=3600"; }')
        n.start()
        # A side file left by a launcher that was killed goes at the next download.
        self.viewer.mkdir(parents=True, exist_ok=True)
        (self.viewer / "4242.part").write_bytes(b"left behind")
        url = n.url("/p.orp")
        self.assertEqual(self.launch(url), [])
        self.assertEqual(self.side_files(), [])
        n.add("/p.orp", project(n.url("/lib/"), "two.dll;sub\\orlviewer.exe"))
        RECORD.unlink(missing_ok=True)
        self.assertEqual(self.launch(url), [])
        self.assert_viewer_started("two.dll", url, files)
        caches = [p for p in (harness.PREFIX / "drive_c" / "users").rglob("*")
                  if p.is_file() and ("INetCache" in str(p) or "Temporary Internet Files" in str(p))]
        served = set(files.values())
        self.assertEqual([str(p) for p in caches if p.read_bytes() in served or p.name.startswith("p[")], [])

    def test_a_library_that_cannot_be_stored_says_which(self):
        n = self.nginx
        n.add("/lib/a.dll", image("a.dll"))
        n.add("/p.orp", project(n.url("/lib/"), "a.dll"))
        n.start()
        (self.viewer / "a.dll").mkdir(parents=True)
        texts = self.launch(n.url("/p.orp"))
        self.assertEqual(len(texts), 1)
        self.assertTrue(texts[0].startswith("The file could not be written:\r\n"), texts)
        self.assertIn("\\viewer\\a.dll", texts[0])
        self.assertEqual(self.side_files(), [])

    def progress_dialog(self, status, timeout=30):
        return harness.wait_for(lambda w: w.control(PROGRESS) is not None and w.text(1018) == status, timeout)

    def cancel_latency(self, dialog):
        """Presses Cancel and returns the seconds until the dialog is gone."""
        start = time.time()
        harness.click(dialog, 2)
        while any(w.hwnd == dialog.hwnd for w in harness.windows()):
            if time.time() - start > 10:
                self.fail("the progress dialog stayed after Cancel")
        return time.time() - start

    def test_cancel_ends_a_stalled_transfer_in_every_phase(self):
        n = self.nginx
        n.add("/lib/sub/orlviewer.exe", self.viewer_bytes)
        n.add("/lib/ok.dll", image("ok.dll"))
        n.add("/other.orp", project(n.url("/lib/"), "ok.dll;sub\\orlviewer.exe"))
        n.start()
        latencies = {}
        for phase in ("connect", "headers", "body", "project"):
            with self.subTest(phase):
                stall = StallServer("headers" if phase == "project" else phase)
                self.addCleanup(stall.close)
                if phase == "project":
                    url, status = stall.url("/slow/p.orp"), "Downloading p.orp..."
                else:
                    n.add("/%s.orp" % phase, project(stall.url("/lib/"), "stall.dll"))
                    url, status = n.url("/%s.orp" % phase), "Downloading stall.dll..."
                launcher = harness.Launcher([url], env={"ORREL_VIEWER_RECORD": r"C:\viewer-record.txt"})
                self.addCleanup(launcher.kill)
                dialog = self.progress_dialog(status)
                self.assertIsNotNone(dialog, "no progress dialog for a stalled " + phase)
                time.sleep(1)
                if phase == "body":
                    # A second launcher leaves the running download's side file alone.
                    held = self.side_files()
                    self.assertEqual(len(held), 1)
                    self.assertEqual(self.launch(n.url("/other.orp")), [])
                    self.assertEqual(self.side_files(), held)
                latencies[phase] = self.cancel_latency(dialog)
                self.assertLess(latencies[phase], 1.5, phase)
                main = harness.dialog("Orrel", 30)
                self.assertIsNotNone(main, "no main dialog after a cancelled " + phase)
                self.assertEqual(self.side_files(), [])
                self.assertFalse((self.viewer / "stall.dll").exists())
                harness.close(main)
                launcher.wait(30)
        sys.stderr.write("\ncancel latency (s, with the UI driver's polling): %s\n"
                         % ", ".join("%s %.2f" % kv for kv in latencies.items()))

    def test_a_silent_server_ends_in_a_message_and_the_main_dialog(self):
        stall = StallServer("headers")
        self.addCleanup(stall.close)
        url = stall.url("/p.orp")
        start = time.time()
        self.assertEqual(self.launch(url, timeout=90), ["The server did not answer in time.\r\n" + url])
        sys.stderr.write("\nsilent server: message and main dialog after %.1f s\n" % (time.time() - start))


if __name__ == "__main__":
    unittest.main()
