"""Wire packets of the Lumora console, for the simulated peers of the tests.

A packet on the TCP stream is: 4 magic bytes (byte 3 = low byte t of the sender's millisecond
tick, bytes 0..2 = 0xA0 + (t >> 5), 0xA0 + (t >> 6), 0xA0 + (t >> 4)), a u32 length counting
itself, the type byte and the payload, then the type byte (1..12, no 6) and the payload.
Integers are little-endian; text is UTF-16LE without terminator. A type-1 text is RC4
enciphered under MD5("wuxqotrabne!!@@" as UTF-16LE) and carries the hex MD5 of its first N
bytes, N being its length in characters.

Each packet type is a dataclass below (``Text``, ``ScreenFormat`` ...). ``encode`` turns one into
bytes, ``decode`` parses a whole frame, ``read_packet`` reads exactly one packet from a socket.
Everything that comes from the wire is checked against the bytes present and against
``MAX_LENGTH`` before it is used; a violation raises ``WireError``.
"""

import hashlib
import socket
import struct
import time
from dataclasses import dataclass, field
from typing import List, Optional, Tuple

MAX_LENGTH = 32 * 1024 * 1024          # largest length field a reader accepts
MIN_LENGTH = 5                         # the length field itself and the type byte
HEADER_SIZE = 8                        # magic + length
PACKET_PASSWORD = "wuxqotrabne!!@@"
PACKET_KEY = hashlib.md5(PACKET_PASSWORD.encode("utf-16-le")).digest()
DIGEST_CHARS = 32


class WireError(Exception):
    """Bytes that are not a valid packet (the console closes the connection on these)."""


class PeerClosed(WireError, EOFError):
    """The peer closed the stream cleanly between two packets."""


# ---------------------------------------------------------------- cipher and digest

def rc4(key: bytes, data: bytes) -> bytes:
    """Standard RC4; the key schedule repeats the key (the packet key is 16 bytes)."""
    state = list(range(256))
    j = 0
    for i in range(256):
        j = (j + state[i] + key[i % len(key)]) & 0xFF
        state[i], state[j] = state[j], state[i]
    out = bytearray(len(data))
    i = j = 0
    for n, byte in enumerate(data):
        i = (i + 1) & 0xFF
        j = (j + state[i]) & 0xFF
        state[i], state[j] = state[j], state[i]
        out[n] = byte ^ state[(state[i] + state[j]) & 0xFF]
    return bytes(out)


def crypt_text(data: bytes) -> bytes:
    """Enciphers or deciphers (RC4 is symmetric) a type-1 text with a fresh keystream."""
    return rc4(PACKET_KEY, data)


def utf16(text: str) -> bytes:
    return text.encode("utf-16-le", "surrogatepass")


def from_utf16(data: bytes) -> str:
    return bytes(data).decode("utf-16-le", "surrogatepass")


def text_digest(text: str) -> str:
    """Hex MD5 of the first N bytes of the UTF-16LE text, N = its length in characters."""
    raw = utf16(text)
    return hashlib.md5(raw[: len(raw) // 2]).hexdigest()


def magic(tick_byte: int) -> bytes:
    t = tick_byte & 0xFF
    return bytes((0xA0 + (t >> 5), 0xA0 + (t >> 6), 0xA0 + (t >> 4), t))


def current_tick_byte() -> int:
    return int(time.monotonic() * 1000) & 0xFF


# ---------------------------------------------------------------- payload reader

class _Body:
    """Bounds-checked little-endian reader over a packet body."""

    def __init__(self, data):
        self._data = memoryview(data)
        self._pos = 0

    def remaining(self) -> int:
        return len(self._data) - self._pos

    def take(self, count: int, what: str) -> bytes:
        if count < 0 or count > self.remaining():
            raise WireError(f"{what}: {count} bytes wanted, {self.remaining()} present")
        chunk = self._data[self._pos:self._pos + count].tobytes()
        self._pos += count
        return chunk

    def _unpack(self, fmt: str, what: str):
        return struct.unpack("<" + fmt, self.take(struct.calcsize("<" + fmt), what))

    def u16(self, what="u16") -> int:
        return self._unpack("H", what)[0]

    def u32(self, what="u32") -> int:
        return self._unpack("I", what)[0]

    def i32(self, what="i32") -> int:
        return self._unpack("i", what)[0]

    def counted(self, count: int, entry_size: int, what: str) -> int:
        if count * entry_size > self.remaining():
            raise WireError(f"{what}: count {count} exceeds the {self.remaining()} bytes present")
        return count

    def sized_bytes(self, what: str) -> bytes:
        return self.take(self.u32(what + " length"), what)

    def finish(self):
        if self.remaining():
            raise WireError(f"{self.remaining()} bytes after the payload")


def _u32s(*values) -> bytes:
    return struct.pack("<%dI" % len(values), *values)


def _sized(data: bytes) -> bytes:
    return _u32s(len(data)) + bytes(data)


# ---------------------------------------------------------------- packet types

class Packet:
    """Base of the packet types; TYPE is the wire type byte."""
    TYPE = 0

    @property
    def type(self) -> int:
        return self.TYPE

    def payload(self) -> bytes:
        raise NotImplementedError

    @classmethod
    def parse(cls, body: _Body) -> "Packet":
        raise NotImplementedError


@dataclass
class Text(Packet):
    """Type 1: a text command. The digest defaults to the one a sender computes."""
    TYPE = 1
    text: str = ""
    digest: Optional[str] = None

    def __post_init__(self):
        if self.digest is None:
            self.digest = text_digest(self.text)

    def payload(self) -> bytes:
        digest = utf16(self.digest)
        cipher = crypt_text(utf16(self.text))
        return _u32s(len(digest) // 2) + digest + _sized(cipher)

    @classmethod
    def parse(cls, body):
        chars = body.u32("digest length")
        body.counted(chars, 2, "digest")
        digest = from_utf16(body.take(chars * 2, "digest"))
        plain = crypt_text(body.sized_bytes("cipher"))
        # The text ends at its first zero character; an odd last byte becomes a character.
        padded = plain + b"\0\0"
        text = from_utf16(padded[: len(padded) // 2 * 2]).split("\0", 1)[0]
        return cls(text, digest)


@dataclass
class ScreenFormat(Packet):
    TYPE = 2
    width: int = 0
    height: int = 0
    bits_per_pixel: int = 0

    def payload(self):
        return _u32s(self.width, self.height, self.bits_per_pixel)

    @classmethod
    def parse(cls, body):
        return cls(body.u32(), body.u32(), body.u32())


@dataclass
class Record(Packet):
    """Type 3: five u32, four u16 and two u16-sized byte blocks."""
    TYPE = 3
    values: Tuple[int, int, int, int, int] = (0, 0, 0, 0, 0)
    shorts: Tuple[int, int, int, int] = (0, 0, 0, 0)
    block_a: bytes = b""
    block_b: bytes = b""

    def payload(self):
        out = _u32s(*self.values) + struct.pack("<4H", *self.shorts)
        for block in (self.block_a, self.block_b):
            out += struct.pack("<H", len(block)) + bytes(block)
        return out

    @classmethod
    def parse(cls, body):
        values = tuple(body.u32() for _ in range(5))
        shorts = tuple(body.u16() for _ in range(4))
        block_a = body.take(body.u16("block A length"), "block A")
        block_b = body.take(body.u16("block B length"), "block B")
        return cls(values, shorts, block_a, block_b)


@dataclass
class KeyEvent:
    message: int = 0x100
    virtual_key: int = 0
    repeat: int = 1
    flags: int = 0

    WIRE = struct.Struct("<HIII")


@dataclass
class MouseEvent:
    message: int = 0x200
    key_state: int = 0
    x: int = 0
    y: int = 0
    wheel: int = 0

    WIRE = struct.Struct("<HIiiH")


@dataclass
class KeyEvents(Packet):
    TYPE = 4
    entries: List[KeyEvent] = field(default_factory=list)

    def payload(self):
        return _u32s(len(self.entries)) + b"".join(
            KeyEvent.WIRE.pack(e.message, e.virtual_key, e.repeat, e.flags) for e in self.entries)

    @classmethod
    def parse(cls, body):
        count = body.counted(body.u32("key count"), KeyEvent.WIRE.size, "key entries")
        return cls([KeyEvent(*KeyEvent.WIRE.unpack(body.take(KeyEvent.WIRE.size, "key entry")))
                    for _ in range(count)])


@dataclass
class MouseEvents(Packet):
    TYPE = 5
    entries: List[MouseEvent] = field(default_factory=list)

    def payload(self):
        return _u32s(len(self.entries)) + b"".join(
            MouseEvent.WIRE.pack(e.message, e.key_state, e.x, e.y, e.wheel) for e in self.entries)

    @classmethod
    def parse(cls, body):
        count = body.counted(body.u32("mouse count"), MouseEvent.WIRE.size, "mouse entries")
        return cls([MouseEvent(*MouseEvent.WIRE.unpack(body.take(MouseEvent.WIRE.size, "mouse entry")))
                    for _ in range(count)])


@dataclass
class Image(Packet):
    """Type 7: a student's screen image. Value G is on the wire only when value E is 0
    (it decodes as 0 otherwise, and is not written)."""
    TYPE = 7
    value_a: int = 0
    value_b: int = 0
    value_c: int = 0
    value_d: int = 0
    value_e: int = 0
    sequence: int = 0
    value_f: int = 0
    rect: Tuple[int, int, int, int] = (0, 0, 0, 0)
    value_g: int = 0
    image: bytes = b""

    def payload(self):
        out = _u32s(self.value_a, self.value_b, self.value_c, self.value_d, self.value_e,
                    self.sequence, self.value_f)
        out += struct.pack("<4i", *self.rect)
        if self.value_e == 0:
            out += _u32s(self.value_g)
        return out + _sized(self.image)

    @classmethod
    def parse(cls, body):
        values = [body.u32() for _ in range(7)]
        rect = tuple(body.i32("rect") for _ in range(4))
        value_g = body.u32("value G") if values[4] == 0 else 0
        return cls(*values, rect, value_g, body.sized_bytes("image"))


def _tile_fields(body):
    raw_size = body.u32("raw size")
    length = body.u32("data length")
    sequence = body.u32("sequence")
    return raw_size, sequence, body.take(length, "tile data")


@dataclass
class ValuedTileBlock(Packet):
    """Type 8: a leading value, then a type-12 block."""
    TYPE = 8
    value: int = 0
    raw_size: int = 0
    sequence: int = 0
    data: bytes = b""

    def payload(self):
        return _u32s(self.value, self.raw_size, len(self.data), self.sequence) + bytes(self.data)

    @classmethod
    def parse(cls, body):
        return cls(body.u32("value"), *_tile_fields(body))


@dataclass
class FilePiece(Packet):
    TYPE = 9
    kind: int = 0
    piece_count: int = 0
    piece_number: int = 0
    name: str = ""
    data: bytes = b""

    def payload(self):
        name = utf16(self.name)
        return (_u32s(self.kind, self.piece_count, self.piece_number, len(name) // 2) + name
                + _sized(self.data))

    @classmethod
    def parse(cls, body):
        kind, count, number = body.u32(), body.u32(), body.u32()
        chars = body.counted(body.u32("name length"), 2, "file name")
        name = from_utf16(body.take(chars * 2, "file name"))
        return cls(kind, count, number, name, body.sized_bytes("file data"))


@dataclass
class ValuePair(Packet):
    TYPE = 10
    value: int = 0
    flag: int = 0

    def payload(self):
        return _u32s(self.value, self.flag)

    @classmethod
    def parse(cls, body):
        return cls(body.u32(), body.u32())


@dataclass
class Sound(Packet):
    TYPE = 11
    value: int = 0
    data: bytes = b""

    def payload(self):
        return _u32s(self.value) + _sized(self.data)

    @classmethod
    def parse(cls, body):
        return cls(body.u32(), body.sized_bytes("sound data"))


@dataclass
class TileBlock(Packet):
    """Type 12: a block of screen tiles; raw_size is its size after decompression."""
    TYPE = 12
    raw_size: int = 0
    sequence: int = 0
    data: bytes = b""

    def payload(self):
        return _u32s(self.raw_size, len(self.data), self.sequence) + bytes(self.data)

    @classmethod
    def parse(cls, body):
        return cls(*_tile_fields(body))


PACKET_TYPES = {cls.TYPE: cls for cls in (Text, ScreenFormat, Record, KeyEvents, MouseEvents,
                                          Image, ValuedTileBlock, FilePiece, ValuePair, Sound,
                                          TileBlock)}


# ---------------------------------------------------------------- frames

def build_frame(type_byte: int, payload: bytes, tick_byte: Optional[int] = None,
                length: Optional[int] = None) -> bytes:
    """Frames raw bytes without any check; tests use it to craft packets a codec must refuse."""
    if tick_byte is None:
        tick_byte = current_tick_byte()
    if length is None:
        length = 4 + 1 + len(payload)
    return magic(tick_byte) + struct.pack("<I", length & 0xFFFFFFFF) + bytes([type_byte]) + payload


def encode(packet: Packet, tick_byte: Optional[int] = None) -> bytes:
    """The whole frame of a packet; the magic comes from tick_byte (default: the clock)."""
    if PACKET_TYPES.get(packet.type) is not type(packet):
        raise WireError(f"cannot send a packet of type {packet.type}")
    try:
        payload = packet.payload()
    except struct.error as error:
        raise WireError(f"type {packet.type}: field out of range: {error}") from None
    if 5 + len(payload) > MAX_LENGTH:
        raise WireError(f"packet of {5 + len(payload)} bytes exceeds the {MAX_LENGTH} cap")
    return build_frame(packet.type, payload, tick_byte)


def check_header(header: bytes) -> int:
    """Validates the 8-byte frame header; returns the body size (type byte + payload)."""
    if len(header) != HEADER_SIZE:
        raise WireError(f"header of {len(header)} bytes")
    if header[:4] != magic(header[3]):
        raise WireError(f"bad magic {header[:4].hex()}")
    (length,) = struct.unpack_from("<i", header, 4)
    if length < MIN_LENGTH or length > MAX_LENGTH:
        raise WireError(f"bad length field {length}")
    return length - 4


def decode_body(body: bytes) -> Packet:
    """Parses a body (type byte + payload); the payload must be consumed exactly."""
    if not body:
        raise WireError("empty body")
    cls = PACKET_TYPES.get(body[0])
    if cls is None:
        raise WireError(f"unknown packet type {body[0]}")
    reader = _Body(body)
    reader.take(1, "type")
    packet = cls.parse(reader)
    reader.finish()
    return packet


def decode(frame: bytes) -> Packet:
    """Parses exactly one whole frame."""
    size = check_header(bytes(frame[:HEADER_SIZE]))
    if len(frame) != HEADER_SIZE + size:
        raise WireError(f"frame of {len(frame)} bytes, header says {HEADER_SIZE + size}")
    return decode_body(frame[HEADER_SIZE:])


# ---------------------------------------------------------------- sockets

def recv_exact(sock: socket.socket, count: int, what: str = "packet",
               closed_before: bool = False) -> bytes:
    """count bytes; a stream that ends first is a WireError, or PeerClosed when it ends before
    the first byte and closed_before says that is a clean end."""
    buffer = bytearray(count)
    view = memoryview(buffer)
    got = 0
    while got < count:
        n = sock.recv_into(view[got:], count - got)
        if n == 0:
            if got == 0 and closed_before:
                raise PeerClosed("peer closed the connection")
            raise WireError(f"stream ended inside the {what} ({got} of {count} bytes)")
        got += n
    return bytes(buffer)


def read_frame(sock: socket.socket) -> bytes:
    """Reads exactly one frame (header checked before the body is read); raw bytes."""
    header = recv_exact(sock, HEADER_SIZE, "header", closed_before=True)
    size = check_header(header)
    return header + recv_exact(sock, size, "body")


def read_packet(sock: socket.socket) -> Packet:
    return decode(read_frame(sock))


def send_packet(sock: socket.socket, packet: Packet, tick_byte: Optional[int] = None):
    sock.sendall(encode(packet, tick_byte))


def text_packet(command: str, tick_byte: Optional[int] = None) -> bytes:
    """The frame of a type-1 packet carrying a command."""
    return encode(Text(command), tick_byte)


def send_text(sock: socket.socket, command: str):
    sock.sendall(text_packet(command))


def read_text(sock: socket.socket) -> str:
    """Reads one packet and returns its text; anything but a type-1 packet is an error."""
    packet = read_packet(sock)
    if not isinstance(packet, Text):
        raise WireError(f"expected a text packet, got type {packet.type}")
    return packet.text
