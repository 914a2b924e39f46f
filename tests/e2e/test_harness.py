"""The suite's own tools behave as the launcher tests assume."""
import http.client
import os
import subprocess
import unittest

import harness


class ServerFaultModes(unittest.TestCase):
    def fetch(self, server, path):
        conn = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
        conn.request("GET", path)
        resp = conn.getresponse()
        try:
            body = resp.read()
        except http.client.IncompleteRead as e:
            body = e.partial
        return resp.status, resp.reason, resp.getheader("Content-Length"), body

    def test_each_mode_answers_as_announced(self):
        body = bytes(range(256)) * 64
        with harness.Server() as s:
            s.add("/ok", body)
            s.add("/cut", harness.Route(body, mode="cut"))
            s.add("/nolength", harness.Route(body, mode="nolength"))
            s.add("/gone", harness.Route(b"", 500, "Internal Trouble"))
            self.assertEqual(self.fetch(s, "/ok"), (200, "OK", str(len(body)), body))
            status, _, length, got = self.fetch(s, "/cut")
            self.assertEqual(length, str(len(body)))
            self.assertLess(len(got), len(body))
            self.assertEqual(self.fetch(s, "/nolength")[2:], (None, body))
            self.assertEqual(self.fetch(s, "/gone")[:2], (500, "Internal Trouble"))
            self.assertEqual(self.fetch(s, "/nothing")[0], 404)
            self.assertEqual(s.requests, ["/ok", "/cut", "/nolength", "/gone", "/nothing"])


class StubViewer(unittest.TestCase):
    def test_records_its_parameter_string(self):
        record = harness.PREFIX / "drive_c" / "viewer-record.txt"
        record.unlink(missing_ok=True)
        env = dict(os.environ, ORREL_VIEWER_RECORD=r"C:\viewer-record.txt")
        subprocess.run([harness.WINE_RUN, str(harness.STUB_VIEWER), "a.dll;http://h/p.orp?x"], env=env,
                       check=True, timeout=60, stdin=subprocess.DEVNULL, capture_output=True)
        self.assertTrue(harness.wait_file(record))
        self.assertEqual(record.read_text(), "a.dll;http://h/p.orp?x")
        record.unlink()


if __name__ == "__main__":
    unittest.main()
