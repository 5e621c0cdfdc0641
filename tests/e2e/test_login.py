"""The teacher's login at the login server, under Wine: the console runs from a folder of its own
(a copy of the built bin/ folder) whose "setting.ini" names a simulated login server
(tests/peers/login_server.py), the teacher logs in through the real login dialog with the UI
driver, and the tests check what the server received, the windows the console shows and the
grid it draws."""

import os
import shutil
import socket
import sys
import tempfile
import time
import unittest
from pathlib import Path

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from harness import HarnessError, UiDriver, apply_wine_settings, artifact_path, start_program, wait_until  # noqa: E402
from login_server import Accept, Close, Duplicate, LoginServer, Raw, Refuse, Silence  # noqa: E402

FRAME_CLASS = "Lumora Teacher"
DIALOG_CLASS = "#32770"
LOGIN_TITLE = "Lumora \uc120\uc0dd\ub2d8 \ub85c\uadf8\uc778"          # "Lumora 선생님 로그인"
BOX_TITLE = "Lumora Teacher"
DUPLICATE_TITLE = "\uc911\ubcf5 \ub85c\uadf8\uc778"                   # "중복 로그인"
EXIT_TITLE = "\uc885\ub8cc \ud655\uc778"                          # "종료 확인"
ID_EDIT, ERROR_LINE, CONNECT = 1000, 1003, 1
OK_ID, YES_ID, NO_ID = 1, 1246, 1247
WAIT_TEXT = 1059
VIEW_ID = 0xE900
NO_TEACHER = "\uc77c\uce58\ud558\ub294 \uc120\uc0dd\ub2d8 \uc815\ubcf4\ub97c \ucc3e\uc744 \uc218 \uc5c6\uc2b5\ub2c8\ub2e4."

GRID_BACKGROUND = (40, 92, 153)
PLAIN_FRAME = (126, 127, 129)
CAPTION_GREEN = (70, 255, 70)





def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def write_ini(path, section, values):
    """An INI file as the console keeps them: UTF-16LE with a byte-order mark."""
    lines = [f"[{section}]"] + [f"{key}={value}" for key, value in values.items()]
    path.write_bytes(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


def port_accepts(port, timeout=5.0):
    try:
        with socket.create_connection(("127.0.0.1", int(port)), timeout=timeout):
            return True
    except OSError:
        return False


class ConsoleFolder:
    """A temporary program folder: the built program and its language modules (not the settings
    files a run in the build folder may have left there), and the settings a test writes."""

    def __init__(self, wine_env):
        source = wine_env.build / "bin"
        if not (source / "Lumora Teacher.exe").is_file():
            raise HarnessError(f"{source} has no Lumora Teacher.exe: build first")
        self.path = Path(tempfile.mkdtemp(prefix="lumora-login-")) / "bin"
        self.path.mkdir()
        shutil.copy2(source / "Lumora Teacher.exe", self.path)
        shutil.copytree(source / "language", self.path / "language")

    @property
    def exe(self):
        return self.path / "Lumora Teacher.exe"

    def point_at(self, port, host="127.0.0.1"):
        write_ini(self.path / "setting.ini", "default", {"rsip": host, "rsport": port})

    def configure(self, **values):
        write_ini(self.path / "config.ini", "default", values)

    def remove(self):
        shutil.rmtree(self.path.parent, ignore_errors=True)


class LoginTestBase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = UiDriver()
        cls.env = cls.driver.wine_env
        apply_wine_settings(cls.env)

    @classmethod
    def tearDownClass(cls):
        cls.driver.close()

    def setUp(self):
        self.wait_no_console()
        self.folder = ConsoleFolder(self.env)
        self.addCleanup(self.folder.remove)
        self.addCleanup(self.wait_no_console)

    # Peers and the program.
    def start_server(self, **options):
        server = LoginServer(**options).start()
        self.addCleanup(server.stop)
        return server

    def start_console(self, server=None, port=None):
        self.folder.point_at(port if port is not None else server.port)
        program = start_program(self.folder.exe, cwd=self.folder.path, wine_env=self.env)
        self.addCleanup(program.stop)
        self.frame = self.driver.wait_window(cls=FRAME_CLASS, visible=False, timeout=90)
        self.pid = self.frame["pid"]
        return program

    def wait_no_console(self):
        wait_until(lambda: not self.driver.windows(cls=FRAME_CLASS), timeout=90,
                   message="a console window is still there")

    # Windows.
    def wait_login_dialog(self, timeout=60):
        return self.driver.wait_window(cls=DIALOG_CLASS, title=LOGIN_TITLE, exact=True, pid=self.pid,
                                       timeout=timeout)

    def log_in(self, teacher_id="kim", dialog=None):
        dialog = dialog or self.wait_login_dialog()
        self.driver.enter_text(self.driver.find_child(dialog, id=ID_EDIT, timeout=10), teacher_id)
        self.driver.click(self.driver.find_child(dialog, id=CONNECT, timeout=10))
        self.driver.wait_gone(dialog, timeout=30)
        return time.monotonic()

    def wait_box(self, title=BOX_TITLE, timeout=60):
        return self.driver.wait_window(cls=DIALOG_CLASS, title=title, exact=True, pid=self.pid, timeout=timeout)

    def answer(self, box, button_id):
        self.driver.click(self.driver.find_child(box, id=button_id, timeout=10))
        self.driver.wait_gone(box, timeout=30)

    def frame_state(self):
        return self.driver.state(self.frame)

    def wait_logged_in(self, timeout=60):
        """The main frame shown and maximised, as after an accepted login."""
        def shown():
            state = self.frame_state()
            return state["window"]["visible"] and state["maximized"]

        wait_until(shown, timeout=timeout, message="the main frame was not shown maximised")

    def assert_never_shown(self):
        self.assertFalse(self.frame_state()["window"]["visible"])

    def close_console(self, program):
        self.driver.post(self.frame, "WM_CLOSE")
        self.answer(self.wait_box(EXIT_TITLE), YES_ID)
        self.assertEqual(program.wait(timeout=60), 0)

    # The grid.
    def capture_grid(self, name):
        view = self.driver.find_child(self.frame, id=VIEW_ID, timeout=10)
        return self.driver.capture(artifact_path(name), view, client=True, settle=1.5)["bitmap"]

    def assert_grid_cells(self, bitmap, drawn, per_row=8):
        """Cells 0..drawn-1 carry the grey frame of an unselected slot, the next one is empty."""
        cell = (bitmap.width - 40) // per_row
        picture = (cell - 2) * 3 // 4
        pitch = picture + 2

        def frame_corner(index):
            x0, y0 = index % per_row * cell, index // per_row * pitch
            return bitmap.pixel(x0 + 6, y0 + 1)

        for index in range(drawn):
            self.assertEqual(frame_corner(index), PLAIN_FRAME, f"cell {index}")
        self.assertEqual(frame_corner(drawn), GRID_BACKGROUND, f"cell {drawn}")
        # The seat number is captioned in green inside the first cell.
        self.assertIsNotNone(bitmap_crop_has(bitmap, (6, 1, cell, 1 + 24), CAPTION_GREEN))


def bitmap_crop_has(bitmap, box, colour):
    left, top, right, bottom = box
    for y in range(top, bottom):
        for x in range(left, right):
            if bitmap.pixel(x, y) == colour:
                return (x, y)
    return None


class LoginTest(LoginTestBase):
    def test_login_sends_the_request_listens_for_students_and_shows_the_grid(self):
        server = self.start_server(seats=30)
        program = self.start_console(server)
        self.assert_never_shown()
        self.log_in("kim")

        login = server.wait_login_request(timeout=60)
        connection = server.connections[0]
        self.assertEqual(login["kind"], "3")
        int(login["session_tag"])
        self.assertEqual(login["teacher_id"], "kim")
        self.assertEqual(login["site"], "")
        self.assertRegex(login["address"], r"^\d+\.\d+\.\d+\.\d+$")
        self.assertEqual(login["version"], "2.0.1.1047")
        # Students connect to the port of the console's own end of this connection.
        self.assertEqual(int(login["student_port"]), connection.peer[1])

        self.wait_logged_in()
        self.assertTrue(self.driver.get_text(self.frame).endswith(": kim"))
        self.assertTrue(port_accepts(login["student_port"]))
        bitmap = self.capture_grid("login-grid.bmp")
        self.assert_grid_cells(bitmap, 30)

        self.close_console(program)
        server.wait_session_end(timeout=30)

    def test_portfix_fixes_the_port_of_the_login_connection_and_of_the_students(self):
        fixed = free_port()
        self.folder.configure(portfix=fixed)
        server = self.start_server()
        self.start_console(server)
        self.log_in()
        login = server.wait_login_request(timeout=60)
        self.assertEqual(int(login["student_port"]), fixed)
        self.assertEqual(server.connections[0].peer[1], fixed)
        self.wait_logged_in()
        self.assertTrue(port_accepts(fixed))

    def test_a_refused_first_login_opens_the_dialog_again_with_the_reason(self):
        server = self.start_server(login_answers=[Refuse(1, NO_TEACHER), Accept()])
        self.start_console(server)
        self.log_in("nobody")
        server.wait_session_end(timeout=60)

        dialog = self.wait_login_dialog()
        self.assertEqual(self.driver.get_text(self.driver.find_child(dialog, id=ERROR_LINE)), NO_TEACHER)
        self.assert_never_shown()
        self.log_in("kim", dialog)
        second = server.wait_login_request(timeout=60, count=2)
        self.assertEqual(second["teacher_id"], "kim")
        self.assertEqual(second.connection, 2)
        self.wait_logged_in()

    def test_a_duplicate_login_taken_over_logs_in(self):
        server = self.start_server(login_answers=[Duplicate("10.1.2.3"), Accept()])
        self.start_console(server)
        self.log_in("kim")
        self.answer(self.wait_box(DUPLICATE_TITLE), YES_ID)

        take_over = server.wait_request("[KW10003]", timeout=30)
        login = server.wait_login_request(timeout=30)
        self.assertEqual(take_over["teacher_id"], "kim")
        self.assertEqual(take_over["address"], login["address"])
        self.assertEqual(take_over["student_port"], login["student_port"])
        self.assertEqual(take_over["address_again"], login["address"])
        self.wait_logged_in()
        self.assertEqual(server.wait_login_request(timeout=30, count=2).connection, 1)

    def test_a_duplicate_login_declined_ends_the_session_and_asks_again(self):
        server = self.start_server(login_answers=[Duplicate("10.1.2.3"), Accept()])
        self.start_console(server)
        self.log_in("kim")
        self.answer(self.wait_box(DUPLICATE_TITLE), NO_ID)
        self.assertEqual(server.wait_session_end(timeout=30).connection, 1)

        self.log_in("lee", self.wait_login_dialog())
        self.assertEqual(server.wait_login_request(timeout=60, count=2).connection, 2)
        self.wait_logged_in()

    def test_logged_out_elsewhere_shows_the_notice_and_ends(self):
        server = self.start_server()
        program = self.start_console(server)
        self.log_in("kim")
        self.wait_logged_in()

        server.log_out_elsewhere("10.0.0.9")
        text = wait_until(lambda: self.notice_text(), timeout=30, message="no notice was shown")
        self.assertIn("10.0.0.9", text)
        self.assertEqual(program.wait(timeout=60), 0)

    def notice_text(self):
        for window in self.driver.windows(cls=DIALOG_CLASS, pid=self.pid, visible=True):
            try:
                return self.driver.get_text(self.driver.find_child(window, id=WAIT_TEXT))
            except HarnessError:
                continue
        return None


class StartUpTest(LoginTestBase):
    def test_cancelling_the_login_dialog_ends_the_program(self):
        server = self.start_server()
        program = self.start_console(server)
        dialog = self.wait_login_dialog()
        self.driver.click(self.driver.find_child(dialog, id=2, timeout=10))
        self.assertEqual(program.wait(timeout=60), 0)
        self.assertEqual(server.connections, [])

    def test_an_older_group_file_is_converted_once(self):
        legacy = self.folder.path / "GroupInfo.txt"
        legacy.write_bytes("1\ubc18$1,2,3$0,0,800,600$4\r\n\r\nbroken line\r\n2\ubc18$4,5$ $ \r\n".encode("utf-8"))
        server = self.start_server()
        program = self.start_console(server)
        dialog = self.wait_login_dialog()
        self.assertFalse(legacy.exists())
        groups = read_ini(self.folder.path / "groupinfo.ini")
        self.assertEqual(groups["default"]["grouplist"], "1\ubc18$2\ubc18")
        self.assertEqual(groups["1\ubc18"], {"slot": "1,2,3", "partrect": "0,0,800,600", "perrow": "4"})
        self.assertEqual(groups["2\ubc18"]["slot"], "4,5")
        self.driver.click(self.driver.find_child(dialog, id=2, timeout=10))
        self.assertEqual(program.wait(timeout=60), 0)


def read_ini(path):
    """Sections of a UTF-16LE INI file as dictionaries (keys as written)."""
    sections, current = {}, None
    for line in path.read_bytes()[2:].decode("utf-16-le").splitlines():
        line = line.strip("\r")
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif "=" in line and current is not None:
            key, _, value = line.partition("=")
            current[key] = value
    return sections


class LoginFailureTest(LoginTestBase):
    def test_malformed_seat_grant_shows_the_bad_data_message_and_ends(self):
        server = self.start_server(login_answers=[Raw("[UR00002]1,0,1001,0,0")])
        program = self.start_console(server)
        self.log_in()
        box = self.wait_box()
        self.assert_never_shown()
        self.answer(box, OK_ID)
        self.assertEqual(program.wait(timeout=60), 0)
        self.assertEqual([r for r in server.requests if r.tag == "[UT00002]"], [])

    def test_nothing_listening_ends_after_the_connect_time_out(self):
        program = self.start_console(port=free_port())
        clicked = self.log_in()
        box = self.wait_box(timeout=90)
        # The splash's pause and the ten-second connect time-out.
        self.assertGreater(time.monotonic() - clicked, 9)
        self.assert_never_shown()
        self.answer(box, OK_ID)
        self.assertEqual(program.wait(timeout=60), 0)

    def test_a_server_that_closes_before_granting_the_seats_ends_the_console(self):
        server = self.start_server(login_answers=[Close()])
        program = self.start_console(server)
        self.log_in()
        request = server.wait_login_request(timeout=60)
        box = self.wait_box(timeout=30)
        # At once, not only when the connect time-out runs out.
        self.assertLess(time.monotonic() - request.time, 6)
        self.assert_never_shown()
        self.answer(box, OK_ID)
        self.assertEqual(program.wait(timeout=60), 0)

    def test_a_server_that_never_grants_the_seats_ends_the_console(self):
        server = self.start_server(login_answers=[Silence()])
        program = self.start_console(server)
        self.log_in()
        server.wait_login_request(timeout=60)
        self.answer(self.wait_box(timeout=30), OK_ID)
        self.assertEqual(program.wait(timeout=60), 0)


class LoginSessionTest(LoginTestBase):
    def test_a_lost_server_is_reconnected_after_twenty_seconds_keeping_the_slots(self):
        server = self.start_server(seats=30, login_answers=[Accept(), Accept(seats=12)])
        self.start_console(server)
        self.log_in("kim")
        first = server.wait_login_request(timeout=60)
        self.wait_logged_in()

        server.drop_connections()
        dropped = time.monotonic()
        server.wait_connections(2, timeout=60)
        self.assertGreater(time.monotonic() - dropped, 15)
        second = server.wait_login_request(timeout=30, count=2)
        self.assertEqual(second.connection, 2)
        self.assertEqual(second["teacher_id"], "kim")
        server.wait_answer("[UR00002]1,0,12", timeout=30)

        # The new grant keeps the 30 slots; students reach the new port, not the old one.
        wait_until(lambda: port_accepts(second["student_port"], timeout=2), timeout=30)
        if second["student_port"] != first["student_port"]:
            self.assertFalse(port_accepts(first["student_port"], timeout=2))
        bitmap = self.capture_grid("login-grid-after-reconnect.bmp")
        self.assert_grid_cells(bitmap, 30)

    def test_the_keep_alive_goes_out_every_minute_with_the_slot_count(self):
        server = self.start_server(seats=24)
        self.start_console(server)
        self.log_in()
        self.wait_logged_in()
        shown = time.monotonic()
        keep_alive = server.wait_keepalive(timeout=120)
        self.assertEqual(keep_alive["slots"], "24")
        self.assertGreater(keep_alive.time - shown, 50)
        self.assertLess(keep_alive.time - shown, 75)


if __name__ == "__main__":
    unittest.main()
