"""The quiz, under Wine: a logged-in console with simulated students in three seats. The teacher
opens the quiz panel and runs a speed quiz, an O/X and a multiple-choice question; the tests
check what each student received, what the announcement, the waiting box and the chart show,
and that a refused button or a student who leaves changes nothing it should not."""

import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from console_case import ConsoleCase  # noqa: E402
from harness import wait_until  # noqa: E402
from quiz_student import QuizStudent  # noqa: E402
from test_login import DIALOG_CLASS  # noqa: E402

WM_OPEN_QUIZ_PANEL = 0x400 + 1304
MESSAGE_MARKER = 0x12345
BM_GETCHECK = 0x00F0
RANDOM_PICK, SPEED, OX, CHOICE, RESET, START, CHOICE_COUNT = 1700, 1701, 1702, 1703, 1706, 1708, 1709
MESSAGE_TEXT, WAIT_SECONDS, WAIT_PROGRESS, RESULT_ROW = 1710, 1711, 1712, 1720
OK = 1
WAIT_TEXT = 1059
OTHER_ACTIVE = "\ub2e4\ub978 \ud034\uc988 \uae30\ub2a5\uc774 \ud65c\uc131\ud654\ub41c \uc0c1\ud0dc\uc785\ub2c8\ub2e4."
NO_ANSWER = "\ubb34\uc751\ub2f5"   # "무응답"
SEATS = 8


class QuizTest(ConsoleCase):
    SEATS = SEATS
    STUDENT = QuizStudent

    @classmethod
    def prepare_folder(cls):
        cls.folder.configure()

    @classmethod
    def after_login(cls):
        cls.class_ = [cls.wait_admitted(seat, name=f"Pupil{seat}", served=True) for seat in (1, 2, 3)]
        cls.driver.post(cls.view, WM_OPEN_QUIZ_PANEL, MESSAGE_MARKER, 0)
        cls.panel = wait_until(cls.find_panel, timeout=30, message="the quiz panel did not open")

    @classmethod
    def find_popup(cls, child_id):
        for window in cls.driver.windows(cls=DIALOG_CLASS, pid=cls.pid, visible=True):
            if cls.driver.command("find", parent=window["hwnd"], id=child_id).get("ok"):
                return window
        return None

    @classmethod
    def find_panel(cls):
        return cls.find_popup(SPEED)

    def tearDown(self):
        """A failed scenario leaves no quiz on for the next one."""
        if self.checked(START):
            self.press_until_checked(START, False)
        chart = self.find_popup(RESULT_ROW)
        if chart:
            self.driver.click(self.driver.find_child(chart, id=OK))
            wait_until(lambda: self.find_popup(RESULT_ROW) is None, timeout=30, message="the chart stayed")
        for toggle in (CHOICE_COUNT, SPEED, OX, CHOICE):
            if self.checked(toggle):
                self.press_until_checked(toggle, False)

    # The panel.
    def button(self, button_id):
        return self.driver.find_child(self.panel, id=button_id, timeout=10)

    def press(self, button_id):
        self.driver.click(self.button(button_id))

    def checked(self, button_id):
        return self.driver.send(self.button(button_id), BM_GETCHECK) == 1

    def press_until_checked(self, button_id, checked):
        self.press(button_id)
        wait_until(lambda: self.checked(button_id) == checked, timeout=30,
                   message=f"button {button_id} did not become {'checked' if checked else 'unchecked'}")

    def marks(self):
        return [student.mark() for student in self.class_]

    def popup_text(self, child_id, timeout=30):
        popup = wait_until(lambda: self.find_popup(child_id), timeout=timeout, message=f"no pop-up with {child_id}")
        return self.driver.get_text(self.driver.find_child(popup, id=child_id))

    def chart(self, rows):
        popup = wait_until(lambda: self.find_popup(RESULT_ROW), timeout=60, message="the chart did not appear")
        texts = [self.driver.get_text(self.driver.find_child(popup, id=RESULT_ROW + row)) for row in range(rows)]
        return popup, texts

    def close_chart(self, popup, marks):
        self.driver.click(self.driver.find_child(popup, id=OK))
        for student, mark in zip(self.class_, marks):
            student.wait_text("[KW00406]ox", start=mark, timeout=30)

    # The scenarios.
    def test_a_speed_quiz_is_won_by_the_first_press_alone(self):
        first, second, third = self.class_
        marks = self.marks()
        self.press_until_checked(SPEED, True)
        for student, mark in zip(self.class_, marks):
            student.wait_text("[KW00401]", start=mark)
        first.press_buzzer()
        text = self.popup_text(MESSAGE_TEXT)
        self.assertTrue(text.startswith("[1: "), text)
        second.press_buzzer()
        third.press_buzzer()
        for student in self.class_:
            student.synced()
        self.assertEqual(self.popup_text(MESSAGE_TEXT), text)
        self.assertEqual([c for c in first.commands_since(marks[0]) if c.startswith("[KW00403]")], ["[KW00403]"])
        for student, mark in ((second, marks[1]), (third, marks[2])):
            self.assertFalse([c for c in student.commands_since(mark) if c.startswith("[KW00403]")])

        # A new round: the next press wins again, and it is the second student's.
        marks = self.marks()
        self.press(RESET)
        for student, mark in zip(self.class_, marks):
            student.wait_text("[KW00404]", start=mark)
        second.press_buzzer()
        second.wait_text("[KW00403]", start=marks[1])
        wait_until(lambda: self.popup_text(MESSAGE_TEXT).startswith("[2: "), timeout=30,
                   message="the second round's winner was not announced")
        self.press_until_checked(SPEED, False)

    def test_a_refused_button_sends_nothing_and_leaves_the_running_quiz_alone(self):
        self.press_until_checked(SPEED, True)
        for student in self.class_:
            student.synced()
        marks = self.marks()
        self.press(OX)
        self.assertEqual(self.popup_text(WAIT_TEXT), OTHER_ACTIVE)
        wait_until(lambda: self.find_popup(WAIT_TEXT) is None, timeout=30, message="the notice stayed")
        for student in self.class_:
            student.synced()
        for student, mark in zip(self.class_, marks):
            self.assertEqual(student.commands_since(mark), [])
        self.assertTrue(self.checked(SPEED))
        self.assertFalse(self.checked(OX))
        self.press_until_checked(SPEED, False)

    def test_an_ox_question_answered_by_everyone_ends_the_wait_and_charts_the_counts(self):
        self.press_until_checked(OX, True)
        marks = self.marks()
        self.press_until_checked(START, True)
        for student, answer in zip(self.class_, ("O", "X", "O")):
            self.assertEqual(student.answer_question(answer, start=marks[self.class_.index(student)]), "[KW00405]ox")
        popup, rows = self.chart(3)
        self.assertEqual(rows, ["O (2)", "X (1)", f"{NO_ANSWER} (0)"])
        self.assertFalse(self.checked(START))
        self.close_chart(popup, self.marks())
        self.press_until_checked(OX, False)

    def test_a_student_answering_twice_counts_once(self):
        self.press_until_checked(CHOICE, True)
        self.press_until_checked(CHOICE_COUNT, True)   # five choices
        marks = self.marks()
        self.press_until_checked(START, True)
        first, second, third = self.class_
        self.assertEqual(first.answer_question("2", "3", start=marks[0]), "[KW00405]select5")
        second.answer_question("3", start=marks[1])
        first.synced()
        second.synced()
        # Two of three have answered: the box goes on waiting through its next ticks.
        seconds = int(self.popup_text(WAIT_SECONDS))
        wait_until(lambda: int(self.popup_text(WAIT_SECONDS)) >= seconds + 2, timeout=30,
                   message="the waiting box stopped counting")
        self.assertEqual(self.popup_text(WAIT_PROGRESS), "2 / 3")
        self.assertIsNone(self.find_popup(RESULT_ROW))
        third.answer_question("5", start=marks[2])
        popup, rows = self.chart(6)
        self.assertEqual(rows, ["1 (0)", "2 (0)", "3 (2)", "4 (0)", "5 (1)", f"{NO_ANSWER} (0)"])
        self.close_chart(popup, self.marks())
        self.press_until_checked(CHOICE_COUNT, False)
        self.press_until_checked(CHOICE, False)

    def test_a_student_who_leaves_mid_question_does_not_hold_the_wait_open(self):
        leaver = self.wait_admitted(4, name="Pupil4", served=True)
        self.press_until_checked(OX, True)
        marks = self.marks()
        leaver_mark = leaver.mark()
        self.press_until_checked(START, True)
        leaver.wait_text("[KW00405]ox", start=leaver_mark)
        self.assertEqual(self.popup_text(WAIT_PROGRESS), "0 / 4")
        for student, mark in zip(self.class_, marks):
            student.answer_question("X", start=mark)
        leaver.drop()
        popup, rows = self.chart(3)
        self.assertEqual(rows, ["O (0)", "X (3)", f"{NO_ANSWER} (0)"])
        self.close_chart(popup, self.marks())
        self.press_until_checked(OX, False)


if __name__ == "__main__":
    unittest.main()
