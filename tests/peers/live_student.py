"""A simulated student whose thumbnails look like a small desktop, for running the console by
hand: its name and seat on the wallpaper, an open window named after the student, a taskbar and
a clock that ticks every second, so a newcomer sees at a glance that the thumbnails are live and
which student is which. The student also tells the console its name ("[PC00019]").

    python3 tests/peers/live_student.py --host 127.0.0.1 --port P --count 6 [student_agent options]
"""

import io
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import lumora_wire as wire  # noqa: E402
import student_agent  # noqa: E402

NAMES = ["Minji", "Jisoo", "Hyun", "Seoyeon", "Doyun", "Haeun", "Jiho", "Yuna", "Siwoo", "Chaewon",
         "Junho", "Sora", "Taeyang", "Eunbi", "Woojin", "Nari"]
FONT_PATHS = ["/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
              "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"]


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


def desktop_picture(width, height, seat, name, colour, now=None, quality=70):
    """A JPEG of a small desktop: wallpaper in the student's colour with the seat and name, one
    window, a taskbar with the time (HH:MM:SS) at its right."""
    from PIL import Image, ImageDraw
    width, height = max(1, width), max(1, height)
    picture = Image.new("RGB", (width, height), tuple(colour))
    draw = ImageDraw.Draw(picture)
    unit = max(1, min(width, height) // 12)
    # The window, and its title bar.
    left, top = width // 6, height // 5
    right, bottom = width - width // 8, height - height // 4
    draw.rectangle((left, top, right, bottom), fill=(245, 245, 245), outline=(40, 40, 40))
    draw.rectangle((left, top, right, top + unit + 2), fill=(30, 90, 170))
    draw.text((left + 3, top + 1), f"{name} - Notes", fill=(255, 255, 255), font=_font(max(8, unit)))
    for line in range(3):
        y = top + (line + 2) * (unit + 2)
        if y + 2 < bottom:
            draw.line((left + 4, y, right - 4 - line * unit, y), fill=(150, 150, 150))
    # The taskbar: the seat and name at its left, the clock at its right.
    bar = max(unit + 4, 10)
    draw.rectangle((0, height - bar, width, height), fill=(20, 20, 28))
    draw.text((4, height - bar + 1), f"{seat}  {name}", fill=(255, 220, 90), font=_font(max(8, bar - 4)))
    clock = time.strftime("%H:%M:%S", time.localtime(now))
    draw.text((width - 6 * bar, height - bar + 1), clock, fill=(255, 255, 255), font=_font(max(8, bar - 4)))
    buffer = io.BytesIO()
    picture.save(buffer, "JPEG", quality=quality)
    return buffer.getvalue()


class LiveStudentAgent(student_agent.StudentAgent):
    """A StudentAgent whose thumbnails are a ticking desktop (one a second at most)."""

    def __init__(self, *args, **options):
        super().__init__(*args, **options)
        if not self.name:
            self.name = student_name(self.seat)
        if not self.thumbnail_interval or self.thumbnail_interval > 1.0:
            self.thumbnail_interval = 1.0

    def _on_greeting(self, fields):
        super()._on_greeting(fields)
        if self.greeting is not None and not self.silent:
            self.send_name(self.name)

    def send_thumbnail(self, colour=None, size=None):
        width, height = size or self.thumbnail_size
        self._thumbnail_sequence += 1
        image = desktop_picture(width, height, self.seat, self.name, colour or self.colour, quality=self.quality)
        self.send_packet(wire.Image(sequence=self._thumbnail_sequence, rect=(0, 0, width, height), image=image))
        self.thumbnails_sent += 1


if __name__ == "__main__":
    sys.exit(student_agent.main(agent_class=LiveStudentAgent))
