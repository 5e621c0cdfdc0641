"""The hand-held remote-controller app and the pad that asks for the teacher's screen, under Wine:
the console, logged in at a simulated login server, links a simulated app (tests/peers/
remocon_app.py) on the students' port, streams the known pattern of tests/tools/share_pattern to
it, plays its click and keys on a small test window, lets it lock the students' input, gives the
link to a second app, and survives an app that vanishes mid-stream. A pad holding the
presentation right asks for the teacher's screen, rebuilds it, and stops it."""

import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

import lumora_wire as wire  # noqa: E402
from console_case import ConsoleCase  # noqa: E402
from harness import artifact_path, start_program, wait_until  # noqa: E402
from peer_common import seconds_to_answer  # noqa: E402
from remocon_app import RemoconApp, StreamPad  # noqa: E402
from student_agent import StudentAgent  # noqa: E402
from test_login import DIALOG_CLASS  # noqa: E402
from test_screen_share import BLOCK, block_colour, close, rect_of  # noqa: E402

SCREEN = (1920, 1080)
PRESENTATION_BUTTON, FILE_TRANSFER_BUTTON = 1207, 1193
BM_GETCHECK, NOTICE_TEXT = 0x00F0, 1059
WM_SYSCOMMAND, SC_MINIMIZE, SC_RESTORE, WM_DISPLAYCHANGE = 0x0112, 0xF020, 0xF120, 0x007E
APP_CLASS = "LumoraUiDriverTestApp"
VIEWER_TITLE = "\ud654\uba74\uacf5\uc720"      # "화면공유"
TAKEN_OVER = "[KW10000]4,\ub2e4\ub978 \ud328\ub4dc\uc5d0\uc11c \uc811\uc18d\ud558\uc5ec \uc885\ub8cc\ud569\ub2c8\ub2e4."


class RemoteControllerTest(ConsoleCase):
    SEATS = 8

    @classmethod
    def after_login(cls):
        cls.whitened = set()      # pattern blocks a test painted white
        cls.toolbar = wait_until(cls.find_toolbar, timeout=60, message="the toolbar never showed")
        pattern = start_program(cls.env.tool_path("share_pattern"), wine_env=cls.env)
        cls.stop_with_class(pattern.stop)
        cls.pattern_window = cls.driver.wait_window(cls="LumoraSharePattern", timeout=60)

    @classmethod
    def find_toolbar(cls):
        for window in cls.driver.windows(cls=DIALOG_CLASS, pid=cls.pid, visible=True):
            if cls.driver.windows(parent=window, id=PRESENTATION_BUTTON):
                return window
        return None

    def app(self, version="2.0.1.1028"):
        app = RemoconApp("127.0.0.1", self.port, version=version).start()
        self.stop_with_class(app.stop)
        app.wait_linked()
        return app

    def student(self, seat, kind=StudentAgent, **options):
        return self.wait_admitted(seat, served=True, agent_class=kind, **options)

    def whiten(self, column, row):
        self.whitened.add((column, row))
        self.driver.post(self.pattern_window, 0x8000 + 1, column, row)

    def show_pattern(self):
        """The pattern over the whole screen: the console frame goes out of the way."""
        self.driver.post(self.frame, WM_SYSCOMMAND, SC_MINIMIZE, 0)
        self.driver.foreground(self.pattern_window)
        time.sleep(0.5)

    def covered(self, extra=()):
        """Screen rectangles of the console's own visible windows (the toolbar), and any extra."""
        boxes = list(extra)
        for window in self.driver.windows(pid=self.pid, visible=True):
            left, top, right, bottom = rect_of(self.driver.rect(window))
            if right - left < SCREEN[0] - 20:
                boxes.append((left, top, right, bottom))
        return boxes

    def assert_picture_shows_pattern(self, receiver, canvas):
        """Each pattern block's middle, scaled onto the receiver's canvas, has the block's colour."""
        sx, sy = canvas[0] / SCREEN[0], canvas[1] / SCREEN[1]
        boxes = self.covered()
        wrong = []
        for row in range(SCREEN[1] // BLOCK[1]):
            for column in range(SCREEN[0] // BLOCK[0]):
                left, top = column * BLOCK[0], row * BLOCK[1]
                if any(left < r + 10 and left + BLOCK[0] > l - 10 and top < b + 10 and top + BLOCK[1] > t - 10
                       for l, t, r, b in boxes):
                    continue
                box = (int((left + BLOCK[0] / 4) * sx), int((top + BLOCK[1] / 4) * sy),
                       int((left + 3 * BLOCK[0] / 4) * sx), int((top + 3 * BLOCK[1] / 4) * sy))
                with receiver._lock:
                    pixels = list(receiver.canvas.crop(box).getdata())
                mean = tuple(sum(p[c] for p in pixels) // len(pixels) for c in range(3))
                expected = (255, 255, 255) if (column, row) in self.whitened else block_colour(column, row)
                if not close(mean, expected):
                    wrong.append((column, row, mean))
        self.assertEqual(wrong, [], f"blocks that differ from the screen at {receiver.label}")

    # ------------------------------------------------------------------------------------------

    def test_the_app_links_streams_plays_input_locks_the_class_and_is_replaced(self):
        students = [self.student(1), self.student(2)]
        first = self.app()
        self.assertEqual(first.wait_text("[RH00001]", timeout=10).text, f"[RH00001]{SCREEN[0]},{SCREEN[1]}")
        self.assertEqual(first.wait_text("[RH00003]", timeout=10).text, "[RH00003]0")
        self.assertEqual(first.wait_text("[RH00004]", timeout=10).text, "[RH00004]0")
        first.send_text("[RC00003]")
        first.wait_text("[RH10002]", timeout=10)
        # A new display layout is told to the app again.
        self.driver.post(self.frame, WM_DISPLAYCHANGE, 32, SCREEN[1] << 16 | SCREEN[0])
        first.journal.wait_until(lambda: first.texts.count(f"[RH00001]{SCREEN[0]},{SCREEN[1]}") == 2, 20,
                                 what="the screen size after a display change")

        # The teacher's screen, stretched onto the app's canvas: 1280 x 720 in 8 x 4 tiles.
        self.show_pattern()
        first.stream(1280, 720)
        first.wait_tiles(32, timeout=60)
        self.assertEqual(first.errors, [])
        time.sleep(0.5)
        self.assert_picture_shows_pattern(first, (1280, 720))
        # Without acknowledgements at most three blocks go out; an acknowledgement lets more go.
        first.acknowledging = False
        self.whiten(3, 3)
        start = first.block_count()
        for column in range(6):
            self.whiten(column, 5)
            time.sleep(0.3)
        self.assertLessEqual(first.block_count() - start, 3)
        first.acknowledging = True
        first.send_text(f"[RC00006]{first.blocks[-1].sequence}")
        first.journal.wait_until(lambda: first.block_count() - start > 3, 20, what="blocks after the acknowledgement")
        first.send_text("[RC00005]")
        time.sleep(0.5)
        stopped = first.block_count()
        time.sleep(1.0)
        self.assertEqual(first.block_count(), stopped)

        # Its click and keys are played on the teacher PC: the test window sees them.
        window_app = start_program(self.env.tool_path("uidriver_testapp"), ["remote input"], wine_env=self.env)
        self.addCleanup(window_app.stop)
        window = self.driver.wait_window(cls=APP_CLASS, title="remote input", exact=True, timeout=60)
        self.driver.foreground(window)
        left, top = self.driver.rect(window)["client"][:2]
        first.click(left + 330, top + 180)
        wait_until(lambda: self.driver.get_text(window).startswith("click"), timeout=20,
                   message="the injected click never arrived")
        x, y = (int(v) for v in self.driver.get_text(window).split()[1].split(","))
        self.assertLessEqual(abs(x - 330) + abs(y - 180), 4)
        edit = self.driver.find_child(window, id=101, timeout=10)
        first.click(left + 60, top + 20)                      # into the edit
        first.send_text("[RC00014]76")                        # "L"
        first.send_text("[RC00014]0")                         # no character: ignored
        first.send_text("[RC00014]70000")                     # beyond 0xFFFF: ignored
        first.send_packet(wire.KeyEvents([wire.KeyEvent(0x100, 0x41, 1, 0x1E), wire.KeyEvent(0x101, 0x41, 1, 0x1E)]))
        wait_until(lambda: self.driver.get_text(edit) == "La", timeout=20,
                   message=f"the injected keys never arrived: {self.driver.get_text(edit)!r}")

        # Seconds of typing queued when a second app takes the link over: the first is told and
        # let go, and what it queued is typed no more. An app of version 2.0.1.1027 or older
        # gets no state replies, and locks the class's input itself.
        typing = wire.KeyEvents([wire.KeyEvent(0x100, 0x42, 1, 0x30), wire.KeyEvent(0x101, 0x42, 1, 0x30)])
        for _ in range(300):
            first.send_packet(typing)
        wait_until(lambda: self.driver.get_text(edit).startswith("Lab"), timeout=20,
                   message=f"the queued keys never arrived: {self.driver.get_text(edit)!r}")
        second = self.app(version="2.0.1.1027")
        self.assertEqual(first.wait_text("[KW10000]", timeout=10).text, TAKEN_OVER)
        first.wait_closed(timeout=20)
        typed = self.driver.get_text(edit)
        time.sleep(1.0)
        self.assertEqual(self.driver.get_text(edit), typed, "keys of the app that was let go are still typed")
        self.assertLess(len(typed), 2 + 300)
        second.wait_text("[RH00001]", timeout=10)
        second.send_text("[RC00003]")
        second.wait_text("[RH10002]", timeout=10)
        self.assertFalse([t for t in second.texts if t.startswith(("[RH00003]", "[RH00004]"))])
        second.send_text("[RC00013]on")
        for student in students:
            student.wait_text("[KW00051]true", timeout=20)
            student.wait_text("[KW00050]true", timeout=20)
        second.send_text("[RC00013]off")
        for student in students:
            student.wait_text("[KW00051]false", timeout=20)

        # Mid-stream it vanishes; the console goes on serving the class and links the next app.
        second.stream(640, 360)
        second.wait_blocks(1, timeout=60)
        second.stop()
        third = self.app()
        third.send_text("[RC00003]")
        third.wait_text("[RH10002]", timeout=10)
        kept = len(students[0].texts)
        students[0].send_text("[PC00003]")
        students[0].journal.wait_until(lambda: len(students[0].texts) > kept, 20, what="the console's answer")
        self.assertTrue(self.program.running())

    def notices(self):
        """(window, text) of every wait notice shown. A notice goes on its own time, between any
        two questions: one that went meanwhile is not counted."""
        shown = []
        for window in self.driver.windows(cls=DIALOG_CLASS, pid=self.pid, visible=True):
            found = self.driver.command("find", parent=window["hwnd"], id=NOTICE_TEXT)
            text = found.get("ok") and self.driver.command("gettext", hwnd=found["window"]["hwnd"])
            if text and text.get("ok"):
                shown.append((window, text["text"]))
        return shown

    def test_a_pad_with_the_presentation_right_gets_the_teacher_screen_and_stops_it(self):
        pad = self.student(5, kind=StreamPad, keepalive_interval=None)
        other = self.student(6, kind=StreamPad, keepalive_interval=None)
        # Pads without the right ask for the teacher's screen, again and again: they are answered
        # nothing, and the teacher reads one notice per pad that asked, however often it asks.
        for _ in range(3):
            for asking in (pad, other):
                asking.send_text("[AN00004]")
        shown = wait_until(lambda: len(self.notices()) == 2 and self.notices(), timeout=30,
                           message=f"not one notice for each pad that asked: {self.notices()}")
        self.assertEqual(sorted(text[:1] for _, text in shown), ["5", "6"])
        for _ in range(3):
            for asking in (pad, other):
                asking.send_text("[AN00004]")
        while self.notices():
            self.assertLessEqual(len(self.notices()), 2, "a second notice for a pad that asked again")
            time.sleep(0.1)
        for asking in (pad, other):
            self.assertFalse([t for t in asking.texts if t.startswith("[AN00001]")])
            self.assertEqual(asking.block_count(), 0)

        # The teacher gives the pad the presentation right: its slot, then the toolbar's button.
        self.focus_seat(5)
        button = self.driver.find_child(self.toolbar, id=PRESENTATION_BUTTON, timeout=10)
        self.driver.click(button)
        pad.wait_text("[KW00107]true", timeout=30)
        self.assertEqual(self.driver.send(button, BM_GETCHECK), 1)

        self.show_pattern()
        pad.send_text("[AN00004]")
        self.assertEqual(pad.wait_text("[AN00001]", timeout=20).text, f"[AN00001]{SCREEN[0]},{SCREEN[1]}")
        pad.wait_tiles(32, timeout=60)          # 1024 x 768 in tiles of 128 x 192
        self.assertEqual(pad.errors, [])
        time.sleep(0.5)
        self.assert_picture_shows_pattern(pad, pad.screen)
        pad.send_text("[AN00003]")
        pad.wait_text("[KW10002]", timeout=20)

        # Rebuilt at the pad's request: the stream goes on and the toolbar still shows it.
        sent = pad.block_count()
        pad.send_text(f"[AN00010]{pad.screen[0]},{pad.screen[1]}")
        self.whiten(3, 3)
        wait_until(lambda: pad.block_count() > sent, timeout=30, message="the rebuilt stream sent nothing")
        self.assertEqual(self.driver.send(button, BM_GETCHECK), 1)
        # Asked again and again, and by a pad it does not stream to, the console rebuilds the stream
        # at most once a second and answers the pad at once meanwhile.
        for _ in range(200):
            pad.send_text(f"[AN00010]{pad.screen[0]},{pad.screen[1]}")
            other.send_text(f"[AN00010]{other.screen[0]},{other.screen[1]}")
        self.assertLess(seconds_to_answer(pad, "[AN00003]", "[KW10002]", what="the keep-alive answer after the requests"),
                        1.0)
        sent = pad.block_count()
        self.whiten(4, 3)
        wait_until(lambda: pad.block_count() > sent, timeout=30, message="the stream stopped after the requests")
        self.assertEqual(self.driver.send(button, BM_GETCHECK), 1)

        # Stopped by the pad: nothing more is sent, and the toolbar no longer shows the share.
        pad.send_text("[AN00005]")
        wait_until(lambda: self.driver.send(button, BM_GETCHECK) == 0, timeout=30,
                   message="the toolbar still shows the stream to the pad")
        stopped = pad.block_count()
        self.whiten(2, 2)
        time.sleep(1.5)
        self.assertEqual(pad.block_count(), stopped)

        # Asked for again, then the teacher takes the right back: the pad sees no more of the
        # teacher's screen.
        sent = pad.block_count()
        pad.send_text("[AN00004]")
        self.whiten(4, 4)
        wait_until(lambda: pad.block_count() > sent, timeout=30, message="the stream did not start again")
        mark = len(pad.journal.items())
        self.focus_seat(5)
        self.driver.click(button)
        pad.wait_text("[KW00107]false", start=mark, timeout=30)
        stopped = pad.block_count()
        self.show_pattern()
        self.whiten(5, 5)
        time.sleep(1.5)
        self.assertEqual(pad.block_count(), stopped, "the pad whose right was taken back still sees the screen")

        # The other pad is given the right; the first one's stop, acknowledgement and restart
        # change nothing of it: the toolbar still shows the right in use and refuses the file
        # transfer, and the teacher takes the right back with the same button.
        mark = len(other.journal.items())
        self.focus_seat(6)
        self.driver.click(button)
        other.wait_text("[KW00107]true", start=mark, timeout=30)
        for text in ("[AN00005]", f"[AN00006]{stopped}", f"[AN00010]{pad.screen[0]},{pad.screen[1]}"):
            pad.send_text(text)
        answered = len(pad.journal.items())
        pad.send_text("[PC00003]")
        pad.wait_text("[KW10002]", start=answered, timeout=20)
        self.assertEqual(self.driver.send(button, BM_GETCHECK), 1)
        self.driver.click(self.driver.find_child(self.toolbar, id=FILE_TRANSFER_BUTTON, timeout=10))
        notice, text = wait_until(lambda: self.notices() and self.notices()[0], timeout=30,
                                  message="the file transfer was not refused while the right is in use")
        self.driver.wait_gone(notice, timeout=30)
        self.driver.click(button)
        other.wait_text("[KW00107]false", start=mark, timeout=30)
        self.assertEqual(pad.block_count(), stopped)

    def viewers(self):
        return [w for w in self.driver.windows(pid=self.pid, visible=True) if w["title"] == VIEWER_TITLE]

    def test_the_app_screen_in_its_viewer_window(self):
        # A connection that never linked is no app: its commands do nothing.
        rogue = RemoconApp("127.0.0.1", self.port, link=False).start()
        self.stop_with_class(rogue.stop)
        rogue.journal.wait_until(lambda: rogue.phase == "pending", 30, what="the rogue's offer")
        for text in ("[RC00008]640,360,window,center", "[RC00009]start", "[RC00003]"):
            rogue.send_text(text)
        time.sleep(1.5)
        self.assertFalse([t for t in rogue.texts if t.startswith("[RH")])
        self.assertEqual(self.viewers(), [])

        app = self.app()
        app.send_text("[RC00008]640,360,window,center")
        app.send_text("[RC00009]start")
        viewer = wait_until(lambda: self.viewers(), timeout=30, message="the viewer never opened")[0]
        wait_until(lambda: not self.driver.state(self.toolbar)["window"]["visible"], timeout=10,
                   message="the toolbar stayed over the viewer")
        # A block whose fields disagree with its data is not drawn, but acknowledged.
        app.send_packet(wire.TileBlock(5000, 41, b"\x78\x9c" + bytes(40)))
        self.assertEqual(app.wait_text("[RH00002]", timeout=20).text, "[RH00002]41")
        sequence = app.send_screen(640, 360, (200, 30, 60))
        app.wait_text(f"[RH00002]{sequence}", timeout=20)
        self.driver.foreground(viewer)
        left, top, right, bottom = self.driver.rect(viewer)["client"]

        def painted():
            screen = self.driver.capture(artifact_path("remocon-viewer.bmp"), settle=0.3)["bitmap"]
            return close(screen.pixel((left + right) // 2, (top + bottom) // 2), (200, 30, 60))
        wait_until(painted, timeout=20, interval=0.5, message="the viewer never showed the app's screen")

        # A second start ends the first viewer before it opens the next; any other text closes it.
        app.send_text("[RC00009]start")
        app.send_text("[RC00003]")
        app.wait_text("[RH10002]", timeout=20)
        wait_until(lambda: len(self.viewers()) == 1 and self.viewers()[0]["hwnd"] != viewer["hwnd"], timeout=20,
                   message="the old viewer was not replaced")
        app.send_text("[RC00009]stop")
        wait_until(lambda: not self.viewers(), timeout=20, message="the viewer never closed")
        wait_until(lambda: self.driver.state(self.toolbar)["window"]["visible"], timeout=10,
                   message="the toolbar never came back")

    def focus_seat(self, seat):
        # Setting up: the console back over the pattern an earlier scenario left in front.
        if self.driver.state(self.frame)["minimized"]:
            self.driver.post(self.frame, WM_SYSCOMMAND, SC_RESTORE, 0)
            wait_until(lambda: not self.driver.state(self.frame)["minimized"], timeout=20,
                       message="the console did not come back")
        self.driver.foreground(self.frame)
        client = self.driver.rect(self.view)["client"]
        width = client[2] - client[0]
        cell = (width - 40) // 8
        pitch = (cell - 2) * 3 // 4 + 2
        index = seat - 1
        x, y = index % 8 * cell + cell // 2 + 5, index // 8 * pitch + pitch // 2
        self.driver.click(self.view, x, y)


if __name__ == "__main__":
    unittest.main()
