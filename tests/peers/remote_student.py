"""A simulated student that serves a remote view and control session: it answers "[KW00004]" with
its screen size and at once a first frame (so the console must keep what arrives while the
connection changes hands), and then sends only the frames a test asks for: a screen in a known
pattern as tile blocks or as type-7 images, a new screen size, sound chunks. It records the input
the console sends (type-4 keys, type-5 mouse) and the frames the console acknowledges."""

import io
import struct
import zlib

import lumora_wire as wire
from student_agent import StudentAgent, tile_size


def pattern_colour(index):
    """The colour of tile index of the pattern: far apart for neighbours, flat for JPEG."""
    return ((index * 67 + 40) % 256, (index * 151 + 90) % 256, (index * 29 + 200) % 256)


def _jpeg(picture, quality=95):
    buffer = io.BytesIO()
    picture.save(buffer, "JPEG", quality=quality)
    return buffer.getvalue()


class RemoteStudent(StudentAgent):
    def __init__(self, *args, first_frame=True, pattern=0, **options):
        options.setdefault("frame_interval", 3600)
        super().__init__(*args, **options)
        self.first_frame = first_frame
        self.pattern = pattern     # students of one window draw patterns of their own
        self.sequence = 0
        self.colours = {}          # tile index -> colour last sent for it

    # ------------------------------------------------------------ the screen

    @property
    def grid(self):
        tile_w, tile_h = tile_size(*self.screen)
        return tile_w, tile_h, self.screen[0] // tile_w, self.screen[1] // tile_h

    def colour_of(self, index):
        return pattern_colour(index + 101 * self.pattern)

    def tile_centre(self, index):
        tile_w, tile_h, columns, _rows = self.grid
        return (index % columns) * tile_w + tile_w // 2, (index // columns) * tile_h + tile_h // 2

    def send_tiles(self, indexes=None, colours=None, sequence=None, compressed=True, screen=None,
                   quality=95):
        """One type-12 block: the tiles (all by default) in the pattern, in the colours given, or
        cut from screen (a picture of the whole screen)."""
        from PIL import Image as PilImage
        tile_w, tile_h, columns, rows = self.grid
        indexes = list(range(columns * rows)) if indexes is None else list(indexes)
        strip = PilImage.new("RGB", (tile_w * len(indexes), tile_h))
        for position, index in enumerate(indexes):
            if screen is not None:
                x, y = (index % columns) * tile_w, (index // columns) * tile_h
                strip.paste(screen.crop((x, y, x + tile_w, y + tile_h)), (position * tile_w, 0))
                continue
            colour = tuple(colours[position]) if colours else self.colour_of(index)
            strip.paste(colour, (position * tile_w, 0, (position + 1) * tile_w, tile_h))
            self.colours[index] = colour
        image = _jpeg(strip, quality)
        payload = struct.pack(f"<Ii{len(indexes)}ii", len(indexes), len(indexes), *indexes, len(image)) + image
        data = zlib.compress(payload, 9) if compressed else payload
        return self._send_frame(lambda seq: wire.TileBlock(len(payload), seq, data), sequence)

    def send_image(self, rect=None, sequence=None, screen=None, quality=95):
        """One type-7 image over rect (the whole screen by default) of the pattern, or of screen
        (a picture of the whole screen)."""
        left, top, right, bottom = rect or (0, 0) + tuple(self.screen)
        if screen is None:
            screen = self._pattern_screen()
        image = _jpeg(screen.crop((left, top, right, bottom)), quality)
        return self._send_frame(lambda seq: wire.Image(sequence=seq, rect=(left, top, right, bottom),
                                                       image=image), sequence)

    def send_image_burst(self, count):
        """count whole-screen images of the pattern, encoded once and sent back to back: more
        than the console decodes in the time they take to arrive."""
        image = _jpeg(self._pattern_screen())
        rect = (0, 0) + tuple(self.screen)
        for _ in range(count):
            self._send_frame(lambda seq: wire.Image(sequence=seq, rect=rect, image=image), None)

    def _pattern_screen(self):
        """The whole screen in the pattern (the tiles it shows are recorded as sent)."""
        from PIL import Image as PilImage
        tile_w, tile_h, columns, rows = self.grid
        screen = PilImage.new("RGB", self.screen)
        for index in range(columns * rows):
            x, y = (index % columns) * tile_w, (index // columns) * tile_h
            screen.paste(self.colour_of(index), (x, y, x + tile_w, y + tile_h))
            self.colours[index] = self.colour_of(index)
        return screen

    def _send_frame(self, make, sequence):
        if sequence is None:
            self.sequence += 1
            sequence = self.sequence
        self.send_packet(make(sequence))
        self.frames_sent += 1
        return sequence

    def send_frame(self):
        """The agent's own periodic frames are off: tests send what they check."""

    def change_screen(self, width, height):
        self.screen = (width, height)
        self.send_text(f"[PC00004]{width},{height}")

    def send_sound(self, chunks=3, length=8000):
        """Sound blocks of a tone, length bytes each."""
        samples = bytes((i * 7) & 0xFF for i in range(length))
        for _ in range(chunks):
            self.send_packet(wire.Sound(0, samples))

    # ------------------------------------------------------------ what the console sent

    def acknowledged(self):
        return [int(text[9:]) for text in self.texts if text.startswith("[KW00079]") and text[9:].lstrip("-").isdigit()]

    def wait_acknowledged(self, sequence, timeout=30):
        self.journal.wait_until(lambda: sequence in self.acknowledged(), timeout,
                                what=f"acknowledgement of frame {sequence}")

    def keys(self):
        return [entry for item in self.journal.items() if isinstance(item.packet, wire.KeyEvents)
                for entry in item.packet.entries]

    def mice(self):
        return [entry for item in self.journal.items() if isinstance(item.packet, wire.MouseEvents)
                for entry in item.packet.entries]

    def wait_mouse(self, message, timeout=30, start=0):
        self.journal.wait_until(lambda: any(m.message == message for m in self.mice()[start:]), timeout,
                                what=f"mouse message {message:#x}")
        return [m for m in self.mice()[start:] if m.message == message][0]

    # ------------------------------------------------------------ the hand-over

    def _start_remote(self, mode):
        width, height = self.screen
        self.remote_mode = mode
        self.sequence = 0
        self.frames_sent = self.frame_acknowledged = 0
        self.send_text(f"[PC00004]{width},{height}")
        if self.first_frame:
            # At once, while the console hands the connection from one thread to the next.
            self.send_tiles()
        self.journal.changed()
