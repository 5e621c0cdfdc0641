"""The presentation right under Wine, worked from the teacher toolbar with real clicks: the teacher
gives it to a pad, the pad drops off the network, and the right is free again at once — the class
share and the file transfer are not refused, and the right goes to another pad without the
"another student holds it" box. The pads are simulated (tests/peers/student_agent.py)."""

import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from console_case import ConsoleCase  # noqa: E402
from harness import wait_until  # noqa: E402
from remocon_app import StreamPad  # noqa: E402
from test_login import DIALOG_CLASS  # noqa: E402

SHARE_BUTTON, MONITORING, PRESENTATION, FILE_TRANSFER, PEN_TOOL = 1191, 1196, 1207, 1193, 1197
PEN_TITLE, PEN_TOUCH_MODE, PEN_DRAW_MODE = 1022, 1520, 1521
CAPTION_CLOSE, TRANSFER_STUDENTS, NOTICE_TEXT = 1628, 1016, 1059
BM_GETCHECK = 0x00F0
TRANSFER_TITLE = "\ud30c\uc77c \uc804\uc1a1"                                       # "파일 전송"


class PresentationRightTest(ConsoleCase):
    SEATS = 8

    @classmethod
    def prepare_folder(cls):
        cls.folder.configure(screensharebtnenable="true")

    @classmethod
    def after_login(cls):
        cls.toolbar = wait_until(cls.find_toolbar, timeout=60, message="the toolbar never showed")

    @classmethod
    def find_toolbar(cls):
        for window in cls.driver.windows(cls=DIALOG_CLASS, pid=cls.pid, visible=True):
            if cls.driver.windows(parent=window, id=SHARE_BUTTON):
                return window
        return None

    # --- The teacher's hands -------------------------------------------------------------------

    def button(self, control):
        return self.driver.find_child(self.toolbar, id=control, visible=True, timeout=20)

    def press(self, control):
        self.driver.click(self.button(control), real_input=True)

    def click_seat(self, seat):
        x, y = self.cell_centre(seat)
        self.driver.click(self.view, x=x, y=y, real_input=True)

    def minimised(self):
        return self.driver.state(self.frame)["minimized"]

    def right_in_use(self):
        return self.driver.send(self.button(PRESENTATION), BM_GETCHECK) == 1

    def shown_dialog(self, title=None, control=None):
        for window in self.driver.windows(cls=DIALOG_CLASS, pid=self.pid, visible=True, title=title,
                                          exact=title is not None):
            if control is None or self.driver.command("find", parent=window["hwnd"], id=control,
                                                      visible=True).get("ok"):
                return window
        return None

    def assert_no_notice(self):
        """A refused button would show its notice: none is shown."""
        self.assertIsNone(self.shown_dialog(control=NOTICE_TEXT))

    def give(self, pad, mark=0):
        """The pad's seat, then the presentation button: the pad is told, the toolbar shows the
        right in use and the console's window steps aside for the presenter."""
        self.click_seat(pad.seat)
        self.press(PRESENTATION)
        pad.wait_text("[KW00107]true", start=mark, timeout=30)
        wait_until(self.right_in_use, timeout=20, message="the toolbar does not show the right in use")
        wait_until(self.minimised, timeout=20, message="the console did not step aside")

    def take_back(self, pad, mark, timeout=30):
        """The presentation button pressed again: the pad is told, the right is free."""
        self.press(PRESENTATION)
        pad.wait_text("[KW00107]false", start=mark, timeout=timeout)
        wait_until(lambda: not self.right_in_use(), timeout=20, message="the right stayed in use")
        self.show_class()

    def open_and_close_file_transfer(self):
        """The file transfer opens (no refusal, no box holding it back); the teacher closes it."""
        self.press(FILE_TRANSFER)
        transfer = wait_until(lambda: self.shown_dialog(control=TRANSFER_STUDENTS), timeout=30,
                              message="the file transfer did not open")
        self.driver.click(self.driver.find_child(transfer, id=CAPTION_CLOSE, visible=True, timeout=10),
                          real_input=True)
        wait_until(lambda: not self.driver.shown(transfer), timeout=30, message="the file transfer stayed open")
        wait_until(lambda: self.driver.state(self.toolbar)["window"]["visible"], timeout=30,
                   message="the toolbar did not come back")

    def show_class(self):
        if self.minimised():
            self.press(MONITORING)
            wait_until(lambda: not self.minimised(), timeout=20, message="monitoring did not show the class")

    # --- The scenario ---------------------------------------------------------------------------

    def test_a_holder_that_drops_frees_the_right_for_everything_it_held_back(self):
        first = self.wait_admitted(1, served=True, edition="pad")
        second = self.wait_admitted(2, served=True, edition="pad")
        pupil = self.wait_admitted(3, served=True)
        self.show_class()

        # Given to the first pad.
        self.give(first)

        # The pad drops off the network: the right is free again everywhere.
        first.drop()
        wait_until(lambda: not self.right_in_use(), timeout=30,
                   message="the toolbar still shows the right of a pad that left")

        # The class share goes out and ends, not refused.
        mark = len(pupil.journal.items())
        self.press(SHARE_BUTTON)
        pupil.wait_text("[KW00102]start", start=mark, timeout=30)
        self.assert_no_notice()
        self.press(SHARE_BUTTON)
        pupil.wait_text("[KW00102]stop", start=mark, timeout=30)

        # The file transfer opens, not refused; the teacher closes it again.
        self.open_and_close_file_transfer()

        # The class in view again, and the right given to the second pad: no box says another
        # student holds it.
        self.show_class()
        mark = len(second.journal.items())
        self.give(second, mark)
        self.assertNotIn("[KW00107]true", pupil.commands)

        # Taken back from the second pad with the same button.
        self.take_back(second, mark)

    def test_b_a_pad_that_joins_after_the_streaming_holder_dropped_is_given_the_right_and_it_is_taken_back(self):
        self.show_class()
        first = self.wait_admitted(4, served=True, agent_class=StreamPad, keepalive_interval=None)
        self.give(first)
        # The holder watches the teacher's screen when its connection is lost.
        first.send_text("[AN00004]")
        first.wait_blocks(1, timeout=30)
        first.drop()
        wait_until(lambda: not self.right_in_use(), timeout=30,
                   message="the toolbar still shows the right of a pad that left")

        # Another pad joins, in the seat the first one left; the teacher picks it and gives it
        # the right, then takes it back with the same button while the console stands aside.
        second = self.wait_admitted(4, served=True, edition="pad")
        self.show_class()
        self.give(second)
        self.take_back(second, len(second.journal.items()), timeout=10)

        # Given and taken back by two quick presses: the second press is a press of its own.
        mark = len(second.journal.items())
        self.click_seat(second.seat)
        self.driver.double_click(self.button(PRESENTATION), real_input=True)
        second.wait_text("[KW00107]true", start=mark, timeout=30)
        second.wait_text("[KW00107]false", start=mark, timeout=10)
        wait_until(lambda: not self.right_in_use(), timeout=20, message="the right stayed in use")
        self.show_class()

    def test_c_while_the_pen_draws_the_presentation_button_asks_nothing_of_the_teacher(self):
        self.show_class()
        self.click_seat(self.SEATS)                    # an empty seat: nobody to give the right to
        self.press(PEN_TOOL)
        pen = wait_until(lambda: self.shown_dialog(control=PEN_TITLE), timeout=60, message="no pen toolbar opened")
        self.driver.click(self.driver.find_child(pen, id=PEN_DRAW_MODE, visible=True, timeout=10), real_input=True)
        wait_until(self.drawing_surface, timeout=30, message="no drawing surface")

        # The button pressed while drawing over the screen: no box about choosing a student
        # first comes up over the drawing (one would hold every command of the toolbar back).
        self.press(PRESENTATION)
        self.driver.click(self.driver.find_child(pen, id=PEN_TOUCH_MODE, visible=True, timeout=10), real_input=True)
        wait_until(lambda: not self.drawing_surface(), timeout=30, message="the drawing surface stayed")
        self.open_and_close_file_transfer()
        self.assertFalse(self.right_in_use())

    def drawing_surface(self):
        width = self.driver.x_screen.size[0]
        return [w for w in self.driver.windows(pid=self.pid, title="", exact=True, visible=True)
                if w["class"] != DIALOG_CLASS and w["rect"][0] == 0 and w["rect"][2] >= width]


if __name__ == "__main__":
    unittest.main()
