"""The console's start-up and main frame under Wine: the hidden main window, one console at a
time, the crash dump, the self-update batch, closing, and pictures of the frame at two screen
sizes. Every program runs from a folder of its own (a copy of the built executable), so its
config.ini, dump and update files stay there."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import (HarnessError, UiDriver, WineEnv, apply_wine_settings, artifact_path, start_program,  # noqa: E402
                     wait_until)

FRAME_CLASS = "Lumora Teacher"
EXE_NAME = "Lumora Teacher.exe"
BOX_CLASS = "#32770"
BOX_CAPTION = "Lumora Teacher"
CLOSE_CAPTION = "\uc885\ub8cc \ud655\uc778"
OK_ID, CANCEL_ID, YES_ID, NO_ID = 1, 2, 1246, 1247
BOX_TITLE_ID = 1022   # the box's caption line
TAB_STRIP_ID, VIEW_ID = 154, 0xE900
FRAME_BUTTON_IDS = (150, 151, 152, 153, 155)
SC_MAXIMIZE, SC_RESTORE = 0xF030, 0xF120
WM_NULL = 0
STRIP_BACKGROUND = (11, 62, 124)
FRAME_BACKGROUND = (40, 92, 153)
PROFILE_KEY = r"HKCU\Software\Lumora Ostel\Lumora Teacher\config"



def run_wine(wine_env, *args, timeout=120):
    return subprocess.run(["wine", *map(str, args)], env=wine_env.env(), capture_output=True, timeout=timeout)




def built_program(wine_env):
    exe = wine_env.build / "bin" / EXE_NAME
    if not exe.is_file():
        raise HarnessError(f"{exe} is missing: build first")
    return exe


class ProgramFolder:
    """A temporary folder holding a copy of the console (and, when asked, its language modules)."""

    def __init__(self, wine_env, with_languages=False, exe_name=EXE_NAME):
        self.path = Path(tempfile.mkdtemp(prefix="lumora-shell-"))
        self.exe_name = exe_name
        source = built_program(wine_env)
        shutil.copy2(source, self.path / exe_name)
        if with_languages:
            shutil.copytree(source.parent / "language", self.path / "language")

    @property
    def exe(self):
        return self.path / self.exe_name

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


class ShellTestBase(unittest.TestCase):
    driver = None

    def start_console(self, folder, wine_env=None):
        program = start_program(folder.exe, cwd=folder.path, wine_env=wine_env or self.env)
        self.addCleanup(program.stop)
        return program

    def wait_frame(self, driver=None):
        """The main frame of the one console running (created hidden)."""
        return (driver or self.driver).wait_window(cls=FRAME_CLASS, visible=False, timeout=60)

    def wait_box(self, pid=None, title=BOX_CAPTION, not_pid=None, driver=None, timeout=60):
        """The console's message box with that caption line, of process pid (or of any process but
        not_pid). Other dialogs of the console (its login, say) are passed over."""
        driver = driver or self.driver

        def find():
            for box in driver.windows(cls=BOX_CLASS, pid=pid, visible=True):
                if box["pid"] == not_pid:
                    continue
                children = {child["id"]: child for child in driver.windows(parent=box)}
                if YES_ID in children and BOX_TITLE_ID in children and \
                        driver.get_text(children[BOX_TITLE_ID]) == title:
                    return box
            return None

        return wait_until(find, timeout=timeout, interval=0.2, message=f"no message box {title!r} appeared")

    def settle(self, frame, driver=None):
        """Lets a new console reach the state it waits in for the teacher, and gives the dialog it
        waits with (None when it waits without one). Its classroom view opens the login dialog
        shortly after start-up; a message box asked for before that would find the dialog's
        modal loop opened inside its own. Consoles without that dialog are quiet at once, so
        this wait is bounded rather than awaited."""
        driver = driver or self.driver
        driver.send(frame, WM_NULL)

        def other_dialog():
            for box in driver.windows(cls=BOX_CLASS, pid=frame["pid"], visible=True):
                if YES_ID not in {child["id"] for child in driver.windows(parent=box)}:
                    return box
            return None

        try:
            return wait_until(other_dialog, timeout=3, interval=0.1)
        except TimeoutError:
            return None

    def end_console(self, frame, waiting_dialog, driver=None):
        """Ends a settled console the way the teacher would: cancelling the login it waits for,
        or closing the frame and confirming."""
        driver = driver or self.driver
        if waiting_dialog:
            driver.click(driver.find_child(waiting_dialog, id=CANCEL_ID, timeout=10))
        else:
            driver.post(frame, "WM_CLOSE")
            self.answer(self.wait_box(pid=frame["pid"], title=CLOSE_CAPTION, driver=driver), YES_ID, driver)
        driver.wait_gone(frame, timeout=60)

    def answer(self, box, button_id, driver=None):
        driver = driver or self.driver
        driver.click(driver.find_child(box, id=button_id, timeout=10))
        driver.wait_gone(box, timeout=30)

    def wait_no_console(self, driver=None):
        driver = driver or self.driver
        wait_until(lambda: not driver.windows(cls=FRAME_CLASS), timeout=60,
                   message="a console window is still there")


class ShellConsoleTest(ShellTestBase):
    @classmethod
    def setUpClass(cls):
        cls.driver = UiDriver()
        cls.env = cls.driver.wine_env
        built_program(cls.env)

    @classmethod
    def tearDownClass(cls):
        cls.driver.close()

    def setUp(self):
        self.wait_no_console()
        self.folder = ProgramFolder(self.env, with_languages=True)
        self.addCleanup(self.folder.remove)
        self.addCleanup(self.wait_no_console)

    def test_start_up_leaves_a_hidden_frame_with_its_strip_buttons_and_view(self):
        program = self.start_console(self.folder)
        frame = self.wait_frame()
        self.assertFalse(frame["visible"])
        wait_until(lambda: self.driver.get_text(frame) == "Lumora \uc120\uc0dd\ub2d8", timeout=30,
                   message="the frame never took its title")
        children = {child["id"]: child for child in self.driver.windows(parent=frame)}
        self.assertEqual(children[TAB_STRIP_ID]["class"], "GroupTab")
        for button_id in FRAME_BUTTON_IDS:
            self.assertEqual(children[button_id]["class"].lower(), "button", button_id)
        self.assertIn(VIEW_ID, children)
        self.assertTrue((self.folder.path / "config.ini").is_file())
        self.assertTrue(program.running())

    def test_a_second_console_shows_the_korean_notice_and_ends(self):
        first = self.start_console(self.folder)
        frame = self.wait_frame()
        second = self.start_console(self.folder)
        box = self.wait_box(not_pid=frame["pid"])
        self.answer(box, OK_ID)
        self.assertEqual(second.wait(timeout=60), 0)
        self.assertTrue(first.running())
        self.assertTrue(self.driver.exists(frame))

    def test_in_another_language_a_second_console_ends_without_a_word(self):
        self.set_language("Eng")
        first = self.start_console(self.folder)
        frame = self.wait_frame()
        second = self.start_console(self.folder)
        seen = []

        def second_ended():
            seen.extend(box for box in self.driver.windows(cls=BOX_CLASS) if box["pid"] != frame["pid"])
            return second.poll() is not None

        wait_until(second_ended, timeout=60, message="the second console did not end")
        self.assertEqual(seen, [])
        self.assertTrue(first.running())
        # The English module was found in the program's own language folder.
        wait_until(lambda: self.driver.get_text(frame) == "Lumora Teacher" and
                   self.driver.windows(parent=frame, id=TAB_STRIP_ID), timeout=30)

    def test_a_renamed_program_keeps_the_profile_of_its_title(self):
        self.set_language("Eng")
        renamed = ProgramFolder(self.env, with_languages=True, exe_name="Teacher Console.exe")
        self.addCleanup(renamed.remove)
        self.start_console(renamed)
        frame = self.wait_frame()
        # The language came from the title's key: the frame took the English module's title.
        wait_until(lambda: self.driver.get_text(frame) == "Lumora Teacher" and
                   self.driver.windows(parent=frame, id=TAB_STRIP_ID), timeout=30,
                   message="the renamed console did not read the profile under its title")
        # Nothing was made under the file's name.
        query = run_wine(self.env, "reg", "query", r"HKCU\Software\Lumora Ostel\Teacher Console")
        self.assertNotEqual(query.returncode, 0, query.stdout)

    def set_language(self, code):
        result = run_wine(self.env, "reg", "add", PROFILE_KEY, "/v", "language", "/d", code, "/f")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.addCleanup(run_wine, self.env, "reg", "delete", PROFILE_KEY, "/v", "language", "/f")

    def test_closing_asks_first_and_an_ended_console_frees_the_place_for_the_next(self):
        program = self.start_console(self.folder)
        frame = self.wait_frame()
        waiting_dialog = self.settle(frame)
        self.driver.post(frame, "WM_CLOSE")
        self.answer(self.wait_box(pid=frame["pid"], title=CLOSE_CAPTION), NO_ID)
        self.assertTrue(program.running())
        self.assertTrue(self.driver.exists(frame))

        self.end_console(frame, waiting_dialog)
        self.assertEqual(program.wait(timeout=60), 0)

        # The console that ended counted itself out: the next one is not refused (a refused one
        # ends before it makes its frame).
        self.start_console(self.folder)
        self.wait_frame()

    def test_a_crash_writes_the_dump_tells_the_user_and_ends_with_a_failure_code(self):
        program = self.start_console(self.folder)
        frame = self.wait_frame()
        dump = self.folder.path / "LumoraDump.dmp"
        self.assertFalse(dump.exists())

        # A thread started at address 0 inside the console: an access violation of its own.
        injected = run_wine(self.env, self.env.tool_path("crash_inject"), frame["pid"])
        self.assertEqual(injected.returncode, 0, injected.stderr)
        box = self.wait_box(pid=frame["pid"])
        self.assertEqual(dump.read_bytes()[:4], b"MDMP")
        self.answer(box, OK_ID)
        self.assertNotEqual(program.wait(timeout=60), 0)

    def test_a_waiting_update_replaces_the_program_and_starts_it(self):
        new_program = self.folder.exe.read_bytes() + b"\0" * 4096   # runs the same, differs in size
        (self.folder.path / "Lumora Teacher.exec").write_bytes(new_program)
        batch = self.folder.path / "ZOZizadi.bat"

        program = self.start_console(self.folder)
        self.assertEqual(program.wait(timeout=60), 0)   # the old program ends at once

        def replaced():
            return (not (self.folder.path / "Lumora Teacher.exec").exists() and not batch.exists()
                    and self.folder.exe.stat().st_size == len(new_program))

        wait_until(replaced, timeout=120, message="the batch did not replace the program and remove itself")
        self.assertEqual(self.folder.exe.read_bytes(), new_program)
        # The new program is the one running now, hidden as every console starts. The batch
        # started it outside this test's process group: it is ended as a teacher would.
        frame = self.wait_frame()
        self.assertFalse(frame["visible"])
        self.end_console(frame, self.settle(frame))


class PrivateScreen:
    """A Wine session on a screen of its own size: an Xvfb of that size and a prefix of its own
    (<WINEPREFIX>-<w>x<h>, made once), so the screen size the console reads is that one and the
    shared session's display settings stay as they are."""

    def __init__(self, width, height):
        base = WineEnv()
        base.require()
        self.width, self.height = width, height
        self.xvfb = None
        self.env = None
        display = self._start_xvfb()
        try:
            environ = dict(os.environ, DISPLAY=display, WINEPREFIX=f"{base.prefix}-{width}x{height}")
            self.env = WineEnv(environ)
            self._make_prefix()
            apply_wine_settings(self.env)
        except BaseException:
            self.close()
            raise

    def _start_xvfb(self):
        number = 500 + os.getpid() % 300
        while Path(f"/tmp/.X{number}-lock").exists():
            number += 1
        self.xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", f"{self.width}x{self.height}x24",
                                      "-nolisten", "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: Path(f"/tmp/.X11-unix/X{number}").exists() or self.xvfb.poll() is not None, timeout=30)
        if self.xvfb.poll() is not None:
            raise HarnessError("Xvfb did not start")
        return f":{number}"

    def _make_prefix(self):
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not (Path(self.env.prefix) / "system.reg").is_file():
            subprocess.run(["wineboot", "-i"], env=self.env.env(), timeout=600, **quiet)
            subprocess.run(["wineserver", "-w"], env=self.env.env(), timeout=600, **quiet)
        # A server that stays for the whole test; the first process brings the prefix up alone.
        subprocess.run(["wineserver", "-p"], env=self.env.env(), timeout=60, **quiet)
        subprocess.run(["wine", "cmd.exe", "/c", "exit"], env=self.env.env(), timeout=300, **quiet)

    def close(self):
        if self.env:
            subprocess.run(["wineserver", "-k"], env=self.env.env(), stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        if self.xvfb and self.xvfb.poll() is None:
            self.xvfb.terminate()
            self.xvfb.wait(timeout=30)


class ShellFramePictureTest(ShellTestBase):
    """The frame as the teacher sees it once it is shown. The console keeps it hidden until the
    teacher has logged in at a login server (whose dialog then still shows over it here); the
    test shows it the way the system menu would, with WM_SYSCOMMAND SC_MAXIMIZE, then restores
    and maximises it again (the caption band's double-click path), after which the frame fills
    the screen. The pictures are kept as build/test-artifacts/shell-frame-<w>x<h>.bmp."""

    def picture_at(self, width, height, scale):
        screen = PrivateScreen(width, height)
        self.addCleanup(screen.close)
        self.env = screen.env
        driver = UiDriver(wine_env=screen.env)
        self.addCleanup(driver.close)
        folder = ProgramFolder(screen.env)
        self.addCleanup(folder.remove)
        self.start_console(folder)
        frame = self.wait_frame(driver)

        for command in (SC_MAXIMIZE, SC_RESTORE, SC_MAXIMIZE):
            driver.post(frame, "WM_SYSCOMMAND", command)
            wanted = command == SC_MAXIMIZE
            wait_until(lambda: driver.state(frame)["maximized"] == wanted and driver.state(frame)["window"]["visible"],
                       timeout=30)
        wait_until(lambda: client_size(driver.state(frame)) == (width, height), timeout=30,
                   message="the frame does not fill the screen")
        shot = driver.capture(artifact_path(f"shell-frame-{width}x{height}.bmp"), frame, client=True, settle=2.0)
        bitmap = shot["bitmap"]
        self.assertEqual((bitmap.width, bitmap.height), (width, height))

        # The strip's band and the area below the caption band, scaled by the factor.
        column = width // 2
        strip_rows = [y for y in range(int(120 * scale)) if bitmap.pixel(column, y) == STRIP_BACKGROUND]
        self.assertEqual((strip_rows[0], strip_rows[-1] + 1), (int(51 * scale), int(51 * scale) + int(32 * scale)))
        self.assertEqual(bitmap.pixel(column, int(104 * scale) + 40), FRAME_BACKGROUND)
        close = driver.find_child(frame, id=150)
        left, top, right, bottom = close["rect"]
        self.assertEqual((right - left, bottom - top), (int(39 * scale), int(34 * scale)))
        self.assertEqual(left, width - int(43 * scale))

    def test_frame_at_1920_by_1080(self):
        self.picture_at(1920, 1080, 1.0)

    def test_frame_at_2560_by_1440_is_scaled_by_1_4(self):
        self.picture_at(2560, 1440, 1.4)


def client_size(state):
    left, top, right, bottom = state["client"]
    return right - left, bottom - top


if __name__ == "__main__":
    unittest.main()
