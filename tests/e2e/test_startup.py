"""Start-up of the real program: where its project comes from (command line or
bound slot), what becomes of a failing one, the main dialog and what it leaves
in the registry."""
import re
import shutil
import subprocess

import harness
from harness import RECORD, project

DRIVE_C = harness.PREFIX / "drive_c"
# Copies of the program (bare names beside it, stamped slots) live here.
COPIES = DRIVE_C / "orrel-startup"
KEY = r"HKCU\Software\Kestrine\Orrel"
CLASSES = r"HKCU\Software\Classes"


def reg_value(key, name=None):
    out = harness.wine(["reg", "query", key] + (["/v", name] if name else ["/ve"]), check=False)
    found = re.search(r"^[ \t]+\S*[ \t]+REG_\w+[ \t]*(.*)$", out, re.M)
    return found.group(1).rstrip("\r") if found else None


def forget_association():
    for key in (CLASSES + r"\.orp", CLASSES + r"\Kestrine.orp"):
        harness.wine(["reg", "delete", key, "/f"], check=False)


def stamp(url, name):
    COPIES.mkdir(parents=True, exist_ok=True)
    out = COPIES / name
    run = subprocess.run([str(harness.ROOT / "scripts" / "stamp-project"), str(harness.LAUNCHER), url, str(out)],
                         capture_output=True)
    return out if run.returncode == 0 else None


class Startup(harness.LauncherTest):
    def setUp(self):
        super().setUp()
        self.serve_project("/p.orp", self.server.url("/lib/"))

    def serve_project(self, path, dllpath, basedlls="core.dll;stub_orlviewer.exe"):
        self.server.add(path, project(dllpath, basedlls))
        self.server.add("/lib/core.dll", harness.library("core.dll"))
        self.server.add("/lib/stub_orlviewer.exe", harness.STUB_VIEWER.read_bytes())

    def main_dialog(self):
        dlg = harness.dialog("Orrel", timeout=60)
        self.assertIsNotNone(dlg, "the main dialog did not open")
        self.assertIsNotNone(dlg.control(1001))
        return dlg

    def close_dialog(self, program, dlg):
        harness.click(dlg, 1)
        self.assertEqual(program.wait(30), 0)

    def ends_in_viewer(self, *args, **kw):
        program = self.start(*args, **kw)
        record = self.viewer_record(60)
        self.assertEqual(program.wait(30), 0)
        RECORD.unlink()
        return record

    # --- the command line ----------------------------------------------------------

    def test_empty_command_line_opens_the_main_dialog_and_registers_projects(self):
        forget_association()
        program = self.start()
        dlg = self.main_dialog()
        path = reg_value(KEY)
        self.assertTrue(path and path.lower().endswith("\\orrel.exe"), path)
        self.assertEqual(reg_value(CLASSES + r"\.orp"), "Kestrine.orp")
        self.assertEqual(reg_value(CLASSES + r"\Kestrine.orp\shell\open\command"), '"%s" %%1' % path)
        self.close_dialog(program, dlg)
        self.assertEqual(self.server.requests, [])

    def test_a_leading_question_mark_leaves_no_location(self):
        program = self.start("?" + self.server.url("/p.orp"))
        self.close_dialog(program, self.main_dialog())
        self.assertEqual(self.server.requests, [])
        self.assertFalse(RECORD.exists())

    def test_extra_arguments_end_at_the_second_question_mark_and_leave_the_association_alone(self):
        harness.reset_state()
        forget_association()
        url = self.server.url("/p.orp")
        self.assertEqual(self.ends_in_viewer(url + "?B?C"), "core.dll;%s?B" % url)
        self.assertEqual(self.server.requests[0], "/p.orp")
        self.assertIsNone(reg_value(CLASSES + r"\.orp"))
        self.assertIsNone(reg_value(KEY))

    def test_a_bare_file_name_is_the_file_beside_the_program(self):
        COPIES.mkdir(parents=True, exist_ok=True)
        shutil.copy(harness.LAUNCHER, COPIES / "orrel.exe")
        shutil.copy(harness.STUB_VIEWER, COPIES / "stub_orlviewer.exe")
        (COPIES / "bare.orp").write_bytes(project(None, "lib.dll;stub_orlviewer.exe"))
        self.assertEqual(self.ends_in_viewer("bare.orp", exe=COPIES / "orrel.exe"),
                         r"C:\orrel-startup\lib.dll;C:\orrel-startup\bare.orp")

    def test_a_path_with_blanks_arrives_whole_quoted_or_not(self):
        folder = DRIVE_C / "orrel startup projects"
        folder.mkdir(exist_ok=True)
        (folder / "my project.orp").write_bytes(project(self.server.url("/lib/"), "core.dll;stub_orlviewer.exe"))
        location = r"C:\orrel startup projects\my project.orp"
        # One argument with blanks reaches the program quoted; separate words
        # arrive unquoted, as the file association passes them.
        for args in ([location], location.split(" ")):
            with self.subTest(args=args):
                self.assertEqual(self.ends_in_viewer(*args), "core.dll;" + location)

    def test_a_location_too_long_for_its_buffer_is_refused(self):
        program = self.start(self.server.url("/" + "x" * 260 + ".orp"))
        self.assertEqual(harness.answer_message_box(60),
                         ("Orrel", "The project location is too long: a location may have at most 259 characters."))
        self.close_dialog(program, self.main_dialog())
        self.assertEqual(self.server.requests, [])

    def test_a_project_without_a_viewer_says_so(self):
        self.serve_project("/noviewer.orp", self.server.url("/lib/"), basedlls="core.dll")
        program = self.start(self.server.url("/noviewer.orp"))
        self.assertEqual(harness.answer_message_box(60),
                         ("Orrel", "The project names no viewer program, so there is nothing to start."))
        self.assertEqual(program.wait(30), 0)
        self.assertFalse(RECORD.exists())

    # --- a project bound into the program ------------------------------------------

    def test_the_bound_url_wins_and_the_command_line_becomes_extra_arguments(self):
        url = self.server.url("/p.orp")
        bound = stamp(url, "bound.exe")
        self.assertEqual(self.ends_in_viewer(exe=bound), "core.dll;" + url)
        self.assertEqual(self.ends_in_viewer("A?B", exe=bound), "core.dll;%s?A?B" % url)

    def test_stamping_refuses_what_does_not_fit(self):
        for url in ("http://h/" + "x" * 121, "", "-http://h/p.orp"):
            self.assertIsNone(stamp(url, "refused.exe"), url)
            self.assertFalse((COPIES / "refused.exe").exists())
        self.assertIsNotNone(stamp("http://h/" + "x" * 120, "fits.exe"))   # 129 characters

    # --- the main dialog -------------------------------------------------------------

    def test_open_puts_http_in_front_of_www_and_keeps_the_entry(self):
        host = "http://www.orrel-e2e.example"
        # A proxy is asked for the whole URL, port included.
        served = host + ":80"
        self.serve_project(served + "/p.orp", host + "/lib/")
        for name in ("core.dll", "stub_orlviewer.exe"):
            self.server.add(served + "/lib/" + name, self.server.httpd.routes["/lib/" + name])
        # WinINet takes its proxy from http_proxy: the made-up host reaches the local server.
        program = self.start(env={"http_proxy": self.server.url("")})
        dlg = self.main_dialog()
        harness.set_text(dlg, 1001, "www.orrel-e2e.example/p.orp?x?y")
        harness.click(dlg, 1004)
        self.assertEqual(self.viewer_record(60), "core.dll;%s/p.orp?x" % host)
        self.assertTrue(program.running(), "the dialog stays open after a project was opened")
        self.close_dialog(program, dlg)
        self.assertEqual(reg_value(KEY, "A"), host + "/p.orp?x?y")
        self.assertEqual(reg_value(KEY, "B"), "")
