"""The launcher opening projects over HTTP: fetching, caching, redirections,
encoded projects, every failure with its message, and nothing half-written."""
import os
import shutil
import struct
import time
import unittest

import harness

PROGRESS, STATUS = 1017, 1018
RECORD = harness.PREFIX / "drive_c" / "viewer-record.txt"
VIEWER_BYTES = harness.STUB_VIEWER.read_bytes() if harness.STUB_VIEWER.exists() else b""


def project(dllpath=None, basedlls=None, redirection=None):
    inner = ""
    if redirection is not None:
        inner += "<redirection>%s</redirection>" % redirection
    attrs = "".join(' %s="%s"' % (k, v) for k, v in (("dllpath", dllpath), ("basedlls", basedlls)) if v is not None)
    inner += "<header%s/>" % attrs
    return ("<?xml version='1.0' encoding='euc-kr' ?>\n<kestrine>%s</kestrine>" % inner).encode()


def encode(plain, seed=0x0123456789ABCDEF):
    """The launcher's encoded file form: bits flipped from seed mod 8 upwards,
    the seed appended, both ends interleaved inwards."""
    bit = seed % 8
    stage = bytearray()
    for byte in plain:
        stage.append(byte ^ (1 << bit))
        bit = (bit + 1) % 8
    stage += struct.pack("<q", seed)
    out = bytearray(len(stage))
    for k, byte in enumerate(stage):
        out[k // 2 if k % 2 == 0 else len(stage) - 1 - (k - 1) // 2] = byte
    return bytes(out)


library = harness.library


class Pipeline(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        harness.reset_state()

    def setUp(self):
        self.server = harness.Server().__enter__()
        self.addCleanup(self.server.__exit__)
        RECORD.unlink(missing_ok=True)
        self.viewer = harness.orrel_folder() / "viewer"
        shutil.rmtree(self.viewer, ignore_errors=True)

    # --- helpers -----------------------------------------------------------

    def lib_url(self):
        return self.server.url("/lib/")

    def serve_viewer(self):
        self.server.add("/lib/sub/orlviewer.exe", VIEWER_BYTES)

    def run_launcher(self, location):
        launcher = harness.Launcher([location], env={"ORREL_VIEWER_RECORD": r"C:\viewer-record.txt"})
        self.addCleanup(launcher.kill)
        return launcher

    def messages_until_end(self, launcher, timeout=60):
        """Reads and closes every message box until the launcher ends, and
        closes the main dialog it falls back to after a failure."""
        texts, answered = [], set()
        end = time.time() + timeout
        while launcher.running():
            if time.time() > end:
                self.fail("the launcher did not end; messages so far: %r" % texts)
            for w in harness.windows():
                if w.is_message_box and w.hwnd not in answered:
                    answered.add(w.hwnd)
                    texts.append((w.caption, w.message))
                    # The box may be gone by now: the launcher ends without waiting for us.
                    harness.wine([harness.UIDRIVER, "click", w.hwnd, 1 if w.control(1) else 2], check=False)
                elif w.cls == "#32770" and not w.is_message_box and w.control(PROGRESS) is None:
                    harness.wine([harness.UIDRIVER, "close", w.hwnd], check=False)
            time.sleep(0.1)
        return texts

    def viewer_files(self):
        return sorted(str(p.relative_to(self.viewer)).replace(os.sep, "/")
                      for p in self.viewer.rglob("*") if p.is_file())

    def lib_requests(self):
        return [r for r in self.server.requests if r.startswith("/lib/")]

    # --- the road of a project ------------------------------------------------

    def test_fetches_the_libraries_starts_the_viewer_and_fetches_nothing_the_second_time(self):
        base = library("base.dll", 25000)
        self.server.add("/p.orp", project(self.lib_url(), " base.dll ; sub\\orlviewer.exe "))
        self.server.add("/lib/base.dll", base)
        self.serve_viewer()
        url = self.server.url("/p.orp")

        self.assertEqual(self.messages_until_end(self.run_launcher(url)), [])
        self.assertTrue(harness.wait_file(RECORD, 10))
        self.assertEqual(RECORD.read_text(), "base.dll;" + url)
        self.assertEqual(self.viewer_files(), ["base.dll", "sub/orlviewer.exe"])
        self.assertEqual((self.viewer / "base.dll").read_bytes(), base)
        # The list's backslash reaches the server as a slash.
        self.assertEqual(self.lib_requests(), ["/lib/base.dll", "/lib/sub/orlviewer.exe"])

        RECORD.unlink()
        self.assertEqual(self.messages_until_end(self.run_launcher(url)), [])
        self.assertTrue(harness.wait_file(RECORD, 10))
        self.assertEqual(RECORD.read_text(), "base.dll;" + url)
        self.assertEqual(self.server.requests, ["/p.orp", "/lib/base.dll", "/lib/sub/orlviewer.exe", "/p.orp"])

    def test_redirected_and_encoded_projects_pass_the_asked_location(self):
        self.server.add("/hop.orp", project(redirection=self.server.url("/coded.orp")))
        self.server.add("/coded.orp", harness.Route(encode(project(self.lib_url(), "x.dll;sub\\orlviewer.exe")),
                                                    mode="nolength"))
        self.server.add("/lib/x.dll", harness.Route(library("x.dll", 30000), mode="nolength"))
        self.serve_viewer()
        url = self.server.url("/hop.orp")
        self.assertEqual(self.messages_until_end(self.run_launcher(url)), [])
        self.assertTrue(harness.wait_file(RECORD, 10))
        self.assertEqual(RECORD.read_text(), "x.dll;" + url)
        # Without a Content-Length the file still arrives whole.
        self.assertEqual((self.viewer / "x.dll").read_bytes(), library("x.dll", 30000))

    # --- failures ---------------------------------------------------------------

    def expect_failure(self, location, message):
        texts = self.messages_until_end(self.run_launcher(location))
        self.assertEqual(texts, [("Orrel", message)])
        self.assertFalse(RECORD.exists())
        self.assertEqual([p.name for p in (harness.orrel_folder() / "temp").iterdir()], [])

    def test_a_missing_library_stops_the_list_there(self):
        self.server.add("/p.orp", project(self.lib_url(), "a.dll;gone.dll;c.dll;sub\\orlviewer.exe"))
        self.server.add("/lib/a.dll", library("a.dll"))
        self.server.add("/lib/c.dll", library("c.dll"))
        self.serve_viewer()
        self.expect_failure(self.server.url("/p.orp"),
                            "Could not find the requested file on the server.\r\n" + self.server.url("/lib/gone.dll"))
        self.assertEqual(self.lib_requests(), ["/lib/a.dll", "/lib/gone.dll"])
        self.assertEqual(self.viewer_files(), ["a.dll"])

    def test_other_statuses_fail_with_the_servers_words(self):
        self.server.add("/broken.orp", harness.Route(b"", 500, "Internal Trouble"))
        self.expect_failure(self.server.url("/broken.orp"), "Internal Trouble\r\n" + self.server.url("/broken.orp"))
        self.server.add("/p.orp", project(self.lib_url(), "same.dll"))
        self.server.add("/lib/same.dll", harness.Route(b"", 304, "Not Modified"))
        self.expect_failure(self.server.url("/p.orp"), "Not Modified\r\n" + self.server.url("/lib/same.dll"))
        self.assertEqual(self.viewer_files(), [])

    def test_a_body_cut_off_leaves_no_file(self):
        self.server.add("/p.orp", project(self.lib_url(), "cut.dll"))
        self.server.add("/lib/cut.dll", harness.Route(library("cut.dll", 60000), mode="cut"))
        self.expect_failure(self.server.url("/p.orp"),
                            "The transfer broke off before the whole file arrived.\r\n" + self.server.url("/lib/cut.dll"))
        self.assertEqual(self.viewer_files(), [])
        self.server.add("/cut.orp", harness.Route(project(self.lib_url(), "x.dll" + " " * 4000), mode="cut"))
        self.expect_failure(self.server.url("/cut.orp"),
                            "The transfer broke off before the whole file arrived.\r\n" + self.server.url("/cut.orp"))

    def test_cancel_during_a_slow_transfer_ends_it_and_leaves_no_file(self):
        self.server.add("/p.orp", project(self.lib_url(), "slow.dll;sub\\orlviewer.exe"))
        self.server.add("/lib/slow.dll", harness.Route(library("slow.dll", 400 * 1024), mode="slow", delay=0.05))
        self.serve_viewer()
        launcher = self.run_launcher(self.server.url("/p.orp"))
        dialog = harness.wait_for(lambda w: w.control(PROGRESS) is not None and
                                  (w.text(STATUS) or "").startswith("Downloading"), 30)
        self.assertIsNotNone(dialog)
        self.assertEqual(dialog.text(STATUS), "Downloading slow.dll...")
        pressed = time.time()
        harness.click(dialog, 2)
        self.assertEqual(self.messages_until_end(launcher), [])
        self.assertLess(time.time() - pressed, 10)
        self.assertFalse(RECORD.exists())
        self.assertEqual(self.viewer_files(), [])
        self.assertNotIn("/lib/sub/orlviewer.exe", self.server.requests)

    def test_entries_outside_the_viewer_folder_are_refused_before_any_fetch(self):
        self.server.add("/p.orp", project(self.lib_url(), "a.dll;..\\..\\evil.dll;sub\\orlviewer.exe"))
        self.server.add("/lib/a.dll", library("a.dll"))
        self.expect_failure(self.server.url("/p.orp"),
                            "The library name points outside the viewer folder:\r\n..\\..\\evil.dll")
        self.assertEqual(self.lib_requests(), [])
        self.assertEqual(self.viewer_files(), [])

    def test_a_remote_project_must_name_its_library_folder(self):
        self.server.add("/bare.orp", project(basedlls="a.dll;sub\\orlviewer.exe"))
        self.expect_failure(self.server.url("/bare.orp"), "Can't find the DLL path in the project file.")
        self.assertEqual(self.server.requests, ["/bare.orp"])

    def test_a_redirection_cycle_ends_after_sixteen_hops(self):
        self.server.add("/loop.orp", project(redirection=self.server.url("/loop.orp")))
        url = self.server.url("/loop.orp")
        self.expect_failure(url, "The project was redirected more than 16 times.\r\n" + url)
        self.assertEqual(self.server.requests, ["/loop.orp"] * 17)


if __name__ == "__main__":
    unittest.main()
