"""The one-to-one chat and the pad event log, under Wine: one console logged in at a simulated
login server, simulated students (tests/peers/chat_student.py) who chat and whose pads report
events, and a stand-in for the maker's web service (tests/peers/web_service.py) that receives
the reports of abnormal pad ends. The teacher's side is driven through the real windows."""

import os
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from chat_student import ChatStudent  # noqa: E402
from console_case import ConsoleCase  # noqa: E402
from harness import wait_until  # noqa: E402
from test_login import BOX_TITLE, DIALOG_CLASS, OK_ID, free_port  # noqa: E402
from web_service import WebService  # noqa: E402

SEATS = 8
TEACHER = "kim"
PROFILE_KEY = r"HKCU\Software\Lumora Ostel\Lumora Teacher\config"
CHAT_LOG, CHAT_INPUT, CHAT_SEND, CHAT_HIDE = 1000, 1001, 1002, 1004
LOG_TITLE = "\ud559\uc0dd \ud328\ub4dc \ub3d9\uc791 \ub85c\uadf8"          # "학생 패드 동작 로그"
LOG_LIST, LOG_DETAIL, LOG_COMMAND = 1011, 1250, 6004
STUDENT_NUMBER = "\ud559\uc0dd\ubc88\ud638"                            # "학생번호"
APP_ENDED = " \uc571 \uac15\uc81c \uc885\ub8cc\ub428."                # " 앱 강제 종료됨."
SLOT_ENDED = " \uc2ac\ub86f \ube44\uc815\uc0c1 \uc885\ub8cc\ub428."   # " 슬롯 비정상 종료됨."
NON_BMP = "\U00020000"                                                # a CJK extension B ideograph
VK_END, VK_HOME, VK_DOWN, VK_RETURN = 0x23, 0x24, 0x28, 0x0D
MENU_CLASS, PER_ROW, MENU_CHAT = "#32768", 8, 3      # "1:1 채팅", the third item of a slot's menu


class ChatAndLogTest(ConsoleCase):
    """The seats are shared by the tests of the class: each test uses its own."""

    SEATS = SEATS
    TEACHER = TEACHER
    STUDENT = ChatStudent

    @classmethod
    def prepare_folder(cls):
        cls.service = WebService().start()
        cls.stop_with_class(cls.service.stop)
        cls.stop_with_class(lambda: cls.set_service_host(None))
        cls.set_service_host(cls.service.url)

    @classmethod
    def set_service_host(cls, url):
        """The registry-profile value naming the web service (None removes it)."""
        command = ["wine", "reg", "delete", PROFILE_KEY, "/v", "webservicehost", "/f"] if url is None else \
            ["wine", "reg", "add", PROFILE_KEY, "/v", "webservicehost", "/t", "REG_SZ", "/d", url, "/f"]
        subprocess.run(command, env=cls.env.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120, check=url is not None)

    def student(self, seat, name, **options):
        student = wait_until(lambda: self.try_admit(seat=seat, name=name, **options), timeout=90, interval=0.5,
                             message=f"seat {seat} was not admitted")
        self.addCleanup(student.stop)
        # The name the console shows for the seat, taken before anything else happens.
        answers = student.keepalive_answers
        student.send_name(name)
        student.send_text("[PC00003]")
        student.journal.wait_until(lambda: student.keepalive_answers > answers, 30, what="a keep-alive answer")
        return student

    def chat_window(self, seat, name):
        return self.driver.wait_window(title=f"Slot :{seat}, {name}", exact=True, pid=self.pid, timeout=30)

    def wait_child_text(self, window, child_id, *parts, timeout=30):
        child = self.driver.find_child(window, id=child_id, timeout=10)
        wait_until(lambda: all(part in self.driver.get_text(child) for part in parts), timeout=timeout,
                   message=f"{parts!r} not shown in {child_id}")
        return self.driver.get_text(child)

    def type_and_send(self, chat, text):
        self.driver.enter_text(self.driver.find_child(chat, id=CHAT_INPUT, timeout=10), text)
        self.driver.click(self.driver.find_child(chat, id=CHAT_SEND, timeout=10))

    def open_chat_from_the_grid(self, seat):
        """The teacher's way: a right click on the seat and the menu's chat item."""
        client = self.driver.rect(self.view)["client"]
        cell = (client[2] - client[0] - 40) // PER_ROW
        pitch = (cell - 2) * 3 // 4 + 2
        x, y = (seat - 1) % PER_ROW * cell + cell // 2 + 5, (seat - 1) // PER_ROW * pitch + pitch // 2
        self.driver.right_click(self.view, x, y)
        menu = self.driver.wait_window(cls=MENU_CLASS, pid=self.pid, timeout=20)
        for _ in range(MENU_CHAT):
            self.driver.press_key(menu, VK_DOWN)
        self.driver.press_key(menu, VK_RETURN)
        self.driver.wait_gone(menu, timeout=20)

    def open_log(self):
        self.driver.post(self.view, "WM_COMMAND", wparam=LOG_COMMAND)
        return self.driver.wait_window(cls=DIALOG_CLASS, title=LOG_TITLE, exact=True, pid=self.pid, timeout=30)

    def show_row(self, log, row, *parts, timeout=30):
        """Selects the row as the teacher would with the keys until the detail pane shows the
        parts (a record may still be on its way); gives the pane's text."""
        rows = self.driver.find_child(log, id=LOG_LIST, timeout=10)
        detail = self.driver.find_child(log, id=LOG_DETAIL, timeout=10)

        last, polls = [""], [0]

        def shown():
            # The keys are posted: the pane is read on the next polls, once they have been handled.
            if polls[0] % 4 == 0:
                for key in [VK_END, VK_HOME] + [VK_DOWN] * row:
                    self.driver.press_key(rows, key)
            polls[0] += 1
            last[0] = text = self.driver.get_text(detail)
            return text if "- Detail" in text and all(part in text for part in parts) else None

        try:
            return wait_until(shown, timeout=timeout, interval=0.5)
        except TimeoutError:
            seen = []
            for index in range(4):
                for key in [VK_END, VK_HOME] + [VK_DOWN] * index:
                    self.driver.press_key(rows, key)
                time.sleep(1)
                seen.append(self.driver.get_text(detail).split("\r")[2])
            self.fail(f"row {row} does not show {parts!r}: {last[0]!r}; rows {seen!r}")

    def assert_console_answers(self):
        """The console's UI thread answers at once (a message sent to the view comes back)."""
        started = time.monotonic()
        self.driver.send(self.view, "WM_NULL", timeout=5)
        self.assertLess(time.monotonic() - started, 5)
        self.assertIsNone(self.program.poll())

    # --- Chat ------------------------------------------------------------------------------

    def test_a_chat_both_ways_with_commas_long_lines_and_a_hidden_window(self):
        mina = self.student(1, "Mina")
        mina.chat(f"hello, teacher {NON_BMP}")
        chat = self.chat_window(1, "Mina")
        self.wait_child_text(chat, CHAT_LOG, f"hello, teacher {NON_BMP}", f"{STUDENT_NUMBER} 1, Mina")

        self.type_and_send(chat, f"see you, Mina {NON_BMP}")
        mina.wait_teacher_line(f"see you, Mina {NON_BMP}", timeout=30)
        self.assertIn(f"see you&comma; Mina {NON_BMP}", mina.raw_teacher_lines)
        self.wait_child_text(chat, CHAT_LOG, "Write to Mina : ", f"see you, Mina {NON_BMP}")

        # 1024 characters go out; 1025 are refused with the message and nothing is sent.
        self.type_and_send(chat, "a" * 1024)
        mina.wait_teacher_line("a" * 1024, timeout=30)
        self.type_and_send(chat, "b" * 1025)
        box = self.driver.wait_window(cls=DIALOG_CLASS, title=BOX_TITLE, exact=True, pid=self.pid, timeout=30)
        self.driver.click(self.driver.find_child(box, id=OK_ID, timeout=10))
        self.driver.wait_gone(box, timeout=30)
        self.type_and_send(chat, "after the refusal")
        mina.wait_teacher_line("after the refusal", timeout=30)
        self.assertNotIn("b" * 1025, mina.teacher_lines)

        # Hidden, the chat opens again with the student's next line, in a new window.
        self.driver.click(self.driver.find_child(chat, id=CHAT_HIDE, timeout=10))
        self.driver.wait_gone(chat, timeout=30)
        mina.chat("are you there?")
        again = self.chat_window(1, "Mina")
        text = self.wait_child_text(again, CHAT_LOG, "are you there?")
        self.assertNotIn("hello, teacher", text)

    def test_the_teacher_opens_a_chat_from_the_grid_and_an_older_agent_gets_blanks_for_commas(self):
        old = self.student(2, "Old", version="2.0.1.1045")
        self.open_chat_from_the_grid(2)
        chat = self.chat_window(2, "Old")
        self.type_and_send(chat, "a,b")
        old.wait_teacher_line("a b", timeout=30)

    # --- The pad event log -----------------------------------------------------------------

    def test_pad_events_and_abnormal_ends_reach_the_log_and_the_web_service(self):
        jun = self.student(3, "Jun", edition="pad")
        jun.send_app_event("com.game.fun", "FunGame")
        log = self.open_log()
        self.show_row(log, 0, f"FunGame(com.game.fun){APP_ENDED}", "- Slot : 3 (Jun)")

        jun.drop()
        report = self.service.wait_report(3, timeout=60)
        self.assertEqual(report.fields["val3"], "2")
        self.assertEqual(report.fields["tid"], TEACHER)
        self.assertTrue(report.digest_ok, report.fields)
        # The newest record is the first row, the app event below it.
        self.show_row(log, 0, f"3(Jun){SLOT_ENDED}", "- Slot : 3 (Jun)")
        self.show_row(log, 1, "FunGame(com.game.fun)")

    def test_a_slow_or_dead_web_service_does_not_hold_the_console(self):
        self.service.hold()
        self.addCleanup(self.service.release)
        pad = self.student(4, "Slow", edition="pad")
        pad.drop()
        self.service.wait_report(4, timeout=60)   # and it is not answered
        self.assert_console_answers()
        talker = self.student(5, "Talk")
        talker.chat("still there?")
        self.wait_child_text(self.chat_window(5, "Talk"), CHAT_LOG, "still there?")
        self.show_row(self.open_log(), 0, f"4(Slow){SLOT_ENDED}")

        # Nothing listens at the service's address any more.
        self.set_service_host(f"http://127.0.0.1:{free_port()}")
        self.addCleanup(self.set_service_host, self.service.url)
        gone = self.student(6, "Gone", edition="pad")
        gone.drop()
        self.show_row(self.open_log(), 0, f"6(Gone){SLOT_ENDED}", timeout=60)
        self.assert_console_answers()


if __name__ == "__main__":
    unittest.main()
