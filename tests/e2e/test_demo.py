"""`make run` end to end: the demo project over HTTP, the demo viewer, and the
cache at work on the second run."""
import os
import subprocess
import sys
import unittest

import harness


def make_run():
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "ARGS")}
    env["ORREL_RUN_TIMEOUT"] = "90"
    run = subprocess.run([sys.executable, str(harness.ROOT / "demo" / "run.py")], env=env, capture_output=True,
                         timeout=240, stdin=subprocess.DEVNULL)
    return run.returncode, run.stdout.decode("utf-8", "replace")


class DemoRun(unittest.TestCase):
    def test_the_second_run_takes_the_libraries_from_the_cache(self):
        harness.reset_state()
        status, out = make_run()
        self.assertEqual(status, 0, out)
        for name in ("/demo.orp", "/lib/orlcore.dll", "/lib/orlshapes.dll", "/lib/demo_orlviewer.exe"):
            self.assertRegex(out, r"\n    %s +200 " % name, out)
        self.assertRegex(out, r"parameter string:\n    orlcore\.dll;http://127\.0\.0\.1:\d+/demo\.orp\n", out)
        self.assertIn("The viewer closed.", out)

        status, out = make_run()
        self.assertEqual(status, 0, out)
        self.assertRegex(out, r"\n    /demo\.orp +200 ", out)
        self.assertNotIn("/lib/", out)
        self.assertIn("Taken from the cache (already in the viewer folder): orlcore.dll, orlshapes.dll, "
                      "demo_orlviewer.exe", out)


if __name__ == "__main__":
    unittest.main()
