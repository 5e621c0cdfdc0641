"""A class of 30 under Wine with one student sending hostile thumbnails (not part of the test suite):
the real console, logged in at the simulated login server, serves 30 students sending a thumbnail a
second. First the class is quiet for the given minutes (the floor: the same console, the same class,
measured in the same run); then one of them, besides its ordinary thumbnails, sends parts whose
JPEG headers claim 60000x60000 and 65535x1 and real 4000x4000 pictures, as fast as the console
takes them, for as many minutes. The console's resident memory is sampled throughout; the figures
are the last and the highest of each phase, and the hostile phase's as a ratio to the floor. The
hostile student's keep-alives must be answered all along.

    WINEPREFIX=... DISPLAY=... LUMORA_BUILD=build/win64 /usr/bin/python3 bench/hostile_thumbnails.py \\
        [--students 30] [--minutes 10]
"""

import argparse
import threading
import time

from benchlib import LoggedInConsole, admit_first, resident_mib
import lumora_wire as wire
from student_agent import Class, StudentAgent, distinct_colour, make_jpeg

SAMPLE_SECONDS = 5


def claiming_size(jpeg, width, height):
    at = jpeg.index(b"\xff\xc0")
    return jpeg[:at + 5] + height.to_bytes(2, "big") + width.to_bytes(2, "big") + jpeg[at + 9:]


def hostile_parts():
    small = make_jpeg(16, 16, (200, 40, 40))
    return [wire.Image(sequence=1, rect=(0, 0, 16, 16), image=claiming_size(small, 60000, 60000)),
            wire.Image(sequence=2, rect=(0, 0, 100, 1), image=claiming_size(small, 65535, 1)),
            wire.Image(sequence=3, rect=(0, 0, 4000, 4000), image=make_jpeg(4000, 4000, (40, 200, 40)))]


def sample(pid, seconds, during=None):
    """RSS samples (MiB) over the seconds; during() is called between samples."""
    samples = []
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        samples.append(resident_mib(pid))
        wake = min(deadline, time.monotonic() + SAMPLE_SECONDS)
        while time.monotonic() < wake:
            if during:
                during()
            else:
                time.sleep(wake - time.monotonic())
    samples.append(resident_mib(pid))
    return samples


class Flood(threading.Thread):
    """Sends the hostile parts in turn, each followed by a keep-alive, and counts what is sent and
    how late the answers come."""

    def __init__(self, agent):
        super().__init__(daemon=True)
        self.agent, self.parts = agent, hostile_parts()
        self.stop_at = None
        self.sent = 0
        self.slowest_answer = 0.0

    def run(self):
        while time.monotonic() < self.stop_at:
            for part in self.parts:
                self.agent.send_packet(part)
                self.sent += 1
            answered = self.agent.keepalive_answers
            start = time.monotonic()
            self.agent.send_text("[PC00003]")
            self.agent.wait_keepalive_answers(answered + 1, timeout=30)
            self.slowest_answer = max(self.slowest_answer, time.monotonic() - start)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--students", type=int, default=30)
    parser.add_argument("--minutes", type=float, default=10)
    args = parser.parse_args()
    seconds = args.minutes * 60

    with LoggedInConsole(seats=args.students) as console:
        options = dict(keepalive_interval=5.0, thumbnail_interval=1.0)
        first = admit_first(lambda: StudentAgent("127.0.0.1", console.port, seat=1, colour=distinct_colour(0),
                                                 **options).start())
        rest = Class("127.0.0.1", console.port, args.students - 1, first_seat=2, **options).start()
        rest.wait_admitted(timeout=120)
        pid = console.linux_pid()
        time.sleep(30)   # every student's first thumbnails drawn
        quiet = sample(pid, seconds)

        flood = Flood(first)
        flood.stop_at = time.monotonic() + seconds
        flood.start()
        hostile = sample(pid, seconds)
        flood.join(timeout=60)
        alive = console.program.poll() is None and first.admitted
        rest.stop()
        first.stop()

    print(f"students {args.students}, {args.minutes:g} minutes a phase, samples every {SAMPLE_SECONDS} s")
    print(f"quiet class: RSS last {quiet[-1]:.1f} MiB, highest {max(quiet):.1f} MiB")
    print(f"hostile thumbnails ({flood.sent} parts): RSS last {hostile[-1]:.1f} MiB, highest {max(hostile):.1f} MiB")
    print(f"ratio to the quiet class: last {hostile[-1] / quiet[-1]:.3f}, highest {max(hostile) / max(quiet):.3f}")
    print(f"slowest keep-alive answer of the hostile student: {flood.slowest_answer:.2f} s; "
          f"console and student alive: {alive}")


if __name__ == "__main__":
    main()
