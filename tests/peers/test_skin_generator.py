"""The skin generator: its BMP, GIF and icon writers, its table against res/, and its output."""

import ast
import os
import random
import re
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SKIN = os.path.join(ROOT, "tools", "skin")
RES = os.path.join(ROOT, "res")
sys.path.insert(0, SKIN)

import bmpfile  # noqa: E402
import giffile  # noqa: E402
import icofile  # noqa: E402
from raster import Canvas  # noqa: E402
from table import BITMAPS, CURSORS, GIFS, ICONS  # noqa: E402


def lzw_decode(data, min_code_size):
    """A reference GIF LZW decoder, written from the format's rules, not from the encoder."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    size, pos, out = min_code_size + 1, 0, bytearray()
    table, prev, next_code = {}, None, end + 1

    def reset():
        return {i: bytes((i,)) for i in range(clear)}, min_code_size + 1, end + 1

    table, size, next_code = reset()
    while pos + size <= len(data) * 8:
        code = 0
        for bit in range(size):
            code |= ((data[(pos + bit) // 8] >> ((pos + bit) % 8)) & 1) << bit
        pos += size
        if code == clear:
            table, size, next_code = reset()
            prev = None
            continue
        if code == end:
            return bytes(out)
        if prev is None:
            entry = table[code]
        else:
            if code in table:
                entry = table[code]
            elif code == next_code:
                entry = table[prev] + table[prev][:1]
            else:
                raise ValueError("code %d out of sequence" % code)
            if next_code < 4096:
                table[next_code] = table[prev] + entry[:1]
                next_code += 1
                if next_code == (1 << size) and size < 12:
                    size += 1
        out += entry
        prev = code
    raise ValueError("no end code")


def gif_blocks(data):
    """(kind, offset) of every block after the colour table, checking that each ends in the data."""
    table = 3 << ((data[10] & 7) + 1) if data[10] & 0x80 else 0
    at, blocks = 13 + table, []

    def skip(at):
        while data[at] != 0:
            at += 1 + data[at]
        return at + 1

    while data[at] != 0x3B:
        blocks.append((data[at] if data[at] == 0x2C else data[at + 1], at))
        if data[at] == 0x2C:
            at = skip(at + 11)
        else:
            at = skip(at + 2)
    assert at == len(data) - 1
    return blocks


def frame_pixels(data, offset):
    """The decoded indices of the image whose descriptor starts at offset."""
    width, height = struct.unpack_from("<HH", data, offset + 5)
    at, chunks = offset + 11, bytearray()
    while data[at]:
        chunks += data[at + 1:at + 1 + data[at]]
        at += 1 + data[at]
    return width, height, lzw_decode(bytes(chunks), data[offset + 10])


class BmpWriter(unittest.TestCase):
    def canvas(self):
        c = Canvas(3, 2)
        colours = [(10, 20, 30), (40, 50, 60), (70, 80, 90), (1, 2, 3), (4, 5, 6), (7, 8, 9)]
        for i, colour in enumerate(colours):
            c.fill_rect(i % 3, i // 3, i % 3 + 1, i // 3 + 1, colour)
        return c

    def test_24_bit_rows_are_bottom_up_and_padded(self):
        data = bmpfile.encode(self.canvas(), 24)
        magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data)
        header = struct.unpack_from("<IiiHHIIiiII", data, 14)
        self.assertEqual((magic, size, offset), (b"BM", len(data), 54))
        self.assertEqual(header[:5], (40, 3, 2, 1, 24))
        self.assertEqual(len(data), 54 + 2 * 12)  # 9 bytes a row padded to 12
        self.assertEqual(data[54:57], bytes((3, 2, 1)))  # bottom-left pixel first, as BGR
        self.assertEqual(data[54 + 9:54 + 12], b"\0\0\0")
        self.assertEqual(data[66:69], bytes((30, 20, 10)))  # then the top row

    def test_32_bit_keeps_alpha(self):
        c = Canvas(1, 1, (200, 100, 50), alpha=77)
        data = bmpfile.encode(c, 32)
        self.assertEqual(struct.unpack_from("<H", data, 28)[0], 32)
        self.assertEqual(data[54:58], bytes((50, 100, 200, 77)))

    def test_8_bit_has_a_full_palette_and_indices(self):
        data = bmpfile.encode(self.canvas(), 8)
        offset = struct.unpack_from("<I", data, 10)[0]
        self.assertEqual(offset, 54 + 1024)
        self.assertEqual(struct.unpack_from("<I", data, 46)[0], 256)
        index = data[offset]  # bottom-left pixel
        self.assertEqual(data[54 + 4 * index:54 + 4 * index + 3], bytes((3, 2, 1)))
        self.assertEqual(len(data), offset + 2 * 4)

    def test_8_bit_refuses_more_than_256_colours(self):
        c = Canvas(300, 1)
        for x in range(300):
            c.fill_rect(x, 0, x + 1, 1, (x % 256, x // 256, 0))
        with self.assertRaises(ValueError):
            bmpfile.encode(c, 8)


class GifWriter(unittest.TestCase):
    def round_trip(self, indices, min_code_size):
        self.assertEqual(lzw_decode(giffile.lzw_encode(indices, min_code_size), min_code_size), indices)

    def test_lzw_round_trips_small_and_full_alphabets(self):
        rng = random.Random(7)
        for colours, code_size in ((2, 2), (4, 2), (16, 4), (256, 8)):
            self.round_trip(bytes(rng.randrange(colours) for _ in range(5000)), code_size)

    def test_lzw_round_trips_past_a_full_code_table(self):
        rng = random.Random(11)
        self.round_trip(bytes(rng.randrange(256) for _ in range(40000)), 8)  # several clear codes

    def test_lzw_round_trips_runs_and_edge_lengths(self):
        for data in (b"", b"\x01", b"\x00" * 10000, b"\x01\x02" * 3000 + b"\x03"):
            self.round_trip(data, 2)

    def test_table_bits(self):
        self.assertEqual([giffile.table_bits(n) for n in (1, 2, 3, 4, 5, 129, 256)], [0, 0, 1, 1, 2, 7, 7])

    def test_file_layout(self):
        palette = [(0, 0, 0), (255, 0, 0), (0, 255, 0)]
        frames = [giffile.Frame(bytes([1, 2, 0, 1]), 2, 2, delay=7),
                  giffile.Frame(bytes([2]), 1, 1, left=1, top=1, delay=9, disposal=2)]
        data = giffile.encode(2, 2, palette, frames, loop=0, background=2)
        self.assertEqual(data[:6], b"GIF89a")
        self.assertEqual(struct.unpack_from("<HHBB", data, 6), (2, 2, 0x80 | 0x70 | 1, 2))
        self.assertEqual(data[13:25], bytes((0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0)))
        blocks = gif_blocks(data)
        self.assertEqual([kind for kind, _ in blocks], [0xFF, 0xF9, 0x2C, 0xF9, 0x2C])
        gce = blocks[3][1]
        self.assertEqual(data[gce + 3], 2 << 2)  # disposal, no transparency
        self.assertEqual(struct.unpack_from("<H", data, gce + 4)[0], 9)
        self.assertEqual(frame_pixels(data, blocks[2][1]), (2, 2, bytes([1, 2, 0, 1])))
        self.assertEqual(struct.unpack_from("<HH", data, blocks[4][1] + 1), (1, 1))

    def test_playing_once_has_no_loop_block(self):
        data = giffile.encode(1, 1, [(1, 2, 3)], [giffile.Frame(b"\0", 1, 1)])
        self.assertNotIn(b"NETSCAPE2.0", data)

    def test_refuses_a_frame_of_the_wrong_size(self):
        with self.assertRaises(ValueError):
            giffile.encode(2, 2, [(0, 0, 0)], [giffile.Frame(b"\0\0\0", 2, 2)])


class IconWriter(unittest.TestCase):
    def test_icon_and_cursor_headers(self):
        c = Canvas(16, 16, (0, 0, 0), alpha=0)
        c.fill_rect(4, 4, 12, 12, (255, 0, 0))
        icon = icofile.encode([c, Canvas(32, 32)])
        self.assertEqual(struct.unpack_from("<HHH", icon), (0, 1, 2))
        width, height, _, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", icon, 6)
        self.assertEqual((width, height, planes, bits), (16, 16, 1, 32))
        self.assertEqual(struct.unpack_from("<Iii", icon, offset), (40, 16, 32))
        self.assertEqual(size, 40 + 16 * 16 * 4 + 16 * 4)
        mask = icon[offset + 40 + 16 * 16 * 4:offset + size]
        self.assertEqual(mask[0], 0xFF)  # bottom row: transparent
        self.assertEqual(mask[4 * 8], 0xF0)  # row 8 from the bottom: pixels 4 to 11 opaque
        cursor = icofile.encode([c], hotspot=(3, 12))
        self.assertEqual(struct.unpack_from("<HHH", cursor), (0, 2, 1))
        self.assertEqual(struct.unpack_from("<HH", cursor, 10), (3, 12))


class TableAgainstResources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(os.path.join(RES, "resource.h"), encoding="utf-8") as f:
            cls.defines = dict(re.findall(r"#define\s+(\w+)\s+(\d+)", f.read()))

    def names_with_prefix(self, prefix):
        return {int(v): k for k, v in self.defines.items() if k.startswith(prefix)}

    def test_table_has_no_repeated_id(self):
        with open(os.path.join(SKIN, "table.py"), encoding="utf-8") as f:
            tree = ast.parse(f.read())
        for node in ast.walk(tree):
            if isinstance(node, ast.Assign) and isinstance(node.value, ast.Dict):
                keys = [k.value for k in node.value.keys]
                self.assertEqual(len(keys), len(set(keys)), node.targets[0].id)

    def test_every_drawn_resource_is_named_in_resource_h_and_back(self):
        self.assertEqual(set(self.names_with_prefix("IDB_")), set(BITMAPS))
        self.assertEqual(set(self.names_with_prefix("IDR_GIF_")), set(GIFS))
        self.assertEqual(set(self.names_with_prefix("IDCUR_")), set(CURSORS))
        self.assertIn(128, ICONS)
        files = [e.file for d in (BITMAPS, GIFS, ICONS, CURSORS) for e in d.values()]
        self.assertEqual(len(files), len(set(files)))

    def read_strings(self, name):
        with open(os.path.join(RES, name), encoding="utf-8") as f:
            text = f.read()
        body = text[text.index("BEGIN"):text.rindex("END")]
        entries = re.finditer(r'^\s*(\w+)\s+"((?:[^"]|"")*)"', body, re.M)
        return {m.group(1): m.group(2).replace('""', '"') for m in entries}

    def test_both_string_tables_hold_every_string_id_with_matching_arguments(self):
        korean = self.read_strings("strings.rc")
        english = self.read_strings("strings_eng.rc")
        string_names = {k for k in self.defines if k.startswith("IDS_")} | {"IDR_MAINFRAME"}
        self.assertEqual(set(korean), string_names)
        self.assertEqual(set(english), string_names)
        hangul = re.compile("[\uac00-\ud7a3\u3130-\u318f]")
        conversions = re.compile(r"%(?:[-0-9.]*[dsxucf]|\d+)")
        for name in string_names:
            self.assertTrue(korean[name] and english[name], name)
            self.assertIsNone(hangul.search(english[name]), name)
            self.assertEqual(conversions.findall(korean[name]), conversions.findall(english[name]), name)


class Generation(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        script = os.path.join(SKIN, "generate.py")
        subprocess.run([sys.executable, script, "--out", cls.tmp.name], check=True)
        listed = subprocess.run([sys.executable, script, "--out", cls.tmp.name, "--list-outputs"],
                                check=True, capture_output=True, text=True).stdout
        cls.listed = listed.split(";")

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def read(self, name):
        with open(os.path.join(self.tmp.name, "skin", name), "rb") as f:
            return f.read()

    def test_it_writes_exactly_what_it_lists(self):
        written = {os.path.join(self.tmp.name, "skin", n) for n in os.listdir(os.path.join(self.tmp.name, "skin"))}
        written |= {os.path.join(self.tmp.name, n) for n in ("skin.rc", "skin_table.h")}
        self.assertEqual({os.path.normpath(p) for p in self.listed}, {os.path.normpath(p) for p in written})

    def test_every_bitmap_has_its_table_size_and_depth(self):
        for rid, entry in BITMAPS.items():
            width, height, _, bits = struct.unpack_from("<iiHH", self.read(entry.file), 18)
            self.assertEqual((width, height, bits), (entry.width, entry.height, entry.bits), rid)

    def test_gifs_have_their_frames_and_the_pick_paints_its_key(self):
        for rid, entry in GIFS.items():
            data = self.read(entry.file)
            self.assertEqual(struct.unpack_from("<HH", data, 6), (entry.width, entry.height), rid)
            frames = [offset for kind, offset in gif_blocks(data) if kind == 0x2C]
            self.assertEqual(len(frames), entry.frames, rid)
        pick = self.read(GIFS[785].file)
        background = pick[11]
        self.assertEqual(pick[13 + 3 * background:16 + 3 * background], bytes((71, 234, 72)))
        width, height, pixels = frame_pixels(pick, [o for k, o in gif_blocks(pick) if k == 0x2C][0])
        self.assertEqual((width, height), (600, 600))
        self.assertEqual(pixels[0], background)  # the corner is the key colour
        self.assertNotEqual(pixels[300 * 600 + 300], background)

    def test_resource_script_names_every_file(self):
        with open(os.path.join(self.tmp.name, "skin.rc"), encoding="utf-8") as f:
            script = f.read()
        for kind, table in (("BITMAP", BITMAPS), ("GIF", GIFS), ("ICON", ICONS), ("CURSOR", CURSORS)):
            for rid, entry in table.items():
                self.assertRegex(script, r"(?m)^%d %s \"[^\"]*/%s\"" % (rid, kind, re.escape(entry.file)))


if __name__ == "__main__":
    unittest.main()
