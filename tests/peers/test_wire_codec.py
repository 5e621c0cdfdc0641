"""Known answers, round trips and refusals of the Python wire codec."""

import socket
import struct
import os
import sys
import threading
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import lumora_wire as wire  # noqa: E402


def hexbytes(text: str) -> bytes:
    return bytes.fromhex("".join(text.split()))


def utf16_hex(text: str) -> str:
    return text.encode("utf-16-le").hex()


# Frames with tick byte 0 (magic a0a0a000), written out field by field.
VECTORS = [
    (wire.ScreenFormat(1920, 1080, 32),
     "a0a0a000 11000000 02 80070000 38040000 20000000"),
    (wire.Record((1, 2, 3, 4, 0xFFFFFFFF), (5, 6, 7, 0xFFFF), b"ab", b""),
     "a0a0a000 27000000 03 01000000 02000000 03000000 04000000 ffffffff"
     " 0500 0600 0700 ffff 0200 6162 0000"),
    (wire.KeyEvents([wire.KeyEvent(0x100, 0x41, 1, 0x001E0001),
                     wire.KeyEvent(0x101, 0x41, 1, 0xC01E0001)]),
     "a0a0a000 25000000 04 02000000 0001 41000000 01000000 01001e00"
     " 0101 41000000 01000000 01001ec0"),
    (wire.MouseEvents([wire.MouseEvent(0x20A, 8, -5, 700, 120)]),
     "a0a0a000 19000000 05 01000000 0a02 08000000 fbffffff bc020000 7800"),
    (wire.Image(1, 2, 3, 4, 5, 6, 7, (-1, 0, 1024, 768), 0, b"\xff\xd8"),
     "a0a0a000 37000000 07 01000000 02000000 03000000 04000000 05000000 06000000 07000000"
     " ffffffff 00000000 00040000 00030000 02000000 ffd8"),
    (wire.Image(1, 2, 3, 4, 0, 6, 7, (-1, 0, 1024, 768), 9, b"\xff\xd8"),
     "a0a0a000 3b000000 07 01000000 02000000 03000000 04000000 00000000 06000000 07000000"
     " ffffffff 00000000 00040000 00030000 09000000 02000000 ffd8"),
    (wire.ValuedTileBlock(0x11223344, 10, 3, b"\x01\x02"),
     "a0a0a000 17000000 08 44332211 0a000000 02000000 03000000 0102"),
    (wire.FilePiece(3, 2, 1, "\uac00.txt", b"xyz"),
     "a0a0a000 26000000 09 03000000 02000000 01000000 05000000 00ac2e00740078007400"
     " 03000000 78797a"),
    (wire.ValuePair(1234, 1),
     "a0a0a000 0d000000 0a d2040000 01000000"),
    (wire.Sound(0xABCD, b"\x00\x01\x02\x03"),
     "a0a0a000 11000000 0b cdab0000 04000000 00010203"),
    (wire.TileBlock(100, 7, b"\x78\x9c"),
     "a0a0a000 13000000 0c 64000000 02000000 07000000 789c"),
]


class KnownAnswerTest(unittest.TestCase):
    def test_packet_key_and_text_cipher(self):
        self.assertEqual(wire.PACKET_KEY.hex(), "fcd637e428a178fd7218673edff2e7fb")
        self.assertEqual(wire.text_digest("[KW10002]"), "b184fdfb88bd2eabf59bcf9794e87682")
        self.assertEqual(wire.crypt_text("[KW10002]".encode("utf-16-le")).hex(),
                         "0e11432149b7555c511cf58918516e4682da")

    def test_rc4_self_test_answer(self):
        # The console's CryptoAPI self-test answer: "%X" per byte, so small bytes lose their 0.
        key = wire.hashlib.md5("pazkrudowemtisq".encode("utf-16-le")).digest()
        cipher = wire.rc4(key, "Hello".encode("utf-16-le"))
        self.assertEqual("".join("%X" % b for b in cipher), "D9EA48436417E0C3608E")

    def test_text_frame_is_byte_exact(self):
        digest = "b184fdfb88bd2eabf59bcf9794e87682"
        expected = hexbytes("a1a0a337 5f000000 01 20000000" + utf16_hex(digest)
                            + "12000000 0e11432149b7555c511cf58918516e4682da")
        self.assertEqual(wire.text_packet("[KW10002]", tick_byte=0x37), expected)

    def test_empty_text_is_81_bytes_with_length_77(self):
        frame = wire.text_packet("", tick_byte=0)
        self.assertEqual(len(frame), 81)
        self.assertEqual(struct.unpack_from("<I", frame, 4)[0], 77)
        self.assertEqual(frame[9:13], b"\x20\0\0\0")
        self.assertEqual(frame[13:77].decode("utf-16-le"), "d41d8cd98f00b204e9800998ecf8427e")
        self.assertEqual(frame[77:], b"\0\0\0\0")

    def test_magic_follows_tick_byte(self):
        self.assertEqual(wire.magic(0x00), hexbytes("a0a0a000"))
        self.assertEqual(wire.magic(0xFF), hexbytes("a7a3afff"))
        self.assertEqual(wire.magic(0x9C), hexbytes("a4a2a99c"))
        for t in range(256):
            self.assertTrue(all(0xA0 <= b <= 0xAF for b in wire.magic(t)[:3]))

    def test_every_type_is_byte_exact(self):
        for packet, expected in VECTORS:
            with self.subTest(type=packet.type):
                self.assertEqual(wire.encode(packet, tick_byte=0).hex(), hexbytes(expected).hex())
                self.assertEqual(wire.decode(hexbytes(expected)), packet)


class RoundTripTest(unittest.TestCase):
    def assertRoundTrip(self, packet):
        for tick in (0, 0x5A, 0xFF):
            self.assertEqual(wire.decode(wire.encode(packet, tick)), packet)

    def test_texts(self):
        for text in ("", "[KW00050]", "[KW00021]\ud55c\uae00 \ud14c\uc2a4\ud2b8&comma;\uc548\ub155",
                     "[PC00003]" + "x" * 5000, "[KW00001]\U0001F600 surrogate pair"):
            with self.subTest(text=text[:20]):
                self.assertRoundTrip(wire.Text(text))

    def test_text_keeps_received_digest_unchecked(self):
        packet = wire.Text("[KW00001]", digest="0" * 32)
        self.assertEqual(wire.decode(wire.encode(packet)).digest, "0" * 32)

    def test_text_ends_at_zero_character(self):
        frame = wire.encode(wire.Text("[KW00001]ab\0cd"))
        self.assertEqual(wire.decode(frame).text, "[KW00001]ab")

    def test_odd_cipher_length_keeps_last_byte_as_character(self):
        payload = struct.pack("<I", 0) + struct.pack("<I", 3) + wire.crypt_text(b"A\0B")
        self.assertEqual(wire.decode(wire.build_frame(1, payload, 0)).text, "AB")

    def test_binary_types(self):
        big = bytes(range(256)) * 4096  # 1 MiB
        for packet in (wire.ScreenFormat(0xFFFFFFFF, 0, 16),
                       wire.Record((0,) * 5, (0,) * 4, b"\xff" * 65535, b"z"),
                       wire.KeyEvents([]),
                       wire.KeyEvents([wire.KeyEvent(0x100, n, n + 1, n << 16) for n in range(300)]),
                       wire.MouseEvents([wire.MouseEvent(0x200 + n % 11, 4, -n, 2 ** 31 - 1, 65535)
                                         for n in range(300)]),
                       wire.Image(value_e=0, value_g=0xFFFFFFFF, rect=(-2 ** 31, 0, 0, 2 ** 31 - 1),
                                  image=big),
                       wire.Image(value_e=1, sequence=42, image=b""),
                       wire.ValuedTileBlock(1, 2, 3, big),
                       wire.FilePiece(1, 3, 3, "", b""),
                       wire.FilePiece(3, 1, 0, "\ubcf4\uace0\uc11c (1).hwp", big[:307200]),
                       wire.ValuePair(0, 0),
                       wire.Sound(7, big[:8000]),
                       wire.TileBlock(len(big) * 3, 0xFFFFFFFF, big)):
            with self.subTest(type=packet.type):
                self.assertRoundTrip(packet)

    def test_image_value_g_only_on_wire_when_e_is_zero(self):
        with_g = wire.encode(wire.Image(value_e=0, value_g=5), 0)
        without_g = wire.encode(wire.Image(value_e=3, value_g=5), 0)
        self.assertEqual(len(with_g), len(without_g) + 4)
        self.assertEqual(wire.decode(without_g).value_g, 0)


class RefusalTest(unittest.TestCase):
    GOOD = wire.encode(wire.ValuePair(1, 2), tick_byte=0x9C)

    def assertRefused(self, frame):
        with self.assertRaises(wire.WireError):
            wire.decode(frame)

    def with_length(self, length):
        return self.GOOD[:4] + struct.pack("<I", length & 0xFFFFFFFF) + self.GOOD[8:]

    def test_bad_magic(self):
        for index in range(3):
            for delta in (1, 0x10, 0x60):
                frame = bytearray(self.GOOD)
                frame[index] ^= delta
                with self.subTest(index=index, delta=delta):
                    self.assertRefused(bytes(frame))

    def test_bad_lengths(self):
        for length in (0, 1, 2, 3, 4, -1, -0x80000000, wire.MAX_LENGTH + 1, 0x7FFFFFFF):
            with self.subTest(length=length):
                with self.assertRaises(wire.WireError):
                    wire.check_header(self.with_length(length)[:8])
        self.assertEqual(wire.check_header(self.with_length(wire.MAX_LENGTH)[:8]),
                         wire.MAX_LENGTH - 4)
        self.assertEqual(wire.check_header(self.with_length(5)[:8]), 1)

    def test_unknown_types(self):
        for type_byte in (0, 6, 13, 255):
            with self.subTest(type=type_byte):
                self.assertRefused(wire.build_frame(type_byte, b"\0" * 16, 0))

    def test_type_6_and_0_are_never_encoded(self):
        class Six(wire.ValuePair):
            TYPE = 6
        for packet in (Six(), wire.Packet()):
            with self.assertRaises(wire.WireError):
                wire.encode(packet)

    def test_field_out_of_range_is_refused_on_encode(self):
        with self.assertRaises(wire.WireError):
            wire.encode(wire.ValuePair(-1, 0))
        with self.assertRaises(wire.WireError):
            wire.encode(wire.Record(block_a=b"x" * 65536))

    def test_every_truncation_of_every_type(self):
        frames = [wire.encode(packet, 0) for packet, _ in VECTORS]
        frames.append(wire.text_packet("[KW00021]\ud55c", 0))
        for frame in frames:
            for cut in range(len(frame)):
                with self.subTest(type=frame[8], cut=cut):
                    self.assertRefused(frame[:cut])
                    # The same body under a length field that matches it: the payload runs short.
                    if cut > 8:
                        body = frame[8:cut]
                        self.assertRefused(wire.build_frame(body[0], body[1:], 0))

    def test_trailing_bytes_are_refused(self):
        body = self.GOOD[8:] + b"\0"
        self.assertRefused(wire.build_frame(body[0], body[1:], 0))

    def test_counts_beyond_the_body(self):
        cases = {
            "key count": (4, struct.pack("<I", 0x40000000) + b"\0" * 14),
            "mouse count": (5, struct.pack("<I", 2) + b"\0" * 31),
            "digest length": (1, struct.pack("<I", 0x80000000) + b"\0" * 8),
            "cipher length": (1, struct.pack("<II", 0, 0xFFFFFFFF) + b"\0" * 8),
            "file name": (9, struct.pack("<IIII", 0, 0, 0, 0x7FFFFFFF) + b"\0" * 8),
            "tile data": (12, struct.pack("<III", 0, 1000, 0) + b"\0" * 999),
            "record block": (3, b"\0" * 28 + struct.pack("<H", 3) + b"ab"),
            "image": (7, b"\0" * 48 + struct.pack("<I", 10) + b"\0" * 9),
        }
        for name, (type_byte, payload) in cases.items():
            with self.subTest(name):
                self.assertRefused(wire.build_frame(type_byte, payload, 0))


class SocketReaderTest(unittest.TestCase):
    def setUp(self):
        self.ours, self.theirs = socket.socketpair()
        self.ours.settimeout(10)

    def tearDown(self):
        self.ours.close()
        self.theirs.close()

    def test_reads_one_packet_at_a_time(self):
        big = wire.TileBlock(5, 1, b"\xab" * 300000)
        self.theirs.sendall(wire.text_packet("[KW00094]2.0.1.1047") + wire.encode(wire.ValuePair(9)))
        self.assertEqual(wire.read_text(self.ours), "[KW00094]2.0.1.1047")
        self.assertEqual(wire.read_packet(self.ours), wire.ValuePair(9))
        # Larger than the socket buffers: the reader must gather it from many pieces.
        sender = threading.Thread(target=wire.send_packet, args=(self.theirs, big))
        sender.start()
        self.assertEqual(wire.read_packet(self.ours), big)
        sender.join()

    def test_clean_close_and_close_inside_a_packet(self):
        frame = wire.text_packet("[PC00003]")
        self.theirs.sendall(frame[:20])
        self.theirs.shutdown(socket.SHUT_WR)
        with self.assertRaises(wire.WireError) as caught:
            wire.read_packet(self.ours)
        self.assertNotIsInstance(caught.exception, wire.PeerClosed)
        self.tearDown()
        self.setUp()
        self.theirs.shutdown(socket.SHUT_WR)
        with self.assertRaises(wire.PeerClosed):
            wire.read_packet(self.ours)

    def test_oversized_length_is_refused_before_the_body_is_read(self):
        # The body never comes: a reader that waited for it would time out instead.
        self.theirs.sendall(wire.magic(7) + struct.pack("<I", wire.MAX_LENGTH + 1))
        with self.assertRaisesRegex(wire.WireError, "length"):
            wire.read_packet(self.ours)

    def test_read_text_refuses_other_types(self):
        wire.send_packet(self.theirs, wire.ValuePair(1))
        with self.assertRaises(wire.WireError):
            wire.read_text(self.ours)


if __name__ == "__main__":
    unittest.main()
