"""A simulated student that rebuilds the teacher's shared screen from the class screen-share
blocks (type-12 packets after "[KW00103]" and "[KW00102]start").

Each block's data is a zlib stream of the strip payload

    u32 total | u32 count | count x u32 tile index | u32 JPEG length | JPEG

where the JPEG holds the tiles side by side, one tile high. The student pastes each tile into its
canvas (the canvas size of "[KW00103]", cut by the tile grid rule: halve each side while it is
even and at least 50, stopping once a halving gives less than 50) and keeps every block's tile
indexes, so tests can compare the canvas with what the teacher's screen shows and see which tiles
each block carried. ``acknowledging = False`` stops its "[PC00025]" answers (a lagging student).

    student = ShareStudent("127.0.0.1", port, seat=1).start()
    student.wait_admitted()
    student.wait_tiles(512)                 # every tile of a 1280 x 720 canvas arrived
    student.tile_colour(33)                 # the mean colour of tile 33
"""

import io
import struct
import threading
import time
import zlib

from PIL import Image

import lumora_wire as wire
from student_agent import StudentAgent

MAX_PAYLOAD = 64 * 1024 * 1024


def broadcast_tile_side(side, floor=50):
    if side < floor:
        return side
    while side % 2 == 0:
        side //= 2
        if side < floor:
            break
    return side


def parse_strip(payload):
    """(tile indexes, JPEG bytes) of a strip payload; ValueError when it is malformed."""
    if len(payload) < 12:
        raise ValueError("short payload")
    total, count = struct.unpack_from("<II", payload, 0)
    if total != len(payload) or 12 + 4 * count > total:
        raise ValueError("payload sizes disagree")
    indexes = list(struct.unpack_from(f"<{count}I", payload, 8))
    (length,) = struct.unpack_from("<I", payload, 8 + 4 * count)
    jpeg = payload[12 + 4 * count:]
    if len(jpeg) != length:
        raise ValueError("JPEG length disagrees")
    return indexes, jpeg


class Block:
    def __init__(self, sequence, indexes, at):
        self.sequence = sequence
        self.indexes = indexes
        self.at = at


class ShareStudent(StudentAgent):
    def __init__(self, *args, **options):
        super().__init__(*args, **options)
        self.acknowledging = True
        self.canvas = None
        self.tile = (0, 0)
        self.columns = 0
        self.blocks = []
        self.received_tiles = set()
        self.errors = []
        self._lock = threading.Lock()

    # The base agent records every packet and acknowledges blocks; the picture is rebuilt here.
    def _receive(self, packet):
        if isinstance(packet, wire.Text) and packet.text.startswith("[KW00103]"):
            self._set_canvas(packet.text[9:])
        elif isinstance(packet, wire.TileBlock):
            self._paste(packet)
        super()._receive(packet)

    def _answer(self, text):
        if text.startswith("[PC00025]") and not self.acknowledging:
            return
        super()._answer(text)

    def _set_canvas(self, arguments):
        fields = arguments.split(",")
        width, height = int(fields[0]), int(fields[1])
        with self._lock:
            if self.canvas is None or self.canvas.size != (width, height):
                self.canvas = Image.new("RGB", (width, height))
                self.received_tiles = set()
            self.tile = (broadcast_tile_side(width), broadcast_tile_side(height))
            self.columns = width // self.tile[0]

    def _paste(self, packet):
        try:
            if packet.raw_size > MAX_PAYLOAD:
                raise ValueError("block too large")
            payload = zlib.decompress(packet.data)
            if len(payload) != packet.raw_size:
                raise ValueError("raw size disagrees")
            indexes, jpeg = parse_strip(payload)
            strip = Image.open(io.BytesIO(jpeg)).convert("RGB")
        except Exception as error:  # a malformed block is a finding, not a crash of the peer
            self.errors.append(f"block {packet.sequence}: {error}")
            return
        with self._lock:
            tw, th = self.tile
            if self.canvas is not None and strip.size == (tw * len(indexes), th):
                for k, index in enumerate(indexes):
                    x, y = (index % self.columns) * tw, (index // self.columns) * th
                    self.canvas.paste(strip.crop((k * tw, 0, (k + 1) * tw, th)), (x, y))
                    self.received_tiles.add(index)
            else:
                self.errors.append(f"block {packet.sequence}: strip {strip.size} for {len(indexes)} tiles")
            self.blocks.append(Block(packet.sequence, indexes, time.monotonic()))
        self.journal.changed()

    # ------------------------------------------------------------ queries

    def wait_tiles(self, count, timeout=30.0):
        self.journal.wait_until(lambda: len(self.received_tiles) >= count, timeout,
                                what=f"{count} shared tiles at {self.label}")

    def wait_blocks(self, count, timeout=30.0):
        self.journal.wait_until(lambda: len(self.blocks) >= count, timeout,
                                what=f"{count} share blocks at {self.label}")

    def block_count(self):
        with self._lock:
            return len(self.blocks)

    def blocks_since(self, start):
        with self._lock:
            return list(self.blocks[start:])

    def tile_colour(self, index):
        """The mean colour of the tile's inner half (away from edges the scaling blurs)."""
        with self._lock:
            tw, th = self.tile
            x, y = (index % self.columns) * tw, (index // self.columns) * th
            box = self.canvas.crop((x + tw // 4, y + th // 4, x + 3 * tw // 4, y + 3 * th // 4))
        pixels = list(box.getdata())
        return tuple(sum(p[c] for p in pixels) // len(pixels) for c in range(3))
