"""The students of scripts/run against a fake console: what the teacher tries must get the
answers the console waits for, and the remote view must show the live desktop with the
teacher's input on it."""

import io
import os
import socket
import struct
import sys
import tempfile
import time
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import lumora_wire as wire  # noqa: E402
from live_student import LiveStudentAgent, draw_desktop  # noqa: E402
from test_peers import TIMEOUT, FakeConsole  # noqa: E402

PACE = 0.02          # the students' delays, a fiftieth of the real ones
WM_KEYDOWN, WM_KEYUP = 0x100, 0x101
VK_SHIFT = 0x10
TILE_W, TILE_H, COLUMNS = 128, 192, 8      # the tiles of a 1024 x 768 screen


def key(message, virtual_key):
    return wire.KeyEvent(message, virtual_key, 1, 0)


def blocks_tiles(block):
    """{tile index: picture} of a type-12 block."""
    from PIL import Image
    payload = zlib.decompress(block.data)
    _total, count = struct.unpack_from("<Ii", payload)
    indexes = struct.unpack_from(f"<{count}i", payload, 8)
    strip = Image.open(io.BytesIO(payload[12 + 4 * count:])).convert("RGB")
    return {index: strip.crop((k * TILE_W, 0, (k + 1) * TILE_W, TILE_H)) for k, index in enumerate(indexes)}


def dark_pixels(picture):
    return sum(1 for pixel in picture.getdata() if max(pixel) < 60)


class LiveStudentTest(unittest.TestCase):
    def setUp(self):
        self.console = FakeConsole(self)

    def admitted(self, **options):
        options.setdefault("keepalive_interval", None)
        options.setdefault("pace", PACE)
        agent = LiveStudentAgent("127.0.0.1", self.console.port, seat=3, **options).start()
        self.addCleanup(agent.stop)
        link = self.console.accept()
        link.offer()
        link.greet()
        agent.wait_admitted(TIMEOUT)
        return agent, link

    def read_text(self, link, tag):
        """The next text with tag, past thumbnails and other texts."""
        while True:
            packet = link.read()
            if isinstance(packet, wire.Text) and packet.text.startswith(tag):
                return packet.text

    def texts_within(self, link, seconds):
        """The texts that arrive within seconds (the one place a fixed wait is the point)."""
        texts, deadline = [], time.monotonic() + seconds
        while time.monotonic() < deadline:
            link.sock.settimeout(max(0.01, deadline - time.monotonic()))
            try:
                packet = link.read()
            except socket.timeout:
                break
            if isinstance(packet, wire.Text):
                texts.append(packet.text)
        link.sock.settimeout(TIMEOUT)
        return texts

    def test_the_remote_view_is_the_live_desktop_with_the_teachers_pointer_and_keys(self):
        agent, link = self.admitted(frame_interval=0.01, thumbnail_interval=None)
        self.assertEqual(self.read_text(link, "[PC00019]"), "[PC00019]Hyun")
        link.send("[KW00004]1,128,192")
        self.assertEqual(self.read_text(link, "[PC00004]"), "[PC00004]1024,768")
        first = link.read_until(wire.TileBlock.TYPE)
        tiles = blocks_tiles(first)
        self.assertEqual(sorted(tiles), list(range(32)), "the first frame is the whole screen")
        # The first frame is the desktop itself: the window's title bar lies in tile 9.
        expected = draw_desktop(1024, 768, 3, "Hyun", agent.colour).crop((128, 192, 256, 384))
        difference = sum(abs(a - b) for p, q in zip(tiles[9].getdata(), expected.getdata()) for a, b in zip(p, q))
        self.assertLess(difference / (TILE_W * TILE_H * 3), 6)
        pointer_tile = 2 * COLUMNS + 3                 # the tile under (500, 400)
        self.assertEqual(dark_pixels(tiles[pointer_tile]), 0)

        link.send(f"[KW00079]{first.sequence}")
        wire.send_packet(link.sock, wire.MouseEvents([wire.MouseEvent(0x200, 0, 500, 400)]))
        wire.send_packet(link.sock, wire.KeyEvents([key(WM_KEYDOWN, VK_SHIFT), key(WM_KEYDOWN, 0x48),
                                                    key(WM_KEYUP, 0x48), key(WM_KEYUP, VK_SHIFT),
                                                    key(WM_KEYDOWN, 0x49), key(WM_KEYDOWN, 0x4A),
                                                    key(WM_KEYDOWN, 0x08), key(WM_KEYDOWN, 0x31)]))
        changed = {}
        while pointer_tile not in changed or agent.notes != "Hi1":
            block = link.read_until(wire.TileBlock.TYPE)
            self.assertGreater(block.sequence, first.sequence)
            changed.update(blocks_tiles(block))
            link.send(f"[KW00079]{block.sequence}")
        self.assertGreater(dark_pixels(changed[pointer_tile]), 20, "no pointer drawn")
        self.assertLess(len(changed), 32, "only changed tiles travel")
        link.send("[KW00003]200,150")
        agent.wait_text("[KW00003]")
        self.assertIsNone(agent.remote_mode)

    def test_chat_quiz_and_buzzer_get_answers_and_an_ended_round_gets_none(self):
        agent, link = self.admitted(thumbnail_interval=None)
        link.send("[KW00072]hello&comma; class,5000")
        line = self.read_text(link, "[PC00015]")
        self.assertTrue(line.endswith(",Hyun") and len(line) > len("[PC00015],Hyun"), line)
        answers = set()
        for _ in range(8):
            link.send("[KW00405]select4")
            answers.add(self.read_text(link, "[PC00401]"))
        self.assertLessEqual(answers, {f"[PC00401]{n}" for n in "1234"})
        self.assertGreater(len(answers), 1, "the answers vary")
        link.send("[KW00405]ox")
        self.assertIn(self.read_text(link, "[PC00401]"), ("[PC00401]O", "[PC00401]X"))
        link.send("[KW00401]")
        self.assertEqual(self.read_text(link, "[PC00400]"), "[PC00400]")
        agent.pace = 1.0                                # a press is due 0.5 to 4 s after a round starts
        link.send("[KW00404]", "[KW00407]")             # a new round, ended at once: no press
        self.assertNotIn("[PC00400]", self.texts_within(link, 4.5))

    def test_files_are_kept_acknowledged_and_a_stopped_one_removed(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        agent, link = self.admitted(thumbnail_interval=None, files_folder=folder.name)
        data = bytes(range(256)) * 1300                 # two pieces with data and the empty third
        link.send("[KW00030]DeskTop\\..\\..\\C:\\lesson", "[KW00013]0")
        for name in ("plan.txt", "plan.txt"):
            for index in range(3):
                chunk = data[index * 307200:(index + 1) * 307200]
                wire.send_packet(link.sock, wire.FilePiece(2, 2, index, name, chunk))
                self.assertEqual(self.read_text(link, "[PC00010]"), "[PC00010]")
        kept = os.path.join(folder.name, "seat-3", "DeskTop", "C", "lesson")
        self.assertEqual(sorted(os.listdir(kept)), ["plan (2).txt", "plan.txt"], "not overwritten")
        with open(os.path.join(kept, "plan.txt"), "rb") as received:
            self.assertEqual(received.read(), data)
        wire.send_packet(link.sock, wire.FilePiece(2, 2, 0, "big.bin", data[:307200]))
        self.assertEqual(self.read_text(link, "[PC00010]"), "[PC00010]")
        link.send("[KW00012]")
        agent.wait_stopped(TIMEOUT)
        self.assertNotIn("big.bin", os.listdir(kept))
        self.assertEqual(agent.piece_errors, [])

    def test_a_pad_reports_its_permissions_and_ended_apps_and_shows_images(self):
        agent, link = self.admitted(edition="pad", screen=(1280, 800), frame_interval=0.01,
                                    thumbnail_interval=None)
        self.assertIn('"usagestats": "off"', self.read_text(link, "[PC00172]"))
        self.assertTrue(self.read_text(link, "[PC00500]").endswith(",0"))
        link.send("[KW00004]1,160,200")
        self.assertEqual(self.read_text(link, "[PC00004]"), "[PC00004]1280,800")
        frame = link.read_until(wire.Image.TYPE)
        self.assertEqual(frame.rect, (0, 0, 1280, 800))

    def test_a_chatty_student_speaks_by_itself(self):
        _agent, link = self.admitted(chatty=True, thumbnail_interval=None)
        self.assertTrue(self.read_text(link, "[PC00015]").endswith(",Hyun"))


if __name__ == "__main__":
    unittest.main()
