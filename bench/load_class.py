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
import os
import statistics
import subprocess
import sys
import threading
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))
sys.path.insert(0, str(REPO / "tests" / "peers"))

from harness import UiDriver, WineEnv, start_program, wait_until  # noqa: E402
from login_server import LoginServer  # noqa: E402
from student_agent import AdmissionFailed, StudentAgent, distinct_colour, greeting_digest  # noqa: E402
from test_login import CONNECT, DIALOG_CLASS, FRAME_CLASS, ID_EDIT, LOGIN_TITLE, ConsoleFolder, apply_wine_settings  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def console_pid(folder):
    """The Linux process running this run's copy of Lumora Teacher.exe (its temporary folder's
    name is unique, so consoles of other runs are never measured)."""
    marker = folder.path.parent.name
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            cmdline = (entry / "cmdline").read_bytes().replace(b"\0", b" ").decode(errors="replace")
        except OSError:
            continue
        if "Lumora Teacher.exe" in cmdline and marker in cmdline:
            return int(entry.name)
    raise RuntimeError("the console's process was not found")


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def resident_mib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return 0.0


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
    driver = UiDriver()
    env = driver.wine_env
    apply_wine_settings(env)
    folder = ConsoleFolder(env)
    server = LoginServer(seats=max(students, 1)).start()
    folder.point_at(server.port)
    program = start_program(folder.exe, cwd=folder.path, wine_env=env)
    agents = []
    try:
        frame = driver.wait_window(cls=FRAME_CLASS, visible=False, timeout=90)
        dialog = driver.wait_window(cls=DIALOG_CLASS, title=LOGIN_TITLE, exact=True, pid=frame["pid"], timeout=60)
        driver.set_text(driver.find_child(dialog, id=ID_EDIT, timeout=10), "kim")
        driver.click(driver.find_child(dialog, id=CONNECT, timeout=10))
        port = int(server.wait_login_request(timeout=60)["student_port"])

        def first_in():
            agent = StudentAgent("127.0.0.1", port, seat=1, colour=distinct_colour(0), keepalive_interval=None,
                                 thumbnail_interval=interval).start()
            try:
                agent.wait_admitted(timeout=30)
                return agent
            except AdmissionFailed:
                agent.stop()
                return None

        result = measure(port, agents, lambda: console_pid(folder), students, interval, seconds, stagger,
                         first_in)
        result["thumbnail_size"] = agents[0].thumbnail_size
        return result
    finally:
        for agent in agents:
            agent.stop(timeout=1)
        program.stop()
        server.stop()
        driver.close()
        folder.remove()


def measure(port, agents, find_pid, students, interval, seconds, stagger, first_in):
    """Connects the class (after the first student, whom first_in admits), then probes it."""
    began = time.monotonic()
    agents.append(wait_until(first_in, timeout=60, interval=0.5))
    began = time.monotonic()
    for seat in range(2, students + 1):
        agents.append(StudentAgent("127.0.0.1", port, seat=seat, colour=distinct_colour(seat - 1),
                                   keepalive_interval=None, thumbnail_interval=interval).start())
        time.sleep(stagger)
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
    cpu_before, t_before = cpu_seconds(pid), time.monotonic()
    through_before = sum(agent.thumbnails_sent for agent in agents)
    for prober in probers:
        prober.start()
    time.sleep(seconds)
    stop.set()
    for prober in probers:
        prober.join(timeout=30)
    elapsed = time.monotonic() - t_before
    cpu = (cpu_seconds(pid) - cpu_before) / elapsed * 100
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


def floor_pid(marker):
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                cmdline = (entry / "cmdline").read_bytes().replace(b"\0", b" ").decode(errors="replace")
            except OSError:
                continue
            if "load_floor.exe" in cmdline and marker in cmdline:
                return int(entry.name)
    raise RuntimeError("the floor's process was not found")


def run_floor(students, interval, seconds, stagger, size):
    """The same class against bench/load_floor.cpp: the irreducible work under the same Wine."""
    wine_env = WineEnv()
    exe = wine_env.build / "bench" / "load_floor.exe"
    marker = greeting_digest()
    floor = subprocess.Popen(["wine", str(exe), str(size[0]), str(size[1]), marker], env=wine_env.env(),
                             stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, text=True)
    agents = []
    try:
        port = int(floor.stdout.readline().split()[1])

        def first_in():
            agent = StudentAgent("127.0.0.1", port, seat=1, colour=distinct_colour(0), keepalive_interval=None,
                                 thumbnail_interval=interval).start()
            agent.wait_admitted(timeout=30)
            return agent
        return measure(port, agents, lambda: floor_pid(marker), students, interval, seconds, stagger, first_in)
    finally:
        for agent in agents:
            agent.stop(timeout=1)
        floor.kill()
        floor.wait(timeout=30)


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
