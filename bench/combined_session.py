"""Load run of the remote sessions: the real console under Wine, four simulated students that each
send a tile update (a type-12 block of 4 tiles of a 1024 x 768 screen) ten times a second. First one
student alone in its single-student window (the floor), then all four in the combined window, both
in the same run. Reported per pane: the frames the console decoded into the pane's picture and
acknowledged ("[KW00079]") per second, and the console's CPU, each beside the single session's.

    (source scripts/wine-env; lumora_wine_start; /usr/bin/python3 bench/combined_session.py --seconds 20; \\
     lumora_wine_stop)
"""

import argparse
import threading
import time

from benchlib import CpuClock, LoggedInConsole, cpu_percent
from harness import wait_until
from remote_student import RemoteStudent

SEATS, PER_ROW = 8, 8
WM_COMMAND, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, MK_LBUTTON = 0x0111, 0x0201, 0x0203, 1
COLLECT_VIEW = 1205
SCREEN = (1024, 768)
RATE = 10


class Sender(threading.Thread):
    """A student's tile updates, RATE a second, each four tiles of a moving colour."""

    def __init__(self, student, stop):
        super().__init__(daemon=True)
        self.student, self.stop = student, stop

    def run(self):
        tiles = self.student.grid[2] * self.student.grid[3]
        count, start = 0, time.monotonic()
        while not self.stop.is_set():
            first = (count * 4) % tiles
            shade = (count * 37) % 256
            self.student.send_tiles([first + i for i in range(4)], colours=[(shade, 255 - shade, 90)] * 4)
            count += 1
            self.stop.wait(max(0.0, start + count / RATE - time.monotonic()))


def acknowledgements(student, since, until):
    return sum(1 for item in student.journal.items()
               if item.text.startswith("[KW00079]") and since <= item.time < until)


def load(students, pid, seconds):
    """Frames acknowledged per second for each student and the console's CPU share while they send."""
    stop = threading.Event()
    senders = [Sender(student, stop) for student in students]
    for sender in senders:
        sender.start()
    time.sleep(2)   # the sessions settle
    clock = CpuClock([pid])
    time.sleep(seconds)
    ended, cpu = time.monotonic(), clock.percent() / 100
    stop.set()
    for sender in senders:
        sender.join()
    rates = [acknowledgements(student, clock.began, ended) / (ended - clock.began) for student in students]
    return rates, cpu


def run(seconds):
    with LoggedInConsole(seats=SEATS) as console:
        return measure(console, seconds)


def measure(console, seconds):
    driver, view, pid = console.driver, console.view, console.pid

    def student(seat):
        return RemoteStudent("127.0.0.1", console.port, seat=seat, screen=SCREEN, pattern=seat,
                             thumbnail_interval=0.5).start()

    students = [console.admit_first(lambda: student(1))]
    for seat in (2, 3, 4):
        students.append(console.keep(student(seat)))
        students[-1].wait_admitted(timeout=30)
    for each in students:
        each.wait_packet(10, timeout=30)
    linux_pid = console.linux_pid()

    def cell(seat):
        return console.cell_centre(seat, PER_ROW)

    # The class in the grid, no session open: what the console spends anyway.
    idle_cpu = cpu_percent([linux_pid], seconds) / 100

    # One student in its own window.
    x, y = cell(1)
    driver.post(view, WM_LBUTTONDBLCLK, MK_LBUTTON, (y << 16) | x)
    students[0].wait_acknowledged(1)
    window = driver.wait_window(title="1: ", pid=pid, timeout=30)
    single, single_cpu = load(students[:1], linux_pid, seconds)
    mark = len(students[0].journal.items())
    driver.close_window(window)
    driver.wait_gone(window, timeout=30)
    students[0].wait_text("[KW00003]", timeout=30, start=mark)

    # All four in the combined window.
    toolbar = console.toolbar(COLLECT_VIEW)
    button = driver.find_child(toolbar, id=COLLECT_VIEW, timeout=10)["hwnd"]
    button = int(button, 0) if isinstance(button, str) else button
    marks = [len(s.journal.items()) for s in students]
    driver.post(toolbar, WM_COMMAND, COLLECT_VIEW, button)
    for seat in (1, 2, 3, 4):
        x, y = cell(seat)
        driver.post(view, WM_LBUTTONDOWN, MK_LBUTTON, (y << 16) | x)
    driver.post(toolbar, WM_COMMAND, COLLECT_VIEW, button)
    for student, mark in zip(students, marks):
        student.wait_text("[KW00004]3,", timeout=30, start=mark)
    wait_until(lambda: all(s.sequence == 0 or s.acknowledged() for s in students), timeout=30)
    combined, combined_cpu = load(students, linux_pid, seconds)
    return idle_cpu, single[0], single_cpu, combined, combined_cpu


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=float, default=20)
    args = parser.parse_args()
    idle_cpu, single, single_cpu, combined, combined_cpu = run(args.seconds)
    print(f"the class in the grid, no session: console CPU {idle_cpu * 100:.1f} %")
    print(f"single session: {single:.2f} frames/s acknowledged, console CPU {single_cpu * 100:.1f} %")
    print("combined window, per pane: " + ", ".join(f"{rate:.2f}" for rate in combined) + " frames/s")
    print(f"per pane / single: {min(combined) / single:.2f} .. {max(combined) / single:.2f}")
    print(f"console CPU {combined_cpu * 100:.1f} %: {combined_cpu / single_cpu:.2f} x single "
          f"({combined_cpu / single_cpu / 4:.2f} x single per student)")


if __name__ == "__main__":
    main()
