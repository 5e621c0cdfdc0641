"""Sending files to the class, under Wine, as the teacher does it: the console, logged in at a
simulated login server, opens its file-transfer dialog over simulated students that receive files
(tests/peers/file_receiver.py); the test picks files in the dialog's folder tree, ticks students,
names a destination and presses Start, Stop or Close, and checks what each student reassembled
(size and SHA-256) and the result the dialog shows in each status row."""

import hashlib
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from file_receiver import FileReceivingStudent  # noqa: E402
from console_case import ConsoleCase  # noqa: E402
from harness import wait_until  # noqa: E402
from test_login import BOX_TITLE, DIALOG_CLASS  # noqa: E402

SEATS = 40
PARALLEL_LIMIT = 6
PIECE = 307200
BIG = 50 * 1024 * 1024 + 4321

TRANSFER_TITLE = "\ud30c\uc77c \uc804\uc1a1"                            # "파일 전송"
DESKTOP = "\ubc14\ud0d5\ud654\uba74"                                    # "바탕화면"
KOREAN_NAME = "\uc218\uc5c5\uc790\ub8cc 1\uc8fc\ucc28.txt"              # "수업자료 1주차.txt"
DONE = "\ud559\uc0dd\ubc88\ud638 : {seat}\ub85c {name} \uc804\uc1a1 \uc644\ub8cc"
LOST = "\ud559\uc0dd\ubc88\ud638 : {seat}\uc5d0\uc11c \uc18c\ucf13 \uc624\ub958\ub85c \uc804\uc1a1 \uc911\ub2e8"
MISSING = ("\ud559\uc0dd\ubc88\ud638 : {seat}\uc5d0\uc11c {name} \uc5c6\uac70\ub098 \ub2e4\ub978 "
           "\ud504\ub85c\uadf8\ub7a8\uc774 \uc0ac\uc6a9\uc911")
COMPUTER_NAMES = ("\ub0b4 \ucef4\ud4e8\ud130", "\ucef4\ud4e8\ud130", "My Computer", "Computer")

FILE_TRANSFER_COMMAND = 1193
TREE, FILES, STUDENTS, STATUS, DESTINATION = 1007, 1015, 1016, 1108, 1130
START, STOP, CLOSE, ADD = 1017, 1018, 1, 1201
TVM_SELECTITEM, TVGN_CARET = 0x110B, 9


def write_config(path, limit):
    """config.ini as the console keeps it (UTF-16LE with a byte-order mark)."""
    text = f"[default]\r\n[SCREENSHARE]\r\nfiletrans={limit}\r\n"
    path.write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))


class Dialog:
    """The open file-transfer dialog and its controls."""

    def __init__(self, driver, window):
        self.driver, self.window = driver, window
        find = lambda id, cls: driver.find_child(window, id=id, cls=cls, timeout=10)  # noqa: E731
        self.tree = find(TREE, "SysTreeView32")
        self.files = find(FILES, "SysListView32")
        self.students = find(STUDENTS, "SysListView32")
        self.status = find(STATUS, "SysListView32")
        self.destination = find(DESTINATION, "ComboBox")
        self.start, self.stop = find(START, "Button"), find(STOP, "Button")
        self.close, self.add = find(CLOSE, "Button"), find(ADD, "Button")

    def enabled(self, control):
        return self.driver.state(control)["window"]["enabled"]

    def running(self):
        return not self.enabled(self.start) and self.enabled(self.stop)

    def status_rows(self):
        """(file name, seat text, result) of every status row."""
        return [tuple(row["texts"][i] for i in (0, 1, 3)) for row in self.driver.list_rows(self.status, 5)]

    def file_states(self):
        return [row["texts"][1] for row in self.driver.list_rows(self.files, 2)]

    def folder_item(self, windows_folder):
        """Opens the tree at a folder: the computer, its drive, then folder by folder."""
        drive, parts = windows_folder[:2].upper(), windows_folder[3:].split("\\")
        root = self.driver.tree_items(self.tree)[0]["item"]
        places = self.driver.tree_items(self.tree, root, expand=True)
        places.sort(key=lambda place: place["text"] not in COMPUTER_NAMES)
        item = None
        for place in places:
            drives = self.driver.tree_items(self.tree, place["item"], expand=True)
            item = next((d["item"] for d in drives if drive in d["text"].upper()), None)
            if item:
                break
        if not item:
            raise AssertionError(f"no drive {drive} in the tree")
        for part in parts:
            children = self.driver.tree_items(self.tree, item, expand=True)
            item = next((c["item"] for c in children if c["text"].lower() == part.lower()), None)
            if not item:
                raise AssertionError(f"no folder {part} in the tree")
        return item

    def add_files(self, windows_folder, names):
        """Selects each file in the tree and presses ">"; the names listed to send."""
        for count, name in enumerate(names, 1):
            # The tree reads the folder again as the focus leaves it: its items are looked up anew.
            children = self.driver.tree_items(self.tree, self.folder_item(windows_folder), expand=True)
            item = next(c["item"] for c in children if c["text"] in (name, os.path.splitext(name)[0]))
            self.driver.send(self.tree, TVM_SELECTITEM, TVGN_CARET, int(item, 16))
            self.driver.click(self.add)
            wait_until(lambda: len(self.driver.list_rows(self.files, 1)) == count, timeout=10,
                       message=f"{name} was not added")
        return [row["texts"][0] for row in self.driver.list_rows(self.files, 1)]

    def listed_seats(self):
        """The seats of the student list (every one ticked when the dialog opens)."""
        return sorted(int(row["texts"][0]) for row in self.driver.list_rows(self.students, 1))

    def close_dialog(self):
        if self.driver.exists(self.window):
            if self.running():
                self.driver.click(self.stop)
            self.driver.click(self.close)
            self.driver.wait_gone(self.window, timeout=30)

    def start_transfer(self, destination=""):
        """Presses Start and waits until the transfer runs, or has already run: a short one can be
        over before the buttons are first looked at, and Start makes new status rows."""
        self.driver.enter_text(self.destination, destination)
        before = self.status_rows()
        self.driver.click(self.start)
        wait_until(lambda: self.running() or self.status_rows() != before, timeout=10,
                   message="Start did not start the transfer")

    def wait_done(self, timeout):
        wait_until(lambda: not self.running(), timeout=timeout, interval=0.5, message="the transfer did not end")



def open_transfer_dialog(driver, view, pid, seats, timeout=60):
    def opened():
        driver.post(view, "WM_COMMAND", FILE_TRANSFER_COMMAND, 0)
        dialog = Dialog(driver, driver.wait_window(cls=DIALOG_CLASS, title=TRANSFER_TITLE, exact=True,
                                                   pid=pid, timeout=30))
        if dialog.listed_seats() == sorted(seats):
            return dialog
        dialog.close_dialog()
        return None
    return wait_until(opened, timeout=timeout, interval=0.5, message=f"the dialog never listed seats {seats}")


class FileTransferTest(ConsoleCase):
    """One console for the class; each test uses its own seats."""

    SEATS = SEATS

    @classmethod
    def prepare_folder(cls):
        write_config(cls.folder.path / "config.ini", PARALLEL_LIMIT)
        cls.send_folder = cls.folder.path.parent / "send"
        cls.send_folder.mkdir()
        cls.send_windows = cls.env.windows_path(cls.send_folder / "x").rsplit("\\", 1)[0]

    # --- Peers and files ------------------------------------------------------------------------

    def receivers(self, seats, options=None):
        """Admitted students in these seats; options: seat -> FileReceivingStudent keywords."""
        agents = []
        for seat in seats:
            agent = FileReceivingStudent("127.0.0.1", self.port, seat=seat, **(options or {}).get(seat, {})).start()
            self.addCleanup(agent.stop)
            agents.append(agent)
        for agent in agents:
            agent.wait_admitted(timeout=60)
        return agents

    def write_file(self, name, size):
        """A file of random bytes in the send folder; its SHA-256."""
        digest = hashlib.sha256()
        with open(self.send_folder / name, "wb") as out:
            left = size
            while left:
                block = os.urandom(min(left, 1 << 20))
                digest.update(block)
                out.write(block)
                left -= len(block)
        self.addCleanup(lambda: (self.send_folder / name).unlink(missing_ok=True))
        return digest.hexdigest()

    # --- The dialog, as the teacher drives it -----------------------------------------------------

    def open_dialog(self, seats):
        """Opens the dialog once it lists exactly the students of these seats: a student that
        left just before may still count as connected for a moment."""
        dialog = open_transfer_dialog(self.driver, self.view, self.frame["pid"], seats)
        self.addCleanup(dialog.close_dialog)
        return dialog

    def assert_received(self, agent, name, digest, size):
        received = agent.wait_received(name, timeout=120)
        self.assertEqual((received.size, received.sha256), (size, digest), f"{name} at seat {agent.seat}")
        self.assertEqual(agent.piece_errors, [])
        return received

    # --- Tests ----------------------------------------------------------------------------------

    def test_files_of_every_size_arrive_exactly_at_one_student_and_at_eight_within_the_limit(self):
        sizes = {"empty.bin": 0, "one.bin": 1, "piece.bin": PIECE, "piece_and_one.bin": PIECE + 1,
                 "large.bin": BIG}
        digests = {name: self.write_file(name, size) for name, size in sizes.items()}
        names = list(sizes)

        first = self.receivers([1])[0]
        dialog = self.open_dialog([1])
        self.assertEqual(dialog.add_files(self.send_windows, names), names)
        dialog.start_transfer(DESKTOP + "\\lesson")
        dialog.wait_done(timeout=300)
        for name in names:
            received = self.assert_received(first, name, digests[name], sizes[name])
            self.assertEqual((received.folder, received.overwrite), ("DeskTop\\lesson", "0"))
            self.assertEqual(received.piece_count, -(-sizes[name] // PIECE))
        self.assertEqual(dialog.file_states(), ["1/1"] * len(names))
        self.assertEqual(dialog.status_rows(), [(n, "1", DONE.format(seat=1, name=n)) for n in names])

        # Eight students, six at a time: every file reaches every one of them. The dialog lists
        # the students connected when it opens.
        class_ = [first] + self.receivers(range(2, 9))
        dialog.close_dialog()
        dialog = self.open_dialog(range(1, 9))
        self.assertEqual(dialog.add_files(self.send_windows, names), names)
        first.received.clear()
        dialog.start_transfer()
        dialog.wait_done(timeout=900)
        for agent in class_:
            self.assertEqual(agent.file_folder, "default")
            for name in names:
                self.assert_received(agent, name, digests[name], sizes[name])
        self.assertEqual(dialog.file_states(), ["8/8"] * len(names))
        rows = dialog.status_rows()
        self.assertEqual(len(rows), 8 * len(names))
        self.assertTrue(all(result == DONE.format(seat=seat, name=name) for name, seat, result in rows))

    def test_stop_mid_file_sends_nothing_more_close_waits_for_it_and_the_dialog_starts_again(self):
        size = 10 * PIECE + 77
        digest = self.write_file("long.bin", size)
        agent = self.receivers([11], {11: {"hold": ("long.bin", 1)}})[0]
        dialog = self.open_dialog([11])
        self.assertEqual(dialog.add_files(self.send_windows, ["long.bin"]), ["long.bin"])
        dialog.start_transfer()
        self.assertTrue(agent.holding.wait(60), "the student never got piece 1")

        # Closing while the transfer runs is refused with a message.
        self.driver.click(dialog.close)
        box = self.driver.wait_window(cls=DIALOG_CLASS, title=BOX_TITLE, exact=True, pid=self.frame["pid"],
                                      timeout=20)
        self.driver.click(self.driver.find_child(box, id=1, timeout=10))
        self.driver.wait_gone(box)
        self.assertTrue(self.driver.exists(dialog.window))

        self.driver.click(dialog.stop)
        agent.wait_stopped(timeout=30)
        wait_until(lambda: not dialog.running(), timeout=10, message="Stop left the dialog running")
        # The acknowledgement that comes late starts nothing; a keep-alive answered after it
        # shows the console has read it.
        answers = agent.keepalive_answers
        agent.release()
        agent.send_text("[PC00003]")
        agent.wait_keepalive_answers(answers + 1, timeout=30)
        self.assertEqual(agent.pieces_after_stop, 0)

        agent.hold = None
        dialog.start_transfer()
        dialog.wait_done(timeout=120)
        self.assert_received(agent, "long.bin", digest, size)
        self.assertEqual(dialog.status_rows(), [("long.bin", "11", DONE.format(seat=11, name="long.bin"))])

    def test_a_student_lost_mid_file_fails_and_the_others_finish_every_file(self):
        sizes = {"long.bin": 6 * PIECE + 5, "short.txt": 1000}
        digests = {name: self.write_file(name, size) for name, size in sizes.items()}
        agents = self.receivers([21, 22, 23], {22: {"drop": ("long.bin", 2)}})
        dialog = self.open_dialog([21, 22, 23])
        self.assertEqual(dialog.add_files(self.send_windows, list(sizes)), list(sizes))
        dialog.start_transfer()
        dialog.wait_done(timeout=120)
        for agent in (agents[0], agents[2]):
            for name, size in sizes.items():
                self.assert_received(agent, name, digests[name], size)
        rows = {(name, seat): result for name, seat, result in dialog.status_rows()}
        self.assertEqual(rows[("long.bin", "22")], LOST.format(seat=22))
        self.assertEqual(rows[("short.txt", "22")], LOST.format(seat=22))
        self.assertEqual(rows[("short.txt", "23")], DONE.format(seat=23, name="short.txt"))
        self.assertEqual(dialog.file_states(), ["3/3", "3/3"])

    def test_a_file_deleted_before_its_turn_fails_and_a_korean_name_arrives_intact(self):
        first = self.write_file("first.bin", 2 * PIECE)
        self.write_file("gone.bin", 10)
        korean = self.write_file(KOREAN_NAME, 4321)
        agent = self.receivers([31], {31: {"hold": ("first.bin", 0)}})[0]
        dialog = self.open_dialog([31])
        names = ["first.bin", "gone.bin", KOREAN_NAME]
        self.assertEqual(dialog.add_files(self.send_windows, names), names)
        dialog.start_transfer()
        self.assertTrue(agent.holding.wait(60), "the student never got the first file")
        (self.send_folder / "gone.bin").unlink()
        agent.release()
        dialog.wait_done(timeout=120)
        self.assert_received(agent, "first.bin", first, 2 * PIECE)
        self.assert_received(agent, KOREAN_NAME, korean, 4321)
        self.assertNotIn("gone.bin", agent.received)
        self.assertEqual(dialog.status_rows()[1], ("gone.bin", "31", MISSING.format(seat=31, name="gone.bin")))


if __name__ == "__main__":
    unittest.main()
