"""A simulated student that receives the files the console sends, as the student agent does:
"[KW00030]<folder>" once, then per file "[KW00013]<overwrite flag>" and type-9 pieces of kind 2,
each answered with "[PC00010]"; the piece numbered with the piece count carries no bytes and
closes the file. "[KW00012]" drops the file being received.

Files are kept as their size and SHA-256 (a 50 MB file is not held in memory) and checked as they
come: pieces numbered 0, 1, ... up to the count, none longer than 307200 bytes, every piece but
the last data piece full, the closing piece empty. What broke those rules is in ``piece_errors``.

To test what the console does mid-file, a student can hold the acknowledgement of one piece
(``hold=(name, number)``; ``holding`` is then set and ``release()`` sends it) or drop its
connection when a piece arrives (``drop=(name, number)``).

    student = FileReceivingStudent("127.0.0.1", port, seat=3).start()
    student.wait_admitted()
    ...
    received = student.wait_received("lesson.pdf")      # ReceivedFile(size, sha256, ...)
"""

import hashlib
import threading
import time
from dataclasses import dataclass, field
from typing import Dict, List, Optional, Tuple

import lumora_wire as wire
from peer_common import DEFAULT_TIMEOUT
from student_agent import StudentAgent

TEACHER_TO_STUDENT_KIND = 2
PIECE_SIZE = 307200


@dataclass
class ReceivedFile:
    name: str
    size: int
    sha256: str
    folder: Optional[str]
    overwrite: Optional[str]
    piece_count: int
    started: float       # time.monotonic() at piece 0 and at the closing piece
    ended: float


@dataclass
class _Incoming:
    name: str
    piece_count: int
    next_piece: int = 0
    size: int = 0
    digest: "hashlib._Hash" = field(default_factory=hashlib.sha256)
    short_piece_seen: bool = False
    started: float = field(default_factory=time.monotonic)


class FileReceivingStudent(StudentAgent):
    def __init__(self, *args, hold: Optional[Tuple[str, int]] = None,
                 drop: Optional[Tuple[str, int]] = None, **options):
        super().__init__(*args, **options)
        self.hold, self.drop = hold, drop
        self.received: Dict[str, ReceivedFile] = {}
        self.piece_errors: List[str] = []
        self.pieces_received = 0
        self.pieces_after_stop = 0
        self.stops = 0
        self.holding = threading.Event()
        self._file: Optional[_Incoming] = None
        self._held = False

    # ------------------------------------------------------------ test side

    def wait_received(self, name, timeout=DEFAULT_TIMEOUT) -> ReceivedFile:
        self.journal.wait_until(lambda: name in self.received, timeout, what=f"file {name} at {self.label}")
        return self.received[name]

    def wait_stopped(self, timeout=DEFAULT_TIMEOUT):
        self.journal.wait_until(lambda: self.stops > 0, timeout, what=f"[KW00012] at {self.label}")

    def release(self):
        """Sends the held acknowledgement."""
        if self._held:
            self._held = False
            self.send_text("[PC00010]")

    # ------------------------------------------------------------ agent side

    def _receive(self, packet):
        if isinstance(packet, wire.FilePiece) and packet.kind == TEACHER_TO_STUDENT_KIND:
            self._on_piece(packet)
        else:
            super()._receive(packet)

    def _on_text(self, tag, args):
        super()._on_text(tag, args)
        if tag == "[KW00012]":
            self._file = None
            self.stops += 1
            self.journal.changed()

    def _on_piece(self, piece):
        self.pieces_received += 1
        if self.stops:
            self.pieces_after_stop += 1
        if self.drop == (piece.name, piece.piece_number):
            self._event(f"dropping the connection at piece {piece.piece_number} of {piece.name}")
            self.stop()
            return
        self._take(piece)
        if self.hold == (piece.name, piece.piece_number):
            self._held = True
            self.holding.set()
            self.journal.changed()
            return
        self._answer("[PC00010]")

    def _take(self, piece):
        if piece.piece_number == 0:
            self._file = _Incoming(piece.name, piece.piece_count)
        incoming = self._file
        if incoming is None:
            self._error(f"piece {piece.piece_number} of {piece.name} without piece 0")
            return
        if (piece.name, piece.piece_count, piece.piece_number) != (incoming.name, incoming.piece_count,
                                                                    incoming.next_piece):
            self._error(f"piece {piece.piece_number}/{piece.piece_count} of {piece.name} out of order")
        if len(piece.data) > PIECE_SIZE or (incoming.short_piece_seen and piece.data):
            self._error(f"piece {piece.piece_number} of {piece.name} has {len(piece.data)} bytes")
        incoming.short_piece_seen = incoming.short_piece_seen or len(piece.data) < PIECE_SIZE
        incoming.next_piece = piece.piece_number + 1
        incoming.size += len(piece.data)
        incoming.digest.update(piece.data)
        if piece.piece_number >= piece.piece_count:
            if piece.data:
                self._error(f"the closing piece of {piece.name} carries bytes")
            self.received[incoming.name] = ReceivedFile(incoming.name, incoming.size,
                                                        incoming.digest.hexdigest(), self.file_folder,
                                                        self.file_overwrite, incoming.piece_count,
                                                        incoming.started, time.monotonic())
            self._file = None
            self.journal.changed()
            self._event(f"file {incoming.name} received ({incoming.size} bytes)")

    def _error(self, text):
        self.piece_errors.append(text)
        self._event(text)
