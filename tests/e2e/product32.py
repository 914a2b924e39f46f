"""The shipped 32-bit program under the 32-bit Wine (run by scripts/test32):
a first launch over HTTP, a cached second launch, and the main dialog with the
test module loaded into it. Every 32-bit process start costs about a minute
under emulation, so each run here checks as much as it can: six starts in all
(the launcher three times, the viewer twice, the injector once). The UI driver
stays the 64-bit one, which reads and presses 32-bit windows just as well.

Environment: ORREL_BUILD (the 32-bit build), WINEPREFIX (a prefix of its own)."""
import os
import sys
import time
import unittest

import harness
import test_module
import test_pipeline

harness.UIDRIVER = harness.ROOT / "build" / "win64" / "tests" / "e2e" / "uidriver.exe"
harness.STUB_VIEWER = harness.BUILD / "tests" / "module" / "stub_orlviewer.exe"
# One process start under emulation, with room to spare on a busy machine.
PATIENCE = int(os.environ.get("ORREL_PATIENCE", "150"))
# Each look at the windows starts a 64-bit process: looking every two seconds
# leaves the cores to the emulated program.
INTERVAL = 2
RECORD = harness.PREFIX / "drive_c" / "viewer-record32.txt"
RECORD_WIN = r"C:\viewer-record32.txt"


def library(seed, size):
    return harness.library("lib%d" % seed, size)


class Launch32(unittest.TestCase):
    def setUp(self):
        harness.reset_state()
        RECORD.unlink(missing_ok=True)
        self.server = harness.Server().__enter__()
        self.addCleanup(self.server.__exit__)
        self.viewer = harness.orrel_folder() / "viewer"

    def launch(self, url):
        began = time.time()
        launcher = harness.Launcher([url], env={"ORREL_VIEWER_RECORD": RECORD_WIN})
        self.addCleanup(launcher.kill)
        self.assertEqual(self.boxes_until_end(launcher), [])
        self.assertEqual(launcher.wait(), 0)
        self.assertTrue(harness.wait_file(RECORD, PATIENCE * 2), "the viewer wrote no record")
        print("\n  launch and viewer: %.0f s" % (time.time() - began), file=sys.stderr)
        record = RECORD.read_text()
        RECORD.unlink()
        return record

    def boxes_until_end(self, launcher):
        """Any box or fallback dialog is a failure: read, closed, and returned."""
        seen = []
        end = time.time() + PATIENCE * 2
        while launcher.running():
            if time.time() > end:
                self.fail("the launcher did not end; boxes so far: %r" % seen)
            for w in harness.windows():
                if w.is_message_box:
                    seen.append((w.caption, w.message))
                    harness.wine([harness.UIDRIVER, "click", w.hwnd, 1 if w.control(1) else 2], check=False)
                elif w.cls == "#32770" and w.control(test_pipeline.PROGRESS) is None:
                    seen.append(w.caption)
                    harness.wine([harness.UIDRIVER, "close", w.hwnd], check=False)
            time.sleep(INTERVAL)
        return seen

    def test_first_launch_stores_the_libraries_and_a_second_fetches_only_the_project(self):
        libs = {"orlcore.dll": library(1, 70001), "orlshapes.dll": library(2, 4096),
                "stub_orlviewer.exe": harness.STUB_VIEWER.read_bytes()}
        self.server.add("/p.orp", test_pipeline.project(self.server.url("/lib/"),
                                                        "orlcore.dll; orlshapes.dll ;stub_orlviewer.exe"))
        for name, body in libs.items():
            self.server.add("/lib/" + name, body)
        url = self.server.url("/p.orp")

        self.assertEqual(self.launch(url + "?page=2"), "orlcore.dll;" + url + "?page=2")
        self.assertEqual(sorted(p.name for p in self.viewer.iterdir()), sorted(libs))
        for name, body in libs.items():
            self.assertEqual((self.viewer / name).read_bytes(), body, name)
        self.assertEqual(self.server.requests, ["/p.orp"] + ["/lib/" + n for n in libs])

        self.assertEqual(self.launch(url), "orlcore.dll;" + url)
        self.assertEqual(self.server.requests[len(libs) + 1:], ["/p.orp"])


class Module32(test_module.ModuleChecks):
    """The main dialog with no argument, found and closed, and the module's checks."""
    BITS = 32
    PATIENCE = PATIENCE


if __name__ == "__main__":
    unittest.main()
