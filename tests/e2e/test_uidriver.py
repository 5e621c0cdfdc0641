"""The UI driver against its own small test window under Wine: finding windows and controls,
text, clicks, the wheel and keys (real input through the X server, and posted), the refusal of a real click on a window that is not
what a user sees at the point, pictures, a modal box answered like a user would, and the one-shot
command line with its exit codes."""

import itertools
import json
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import NotOnScreenError, UiDriver, UiDriverError, artifact_path, start_program, wait_until  # noqa: E402

APP_CLASS = "LumoraUiDriverTestApp"
EDIT_ID, COPY_ID, MESSAGE_ID = 101, 102, 103
RED = (255, 0, 0)
RED_BLOCK = (240, 80, 320, 140)      # client coordinates, right/bottom exclusive
COPY_BUTTON_POINT = (55, 57)         # client point inside the Copy button
BACKGROUND_POINT = (300, 200)        # client point on no control
VK_BACK, SC_MAXIMIZE, WM_GETTEXTLENGTH = 0x08, 0xF030, 0x000E

_titles = itertools.count(1)


class UiDriverTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = UiDriver()
        cls.env = cls.driver.wine_env

    @classmethod
    def tearDownClass(cls):
        cls.driver.close()

    def setUp(self):
        self.title, self.window = self.start_app()
        self.edit = self.driver.find_child(self.window, id=EDIT_ID)

    def start_app(self):
        title = f"UiDriver Test {os.getpid()}.{next(_titles)}"
        app = start_program(self.env.tool_path("uidriver_testapp"), [title], wine_env=self.env)
        self.addCleanup(app.stop)
        self.app = app
        return title, self.driver.wait_window(cls=APP_CLASS, title=title, exact=True)

    def title_becomes(self, expected):
        return wait_until(lambda: self.driver.get_text(self.window) == expected, timeout=10,
                          message=f"title never became {expected!r}")

    def client_origin(self):
        left, top, _, _ = self.driver.rect(self.window)["client"]
        return left, top

    def test_finds_the_window_and_its_controls_every_way(self):
        d = self.driver
        by_substring = d.wait_window(title=self.title[3:])
        by_process = d.wait_window(cls=APP_CLASS, pid=self.window["pid"])
        self.assertEqual(by_substring["hwnd"], self.window["hwnd"])
        self.assertEqual(by_process["hwnd"], self.window["hwnd"])
        self.assertEqual(self.window["rect"], [100, 100, 540, 360])
        self.assertIn(self.window["hwnd"], [w["hwnd"] for w in d.windows(pid=self.window["pid"], visible=True)])

        children = {c["id"]: c for c in d.windows(parent=self.window)}
        self.assertEqual(children[EDIT_ID]["class"].lower(), "edit")
        self.assertEqual((children[COPY_ID]["title"], children[MESSAGE_ID]["title"]), ("Copy", "Message"))
        self.assertTrue(all(c["parent"] == self.window["hwnd"] for c in children.values()))
        copy = d.find_child(self.window, cls="Button", text="Copy", exact=True)
        self.assertEqual(copy["hwnd"], children[COPY_ID]["hwnd"])
        self.assertEqual(d.find_child(self.window, text="Mess")["id"], MESSAGE_ID)

        with self.assertRaises(UiDriverError) as missing:
            d.find_child(self.window, id=999, timeout=0.2)
        self.assertEqual(missing.exception.code, 1)
        with self.assertRaises(UiDriverError) as absent:
            d.wait_window(title=self.title + " (not there)", exact=True, timeout=0.3)
        self.assertEqual(absent.exception.code, 1)
        self.assertIn("(not there)", str(absent.exception))   # a failed wait says what it waited for

    def test_edit_text_round_trips_and_the_button_copies_it_into_the_title(self):
        text = 'Lumora \uc548\ub155 "quoted" back\\slash \U0001F600 =--x'
        self.driver.set_text(self.edit, text)
        self.assertEqual(self.driver.get_text(self.edit), text)
        self.driver.click(self.driver.find_child(self.window, id=COPY_ID))
        self.title_becomes(text)

    def test_mouse_clicks_at_a_point_reach_what_lies_under_it(self):
        d = self.driver
        d.set_text(self.edit, "via the mouse")
        target = d.click(self.window, *COPY_BUTTON_POINT)
        self.assertEqual(target, d.find_child(self.window, id=COPY_ID)["hwnd"])
        self.title_becomes("via the mouse")

        x, y = BACKGROUND_POINT
        self.assertEqual(d.click(self.window, x, y), self.window["hwnd"])
        self.title_becomes(f"click {x},{y}")
        # The X server's pointer is where the click was, as with a real mouse.
        left, top = self.client_origin()
        self.assertEqual(d.x_screen.pointer(), (left + x, top + y))
        d.double_click(self.window, x + 10, y + 5)
        self.title_becomes(f"double-click {x + 10},{y + 5}")
        d.click(self.window, x, y + 5, ctrl=True)
        self.title_becomes(f"ctrl-click {x},{y + 5}")
        d.right_click(self.window, x, y)
        self.title_becomes(f"context menu {left + x},{top + y}")
        d.wheel(self.window, x, y, notches=1)
        self.title_becomes("wheel 120")
        d.wheel(self.window, x, y, notches=-1)
        self.title_becomes("wheel -120")
        # A drag on a window that does not hold the mouse fails, and lets the button go: a button
        # left down on the X server would swallow every later press.
        with self.assertRaises(TimeoutError) as lost:
            d.drag(self.window, [(x, y), (x + 20, y)])
        self.assertIn("never took the mouse capture", str(lost.exception))
        d.click(self.window, x + 2, y)
        self.title_becomes(f"click {x + 2},{y}")
        # Posted, for what no user gesture produces: the same handlers, whatever is in front.
        d.click(self.window, x + 1, y, real_input=False)
        self.title_becomes(f"click {x + 1},{y}")

    def test_a_real_click_is_refused_where_the_user_sees_another_window(self):
        d = self.driver
        cover_title, cover = self.start_app()       # opens over the first one, at the same place
        with self.assertRaises(NotOnScreenError) as covered:
            d.click(self.window, *BACKGROUND_POINT)
        self.assertIn(cover_title, str(covered.exception))
        self.assertIn(cover["hwnd"], str(covered.exception))
        # A click on the window in front activates it and reaches it.
        d.click(cover, *BACKGROUND_POINT)
        wait_until(lambda: d.get_text(cover) == "click %d,%d" % BACKGROUND_POINT, timeout=10)
        self.assertTrue(d.state(cover)["foreground"])

    def test_a_real_click_is_refused_where_the_x_screen_does_not_show_the_window(self):
        d = self.driver
        x, y = BACKGROUND_POINT
        aimed = d.aim(self.window, x, y)
        # Wine still counts the window visible and in front; the X server shows what lies behind.
        d.x_screen.unmap(aimed["x11"])
        wait_until(lambda: aimed["x11"] not in d.x_screen.windows_at(aimed["x"], aimed["y"]), timeout=10)
        self.assertTrue(d.shown(self.window))
        with self.assertRaises(NotOnScreenError) as hidden:
            d.click(self.window, x, y)
        self.assertIn("not drawn there", str(hidden.exception))
        self.assertIn(self.title, str(hidden.exception))
        self.assertNotIn("click", d.get_text(self.window))

    def test_keys_typed_by_message_and_by_real_input(self):
        d = self.driver
        d.type_text(self.edit, "abc", real_input=False)
        d.press_key(self.edit, VK_BACK, real_input=False)
        wait_until(lambda: d.get_text(self.edit) == "ab", timeout=10)
        d.click(self.edit)
        d.type_text(self.edit, "x\uc548Q!")                      # a lent key, Shift held for two
        d.press_key(self.edit, VK_BACK)
        wait_until(lambda: d.get_text(self.edit) == "abx\uc548Q", timeout=10)
        d.press_key(self.edit, VK_BACK)
        self.assertTrue(d.state(self.window)["foreground"])
        d.click(self.window, *COPY_BUTTON_POINT)
        self.title_becomes("abx\uc548")

        # Wine reads a key from the X window that has the X server's focus and gives it to that
        # window's thread: with the focus left on another program's window (nothing but a window
        # manager moves it), the keys still reach the active window's field, and only it.
        left_behind = d.aim(self.window, *BACKGROUND_POINT)["x11"]
        _, front = self.start_app()                               # opens over this one, active
        front_edit = d.find_child(front, id=EDIT_ID)
        d.click(front_edit)
        d.x_input.focus(left_behind)
        d.type_text(front_edit, "yz")
        wait_until(lambda: d.get_text(front_edit) == "yz", timeout=10)
        self.assertEqual(d.get_text(self.edit), "abx\uc548")

    def test_pictures_of_client_window_and_screen_show_the_red_block_in_place(self):
        d = self.driver
        client = d.capture(artifact_path("uidriver-client.bmp"), self.window, client=True)
        self.assertEqual(client["method"], "screen")
        self.assertEqual(client["bitmap"].bounding_box(RED), RED_BLOCK)
        self.assertEqual(client["bitmap"].region_fraction(RED_BLOCK, RED), 1.0)

        left, top = self.client_origin()
        whole = d.capture(artifact_path("uidriver-window.bmp"), self.window)
        wl, wt = whole["rect"][:2]
        self.assertEqual((whole["bitmap"].width, whole["bitmap"].height), (440, 260))
        self.assertEqual(whole["bitmap"].bounding_box(RED), shifted(RED_BLOCK, left - wl, top - wt))
        screen = d.capture(artifact_path("uidriver-screen.bmp"))
        self.assertEqual(screen["bitmap"].bounding_box(RED), shifted(RED_BLOCK, left, top))

        self.assertEqual(d.pixel(RED_BLOCK[0], RED_BLOCK[1], self.window), RED)
        self.assertEqual(d.pixel(RED_BLOCK[2] - 1, RED_BLOCK[3] - 1, self.window), RED)
        self.assertNotEqual(d.pixel(RED_BLOCK[2], RED_BLOCK[3], self.window), RED)

    def test_message_box_is_answered_with_its_ok_button(self):
        d = self.driver
        d.click(d.find_child(self.window, id=MESSAGE_ID))
        box = d.wait_window(cls="#32770", owner=self.window)
        self.assertEqual(box["title"], "Test Message")
        self.assertEqual(box["pid"], self.window["pid"])
        wait_until(lambda: not d.state(self.window)["window"]["enabled"], timeout=10)
        with self.assertRaises(NotOnScreenError):                  # disabled under its box
            d.click(d.find_child(self.window, id=COPY_ID))
        with self.assertRaises(UiDriverError) as blocked:
            d.click(d.find_child(self.window, id=COPY_ID), real_input=False)
        self.assertEqual(blocked.exception.code, 1)

        ok = d.find_child(box, id=1, cls="Button")
        self.assertEqual(ok["title"], "OK")
        d.click(ok)
        d.wait_gone(box)
        self.title_becomes("MessageBox returned 1")

    def test_maximise_query_and_close_end_the_program(self):
        d = self.driver
        self.assertFalse(d.state(self.window)["maximized"])
        d.post(self.window, "WM_SYSCOMMAND", SC_MAXIMIZE)
        wait_until(lambda: d.state(self.window)["maximized"], timeout=10)
        self.assertEqual(d.send(self.window, WM_GETTEXTLENGTH), len(self.title))
        d.close_window(self.window, wait=True)
        self.assertFalse(d.exists(self.window))
        self.assertEqual(self.app.wait(timeout=20), 0)

    def test_one_shot_runs_answer_one_line_with_their_exit_code(self):
        def run(*args):
            result = subprocess.run(["wine", str(self.env.tool_path("uidriver")), *args], env=self.env.env(),
                                    capture_output=True, timeout=120)
            lines = result.stdout.decode("ascii").splitlines()
            self.assertEqual(len(lines), 1, result.stdout)
            return result.returncode, json.loads(lines[0])

        code, answer = run("state", f"--hwnd={self.window['hwnd']}")
        self.assertEqual((code, answer["ok"], answer["window"]["title"]), (0, True, self.title))
        self.assertEqual(run("wait", "--title=" + self.title + " (not there)", "--timeout=100")[0], 1)
        self.assertEqual(run("gettext", "--hwnd=0x1")[0], 1)
        self.assertEqual(run("wait", "--colour=red")[0], 2)
        self.assertEqual(run("settext", f"--hwnd={self.window['hwnd']}")[0], 2)
        self.assertEqual(run("frobnicate")[0], 2)

        answer = self.driver.command("click", hwnd="0x1x")
        self.assertEqual((answer["ok"], answer["code"]), (False, 2))
        self.assertEqual(self.driver.ping()["pid"], self.driver.driver_pid)


def shifted(box, dx, dy):
    left, top, right, bottom = box
    return left + dx, top + dy, right + dx, bottom + dy


if __name__ == "__main__":
    unittest.main()
