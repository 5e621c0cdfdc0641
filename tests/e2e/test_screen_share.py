"""Sharing the teacher's screen with the class, under Wine: the console, logged in at a simulated
login server, shares a known pattern on the Xvfb screen with simulated students
(tests/peers/share_student.py) that rebuild it from the tile blocks; the teacher works the
toolbar's buttons."""

import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from console_case import ConsoleCase  # noqa: E402
from harness import start_program, wait_until  # noqa: E402
from share_student import ShareStudent  # noqa: E402
from test_login import DIALOG_CLASS  # noqa: E402

SEATS = 8
CANVAS = (1280, 720)
TILE = (40, 45)
COLUMNS, ROWS = 32, 16
# The pattern window's blocks (screen pixels) and colours.
BLOCK = (120, 135)
SHARE_BUTTON, CLASS_PANEL, STUDENT_PANEL, SETTINGS_PANEL, ROTATE = 1191, 1208, 1210, 1211, 1206
COLLECT_VIEW, MONITORING, PRESENTATION, FILE_TRANSFER, PEN_TOOL, QUIZ, INBOX = 1205, 1196, 1207, 1193, 1197, 1221, 1201
GRID_LAYOUT, MONITOR_SETTINGS, STUDENT_NAMES, SETTINGS, LOG, TOUCH_CONTROL = 1212, 1213, 1215, 1216, 6004, 1220
SHARE_FIELDS = {"canvas_width": 1185, "canvas_height": 1186, "quality": 1187}
MODE_FULL, MODE_WINDOW, FIT_STRETCH, FIT_CENTRE, APPLY = 1188, 1189, 1190, 1192, 1086
NOTICE_TEXT, QUIZ_SPEED, QUIZ_MESSAGE, CAPTION_CLOSE, PEN_TITLE, TRANSFER_STUDENTS = 1059, 1701, 1710, 1628, 1022, 1016
LOG_CLOSE = 1014
TRANSFER_TITLE = "\ud30c\uc77c \uc804\uc1a1"                                       # "파일 전송"
SHARING_REFUSED = "\ud654\uba74 \uacf5\uc720\uc911\uc785\ub2c8\ub2e4. \ud654\uba74\uacf5\uc720\ub97c \uc885\ub8cc \ud6c4 \uc2e4\ud589\ud558\uc138\uc694."
CLOSE_QUIZ_FIRST = "\ud034\uc988 \ucc3d\uc744 \ub2eb\uc740 \ud6c4 \ub20c\ub7ec\uc8fc\uc138\uc694."
JPEG_TOLERANCE = 24


def block_colour(column, row):
    return ((column * 53 + 40) % 256, (row * 71 + 30) % 256, ((column + row) * 37 + 90) % 256)


def close(a, b, tolerance=JPEG_TOLERANCE):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def rect_of(answer):
    r = answer["rect"]
    return r if isinstance(r, list) else [r["left"], r["top"], r["right"], r["bottom"]]


class ScreenShareTest(ConsoleCase):
    SEATS = SEATS
    STUDENT = ShareStudent

    @classmethod
    def prepare_folder(cls):
        cls.folder.configure(screensharebtnenable="true")

    @classmethod
    def after_login(cls):
        cls.toolbar = wait_until(cls.find_toolbar, timeout=60, message="the toolbar never showed")
        cls.pattern = start_program(cls.env.tool_path("share_pattern"), wine_env=cls.env)
        cls.stop_with_class(cls.pattern.stop)
        cls.pattern_window = cls.driver.wait_window(cls="LumoraSharePattern", timeout=60)

    @classmethod
    def find_toolbar(cls):
        for window in cls.driver.windows(cls=DIALOG_CLASS, pid=cls.frame["pid"], visible=True):
            if cls.driver.windows(parent=window, id=SHARE_BUTTON):
                return window
        return None

    def button(self, control_id):
        return self.driver.find_child(self.toolbar, id=control_id, timeout=10)

    def student(self, seat):
        student = ShareStudent("127.0.0.1", self.port, seat=seat, keepalive_interval=1).start()
        self.students.append(student)
        student.wait_admitted(timeout=60)
        return student

    def covered_tiles(self):
        """Tiles under the console's own top-most windows (toolbar, the sharing notice)."""
        covered = set()
        sx, sy = 1920 / CANVAS[0], 1080 / CANVAS[1]
        for window in self.driver.windows(pid=self.frame["pid"], visible=True):
            left, top, right, bottom = rect_of(self.driver.rect(window))
            if right - left >= 1900:
                continue        # the minimised frame's restore area, not on the screen
            for row in range(ROWS):
                for column in range(COLUMNS):
                    x0, y0 = column * TILE[0] * sx, row * TILE[1] * sy
                    if x0 < right + 10 and x0 + TILE[0] * sx > left - 10 and \
                            y0 < bottom + 10 and y0 + TILE[1] * sy > top - 10:
                        covered.add(row * COLUMNS + column)
        return covered

    def expected_colour(self, index, white=()):
        # A tile's inner half lies inside one pattern block (blocks are 2 x 2 tiles after scaling).
        column, row = index % COLUMNS, index // COLUMNS
        cx = int((column * TILE[0] + TILE[0] / 2) * 1.5) // BLOCK[0]
        cy = int((row * TILE[1] + TILE[1] / 2) * 1.5) // BLOCK[1]
        return (255, 255, 255) if (cx, cy) in white else block_colour(cx, cy)

    def assert_canvas_shows_pattern(self, student, white=()):
        covered = self.covered_tiles()
        wrong = [i for i in range(COLUMNS * ROWS)
                 if i not in covered and not close(student.tile_colour(i), self.expected_colour(i, white))]
        self.assertLess(len(covered), 80)
        self.assertEqual(wrong, [], f"tiles that differ from the screen at {student.label}")

    def test_sharing_the_screen_with_the_class(self):
        steady, lagging = self.student(6), self.student(7)
        self.driver.click(self.button(SHARE_BUTTON))
        for s in (steady, lagging):
            settings = s.wait_text("[KW00103]", timeout=30)
            self.assertEqual(settings.text, "[KW00103]1280,720,full,resize")
            start = s.wait_text("[KW00102]start", timeout=30)
            self.assertGreater(start.index if hasattr(start, "index") else 1, -1)
            texts = s.texts
            self.assertLess(texts.index("[KW00103]1280,720,full,resize"), texts.index("[KW00102]start"))
        # The first cycle sends every tile; the students rebuild the screen from the blocks.
        steady.wait_tiles(COLUMNS * ROWS, timeout=60)
        lagging.wait_tiles(COLUMNS * ROWS, timeout=60)
        time.sleep(0.5)     # let the console's own windows settle before they are excluded
        self.assertEqual(steady.errors, [])
        self.assert_canvas_shows_pattern(steady)

        # A still screen: only the full frame of every 30th cycle, with every tile. The teacher's
        # hand leaves the share button (whose tooltip would come and go on the screen).
        self.driver.rest_pointer(self.pattern_window, 40, 40)
        time.sleep(0.5)
        start = steady.block_count()
        time.sleep(6.5)
        still = steady.blocks_since(start)
        self.assertTrue(1 <= len(still) <= 4, f"{len(still)} blocks of a still screen")
        for block in still:
            self.assertEqual(len(block.indexes), COLUMNS * ROWS)

        # A changed rectangle sends only its tiles.
        start = steady.block_count()
        self.driver.post(self.pattern_window, 0x8000 + 1, 5, 3)
        steady.journal.wait_until(lambda: any(len(b.indexes) < COLUMNS * ROWS
                                              for b in steady.blocks_since(start)), 20, what="the changed tiles")
        changed = next(b for b in steady.blocks_since(start) if len(b.indexes) < COLUMNS * ROWS)
        # Block (5, 3) covers screen x 600..720, y 405..540: canvas 400..480, 270..360.
        expected = {r * COLUMNS + c for r in range(6, 8) for c in range(10, 12)}
        self.assertTrue(expected <= set(changed.indexes) <= {r * COLUMNS + c for r in range(5, 9)
                                                              for c in range(9, 13)}, changed.indexes)
        wait_until(lambda: all(close(steady.tile_colour(i), (255, 255, 255)) for i in expected), timeout=20)

        # A student that stops acknowledging is throttled; the other keeps its rate.
        lagging.acknowledging = False
        self.driver.post(self.pattern_window, 0x8000 + 1, 7, 4)
        lag_start, steady_start = lagging.block_count(), steady.block_count()
        for column in range(8):
            self.driver.post(self.pattern_window, 0x8000 + 1, column, 6)
            time.sleep(0.25)
        wait_until(lambda: steady.block_count() - steady_start >= 6, timeout=20)
        self.assertLessEqual(lagging.block_count() - lag_start, 4)

        # A student admitted mid-share gets the settings, the start and a full frame.
        late = self.student(8)
        late.wait_text("[KW00102]start", timeout=30)
        texts = late.texts
        self.assertLess(texts.index("[KW00103]1280,720,full,resize"), texts.index("[KW00102]start"))
        late.wait_tiles(COLUMNS * ROWS, timeout=60)
        white = {(5, 3), (7, 4)} | {(c, 6) for c in range(8)}
        self.assert_canvas_shows_pattern(late, white)

        # Stop ends it for all.
        self.driver.click(self.button(SHARE_BUTTON))
        for s in (steady, lagging, late):
            s.wait_text("[KW00102]stop", timeout=30)
        time.sleep(0.5)
        counts = [s.block_count() for s in (steady, late)]
        time.sleep(1.5)
        self.assertEqual(counts, [s.block_count() for s in (steady, late)])

    # The toolbar, button by button.
    def dialog_with(self, control, timeout=30):
        """A visible dialog of the console other than the toolbar that has the control."""
        def shown():
            for window in self.driver.windows(cls=DIALOG_CLASS, pid=self.frame["pid"], visible=True):
                if window["hwnd"] != self.toolbar["hwnd"] and self.driver.command(
                        "find", parent=window["hwnd"], id=control, visible=True).get("ok"):
                    return window
            return None
        return wait_until(shown, timeout=timeout, message=f"no window with control {control}")

    def press(self, control_id):
        self.driver.click(self.driver.find_child(self.toolbar, id=control_id, visible=True, timeout=20))

    def click_choice(self, control_id):
        """A share mode or fit choice: its face is keyed out so the label stands on the toolbar's
        skin, and the teacher sees and clicks its round mark."""
        choice = self.driver.find_child(self.toolbar, id=control_id, visible=True, timeout=10)
        client = self.driver.rect(choice)["client"]
        self.driver.click(choice, 6, (client[3] - client[1]) // 2)

    def open_panel(self, panel):
        """Opens that sub-panel (pressing its button again would close it)."""
        shown = {CLASS_PANEL: SHARE_BUTTON, STUDENT_PANEL: TOUCH_CONTROL, SETTINGS_PANEL: APPLY}[panel]
        if not self.driver.command("find", parent=self.toolbar["hwnd"], id=shown, visible=True).get("ok"):
            self.press(panel)
        self.driver.find_child(self.toolbar, id=shown, visible=True, timeout=20)

    def toolbar_back(self):
        """The view's dialogs hide the toolbar while they are open."""
        wait_until(lambda: self.driver.state(self.toolbar)["window"]["visible"], timeout=30,
                   message="the toolbar did not come back")

    def close_opened(self, control):
        """Closes the window the button opened with its cancel or caption close button."""
        dialog = self.dialog_with(control)
        for closer in (2, CAPTION_CLOSE, LOG_CLOSE, 1):
            if self.driver.command("find", parent=dialog["hwnd"], id=closer, visible=True).get("ok"):
                self.driver.click(self.driver.find_child(dialog, id=closer))
                break
        wait_until(lambda: not self.driver.shown(dialog), timeout=30,
                   message=f"the window with control {control} stayed open")
        self.toolbar_back()

    def assert_notice(self, text):
        """The wait notice shows the text for a while, then goes by itself."""
        notice = self.dialog_with(NOTICE_TEXT, timeout=20)
        self.assertEqual(self.driver.get_text(self.driver.find_child(notice, id=NOTICE_TEXT)), text)
        self.driver.wait_gone(notice, timeout=20)

    def set_share_fields(self, **fields):
        for control, value in fields.items():
            self.driver.enter_text(self.driver.find_child(self.toolbar, id=SHARE_FIELDS[control], visible=True,
                                                        timeout=10), str(value))

    def bring_console_over_pattern(self):
        """Setting up: the console over the sharing's pattern. The pattern program, started last,
        may still be taking the foreground Wine gives a new program's window."""
        def console_in_front():
            order = [w["hwnd"] for w in self.driver.windows(visible=True)]
            frame, pattern = self.frame["hwnd"], self.pattern_window["hwnd"]
            if frame in order and pattern in order and order.index(frame) < order.index(pattern):
                time.sleep(1.0)
                order = [w["hwnd"] for w in self.driver.windows(visible=True)]
                return order.index(frame) < order.index(pattern)
            self.driver.foreground(self.frame)
            return False
        self.driver.foreground(self.frame)
        wait_until(console_in_front, timeout=20, message="the console stayed behind the pattern")

    def minimised(self):
        return self.driver.state(self.frame)["minimized"]

    def test_every_toolbar_button_does_its_work(self):
        # The class in view (a share leaves it minimised), with the student in seat 1 the one the
        # student commands act on.
        if self.minimised():
            self.open_panel(CLASS_PANEL)
            self.press(MONITORING)
            wait_until(lambda: not self.minimised(), timeout=20, message="monitoring did not show the class")
        pupil = next((s for s in self.students if s.seat == 1), None) or self.student(1)
        self.bring_console_over_pattern()
        self.driver.click(self.view, 20, 20)
        # The class panel is open at start; pressing its button again closes it, and again opens it.
        self.open_panel(CLASS_PANEL)
        open_rect = rect_of(self.driver.rect(self.toolbar))
        width = lambda: rect_of(self.driver.rect(self.toolbar))[2] - rect_of(self.driver.rect(self.toolbar))[0]  # noqa: E731
        self.press(CLASS_PANEL)
        wait_until(lambda: width() < open_rect[2] - open_rect[0], timeout=10)
        closed = rect_of(self.driver.rect(self.toolbar))
        self.assertEqual(closed[2] - closed[0], closed[3] - closed[1])       # 145 x 145, scaled
        self.press(CLASS_PANEL)
        wait_until(lambda: width() == open_rect[2] - open_rect[0], timeout=10)
        # Rotating exchanges width and height and keeps the toolbar on the screen.
        self.press(ROTATE)
        wait_until(lambda: rect_of(self.driver.rect(self.toolbar))[3] - rect_of(self.driver.rect(self.toolbar))[1]
                   == open_rect[2] - open_rect[0], timeout=10)
        rotated = rect_of(self.driver.rect(self.toolbar))
        wait_until(lambda: rect_of(self.driver.rect(self.toolbar))[3] <= 1080, timeout=10)
        self.assertEqual(rotated[2] - rotated[0], open_rect[3] - open_rect[1])
        self.press(ROTATE)
        wait_until(lambda: width() == open_rect[2] - open_rect[0], timeout=10)

        # The settings panel: the share settings are edited and applied to every student.
        self.open_panel(SETTINGS_PANEL)
        mark = len(pupil.journal.items())
        self.set_share_fields(canvas_width=640, canvas_height=360, quality=55)
        self.click_choice(MODE_WINDOW)
        self.click_choice(FIT_CENTRE)
        self.press(APPLY)
        self.assertEqual(pupil.wait_text("[KW00103]", start=mark, timeout=30).text, "[KW00103]640,360,window,center")
        # An unusable canvas is refused with a message and the settings in force come back.
        self.set_share_fields(canvas_width=9000)
        self.press(APPLY)
        box = self.driver.wait_window(cls=DIALOG_CLASS, title="Lumora Teacher", exact=True, pid=self.frame["pid"],
                                      timeout=20)
        self.driver.click(self.driver.find_child(box, id=1, timeout=10))
        self.driver.wait_gone(box, timeout=20)
        self.assertEqual(self.driver.get_text(self.driver.find_child(self.toolbar, id=SHARE_FIELDS["canvas_width"])),
                         "640")
        mark = len(pupil.journal.items())
        self.set_share_fields(canvas_width=1280, canvas_height=720, quality=70)
        self.click_choice(MODE_FULL)
        self.click_choice(FIT_STRETCH)
        self.press(APPLY)
        self.assertEqual(pupil.wait_text("[KW00103]", start=mark, timeout=30).text, "[KW00103]1280,720,full,resize")
        # Its buttons open the view's dialogs and the log.
        for command, control in ((GRID_LAYOUT, 1041), (MONITOR_SETTINGS, 1045), (SETTINGS, 1097),
                                 (STUDENT_NAMES, 1013), (LOG, 1250)):
            self.press(command)
            self.close_opened(control)

        # The student panel: touch control forbids the keyboard and the mouse, and allows them again,
        # for the student the teacher picks (the grid's layout dialog above laid the grid out anew).
        self.driver.click(self.view, *self.cell_centre(pupil.seat))
        self.open_panel(STUDENT_PANEL)
        for state in ("true", "false"):
            mark = len(pupil.journal.items())
            self.press(TOUCH_CONTROL)
            pupil.wait_text(f"[KW00050]{state}", start=mark, timeout=30)
            pupil.wait_text(f"[KW00051]{state}", start=mark, timeout=30)

        # The class panel. The quiz button picks a student at random and announces it; the next
        # button takes the announcement away before it does its own work, here the collect view's
        # refusal while the quiz panel is open.
        self.open_panel(CLASS_PANEL)
        marks = {s: len(s.texts) for s in self.students}
        self.press(QUIZ)
        quiz_panel = self.dialog_with(QUIZ_SPEED, timeout=30)
        announcement = self.dialog_with(QUIZ_MESSAGE, timeout=60)
        wait_until(lambda: any("[KW00400]" in s.texts[m:] for s, m in marks.items()), timeout=30,
                   message="no student was picked")
        self.press(COLLECT_VIEW)
        wait_until(lambda: not self.driver.state(announcement)["window"]["visible"], timeout=20,
                   message="the quiz announcement stayed")
        self.assert_notice(CLOSE_QUIZ_FIRST)
        self.driver.click(self.driver.find_child(quiz_panel, id=CAPTION_CLOSE, timeout=10))
        wait_until(lambda: not self.driver.state(quiz_panel)["window"]["visible"], timeout=20)

        # The pen tool and the file transfer open their windows.
        self.press(PEN_TOOL)
        pen = self.dialog_with(PEN_TITLE, timeout=60)
        self.driver.click(self.driver.find_child(pen, id=CAPTION_CLOSE, timeout=10))
        wait_until(lambda: not self.driver.state(pen)["window"]["visible"], timeout=20)
        self.press(FILE_TRANSFER)
        self.close_opened(TRANSFER_STUDENTS)
        # The inbox makes the received files' folder on first use and opens it.
        inbox = self.folder.path / "StudentFile"
        self.assertFalse(inbox.exists())
        self.press(INBOX)
        wait_until(inbox.is_dir, timeout=30, message="the inbox folder was not made")
        explorer = wait_until(lambda: next(iter(self.driver.windows(title="StudentFile", visible=True)), None),
                              timeout=60, message="the inbox folder was not opened")
        self.driver.close_window(explorer, wait=True, timeout=30)

        # Monitoring switches between the class and the desktop.
        before = self.minimised()
        self.press(MONITORING)
        wait_until(lambda: self.minimised() != before, timeout=20)
        if not self.minimised():
            self.press(MONITORING)
            wait_until(self.minimised, timeout=20)

        # Sharing: started for every student; meanwhile the buttons that would take the screen
        # away refuse; stopped for every student.
        mark = len(pupil.journal.items())
        self.press(SHARE_BUTTON)
        pupil.wait_text("[KW00102]start", start=mark, timeout=30)
        for refused in (FILE_TRANSFER, MONITORING, PRESENTATION):
            self.press(refused)
            self.assert_notice(SHARING_REFUSED)
        self.assertTrue(self.minimised())
        self.assertFalse(self.driver.windows(cls=DIALOG_CLASS, title=TRANSFER_TITLE, pid=self.frame["pid"],
                                             visible=True))
        # New share settings would lay the running share's tiles out wrongly at the students.
        self.open_panel(SETTINGS_PANEL)
        mark = len(pupil.journal.items())
        self.set_share_fields(canvas_width=640)
        self.press(APPLY)
        self.assert_notice(SHARING_REFUSED)
        self.assertEqual(self.driver.get_text(self.driver.find_child(self.toolbar, id=SHARE_FIELDS["canvas_width"])),
                         "1280")
        self.assertFalse([e for e in pupil.journal.items()[mark:] if e.text and e.text.startswith("[KW00103]")])
        self.open_panel(CLASS_PANEL)
        self.press(SHARE_BUTTON)
        pupil.wait_text("[KW00102]stop", start=mark, timeout=30)
        self.press(MONITORING)
        wait_until(lambda: not self.minimised() and self.driver.state(self.frame)["maximized"], timeout=20,
                   message="monitoring did not bring the class back")


if __name__ == "__main__":
    unittest.main()
