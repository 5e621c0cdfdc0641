"""What the console benchmarks share: the paths of the test harness and the simulated peers, the
real console started under Wine and logged in at the simulated login server, the first student
admitted once the console listens, and the CPU and memory of a Wine process read from /proc.

    from benchlib import LoggedInConsole, admit_first, CpuClock
    with LoggedInConsole(seats=30) as console:
        agent = admit_first(lambda: StudentAgent("127.0.0.1", console.port, seat=1).start())
        clock = CpuClock([console.linux_pid()])
"""

import os
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
for folder in ("bench", "tests/peers", "tests/e2e"):
    if str(REPO / folder) not in sys.path:
        sys.path.insert(0, str(REPO / folder))

from harness import UiDriver, WineEnv, apply_wine_settings, start_program, wait_until  # noqa: E402
from login_server import LOGIN_REQUEST, LoginServer  # noqa: E402
from student_agent import greeting_digest  # noqa: E402
from test_login import CONNECT, DIALOG_CLASS, FRAME_CLASS, ID_EDIT, LOGIN_TITLE, VIEW_ID, ConsoleFolder  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def find_process(matches):
    """The first Linux process for which matches(its /proc folder) is true; None when there is none.
    A process that ends while it is read is passed over."""
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                if matches(entry):
                    return int(entry.name)
            except OSError:
                continue
    return None


def process_pid(*markers):
    """The Linux process whose command line holds every marker (a run's temporary folder name
    is unique, so processes of other runs are never measured)."""
    def runs(entry):
        cmdline = (entry / "cmdline").read_bytes().replace(b"\0", b" ").decode(errors="replace")
        return all(marker in cmdline for marker in markers)
    pid = find_process(runs)
    if pid is None:
        raise RuntimeError(f"no process runs {' '.join(markers)}")
    return pid


def cpu_seconds(pid):
    """User and system CPU seconds of a process (or "pid/task/tid", one of its threads)."""
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def resident_mib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return 0.0


class CpuClock:
    """The CPU the processes spend from its start, as a share of one core (100 = one core)."""

    def __init__(self, pids):
        self.pids = list(pids)
        self.began, self.cpu = time.monotonic(), self.spent()

    def spent(self):
        return sum(cpu_seconds(pid) for pid in self.pids)

    def percent(self):
        return (self.spent() - self.cpu) / (time.monotonic() - self.began) * 100


def cpu_percent(pids, seconds):
    """The processes' CPU over the next seconds, as a share of one core."""
    clock = CpuClock(pids)
    time.sleep(seconds)
    return clock.percent()


def admit_first(start_agent, timeout=60, interval=0.5):
    """The first student, started again until the console admits it: the console listens for
    students a moment after the login. start_agent returns a started agent."""
    def attempt():
        agent = start_agent()
        try:
            agent.wait_admitted(timeout=30)
            return agent
        except Exception:
            agent.stop(timeout=1)
            return None
    return wait_until(attempt, timeout=timeout, interval=interval, message="the first student was not admitted")


class LoggedInConsole:
    """The real console in a temporary folder under Wine, logged in as a teacher at a simulated
    login server of the given seats. prepare(folder) writes what the folder needs before the start.
    Attributes: driver, env, folder, server, program, frame (pid: its Windows process id), port
    (where students connect), view (the grid)."""

    def __init__(self, seats, prepare=None):
        self.driver = UiDriver()
        self.env = self.driver.wine_env
        self.folder = self.server = self.program = None
        try:
            apply_wine_settings(self.env)
            self.folder = ConsoleFolder(self.env)
            if prepare:
                prepare(self.folder)
            self.server = LoginServer(seats=max(seats, 1)).start()
            self.folder.point_at(self.server.port)
            self.program = start_program(self.folder.exe, cwd=self.folder.path, wine_env=self.env)
            self.log_in()
        except BaseException:
            self.close()
            raise

    def log_in(self):
        driver = self.driver
        self.frame = driver.wait_window(cls=FRAME_CLASS, visible=False, timeout=90)
        self.pid = self.frame["pid"]
        dialog = driver.wait_window(cls=DIALOG_CLASS, title=LOGIN_TITLE, exact=True, pid=self.pid, timeout=60)
        driver.set_text(driver.find_child(dialog, id=ID_EDIT, timeout=10), "kim")
        driver.click(driver.find_child(dialog, id=CONNECT, timeout=10))
        self.port = int(self.server.wait_login_request(timeout=60)["student_port"])
        self.view = driver.find_child(self.frame, id=VIEW_ID, timeout=30)

    def logins(self):
        return [request for request in self.server.requests if request.tag == LOGIN_REQUEST and request.well_formed]

    def student_port(self):
        """Where students connect now: a console that gives up its login session and makes it
        again listens anew, on the port of its new connection to the login server."""
        logins = self.logins()
        return int(logins[-1]["student_port"]) if logins else self.port

    def linux_pid(self):
        """The Linux process of this run's console (its folder's name is unique)."""
        return process_pid("Lumora Teacher.exe", self.folder.path.parent.name)

    def close(self):
        for stop in (self.program and self.program.stop, self.server and self.server.stop, self.driver.close,
                     self.folder and self.folder.remove):
            if stop:
                try:
                    stop()
                except Exception:
                    pass

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class LoadFloor:
    """bench/load_floor.cpp under the same Wine: the irreducible work of the students' threads
    (a thread per connection, the greeting, keep-alives answered at once, every thumbnail decoded
    through GDI+), asking for thumbnails of the given size. Attribute: port."""

    def __init__(self, thumbnail_size):
        wine_env = WineEnv()
        # The path of this checkout's build marks the command line: other checkouts run floors too,
        # with the same greeting.
        self.exe = str(wine_env.build / "bench" / "load_floor.exe")
        self.process = subprocess.Popen(
            ["wine", self.exe, str(thumbnail_size[0]), str(thumbnail_size[1]), greeting_digest()], env=wine_env.env(),
            stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, text=True)
        try:
            self.port = int(self.process.stdout.readline().split()[1])
        except BaseException:
            self.close()
            raise

    def linux_pid(self):
        return process_pid(self.exe)

    def close(self):
        self.process.kill()
        self.process.wait(timeout=30)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
