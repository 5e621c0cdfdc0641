"""Load run of the admission and the students' threads: the real console under Wine, logged in at
the simulated login server, admits a class of simulated students that each send a thumbnail every
period, and the run reports the class's admission time, the thumbnails the console got through,
its CPU and memory and the keep-alive round trip.

Thumbnails have no acknowledgement in the protocol. Each student's thread reads its connection in
order, so a keep-alive answer proves that every thumbnail sent before that keep-alive was read and
decoded: "thumbnails through" counts, per student, the thumbnails sent before its last answered
keep-alive probe. The probes ("[PC00003]" -> "[KW10002]", one per student per second) give the
round-trip times.

    WINEPREFIX=... DISPLAY=... LUMORA_BUILD=build/win32 /usr/bin/python3 bench/load_class.py \\
        [--students 100] [--interval 1.0] [--seconds 30] [--stagger 0.05]
"""

import argparse
import statistics
import threading
import time

from benchlib import CpuClock, LoadFloor, LoggedInConsole, resident_mib
from student_agent import StudentAgent, distinct_colour


class Prober(threading.Thread):
    """One keep-alive probe per second on one agent; keeps round trips and the thumbnails proved."""

    def __init__(self, agent, stop):
        super().__init__(daemon=True)
        self.agent, self.stop = agent, stop
        self.round_trips = []
        self.thumbnails_through = 0
        self.missed = 0

    def run(self):
        while not self.stop.is_set():
            start = len(self.agent.journal.items())
            sent_before = self.agent.thumbnails_sent
            began = time.monotonic()
            self.agent.send_text("[PC00003]")
            try:
                self.agent.wait_text("[KW10002]", timeout=20, start=start)
                self.round_trips.append(time.monotonic() - began)
                self.thumbnails_through = sent_before
            except Exception:
                self.missed += 1
            self.stop.wait(max(0.0, 1.0 - (time.monotonic() - began)))


def run(students, interval, seconds, stagger):
    with LoggedInConsole(seats=students) as console:
        def first_in():
            return console.admit_first(lambda: class_member(console.port, 1, interval))
        result = measure(console, console.linux_pid, students, interval, seconds, stagger, first_in)
        result["thumbnail_size"] = console.students[0].thumbnail_size
        return result


def class_member(port, seat, interval):
    return StudentAgent("127.0.0.1", port, seat=seat, colour=distinct_colour(seat - 1), keepalive_interval=None,
                        thumbnail_interval=interval).start()


def measure(peer, find_pid, students, interval, seconds, stagger, first_in):
    """Connects the class to the peer (after the first student, whom first_in admits and keeps),
    then probes it."""
    first_in()
    began = time.monotonic()
    for seat in range(2, students + 1):
        peer.keep(class_member(peer.port, seat, interval))
        time.sleep(stagger)
    agents = peer.students
    for agent in agents:
        try:
            agent.wait_admitted(timeout=120)
        except TimeoutError:
            waiting = [(a.seat, a.phase) for a in agents if not a.admitted]
            raise TimeoutError(f"not admitted: {waiting}")
    admission = time.monotonic() - began

    pid = find_pid()
    stop = threading.Event()
    probers = [Prober(agent, stop) for agent in agents]
    clock = CpuClock([pid])
    through_before = sum(agent.thumbnails_sent for agent in agents)
    for prober in probers:
        prober.start()
    time.sleep(seconds)
    stop.set()
    for prober in probers:
        prober.join(timeout=30)
    elapsed = time.monotonic() - clock.began
    cpu = clock.percent()
    memory = resident_mib(pid)
    sent = sum(agent.thumbnails_sent for agent in agents) - through_before
    through = sum(prober.thumbnails_through for prober in probers) - through_before
    trips = sorted(t for prober in probers for t in prober.round_trips)
    dropped = sum(1 for agent in agents if agent.closed)
    missed = sum(prober.missed for prober in probers)
    return {
        "students": students, "interval": interval, "seconds": round(elapsed, 1),
        "admission_s": round(admission, 2),
        "thumbnails_sent_per_s": round(sent / elapsed, 1),
        "thumbnails_through_per_s": round(through / elapsed, 1),
        "cpu_percent": round(cpu, 1), "rss_mib": round(memory, 1),
        "keepalive_p50_ms": round(statistics.median(trips) * 1000, 1) if trips else None,
        "keepalive_p99_ms": round(trips[min(len(trips) - 1, int(len(trips) * 0.99))] * 1000, 1) if trips else None,
        "probes_unanswered": missed, "students_dropped": dropped,
    }


def run_floor(students, interval, seconds, stagger, size):
    """The same class against bench/load_floor.cpp: the irreducible work under the same Wine."""
    with LoadFloor(size) as floor:
        def first_in():
            agent = floor.keep(class_member(floor.port, 1, interval))
            agent.wait_admitted(timeout=30)
        return measure(floor, floor.linux_pid, students, interval, seconds, stagger, first_in)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--students", type=int, default=100)
    parser.add_argument("--interval", type=float, default=1.0)
    parser.add_argument("--seconds", type=float, default=30.0)
    # Gap between two students' connects (a class switching its devices on).
    parser.add_argument("--stagger", type=float, default=0.05)
    options = parser.parse_args()
    console = run(options.students, options.interval, options.seconds, options.stagger)
    print("console", console)
    floor = run_floor(options.students, options.interval, options.seconds, options.stagger,
                      console["thumbnail_size"])
    print("floor", floor)
    ratios = {key: round(console[key] / floor[key], 2) for key in
              ("admission_s", "cpu_percent", "rss_mib", "keepalive_p50_ms", "keepalive_p99_ms")
              if console.get(key) and floor.get(key)}
    print("console / floor", ratios)


if __name__ == "__main__":
    main()
