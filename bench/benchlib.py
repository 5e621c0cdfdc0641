"""What the console benchmarks share: the paths of the test harness and the simulated peers, the
real console started under Wine and logged in at the simulated login server, the first student
admitted once the console listens, the students a run keeps (stopped with the console), and the
CPU and memory of a Wine process (and of its Wine server) read from /proc.

    from benchlib import LoggedInConsole, cpu_percent
    with LoggedInConsole(seats=30) as console:
        agent = console.admit_first(lambda: StudentAgent("127.0.0.1", console.port, seat=1).start())
        idle = cpu_percent(console.measured_pids(), seconds=10)
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


def thread_seconds(pid):
    """CPU seconds of each thread of the process."""
    times = {}
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            times[int(task.name)] = cpu_seconds(f"{pid}/task/{task.name}")
        except OSError:
            pass
    return times


def wine_server_pid(prefix):
    """The Wine server of this prefix (the messages between a program's threads go through it)."""
    return find_process(lambda entry: (entry / "comm").read_text().startswith("wineserver") and
                        f"WINEPREFIX={prefix}".encode() in (entry / "environ").read_bytes().split(b"\0"))


class CpuClock:
    """The CPU the processes spend from its start, as a share of one core (100 = one core); with
    threads, the first process's threads are read too (busiest)."""

    def __init__(self, pids, threads=False):
        self.pids = list(pids)
        self.threads = thread_seconds(self.pids[0]) if threads else None
        self.began, self.cpu = time.monotonic(), self.spent()

    def spent(self):
        return sum(cpu_seconds(pid) for pid in self.pids)

    def elapsed(self):
        return time.monotonic() - self.began

    def percent(self):
        return (self.spent() - self.cpu) / self.elapsed() * 100

    def busiest(self, count):
        """The first process's count busiest threads since the start: (share of a core, thread id)."""
        elapsed, now = self.elapsed(), thread_seconds(self.pids[0])
        shares = sorted(((now[t] - self.threads.get(t, 0)) / elapsed * 100, t) for t in now)
        return shares[::-1][:count]


def cpu_percent(pids, seconds, settle=0.0, busiest=0):
    """The processes' CPU over the next seconds (after settle seconds left alone), as a share of
    one core; with busiest, the first process's busiest threads are printed."""
    time.sleep(settle)
    clock = CpuClock(pids, threads=busiest > 0)
    time.sleep(seconds)
    percent = clock.percent()
    if busiest:
        print(busiest, "busiest threads (% of a core):",
              ", ".join(f"{t}: {share:.2f}" for share, t in clock.busiest(busiest)))
    return percent


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


class KeepsStudents:
    """The students a run started against a peer, stopped when the peer closes."""

    def keep(self, agent):
        self.students.append(agent)
        return agent

    def admit_first(self, start_agent, **options):
        """The first student (admit_first), kept."""
        return self.keep(admit_first(start_agent, **options))

    def stop_students(self):
        for agent in self.students:
            try:
                agent.stop(timeout=1)
            except Exception:
                pass
        self.students = []


class LoggedInConsole(KeepsStudents):
    """The real console in a temporary folder under Wine, logged in as a teacher at a simulated
    login server of the given seats. prepare(folder) writes what the folder needs before the start.
    Attributes: driver, env, folder, server, program, frame (pid: its Windows process id), port
    (where students connect), view (the grid), students (those kept, stopped first on close)."""

    def __init__(self, seats, prepare=None):
        self.students = []
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

    def measured_pids(self, wine_server=False):
        """The console's Linux process and, when asked and found, its Wine server."""
        pids = [self.linux_pid()]
        server = wine_server and wine_server_pid(self.env.env()["WINEPREFIX"])
        return pids + [server] if server else pids

    def cell_centre(self, seat, per_row):
        """The centre of a seat's cell in the grid's client area, per_row seats a row."""
        client = self.driver.rect(self.view)["client"]
        width = (client[2] - client[0] - 40) // per_row
        pitch = (width - 2) * 3 // 4 + 2
        return (seat - 1) % per_row * width + width // 2 + 5, (seat - 1) // per_row * pitch + pitch // 2

    def toolbar(self, control_id):
        """The console's dialog that holds the control (the teacher toolbar for its buttons)."""
        driver = self.driver
        return next(w for w in driver.windows(cls=DIALOG_CLASS, pid=self.pid)
                    if driver.command("find", parent=w["hwnd"], id=control_id).get("ok"))

    def close(self):
        self.stop_students()
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


class LoadFloor(KeepsStudents):
    """bench/load_floor.cpp under the same Wine: the irreducible work of the students' threads
    (a thread per connection, the greeting, keep-alives answered at once, every thumbnail decoded
    through GDI+), asking for thumbnails of the given size. Attributes: port, students (those
    kept, stopped first on close)."""

    def __init__(self, thumbnail_size):
        self.students = []
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
        self.stop_students()
        self.process.kill()
        self.process.wait(timeout=30)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
