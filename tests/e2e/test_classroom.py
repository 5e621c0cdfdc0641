"""The teacher acting on the class, under Wine: one console, logged in at a simulated login
server, with simulated students in some of its seats. The teacher clicks, Ctrl-clicks, right-clicks
and double-clicks the grid, answers the boxes the console asks, resizes it, picks a group and
drives its settings dialogs; the tests check what each student received, and what an offline seat
or a student outside the action did not."""

import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from console_case import ConsoleCase  # noqa: E402
from harness import artifact_path, wait_until  # noqa: E402
from live_student import LiveStudentAgent  # noqa: E402
from test_login import DIALOG_CLASS, YES_ID  # noqa: E402

SEATS = 20
PER_ROW = 8
MENU_CLASS = "#32768"
WM_COMMAND = 0x0111
VK_DOWN, VK_RETURN = 0x28, 0x0D
WM_SYSCOMMAND, SC_RESTORE, SC_MAXIMIZE = 0x0112, 0xF120, 0xF030
ID_RESTART = 32788
ID_GRID_LAYOUT, ID_MONITOR_SETTINGS, ID_SETTINGS = 1212, 1213, 1216
EM_GETSEL, BM_GETCHECK = 0x00B0, 0x00F0
BOX_TITLE = "Lumora Teacher"
TAB_STRIP = 154
GROUP_RECT = "1,2,3,4"


class ClassroomTest(ConsoleCase):
    """Each test uses seats of its own (see the numbers); seat 16 stays offline throughout."""

    SEATS = SEATS

    @classmethod
    def prepare_folder(cls):
        cls.folder.configure(etcprogramlist="notepad.exe,Settings,Play Store")
        write_group_file(cls.folder.path / "groupinfo.ini", "Reading", ",10,11,", GROUP_RECT)

    @classmethod
    def after_login(cls):
        cls.first = cls.wait_admitted(1)

    def admitted(self, seat, **options):
        agent = self.STUDENT("127.0.0.1", self.port, seat=seat, **options).start()
        self.students.append(agent)
        agent.wait_admitted(timeout=60)
        # Serving: the restriction batch has arrived.
        agent.wait_text("[KW00075]", timeout=30)
        return agent

    # --- Driving the grid -------------------------------------------------------------------

    def click(self, seat, ctrl=False):
        self.driver.click(self.view, *self.cell_centre(seat), ctrl=ctrl)

    def open_menu(self, seat):
        self.driver.right_click(self.view, *self.cell_centre(seat))
        return self.driver.wait_window(cls=MENU_CLASS, pid=self.pid, timeout=20)

    def choose(self, menu, position):
        """Chooses the item at a 1-based position with the keyboard, as a teacher may."""
        for _ in range(position):
            self.driver.press_key(menu, VK_DOWN)
        self.driver.press_key(menu, VK_RETURN)
        self.driver.wait_gone(menu, timeout=20)

    def dialog_with(self, control, timeout=30):
        """The visible dialog of the console that has the control (the toolbar is one too)."""
        def shown():
            for window in self.driver.windows(cls=DIALOG_CLASS, pid=self.pid, visible=True):
                if self.driver.command("find", parent=window["hwnd"], id=control, visible=True).get("ok"):
                    return window
            return None
        return wait_until(shown, timeout=timeout, message=f"no dialog with control {control} showed")

    def answer_yes(self):
        box = self.dialog_with(YES_ID)
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

    def test_double_click_asks_the_halved_screen_and_the_connection_comes_back_after_the_session(self):
        wide = self.admitted(2, screen=(1920, 1080))
        wide.wait_packet(10, timeout=30)             # the console has its screen format
        self.driver.double_click(self.view, *self.cell_centre(16))     # an offline seat: nothing
        self.driver.double_click(self.view, *self.cell_centre(2))
        asked = wide.wait_text("[KW00004]", timeout=30)
        self.assertEqual(asked.text, "[KW00004]1,120,135")
        # A remote session takes the connection; when it is closed the student's thread serves
        # the connection again, so the student is never left without one.
        session = self.driver.wait_window(title="2: ", pid=self.pid, timeout=30)
        mark = len(wide.journal.items())
        self.driver.close_window(session)
        wide.wait_text("[KW00003]", timeout=30, start=mark)
        self.assert_still_served(wide)

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
        self.driver.right_click(self.view, *self.cell_centre(16))
        self.assert_still_served(pc)
        self.assertFalse(self.driver.windows(cls=MENU_CLASS, pid=self.pid, visible=True))

    def test_restart_of_a_multi_selection_reaches_the_target_and_each_selected_student(self):
        target, chosen, other = self.admitted(5), self.admitted(6), self.admitted(7)
        self.click(5)
        self.click(6, ctrl=True)
        self.click(5, ctrl=True)                     # the focused slot marked, then toggled off
        self.driver.let_input_through()
        self.driver.post(self.view, WM_COMMAND, ID_RESTART)
        self.answer_yes()
        chosen.wait_text("[KW00100]1", timeout=30)
        target.wait_text("[KW00100]1", timeout=30)
        self.assert_still_served(other)
        self.assertEqual(self.count(other, "[KW00100]1"), 0)
        self.assertEqual(self.count(target, "[KW00100]1"), 1)
        # A plain click ends the multi-selection: the target alone.
        self.click(7)
        self.driver.let_input_through()
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


    # --- The class as scripts/run shows it ---------------------------------------------------

    def test_a_live_student_thumbnail_ticks_in_its_slot(self):
        live = LiveStudentAgent("127.0.0.1", self.port, seat=18).start()
        self.students.append(live)
        live.wait_admitted(timeout=60)
        client = self.driver.rect(self.view)["client"]
        cell = (client[2] - client[0] - 40) // PER_ROW
        picture_height = (cell - 2) * 3 // 4
        x0, y0 = (18 - 1) % PER_ROW * cell, (18 - 1) // PER_ROW * (picture_height + 2)
        box = (x0 + 8, y0 + 3, x0 + cell + 2, y0 + picture_height - 1)   # the whole picture

        def picture(name):
            bitmap = self.driver.capture(artifact_path(name), self.view, client=True, settle=0.5)["bitmap"]
            return [bitmap.pixel(px, py) for py in range(box[1], box[3], 3) for px in range(box[0], box[2], 3)]

        # The desktop shows (not the empty-seat picture), and its clock moves on.
        first = wait_until(lambda: (lambda p: p if len(set(p)) > 20 else None)(picture("live-1.bmp")),
                           timeout=60, interval=1.0, message="the live thumbnail never showed")
        wait_until(lambda: picture("live-2.bmp") != first, timeout=30, interval=1.0,
                   message="the live thumbnail did not change")

    # --- Groups ----------------------------------------------------------------------------

    def test_picking_a_group_tab_tells_only_its_members_the_group_region(self):
        member, fellow, outsider = self.admitted(10), self.admitted(11), self.admitted(12)
        strip = self.driver.find_child(self.frame, id=TAB_STRIP, timeout=10)
        wanted = "[KW00008]" + GROUP_RECT
        self.click_tab_until(strip, lambda: wanted in member.commands)
        fellow.wait_text(wanted, timeout=30)
        self.assert_still_served(outsider)
        self.assertNotIn(wanted, outsider.commands)
        # The whole class again (the first tab): each student its own region.
        mark = len(outsider.commands)
        self.click_tab_until(strip, lambda: "[KW00008]0,0,0,0" in outsider.commands[mark:])

    def click_tab_until(self, strip, done):
        """Clicks along the tab strip, as a teacher looking for a tab, until done() holds."""
        client = self.driver.rect(strip)["client"]
        for x in range(8, client[2] - client[0], 12):
            self.driver.click(strip, x=x, y=(client[3] - client[1]) // 2)
            try:
                wait_until(done, timeout=1.5)
                return
            except TimeoutError:
                continue
        self.fail("no tab of the strip did it")

    # --- The settings dialogs --------------------------------------------------------------

    def open_dialog(self, command, control):
        """The dialog a toolbar command opens, found by one of its controls."""
        self.driver.post(self.view, WM_COMMAND, command)
        return self.dialog_with(control)

    def set_field(self, dialog, control, text):
        # Set, not typed: these dialogs hold the focus in a refused field, and the scenarios
        # check each field's refusal one by one.
        self.driver.set_text(self.driver.find_child(dialog, id=control, timeout=10), text)

    def answer_box(self, containing=None):
        """Answers the message box OK and returns the texts it showed (the framework's box has
        its text in a control; the console's own box paints it)."""
        box = self.driver.wait_window(cls=DIALOG_CLASS, title=BOX_TITLE, exact=True, pid=self.pid, timeout=20)
        texts = [self.driver.get_text(child) for child in self.driver.windows(parent=box)]
        if containing:
            self.assertTrue(any(containing in text for text in texts), texts)
        self.driver.click(self.driver.find_child(box, id=1, timeout=10))
        self.driver.wait_gone(box, timeout=20)
        return texts

    def assert_refused_at(self, dialog, control):
        """The refused field has the focus back, its text selected for correcting."""
        edit = self.driver.find_child(dialog, id=control, timeout=10)
        selection = self.driver.send(edit, EM_GETSEL)
        self.assertEqual(selection & 0xFFFF, 0)
        self.assertEqual(selection >> 16, len(self.driver.get_text(edit)))

    def test_settings_dialog_applies_every_restriction_to_every_connected_student(self):
        students = [self.admitted(13), self.admitted(14, edition="pad")]
        marks = [len(student.journal.items()) for student in students]
        dialog = self.open_dialog(ID_SETTINGS, 1097)
        web = self.driver.find_child(dialog, id=1091, timeout=10)                   # web browsers
        # The restrictions are the teacher's settings, kept from an earlier run of the console.
        was_on = self.driver.send(web, BM_GETCHECK) == 1
        self.driver.click(web)
        wait_until(lambda: (self.driver.send(web, BM_GETCHECK) == 1) != was_on, timeout=10,
                   message="the toggle did not change")
        self.set_field(dialog, 1097, "a,b.exe")
        self.driver.click(self.driver.find_child(dialog, id=1040, timeout=10))
        self.answer_box()                            # refused: it would be two names
        self.assert_refused_at(dialog, 1097)
        self.set_field(dialog, 1097, "NOTEPAD.EXE")
        self.driver.click(self.driver.find_child(dialog, id=1040, timeout=10))
        self.answer_box()
        self.set_field(dialog, 1097, "  calc.exe ")
        self.driver.click(self.driver.find_child(dialog, id=1040, timeout=10))
        self.driver.click(self.driver.find_child(dialog, id=1096, timeout=10))     # apply
        self.answer_box()
        expected = ["[KW00052]false", "[KW00061]" + ("false" if was_on else "true"), "[KW00097]false",
                    "[KW00074]false",
                    "[KW00075]calc.exe,notepad.exe,Play Store,Settings,com.android.settings,"
                    "com.google.android.packageinstaller,com.android.vending"]
        for student, mark in zip(students, marks):
            texts = [student.wait_text(text, timeout=30, start=mark).text for text in expected]
            self.assertEqual(texts, expected)
        self.driver.click(self.driver.find_child(dialog, id=1628, timeout=10))     # close
        self.driver.wait_gone(dialog, timeout=20)
        stored = (self.folder.path / "config.ini").read_bytes().decode("utf-16")
        self.assertIn("calc.exe,notepad.exe,Play Store,Settings", stored)

    def test_monitoring_dialog_checks_the_period_and_sends_quality_period_and_capture(self):
        student = self.admitted(15)
        mark = len(student.journal.items())
        dialog = self.open_dialog(ID_MONITOR_SETTINGS, 1045)
        for refused in ("99", "9001"):
            self.set_field(dialog, 1045, refused)
            self.driver.click(self.driver.find_child(dialog, id=1, timeout=10))
            self.answer_box(containing="9000")
            self.assert_refused_at(dialog, 1045)
        self.set_field(dialog, 1045, "9000")
        self.driver.click(self.driver.find_child(dialog, id=1, timeout=10))
        self.driver.wait_gone(dialog, timeout=20)
        # The quality it was opened with, the new period, the capture flag unchanged.
        for text in ("[KW00014]40", "[KW00006]9000", "[KW00071]true"):
            student.wait_text(text, timeout=30, start=mark)

    def test_layout_dialog_checks_its_ranges_and_ratio_then_lays_the_grid_out_anew(self):
        student = self.admitted(17)
        dialog = self.open_dialog(ID_GRID_LAYOUT, 1041)
        self.set_field(dialog, 1041, "21")
        self.driver.click(self.driver.find_child(dialog, id=1, timeout=10))
        self.answer_box(containing="20")
        self.assert_refused_at(dialog, 1041)
        self.set_field(dialog, 1041, "10")
        self.set_field(dialog, 1042, "400")
        self.set_field(dialog, 1043, "199")
        self.driver.click(self.driver.find_child(dialog, id=1, timeout=10))
        self.answer_box()
        self.assert_refused_at(dialog, 1042)
        self.set_field(dialog, 1043, "300")
        mark = len(student.journal.items())
        self.driver.click(self.driver.find_child(dialog, id=1, timeout=10))
        self.driver.wait_gone(dialog, timeout=20)
        width, height = map(int, student.wait_text("[KW00003]", timeout=30, start=mark).text[9:].split(","))
        client = self.driver.rect(self.view)["client"]
        cell = (client[2] - client[0] - 40) // 10
        self.assertEqual((width, height), (cell - 5, (cell - 2) * 300 // 400 - 3))
        # Back to the layout the other tests assume.
        dialog = self.open_dialog(ID_GRID_LAYOUT, 1041)
        for control, value in ((1041, "8"), (1042, "4"), (1043, "3")):
            self.set_field(dialog, control, value)
        self.driver.click(self.driver.find_child(dialog, id=1, timeout=10))
        self.driver.wait_gone(dialog, timeout=20)


def write_group_file(path, name, members, rect):
    """The group file as the console keeps it: UTF-16LE with a byte-order mark."""
    lines = ["[default]", f"grouplist={name}", f"[{name}]", f"slot={members}", f"partrect={rect}", "perrow= "]
    path.write_bytes(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


if __name__ == "__main__":
    unittest.main()
