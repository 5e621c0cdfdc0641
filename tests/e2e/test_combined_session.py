"""Four students in one window, and the control bars of the remote windows, under Wine: the teacher
picks four students with the toolbar's collect view, each student's screen shows in its own pane of
one full-screen window, the mouse and keys reach only the student whose pane they are in, a student
lost leaves the others running and its pane empty, and closing the window gives every student's
connection back to its thumbnail. The bar of the single-student window sends what its buttons say
and refuses to close the session while the class watches the teacher's screen. The students are
simulated (tests/peers/remote_student.py)."""

import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from console_case import ConsoleCase  # noqa: E402
from harness import artifact_path, colour_close, wait_until  # noqa: E402
from remocon_app import RemoconApp  # noqa: E402
from remote_student import RemoteStudent  # noqa: E402
from test_login import DIALOG_CLASS  # noqa: E402

PER_ROW = 8
WM_COMMAND, WM_KEYDOWN, WM_KEYUP = 0x0111, 0x0100, 0x0101
WM_MOUSEMOVE, WM_LBUTTONDOWN, BM_GETCHECK = 0x0200, 0x0201, 0x00F0
COLLECT_VIEW, TOOLBAR_SHARE = 1205, 1191
SUM_TOGGLE_CONTROL, SUM_FULL_SCREEN = 108, 114
BAR_FULL_SCREEN, BAR_CLOSE, BAR_SOUND, BAR_HOME, BAR_BACK, BAR_SHARE, BAR_PEN = 1001, 1004, 1006, 1008, 1009, 1010, 1012
WAIT_TEXT, PEN_TITLE, PEN_TOUCH_MODE, PEN_MODE = 1059, 1022, 1520, 1521
JPEG_TOLERANCE = 40
THUMBNAIL_COLOUR = (255, 0, 255)
SCREEN = (640, 480)
CHECKED_TILES = (0, 5, 10)      # clear of the control bar at the bottom centre


class CombinedSessionTest(ConsoleCase):
    SEATS = 8
    STUDENT = RemoteStudent

    @classmethod
    def prepare_folder(cls):
        cls.folder.configure(screensharebtnenable="true")

    @classmethod
    def after_login(cls):
        cls.toolbar = wait_until(lambda: cls.dialog_with(COLLECT_VIEW), timeout=60,
                                 message="the teacher toolbar never showed")

    @classmethod
    def dialog_with(cls, control, visible=False):
        for window in cls.driver.windows(cls=DIALOG_CLASS, pid=cls.pid, visible=visible):
            if cls.driver.command("find", parent=window["hwnd"], id=control).get("ok"):
                return window
        return None

    def press(self, dialog, control):
        self.driver.click(self.driver.find_child(dialog, id=control, visible=True, timeout=10))

    def press_hidden(self, dialog, control):
        """The click of a button the teacher cannot see, as its dialog receives it (no teacher
        gesture: a test of what the button would do)."""
        handle = self.driver.find_child(dialog, id=control, timeout=10)["hwnd"]
        self.driver.post(dialog, WM_COMMAND, control, int(handle, 0) if isinstance(handle, str) else handle)

    def admitted(self, seat, **options):
        agent = self.wait_admitted(seat, served=True, colour=THUMBNAIL_COLOUR, thumbnail_interval=0.5, screen=SCREEN,
                                   **options)
        agent.wait_packet(10, timeout=30)   # the console has the screen format
        return agent

    # --- The teacher's hands -------------------------------------------------------------------

    def client_size(self, window):
        client = self.driver.rect(window)["client"]
        return client[2] - client[0], client[3] - client[1]

    def capture(self, window, name):
        return self.driver.capture(artifact_path(name), window=window, client=True,
                                   raise_window=True, settle=0.5)["bitmap"]

    def wait_pixels(self, window, name, expected):
        """Every (x, y) -> colour of expected shows in one capture within the time repaints take."""
        wrong = []

        def shows():
            picture = self.capture(window, name)
            wrong[:] = [(point, picture.pixel(*point), colour) for point, colour in expected.items()
                        if not colour_close(picture.pixel(*point), colour, JPEG_TOLERANCE)]
            return not wrong
        try:
            wait_until(shows, timeout=30, interval=0.5)
        except Exception:
            self.fail(f"points showing something else: {wrong}")

    def open_combined(self, students):
        """Picks the students with the toolbar's collect view; the combined window in full screen."""
        marks = [len(s.journal.items()) for s in students]
        self.press(self.toolbar, COLLECT_VIEW)
        for student in students:
            self.driver.click(self.view, *self.cell_centre(student.seat))
        self.press(self.toolbar, COLLECT_VIEW)
        for student, mark in zip(students, marks):
            student.wait_text("[KW00004]3,1024,768", timeout=30, start=mark)
            student.wait_acknowledged(1)
        window = self.driver.wait_window(title=f"{students[0].seat}: ", pid=self.pid, timeout=30)
        wait_until(lambda: self.client_size(window)[0] > 1000 and self.driver.rect(window)["client"][:2] == [0, 0],
                   timeout=30, message="the combined window did not go full screen")
        return window

    def pane_point(self, window, pane, count, x, y):
        """A student's screen point (x, y) as a client point of its pane."""
        width, height = self.client_size(window)
        pane_w, pane_h = width // 2, height // 2
        left = (pane % 2) * pane_w
        top = height // 4 if count == 2 else (pane // 2) * pane_h
        return left + x * pane_w // SCREEN[0], top + y * pane_h // SCREEN[1]

    def pattern_points(self, window, panes):
        points = {}
        for pane, student in panes:
            for tile in CHECKED_TILES:
                points[self.pane_point(window, pane, 4, *student.tile_centre(tile))] = student.colour_of(tile)
        return points

    def expect_thumbnails_back(self, students, marks):
        for student, mark in zip(students, marks):
            student.wait_text("[KW00003]", timeout=30, start=mark)
            student.wait_text("[KW00005]", timeout=30, start=mark)
            keep_alive = len(student.journal.items())
            student.send_text("[PC00003]")
            student.wait_text("[KW10002]", timeout=30, start=keep_alive)
        grid = {self.cell_centre(student.seat): THUMBNAIL_COLOUR for student in students}
        self.wait_pixels(self.view, "combined-grid-after.bmp", grid)

    # --- Scenarios -----------------------------------------------------------------------------

    def test_a_four_students_in_one_window_then_one_is_lost(self):
        students = [self.admitted(seat, pattern=seat) for seat in (1, 2, 3, 4)]
        window = self.open_combined(students)

        # Every pane shows its own student's screen, fitted.
        self.wait_pixels(window, "combined-four.bmp", self.pattern_points(window, enumerate(students)))

        # A click in the third pane reaches the third student only, at its own coordinate, and
        # the keys typed after it go there too.
        mice = [len(s.mice()) for s in students]
        keys = [len(s.keys()) for s in students]
        x, y = self.pane_point(window, 2, 4, 320, 240)
        self.driver.click(window, x, y)
        down = students[2].wait_mouse(WM_LBUTTONDOWN, start=mice[2])
        self.assertAlmostEqual(down.x, 320, delta=2)
        self.assertAlmostEqual(down.y, 240, delta=2)
        self.driver.press_key(window, 0x41)
        students[2].journal.wait_until(lambda: len(students[2].keys()) >= keys[2] + 2, 30, what="two key records")
        self.assertEqual([(k.message, k.virtual_key) for k in students[2].keys()[keys[2]:]],
                         [(WM_KEYDOWN, 0x41), (WM_KEYUP, 0x41)])
        for other in (0, 1, 3):
            # (The real pointer resting over a pane may move it; only clicks are the teacher's.)
            clicks = [m for m in students[other].mice()[mice[other]:] if m.message != WM_MOUSEMOVE]
            self.assertEqual(clicks, [], f"student {other + 1} got a click")
            self.assertEqual(len(students[other].keys()), keys[other], f"student {other + 1} got keys")

        # The control switch: off, a click reaches nobody; on again, it reaches its student.
        mark = len(students[0].mice())
        self.driver.post(window, WM_COMMAND, SUM_TOGGLE_CONTROL)
        x, y = self.pane_point(window, 0, 4, 100, 100)
        self.driver.click(window, x, y)
        self.driver.let_input_through()     # with the control off the click leaves no trace to wait for
        self.driver.post(window, WM_COMMAND, SUM_TOGGLE_CONTROL)
        x, y = self.pane_point(window, 0, 4, 200, 150)
        self.driver.click(window, x, y)
        down = students[0].wait_mouse(WM_LBUTTONDOWN, start=mark)
        self.assertEqual([(m.x, m.y) for m in students[0].mice()[mark:] if m.message == WM_LBUTTONDOWN],
                         [(down.x, down.y)])
        self.assertAlmostEqual(down.x, 200, delta=2)

        # Out of full screen a student's smaller screen shrinks the window to it; back in full
        # screen the window covers the monitor again.
        full = self.client_size(window)
        self.driver.post(window, WM_COMMAND, SUM_FULL_SCREEN)
        wait_until(lambda: self.client_size(window) != full, timeout=30, message="the window stayed full screen")
        width, height = self.client_size(window)
        self.assertTrue(width > 320 and height > 240, f"the window left full screen at {width} x {height}")
        students[0].change_screen(320, 240)
        wait_until(lambda: self.client_size(window) == (320, 240), timeout=30,
                   message=f"the window did not shrink to the new screen: {self.client_size(window)}")
        self.driver.post(window, WM_COMMAND, SUM_FULL_SCREEN)
        wait_until(lambda: self.client_size(window) == full, timeout=30, message="not full screen again")
        students[0].change_screen(*SCREEN)

        # A student's chat line opens that student's chat over the window; it goes with it.
        students[3].chat("hello")
        chat = self.driver.wait_window(title=f"Slot :{students[3].seat},", pid=self.pid, timeout=30)

        # Closing gives all four their thumbnails back; nobody is told to stop a sound that a
        # combined window never turns on.
        marks = [len(s.journal.items()) for s in students]
        self.driver.close_window(window)
        self.driver.wait_gone(window, timeout=30)
        self.driver.wait_gone(chat, timeout=30)
        self.expect_thumbnails_back(students, marks)
        for student, mark in zip(students, marks):
            said = [item.text for item in student.journal.items()[mark:] if item.text]
            self.assertNotIn("[KW00029]off", said, f"student {student.seat} was told to stop its sound")

        # The same four again; the second is lost: its pane goes empty, the others stay live.
        window = self.open_combined(students)
        lost = students[1]
        lost.stop()
        live = [s for s in students if s is not lost]
        sequences = [s.send_tiles([0], colours=[(250, 250, 10)]) for s in live]
        for student, sequence in zip(live, sequences):
            student.wait_acknowledged(sequence)
        expected = {self.pane_point(window, pane, 4, *students[pane].tile_centre(0)): (250, 250, 10)
                    for pane in (0, 2, 3)}
        expected.update({self.pane_point(window, 1, 4, *lost.tile_centre(tile)): (0, 0, 0) for tile in CHECKED_TILES})
        self.wait_pixels(window, "combined-one-lost.bmp", expected)
        marks = [len(s.journal.items()) for s in live]
        self.driver.close_window(window)
        self.driver.wait_gone(window, timeout=30)
        self.expect_thumbnails_back(live, marks)
        # The lost student's seat is free again: nothing of its session holds it.
        self.wait_admitted(lost.seat, timeout=90, screen=SCREEN)
        self.assertIsNone(self.program.poll())

    def drawing_surface(self):
        height = self.driver.x_screen.size[1]
        return [w for w in self.driver.windows(pid=self.pid, title="", exact=True, visible=True)
                if w["class"] != DIALOG_CLASS and w["rect"][1] == 0 and w["rect"][3] >= height]

    def refused_close(self, close):
        """The bar's close while the class watches: a notice for a moment, then the button back."""
        self.driver.click(close)
        notice = wait_until(lambda: self.dialog_with(WAIT_TEXT, visible=True), timeout=30,
                            message="no notice refused the close")
        self.driver.wait_gone(notice, timeout=30)
        wait_until(lambda: self.driver.state(close)["window"]["enabled"], timeout=30,
                   message="the close button stayed disabled")

    def link_app(self, version):
        app = RemoconApp("127.0.0.1", self.port, version=version).start()
        self.stop_with_class(app.stop)
        app.wait_linked()
        return app

    def test_b_the_control_bar_buttons(self):
        # The bar shows the class share as a remote-controller app new enough to be told it does.
        self.link_app("2.0.1.1028")
        pad = self.admitted(6, edition="pad")
        mark = len(pad.journal.items())
        self.driver.double_click(self.view, *self.cell_centre(pad.seat))
        pad.wait_text("[KW00004]1,", timeout=30, start=mark)
        pad.wait_acknowledged(1)
        window = self.driver.wait_window(title=f"{pad.seat}: ", pid=self.pid, timeout=30)
        bar = wait_until(lambda: self.dialog_with(BAR_CLOSE, visible=True), timeout=30,
                         message="the session window has no control bar")

        def button(control, visible=True):
            return self.driver.find_child(bar, id=control, visible=visible, timeout=10)

        # A pad's keys, and the sound switch the bar keeps hidden.
        for control, text in ((BAR_HOME, "[KW00108]home"), (BAR_BACK, "[KW00108]back")):
            mark = len(pad.journal.items())
            self.driver.click(button(control))
            pad.wait_text(text, timeout=30, start=mark)
        self.assertFalse(self.driver.state(button(BAR_SOUND, visible=False))["window"]["visible"])
        mark = len(pad.journal.items())
        self.press_hidden(bar, BAR_SOUND)
        pad.wait_text("[KW00029]on", timeout=30, start=mark)
        pad.send_text("[PC00013]success")
        sound = button(BAR_SOUND, visible=False)
        wait_until(lambda: self.driver.send(sound, BM_GETCHECK) == 1, timeout=30,
                   message="the sound button does not show the sound playing")
        self.press_hidden(bar, BAR_SOUND)
        pad.wait_text("[KW00029]off", timeout=30, start=mark)

        # Full screen and back.
        # (The bar's command has no button of its own to click.)
        full = self.client_size(window)
        self.driver.post(bar, WM_COMMAND, BAR_FULL_SCREEN)
        wait_until(lambda: self.client_size(window) != full, timeout=30, message="the window stayed full screen")
        self.driver.post(bar, WM_COMMAND, BAR_FULL_SCREEN)
        wait_until(lambda: self.client_size(window) == full, timeout=30, message="the window is not full screen again")

        # While the class watches the teacher's screen the session does not close: a notice
        # shows for a moment and both buttons come back.
        self.press_hidden(self.toolbar, TOOLBAR_SHARE)   # hidden over the remote view
        wait_until(lambda: self.driver.send(button(BAR_SHARE), BM_GETCHECK) == 1, timeout=30,
                   message="the share button does not show the share")
        self.refused_close(button(BAR_CLOSE))
        self.assertTrue(self.driver.exists(window))
        self.press_hidden(self.toolbar, TOOLBAR_SHARE)   # hidden over the remote view
        wait_until(lambda: self.driver.send(button(BAR_SHARE), BM_GETCHECK) == 0, timeout=30,
                   message="the share button still shows the share")

        # With an older app linked the bar's share button is left as it is; the close is still
        # refused while the class watches.
        self.link_app("2.0.1.1027")
        self.press_hidden(self.toolbar, TOOLBAR_SHARE)   # hidden over the remote view
        self.refused_close(button(BAR_CLOSE))
        self.assertEqual(self.driver.send(button(BAR_SHARE), BM_GETCHECK), 0)
        self.press_hidden(self.toolbar, TOOLBAR_SHARE)   # hidden over the remote view

        # The pen button opens the pen tool; its pen mode photographs the screen without the bar,
        # which is back once the drawing surface is there. The close button ends the session.
        self.driver.click(button(BAR_PEN))
        pen_toolbar = wait_until(lambda: self.dialog_with(PEN_TITLE, visible=True), timeout=60,
                                 message="no pen toolbar opened")
        self.press(pen_toolbar, PEN_MODE)

        wait_until(self.drawing_surface, timeout=30, message="no drawing surface")
        wait_until(lambda: self.driver.state(pen_toolbar)["window"]["visible"]
                   and self.driver.state(bar)["window"]["visible"], timeout=30,
                   message="the control bar did not come back after the photograph")
        mark = len(pad.journal.items())
        self.driver.click(button(BAR_CLOSE))
        self.driver.wait_gone(window, timeout=30)
        self.driver.wait_gone(bar, timeout=30)
        pad.wait_text("[KW00003]", timeout=30, start=mark)
        self.assertIsNone(self.program.poll())

    def test_c_a_student_that_never_answers_is_waited_for_five_seconds_and_a_new_pick_ends_the_wait(self):
        first = self.admitted(5, pattern=5)
        second = self.admitted(7, pattern=7)
        frozen = self.admitted(8, pattern=8, narrow_window=True)
        # Setting up: a pen tool an earlier scenario left drawing goes back to touch mode (the
        # collect view is not started over a drawing).
        pen_toolbar = self.dialog_with(PEN_TITLE, visible=True)
        if pen_toolbar:
            self.press(pen_toolbar, PEN_TOUCH_MODE)
            wait_until(lambda: not self.drawing_surface(), timeout=30, message="the drawing surface stayed")
        # The third student's PC freezes: it takes in nothing more, and the console's answers to a
        # burst of its keep-alives soon fill the connection, so that the console's thread for it
        # waits in a write and never lends its connection. (The console answers the few hundred
        # that fill it in well under the second given here.)
        frozen.stop_reading()
        frozen.send_texts("[PC00003]", 2000)
        time.sleep(1.0)

        def pick(students):
            # The press also brings back a console the class share left minimised.
            self.press(self.toolbar, COLLECT_VIEW)
            wait_until(lambda: not self.driver.state(self.frame)["minimized"], timeout=20,
                       message="the class did not come into view")
            for student in students:
                self.driver.click(self.view, *self.cell_centre(student.seat))
            marks = [len(s.journal.items()) for s in students]
            self.press(self.toolbar, COLLECT_VIEW)
            return marks

        # Picked with the frozen one: after the wait the window opens with the one that answered.
        mark = pick([first, frozen])[0]
        first.wait_text("[KW00004]3,1024,768", timeout=30, start=mark)
        window = self.driver.wait_window(title=f"{first.seat}: ", pid=self.pid, timeout=30)
        first.wait_acknowledged(1)
        marks = [len(first.journal.items())]
        self.driver.close_window(window)
        self.driver.wait_gone(window, timeout=30)
        self.expect_thumbnails_back([first], marks)

        # Picked again; while the wait runs the teacher starts a new pick: the connection lent
        # meanwhile goes straight back, and the new pick alone opens its window, which the old
        # wait's end leaves alone.
        mark = pick([first, frozen])[0]
        first.wait_text("[KW00004]3,1024,768", timeout=30, start=mark)
        started = time.monotonic()
        back = len(first.journal.items())
        self.press(self.toolbar, COLLECT_VIEW)
        first.wait_text("[KW00003]", timeout=3, start=back)
        self.driver.click(self.view, *self.cell_centre(second.seat))
        mark = len(second.journal.items())
        self.press(self.toolbar, COLLECT_VIEW)
        second.wait_text("[KW00004]3,1024,768", timeout=30, start=mark)
        window = self.driver.wait_window(title=f"{second.seat}: ", pid=self.pid, timeout=30)
        second.wait_acknowledged(1)
        time.sleep(max(0.0, 6.0 - (time.monotonic() - started)))
        self.assertTrue(self.driver.exists(window))
        self.assertEqual([w for w in self.driver.windows(pid=self.pid, visible=True)
                          if w["title"].startswith(f"{first.seat}: ")], [])
        marks = [len(second.journal.items())]
        self.driver.close_window(window)
        self.driver.wait_gone(window, timeout=30)
        self.expect_thumbnails_back([second], marks)
        frozen.stop()


if __name__ == "__main__":
    unittest.main()
