"""A simulated student for running the console by hand (scripts/run): its screen is a small
desktop (wallpaper in its colour with its seat and name, a "Notes" window, a taskbar whose clock
ticks every second), and it answers whatever the teacher tries:

- thumbnails of that desktop, one a second, and its name ("[PC00019]");
- a remote view: the live desktop at the student's screen size as changed tiles (a pad: whole
  images), with the teacher's input shown on it: the pointer drawn where the teacher's mouse is,
  a ring where it last clicked, typed keys appearing in the "Notes" window;
- an answer to each chat line of the teacher, after a moment;
- quiz answers (O/X or a choice, varied) and buzzer presses in a speed quiz, each after a delay
  of its own;
- files the teacher sends, kept under a folder of its own (``files_folder``), acknowledged piece
  by piece and reported in its log;
- the class screen share, acknowledged block by block;
- as a pad (``edition="pad"``): its permissions (usage access not granted, so the console shows
  that a permission is needed) and now and then an app it ended, for the pad log;
- as a chatty student (``chatty=True``): now and then a chat line of its own.

    python3 tests/peers/live_student.py --host 127.0.0.1 --port P --count 6 [--pad-seat 6]
        [--chatty-seat 2] [--files-folder DIR] [student_agent options]
"""

import argparse
import io
import os
import random
import re
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import lumora_wire as wire  # noqa: E402
import student_agent  # noqa: E402
from chat_student import ChatStudent, teacher_line  # noqa: E402
from file_receiver import FileReceivingStudent  # noqa: E402
from peer_common import Journal  # noqa: E402
from quiz_student import QuizStudent  # noqa: E402
from remote_student import RemoteStudent  # noqa: E402

NAMES = ["Minji", "Jisoo", "Hyun", "Seoyeon", "Doyun", "Haeun", "Jiho", "Yuna", "Siwoo", "Chaewon",
         "Junho", "Sora", "Taeyang", "Eunbi", "Woojin", "Nari"]
FONT_PATHS = ["/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
              "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"]
PAD_SCREEN = (1280, 800)
FRAME_INTERVAL = 0.1          # seconds between remote-view frames at most
JOURNAL_LIMIT = 500           # packets a live student remembers
NOTES_LIMIT = 400             # characters the "Notes" window keeps

CHAT_ANSWERS = ["Yes, teacher!", "OK, I'm on it.", "Got it, thank you.", "Could you say that again, please?",
                "Done!", "One moment, I'm almost finished."]
OWN_CHAT_LINES = ["Teacher, I finished the exercise.", "Can you check my screen, please?",
                  "What page are we on?", "May I ask a question after class?"]
FORBIDDEN_APPS = [("com.example.game", "Space Game"), ("com.example.video", "_NONE_")]
QUIZ_CHOICES = {"ox": "OOOXX", "select4": "1234", "select5": "12345"}

# Typed keys that write into the "Notes" window: virtual key -> (plain, with Shift).
VK_SHIFTS = (0x10, 0xA0, 0xA1)
VK_BACK, VK_RETURN = 0x08, 0x0D
KEY_TEXT = {0x20: (" ", " "), 0xBA: (";", ":"), 0xBB: ("=", "+"), 0xBC: (",", "<"), 0xBD: ("-", "_"),
            0xBE: (".", ">"), 0xBF: ("/", "?"), 0xDE: ("'", '"')}
KEY_TEXT.update({0x41 + i: (chr(0x61 + i), chr(0x41 + i)) for i in range(26)})
KEY_TEXT.update({0x30 + i: (str(i), ")!@#$%^&*("[i]) for i in range(10)})
KEY_TEXT.update({0x60 + i: (str(i), str(i)) for i in range(10)})
WM_KEYDOWN, WM_KEYUP, WM_MOUSEMOVE, WM_LBUTTONDOWN = 0x100, 0x101, 0x200, 0x201


def student_name(seat):
    return NAMES[(seat - 1) % len(NAMES)] if seat else "Student"


def _font(size):
    from PIL import ImageFont
    for path in FONT_PATHS:
        try:
            return ImageFont.truetype(path, size)
        except OSError:
            continue
    return ImageFont.load_default()


def _wrap(text, width):
    """The text's lines, each cut to at most width characters."""
    lines = []
    for paragraph in text.split("\n"):
        lines.extend([paragraph[i:i + width] for i in range(0, len(paragraph), width)] or [""])
    return lines


def draw_desktop(width, height, seat, name, colour, now=None, notes="", pointer=None, click=None,
                 screen=None):
    """A picture of the small desktop at width x height: wallpaper in the student's colour, the
    "Notes" window with what was typed, a taskbar with the seat, name and time (HH:MM:SS). pointer
    and click are points of the student's screen (screen: its size), drawn scaled."""
    from PIL import Image, ImageDraw
    width, height = max(1, width), max(1, height)
    picture = Image.new("RGB", (width, height), tuple(colour))
    draw = ImageDraw.Draw(picture)
    unit = max(1, min(width, height) // 12)
    # The window, its title bar and its text.
    left, top = width // 6, height // 5
    right, bottom = width - width // 8, height - height // 4
    draw.rectangle((left, top, right, bottom), fill=(245, 245, 245), outline=(40, 40, 40))
    title = max(8, min(unit, 28))
    draw.rectangle((left, top, right, top + title + 4), fill=(30, 90, 170))
    draw.text((left + 3, top + 2), f"{name} - Notes", fill=(255, 255, 255), font=_font(title))
    text = max(6, min(width, height) // 32)
    if notes:
        columns = max(1, (right - left - 8) * 10 // (text * 6))
        rows = max(1, (bottom - top - title - 10) // (text + 3))
        for row, line in enumerate(_wrap(notes, columns)[-rows:]):
            draw.text((left + 4, top + title + 8 + row * (text + 3)), line, fill=(20, 20, 20), font=_font(text))
    else:
        for line in range(3):
            y = top + title + 6 + (line + 1) * (unit // 2 + 2)
            if y + 2 < bottom:
                draw.line((left + 4, y, right - 4 - line * unit, y), fill=(150, 150, 150))
    # The taskbar: the seat and name at its left, the clock at its right.
    bar = max(unit + 4, 10) if width < 400 else max(min(unit, 40), 10)
    draw.rectangle((0, height - bar, width, height), fill=(20, 20, 28))
    draw.text((4, height - bar + 1), f"{seat}  {name}", fill=(255, 220, 90), font=_font(max(8, bar - 4)))
    clock = time.strftime("%H:%M:%S", time.localtime(now))
    draw.text((width - 6 * bar, height - bar + 1), clock, fill=(255, 255, 255), font=_font(max(8, bar - 4)))
    scale_x, scale_y = (width / screen[0], height / screen[1]) if screen else (1.0, 1.0)
    if click is not None:
        x, y, r = click[0] * scale_x, click[1] * scale_y, max(3, unit // 3)
        draw.ellipse((x - r, y - r, x + r, y + r), outline=(255, 40, 40), width=max(1, r // 3))
    if pointer is not None:
        x, y, s = pointer[0] * scale_x, pointer[1] * scale_y, max(4, min(width, height) // 40)
        draw.polygon([(x, y), (x, y + 3 * s), (x + 0.8 * s, y + 2.2 * s), (x + 1.5 * s, y + 3.4 * s),
                      (x + 2 * s, y + 3.1 * s), (x + 1.3 * s, y + 2 * s), (x + 2.2 * s, y + 2 * s)],
                     fill=(255, 255, 255), outline=(0, 0, 0))
    return picture


def jpeg(picture, quality=70):
    buffer = io.BytesIO()
    picture.save(buffer, "JPEG", quality=quality)
    return buffer.getvalue()


def desktop_picture(width, height, seat, name, colour, now=None, quality=70):
    """A JPEG of the small desktop (draw_desktop)."""
    return jpeg(draw_desktop(width, height, seat, name, colour, now), quality)


def safe_parts(path):
    """The folder names of a path the console sent, without drive letters, "." or "..": a name
    the console chose never leaves the student's folder."""
    return [part.replace(":", "") for part in re.split(r"[\\/]+", path or "")
            if part not in ("", ".", "..") and part.replace(":", "")]


class LiveStudentAgent(FileReceivingStudent, RemoteStudent, ChatStudent, QuizStudent):
    def __init__(self, *args, files_folder=None, chatty=False, pace=1.0, **options):
        """pace: the factor of every delay before an answer or a line of its own."""
        options.setdefault("frame_interval", FRAME_INTERVAL)
        options["first_frame"] = False
        super().__init__(*args, **options)
        self.journal = Journal(limit=JOURNAL_LIMIT)
        if not self.name:
            self.name = student_name(self.seat)
        if not self.thumbnail_interval or self.thumbnail_interval > 1.0:
            self.thumbnail_interval = 1.0
        self.files_folder = files_folder
        self.chatty = chatty
        self.pace = pace
        self.notes = ""
        self.pointer = None
        self.click = None
        self.kept_files = {}           # name -> path of the files kept
        self.share_blocks = 0          # blocks of the teacher's shared screen received
        self._random = random.Random()
        self._shift = set()
        self._quiz_round = 0           # a quiz command that ends a round cancels what is pending
        self._output = None            # (file, path) of the file being received
        self._sent_tiles = {}          # tile index -> bytes of the tile last sent in a session
        self._frame_state = None

    # ------------------------------------------------------------ the desktop

    def _state(self):
        return time.strftime("%H:%M:%S"), self.notes, self.pointer, self.click

    def _picture(self, size):
        return draw_desktop(size[0], size[1], self.seat, self.name, self.colour, notes=self.notes,
                            pointer=self.pointer, click=self.click, screen=self.screen)

    def send_thumbnail(self, colour=None, size=None):
        width, height = size or self.thumbnail_size
        self._thumbnail_sequence += 1
        image = jpeg(self._picture((width, height)), self.quality)
        self.send_packet(wire.Image(sequence=self._thumbnail_sequence, rect=(0, 0, width, height), image=image))
        self.thumbnails_sent += 1

    def send_frame(self):
        """The desktop, when it changed since the last frame: a PC sends the changed tiles, a pad
        the whole image."""
        state = self._state()
        if state == self._frame_state:
            return
        self._frame_state = state
        picture = self._picture(self.screen)
        if self.client_kind != 1:
            self.send_image(screen=picture, quality=self.quality)
            return
        tile_w, tile_h, columns, rows = self.grid
        changed = []
        for index in range(columns * rows):
            x, y = (index % columns) * tile_w, (index // columns) * tile_h
            pixels = picture.crop((x, y, x + tile_w, y + tile_h)).tobytes()
            if self._sent_tiles.get(index) != pixels:
                self._sent_tiles[index] = pixels
                changed.append(index)
        if changed:
            self.send_tiles(changed, screen=picture, quality=self.quality)

    def _start_remote(self, mode):
        self._sent_tiles, self._frame_state = {}, None
        super()._start_remote(mode)
        self._event("remote view started")

    # ------------------------------------------------------------ the teacher's input

    def _receive(self, packet):
        if isinstance(packet, wire.KeyEvents):
            for key in packet.entries:
                self._on_key(key)
            self._wake.set()
        elif isinstance(packet, wire.TileBlock) and not self.remote_mode:
            self.share_blocks += 1
        elif isinstance(packet, wire.MouseEvents):
            for mouse in packet.entries:
                self.pointer = (mouse.x, mouse.y)
                if mouse.message == WM_LBUTTONDOWN:
                    self.click = (mouse.x, mouse.y)
            self._wake.set()
        super()._receive(packet)

    def _on_key(self, key):
        if key.virtual_key in VK_SHIFTS:
            (self._shift.add if key.message == WM_KEYDOWN else self._shift.discard)(key.virtual_key)
            return
        if key.message != WM_KEYDOWN:
            return
        if key.virtual_key == VK_BACK:
            self.notes = self.notes[:-1]
        elif key.virtual_key == VK_RETURN:
            self.notes += "\n"
        elif key.virtual_key in KEY_TEXT:
            self.notes += KEY_TEXT[key.virtual_key][1 if self._shift else 0]
        self.notes = self.notes[-NOTES_LIMIT:]

    # ------------------------------------------------------------ commands

    def _on_text(self, tag, args):
        if tag == "[KW00012]":
            self._discard_output()
        elif tag == "[KW00102]":
            self._event(f"the teacher's screen share: {args} ({self.share_blocks} blocks acknowledged so far)")
        elif tag == "[KW00003]" and self.remote_mode:
            self._event(f"remote view ended after {self.frames_sent} frames")
        super()._on_text(tag, args)
        if tag == "[KW00072]":
            line = teacher_line(tag + args)
            if line is not None:
                self._later(self._random.uniform(1.0, 3.0), self._answer_chat)
        elif tag == "[KW00405]" and args in QUIZ_CHOICES:
            self._later(self._random.uniform(1.0, 6.0), lambda: self._answer_question(args), quiz=True)
        elif tag in ("[KW00401]", "[KW00404]"):
            self._later(self._random.uniform(0.5, 4.0), self._press, quiz=True)
        elif tag in ("[KW00402]", "[KW00406]", "[KW00407]"):
            self._quiz_round += 1

    def _answer_chat(self):
        answer = self._random.choice(CHAT_ANSWERS)
        self.chat(answer)
        self._event(f"answered the chat: {answer}")

    def _answer_question(self, kind):
        answer = self._random.choice(QUIZ_CHOICES[kind])
        self.answer_quiz(answer)
        self._event(f"answered the quiz question ({kind}): {answer}")

    def _press(self):
        self.press_buzzer()
        self._event("pressed the buzzer")

    def _later(self, delay, action, quiz=False):
        """action() after delay seconds while the student is still in class (and, for a quiz
        action, the round it belongs to still runs)."""
        round_ = self._quiz_round

        def run():
            if not self.admitted or self._closing or (quiz and round_ != self._quiz_round):
                return
            try:
                action()
            except OSError:
                pass
        timer = threading.Timer(delay * self.pace, run)
        timer.daemon = True
        timer.start()

    def _now_and_then(self, first, low, high, action):
        """action() after first seconds, then every low to high seconds."""
        def again():
            action()
            self._later(self._random.uniform(low, high), again)
        self._later(first, again)

    def _on_greeting(self, fields):
        super()._on_greeting(fields)
        if self.greeting is None or self.silent:
            return
        self.send_name(self.name)
        if self.client_kind != 1:
            # Usage access not granted: the console shows that the pad needs a permission.
            self.send_permissions(write=True, usagestats=False, overlay=True, screencapture=True,
                                  postnotifications=True)
            self._now_and_then(20, 60, 120, self._end_forbidden_app)
        if self.chatty:
            self._now_and_then(30, 90, 180, self._say_something)

    def _end_forbidden_app(self):
        app, label = self._random.choice(FORBIDDEN_APPS)
        self.send_app_event(app, label)
        self._event(f"ended the app {app}")

    def _say_something(self):
        line = self._random.choice(OWN_CHAT_LINES)
        self.chat(line)
        self._event(f"said: {line}")

    # ------------------------------------------------------------ files

    def _take(self, piece):
        if piece.piece_number == 0:
            self._discard_output()
            self._open_output(piece.name)
        if self._output is not None and piece.data:
            self._output[0].write(piece.data)
        super()._take(piece)
        if piece.piece_number >= piece.piece_count and self._output is not None:
            handle, path = self._output
            self._output = None
            handle.close()
            self.kept_files[piece.name] = path
            self._event(f"file {piece.name} kept as {path}")

    def _open_output(self, name):
        if not self.files_folder:
            return
        folder = os.path.join(self.files_folder, f"seat-{self.seat}", *safe_parts(self.file_folder))
        base = (safe_parts(name) or ["file"])[-1]
        path = os.path.join(folder, base)
        stem, extension = os.path.splitext(base)
        copy = 1
        while self.file_overwrite != "1" and os.path.exists(path):
            copy += 1
            path = os.path.join(folder, f"{stem} ({copy}){extension}")
        os.makedirs(folder, exist_ok=True)
        self._output = (open(path, "wb"), path)

    def _discard_output(self):
        """The file being received, stopped: the part of it is removed."""
        if self._output is not None:
            handle, path = self._output
            self._output = None
            handle.close()
            os.remove(path)


def main(argv=None):
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--pad-seat", type=int, default=6, help="the seat of the pad (0: none)")
    parser.add_argument("--chatty-seat", type=int, default=2, help="the seat that chats by itself (0: none)")
    parser.add_argument("--files-folder", help="where the students keep the files they receive "
                                               "(default: a new temporary folder)")
    options, rest = parser.parse_known_args(argv)
    folder = options.files_folder or tempfile.mkdtemp(prefix="lumora-student-files-")
    print(f"The students keep the files they receive in {folder}", flush=True)

    def make(host, port, seat, **agent_options):
        if seat == options.pad_seat:
            agent_options.update(edition="pad", screen=PAD_SCREEN)
        return LiveStudentAgent(host, port, seat, files_folder=folder, chatty=seat == options.chatty_seat,
                                **agent_options)
    return student_agent.main(rest, agent_class=make)


if __name__ == "__main__":
    sys.exit(main())
