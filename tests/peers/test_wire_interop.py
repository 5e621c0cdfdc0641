"""The console's own packet code (CPacket over CTCPSocket, in tests/tools/wire_peer.exe under
Wine) against the Python codec, over a loopback TCP connection.

wire_peer.exe connects to the port it is given, echoes every packet it receives, answers
"[TEST0001]" with packets it builds itself (OWN_PACKETS below, in the same order) and ends when
the connection closes, whoever closes it.
"""

import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import lumora_wire as wire  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.path.join(ROOT, os.environ.get("LUMORA_BUILD", "build/win32"))
PEER_EXE = os.path.join(BUILD, "tests", "tools", "wire_peer.exe")
TIMEOUT = 60  # seconds; Wine is slow to start a process the first time


def pattern(count, seed):
    """The data the tool fills its buffers with: byte i = (i * 7 + seed) & 0xFF."""
    return bytes((i * 7 + seed) & 0xFF for i in range(count))


# What wire_peer.exe sends for "[TEST0001]", in order (keep in step with wire_peer.cpp).
OWN_PACKETS = [
    wire.Text("[TEST0003]\ud55c\uae00&comma;\uc2dc\ud5d8"),
    wire.Text(""),
    wire.ValuePair(4321, 0),
    wire.TileBlock(3000, 77, pattern(1000, 1)),
    wire.FilePiece(3, 5, 2, "\ubcf4\uace0\uc11c.txt", pattern(300, 2)),
    wire.KeyEvents([wire.KeyEvent(0x100, 0x41, 1, 0x001E0001),
                    wire.KeyEvent(0x101, 0x41, 1, 0xC01E0001)]),
    wire.MouseEvents([wire.MouseEvent(0x20A, 8, -5, 700, 0xFF88),
                      wire.MouseEvent(0x201, 4, 0, -1, 0)]),
    wire.ScreenFormat(1920, 1080, 32),
    wire.Record((1, 2, 3, 4, 0xFFFFFFFF), (5, 6, 7, 0xFFFF), b"ab", b"xyz"),
    wire.Image(1, 2, 3, 4, 0, 9, 7, (-1, 0, 1024, 768), 99, pattern(500, 3)),
    wire.Image(1, 2, 3, 4, 5, 10, 7, (0, -768, 1024, 0), 0, pattern(64, 4)),
    wire.ValuedTileBlock(0x11223344, 10, 3, pattern(10, 5)),
    wire.Sound(0xABCD, pattern(256, 6)),
]


def sent_to_echo():
    """Packets of every type the console may receive or send, with edge values."""
    return [
        wire.Text("[KW00021]\uac00\ub098\ub2e4&comma;\ub77c, \ub9c8\ubc14\uc0ac&comma;"),
        wire.Text("[PC00003]"),
        wire.Text(""),
        wire.Text("[KW00001]", digest="f" * 32),  # a digest is carried, never checked
        wire.Text("[PC00050]" + "\ud55c" * 20000),
        wire.ScreenFormat(1366, 768, 32),
        wire.Record((7, 0, 0xFFFFFFFF, 1, 2), (0, 1, 0x8000, 0xFFFF), b"", b"\0" * 300),
        wire.KeyEvents([]),
        wire.KeyEvents([wire.KeyEvent(0x100 + n % 2, n, 1, n << 16) for n in range(500)]),
        wire.MouseEvents([wire.MouseEvent(0x200 + n % 11, n % 16, -n, n * 3, n * 120 & 0xFFFF)
                          for n in range(500)]),
        wire.Image(0xA, 0xB, 0xC, 0xD, 0, 12345, 0xF, (-100, -50, 1920, 1080), 0x6060,
                   pattern(200000, 9)),
        wire.Image(0xA, 0xB, 0xC, 0xD, 3, 12346, 0xF, (0, 0, 200, 150), 0, b"\xff\xd8\xff"),
        wire.Image(value_e=0, image=b""),
        wire.ValuedTileBlock(0xFFFFFFFF, 999, 4, pattern(4096, 10)),
        wire.FilePiece(3, 2, 1, "\ud559\uc0dd \ud30c\uc77c.txt", pattern(307200, 11)),
        wire.FilePiece(3, 2, 2, "\ud559\uc0dd \ud30c\uc77c.txt", b""),
        wire.ValuePair(0xFFFFFFFF, 1),
        wire.Sound(2, pattern(16000, 12)),
        wire.TileBlock(1 << 22, 1, pattern(1 << 20, 13)),  # about 1 MB
        wire.TileBlock(0, 0, b""),
    ]


@unittest.skipUnless(shutil.which("wine"), "wine is not installed")
class WirePeerTest(unittest.TestCase):
    def setUp(self):
        self.assertTrue(os.path.isfile(PEER_EXE), f"{PEER_EXE} is not built")
        self.processes = []
        self.sockets = []

    def tearDown(self):
        for sock in self.sockets:
            sock.close()
        for process in self.processes:
            try:
                process.wait(timeout=TIMEOUT)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
            process.output.close()

    def connect_peer(self):
        """Starts wire_peer.exe and returns the connection it made to us."""
        listener = socket.create_server(("127.0.0.1", 0))
        self.sockets.append(listener)
        listener.settimeout(TIMEOUT)
        port = listener.getsockname()[1]
        # A file, not a pipe: Wine's helper processes inherit it and outlive the tool.
        output = tempfile.TemporaryFile()
        process = subprocess.Popen(["wine", PEER_EXE, str(port)], stdin=subprocess.DEVNULL,
                                   stdout=output, stderr=subprocess.STDOUT)
        process.output = output
        self.processes.append(process)
        connection, _ = listener.accept()
        listener.close()
        self.sockets.append(connection)
        connection.settimeout(TIMEOUT)
        return process, connection

    def assertClosedAndEnded(self, process, connection):
        try:
            rest = connection.recv(1)
        except ConnectionResetError:
            rest = b""
        self.assertEqual(rest, b"", "the peer answered a frame it should have refused")
        process.wait(timeout=TIMEOUT)
        process.output.seek(0)
        self.assertEqual(process.returncode, 0, process.output.read().decode(errors="replace"))

    def test_echo_keeps_every_field_and_byte(self):
        process, connection = self.connect_peer()
        for packet in sent_to_echo():
            with self.subTest(type=packet.type, size=len(wire.encode(packet))):
                frame = wire.encode(packet)
                connection.sendall(frame)
                echo = wire.read_frame(connection)
                self.assertEqual(wire.decode(echo), packet)
                self.assertEqual(echo[4:], frame[4:])
        connection.shutdown(socket.SHUT_WR)
        self.assertClosedAndEnded(process, connection)

    def test_echo_of_odd_texts(self):
        process, connection = self.connect_peer()
        # A text ends at its first zero character.
        wire.send_packet(connection, wire.Text("[KW00005]ab\0cd", digest="0" * 32))
        self.assertEqual(wire.read_packet(connection), wire.Text("[KW00005]ab", digest="0" * 32))
        # An odd cipher length: the last byte becomes a character of its own; no digest at all.
        odd = struct.pack("<II", 0, 3) + wire.crypt_text(b"A\0B")
        connection.sendall(wire.build_frame(1, odd))
        self.assertEqual(wire.read_packet(connection), wire.Text("AB", digest=""))

    def test_largest_packet_is_accepted(self):
        process, connection = self.connect_peer()
        payload_size = wire.MAX_LENGTH - 5 - 12
        packet = wire.TileBlock(payload_size, 5, (pattern(256, 0) * (payload_size // 256 + 1))[:payload_size])
        frame = wire.encode(packet)
        self.assertEqual(struct.unpack_from("<I", frame, 4)[0], wire.MAX_LENGTH)
        connection.sendall(frame)
        self.assertEqual(wire.read_frame(connection)[4:], frame[4:])

    def test_own_packets_are_byte_exact(self):
        process, connection = self.connect_peer()
        wire.send_packet(connection, wire.Text("[TEST0001]"))
        received = []
        while True:
            frame = wire.read_frame(connection)  # checks the magic
            if wire.decode(frame) == wire.Text("[TEST0002]"):
                break
            received.append(frame)
        self.assertEqual(len(received), len(OWN_PACKETS))
        for frame, expected in zip(received, OWN_PACKETS):
            with self.subTest(type=expected.type):
                self.assertEqual(wire.decode(frame), expected)
                self.assertEqual(frame[4:], wire.encode(expected)[4:])
        self.assertEqual(len(received[1]), 81)
        connection.shutdown(socket.SHUT_WR)
        self.assertClosedAndEnded(process, connection)

    def test_refused_frames_close_the_connection(self):
        good_header = wire.encode(wire.ValuePair(1))[:4]
        bad_magic = bytearray(wire.encode(wire.ValuePair(1), tick_byte=0x40))
        bad_magic[1] ^= 0x01
        frames = {
            "bad magic": bytes(bad_magic),
            "stream not at a packet": b"\x00" * 32,
            "length 4": good_header + struct.pack("<I", 4) + b"\x0a" * 8,
            "length 0": good_header + struct.pack("<I", 0) + b"\x0a" * 8,
            "negative length": good_header + struct.pack("<i", -8) + b"\x0a" * 8,
            "length over the cap": good_header + struct.pack("<I", wire.MAX_LENGTH + 1),
            "type 6": wire.build_frame(6, b"\0" * 8),
            "type 0": wire.build_frame(0, b"\0" * 8),
            "type 13": wire.build_frame(13, b"\0" * 8),
            "key count beyond the body": wire.build_frame(4, struct.pack("<I", 1 << 28) + b"\0" * 14),
            "cipher length beyond the body": wire.build_frame(
                1, struct.pack("<I", 0) + struct.pack("<I", 1000) + b"\0" * 10),
            "tile data beyond the body": wire.build_frame(12, struct.pack("<III", 0, 50, 0) + b"\0" * 49),
            "short value pair": wire.build_frame(10, b"\0" * 7),
        }
        for name, frame in frames.items():
            with self.subTest(name):
                process, connection = self.connect_peer()
                wire.send_packet(connection, wire.Text("[PC00003]"))
                self.assertEqual(wire.read_text(connection), "[PC00003]")
                connection.sendall(frame)
                self.assertClosedAndEnded(process, connection)

    def test_peer_closing_inside_a_packet(self):
        process, connection = self.connect_peer()
        frame = wire.encode(wire.TileBlock(10, 1, pattern(5000, 1)))
        connection.sendall(frame[:3000])
        connection.shutdown(socket.SHUT_WR)
        self.assertClosedAndEnded(process, connection)


if __name__ == "__main__":
    unittest.main()
