"""A module built against the program's import library alone, loaded into the
running launcher while its main dialog is open: what it saw when it called the
library through the program's exports, and whether its view of the public
classes' layout is the one the program was built with."""
import pathlib
import shutil
import subprocess
import tempfile
import time
import unittest

import harness

URL_BOX = 1001
MODULE_DIR = harness.PREFIX / "drive_c" / "orrel-module"
MODULE_WIN = r"C:\orrel-module\kamodule.dll"
REPORT = MODULE_DIR / "kamodule.txt"
# The channel's context labels, in the program's code page.
TASK_LINE = "\n하던 일 : "
FILE_LINE = "\n서류명 : "


def module_build():
    return harness.BUILD / "tests" / "module"


def parse_report(text):
    """key=value lines with \\ n r t escaped; "layout" lines come as a list."""
    values, layout = {}, []
    for line in text.splitlines():
        key, _, value = line.partition("=")
        value = harness._unescape(value)
        if key == "layout":
            layout.append(value)
        else:
            values[key] = value
    return values, layout


class ModuleRun:
    """The launcher without a project, the module injected into it, the box the
    module shows answered, the report read and the dialog closed again.
    patience: seconds one process start may take (a minute under emulation)."""

    def __init__(self, patience):
        self.patience = patience
        # Each look at the windows starts a (64-bit) process: under emulation
        # looking less often leaves the cores to the program looked at.
        self.interval = 0.2 if patience < 60 else 2
        self.report, self.module_layout, self.program_layout = {}, [], []
        self.box = None
        self.dialog = None
        self.exit_code = None
        self.problem = None

    def run(self):
        harness.reset_state()
        shutil.rmtree(MODULE_DIR, ignore_errors=True)
        MODULE_DIR.mkdir(parents=True)
        shutil.copy(module_build() / "kamodule.dll", MODULE_DIR)
        launcher = harness.Launcher([])
        try:
            self._drive(launcher)
        finally:
            launcher.kill()

    def _fail(self, text):
        self.problem = text
        raise RuntimeError(text)

    def _drive(self, launcher):
        self.dialog = harness.wait_for(lambda w: w.cls == "#32770" and w.caption == "Orrel"
                                       and w.control(URL_BOX) is not None, self.patience * 3, self.interval)
        if self.dialog is None:
            self._fail("the main dialog did not appear")
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            injector = subprocess.run([harness.WINE_RUN, str(module_build() / "kainject.exe"), str(self.dialog.pid),
                                       MODULE_WIN], stdout=out, stderr=err, stdin=subprocess.DEVNULL,
                                      timeout=self.patience * 2 + 200)
            out.seek(0)
            err.seek(0)
            said, complaint = out.read().decode(errors="replace"), err.read().decode(errors="replace")
        if injector.returncode != 0:
            self._fail("kainject failed (%d): %s" % (injector.returncode, complaint.strip()))
        _, self.program_layout = parse_report(said)
        # Answered only now: until then the box keeps the module loaded for the
        # injector to find it in the program's module list.
        box = harness.wait_for(lambda w: w.is_message_box and w.pid == self.dialog.pid, self.patience + 60,
                               self.interval)
        if box is None:
            self._fail("the module's error box did not appear")
        self.box = (box.caption, box.message)
        harness.click(box, 1)
        if not harness.wait_file(REPORT, self.patience + 60):
            self._fail("the module wrote no report")
        self.report, self.module_layout = parse_report(REPORT.read_bytes().decode("cp949"))
        # The program goes on after the module has left, and ends normally.
        if harness.wait_for(lambda w: w.hwnd == self.dialog.hwnd, 10) is None:
            self._fail("the main dialog is gone after the module ran")
        harness.close(self.dialog)
        self.exit_code = launcher.wait(self.patience + 60)


class ModuleChecks(unittest.TestCase):
    BITS = 64
    PATIENCE = 20

    @classmethod
    def setUpClass(cls):
        cls.run_ = ModuleRun(cls.PATIENCE)
        try:
            cls.run_.run()
        except RuntimeError:
            pass  # each check reports what it misses

    def setUp(self):
        if self.run_.problem:
            self.fail(self.run_.problem)
        self.r = self.run_.report
        self.assertEqual(self.r.get("end"), "complete", "the module's report is cut short")
        self.assertEqual(self.r["bits"], str(self.BITS))

    def test_raw_memory_and_strings_cross_the_boundary(self):
        r = self.r
        self.assertEqual(r["malloc"], "realloc kept 100, calloc zero 80")
        self.assertEqual(r["strdup"], "copied by the program")
        self.assertEqual(r["new"], "on the program's heap")
        text = "Orrel module 42 -9000000000/-7"
        self.assertEqual(r["concat"], text)
        self.assertEqual(r["length"], str(len(text)))
        self.assertEqual(r["copy"], text + "|" + text.upper())
        self.assertEqual(r["record"], "shared refs 2, after a change own refs 1 length %d text" % len(text))
        self.assertEqual(r["number"], "12:4000000000")
        self.assertEqual(r["format"], "1,234,567.89")
        self.assertEqual(r["format_date"], "2024-2-29")
        self.assertEqual(r["blank"], "null blank")

    def test_arrays_and_list(self):
        r = self.r
        self.assertEqual(r["ints"], "3,5,7,9, find 9 at 3, [-1] 0")
        self.assertEqual(r["texts"], "(null):3,Apple:1,fig:4,pear:2, find fig at 2")
        self.assertEqual(r["list"], "one,two,three, walked one,two,three, data(9) null")

    def test_error_channel_is_shared_both_ways(self):
        r = self.r
        full = "Set by the module." + TASK_LINE + "Module task" + FILE_LINE + r"C:\module\input.orp"
        self.assertEqual((r["error_exist"], r["error_msg"], r["error_full"]), ("1", "Set by the module.", full))
        # The program's own display showed the module's message, with the
        # application name as caption, and cleared the channel.
        self.assertEqual(self.run_.box, ("Orrel", full))
        self.assertEqual(r["error_after_show"], "0")
        # A failure inside the program left its message for the module.
        self.assertEqual(r["program_error_handle"], "null")
        message, _, file_line = r["program_error"].partition(FILE_LINE.lstrip("\n"))
        self.assertTrue(message.strip(), r["program_error"])
        self.assertTrue(message.endswith("\n"), r["program_error"])
        self.assertEqual(file_line, r"C:\orrel-module-missing\none.txt")
        self.assertEqual(r["program_error_cleared"], "0")

    def test_application_globals_are_the_programs(self):
        r = self.r
        self.assertEqual(r["instance"], r["exe"])
        self.assertEqual(r["app_name"], "Orrel")
        self.assertEqual(r["top_window"], self.run_.dialog.hwnd)
        self.assertEqual(r["top_caption"], "Orrel")

    def test_xml(self):
        r = self.r
        self.assertEqual(r["xml"], "parsed kestrine attrs 2 dllpath http://example.com/v/ basedlls a.dll; b & c.dll")
        self.assertEqual(r["xml_bad"], "failed The attribute 'x' does not have a string literal value.")
        self.assertEqual(r["xml_written"],
                         "<?xml version='1.0' encoding='euc-kr' ?>\r\n<root>\r\n<item k=\"a&quot;b\" />\r\n</root>\r\n")

    def test_layouts_agree_and_the_program_stays_up(self):
        self.assertGreater(len(self.run_.program_layout), 50)
        self.assertEqual(self.run_.module_layout, self.run_.program_layout)
        self.assertEqual(self.r["guards"], "ok")
        self.assertEqual(self.r["virtual"], "0 posted 0")
        self.assertEqual(self.run_.exit_code, 0)


if __name__ == "__main__":
    unittest.main()
