"""The launcher opening projects over HTTP: fetching, caching, redirections,
encoded projects, every failure with its message, and nothing half-written."""
import socket
import struct
import sys
import time

import harness
from harness import RECORD, library, project

FAILED = "The transfer broke off before the whole file arrived.\r\n"


# The launcher's encoded file form: bits flipped from seed mod 8 upwards, the
# seed appended, both ends interleaved inwards.
def encode(plain, seed=0x0123456789ABCDEF):
    stage = bytearray(byte ^ (1 << (seed + k) % 8) for k, byte in enumerate(plain)) + struct.pack("<q", seed)
    out = bytearray(len(stage))
    for k, byte in enumerate(stage):
        out[k // 2 if k % 2 == 0 else len(stage) - 1 - (k - 1) // 2] = byte
    return bytes(out)


# A full listen queue: a connection is never accepted.
def unaccepting_port(test):
    listener = socket.socket()
    test.addCleanup(listener.close)
    listener.bind(("127.0.0.1", 0))
    listener.listen(0)
    for _ in range(16):
        c = socket.socket()
        test.addCleanup(c.close)
        c.settimeout(0.3)
        try:
            c.connect(listener.getsockname())
        except OSError:
            break
    return listener.getsockname()[1]


class Pipeline(harness.LauncherTest):
    def lib_url(self):
        return self.server.url("/lib/")

    def serve_viewer(self):
        self.server.add("/lib/sub/orlviewer.exe", harness.STUB_VIEWER.read_bytes())

    def lib_requests(self):
        return [r for r in self.server.requests if r.startswith("/lib/")]

    # --- the road of a project ------------------------------------------------

    def test_fetches_the_libraries_starts_the_viewer_and_fetches_nothing_the_second_time(self):
        base = library("base.dll", 25000)
        self.server.add("/p.orp", project(self.lib_url(), " base.dll ; sub\\orlviewer.exe "))
        self.server.add("/lib/base.dll", base)
        self.serve_viewer()
        url = self.server.url("/p.orp")

        self.assertEqual(self.launch(url), [])
        self.assertEqual(self.viewer_record(), "base.dll;" + url)
        self.assertEqual(self.stored(), {"base.dll": base, "sub/orlviewer.exe": harness.STUB_VIEWER.read_bytes()})
        # The list's backslash reaches the server as a slash.
        self.assertEqual(self.lib_requests(), ["/lib/base.dll", "/lib/sub/orlviewer.exe"])

        RECORD.unlink()
        self.assertEqual(self.launch(url), [])
        self.assertEqual(self.viewer_record(), "base.dll;" + url)
        self.assertEqual(self.server.requests, ["/p.orp", "/lib/base.dll", "/lib/sub/orlviewer.exe", "/p.orp"])

    def test_redirected_and_encoded_projects_pass_the_asked_location(self):
        self.server.add("/hop.orp", project(redirection=self.server.url("/coded.orp")))
        self.server.add("/coded.orp", harness.Route(encode(project(self.lib_url(), "x.dll;sub\\orlviewer.exe")),
                                                    mode="nolength"))
        self.server.add("/lib/x.dll", harness.Route(library("x.dll", 30000), mode="nolength"))
        self.serve_viewer()
        url = self.server.url("/hop.orp")
        self.assertEqual(self.launch(url), [])
        self.assertEqual(self.viewer_record(), "x.dll;" + url)
        # Without a Content-Length the file still arrives whole.
        self.assertEqual(self.stored()["x.dll"], library("x.dll", 30000))

    # --- failures ---------------------------------------------------------------

    def expect_failure(self, location, message):
        self.assertEqual(self.launch(location), [message])
        self.assertEqual(self.closed, ["Orrel"], "no main dialog after the failure")
        self.assertFalse(RECORD.exists())
        self.assertEqual(list((harness.orrel_folder() / "temp").iterdir()), [])

    def test_a_missing_library_stops_the_list_there(self):
        self.server.add("/p.orp", project(self.lib_url(), "a.dll;gone.dll;c.dll;sub\\orlviewer.exe"))
        self.server.add("/lib/a.dll", library("a.dll"))
        self.server.add("/lib/c.dll", library("c.dll"))
        self.serve_viewer()
        self.expect_failure(self.server.url("/p.orp"),
                            "Could not find the requested file on the server.\r\n" + self.server.url("/lib/gone.dll"))
        self.assertEqual(self.lib_requests(), ["/lib/a.dll", "/lib/gone.dll"])
        self.assertEqual(list(self.stored()), ["a.dll"])

    def test_other_statuses_and_a_body_cut_off_fail_and_leave_no_file(self):
        url = self.server.url
        self.server.add("/broken.orp", harness.Route(b"", 500, "Internal Trouble"))
        self.server.add("/same.orp", project(self.lib_url(), "same.dll"))
        self.server.add("/lib/same.dll", harness.Route(b"", 304, "Not Modified"))
        self.server.add("/p.orp", project(self.lib_url(), "cut.dll"))
        self.server.add("/lib/cut.dll", harness.Route(library("cut.dll", 60000), mode="cut"))
        self.server.add("/cut.orp", harness.Route(project(self.lib_url(), "x.dll" + " " * 4000), mode="cut"))
        for path, message in (("/broken.orp", "Internal Trouble\r\n" + url("/broken.orp")),
                              ("/same.orp", "Not Modified\r\n" + url("/lib/same.dll")),
                              ("/p.orp", FAILED + url("/lib/cut.dll")), ("/cut.orp", FAILED + url("/cut.orp"))):
            with self.subTest(path):
                self.expect_failure(url(path), message)
                self.assertEqual(self.stored(), {})

    def test_entries_outside_the_viewer_folder_are_refused_before_any_fetch(self):
        self.server.add("/p.orp", project(self.lib_url(), "a.dll;..\\..\\evil.dll;sub\\orlviewer.exe"))
        self.server.add("/lib/a.dll", library("a.dll"))
        self.expect_failure(self.server.url("/p.orp"),
                            "The library name points outside the viewer folder:\r\n..\\..\\evil.dll")
        self.assertEqual(self.lib_requests(), [])

    def test_a_remote_project_must_name_its_library_folder(self):
        self.server.add("/bare.orp", project(basedlls="a.dll;sub\\orlviewer.exe"))
        self.expect_failure(self.server.url("/bare.orp"), "Can't find the DLL path in the project file.")
        self.assertEqual(self.server.requests, ["/bare.orp"])

    def test_a_redirection_cycle_ends_after_sixteen_hops(self):
        url = self.server.url("/loop.orp")
        self.server.add("/loop.orp", project(redirection=url))
        self.expect_failure(url, "The project was redirected more than 16 times.\r\n" + url)
        self.assertEqual(self.server.requests, ["/loop.orp"] * 17)

    # --- servers that stall -----------------------------------------------------

    def test_cancel_ends_a_stalled_transfer_in_every_phase(self):
        self.serve_viewer()
        self.server.add("/lib/ok.dll", library("ok.dll"))
        self.server.add("/other.orp", project(self.lib_url(), "ok.dll;sub\\orlviewer.exe"))
        self.server.add("/silent/stall.dll", harness.Route(mode="silent"))
        self.server.add("/silent/p.orp", harness.Route(mode="silent"))
        # Headers and the first bytes, then a trickle far slower than any timeout.
        self.server.add("/drip/stall.dll", harness.Route(library("stall.dll", 100000), mode="slow", delay=3))
        for phase, lib in (("connect", "http://127.0.0.1:%d/" % unaccepting_port(self)),
                           ("headers", self.server.url("/silent/")), ("body", self.server.url("/drip/"))):
            self.server.add("/%s.orp" % phase, project(lib, "stall.dll;next.dll"))
        latencies = {}
        for phase in ("connect", "headers", "body", "project"):
            with self.subTest(phase):
                status = "Downloading %s..." % ("p.orp" if phase == "project" else "stall.dll")
                launcher = self.start(self.server.url("/silent/p.orp" if phase == "project" else "/%s.orp" % phase))
                dialog = harness.wait_for(lambda w: w.control(harness.PROGRESS) and w.text(harness.STATUS) == status)
                self.assertIsNotNone(dialog, "no progress dialog for a stalled " + phase)
                time.sleep(1)   # well into the stall
                if phase == "body":
                    # A second launcher leaves the running download's side file alone.
                    held = self.side_files()
                    self.assertEqual(len(held), 1)
                    self.assertEqual(self.launch(self.server.url("/other.orp")), [])
                    self.assertEqual(self.side_files(), held)
                latencies[phase] = harness.click(dialog, 2, gone_within=10)
                self.assertLess(latencies[phase] or 99, 1.0, phase)
                main = harness.dialog("Orrel")
                self.assertIsNotNone(main, "no main dialog after a cancelled " + phase)
                self.assertEqual(self.side_files(), [])
                self.assertNotIn("stall.dll", self.stored())
                # Nothing after the cancelled library is fetched.
                self.assertFalse([r for r in self.server.requests if r.endswith("next.dll")])
                harness.close(main)
                launcher.wait(30)
        sys.stderr.write("\ncancel latency (s): %s\n" % ", ".join("%s %.3f" % kv for kv in latencies.items()))

    def test_a_silent_server_ends_in_a_message_and_the_main_dialog(self):
        self.server.add("/p.orp", harness.Route(mode="silent"))
        url = self.server.url("/p.orp")
        start = time.time()
        self.assertEqual(self.launch(url, timeout=90), ["The server did not answer in time.\r\n" + url])
        self.assertEqual(self.closed, ["Orrel"])
        sys.stderr.write("\nsilent server: message and main dialog after %.1f s\n" % (time.time() - start))
