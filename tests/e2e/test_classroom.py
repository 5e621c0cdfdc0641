"""The teacher acting on the class, under Wine: one console, logged in at a simulated login
server, with simulated students in some of its seats. The teacher clicks, Ctrl-clicks, right-clicks
and double-clicks the grid, answers the boxes the console asks, resizes it, picks a group and
drives its settings dialogs; the tests check what each student received, and what an offline seat
or a student outside the action did not."""

import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from harness import UiDriver, start_program, wait_until  # noqa: E402
from login_server import LoginServer  # noqa: E402
from student_agent import StudentAgent  # noqa: E402
from test_login import (CONNECT, DIALOG_CLASS, FRAME_CLASS, ID_EDIT, LOGIN_TITLE, VIEW_ID,  # noqa: E402
                        YES_ID, ConsoleFolder, apply_wine_settings)

SEATS = 16
PER_ROW = 8
MENU_CLASS = "#32768"
WM_COMMAND, WM_RBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONUP = 0x0111, 0x0204, 0x0201, 0x0202
WM_KEYDOWN, VK_DOWN, VK_RETURN, VK_ESCAPE = 0x0100, 0x28, 0x0D, 0x1B
MK_LBUTTON, MK_CONTROL = 0x0001, 0x0008
WM_SYSCOMMAND, SC_RESTORE, SC_MAXIMIZE = 0x0112, 0xF120, 0xF030
ID_RESTART = 32788
# The student's thread serves a socket nobody took again after this long.
HAND_OVER_TIMEOUT = 10


class ClassroomTest(unittest.TestCase):
    """Each test uses seats of its own (see the numbers); seat 16 stays offline throughout."""

    @classmethod
    def setUpClass(cls):
        cls.driver = UiDriver()
        cls.env = cls.driver.wine_env
        apply_wine_settings(cls.env)
        cls.folder = ConsoleFolder(cls.env)
        cls.folder.configure(etcprogramlist="notepad.exe,Settings,Play Store")
        cls.server = LoginServer(seats=SEATS).start()
        cls.folder.point_at(cls.server.port)
        cls.program = start_program(cls.folder.exe, cwd=cls.folder.path, wine_env=cls.env)
        cls.students = []
        try:
            cls.frame = cls.driver.wait_window(cls=FRAME_CLASS, visible=False, timeout=90)
            cls.pid = cls.frame["pid"]
            dialog = cls.driver.wait_window(cls=DIALOG_CLASS, title=LOGIN_TITLE, exact=True, pid=cls.pid, timeout=60)
            cls.driver.set_text(cls.driver.find_child(dialog, id=ID_EDIT, timeout=10), "kim")
            cls.driver.click(cls.driver.find_child(dialog, id=CONNECT, timeout=10))
            cls.port = int(cls.server.wait_login_request(timeout=60)["student_port"])
            cls.view = cls.driver.find_child(cls.frame, id=VIEW_ID, timeout=30)
            cls.first = wait_until(lambda: cls.try_admit(1), timeout=60, interval=0.5,
                                   message="the console never admitted a student")
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        stops = [student.stop for student in cls.students]
        stops += [lambda: cls.program.stop(), lambda: cls.server.stop(), lambda: cls.driver.close(),
                  lambda: cls.folder.remove()]
        for stop in stops:
            try:
                stop()
            except Exception:
                pass

    @classmethod
    def try_admit(cls, seat, **options):
        agent = StudentAgent("127.0.0.1", cls.port, seat=seat, **options).start()
        try:
            agent.wait_admitted(timeout=30)
        except Exception:
            agent.stop()
            return None
        cls.students.append(agent)
        return agent

    def admitted(self, seat, **options):
        agent = StudentAgent("127.0.0.1", self.port, seat=seat, **options).start()
        self.students.append(agent)
        agent.wait_admitted(timeout=60)
        # Serving: the restriction batch has arrived.
        agent.wait_text("[KW00075]", timeout=30)
        return agent

    # --- Driving the grid -------------------------------------------------------------------

    def cell_centre(self, seat):
        client = self.driver.rect(self.view)["client"]
        width = client[2] - client[0]
        cell = (width - 40) // PER_ROW
        pitch = (cell - 2) * 3 // 4 + 2
        index = seat - 1
        return index % PER_ROW * cell + cell // 2 + 5, index // PER_ROW * pitch + pitch // 2

    def post_mouse(self, message, seat, keys=0):
        x, y = self.cell_centre(seat)
        self.driver.post(self.view, message, keys, (y << 16) | x)

    def click(self, seat, ctrl=False):
        keys = MK_CONTROL if ctrl else 0
        self.post_mouse(WM_LBUTTONDOWN, seat, keys | MK_LBUTTON)
        self.post_mouse(WM_LBUTTONUP, seat, keys)

    def open_menu(self, seat):
        self.post_mouse(WM_RBUTTONDOWN, seat, 0)
        return self.driver.wait_window(cls=MENU_CLASS, pid=self.pid, timeout=20)

    def choose(self, menu, position):
        """Chooses the item at a 1-based position with the keyboard, as a teacher may."""
        for _ in range(position):
            self.driver.post(menu, WM_KEYDOWN, VK_DOWN)
        self.driver.post(menu, WM_KEYDOWN, VK_RETURN)
        self.driver.wait_gone(menu, timeout=20)

    def answer_yes(self):
        # The question box, not the teacher toolbar (a dialog of the same class that is always up).
        def question():
            for window in self.driver.windows(cls=DIALOG_CLASS, pid=self.pid, visible=True):
                if self.driver.windows(parent=window, id=YES_ID):
                    return window
            return None
        box = wait_until(question, timeout=20, message="no question box")
        self.driver.click(self.driver.find_child(box, id=YES_ID, timeout=10))
        self.driver.wait_gone(box, timeout=20)

    @staticmethod
    def count(student, text):
        return sum(1 for command in student.commands if command == text)

    def assert_still_served(self, student):
        mark = len(student.journal.items())
        student.send_text("[PC00003]")
        student.wait_text("[KW10002]", timeout=30, start=mark)

    # --- The mouse --------------------------------------------------------------------------

    def test_double_click_asks_the_halved_screen_and_a_socket_nobody_takes_is_served_again(self):
        wide = self.admitted(2, screen=(1920, 1080))
        wide.wait_packet(10, timeout=30)             # the console has its screen format
        self.post_mouse(0x0203, 16)                 # an offline seat: nothing
        self.post_mouse(0x0203, 2)
        asked = wide.wait_text("[KW00004]", timeout=30)
        self.assertEqual(asked.text, "[KW00004]1,120,135")
        started = time.monotonic()
        # No remote session takes the connection: the student's thread serves it again itself.
        deadline = started + HAND_OVER_TIMEOUT + 40
        while True:
            mark = len(wide.journal.items())
            wide.send_text("[PC00003]")
            try:
                wide.wait_text("[KW10002]", timeout=3, start=mark)
                break
            except Exception:
                self.assertLess(time.monotonic(), deadline, "the thread never served the connection again")
        self.assertGreater(time.monotonic() - started, HAND_OVER_TIMEOUT - 2)

    def test_slot_menus_of_a_pc_and_a_pad_and_their_commands(self):
        pc = self.admitted(3)
        pad = self.admitted(4, edition="pad", client_kind=3)
        pc_menu = self.open_menu(3)
        pc_height = pc_menu["rect"][3] - pc_menu["rect"][1]
        self.choose(pc_menu, 4)                      # touch control
        pc.wait_text("[KW00051]true", timeout=30)
        self.choose(self.open_menu(3), 4)            # checked now: lifted again
        pc.wait_text("[KW00051]false", timeout=30)

        pad_menu = self.open_menu(4)
        pad_height = pad_menu["rect"][3] - pad_menu["rect"][1]
        self.assertGreater(pad_height, pc_height)    # the pad menu has the fifth item
        self.choose(pad_menu, 5)                     # retry the next day, asked first
        self.answer_yes()
        pad.wait_text("[KW00249]0", timeout=30)
        self.assertEqual(self.count(pc, "[KW00249]0"), 0)

        # A right click on an offline seat opens nothing.
        self.post_mouse(WM_RBUTTONDOWN, 16)
        self.assert_still_served(pc)
        self.assertFalse(self.driver.windows(cls=MENU_CLASS, pid=self.pid, visible=True))

    def test_restart_of_a_multi_selection_reaches_the_target_and_each_selected_student(self):
        target, chosen, other = self.admitted(5), self.admitted(6), self.admitted(7)
        self.click(5)
        self.click(6, ctrl=True)
        self.click(5, ctrl=True)                     # the focused slot marked, then toggled off
        self.driver.post(self.view, WM_COMMAND, ID_RESTART)
        self.answer_yes()
        chosen.wait_text("[KW00100]1", timeout=30)
        target.wait_text("[KW00100]1", timeout=30)
        self.assert_still_served(other)
        self.assertEqual(self.count(other, "[KW00100]1"), 0)
        self.assertEqual(self.count(target, "[KW00100]1"), 1)
        # A plain click ends the multi-selection: the target alone.
        self.click(7)
        self.driver.post(self.view, WM_COMMAND, ID_RESTART)
        self.answer_yes()
        other.wait_text("[KW00100]1", timeout=30)
        self.assert_still_served(chosen)
        self.assertEqual(self.count(chosen, "[KW00100]1"), 1)

    # --- Class-wide ------------------------------------------------------------------------

    def test_a_resize_tells_every_student_the_new_thumbnail_size(self):
        students = [self.admitted(seat) for seat in (8, 9)]
        marks = [len(student.journal.items()) for student in students]
        self.driver.post(self.frame, WM_SYSCOMMAND, SC_RESTORE)
        sizes = [student.wait_text("[KW00003]", timeout=30, start=mark).text
                 for student, mark in zip(students, marks)]
        self.assertEqual(sizes[0], sizes[1])
        self.driver.post(self.frame, WM_SYSCOMMAND, SC_MAXIMIZE)
        width, height = map(int, students[0].wait_text("[KW00003]", timeout=30, start=marks[0] + 1)
                            .text[9:].split(","))
        client = self.driver.rect(self.view)["client"]
        cell = (client[2] - client[0] - 40) // PER_ROW
        self.assertEqual((width, height), (cell - 5, (cell - 2) * 3 // 4 - 3))

    def test_the_prohibited_list_reaches_students_with_the_pad_packages(self):
        self.assertIn("[KW00075]notepad.exe,Settings,Play Store,com.android.settings,"
                      "com.google.android.packageinstaller,com.android.vending", self.first.commands)


if __name__ == "__main__":
    unittest.main()
