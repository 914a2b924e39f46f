"""The launcher against a real web server and a real forward proxy: HTTP
redirections of every kind, chunked bodies, and the system proxy."""
import gzip
import http.client
import os
import shutil
import time
import unittest

import harness
import realservers
from test_pipeline import project

PROGRESS = 1017
RECORD = harness.PREFIX / "drive_c" / "viewer-record.txt"


def image(name, size=30000):
    return harness.library(name, size)


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


if __name__ == "__main__":
    unittest.main()
