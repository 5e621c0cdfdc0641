"""A simulated "Lumora Student" agent (PC edition, and the pad edition's few differences) for the
console's tests, for load runs and for running the console by hand.

The agent connects to the console's listening port and is admitted like this (type-1 texts):

    console "[KW00094]2.0.1.1047", "[KW00007]<free seats, comma list>"
    agent   "[PC00017]<version>", "[PC00029]1,Reserved,Reserved,Reserved" (pad: "[PC00129]2,...")
    agent   "[PC00002]<seat>,<name>,0,0,0,0,false,0"
    console "[KW00001]<id>,<thumb w>,<thumb h>,<refresh ms>,<quality>,<digest>", "[KW00094]..."
            or "[KW10000]2,<text>" / "[KW10000]3,<text>" and a close (seat taken / beyond the seats)
    agent   "[PC00004]<screen w>,<screen h>" and a type-2 screen format; the console answers type 10

The digest is the lower-case hex MD5 of GREETING_PHRASE in UTF-16LE; a greeting with another
digest makes the agent leave (``agent.error`` says why). Then the agent serves: "[PC00003]" every
``keepalive_interval`` s (the console answers "[KW10002]", counted), a type-7 thumbnail every
``thumbnail_interval`` s (a one-colour JPEG of the thumbnail size the console asked for, rectangle
0,0,w,h), and these answers: "[PC00010]" per type-9 file piece (the file is kept in
``files_received``), "[PC00025]<n>" per type-12 share frame, "[PC00013]success" to "[KW00029]",
screen frames while a remote session ("[KW00004]1|3,...") runs (PC: type-12 tile strips, pad:
type-7 images, one more per "[KW00079]" acknowledgement) until "[KW00003]w,h"; "[KW10001]" makes
it close. Every packet it receives is recorded in order (``texts``, ``commands``, ``journal``).

Library use::

    agent = StudentAgent("127.0.0.1", port, seat=3, colour=(255, 0, 0),
                         keepalive_interval=1, thumbnail_interval=0.5).start()
    agent.wait_admitted()                        # Greeting, or AdmissionRefused(code, text)
    agent.wait_text("[KW00050]")                 # the first command with that tag
    agent.upload_file("report.txt", b"...")      # type-9 kind-3 pieces, returns the [KW00105] acks
    agent.press_buzzer(); agent.chat("hello, teacher"); agent.answer_quiz("O")
    agent.go_silent()                            # sends nothing more (still reads and records)
    agent.end()                                  # "[PC00031]", then the connection ends in order
    agent.drop()                                 # or: the connection is reset without a word

    with Class("127.0.0.1", port, count=30, thumbnail_interval=1) as room:   # seats 1..30
        room.wait_admitted()
        ...

Options of note: ``seat=None`` takes the first free seat offered; ``edition="pad"`` (client kind 2,
or ``client_kind=3``; pad messages: send_pad_state, send_permissions, send_orientation,
send_app_event); ``screen`` (1024 x 768); ``keepalive_interval`` (5 s; None: none);
``thumbnail_interval`` (None: thumbnails only by send_thumbnail()); ``hello_text`` replaces the
"[PC00002]" text (malformed hellos); ``silent=True`` from the start; ``send_screen_format=False``.
The thumbnail period is the agent's own: "[KW00006]" is recorded, not followed. ``stop()`` closes
without a word; ``Class.stop(orderly=True)`` ends every agent with "[PC00031]" at once.

Command line (runs a live class until killed; SIGINT/SIGTERM end every agent in order):

    python3 tests/peers/student_agent.py --host 127.0.0.1 --port P --count 5 \\
        [--first-seat 1] [--edition pc|pad] [--thumbnail-interval 1] [--keepalive-interval 5]
        [--screen 1024x768] [--reconnect-delay 3] [--quiet]
"""

import argparse
import colorsys
import functools
import hashlib
import io
import json
import os
import queue
import signal
import socket
import struct
import sys
import threading
import time
import zlib
from dataclasses import dataclass, field
from typing import List, Optional

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import lumora_wire as wire  # noqa: E402
from peer_common import (CONSOLE_VERSION, DEFAULT_TIMEOUT, Journal, split_command,  # noqa: E402
                         split_fields)

# The phrase whose digest the console's greeting carries, made of pieces of 5, 1 and 7 characters
# (the console builds the same phrase).
GREETING_PHRASE = "Lumor" + "a" + "Student"
PIECE_SIZE = 307200           # bytes of a file piece
UPLOAD_KIND = 3               # transfer kind of a student's upload
MAX_FRAMES_AHEAD = 2          # remote-session frames sent and not yet acknowledged

EDITION_KINDS = {"pc": 1, "pad": 2}


def greeting_digest(phrase=GREETING_PHRASE):
    return hashlib.md5(phrase.encode("utf-16-le")).hexdigest()


@functools.lru_cache(maxsize=128)
def make_jpeg(width, height, colour, quality=70):
    """A JPEG of one colour (Debian's python3-pil)."""
    from PIL import Image as PilImage
    buffer = io.BytesIO()
    PilImage.new("RGB", (max(1, width), max(1, height)), tuple(colour)).save(
        buffer, "JPEG", quality=quality)
    return buffer.getvalue()


def tile_size(width, height):
    """The tile grid rule: each side halved while it is above 199 and even."""
    def halve(value):
        while value > 199 and value % 2 == 0:
            value //= 2
        return value
    return halve(width), halve(height)


@functools.lru_cache(maxsize=32)
def full_tile_block(width, height, colour, quality=70):
    """(raw size, zlib data) of a tile block covering the whole screen: u32 total tiles, i32 n,
    n i32 indices, i32 strip length, a JPEG strip of the n tiles side by side."""
    tile_w, tile_h = tile_size(width, height)
    columns, rows = width // tile_w, height // tile_h
    count = columns * rows
    strip = make_jpeg(count * tile_w, tile_h, colour, quality)
    payload = struct.pack(f"<Ii{count}ii", count, count, *range(count), len(strip)) + strip
    return len(payload), zlib.compress(payload, 9)


class AdmissionRefused(Exception):
    def __init__(self, code, text):
        super().__init__(f"admission refused with code {code}: {text}")
        self.code = code
        self.text = text


class AdmissionFailed(Exception):
    """The connection ended, or the greeting was unusable, before the agent was admitted."""


@dataclass
class Greeting:
    connection_id: int
    thumbnail_width: int
    thumbnail_height: int
    refresh_delay: int
    quality: int
    digest: str


@dataclass
class Received:
    """One packet from the console; text, tag and args are "" for packets other than type 1."""
    packet: wire.Packet
    text: str = ""
    tag: str = ""
    args: str = ""
    admitted: bool = False            # arrived after the greeting
    time: float = field(default_factory=time.monotonic)


class StudentAgent:
    def __init__(self, host="127.0.0.1", port=0, seat=None, name=None, *, edition="pc",
                 client_kind=None, version=CONSOLE_VERSION, screen=(1024, 768),
                 bits_per_pixel=32, colour=(40, 120, 200), quality=70, keepalive_interval=5.0,
                 thumbnail_interval=None, frame_interval=0.2, send_screen_format=True,
                 client_texts=("Reserved", "Reserved", "Reserved"), region=(0, 0, 0, 0),
                 region_on=False, hello_text=None, check_digest=True, silent=False,
                 connect_timeout=10.0, label=None, on_event=None, narrow_window=False):
        self.host, self.port = host, port
        self.seat, self.name = seat, name
        self.edition = edition
        self.client_kind = client_kind if client_kind is not None else EDITION_KINDS[edition]
        self.version = version
        self.screen = tuple(screen)
        self.bits_per_pixel = bits_per_pixel
        self.colour = tuple(colour)
        self.quality = quality
        self.keepalive_interval = keepalive_interval
        self.thumbnail_interval = thumbnail_interval
        self.frame_interval = frame_interval
        self.send_screen_format = send_screen_format
        self.client_texts = tuple(client_texts)
        self.region, self.region_on = tuple(region), region_on
        self.hello_text = hello_text
        self.check_digest = check_digest
        self.silent = silent
        self.connect_timeout = connect_timeout
        # A connection that takes in little at a time (small receive buffer and segments): once
        # the agent stops reading, what the console writes to it soon has nowhere to go.
        self.narrow_window = narrow_window
        self._reading = threading.Event()
        self._reading.set()
        self.label = label or (f"seat {seat}" if seat is not None else "agent")
        self.on_event = on_event

        self.journal = Journal()          # Received entries, in arrival order
        self.phase = "new"                # new, connecting, offered, hello, admitted, closed
        self.console_version = None
        self.free_seats: Optional[List[int]] = None
        self.greeting: Optional[Greeting] = None
        self.refusal: Optional[AdmissionRefused] = None
        self.error: Optional[BaseException] = None
        self.closed_by_console = False    # the console closed, or sent "[KW10001]"
        self.thumbnail_size = (0, 0)
        self.remote_mode = None           # "1" or "3" while a remote session runs
        self.keepalives_sent = 0
        self.keepalive_answers = 0
        self.thumbnails_sent = 0
        self.frames_sent = 0
        self.frame_acknowledged = 0
        self.value_pairs = []             # (value, flag) of the type-10 packets received
        self.files_received = {}          # name -> bytes of files the console sent
        self.file_folder = None           # the last "[KW00030]" folder
        self.file_overwrite = None        # the last "[KW00013]" flag
        self._incoming = None             # (name, bytearray) of the file being received
        self._upload_acks = queue.Queue()
        self._sock = None
        self._send_lock = threading.Lock()
        self._closing = False
        self._wake = threading.Event()
        self._reader = None
        self._ticker = None
        self._thumbnail_sequence = 0

    # ------------------------------------------------------------ life

    def start(self):
        self.phase = "connecting"
        self._reader = threading.Thread(target=self._run, name=f"agent-{self.label}", daemon=True)
        self._reader.start()
        return self

    def admit(self, timeout=DEFAULT_TIMEOUT):
        """start() and wait_admitted()."""
        self.start()
        return self.wait_admitted(timeout)

    def wait_admitted(self, timeout=DEFAULT_TIMEOUT) -> Greeting:
        self.journal.wait_until(lambda: self.phase in ("admitted", "closed"), timeout,
                                what=f"admission of {self.label}")
        if self.greeting is not None:
            return self.greeting
        if self.refusal is not None:
            raise self.refusal
        raise AdmissionFailed(f"{self.label}: " + (str(self.error) if self.error
                                                    else "connection ended before the greeting"))

    def wait_closed(self, timeout=DEFAULT_TIMEOUT):
        self.journal.wait_until(lambda: self.phase == "closed", timeout,
                                what=f"close of {self.label}")

    @property
    def closed(self):
        return self.phase == "closed"

    @property
    def admitted(self):
        return self.phase == "admitted"

    def stop(self, timeout=5.0):
        """Closes the connection without a word (a clean TCP close) and waits for the threads."""
        self._closing = True
        self._shutdown(socket.SHUT_RDWR)
        self._join(timeout)

    def end(self, timeout=DEFAULT_TIMEOUT, wait=True):
        """The orderly end: "[PC00031]", then our side of the stream ends and the agent waits until
        the console closes its side (anything it still sends is recorded), at most timeout s.
        With wait=False it returns at once; finish with wait_closed() and stop()."""
        self._closing = True
        try:
            self.send_text("[PC00031]")
        except OSError:
            pass
        self._shutdown(socket.SHUT_WR)
        if wait:
            try:
                self.wait_closed(timeout)
            except TimeoutError:
                pass
            self.stop()

    def drop(self):
        """An abrupt end: the connection is reset (RST), nothing is said."""
        self._closing = True
        sock = self._sock
        if sock is not None:
            try:
                sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            except OSError:
                pass
        self._shutdown(socket.SHUT_RD)    # wakes the reader, which closes: linger 0 resets
        self._join(5.0)

    def stop_reading(self):
        """From the next packet on nothing is read (a student PC that froze): the console's writes
        pile up in the connection. Sending goes on."""
        self._reading.clear()

    def resume_reading(self):
        self._reading.set()

    def go_silent(self):
        """From now on nothing is sent: no keep-alive, thumbnail or answer (reading goes on)."""
        self.silent = True

    def resume(self):
        self.silent = False
        self._wake.set()

    def _shutdown(self, how):
        sock = self._sock
        if sock is not None:
            try:
                sock.shutdown(how)
            except OSError:
                pass

    def _join(self, timeout):
        self._wake.set()
        self._reading.set()
        for thread in (self._reader, self._ticker):
            if thread is not None and thread is not threading.current_thread():
                thread.join(timeout)

    # ------------------------------------------------------------ records and waits

    @property
    def texts(self) -> List[str]:
        """Every text received, in order, admission included."""
        return [entry.text for entry in self.journal.items() if isinstance(entry.packet, wire.Text)]

    @property
    def commands(self) -> List[str]:
        """The texts received after the greeting, in order."""
        return [entry.text for entry in self.journal.items()
                if entry.admitted and isinstance(entry.packet, wire.Text)]

    def wait_text(self, prefix, timeout=DEFAULT_TIMEOUT, start=0) -> Received:
        """The first received text (from journal index start) that begins with prefix."""
        return self.journal.wait(
            lambda entry: isinstance(entry.packet, wire.Text) and entry.text.startswith(prefix),
            timeout, start, what=f"{prefix} at {self.label}")

    def wait_packet(self, packet_type, timeout=DEFAULT_TIMEOUT, start=0) -> Received:
        return self.journal.wait(lambda entry: entry.packet.type == packet_type, timeout, start,
                                 what=f"type-{packet_type} packet at {self.label}")

    def wait_file(self, name, timeout=DEFAULT_TIMEOUT) -> bytes:
        self.journal.wait_until(lambda: name in self.files_received, timeout,
                                what=f"file {name} at {self.label}")
        return self.files_received[name]

    def wait_keepalive_answers(self, count, timeout=DEFAULT_TIMEOUT):
        self.journal.wait_until(lambda: self.keepalive_answers >= count, timeout,
                                what=f"{count} keep-alive answers at {self.label}")

    # ------------------------------------------------------------ actions

    def send_text(self, text):
        self.send_packet(wire.Text(text))

    def send_texts(self, text, count):
        """The same text count times, in one write."""
        data = wire.encode(wire.Text(text)) * count
        with self._send_lock:
            self._sock.sendall(data)

    def send_packet(self, packet):
        sock = self._sock
        if sock is None:
            raise OSError("not connected")
        data = wire.encode(packet)
        with self._send_lock:
            sock.sendall(data)

    def send_thumbnail(self, colour=None, size=None):
        """One type-7 thumbnail: a JPEG of the thumbnail size, at rectangle 0,0,w,h."""
        width, height = size or self.thumbnail_size
        self._thumbnail_sequence += 1
        image = make_jpeg(width, height, tuple(colour or self.colour), self.quality)
        self.send_packet(wire.Image(sequence=self._thumbnail_sequence,
                                    rect=(0, 0, width, height), image=image))
        self.thumbnails_sent += 1

    def send_frame(self):
        """One whole-screen frame of a remote session (PC: a tile block, pad: an image)."""
        self.frames_sent += 1
        width, height = self.screen
        if self.client_kind == 1:
            raw_size, data = full_tile_block(width, height, self.colour, self.quality)
            self.send_packet(wire.TileBlock(raw_size, self.frames_sent, data))
        else:
            self.send_packet(wire.Image(sequence=self.frames_sent, rect=(0, 0, width, height),
                                        image=make_jpeg(width, height, self.colour,
                                                        self.quality)))

    def upload_file(self, name, data, timeout=DEFAULT_TIMEOUT) -> List[int]:
        """Sends a file as type-9 kind-3 pieces (the last one empty, numbered with the piece count),
        each after the console acknowledged the one before; returns the "[KW00105]" values."""
        while not self._upload_acks.empty():
            self._upload_acks.get_nowait()
        count = (len(data) + PIECE_SIZE - 1) // PIECE_SIZE
        acks = []
        for index in range(count + 1):
            chunk = bytes(data[index * PIECE_SIZE:(index + 1) * PIECE_SIZE])
            self.send_packet(wire.FilePiece(UPLOAD_KIND, count, index, name, chunk))
            try:
                acks.append(self._upload_acks.get(timeout=timeout))
            except queue.Empty:
                raise TimeoutError(f"no [KW00105] for piece {index} of {name}") from None
        return acks

    def chat(self, text):
        """A chat line; its commas travel as "&comma;"."""
        self.send_text("[PC00015]" + text.replace(",", "&comma;") + "," + self._plain(self.name))

    def press_buzzer(self):
        self.send_text("[PC00400]")

    def answer_quiz(self, answer):
        self.send_text("[PC00401]" + answer)

    def send_name(self, name):
        self.send_text("[PC00019]" + name)

    def send_value_pair(self, value, flag=0):
        self.send_packet(wire.ValuePair(value, flag))

    # Pad edition.

    def send_pad_state(self, word, app="com.example.reader"):
        """"[PC00039]app,word,0,0": drmon, drmoff, lockon, lockoff, screenon or screenoff."""
        self.send_text(f"[PC00039]{app},{word},0,0")

    def send_permissions(self, version="1", **flags):
        """"[PC00172]" with the permission JSON; flags write=True etc. become "on"/"off"."""
        permissions = {key: "on" if value else "off" for key, value in flags.items()}
        self.send_text("[PC00172]" + json.dumps(
            {"type": "android_permission", "version": version, "permissions": permissions}))

    def send_orientation(self, orientation):
        self.send_text(f"[PC00600]{orientation}")

    def send_app_event(self, app, label="_NONE_"):
        self.send_text(f"[PC00500]{app},{label},0")

    # ------------------------------------------------------------ reader

    def _run(self):
        try:
            if self.narrow_window:
                sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 1024)
                sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_MAXSEG, 536)
                sock.settimeout(self.connect_timeout)
                sock.connect((self.host, self.port))
            else:
                sock = socket.create_connection((self.host, self.port), timeout=self.connect_timeout)
            sock.settimeout(None)
            sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            self._sock = sock
            self._set_phase("offered")
            self._event("connected")
            while True:
                self._reading.wait()
                self._receive(wire.read_packet(sock))
        except wire.PeerClosed:
            self.closed_by_console = self.closed_by_console or not self._closing
        except AdmissionFailed as error:
            self.error = error
        except (OSError, wire.WireError) as error:
            if not self._closing:
                self.error = error
                self.closed_by_console = isinstance(error, (ConnectionError, wire.WireError))
        except Exception as error:  # a fault of the agent itself: keep it for the test to see
            self.error = error
        finally:
            if self._sock is not None:
                try:
                    self._sock.close()
                except OSError:
                    pass
            self._set_phase("closed")
            self._wake.set()
            self._event("closed" + (" by the console" if self.closed_by_console else "")
                        + (f" ({self.error})" if self.error else ""))

    def _receive(self, packet):
        entry = Received(packet, admitted=self.phase == "admitted")
        if isinstance(packet, wire.Text):
            entry.text = packet.text
            entry.tag, entry.args = split_command(packet.text)
        self.journal.append(entry)
        if isinstance(packet, wire.Text):
            if entry.tag != "[KW10002]":
                self._event(f"received {packet.text}")
            self._on_text(entry.tag, entry.args)
        elif isinstance(packet, wire.ValuePair):
            self.value_pairs.append((packet.value, packet.flag))
            self.journal.changed()
        elif isinstance(packet, wire.TileBlock):
            self._answer(f"[PC00025]{packet.sequence}")
        elif isinstance(packet, wire.FilePiece):
            self._on_file_piece(packet)

    def _on_text(self, tag, args):
        fields = split_fields(args)
        if tag == "[KW00094]":
            self.console_version = args
        elif tag == "[KW00007]" and self.phase == "offered":
            self.free_seats = [int(f) for f in fields if f.strip().isdigit()]
            self._send_hello()
        elif tag == "[KW00001]" and self.phase == "hello":
            self._on_greeting(fields)
        elif tag == "[KW10000]":
            code = int(fields[0]) if fields and fields[0].isdigit() else -1
            self.refusal = AdmissionRefused(code, args.partition(",")[2])
            self._event(f"refused: {args}")
            if self.phase != "admitted":
                self.closed_by_console = True
                self._shutdown(socket.SHUT_RDWR)
        elif tag == "[KW10001]":
            self.closed_by_console = True
            self._closing = True
            self._shutdown(socket.SHUT_RDWR)
        elif tag == "[KW10002]":
            self.keepalive_answers += 1
            self.journal.changed()
        elif tag == "[KW00003]" and len(fields) == 2:
            self.thumbnail_size = (int(fields[0]), int(fields[1]))
            self.remote_mode = None
            self._wake.set()
        elif tag == "[KW00004]" and len(fields) == 3 and fields[0] in ("1", "3"):
            self._start_remote(fields[0])
        elif tag == "[KW00079]" and len(fields) == 1:
            self.frame_acknowledged = max(self.frame_acknowledged, int(fields[0]))
            self._wake.set()
        elif tag == "[KW00029]":
            self._answer("[PC00013]success")
        elif tag == "[KW00030]":
            self.file_folder = args
        elif tag == "[KW00013]":
            self.file_overwrite = args
        elif tag == "[KW00012]":
            self._incoming = None
        elif tag == "[KW00105]":
            self._upload_acks.put(int(args) if args.lstrip("-").isdigit() else args)

    def _send_hello(self):
        if self.seat is None:
            self.seat = self.free_seats[0] if self.free_seats else 1
        if self.name is None:
            self.name = f"Student{self.seat}"
        info_tag = "[PC00029]" if self.client_kind == 1 else "[PC00129]"
        hello = self.hello_text
        if hello is None:
            left, top, right, bottom = self.region
            hello = (f"[PC00002]{self.seat},{self._plain(self.name) or ' '},{left},{top},{right},"
                     f"{bottom},{'true' if self.region_on else 'false'},0")
        self._set_phase("hello")
        for text in (f"[PC00017]{self.version}",
                     info_tag + ",".join((str(self.client_kind),) + self.client_texts), hello):
            self.send_text(text)

    def _on_greeting(self, fields):
        if len(fields) != 6 or not all(f.lstrip("-").isdigit() for f in fields[:5]):
            raise AdmissionFailed(f"malformed greeting {fields}")
        greeting = Greeting(*(int(f) for f in fields[:5]), fields[5])
        if self.check_digest and greeting.digest != greeting_digest():
            raise AdmissionFailed(f"greeting digest {greeting.digest} is not the console's")
        self.greeting = greeting
        self.thumbnail_size = (greeting.thumbnail_width, greeting.thumbnail_height)
        self._set_phase("admitted")
        self._event(f"admitted into seat {self.seat} as connection {greeting.connection_id}")
        if not self.silent:
            width, height = self.screen
            self.send_text(f"[PC00004]{width},{height}")
            if self.send_screen_format:
                self.send_packet(wire.ScreenFormat(width, height, self.bits_per_pixel))
        self._ticker = threading.Thread(target=self._tick, name=f"ticker-{self.label}", daemon=True)
        self._ticker.start()

    def _start_remote(self, mode):
        width, height = self.screen
        self._answer(f"[PC00004]{width},{height}")
        self.frames_sent = self.frame_acknowledged = 0
        self.remote_mode = mode
        self._wake.set()

    def _on_file_piece(self, piece):
        if piece.kind == UPLOAD_KIND:
            return
        if piece.piece_number == 0:
            self._incoming = (piece.name, bytearray())
        if self._incoming is not None:
            name, data = self._incoming
            data += piece.data
            if piece.piece_number >= piece.piece_count:
                self._incoming = None
                self.files_received[name] = bytes(data)
                self.journal.changed()
                self._event(f"file {name} received ({len(data)} bytes)")
        self._answer("[PC00010]")

    def _answer(self, text):
        if not self.silent:
            self.send_text(text)

    # ------------------------------------------------------------ periodic sends

    def _tick(self):
        now = time.monotonic()
        next_keepalive = now + self.keepalive_interval if self.keepalive_interval else None
        next_thumbnail = now
        next_frame = now
        while self.phase == "admitted" and not self._closing:
            now = time.monotonic()
            try:
                if not self.silent:
                    if next_keepalive is not None and now >= next_keepalive:
                        self.send_text("[PC00003]")
                        self.keepalives_sent += 1
                        next_keepalive = now + self.keepalive_interval
                    if self.remote_mode:
                        if (now >= next_frame
                                and self.frames_sent - self.frame_acknowledged < MAX_FRAMES_AHEAD):
                            self.send_frame()
                            next_frame = now + self.frame_interval
                    elif self.thumbnail_interval and now >= next_thumbnail:
                        self.send_thumbnail()
                        next_thumbnail = now + self.thumbnail_interval
            except OSError:
                return
            dues = [t for t in (next_keepalive, next_frame if self.remote_mode else None,
                                next_thumbnail if self.thumbnail_interval else None) if t]
            delay = min(dues) - time.monotonic() if dues else 0.5
            self._wake.wait(min(max(delay, 0.005), 0.5))
            self._wake.clear()

    # ------------------------------------------------------------ helpers

    def _set_phase(self, phase):
        self.phase = phase
        self.journal.changed()

    @staticmethod
    def _plain(text):
        """A field value without the separator the console splits on."""
        return (text or "").replace(",", " ")

    def _event(self, line):
        if self.on_event is not None:
            self.on_event(self, line)


def end_all(agents, timeout):
    """Orderly ends of many agents together (one at a time would wait on each other's console)."""
    for agent in agents:
        if agent.admitted:
            agent.end(wait=False)
    deadline = time.monotonic() + timeout
    for agent in agents:
        try:
            agent.wait_closed(max(0.0, deadline - time.monotonic()))
        except TimeoutError:
            pass
        agent.stop()


def distinct_colour(index):
    red, green, blue = colorsys.hsv_to_rgb((index * 0.137) % 1.0, 0.7, 0.9)
    return int(red * 255), int(green * 255), int(blue * 255)


class Class:
    """N agents with distinct seats, names and colours, started together.

    Class(host, port, count=30, first_seat=1, **agent_options); agents are ``room.agents``
    (also ``room[i]`` and iteration); seats run from first_seat, names are "Student<seat>"."""

    def __init__(self, host, port, count, first_seat=1, names=None, stagger=0.0, **options):
        self.stagger = stagger
        colour = options.pop("colour", None)
        self.agents = [
            StudentAgent(host, port, first_seat + i, names[i] if names else None,
                         colour=colour or distinct_colour(first_seat + i - 1), **options)
            for i in range(count)]

    def start(self):
        for agent in self.agents:
            agent.start()
            if self.stagger:
                time.sleep(self.stagger)
        return self

    def wait_admitted(self, timeout=DEFAULT_TIMEOUT):
        deadline = time.monotonic() + timeout
        return [agent.wait_admitted(max(0.0, deadline - time.monotonic())) for agent in self.agents]

    def stop(self, orderly=False, timeout=5.0):
        """Ends every agent; orderly: all say "[PC00031]" at once and wait for the console."""
        if orderly:
            end_all(self.agents, timeout)
        for agent in self.agents:
            agent.stop()

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    def __iter__(self):
        return iter(self.agents)

    def __len__(self):
        return len(self.agents)

    def __getitem__(self, index):
        return self.agents[index]


# ---------------------------------------------------------------- command line

def main(argv=None, agent_class=None):
    """agent_class: a StudentAgent subclass to run instead (tests/peers/live_student.py)."""
    agent_class = agent_class or StudentAgent
    parser = argparse.ArgumentParser(description="Simulated Lumora Student agents")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--count", type=int, default=1)
    parser.add_argument("--first-seat", type=int, default=1)
    parser.add_argument("--edition", choices=sorted(EDITION_KINDS), default="pc")
    parser.add_argument("--thumbnail-interval", type=float, default=1.0)
    parser.add_argument("--keepalive-interval", type=float, default=5.0)
    parser.add_argument("--screen", default="1024x768", help="WIDTHxHEIGHT")
    parser.add_argument("--reconnect-delay", type=float, default=3.0,
                        help="seconds before an agent whose connection ended connects again "
                             "(0: never)")
    parser.add_argument("--quiet", action="store_true", help="print admissions and ends only")
    options = parser.parse_args(argv)
    width, height = (int(v) for v in options.screen.lower().split("x"))

    printing = threading.Lock()     # one line at a time from the agents' threads

    def show(agent, line):
        if options.quiet and line.startswith("received"):
            return
        with printing:
            print(time.strftime("%H:%M:%S ") + f"seat {agent.seat}: {line}", flush=True)

    def make(index):
        seat = options.first_seat + index
        return agent_class(options.host, options.port, seat, edition=options.edition,
                            screen=(width, height), colour=distinct_colour(seat - 1),
                            keepalive_interval=options.keepalive_interval,
                            thumbnail_interval=options.thumbnail_interval, on_event=show)

    stop = threading.Event()
    for signum in (signal.SIGINT, signal.SIGTERM):
        signal.signal(signum, lambda *_: stop.set())
    agents = [make(i).start() for i in range(options.count)]
    ended_at = {}
    while not stop.wait(0.5):
        for index, agent in enumerate(agents):
            if not agent.closed or not options.reconnect_delay:
                continue
            ended_at.setdefault(index, time.monotonic())
            if time.monotonic() - ended_at[index] >= options.reconnect_delay:
                del ended_at[index]
                agents[index] = make(index).start()
    end_all(agents, timeout=3.0)
    return 0


if __name__ == "__main__":
    sys.exit(main())
