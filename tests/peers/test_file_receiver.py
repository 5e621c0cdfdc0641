"""The simulated student that receives files, against the fake console of test_peers: the file it
reassembles, the rules it checks, and holding or dropping a piece."""

import hashlib
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import lumora_wire as wire  # noqa: E402
from file_receiver import PIECE_SIZE, FileReceivingStudent  # noqa: E402
from test_peers import TIMEOUT, FakeConsole  # noqa: E402


class FileReceivingStudentTest(unittest.TestCase):
    def admitted(self, **options):
        console = FakeConsole(self)
        student = FileReceivingStudent("127.0.0.1", console.port, keepalive_interval=None, **options).start()
        self.addCleanup(student.stop)
        link = console.accept()
        link.offer()
        link.greet()
        student.wait_admitted(TIMEOUT)
        link.read_until(wire.ScreenFormat.TYPE)
        return student, link

    @staticmethod
    def send_file(link, name, data, answer=True, numbers=None):
        count = -(-len(data) // PIECE_SIZE)
        for number in numbers if numbers is not None else range(count + 1):
            chunk = data[number * PIECE_SIZE:(number + 1) * PIECE_SIZE]
            wire.send_packet(link.sock, wire.FilePiece(2, count, number, name, chunk))
            if answer:
                assert link.read_text() == "[PC00010]"

    def test_files_arrive_whole_and_broken_pieces_are_reported(self):
        student, link = self.admitted()
        link.send("[KW00030]DeskTop\\lesson", "[KW00013]1")
        data = os.urandom(2 * PIECE_SIZE + 3)
        self.send_file(link, "\uc218\uc5c5.bin", data)
        self.send_file(link, "empty.txt", b"")
        got = student.wait_received("\uc218\uc5c5.bin", TIMEOUT)
        self.assertEqual((got.size, got.sha256, got.piece_count), (len(data), hashlib.sha256(data).hexdigest(), 3))
        self.assertEqual((got.folder, got.overwrite), ("DeskTop\\lesson", "1"))
        self.assertEqual(student.wait_received("empty.txt", TIMEOUT).size, 0)
        self.assertEqual(student.piece_errors, [])

        self.send_file(link, "skip.bin", data, numbers=[0, 2, 3])
        self.assertEqual(len(student.piece_errors), 1)

    def test_a_held_piece_waits_for_release_and_a_stop_drops_the_file(self):
        student, link = self.admitted(hold=("long.bin", 1))
        data = os.urandom(3 * PIECE_SIZE)
        self.send_file(link, "long.bin", data, numbers=[0])
        wire.send_packet(link.sock, wire.FilePiece(2, 3, 1, "long.bin", data[PIECE_SIZE:2 * PIECE_SIZE]))
        self.assertTrue(student.holding.wait(TIMEOUT))
        link.send("[KW00012]")
        student.wait_stopped(TIMEOUT)
        student.release()
        self.assertEqual(link.read_text(), "[PC00010]")
        self.assertEqual((student.pieces_received, student.pieces_after_stop), (2, 0))
        self.assertNotIn("long.bin", student.received)

    def test_a_dropped_piece_ends_the_connection(self):
        student, link = self.admitted(drop=("long.bin", 1))
        data = os.urandom(2 * PIECE_SIZE)
        self.send_file(link, "long.bin", data, numbers=[0])
        wire.send_packet(link.sock, wire.FilePiece(2, 2, 1, "long.bin", data[PIECE_SIZE:]))
        student.wait_closed(TIMEOUT)
        self.assertNotIn("long.bin", student.received)


if __name__ == "__main__":
    unittest.main()
