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

import harness
import test_module

harness.UIDRIVER = harness.ROOT / "build" / "win64" / "tests" / "e2e" / "uidriver.exe"
harness.STUB_VIEWER = harness.BUILD / "tests" / "module" / "stub_orlviewer.exe"
# One process start under emulation, with room to spare on a busy machine.
PATIENCE = int(os.environ.get("ORREL_PATIENCE", "150"))


class Launch32(harness.LauncherTest):
    def launch32(self, url):
        began = time.time()
        # Each look at the windows starts a 64-bit process: looking every two
        # seconds leaves the cores to the emulated program.
        launcher = self.start(url)
        self.assertEqual(harness.run_to_end(launcher, PATIENCE * 2, interval=2), [])
        self.assertEqual(launcher.wait(), 0)
        record = self.viewer_record(PATIENCE * 2)
        print("\n  launch and viewer: %.0f s" % (time.time() - began), file=sys.stderr)
        harness.RECORD.unlink()
        return record

    def test_first_launch_stores_the_libraries_and_a_second_fetches_only_the_project(self):
        libs = {"orlcore.dll": harness.library("lib1", 70001), "orlshapes.dll": harness.library("lib2", 4096),
                "stub_orlviewer.exe": harness.STUB_VIEWER.read_bytes()}
        self.server.add("/p.orp", harness.project(self.server.url("/lib/"),
                                                  "orlcore.dll; orlshapes.dll ;stub_orlviewer.exe"))
        for name, body in libs.items():
            self.server.add("/lib/" + name, body)
        url = self.server.url("/p.orp")

        self.assertEqual(self.launch32(url + "?page=2"), "orlcore.dll;" + url + "?page=2")
        self.assertEqual(self.stored(), libs)
        self.assertEqual(self.server.requests, ["/p.orp"] + ["/lib/" + n for n in libs])

        self.assertEqual(self.launch32(url), "orlcore.dll;" + url)
        self.assertEqual(self.server.requests[len(libs) + 1:], ["/p.orp"])


# The main dialog with no argument, found and closed, and the module's checks.
class Module32(test_module.ModuleChecks):
    BITS = 32
    PATIENCE = PATIENCE
