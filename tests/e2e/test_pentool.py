"""The pen tool, under Wine: a logged-in console opens its pen toolbar, the teacher draws over a
known desktop pattern (the UI driver's test window with its red block) and on whiteboard pages
with real mouse input, and saves. The tests read the saved JPEG pictures from the "NoteSave"
folder on the desktop and compare them with what was on the screen and where the strokes went."""

import os
import sys
import unittest
from pathlib import Path

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from PIL import Image  # noqa: E402

from harness import artifact_path, save_artifact, start_program, wait_until  # noqa: E402
from test_login import DIALOG_CLASS, NO_ID, VIEW_ID, LoginTestBase  # noqa: E402

WM_OPEN_NOTE_TOOL = 0x400 + 1139
MESSAGE_MARKER = 0x12345
TITLE_TEXT = 1022
CLOSE = 1628
TOUCH, PEN, WHITEBOARD = 1520, 1521, 1034
WIDTH4, GREEN, ERASER = 1528, 1535, 1523
PREVIOUS_PAGE, NEXT_PAGE, SAVE = 1540, 1541, 1538
CONFIRM_TITLE = "\ud655\uc778"                                   # "확인"
SAVED_TEXT, NOTICE_TEXT = "\uc800\uc7a5\ub418\uc5c8\uc2b5\ub2c8\ub2e4.", 1059   # "저장되었습니다."
APP_CLASS = "LumoraUiDriverTestApp"
WM_SYSCOMMAND, SC_MINIMIZE = 0x0112, 0xF020
RED_BLOCK = (240, 80, 320, 140)   # the test window's red block, client coordinates
PEN_RED = (230, 0, 0)             # the colour a drawing mode starts with
PEN_GREEN = (0, 230, 0)
WHITE = (255, 255, 255)


def near(actual, expected, tolerance=60):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def luminance(colour):
    """What JPEG keeps at full resolution: a pixel beside a colour edge keeps it."""
    return 0.299 * colour[0] + 0.587 * colour[1] + 0.114 * colour[2]


class PenToolTest(LoginTestBase):
    def setUp(self):
        super().setUp()
        server = self.start_server()
        self.start_console(server)
        self.log_in()
        self.wait_logged_in()
        self.view = self.driver.find_child(self.frame, id=VIEW_ID, timeout=10)
        self.notes = self.note_folders()
        self.before = self.saved_pictures()

    def show_pattern(self):
        """A known picture on the screen: the test window with its red block, over the console.
        A console frame maximised from a stored state stays over other programs' windows under
        Wine, so it is minimised when the pattern does not show."""
        self.app = start_program(self.env.tool_path("uidriver_testapp"), ["pen pattern"], wine_env=self.env)
        self.addCleanup(self.app.stop)
        self.pattern = self.driver.wait_window(cls=APP_CLASS, title="pen pattern", exact=True, timeout=60)
        tries = []

        def shown():
            if tries:
                self.driver.post(self.frame, WM_SYSCOMMAND, SC_MINIMIZE, 0)
            tries.append(1)
            self.driver.foreground(self.pattern)
            left, top = self.driver.rect(self.pattern)["client"][:2]
            screen = self.driver.capture(artifact_path("pentool-pattern.bmp"), settle=0.5)["bitmap"]
            x, y = left + (RED_BLOCK[0] + RED_BLOCK[2]) // 2, top + (RED_BLOCK[1] + RED_BLOCK[3]) // 2
            return near(screen.pixel(x, y), (255, 0, 0))

        wait_until(shown, timeout=60, interval=1, message="the pattern window never came to the front")

    # The pen toolbar and its surface.
    def open_toolbar(self):
        self.driver.post(self.view, WM_OPEN_NOTE_TOOL, MESSAGE_MARKER, 0)

        def toolbar():
            for window in self.driver.windows(cls=DIALOG_CLASS, pid=self.pid, visible=True):
                if self.driver.command("find", parent=window["hwnd"], id=TITLE_TEXT).get("ok"):
                    return window
            return None

        return wait_until(toolbar, timeout=60, message="the pen toolbar did not appear")

    def save(self, toolbar):
        """Presses save and waits for the picture and for the "saved" notice to be over. The
        notice leaves the foreground where it was: activated and then removed, it sent Wine's
        focus through the desktop, which now and then kept the foreground from the surface."""
        self.press(toolbar, SAVE)
        notice = wait_until(self.saved_notice, timeout=30, interval=0.02, message="no notice said it was saved")
        foreground = self.driver.command("mousecapture", hwnd=notice)["foreground"]
        self.assertNotEqual(foreground and foreground["hwnd"], notice, "the saved notice took the foreground")
        picture = self.wait_new_picture()
        self.wait_toolbar_back(toolbar)
        return picture

    def saved_notice(self):
        for dialog in self.driver.windows(pid=self.pid, cls=DIALOG_CLASS, visible=True):
            text = self.driver.command("find", parent=dialog["hwnd"], id=NOTICE_TEXT, text=SAVED_TEXT, exact=True)
            if text.get("ok"):
                return dialog["hwnd"]
        return None

    def press(self, toolbar, button_id):
        self.wait_toolbar_back(toolbar)
        self.driver.click(self.driver.find_child(toolbar, id=button_id, visible=True, timeout=30))

    def wait_toolbar_back(self, toolbar):
        # The toolbar hides itself and is disabled while it photographs the screen or saves.
        wait_until(lambda: self.driver.state(toolbar)["window"]["enabled"], timeout=30,
                   message="the pen toolbar stayed disabled")

    def wait_surface(self, left=0):
        """The drawing surface: a captionless window of the console as high as the screen."""
        def surface():
            for window in self.driver.windows(pid=self.pid, title="", exact=True, visible=True):
                l, t, r, b = window["rect"]
                if l == left and t == 0 and b == self.height and window["class"] != DIALOG_CLASS:
                    return window
            return None

        return wait_until(surface, timeout=30, message=f"no drawing surface at x = {left}")

    # Saved pictures.
    def note_folders(self):
        users = Path(self.env.prefix) / "drive_c" / "users"
        return [desktop / "NoteSave" for desktop in users.glob("*/Desktop")]

    def saved_pictures(self):
        return {p.resolve() for folder in self.notes if folder.is_dir() for p in folder.glob("*.jpg")}

    def wait_new_picture(self):
        def new():
            fresh = self.saved_pictures() - self.before
            return fresh if fresh and all(p.stat().st_size > 0 for p in fresh) else None

        fresh = wait_until(new, timeout=60, message="no picture was saved")
        self.assertEqual(len(fresh), 1)
        path = fresh.pop()
        self.before.add(path)
        self.addCleanup(path.unlink, missing_ok=True)
        wait_until(lambda: self._readable(path), timeout=30, message=f"{path} cannot be read")
        save_artifact(f"pentool-{path.name}", path)
        return Image.open(path).convert("RGB")

    @staticmethod
    def _readable(path):
        try:
            with Image.open(path) as picture:
                picture.load()
            return True
        except (OSError, SyntaxError):
            return False

    def capture_screen(self, name):
        bitmap = self.driver.capture(artifact_path(name), settle=1.0)["bitmap"]
        self.width, self.height = bitmap.width, bitmap.height
        return bitmap

    # The scenarios.
    def test_strokes_over_the_screen_are_saved_where_they_were_drawn(self):
        self.show_pattern()
        screen = self.capture_screen("pentool-before.bmp")
        left, top = self.driver.rect(self.pattern)["client"][:2]   # screen position of its client area
        block = (left + RED_BLOCK[0], top + RED_BLOCK[1], left + RED_BLOCK[2], top + RED_BLOCK[3])
        toolbar = self.open_toolbar()
        self.press(toolbar, PEN)
        surface = self.wait_surface()
        self.press(toolbar, WIDTH4)
        self.press(toolbar, GREEN)
        # A line through the middle of the red block, and a corner stroke beside it.
        row = (block[1] + block[3]) // 2
        line = [(block[0] - 60 + step * 20, row) for step in range(11)]
        corner = [(block[2] + 80, block[3] + 40), (block[2] + 80, block[3] + 120), (block[2] + 200, block[3] + 120)]
        self.driver.drag(surface, line)
        self.driver.drag(surface, corner)
        # The eraser takes a square of 32 out of the line; the picture has it exactly where the
        # teacher saw it.
        self.press(toolbar, ERASER)
        erased = (block[0] - 30, row)
        self.driver.drag(surface, [erased, erased])
        seen = self.capture_screen("pentool-erased.bmp")
        picture = self.save(toolbar)

        self.assertEqual(picture.size, (self.width, self.height))
        for x, y in line + corner:
            if abs(x - erased[0]) > 16:
                self.assertTrue(near(picture.getpixel((x, y)), PEN_GREEN), f"no stroke at {x},{y}")
        stroke = luminance(picture.getpixel(line[0]))

        def gap(colour_at):
            """The columns around the eraser's point that show the screen rather than the stroke."""
            columns = []
            for x in range(erased[0] - 24, erased[0] + 25):
                shown, under = luminance(colour_at(x)), luminance(screen.pixel(x, row))
                if abs(shown - under) < abs(shown - stroke):
                    columns.append(x)
            return columns
        # From 15 left of the point to 16 right of it, on the screen and in the picture alike.
        square = list(range(erased[0] - 15, erased[0] + 17))
        self.assertEqual(gap(lambda x: seen.pixel(x, row)), square, "the eraser's square on the screen")
        self.assertEqual(gap(lambda x: picture.getpixel((x, row))), square, "the eraser's square in the picture")
        self.assertTrue(near(picture.getpixel(((block[0] + block[2]) // 2, block[1] + 8)), (255, 0, 0)))
        # Away from the strokes the picture is the screen as it was.
        stroked = [(min(x for x, _ in s) - 12, min(y for _, y in s) - 12, max(x for x, _ in s) + 12,
                    max(y for _, y in s) + 12) for s in (line, corner)]
        differences = [sum(abs(a - b) for a, b in zip(picture.getpixel((x, y)), screen.pixel(x, y)))
                       for y in range(4, self.height, 7) for x in range(4, self.width, 7)
                       if not any(l <= x < r and t <= y < b for l, t, r, b in stroked)]
        self.assertLess(sum(differences) / len(differences), 12)
        # Nothing else was drawn: only the coder's ringing at a few sharp edges differs much.
        self.assertLess(sum(d > 90 for d in differences), len(differences) // 1000)

        self.press(toolbar, TOUCH)   # saved: no question
        self.driver.wait_gone(surface, timeout=30)

        # Closed, the toolbar only hides; the pen button shows the same one again in its place.
        where = self.driver.rect(toolbar)["rect"][:2]
        self.press(toolbar, CLOSE)
        wait_until(lambda: not self.driver.state(toolbar)["window"]["visible"], timeout=30,
                   message="the pen toolbar did not hide")
        self.assertEqual(self.open_toolbar()["hwnd"], toolbar["hwnd"])
        self.assertEqual(self.driver.rect(toolbar)["rect"][:2], where)

    def test_whiteboard_pages_are_saved_white_with_their_strokes_and_unsaved_ones_are_asked_about(self):
        self.capture_screen("pentool-screen.bmp")
        half = self.width // 2
        toolbar = self.open_toolbar()
        self.press(toolbar, WHITEBOARD)
        surface = self.wait_surface()
        first = [(300, 300), (500, 300), (500, 420)]
        self.driver.drag(surface, first)
        self.press(toolbar, NEXT_PAGE)
        self.wait_surface(left=-half)
        self.press(toolbar, NEXT_PAGE)
        surface = self.wait_surface(left=-2 * half)
        # Page 2 shows canvas x from 2 * half on; the driver's points are canvas coordinates.
        second = [(2 * half + 200, 600), (2 * half + 700, 600)]
        self.driver.drag(surface, second)
        self.press(toolbar, PREVIOUS_PAGE)
        surface = self.wait_surface(left=-half)
        picture = self.save(toolbar)

        self.assertEqual(picture.size, (self.width + 2 * half, self.height))   # page 2's canvas
        for x, y in first + second:
            self.assertTrue(near(picture.getpixel((x, y)), PEN_RED), f"no stroke at {x},{y}")
        for x, y in [(800, 800), (2 * half + 200, 300), (self.width + half, self.height // 2)]:
            self.assertTrue(near(picture.getpixel((x, y)), WHITE, 12), f"not white at {x},{y}")
        self.wait_surface(left=-half)   # still on page 1

        # A stroke not saved: leaving the mode asks, and "No" drops it without a picture.
        self.driver.drag(surface, [(half + 100, 100), (half + 300, 100)])
        self.press(toolbar, TOUCH)
        box = self.wait_box(CONFIRM_TITLE)
        self.answer(box, NO_ID)
        self.driver.wait_gone(surface, timeout=30)
        self.assertEqual(self.saved_pictures() - self.before, set())


if __name__ == "__main__":
    unittest.main()
