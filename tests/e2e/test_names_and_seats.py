"""The teacher names students and gives them other seats, under Wine: one console with simulated
students. A name is refused through its dialog or the class list, then accepted, stored in
config.ini and told to the student; a student moves to a free seat, two students swap seats, and
each is told its new number and to reconnect."""

import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from console_case import ConsoleCase  # noqa: E402
from harness import wait_until  # noqa: E402
import test_classroom  # noqa: E402
from test_login import BOX_TITLE, DIALOG_CLASS, NO_ID, OK_ID, YES_ID, read_ini  # noqa: E402

MENU_CHANGE_NUMBER, MENU_SET_NAME = 1, 2       # positions in a seat's menu
TOOLBAR_NAMES, NAMES_LIST, NAMES_EDIT, NAMES_OK = 1215, 1011, 1012, 1013
VK_RETURN = 0x0D
NAME_EDIT, NAME_OK = 1001, 1013
MOVE, SWAP, MOVE_TARGET, SWAP_TARGET, CHANGE_OK = 1169, 1170, 1175, 1176, 1013
NAME_TITLE = "\ud559\uc0dd \uc774\ub984 \uc124\uc815"            # "학생 이름 설정"
CHANGE_TITLE = "\ud559\uc0dd\ubc88\ud638 \ubcc0\uacbd"            # "학생번호 변경"
MOVE_ASK_TITLE = "\ud559\uc0dd\ubc88\ud638 \uc774\ub3d9 \ud655\uc778"  # "학생번호 이동 확인"
SWAP_ASK_TITLE = "\ud559\uc0dd\ubc88\ud638 \uad50\uccb4 \ud655\uc778"  # "학생번호 교체 확인"


class NamesAndSeatsTest(ConsoleCase):
    """Seats: 3 is named, 4 moves to the free 9, 5 and 6 swap."""

    SEATS = test_classroom.SEATS
    after_login = test_classroom.ClassroomTest.__dict__["after_login"]
    admitted = test_classroom.ClassroomTest.admitted
    cell_centre = test_classroom.ClassroomTest.cell_centre
    open_menu = test_classroom.ClassroomTest.open_menu
    choose = test_classroom.ClassroomTest.choose

    def open_dialog(self, seat, item, title):
        """The seat's menu item at a 1-based position, chosen as a teacher does: a right click on
        the seat (which also makes it the target) and the keys."""
        self.choose(self.open_menu(seat), item)
        dialog = self.driver.wait_window(cls=DIALOG_CLASS, title=title, exact=True, pid=self.pid, timeout=20)
        self.addCleanup(self.close_left_open, dialog)
        return dialog

    def dismiss_box(self):
        box = self.driver.wait_window(cls=DIALOG_CLASS, title=BOX_TITLE, exact=True, pid=self.pid, timeout=20)
        self.driver.click(self.driver.find_child(box, id=OK_ID, timeout=10))
        self.driver.wait_gone(box, timeout=20)

    def test_a_name_is_checked_stored_and_told_to_the_student(self):
        student = self.admitted(3)
        dialog = self.open_dialog(3, MENU_SET_NAME, NAME_TITLE)
        edit = self.driver.find_child(dialog, id=NAME_EDIT, timeout=10)
        for refused in ("kim,lee", "x" * 21, ""):
            self.driver.set_text(edit, refused)
            self.driver.click(self.driver.find_child(dialog, id=NAME_OK, timeout=10))
            self.dismiss_box()
            self.assertTrue(self.driver.exists(dialog), refused)
        self.driver.enter_text(edit, "\uae40\ubbfc\uc218")     # 김민수
        self.driver.click(self.driver.find_child(dialog, id=NAME_OK, timeout=10))
        self.driver.wait_gone(dialog, timeout=20)
        student.wait_text("[KW00009]\uae40\ubbfc\uc218", timeout=30)
        self.assertFalse([c for c in student.commands if c.startswith("[KW00009]") and "kim" in c])
        names = wait_until(lambda: read_ini(self.folder.path / "config.ini").get("PCNAME-"), timeout=20)
        self.assertEqual(names["3"], "\uae40\ubbfc\uc218")

    def test_the_class_list_edits_a_name_in_place_and_tells_that_student(self):
        student = self.first                                 # seat 1: the list's first row
        # What the toolbar's names button sends the view.
        self.driver.post(self.view, test_classroom.WM_COMMAND, TOOLBAR_NAMES)
        dialog = self.driver.wait_window(cls=DIALOG_CLASS, title=NAME_TITLE, exact=True, pid=self.pid, timeout=20)
        self.addCleanup(self.close_left_open, dialog)
        names = self.driver.find_child(dialog, id=NAMES_LIST, timeout=10)
        client = self.driver.rect(names)["client"]
        self.driver.double_click(names, x=(client[2] - client[0]) * 3 // 4, y=11)
        edit = self.driver.find_child(dialog, id=NAMES_EDIT, visible=True, timeout=10)
        self.driver.enter_text(edit, "a/b")
        self.driver.press_key(edit, VK_RETURN)
        self.dismiss_box()
        self.driver.enter_text(edit, "\ubc15\uc9c0\uc131")   # 박지성
        self.driver.press_key(edit, VK_RETURN)
        wait_until(lambda: not self.driver.state(edit)["window"].get("visible"), timeout=20)
        self.driver.click(self.driver.find_child(dialog, id=NAMES_OK, timeout=10))
        self.driver.wait_gone(dialog, timeout=20)
        student.wait_text("[KW00009]\ubc15\uc9c0\uc131", timeout=30)
        self.assertFalse([c for c in student.commands if c == "[KW00009]a/b"])
        names = wait_until(lambda: read_ini(self.folder.path / "config.ini").get("PCNAME-"), timeout=20)
        self.assertEqual(names["1"], "\ubc15\uc9c0\uc131")

    def close_left_open(self, dialog):
        """A failed step leaves no box or dialog behind to hold the console modal for the next test.
        Cleanup, not a gesture under test: the buttons are pressed without the mouse."""
        for title in (BOX_TITLE, MOVE_ASK_TITLE, SWAP_ASK_TITLE):
            for box in self.driver.windows(cls=DIALOG_CLASS, title=title, exact=True, pid=self.pid, visible=True):
                for button in (NO_ID, OK_ID):
                    found = self.driver.command("find", parent=box["hwnd"], id=button)
                    if found.get("ok"):
                        self.driver.click(found["window"], real_input=False)
                        self.driver.wait_gone(box, timeout=20)
                        break
        if self.driver.exists(dialog):
            self.driver.close_window(dialog, wait=True)

    def wait_list_closed(self, combo):
        """The console handles a click after the driver sends it: the dropped list of the combo is
        still over the dialog until then, as it is before a user's eyes."""
        dropped = self.driver.windows(cls="ComboLBox", pid=self.pid, visible=True)
        for listbox in dropped:
            wait_until(lambda: not self.driver.state(listbox)["window"].get("visible"), timeout=20,
                       message=f"the list of combo {combo['hwnd']} stayed open")

    def change_seat(self, seat, mode, target, ask_title):
        dialog = self.open_dialog(seat, MENU_CHANGE_NUMBER, CHANGE_TITLE)
        # OK with no mode chosen is refused and the dialog stays.
        self.driver.click(self.driver.find_child(dialog, id=CHANGE_OK, timeout=10))
        self.dismiss_box()
        self.driver.click(self.driver.find_child(dialog, id=mode, timeout=10))
        combo = self.driver.find_child(dialog, id=MOVE_TARGET if mode == MOVE else SWAP_TARGET, timeout=10)
        # A drop-down list opened with a click picks the entry that starts with the typed
        # character, and Enter closes it on that entry; no other seat number here starts with
        # the target's digit.
        self.driver.click(combo)
        self.driver.type_text(combo, str(target))
        self.driver.press_key(combo, VK_RETURN)
        self.wait_list_closed(combo)
        self.driver.click(self.driver.find_child(dialog, id=CHANGE_OK, timeout=10))
        box = self.driver.wait_window(cls=DIALOG_CLASS, title=ask_title, exact=True, pid=self.pid, timeout=20)
        self.driver.click(self.driver.find_child(box, id=YES_ID, timeout=10))
        self.driver.wait_gone(dialog, timeout=20)

    def test_a_move_and_a_swap_tell_each_student_its_new_seat(self):
        mover = self.admitted(4)
        self.change_seat(4, MOVE, 9, MOVE_ASK_TITLE)
        mover.wait_text("[KW00093]9", timeout=30)
        mover.wait_text("[KW10001]KW_END", timeout=30)
        # Until the student is back under its new number no other change is taken.
        self.admitted(9)

        left, right = self.admitted(5), self.admitted(6)
        self.change_seat(5, SWAP, 6, SWAP_ASK_TITLE)
        left.wait_text("[KW00093]6", timeout=30)
        right.wait_text("[KW00093]5", timeout=30)
        for student in (left, right):
            student.wait_text("[KW10001]KW_END", timeout=30)
        self.admitted(6)
        self.admitted(5)


if __name__ == "__main__":
    unittest.main()
