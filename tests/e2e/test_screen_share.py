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

from harness import UiDriver, start_program, wait_until  # noqa: E402
from login_server import LoginServer  # noqa: E402
from share_student import ShareStudent  # noqa: E402
from test_login import (DIALOG_CLASS, FRAME_CLASS, ID_EDIT, CONNECT, LOGIN_TITLE,  # noqa: E402
                        ConsoleFolder, apply_wine_settings)

SEATS = 8
CANVAS = (1280, 720)
TILE = (40, 45)
COLUMNS, ROWS = 32, 16
# The pattern window's blocks (screen pixels) and colours.
BLOCK = (120, 135)
SHARE_BUTTON, CLASS_PANEL, ROTATE = 1191, 1208, 1206
JPEG_TOLERANCE = 24


def block_colour(column, row):
    return ((column * 53 + 40) % 256, (row * 71 + 30) % 256, ((column + row) * 37 + 90) % 256)


def close(a, b, tolerance=JPEG_TOLERANCE):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def rect_of(answer):
    r = answer["rect"]
    return r if isinstance(r, list) else [r["left"], r["top"], r["right"], r["bottom"]]


class ScreenShareTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = UiDriver()
        cls.env = cls.driver.wine_env
        apply_wine_settings(cls.env)
        cls.folder = ConsoleFolder(cls.env)
        cls.folder.configure(screensharebtnenable="true")
        cls.server = LoginServer(seats=SEATS).start()
        cls.folder.point_at(cls.server.port)
        cls.students = []
        cls.pattern = None
        cls.program = start_program(cls.folder.exe, cwd=cls.folder.path, wine_env=cls.env)
        try:
            cls.frame = cls.driver.wait_window(cls=FRAME_CLASS, visible=False, timeout=90)
            dialog = cls.driver.wait_window(cls=DIALOG_CLASS, title=LOGIN_TITLE, exact=True,
                                            pid=cls.frame["pid"], timeout=60)
            cls.driver.set_text(cls.driver.find_child(dialog, id=ID_EDIT, timeout=10), "kim")
            cls.driver.click(cls.driver.find_child(dialog, id=CONNECT, timeout=10))
            cls.port = int(cls.server.wait_login_request(timeout=60)["student_port"])
            cls.toolbar = wait_until(cls.find_toolbar, timeout=60, message="the toolbar never showed")
            cls.pattern = start_program(cls.env.tool_path("share_pattern"), wine_env=cls.env)
            cls.pattern_window = cls.driver.wait_window(cls="LumoraSharePattern", timeout=60)
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        stops = [s.stop for s in cls.students] + [
            lambda: cls.pattern and cls.pattern.stop(), lambda: cls.program.stop(), lambda: cls.server.stop(),
            lambda: cls.driver.close(), lambda: cls.folder.remove()]
        for stop in stops:
            try:
                stop()
            except Exception:
                pass

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
        steady, lagging = self.student(1), self.student(2)
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

        # A still screen: only the full frame of every 30th cycle, with every tile.
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
        late = self.student(3)
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

    def test_toolbar_panels_and_rotation(self):
        # The class panel is open at start; pressing its button again closes it, and again opens it.
        open_rect = rect_of(self.driver.rect(self.toolbar))
        self.driver.click(self.button(CLASS_PANEL))
        wait_until(lambda: rect_of(self.driver.rect(self.toolbar))[2] - rect_of(self.driver.rect(self.toolbar))[0]
                   < open_rect[2] - open_rect[0], timeout=10)
        closed = rect_of(self.driver.rect(self.toolbar))
        self.assertEqual(closed[2] - closed[0], closed[3] - closed[1])       # 145 x 145, scaled
        self.driver.click(self.button(CLASS_PANEL))
        wait_until(lambda: rect_of(self.driver.rect(self.toolbar))[2] - rect_of(self.driver.rect(self.toolbar))[0]
                   == open_rect[2] - open_rect[0], timeout=10)
        # Rotating exchanges width and height and keeps the toolbar on the screen.
        self.driver.click(self.button(ROTATE))
        wait_until(lambda: rect_of(self.driver.rect(self.toolbar))[3] - rect_of(self.driver.rect(self.toolbar))[1]
                   == open_rect[2] - open_rect[0], timeout=10)
        rotated = rect_of(self.driver.rect(self.toolbar))
        wait_until(lambda: rect_of(self.driver.rect(self.toolbar))[3] <= 1080, timeout=10)
        self.assertEqual(rotated[2] - rotated[0], open_rect[3] - open_rect[1])
        self.driver.click(self.button(ROTATE))


if __name__ == "__main__":
    unittest.main()
