"""Soak run of the students' threads (not part of the test suite): the real console under Wine,
logged in at the simulated login server, serves a class whose students keep leaving and coming
back for the run's length, thumbnails flowing, each ending in one of three ways picked at random:
the orderly end ("[PC00031]"), a close without a word, or a reset. Before, and after each phase
with the class gone, it reads the console's threads, open descriptors (sockets among them) and
resident memory; at the end every seat must admit a student again (no seat is left online). Then
the same soak runs against bench/load_floor.cpp, whose growth per session is the floor's.

    WINEPREFIX=... DISPLAY=... LUMORA_BUILD=build/win64 /usr/bin/python3 bench/soak_class.py \\
        [--students 100] [--minutes 10] [--phases 2] [--floor-minutes 10]
"""

import argparse
import os
import random
import threading
import time
from pathlib import Path

from benchlib import LoadFloor, LoggedInConsole, resident_mib
from student_agent import AdmissionRefused, StudentAgent, distinct_colour


GLIBC_ARENA = 64 << 20


def glibc_heap_mib(pid):
    """Resident memory of the C library's heap on Wine's Unix side (the main arena and the
    64 MiB-aligned arenas of other threads, high in the address space): what Wine's own Unix
    code allocates, beside the Windows heaps and mappings of the program."""
    kib, counted = 0, False
    for line in Path(f"/proc/{pid}/smaps").read_text().splitlines():
        fields = line.split()
        if "-" in fields[0]:
            start = int(fields[0].split("-")[0], 16)
            name = fields[5] if len(fields) > 5 else ""
            counted = name == "[heap]" or (not name and start % GLIBC_ARENA == 0 and start >= 0x7f0000000000)
        elif fields[0] == "Rss:" and counted:
            kib += int(fields[1])
    return round(kib / 1024, 1)


def footprint(pid):
    return {"threads": len(os.listdir(f"/proc/{pid}/task")), "descriptors": len(os.listdir(f"/proc/{pid}/fd")),
            "rss_mib": round(resident_mib(pid), 1), "glibc_heap_mib": glibc_heap_mib(pid), "time": round(time.time())}


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
    """One seat's student, leaving and coming back until the end of the run; port() is where it
    connects each time."""

    def __init__(self, port, seat, until, interval):
        super().__init__(daemon=True)
        self.port, self.seat, self.until, self.interval = port, seat, until, interval
        self.random = random.Random(seat)
        self.cycles = {"orderly": 0, "closed": 0, "reset": 0}
        self.refused = 0
        self.failed = 0

    def run(self):
        while time.monotonic() < self.until:
            agent = StudentAgent("127.0.0.1", self.port(), seat=self.seat, colour=distinct_colour(self.seat - 1),
                                 keepalive_interval=5.0, thumbnail_interval=self.interval).start()
            try:
                agent.wait_admitted(timeout=60)
            except Exception as error:
                # Refused: the console had not yet heard the previous student's end, the seat was taken.
                if isinstance(error, AdmissionRefused):
                    self.refused += 1
                else:
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
    agents = [StudentAgent("127.0.0.1", port(), seat=seat, keepalive_interval=5.0).start()
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


def soak_console(students, minutes, interval, phases):
    with LoggedInConsole(seats=students) as console:
        # A console that gives up its login session logs in again: what the login server saw.
        began, login_events = time.monotonic(), []
        console.server.on_event = lambda line: login_events.append((round(time.monotonic() - began), line))
        first = console.admit_first(lambda: StudentAgent("127.0.0.1", console.port, seat=1, keepalive_interval=5.0).start())
        first.end(timeout=10)
        result = soak(console.student_port, console.linux_pid(), students, minutes, interval, phases)
        return dict(result, thumbnail_size=first.thumbnail_size, logins=len(console.logins()),
                    login_events=login_events if len(console.logins()) > 1 else [])


def soak_floor(students, minutes, interval, phases, thumbnail_size):
    """The same soak against bench/load_floor.cpp: what the same Wine keeps of the students'
    threads, connections and decoded thumbnails alone."""
    with LoadFloor(thumbnail_size) as floor:
        return soak(lambda: floor.port, floor.linux_pid(), students, minutes, interval, phases)


def soak(port, pid, students, minutes, interval, phases):
    # A first class in and out, so that what is made once per run is made before the baseline.
    warm_up = every_seat_admits(port, students)
    time.sleep(5)
    before = footprint(pid)
    print("before", before, flush=True)
    everyone, ends, peak, ran = [], [], before, 0.0
    for phase in range(phases):
        began = time.monotonic()
        seats = [Seat(port, seat, began + minutes * 60 / phases, interval) for seat in range(1, students + 1)]
        everyone += seats
        for seat in seats:
            seat.start()
        while any(seat.is_alive() for seat in seats):
            time.sleep(5)
            now = footprint(pid)
            if now["rss_mib"] > peak["rss_mib"]:
                peak = now
        ran += time.monotonic() - began
        end = settled(pid, before)
        end["sessions"] = sum(sum(seat.cycles.values()) for seat in everyone)
        end["growth_kib_per_session"] = round((end["rss_mib"] - before["rss_mib"]) * 1024 / max(end["sessions"], 1), 1)
        ends.append(end)
        print("phase", phase + 1, ends[-1], flush=True)
    stuck = every_seat_admits(port, students)
    cycles = {how: sum(seat.cycles[how] for seat in everyone) for how in ("orderly", "closed", "reset")}
    return {
        "students": students, "minutes": round(ran / 60, 1), "cycles": cycles,
        "refused_while_previous_end_unheard": sum(seat.refused for seat in everyone),
        "admissions_failed": sum(seat.failed for seat in everyone),
        "before": before, "peak": peak, "after": ends[-1], "phase_ends": ends,
        "seats_stuck_online": stuck, "warm_up_stuck": warm_up,
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--students", type=int, default=100)
    parser.add_argument("--minutes", type=float, default=10.0)
    parser.add_argument("--interval", type=float, default=1.0, help="seconds between a student's thumbnails")
    parser.add_argument("--phases", type=int, default=2,
                        help="the class leaves and memory is read between phases (does it level off?)")
    parser.add_argument("--floor-minutes", type=float, default=None,
                        help="the same soak against bench/load_floor.cpp afterwards (default: as long; 0: none)")
    options = parser.parse_args()
    console = soak_console(options.students, options.minutes, options.interval, options.phases)
    print("console", console, flush=True)
    floor_minutes = options.minutes if options.floor_minutes is None else options.floor_minutes
    if floor_minutes <= 0:
        return
    floor = soak_floor(options.students, floor_minutes, options.interval, options.phases, console["thumbnail_size"])
    print("floor", floor)
    print("growth per session ended, KiB (console, floor, console / floor):",
          [(c["growth_kib_per_session"], f["growth_kib_per_session"],
            round(c["growth_kib_per_session"] / f["growth_kib_per_session"], 2) if f["growth_kib_per_session"] else None)
           for c, f in zip(console["phase_ends"], floor["phase_ends"])])


if __name__ == "__main__":
    main()
