"""Group tabs and the collect view under Wine, with real clicks: switching tabs tells every connected
student of the list shown its thumbnail size, also when the size stayed the same; and a collect
view whose picked students include one that left meanwhile opens with the others at once. The
students are simulated (tests/peers/remote_student.py)."""

import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from console_case import ConsoleCase  # noqa: E402
from harness import artifact_path, colour_close, wait_until  # noqa: E402
from remote_student import RemoteStudent  # noqa: E402
from test_classroom import TAB_STRIP, write_group_file  # noqa: E402
from test_login import DIALOG_CLASS  # noqa: E402

COLLECT_VIEW = 1205
BM_GETCHECK = 0x00F0
GROUP_RECT = "5,6,7,8"
THUMBNAIL_COLOUR = (255, 0, 255)
SCREEN = (640, 480)
JPEG_TOLERANCE = 40


class TabsAndCollectViewTest(ConsoleCase):
    SEATS = 8
    STUDENT = RemoteStudent

    @classmethod
    def prepare_folder(cls):
        # A group without a layout of its own: it is shown with the class layout, so its
        # thumbnails have the class's size.
        write_group_file(cls.folder.path / "groupinfo.ini", "Reading", ",1,", GROUP_RECT)

    @classmethod
    def after_login(cls):
        cls.toolbar = wait_until(cls.find_toolbar, timeout=60, message="the teacher toolbar never showed")

    @classmethod
    def find_toolbar(cls):
        for window in cls.driver.windows(cls=DIALOG_CLASS, pid=cls.pid, visible=True):
            if cls.driver.windows(parent=window, id=COLLECT_VIEW):
                return window
        return None

    def admitted(self, seat, **options):
        agent = self.wait_admitted(seat, served=True, colour=THUMBNAIL_COLOUR, thumbnail_interval=0.5,
                                   screen=SCREEN, **options)
        agent.wait_packet(10, timeout=30)   # the console has the screen format
        return agent

    # --- The teacher's hands -------------------------------------------------------------------

    def press_collect_view(self, picking):
        """The toolbar's collect view button; picking: the students are to be picked now (the
        button shows it checked) or the picking ends."""
        button = self.driver.find_child(self.toolbar, id=COLLECT_VIEW, visible=True, timeout=20)
        self.driver.click(button, real_input=True)
        wait_until(lambda: (self.driver.send(button, BM_GETCHECK) == 1) == picking, timeout=20,
                   message="the collect view button did not take the press")

    def click_seat(self, seat):
        x, y = self.cell_centre(seat)
        self.driver.click(self.view, x=x, y=y, real_input=True)

    def click_tab_until(self, done, from_right=False):
        """Clicks along the tab strip, as a teacher looking for a tab, until done() holds."""
        strip = self.driver.find_child(self.frame, id=TAB_STRIP, timeout=10)
        client = self.driver.rect(strip)["client"]
        points = range(8, client[2] - client[0], 12)
        for x in (reversed(points) if from_right else points):
            self.driver.click(strip, x=x, y=(client[3] - client[1]) // 2, real_input=True)
            try:
                wait_until(done, timeout=1.5)
                return
            except TimeoutError:
                continue
        self.fail("no tab of the strip did it")

    def cell_shows_thumbnail(self, seat):
        picture = self.driver.capture(artifact_path(f"collect-seat-{seat}.bmp"), window=self.view, client=True,
                                      settle=0.2)["bitmap"]
        return colour_close(picture.pixel(*self.cell_centre(seat)), THUMBNAIL_COLOUR, JPEG_TOLERANCE)

    # --- Scenarios -----------------------------------------------------------------------------

    def test_a_every_tab_switch_tells_the_shown_students_their_thumbnail_size(self):
        member, outsider = self.admitted(1), self.admitted(2)
        size = member.thumbnail_size
        marks = [len(member.journal.items()), len(outsider.journal.items())]
        # The group's tab: its member is told the group's region and its thumbnail size, the
        # same as before.
        self.click_tab_until(lambda: "[KW00008]" + GROUP_RECT in member.commands, from_right=True)
        told = member.wait_text("[KW00003]", start=marks[0], timeout=30)
        self.assertEqual(told.text, f"[KW00003]{size[0]},{size[1]}")
        self.assertFalse([t for t in outsider.texts[marks[1]:] if t.startswith("[KW00003]")])
        # Back to the whole class: every connected student is told the size.
        marks = [len(member.journal.items()), len(outsider.journal.items())]
        self.click_tab_until(lambda: "[KW00008]0,0,0,0" in outsider.commands[marks[1]:])
        for student, mark in zip((member, outsider), marks):
            told = student.wait_text("[KW00003]", start=mark, timeout=30)
            self.assertEqual(told.text, f"[KW00003]{size[0]},{size[1]}")

    def test_b_a_picked_student_that_left_does_not_hold_the_collect_view_back(self):
        staying = [self.admitted(seat, pattern=seat) for seat in (4, 5)]
        leaving = self.admitted(6, pattern=6)
        wait_until(lambda: all(self.cell_shows_thumbnail(s.seat) for s in staying + [leaving]), timeout=30,
                   message="the thumbnails never showed")
        self.press_collect_view(picking=True)
        for student in staying + [leaving]:
            self.click_seat(student.seat)
        # The third pick leaves before the teacher ends the picking.
        leaving.stop()
        wait_until(lambda: not self.cell_shows_thumbnail(leaving.seat), timeout=30,
                   message="the seat of the student that left still shows its thumbnail")
        marks = [len(s.journal.items()) for s in staying]
        self.press_collect_view(picking=False)
        for student, mark in zip(staying, marks):
            student.wait_text("[KW00004]3,1024,768", timeout=30, start=mark)
        # The two that are there are shown together (waiting for the third, the window would
        # never open).
        window = self.driver.wait_window(title=f"{staying[0].seat}: ", pid=self.pid, timeout=30)
        for student in staying:
            student.wait_acknowledged(1)
        marks = [len(s.journal.items()) for s in staying]
        self.driver.close_window(window)
        self.driver.wait_gone(window, timeout=30)
        for student, mark in zip(staying, marks):
            student.wait_text("[KW00003]", timeout=30, start=mark)
            student.wait_text("[KW00005]", timeout=30, start=mark)


if __name__ == "__main__":
    unittest.main()
