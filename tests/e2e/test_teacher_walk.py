"""A lesson as the teacher sees and clicks it, under Wine: every gesture is real input at a screen
point, and every window the teacher uses must be what the X screen shows there. The teacher logs
in and finds the toolbar, double-clicks a student into a remote view and closes it with its
control bar, picks a student at random and starts a speed quiz, draws over the screen and saves
it, and runs a program on a group past the boxes its dialog asks."""

import os
import sys
import unittest
from pathlib import Path

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from PIL import Image  # noqa: E402

from console_case import ConsoleCase  # noqa: E402
from harness import save_artifact, wait_until  # noqa: E402
from remote_student import RemoteStudent  # noqa: E402
from test_classroom import write_group_file  # noqa: E402
from test_login import BOX_TITLE, DIALOG_CLASS, OK_ID  # noqa: E402

# The teacher toolbar's class panel.
COLLECT_VIEW, PEN_TOOL, QUIZ = 1205, 1197, 1221
# The remote view's control bar.
BAR_CLOSE = 1004
# The quiz panel.
SPEED, CAPTION_CLOSE = 1701, 1628
# The pen toolbar.
PEN_TITLE, TOUCH, PEN, SAVE = 1022, 1520, 1521, 1538
# The frame's group buttons and the group execute dialog.
TAB_STRIP, RUN_ON_GROUP = 154, 153
RUN_PATH, RUN, EXECUTE_CLOSE = 1132, 1113, 1134
EXECUTE_TITLE = "\uadf8\ub8f9 \uc2e4\ud589 (Windows \uc804\uc6a9)"       # "그룹 실행 (Windows 전용)"
BM_GETCHECK = 0x00F0
SCREEN = (640, 480)
GROUP_SEATS = (3,)


def inside(rect, x, y):
    return rect[0] <= x < rect[2] and rect[1] <= y < rect[3]


class TeacherWalkTest(ConsoleCase):
    """Seats 2 and 3 are in class; the group "Science" is seat 3. The steps run in their order,
    each leaving the console as it found it."""

    SEATS = 8
    STUDENT = RemoteStudent

    @classmethod
    def prepare_folder(cls):
        cls.folder.configure()
        write_group_file(cls.folder.path / "groupinfo.ini", "Science", ",3,", "1,2,3,4")

    @classmethod
    def after_login(cls):
        cls.class_ = [cls.wait_admitted(seat, served=True, screen=SCREEN) for seat in (2, 3)]
        for student in cls.class_:
            student.wait_packet(10, timeout=30)      # the console has the screen format
        cls.toolbar = wait_until(lambda: cls.dialog_with(COLLECT_VIEW), timeout=60,
                                 message="the teacher toolbar never showed")

    @classmethod
    def dialog_with(cls, control):
        """The console's visible dialog that has the control."""
        for window in cls.driver.windows(cls=DIALOG_CLASS, pid=cls.pid, visible=True):
            if cls.driver.command("find", parent=window["hwnd"], id=control).get("ok"):
                return window
        return None

    def wait_dialog_with(self, control, timeout=30):
        return wait_until(lambda: self.dialog_with(control), timeout=timeout,
                          message=f"no window with control {control} showed")

    def press(self, dialog, control):
        self.driver.click(self.driver.find_child(dialog, id=control, visible=True, timeout=20))

    def wait_toolbar_shown(self):
        wait_until(lambda: self.driver.shown(self.toolbar), timeout=30, message="the toolbar did not come back")

    def close_leftover(self, window):
        """What a failed step left open is closed for the next step (no teacher gesture: the
        step's own gesture is what failed)."""
        if self.driver.shown(window):
            self.driver.close_window(window)
            wait_until(lambda: not self.driver.shown(window), timeout=30, message="a window of the step stayed")

    def marks(self):
        return [len(student.journal.items()) for student in self.class_]

    # --- The walk ---------------------------------------------------------------------------

    def test_1_the_toolbar_is_on_the_screen_after_login(self):
        rect = self.driver.rect(self.toolbar)["rect"]
        aimed = self.driver.aim(self.toolbar)      # under its middle for Wine and for the X server
        self.assertTrue(inside(rect, aimed["x"], aimed["y"]))
        # Drawn there: its buttons, not one flat colour. A window just mapped on X shows its
        # background until the program has painted it, as a user's screen does for a moment.
        wait_until(lambda: len(self.driver.x_screen.grab(tuple(rect)).colours(step=3)) > 8, timeout=10,
                   message="the toolbar's place on the X screen stayed one flat colour")

    def test_2_a_double_click_opens_the_remote_view_and_its_bar_closes_it(self):
        student = self.class_[0]
        toolbar_rect = self.driver.rect(self.toolbar)["rect"]
        mark = len(student.journal.items())
        self.driver.double_click(self.view, *self.cell_centre(student.seat))
        student.wait_text("[KW00004]1,", timeout=30, start=mark)
        student.wait_acknowledged(1)
        window = self.driver.wait_window(title=f"{student.seat}: ", pid=self.pid, timeout=30)
        self.addCleanup(self.close_leftover, window)
        bar = self.wait_dialog_with(BAR_CLOSE)
        close = self.driver.find_child(bar, id=BAR_CLOSE, visible=True, timeout=10)
        self.driver.aim(close)
        # Where the toolbar was the teacher reaches the student's screen: nothing of the toolbar
        # is left over the full-screen view.
        origin = self.driver.rect(window)["client"][:2]
        middle = ((toolbar_rect[0] + toolbar_rect[2]) // 2, (toolbar_rect[1] + toolbar_rect[3]) // 2)
        self.driver.aim(window, middle[0] - origin[0], middle[1] - origin[1])
        self.driver.click(close)
        self.driver.wait_gone(window, timeout=30)
        student.wait_text("[KW00003]", timeout=30, start=mark)
        self.wait_toolbar_shown()

    def test_3_a_random_pick_then_the_speed_quiz_reaches_the_class(self):
        marks = self.marks()
        self.press(self.toolbar, QUIZ)
        panel = self.wait_dialog_with(SPEED)
        self.addCleanup(self.close_leftover, panel)
        wait_until(lambda: any("[KW00400]" in entry.text for student, mark in zip(self.class_, marks)
                               for entry in student.journal.items()[mark:] if entry.text), timeout=60,
                   message="no student was picked")
        wait_until(lambda: self.driver.state(panel)["window"]["enabled"], timeout=30,
                   message="the quiz panel stayed disabled after the pick")
        marks = self.marks()
        self.press(panel, SPEED)
        for student, mark in zip(self.class_, marks):
            student.wait_text("[KW00401]", timeout=30, start=mark)
        speed = self.driver.find_child(panel, id=SPEED, timeout=10)
        wait_until(lambda: self.driver.send(speed, BM_GETCHECK) == 1, timeout=30)
        self.press(panel, SPEED)
        wait_until(lambda: self.driver.send(speed, BM_GETCHECK) == 0, timeout=30)
        self.press(panel, CAPTION_CLOSE)
        wait_until(lambda: not self.driver.shown(panel), timeout=30, message="the quiz panel stayed")

    def test_4_strokes_over_the_screen_are_saved_as_the_teacher_saw_them(self):
        folders = [desktop / "NoteSave" for desktop in (Path(self.env.prefix) / "drive_c" / "users").glob("*/Desktop")]
        before = {p for folder in folders if folder.is_dir() for p in folder.glob("*.jpg")}
        self.press(self.toolbar, PEN_TOOL)
        pen = self.wait_dialog_with(PEN_TITLE, timeout=60)
        self.press(pen, PEN)
        width, height = self.driver.x_screen.size

        def surface():
            return next((w for w in self.driver.windows(pid=self.pid, title="", exact=True, visible=True)
                         if w["class"] != DIALOG_CLASS and w["rect"][1] <= 0 and w["rect"][3] >= height), None)
        drawing = wait_until(surface, timeout=30, message="no drawing surface")
        # A borderless surface covering the screen: its client area is the screen.
        self.assertEqual(self.driver.rect(drawing)["client"], [0, 0, width, height])
        wait_until(lambda: self.driver.state(pen)["window"]["enabled"], timeout=30,
                   message="the pen toolbar stayed disabled")
        pen_rect = self.driver.rect(pen)["rect"]
        stroke = [(width // 2 - 200 + step * 40, height // 2) for step in range(11)]
        self.driver.drag(drawing, stroke)
        seen = self.driver.x_screen.grab()
        self.press(pen, SAVE)

        def saved():
            fresh = {p for folder in folders if folder.is_dir() for p in folder.glob("*.jpg")} - before
            return fresh if fresh and all(p.stat().st_size for p in fresh) else None
        path = wait_until(saved, timeout=60, message="no picture was saved").pop()
        self.addCleanup(path.unlink, missing_ok=True)
        save_artifact(f"walk-{path.name}", path)
        picture = wait_until(lambda: self.readable(path), timeout=30, message=f"{path} cannot be read")
        self.assertEqual(picture.size, (width, height))
        # The picture is what the teacher saw, the top rows too (a caption would be there).
        points = [(x, y) for y in list(range(2, 40, 4)) + list(range(60, height, 37)) for x in range(3, width, 29)
                  if not inside(pen_rect, x, y) and abs(y - height // 2) > 12]
        differences = [sum(abs(a - b) for a, b in zip(picture.getpixel(p), seen.pixel(*p))) for p in points]
        top = [d for p, d in zip(points, differences) if p[1] < 40]
        self.assertLess(sum(top) / len(top), 24)
        self.assertLess(sum(differences) / len(differences), 24)
        wait_until(lambda: self.driver.state(pen)["window"]["enabled"], timeout=30,
                   message="the pen toolbar stayed disabled after the save")
        self.press(pen, TOUCH)
        self.driver.wait_gone(drawing, timeout=30)
        self.press(pen, CAPTION_CLOSE)
        wait_until(lambda: not self.driver.shown(pen), timeout=30, message="the pen toolbar stayed")

    @staticmethod
    def readable(path):
        try:
            with Image.open(path) as picture:
                return picture.convert("RGB")
        except (OSError, SyntaxError):
            return None

    def test_5_the_group_execute_dialog_stays_in_front_past_its_boxes(self):
        member = self.class_[1]
        strip = self.driver.find_child(self.frame, id=TAB_STRIP, timeout=10)
        client = self.driver.rect(strip)["client"]
        dialog = None
        for x in range(30, client[2] - client[0], 12):
            mark = len(member.journal.items())
            self.driver.click(strip, x=x, y=(client[3] - client[1]) // 2)
            try:
                member.wait_text("[KW00008]1,2,3,4", timeout=1.5, start=mark)
            except Exception:
                continue
            self.press(self.frame, RUN_ON_GROUP)
            dialog = self.driver.wait_window(cls=DIALOG_CLASS, title=EXECUTE_TITLE, exact=True, pid=self.pid,
                                             timeout=30)
            break
        self.assertIsNotNone(dialog, "no tab of the strip showed the group")
        path = self.driver.find_child(dialog, id=RUN_PATH, timeout=10)
        mark = len(member.journal.items())
        self.driver.enter_text(path, "C:\\Apps\\a,b.exe")          # refused: a box
        self.press(dialog, RUN)
        self.answer_box()
        # Still in front after its box: the teacher's next click reaches it.
        self.driver.enter_text(path, "C:\\Apps\\quiz.exe")
        self.press(dialog, RUN)
        self.answer_box()
        run = member.wait_text("[KW00084]", timeout=30, start=mark)
        self.assertTrue(run.text.endswith(",C:\\Apps\\quiz.exe,"), run.text)
        self.press(dialog, EXECUTE_CLOSE)
        self.driver.wait_gone(dialog, timeout=20)

    def answer_box(self):
        box = self.driver.wait_window(cls=DIALOG_CLASS, title=BOX_TITLE, exact=True, pid=self.pid, timeout=20)
        self.press(box, OK_ID)
        self.driver.wait_gone(box, timeout=20)


if __name__ == "__main__":
    unittest.main()
