"""The module SDK: made from both builds, copied out of the tree, and its sample
built there for both widths from the SDK folder alone (scripts/test-sdk)."""
import subprocess
import unittest

import harness


class SdkTest(unittest.TestCase):
    def test_sample_builds_from_a_copy_of_the_sdk_alone(self):
        run = subprocess.run([str(harness.ROOT / "scripts" / "test-sdk")], capture_output=True, text=True,
                             timeout=600, stdin=subprocess.DEVNULL)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.assertEqual(run.stdout.count(" sample built from "), 2, run.stdout)


if __name__ == "__main__":
    unittest.main()
