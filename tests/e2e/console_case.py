"""A console logged in at a simulated login server, shared by the scenarios that drive a class.

A test class sets SEATS (and TEACHER, STUDENT), may write into the console's folder before it starts
(prepare_folder) and do more once the teacher is in (after_login); students it admits with
try_admit/wait_admitted are stopped with the console. Whatever else it starts for the whole class it
hands to stop_with_class."""

import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from harness import UiDriver, start_program, wait_until  # noqa: E402
from login_server import LoginServer  # noqa: E402
from student_agent import StudentAgent  # noqa: E402
from test_login import (CONNECT, DIALOG_CLASS, FRAME_CLASS, ID_EDIT, LOGIN_TITLE, VIEW_ID,  # noqa: E402
                        ConsoleFolder, apply_wine_settings)


def listening(port):
    """True when a socket of this machine listens on the TCP port (read from /proc, no connection)."""
    for table in ("/proc/net/tcp", "/proc/net/tcp6"):
        try:
            with open(table) as rows:
                next(rows)
                for row in rows:
                    fields = row.split()
                    if fields[3] == "0A" and int(fields[1].rsplit(":", 1)[1], 16) == port:
                        return True
        except OSError:
            continue
    return False


class ConsoleCase(unittest.TestCase):
    SEATS = 30
    PER_ROW = 8      # the grid's seats a row in the test display
    TEACHER = "kim"
    STUDENT = StudentAgent

    @classmethod
    def prepare_folder(cls):
        """Writes what the console's folder must hold before the console starts."""

    @classmethod
    def after_login(cls):
        """Runs once the teacher is logged in and the grid is there."""

    @classmethod
    def setUpClass(cls):
        cls.students = []
        cls.class_stops = []
        cls.driver = UiDriver()
        cls.env = cls.driver.wine_env
        try:
            apply_wine_settings(cls.env)
            cls.folder = ConsoleFolder(cls.env)
            cls.prepare_folder()
            cls.server = LoginServer(seats=cls.SEATS).start()
            cls.start_console()
            cls.after_login()
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def start_console(cls):
        """The console started on the folder, pointed at the server, and the teacher logged in."""
        cls.folder.point_at(cls.server.port)
        cls.program = start_program(cls.folder.exe, cwd=cls.folder.path, wine_env=cls.env)
        cls.frame = cls.driver.wait_window(cls=FRAME_CLASS, visible=False, timeout=90)
        cls.pid = cls.frame["pid"]
        cls.log_in()
        cls.view = cls.driver.find_child(cls.frame, id=VIEW_ID, timeout=30)
        # The teacher clicks seats where they stay: once the main window fills the screen and the
        # grid is as wide as it.
        width = cls.driver.x_screen.size[0]
        wait_until(lambda: abs(cls.client_width(cls.frame) - width) < 8 and abs(cls.client_width(cls.view) - width) < 40,
                   timeout=60, interval=0.25, message="the grid never filled the screen")

    @classmethod
    def client_width(cls, window):
        client = cls.driver.rect(window)["client"]
        return client[2] - client[0]

    @classmethod
    def log_in(cls):
        dialog = cls.driver.wait_window(cls=DIALOG_CLASS, title=LOGIN_TITLE, exact=True, pid=cls.pid, timeout=60)
        cls.driver.enter_text(cls.driver.find_child(dialog, id=ID_EDIT, timeout=10), cls.TEACHER)
        cls.driver.click(cls.driver.find_child(dialog, id=CONNECT, timeout=10))
        cls.port = int(cls.server.wait_login_request(timeout=60)["student_port"])
        # The port is named in the login request and opened once the login is answered: wait for
        # it without connecting, so that the first connection a test makes is the console's first.
        wait_until(lambda: listening(cls.port), timeout=60, message=f"the console never listened on {cls.port}")

    @classmethod
    def stop_with_class(cls, stop):
        cls.class_stops.append(stop)

    @classmethod
    def tearDownClass(cls):
        def stopper(name, method):
            return lambda: getattr(getattr(cls, name), method)()
        stops = [student.stop for student in cls.students] + cls.class_stops[::-1]
        stops += [stopper("program", "stop"), stopper("server", "stop"), stopper("driver", "close"),
                  stopper("folder", "remove")]
        for stop in stops:
            try:
                stop()
            except Exception:
                pass

    @classmethod
    def try_admit(cls, seat=None, served=False, agent_class=None, **options):
        """A student admitted (and, when served, sent its restriction batch), or None; kept for the class."""
        if seat is not None:
            options["seat"] = seat
        agent = (agent_class or cls.STUDENT)("127.0.0.1", cls.port, **options).start()
        try:
            agent.wait_admitted(timeout=30)
            if served:
                agent.wait_text("[KW00075]", timeout=30)
        except Exception:
            agent.stop()
            return None
        cls.students.append(agent)
        return agent

    @classmethod
    def wait_admitted(cls, seat=None, timeout=60, **options):
        """Admits a student, retrying while the console still holds the seat."""
        return wait_until(lambda: cls.try_admit(seat, **options), timeout=timeout, interval=0.5,
                          message=f"seat {seat} was never admitted")

    def cell_centre(self, seat):
        """The centre of a seat's cell in the view's client area."""
        client = self.driver.rect(self.view)["client"]
        cell = (client[2] - client[0] - 40) // self.PER_ROW
        pitch = (cell - 2) * 3 // 4 + 2
        index = seat - 1
        return index % self.PER_ROW * cell + cell // 2 + 5, index // self.PER_ROW * pitch + pitch // 2
