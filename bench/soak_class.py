"""Soak run of the students' threads (not part of the test suite): the real console under Wine,
logged in at the simulated login server, serves a class whose students keep leaving and coming
back for the run's length, thumbnails flowing, each ending in one of three ways picked at random:
the orderly end ("[PC00031]"), a close without a word, or a reset. Before and after, with the
class gone, it reads the console's threads, open descriptors (sockets among them) and resident
memory; at the end every seat must admit a student again (no seat is left online).

    WINEPREFIX=... DISPLAY=... LUMORA_BUILD=build/win64 /usr/bin/python3 bench/soak_class.py \\
        [--students 100] [--minutes 10]
"""

import argparse
import os
import random
import sys
import threading
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "bench"))
sys.path.insert(0, str(REPO / "tests" / "e2e"))
sys.path.insert(0, str(REPO / "tests" / "peers"))

from harness import UiDriver, start_program, wait_until  # noqa: E402
from load_class import console_pid, resident_mib  # noqa: E402
from login_server import LoginServer  # noqa: E402
from student_agent import AdmissionRefused, StudentAgent, distinct_colour  # noqa: E402
from test_login import CONNECT, DIALOG_CLASS, FRAME_CLASS, ID_EDIT, LOGIN_TITLE, ConsoleFolder, apply_wine_settings  # noqa: E402


def footprint(pid):
    return {"threads": len(os.listdir(f"/proc/{pid}/task")), "descriptors": len(os.listdir(f"/proc/{pid}/fd")),
            "rss_mib": round(resident_mib(pid), 1)}


def settled(pid, baseline, timeout=90):
    """The footprint once threads and descriptors are back at the baseline (or the time is up)."""
    deadline = time.monotonic() + timeout
    while True:
        now = footprint(pid)
        if (now["threads"] <= baseline["threads"] and now["descriptors"] <= baseline["descriptors"]) or \
                time.monotonic() > deadline:
            return now
        time.sleep(1)


class Seat(threading.Thread):
    """One seat's student, leaving and coming back until the end of the run."""

    def __init__(self, port, seat, until, interval):
        super().__init__(daemon=True)
        self.port, self.seat, self.until, self.interval = port, seat, until, interval
        self.random = random.Random(seat)
        self.cycles = {"orderly": 0, "closed": 0, "reset": 0}
        self.refused = 0
        self.failed = 0

    def run(self):
        while time.monotonic() < self.until:
            agent = StudentAgent("127.0.0.1", self.port, seat=self.seat, colour=distinct_colour(self.seat - 1),
                                 keepalive_interval=5.0, thumbnail_interval=self.interval).start()
            try:
                agent.wait_admitted(timeout=60)
            except AdmissionRefused:
                # The console had not yet heard the previous student's end: the seat was taken.
                self.refused += 1
                agent.stop(timeout=1)
                time.sleep(0.5)
                continue
            except Exception:
                self.failed += 1
                agent.stop(timeout=1)
                time.sleep(0.5)
                continue
            time.sleep(self.random.uniform(1.0, 6.0))
            how = self.random.choice(("orderly", "closed", "reset"))
            if how == "orderly":
                agent.end(timeout=10)
            elif how == "closed":
                agent.stop(timeout=5)
            else:
                agent.drop()
            self.cycles[how] += 1
            time.sleep(self.random.uniform(0.0, 1.0))


def every_seat_admits(port, students):
    agents = [StudentAgent("127.0.0.1", port, seat=seat, keepalive_interval=5.0).start()
              for seat in range(1, students + 1)]
    stuck = []
    for agent in agents:
        try:
            agent.wait_admitted(timeout=60)
        except Exception as error:
            stuck.append((agent.seat, str(error)))
    for agent in agents:
        agent.end(timeout=10, wait=False)
    for agent in agents:
        try:
            agent.wait_closed(timeout=10)
        except TimeoutError:
            pass
        agent.stop(timeout=1)
    return stuck


def soak(students, minutes, interval):
    driver = UiDriver()
    env = driver.wine_env
    apply_wine_settings(env)
    folder = ConsoleFolder(env)
    server = LoginServer(seats=students).start()
    folder.point_at(server.port)
    program = start_program(folder.exe, cwd=folder.path, wine_env=env)
    try:
        frame = driver.wait_window(cls=FRAME_CLASS, visible=False, timeout=90)
        dialog = driver.wait_window(cls=DIALOG_CLASS, title=LOGIN_TITLE, exact=True, pid=frame["pid"], timeout=60)
        driver.set_text(driver.find_child(dialog, id=ID_EDIT, timeout=10), "kim")
        driver.click(driver.find_child(dialog, id=CONNECT, timeout=10))
        port = int(server.wait_login_request(timeout=60)["student_port"])

        def first_in():
            agent = StudentAgent("127.0.0.1", port, seat=1, keepalive_interval=5.0).start()
            try:
                agent.wait_admitted(timeout=30)
                return agent
            except Exception:
                agent.stop(timeout=1)
                return None
        wait_until(first_in, timeout=60, interval=0.5).end(timeout=10)
        pid = console_pid(folder)
        # A first class in and out, so that what is made once per run is made before the baseline.
        warm_up = every_seat_admits(port, students)
        time.sleep(5)
        before = footprint(pid)
        began = time.monotonic()
        seats = [Seat(port, seat, began + minutes * 60, interval) for seat in range(1, students + 1)]
        for seat in seats:
            seat.start()
        peak = before
        while any(seat.is_alive() for seat in seats):
            time.sleep(5)
            now = footprint(pid)
            if now["rss_mib"] > peak["rss_mib"]:
                peak = now
        ran = time.monotonic() - began
        after = settled(pid, before)
        stuck = every_seat_admits(port, students)
        cycles = {how: sum(seat.cycles[how] for seat in seats) for how in ("orderly", "closed", "reset")}
        return {
            "students": students, "minutes": round(ran / 60, 1), "cycles": cycles,
            "refused_while_previous_end_unheard": sum(seat.refused for seat in seats),
            "admissions_failed": sum(seat.failed for seat in seats),
            "before": before, "peak": peak, "after": after,
            "seats_stuck_online": stuck, "warm_up_stuck": warm_up,
        }
    finally:
        program.stop()
        server.stop()
        driver.close()
        folder.remove()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--students", type=int, default=100)
    parser.add_argument("--minutes", type=float, default=10.0)
    parser.add_argument("--interval", type=float, default=1.0, help="seconds between a student's thumbnails")
    options = parser.parse_args()
    print(soak(options.students, options.minutes, options.interval))


if __name__ == "__main__":
    main()
