"""Remote view and control of one student, under Wine: the teacher double-clicks a student in the
grid, the student's screen shows in a window of its own (tiles and images placed where the student
drew them), the teacher's mouse and keys reach the student at the right coordinates and in order,
and closing the window or losing the student ends the session and gives the grid its thumbnail
back. The students are simulated (tests/peers/remote_student.py)."""

import datetime
import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from console_case import ConsoleCase  # noqa: E402
from harness import artifact_path, colour_close, wait_until  # noqa: E402
from remote_student import RemoteStudent, pattern_colour  # noqa: E402
from test_login import DIALOG_CLASS  # noqa: E402

SEATS = 8
PER_ROW = 8
WM_COMMAND, WM_KEYDOWN, WM_KEYUP = 0x0111, 0x0100, 0x0101
WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP = 0x0200, 0x0201, 0x0202
WM_HSCROLL, WM_VSCROLL, SB_LINEDOWN, SB_PAGEDOWN = 0x0114, 0x0115, 1, 3
TOGGLE_FULL_SCREEN = 1001
JPEG_TOLERANCE = 40
THUMBNAIL_COLOUR = (255, 0, 255)
ID_SETTINGS, SETTINGS_WEB, SETTINGS_APPLY, SETTINGS_CLOSE, BM_GETCHECK = 1216, 1091, 1096, 1628, 0x00F0
LOG_COMMAND, LOG_LIST, LOG_CLOSE = 6004, 1011, 1014
TOOLBAR_ROTATE = 1206
LOG_TITLE = "\ud559\uc0dd \ud328\ub4dc \ub3d9\uc791 \ub85c\uadf8"          # "학생 패드 동작 로그"
ABNORMAL_END = "\ube44\uc815\uc0c1"                                               # "비정상"


class RemoteSessionTest(ConsoleCase):
    """Each test uses seats of its own."""

    SEATS = SEATS
    STUDENT = RemoteStudent

    @classmethod
    def after_login(cls):
        cls.first = cls.wait_admitted(8)

    def admitted(self, seat, **options):
        options.setdefault("colour", THUMBNAIL_COLOUR)
        options.setdefault("thumbnail_interval", 0.5)
        agent = RemoteStudent("127.0.0.1", self.port, seat=seat, **options).start()
        self.students.append(agent)
        agent.wait_admitted(timeout=60)
        agent.wait_text("[KW00075]", timeout=30)
        agent.wait_packet(10, timeout=30)          # the console has the screen format
        return agent

    # --- The teacher's hands -------------------------------------------------------------------

    def open_session(self, student, slow=False):
        """Double-clicks the student's cell; the session window once the first frame is shown.
        A slow hand keeps the second press down while the student answers: the window is made
        but shown only once the button is let go (a full-screen window taking the foreground
        meanwhile made Wine drop the release on its way)."""
        mark = len(student.journal.items())
        x, y = self.cell_centre(student.seat)

        def made_but_not_shown():
            student.wait_text("[KW00004]", timeout=30, start=mark)
            made = self.driver.wait_window(title=f"{student.seat}: ", pid=self.pid, visible=False, timeout=30)
            time.sleep(0.5)
            self.assertFalse(self.driver.shown(made), "the session window was shown under a held button")
        self.driver.double_click(self.view, x, y, while_held=made_but_not_shown if slow else None)
        student.wait_text("[KW00004]", timeout=30, start=mark)
        # The frame sent with the hand-over, while the connection changed threads, is shown.
        student.wait_acknowledged(1)
        window = self.driver.wait_window(title=f"{student.seat}: ", pid=self.pid, timeout=30)
        # It opens in full screen on the (only) monitor.
        wait_until(lambda: self.client_size(window) == self.screen_size(), timeout=30,
                   message="the session window did not go full screen")
        return window

    def screen_size(self):
        if not hasattr(self, "_screen"):
            picture = self.driver.capture(artifact_path("remote-screen.bmp"), settle=0)["bitmap"]
            type(self)._screen = (picture.width, picture.height)
        return self._screen

    def client_size(self, window):
        client = self.driver.rect(window)["client"]
        return client[2] - client[0], client[3] - client[1]

    def post_mouse(self, window, message, x, y, keys=0):
        # No teacher gesture: a pointer resting at one point with no button, which a real move
        # passes through on its way.
        self.driver.post(window, message, keys, (y << 16) | x)

    def capture(self, window, name):
        return self.driver.capture(artifact_path(name), window=window, client=True,
                                   raise_window=True, settle=0.5)["bitmap"]

    def wait_pixel(self, window, name, x, y, colour):
        """The window shows colour at (x, y) in a capture within the time a repaint takes."""
        seen = []

        def shows():
            seen.append(self.capture(window, name).pixel(x, y))
            return colour_close(seen[-1], colour, JPEG_TOLERANCE)
        try:
            wait_until(shows, timeout=20, interval=0.5)
        except Exception:
            self.fail(f"({x}, {y}) shows {seen[-1] if seen else None}, not {colour}")

    def close_and_expect_thumbnails(self, window, student):
        mark = len(student.journal.items())
        self.driver.close_window(window)
        self.driver.wait_gone(window, timeout=30)
        resized = student.wait_text("[KW00003]", timeout=30, start=mark)
        student.wait_text("[KW00005]", timeout=30, start=mark)
        self.assertLess(student.journal.items().index(resized),
                        student.journal.items().index(student.wait_text("[KW00005]", start=mark)))
        # The student's own thread serves the connection again, and the cell shows the thumbnail.
        keep_alive = len(student.journal.items())
        student.send_text("[PC00003]")
        student.wait_text("[KW10002]", timeout=30, start=keep_alive)
        x, y = self.cell_centre(student.seat)
        self.wait_pixel(self.view, "remote-grid-after.bmp", x, y, THUMBNAIL_COLOUR)

    # --- Scenarios -----------------------------------------------------------------------------

    def test_a_teacher_views_and_drives_a_student_then_closes_and_does_it_again(self):
        student = self.admitted(2, screen=(640, 480))
        window = self.open_session(student)
        self.assertIn("[KW00004]1,160,120", student.texts)

        # Full screen, fitted: every tile lands where the student drew it.
        width, height = self.client_size(window)
        scale_x, scale_y = 640 / width, 480 / height
        points = [(lambda c: (int(c[0] / scale_x), int(c[1] / scale_y)))(student.tile_centre(index))
                  for index in range(16)]
        # A loaded display may still show the window as it was before full screen for a moment.
        pictures = []

        def all_placed():
            pictures.append(self.capture(window, "remote-fitted.bmp"))
            return all(colour_close(pictures[-1].pixel(*point), pattern_colour(index), JPEG_TOLERANCE)
                       for index, point in enumerate(points))
        try:
            wait_until(all_placed, timeout=20, interval=0.5)
        except TimeoutError:
            pass
        for index, point in enumerate(points):
            with self.subTest(tile=index):
                self.assertTrue(colour_close(pictures[-1].pixel(*point), pattern_colour(index), JPEG_TOLERANCE),
                                f"tile {index} at {point} is {pictures[-1].pixel(*point)}")

        # A newer block is shown and acknowledged; an older one neither.
        newer = student.send_tiles([5], colours=[(250, 250, 10)], sequence=50)
        student.wait_acknowledged(newer)
        student.send_tiles([5], colours=[(10, 10, 250)], sequence=40)
        after = student.send_tiles([6], sequence=51)
        student.wait_acknowledged(after)
        self.assertNotIn(40, student.acknowledged())
        cx, cy = student.tile_centre(5)
        self.wait_pixel(window, "remote-stale.bmp", int(cx / scale_x), int(cy / scale_y), (250, 250, 10))
        # A PC's whole-screen images are not its session's; sound chunks play only when asked for.
        student.send_image(sequence=52)
        student.send_sound(chunks=3)

        # The mouse in the fitted window arrives at the student's coordinate.
        mark = len(student.mice())
        self.driver.click(window, 300, 200)
        down = student.wait_mouse(WM_LBUTTONDOWN, start=mark)
        self.assertEqual((down.x, down.y), (int(300 * scale_x), int(200 * scale_y)))

        # Keys arrive in the order they were typed.
        mark = len(student.keys())
        for key in (0x41, 0x42, 0x43):
            self.driver.press_key(window, key)
        student.journal.wait_until(lambda: len(student.keys()) >= mark + 6, 30, what="six key records")
        self.assertEqual([(k.message, k.virtual_key) for k in student.keys()[mark:]],
                         [(WM_KEYDOWN, 0x41), (WM_KEYUP, 0x41), (WM_KEYDOWN, 0x42), (WM_KEYUP, 0x42),
                          (WM_KEYDOWN, 0x43), (WM_KEYUP, 0x43)])

        # 1:1 with scroll bars on a screen larger than the window: a click lands scrolled.
        self.driver.post(window, WM_COMMAND, TOGGLE_FULL_SCREEN, 0)
        mark = len(student.journal.items())
        student.change_screen(2400, 1500)
        student.wait_text("[KW00076]", timeout=30, start=mark)
        student.send_tiles(sequence=60)
        student.wait_acknowledged(60)
        self.driver.post(window, WM_HSCROLL, SB_PAGEDOWN, 0)
        self.driver.post(window, WM_VSCROLL, SB_LINEDOWN, 0)
        student.wait_text("[KW00077]100,10", timeout=30, start=mark)
        mark = len(student.mice())
        self.driver.click(window, 50, 60)
        up = student.wait_mouse(WM_LBUTTONUP, start=mark)
        self.assertEqual((up.x, up.y), (150, 70))
        self.wait_pixel(window, "remote-one-to-one.bmp", 50, 60, pattern_colour(1))

        # A portrait screen, full screen again: fitted with its aspect kept and centred.
        student.change_screen(600, 1000)
        self.driver.post(window, WM_COMMAND, TOGGLE_FULL_SCREEN, 0)
        student.send_tiles(sequence=70)
        student.wait_acknowledged(70)
        width, height = self.client_size(window)
        drawn = height * 600 // 1000
        free = width - drawn
        mark = len(student.mice())
        self.post_mouse(window, WM_MOUSEMOVE, free // 2 + drawn // 2, height // 2)
        move = student.wait_mouse(WM_MOUSEMOVE, start=mark)
        self.assertAlmostEqual(move.x, 300, delta=2)
        self.assertAlmostEqual(move.y, 500, delta=2)
        picture = self.capture(window, "remote-portrait.bmp")
        self.assertTrue(colour_close(picture.pixel(free // 4, height // 2), (0, 0, 0), 8))

        self.close_and_expect_thumbnails(window, student)
        # A second session on the same student works as the first. The teacher toolbar and its
        # back layer make way for the full-screen view (nothing of them catches the teacher's
        # clicks in its corner) and come back after it.
        toolbar = [w["hwnd"] for w in self.driver.windows(pid=self.pid, title="BackLayer", exact=True, visible=True)]
        toolbar += [w["hwnd"] for w in self.driver.windows(cls=DIALOG_CLASS, pid=self.pid, visible=True)
                    if self.driver.command("find", parent=w["hwnd"], id=TOOLBAR_ROTATE).get("ok")]
        self.assertEqual(len(toolbar), 2)
        window = self.open_session(student)
        wait_until(lambda: not any(self.driver.shown(w) for w in toolbar), timeout=30,
                   message="the toolbar or its back layer stayed over the remote view")
        self.close_and_expect_thumbnails(window, student)
        wait_until(lambda: all(self.driver.shown(w) for w in toolbar), timeout=30,
                   message="the toolbar did not come back after the remote view")
        self.assertIsNone(self.program.poll())

    def test_losing_the_student_ends_the_session_and_frees_the_seat(self):
        student = self.admitted(3, screen=(800, 600), edition="pad")
        window = self.open_session(student)
        # A pad's whole-screen image is shown; a narrower one after it is late and dropped.
        width, height = self.client_size(window)
        image = student.send_image(sequence=2)
        student.wait_acknowledged(image)
        cx, cy = student.tile_centre(9)
        self.wait_pixel(window, "remote-pad-image.bmp", cx * width // 800, cy * height // 600, pattern_colour(9))
        student.send_image(rect=(0, 0, 400, 300), sequence=3)
        after = student.send_image(sequence=4)
        student.wait_acknowledged(after)
        self.assertNotIn(3, student.acknowledged())
        student.stop()
        self.driver.wait_gone(window, timeout=30)

        def readmitted():
            return self.try_admit(3)
        again = wait_until(readmitted, timeout=90, interval=1.0, message="seat 3 was not freed")
        # Another student's session after it works too.
        other = self.admitted(4, screen=(800, 600))
        window = self.open_session(other, slow=True)
        self.close_and_expect_thumbnails(window, other)
        self.assertTrue(again.admitted)

        # A pad that announces its end behind a run of frames it has just sent ends in order:
        # what it said before it went counts, though the frames were still being shown.
        orderly = self.admitted(6, screen=(1920, 1080), edition="pad")
        window = self.open_session(orderly)
        orderly.send_image_burst(150)
        orderly.end(wait=False)
        self.driver.wait_gone(window, timeout=60)
        orderly.wait_closed(timeout=30)
        orderly.stop()
        wait_until(lambda: self.try_admit(6), timeout=90, interval=1.0, message="seat 6 was not freed")
        ended = self.abnormal_ends()
        self.assertIn("3", ended)          # lost without a word
        self.assertNotIn("6", ended)
        self.assertIsNone(self.program.poll())

    def abnormal_ends(self):
        """The seats the pad log lists as ended abnormally (the log opened and closed again)."""
        self.driver.post(self.view, WM_COMMAND, LOG_COMMAND)
        log = self.driver.wait_window(title=LOG_TITLE, exact=True, pid=self.pid, timeout=30)
        rows = self.driver.list_rows(self.driver.find_child(log, id=LOG_LIST, timeout=10), columns=3)
        self.driver.click(self.driver.find_child(log, id=LOG_CLOSE, timeout=10))
        wait_until(lambda: not self.driver.windows(title=LOG_TITLE, exact=True, pid=self.pid, visible=True),
                   timeout=20, message="the log stayed open")
        return {row["texts"][1] for row in rows if ABNORMAL_END in row["texts"][2]}

    def test_a_pad_reports_uploads_and_gets_restrictions_in_its_session_until_it_goes_silent(self):
        pad = self.admitted(5, screen=(800, 600), edition="pad")
        window = self.open_session(pad)
        width, height = self.client_size(window)
        cx, cy = pad.tile_centre(5)
        point = cx * width // 800, cy * height // 600
        self.wait_pixel(window, "remote-pad-frame.bmp", *point, pattern_colour(5))

        # Without the screen-capture permission, or with its screen off, the pad's picture of
        # that state replaces its screen; granted and on again, the screen is back.
        pad.send_permissions(write=True, usagestats=True, overlay=False, screencapture=False)
        wait_until(lambda: not colour_close(self.capture(window, "remote-pad-no-capture.bmp").pixel(*point),
                                            pattern_colour(5), JPEG_TOLERANCE),
                   timeout=20, interval=0.5, message="the permission picture did not show")
        pad.send_permissions(write=True, usagestats=True, overlay=True, screencapture=True, postnotifications=True)
        self.wait_pixel(window, "remote-pad-capture.bmp", *point, pattern_colour(5))
        pad.send_pad_state("screenoff")
        wait_until(lambda: not colour_close(self.capture(window, "remote-pad-off.bmp").pixel(*point),
                                            pattern_colour(5), JPEG_TOLERANCE),
                   timeout=20, interval=0.5, message="the screen-off picture did not show")
        pad.send_pad_state("screenon")
        self.wait_pixel(window, "remote-pad-on.bmp", *point, pattern_colour(5))

        # An app the pad ended reaches the log; a file the pad uploads is kept and acknowledged.
        pad.send_app_event("com.game.fun", "FunGame")
        self.assertEqual(pad.upload_file("session-notes.txt", b"notes " * 70000, timeout=60), [1, 1, 1])
        stored = self.folder.path / "StudentFile" / datetime.date.today().strftime("%Y-%m-%d") / "session-notes.txt"
        self.assertEqual(stored.read_bytes(), b"notes " * 70000)
        self.driver.post(self.view, WM_COMMAND, LOG_COMMAND)
        log = self.driver.wait_window(title=LOG_TITLE, exact=True, pid=self.pid, timeout=30)
        rows = self.driver.find_child(log, id=LOG_LIST, timeout=10)
        wait_until(lambda: any("FunGame(com.game.fun)" in row["texts"][2]
                               for row in self.driver.list_rows(rows, columns=3)),
                   timeout=30, interval=0.5, message="the app event is not in the log")
        self.driver.click(self.driver.find_child(log, id=LOG_CLOSE, timeout=10))
        wait_until(lambda: not self.driver.windows(title=LOG_TITLE, exact=True, pid=self.pid, visible=True),
                   timeout=20, message="the log stayed open")

        # A restriction the teacher changes meanwhile reaches the student through its session.
        mark = len(pad.journal.items())
        self.driver.post(self.view, WM_COMMAND, ID_SETTINGS)
        dialog = self.settings_dialog()
        web = self.driver.find_child(dialog, id=SETTINGS_WEB, timeout=10)
        was_on = self.driver.send(web, BM_GETCHECK) == 1
        self.driver.click(web)
        wait_until(lambda: (self.driver.send(web, BM_GETCHECK) == 1) != was_on, timeout=10,
                   message="the toggle did not change")
        self.driver.click(self.driver.find_child(dialog, id=SETTINGS_APPLY, timeout=10))
        box = self.driver.wait_window(title="Lumora Teacher", exact=True, pid=self.pid, timeout=20)
        self.driver.click(self.driver.find_child(box, id=1, timeout=10))
        self.driver.wait_gone(box, timeout=20)   # the settings dialog, its owner, is usable again
        pad.wait_text("[KW00061]" + ("false" if was_on else "true"), timeout=30, start=mark)
        self.driver.click(self.driver.find_child(dialog, id=SETTINGS_CLOSE, timeout=10))
        self.driver.wait_gone(dialog, timeout=20)

        # Silent for thirty seconds, the pad is timed out: the session ends, the console closes the
        # connection and nothing of the pad's connection stays behind.
        def student_threads():
            return len(self.driver.windows(title="PC Thread", exact=True, pid=self.pid, message_only=True))
        threads = student_threads()
        self.assertGreater(threads, 0)
        pad.go_silent()
        self.driver.wait_gone(window, timeout=90)
        pad.wait_closed(timeout=30)
        wait_until(lambda: student_threads() == threads - 1, timeout=30, interval=0.5,
                   message="the pad's thread was left waiting for its connection")
        again = wait_until(lambda: self.try_admit(5), timeout=60, interval=1.0, message="seat 5 was not freed")
        self.assertTrue(again.admitted)
        self.assertIsNone(self.program.poll())

    def settings_dialog(self):
        """The settings dialog, found by its web-browser toggle."""
        def shown():
            for window in self.driver.windows(cls="#32770", pid=self.pid, visible=True):
                if self.driver.command("find", parent=window["hwnd"], id=SETTINGS_WEB, visible=True).get("ok"):
                    return window
            return None
        return wait_until(shown, timeout=30, message="the settings dialog did not show")


if __name__ == "__main__":
    unittest.main()
