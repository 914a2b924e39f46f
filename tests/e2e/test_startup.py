"""Start-up of the real program: where its project comes from (command line or
bound slot), what becomes of a failing one, the main dialog and what it leaves
in the registry."""
import os
import shutil
import subprocess
import time
import unittest

import harness

ROOT = harness.ROOT
DRIVE_C = harness.PREFIX / "drive_c"
# Copies of the program (bare names beside it, stamped slots) live here.
COPIES = DRIVE_C / "orrel-startup"
RECORD = DRIVE_C / "orrel-startup-record.txt"
RECORD_WIN = r"C:\orrel-startup-record.txt"
NO_VIEWER = "The project names no viewer program, so there is nothing to start."
TOO_LONG = "The project location is too long: a location may have at most 259 characters."


def project(dllpath, basedlls):
    header = '<header basedlls="%s"%s/>' % (basedlls, ' dllpath="%s"' % dllpath if dllpath else "")
    return ("<kestrine>%s</kestrine>" % header).encode()


def reg_value(key, name=None):
    """A registry value's text, or None when the key or value is missing."""
    args = ["reg", "query", key] + (["/v", name] if name else ["/ve"])
    run = subprocess.run([harness.WINE_RUN] + args, capture_output=True, timeout=60, stdin=subprocess.DEVNULL)
    if run.returncode != 0:
        return None
    for line in run.stdout.decode("utf-8", "replace").splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            return parts[2] if len(parts) == 3 else ""
    return None


def forget_association():
    for key in (r"HKCU\Software\Classes\.orp", r"HKCU\Software\Classes\Kestrine.orp"):
        harness.wine(["reg", "delete", key, "/f"], check=False)


def stamp(url, name):
    COPIES.mkdir(parents=True, exist_ok=True)
    out = COPIES / name
    subprocess.run([str(ROOT / "scripts" / "stamp-project"), str(harness.LAUNCHER), url, str(out)], check=True)
    return out


class Program(harness.Launcher):
    """The launcher, or a copy of it, started with a command line of its own."""

    def __init__(self, args, exe=harness.LAUNCHER, env=None):
        full_env = {k: v for k, v in os.environ.items() if k.lower() != "http_proxy"}
        full_env["ORREL_VIEWER_RECORD"] = RECORD_WIN
        full_env.update(env or {})
        self.proc = subprocess.Popen([harness.WINE_RUN, str(exe)] + list(args), env=full_env,
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)


class StartupTest(unittest.TestCase):
    def setUp(self):
        harness.reset_state()
        RECORD.unlink(missing_ok=True)
        self.server = harness.Server().__enter__()
        self.addCleanup(self.server.__exit__, None, None, None)
        self.serve_project("/p.orp", self.server.url("/lib/"))
        self.programs = []
        self.addCleanup(self.stop_programs)

    def serve_project(self, path, dllpath, basedlls="core.dll;stub_orlviewer.exe", server=None):
        server = server or self.server
        server.add(path, project(dllpath, basedlls))
        server.add("/lib/core.dll", harness.library("core.dll"))
        server.add("/lib/stub_orlviewer.exe", harness.STUB_VIEWER.read_bytes())

    def start(self, *args, **kw):
        program = Program(args, **kw)
        self.programs.append(program)
        return program

    def stop_programs(self):
        # Whatever a failed test left open: message boxes first, then the dialog.
        for _ in range(5):
            if not any(p.running() for p in self.programs):
                break
            for w in harness.windows():
                if w.cls != "#32770" or w.caption != "Orrel":
                    continue
                if w.is_message_box:
                    harness.click(w, 1)
                else:
                    harness.close(w)
            time.sleep(0.5)
        for p in self.programs:
            try:
                p.wait(timeout=20)
            except subprocess.TimeoutExpired:
                p.kill()

    def viewer_record(self):
        self.assertTrue(harness.wait_file(RECORD, 60), "the viewer was not started")
        return RECORD.read_text()

    def main_dialog(self):
        dlg = harness.dialog("Orrel", timeout=60)
        self.assertIsNotNone(dlg, "the main dialog did not open")
        self.assertIsNotNone(dlg.control(1001))
        return dlg

    def close_dialog(self, program, dlg):
        harness.click(dlg, 1)
        self.assertEqual(program.wait(30), 0)


class CommandLine(StartupTest):
    def test_empty_command_line_opens_the_main_dialog_and_registers_projects(self):
        forget_association()
        program = self.start()
        dlg = self.main_dialog()
        path = reg_value(r"HKCU\Software\Kestrine\Orrel")
        self.assertTrue(path and path.lower().endswith("\\orrel.exe"), path)
        self.assertEqual(reg_value(r"HKCU\Software\Classes\.orp"), "Kestrine.orp")
        self.assertEqual(reg_value(r"HKCU\Software\Classes\Kestrine.orp\shell\open\command"), '"%s" %%1' % path)
        self.close_dialog(program, dlg)
        self.assertEqual(self.server.requests, [])

    def test_a_leading_question_mark_leaves_no_location(self):
        program = self.start("?" + self.server.url("/p.orp"))
        dlg = self.main_dialog()
        self.close_dialog(program, dlg)
        self.assertEqual(self.server.requests, [])
        self.assertFalse(RECORD.exists())

    def test_extra_arguments_end_at_the_second_question_mark(self):
        url = self.server.url("/p.orp")
        program = self.start(url + "?B?C")
        self.assertEqual(self.viewer_record(), "core.dll;%s?B" % url)
        self.assertEqual(program.wait(30), 0)
        self.assertEqual(self.server.requests[0], "/p.orp")

    def test_a_bare_file_name_is_the_file_beside_the_program(self):
        COPIES.mkdir(parents=True, exist_ok=True)
        shutil.copy(harness.LAUNCHER, COPIES / "orrel.exe")
        shutil.copy(harness.STUB_VIEWER, COPIES / "stub_orlviewer.exe")
        (COPIES / "bare.orp").write_bytes(project(None, "lib.dll;stub_orlviewer.exe"))
        program = self.start("bare.orp", exe=COPIES / "orrel.exe")
        folder = r"C:\orrel-startup"
        self.assertEqual(self.viewer_record(), r"%s\lib.dll;%s\bare.orp" % (folder, folder))
        self.assertEqual(program.wait(30), 0)

    def test_a_path_with_blanks_arrives_whole_quoted_or_not(self):
        folder = DRIVE_C / "orrel startup projects"
        folder.mkdir(exist_ok=True)
        (folder / "my project.orp").write_bytes(project(self.server.url("/lib/"), "core.dll;stub_orlviewer.exe"))
        location = r"C:\orrel startup projects\my project.orp"
        # One argument with blanks reaches the program quoted; separate words
        # arrive unquoted, as the file association passes them.
        for args in ([location], location.split(" ")):
            with self.subTest(args=args):
                RECORD.unlink(missing_ok=True)
                program = self.start(*args)
                self.assertEqual(self.viewer_record(), "core.dll;" + location)
                self.assertEqual(program.wait(30), 0)

    def test_a_location_too_long_for_its_buffer_is_refused(self):
        program = self.start(self.server.url("/" + "x" * 260 + ".orp"))
        self.assertEqual(harness.answer_message_box(60), ("Orrel", TOO_LONG))
        self.close_dialog(program, self.main_dialog())
        self.assertEqual(self.server.requests, [])


class BoundProject(StartupTest):
    def test_the_bound_url_wins_and_the_command_line_becomes_extra_arguments(self):
        url = self.server.url("/p.orp")
        bound = stamp(url, "bound.exe")
        program = self.start(exe=bound)
        self.assertEqual(self.viewer_record(), "core.dll;" + url)
        self.assertEqual(program.wait(30), 0)

        RECORD.unlink()
        program = self.start("A?B", exe=bound)
        self.assertEqual(self.viewer_record(), "core.dll;%s?A?B" % url)
        self.assertEqual(program.wait(30), 0)

    def test_stamping_refuses_what_does_not_fit(self):
        out = COPIES / "refused.exe"
        out.unlink(missing_ok=True)
        COPIES.mkdir(parents=True, exist_ok=True)
        for url in ("http://h/" + "x" * 121, "", "-http://h/p.orp"):
            run = subprocess.run([str(ROOT / "scripts" / "stamp-project"), str(harness.LAUNCHER), url, str(out)],
                                 capture_output=True)
            self.assertEqual(run.returncode, 1, url)
            self.assertFalse(out.exists())
        stamp("http://h/" + "x" * 120, "fits.exe")   # 129 characters


class Failures(StartupTest):
    def test_a_failing_project_leaves_the_user_in_the_main_dialog(self):
        url = self.server.url("/missing.orp")
        program = self.start(url)
        caption, text = harness.answer_message_box(60)
        self.assertEqual(text, "Could not find the requested file on the server.\r\n" + url)
        dlg = self.main_dialog()
        self.assertTrue(program.running())
        self.close_dialog(program, dlg)

    def test_a_project_without_a_viewer_says_so(self):
        self.serve_project("/noviewer.orp", self.server.url("/lib/"), basedlls="core.dll")
        program = self.start(self.server.url("/noviewer.orp"))
        self.assertEqual(harness.answer_message_box(60), ("Orrel", NO_VIEWER))
        self.assertEqual(program.wait(30), 0)
        self.assertFalse(RECORD.exists())

    def test_a_start_with_a_project_leaves_the_association_alone(self):
        forget_association()
        program = self.start(self.server.url("/p.orp"))
        self.viewer_record()
        self.assertEqual(program.wait(30), 0)
        self.assertIsNone(reg_value(r"HKCU\Software\Classes\.orp"))
        self.assertIsNone(reg_value(r"HKCU\Software\Kestrine\Orrel"))


class MainDialog(StartupTest):
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
        self.assertEqual(self.viewer_record(), "core.dll;%s/p.orp?x" % host)
        self.assertTrue(program.running(), "the dialog stays open after a project was opened")
        self.close_dialog(program, dlg)
        self.assertEqual(reg_value(r"HKCU\Software\Kestrine\Orrel", "A"), host + "/p.orp?x?y")
        self.assertEqual(reg_value(r"HKCU\Software\Kestrine\Orrel", "B"), "")


if __name__ == "__main__":
    unittest.main()
