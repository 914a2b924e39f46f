"""A module built against the program's import library alone, loaded into the
running launcher while its main dialog is open: what it saw when it called the
library through the program's exports, and whether its view of the public
classes' layout is the one the program was built with."""
import shutil
import unittest

import harness

MODULE_DIR = harness.PREFIX / "drive_c" / "orrel-module"
REPORT = MODULE_DIR / "kamodule.txt"
# The channel's context labels, in the program's code page.
TASK_LINE = "\n하던 일 : "
FILE_LINE = "\n서류명 : "


# key=value lines with \\ n r t escaped; "layout" lines come as a list.
def parse_report(text):
    lines = [line.partition("=")[::2] for line in text.splitlines()]
    return {k: harness.unescape(v) for k, v in lines if k != "layout"}, [v for k, v in lines if k == "layout"]


def need(found, missing):
    if not found:
        raise RuntimeError(missing)
    return found


# Once for the class: the launcher without a project, the module injected into
# it, the box the module shows answered, the report read and the dialog closed
# again. PATIENCE: seconds one process start may take (a minute under emulation).
class ModuleChecks(unittest.TestCase):
    BITS = 64
    PATIENCE = 20

    @classmethod
    def setUpClass(cls):
        cls.problem, cls.report = None, {}
        harness.reset_state()
        shutil.rmtree(MODULE_DIR, ignore_errors=True)
        MODULE_DIR.mkdir(parents=True)
        shutil.copy(harness.BUILD / "tests" / "module" / "kamodule.dll", MODULE_DIR)
        launcher = harness.Launcher([])
        try:
            cls.drive(launcher, 0.2 if cls.PATIENCE < 60 else 2)
        except RuntimeError as e:
            cls.problem = str(e)
        finally:
            launcher.kill()

    @classmethod
    def drive(cls, launcher, interval):
        # Each look at the windows starts a (64-bit) process: under emulation
        # looking less often leaves the cores to the program looked at.
        cls.dialog = need(harness.wait_for(lambda w: w.cls == "#32770" and w.caption == "Orrel" and w.control(1001),
                                           cls.PATIENCE * 3, interval), "the main dialog did not appear")
        said = harness.wine([harness.BUILD / "tests" / "module" / "kainject.exe", cls.dialog.pid,
                             r"C:\orrel-module\kamodule.dll"], timeout=cls.PATIENCE * 2 + 200)
        cls.program_layout = parse_report(said)[1]
        # Answered only now: until then the box keeps the module loaded for the
        # injector to find it in the program's module list.
        box = need(harness.wait_for(lambda w: w.is_message_box and w.pid == cls.dialog.pid, cls.PATIENCE + 60,
                                    interval), "the module's error box did not appear")
        cls.box = (box.caption, box.message)
        harness.click(box, 1)
        need(harness.wait_file(REPORT, cls.PATIENCE + 60), "the module wrote no report")
        cls.report, cls.module_layout = parse_report(REPORT.read_bytes().decode("cp949"))
        # The program goes on after the module has left, and ends normally.
        need(harness.wait_for(lambda w: w.hwnd == cls.dialog.hwnd, 10), "the main dialog is gone after the module ran")
        harness.close(cls.dialog)
        cls.exit_code = launcher.wait(cls.PATIENCE + 60)

    def setUp(self):
        if self.problem:
            self.fail(self.problem)
        self.r = self.report
        self.assertEqual(self.r.get("end"), "complete", "the module's report is cut short")
        self.assertEqual(self.r["bits"], str(self.BITS))

    def test_memory_strings_and_containers_cross_the_boundary(self):
        text = "Orrel module 42 -9000000000/-7"
        expected = {"malloc": "block", "strdup": "copied by the program", "new": "on the program's heap",
                    "concat": text, "length": str(len(text)), "copy": text + "|" + text.upper(),
                    "format": "1,234,567.89", "ints": "3,5,7, find 7 at 2", "list": "walked one,two,three, count 3",
                    "xml": "parsed kestrine attrs 2 basedlls a.dll; b & c.dll"}
        self.assertEqual({k: self.r.get(k) for k in expected}, expected)

    def test_error_channel_is_shared_both_ways(self):
        r = self.r
        full = "Set by the module." + TASK_LINE + "Module task" + FILE_LINE + r"C:\module\input.orp"
        self.assertEqual((r["error_exist"], r["error_msg"], r["error_full"]), ("1", "Set by the module.", full))
        # The program's own display showed the module's message, with the
        # application name as caption, and cleared the channel.
        self.assertEqual(self.box, ("Orrel", full))
        self.assertEqual(r["error_after_show"], "0")
        # A failure inside the program left its message for the module.
        self.assertEqual(r["program_error_handle"], "null")
        message, _, file_line = r["program_error"].partition(FILE_LINE.lstrip("\n"))
        self.assertTrue(message.strip() and message.endswith("\n"), r["program_error"])
        self.assertEqual(file_line, r"C:\orrel-module-missing\none.txt")

    def test_application_globals_are_the_programs(self):
        self.assertEqual((self.r["instance_is_exe"], self.r["app_name"]), ("1", "Orrel"))
        self.assertEqual(self.r["top_window"], self.dialog.hwnd)

    def test_layouts_agree_and_the_program_stays_up(self):
        self.assertGreater(len(self.program_layout), 50)
        self.assertEqual(self.module_layout, self.program_layout)
        self.assertEqual(self.r["virtual"], "0 posted 0")
        self.assertEqual(self.exit_code, 0)
