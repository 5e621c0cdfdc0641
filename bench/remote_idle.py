"""Idle CPU of an open remote session: the real console under Wine, logged in at the simulated login
server, with one simulated student whose screen does not change. Measured: the CPU time of the
console's process plus its Wine server over a period with the session's window open (the student
sends only its keep-alives), as a share of one core. Floor, in the same run: the same console with
the same student and no session (the student's thumbnail every second), over the same period.

    (source scripts/wine-env; lumora_wine_start; /usr/bin/python3 bench/remote_idle.py [--seconds 20])
"""

import argparse
import time
from pathlib import Path

from benchlib import CpuClock, LoggedInConsole, admit_first, cpu_seconds, find_process
from remote_student import RemoteStudent

WM_LBUTTONDBLCLK, MK_LBUTTON = 0x0203, 0x0001


def wine_server_pid(prefix):
    """The Wine server of this prefix (the run's messages between threads go through it)."""
    return find_process(lambda entry: (entry / "comm").read_text().startswith("wineserver") and
                        f"WINEPREFIX={prefix}".encode() in (entry / "environ").read_bytes().split(b"\0"))


def thread_seconds(pid):
    """CPU seconds of each thread of the process."""
    times = {}
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            times[int(task.name)] = cpu_seconds(f"{pid}/task/{task.name}")
        except OSError:
            pass
    return times


def share_of_core(pids, seconds, busiest=None):
    """CPU seconds of the processes over the period, per second of wall time, in percent; with
    busiest, the busiest threads of the first process are printed."""
    clock = CpuClock(pids)
    threads = thread_seconds(pids[0]) if busiest else {}
    time.sleep(seconds)
    elapsed = time.monotonic() - clock.began
    if busiest:
        after = thread_seconds(pids[0])
        shares = sorted(((after[t] - threads.get(t, 0)) / elapsed * 100, t) for t in after)[::-1][:busiest]
        print(busiest, "busiest threads (% of a core):", ", ".join(f"{t}: {share:.2f}" for share, t in shares))
    return clock.percent()


def measure(console, student, options):
    """The idle class's CPU, then the same with the student's session window open."""
    driver = console.driver
    student.wait_packet(10, timeout=30)
    pids = [console.linux_pid()]
    wine_server = wine_server_pid(console.env.env()["WINEPREFIX"])
    if wine_server:
        pids.append(wine_server)
    time.sleep(3)
    floor = share_of_core(pids, options.seconds, options.threads)

    mark = len(student.journal.items())
    driver.post(console.view, WM_LBUTTONDBLCLK, MK_LBUTTON, (30 << 16) | 30)
    student.wait_text("[KW00004]", timeout=30, start=mark)
    student.wait_acknowledged(1)
    driver.wait_window(title="1: ", pid=console.pid, timeout=30)
    time.sleep(3)
    session = share_of_core(pids, options.seconds, options.threads)
    print(f"idle console, one student, no session (floor): {floor:.2f} % of a core")
    print(f"the same with the session's window open:        {session:.2f} % of a core")
    print(f"session - floor: {session - floor:.2f} % of a core; session / floor: "
          f"{session / floor if floor else 0:.2f}x (processes measured: {len(pids)})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float, default=20.0)
    parser.add_argument("--threads", type=int, default=0, help="print the busiest threads of the console")
    options = parser.parse_args()
    with LoggedInConsole(seats=8) as console:
        student = admit_first(lambda: RemoteStudent("127.0.0.1", console.port, seat=1, screen=(1920, 1080),
                                                    thumbnail_interval=1.0).start(), interval=1.0)
        try:
            measure(console, student, options)
        finally:
            student.stop(timeout=1)


if __name__ == "__main__":
    main()
