"""The launcher against a real web server and a real forward proxy: HTTP
redirections of every kind, chunked bodies, answers that are wrong, the URL
cache, and the system proxy."""
import urllib.request

import harness
import realservers
from harness import RECORD, library, project


def headers(url):
    with urllib.request.build_opener(urllib.request.ProxyHandler({})).open(url, timeout=10) as answer:
        return answer.headers


class RealServers(harness.LauncherTest):
    def setUp(self):
        super().setUp()
        self.nginx = realservers.Nginx()
        self.addCleanup(self.nginx.__exit__)
        self.viewer_bytes = harness.STUB_VIEWER.read_bytes()

    def test_redirected_project_and_libraries_are_followed_across_ports(self):
        n = self.nginx
        files = {"a.dll": library("a.dll", 30000), "b.dll": library("b.dll", 70000),
                 "sub/orlviewer.exe": self.viewer_bytes}
        n.redirect("/old.orp", 301, n.url("/moved.orp"))          # absolute, to the other port
        n.redirect("/moved.orp", 307, "/p.orp")                    # relative
        n.add("/p.orp", project(n.url("/lib/"), "a.dll; b.dll; sub\\orlviewer.exe"))
        n.redirect("/lib/a.dll", 302, "/files/a.dll")
        n.redirect("/lib/b.dll", 307, n.url("/files/b.dll", second=True))
        n.redirect("/lib/sub/orlviewer.exe", 303, "/files/orlviewer.exe")
        for name, body in files.items():
            n.add("/files/" + name.split("/")[-1], body)
        n.start()
        asked = n.url("/old.orp", second=True)

        self.assertEqual(self.launch(asked), [])
        # The viewer gets the location that was asked for, not where it led.
        self.assertEqual(self.viewer_record(), "a.dll;" + asked)
        self.assertEqual(self.stored(), files)
        self.assertEqual(n.requests(), [
            ("/old.orp", 301), ("/moved.orp", 307), ("/p.orp", 200),
            ("/lib/a.dll", 302), ("/files/a.dll", 200),
            ("/lib/b.dll", 307), ("/files/b.dll", 200),
            ("/lib/sub/orlviewer.exe", 303), ("/files/orlviewer.exe", 200)])

    def test_chunked_project_and_library_are_stored_whole(self):
        n = self.nginx
        # Not a multiple of the launcher's block or of nginx's buffers.
        files = {"big.dll": library("big.dll", 300001), "sub/orlviewer.exe": self.viewer_bytes}
        n.chunked("/p.orp", project(n.url("/lib/"), "big.dll;sub\\orlviewer.exe"))
        n.chunked("/lib/big.dll", files["big.dll"])
        n.add("/lib/sub/orlviewer.exe", self.viewer_bytes)
        n.start()
        for path in ("/p.orp", "/lib/big.dll"):
            self.assertEqual(headers(n.url(path)).get("Transfer-Encoding"), "chunked", path)

        url = n.url("/p.orp")
        self.assertEqual(self.launch(url), [])
        self.assertEqual(self.viewer_record(), "big.dll;" + url)
        self.assertEqual(self.stored(), files)

    def test_a_launch_through_the_system_proxy(self):
        n = self.nginx
        files = {"core.dll": library("core.dll"), "sub/orlviewer.exe": self.viewer_bytes}
        # Through a proxy a relative Location must still resolve against the
        # server, not against the proxy.
        n.redirect("/old.orp", 302, "/p.orp")
        n.add("/p.orp", project(n.url("/lib/"), "core.dll;sub\\orlviewer.exe"))
        n.redirect("/lib/core.dll", 301, n.url("/files/core.dll", second=True))
        n.add("/files/core.dll", files["core.dll"])
        n.add("/lib/sub/orlviewer.exe", self.viewer_bytes)
        n.start()
        url = n.url("/old.orp")
        with realservers.Tinyproxy() as proxy, realservers.SystemProxy(proxy.address):
            self.assertEqual(self.launch(url), [])
            self.assertEqual(proxy.requests(), [url, n.url("/p.orp"), n.url("/lib/core.dll"),
                                                n.url("/files/core.dll", second=True),
                                                n.url("/lib/sub/orlviewer.exe")])
        self.assertEqual(self.viewer_record(), "core.dll;" + url)
        self.assertEqual(self.stored(), files)
        self.assertEqual(len(n.requests()), 5)

    # --- what the network gets wrong ------------------------------------------------

    def test_wrong_answers_are_refused_and_nothing_wrong_is_kept(self):
        n = self.nginx
        a = library("a.dll", 30000)
        n.gzip_always("/lib/a.dll", a)                  # compressed although nobody asked
        n.html_page("/lib/b.dll")                        # a portal's page with status 200
        n.add("/p.orp", project(n.url("/lib/"), "a.dll;b.dll;sub\\orlviewer.exe"))
        n.loop("/lib/loop.dll")
        n.add("/loop-lib.orp", project(n.url("/lib/"), "loop.dll"))
        n.loop("/loop.orp")
        n.start()
        self.assertEqual(headers(n.url("/lib/a.dll")).get("Content-Encoding"), "gzip")
        self.assertEqual(self.launch(n.url("/p.orp")),
                         ["The file from the server is not a program library:\r\n" + n.url("/lib/b.dll")])
        self.assertEqual(self.stored(), {"a.dll": a})
        for url, target in ((n.url("/loop-lib.orp"), n.url("/lib/loop.dll")), (n.url("/loop.orp"), n.url("/loop.orp"))):
            self.assertEqual(self.launch(url), ["The server redirected the file more than 16 times.\r\n" + target])
        n.stop()
        paths = [path for path, _ in n.requests()]
        self.assertEqual((paths.count("/lib/loop.dll"), paths.count("/loop.orp")), (17, 17))
        self.assertEqual(self.side_files(), [])
        self.assertFalse(RECORD.exists())

    def test_nothing_lands_in_the_url_cache_and_a_cached_project_is_read_fresh(self):
        n = self.nginx
        files = {"one.dll": library("one.dll"), "two.dll": library("two.dll"), "sub/orlviewer.exe": self.viewer_bytes}
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
        self.assertEqual(self.viewer_record(), "one.dll;" + url)
        self.assertEqual(self.side_files(), [])
        n.add("/p.orp", project(n.url("/lib/"), "two.dll;sub\\orlviewer.exe"))
        RECORD.unlink()
        self.assertEqual(self.launch(url), [])
        self.assertEqual(self.viewer_record(), "two.dll;" + url)
        self.assertEqual(self.stored(), files)
        caches = [p for p in (harness.PREFIX / "drive_c" / "users").rglob("*")
                  if p.is_file() and ("INetCache" in str(p) or "Temporary Internet Files" in str(p))]
        served = set(files.values())
        self.assertEqual([str(p) for p in caches if p.read_bytes() in served or p.name.startswith("p[")], [])

    def test_a_library_that_cannot_be_stored_says_which(self):
        self.nginx.add("/lib/a.dll", library("a.dll"))
        self.nginx.add("/p.orp", project(self.nginx.url("/lib/"), "a.dll"))
        self.nginx.start()
        (self.viewer / "a.dll").mkdir(parents=True)
        [text] = self.launch(self.nginx.url("/p.orp"))
        self.assertTrue(text.startswith("The file could not be written:\r\n") and "\\viewer\\a.dll" in text, text)
        self.assertEqual(self.side_files(), [])

