"""Idle CPU of an open remote session: the real console under Wine, logged in at the simulated login
server, with one simulated student whose screen does not change. Measured: the CPU time of the
console's process plus its Wine server over a period with the session's window open (the student
sends only its keep-alives), as a share of one core. Floor, in the same run: the same console with
the same student and no session (the student's thumbnail every second), over the same period.

    (source scripts/wine-env; lumora_wine_start; /usr/bin/python3 bench/remote_idle.py [--seconds 20])
"""

import argparse
import os
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))
sys.path.insert(0, str(REPO / "tests" / "peers"))
sys.path.insert(0, str(REPO / "bench"))

from harness import UiDriver, start_program, wait_until  # noqa: E402
from load_class import console_pid, cpu_seconds  # noqa: E402
from login_server import LoginServer  # noqa: E402
from remote_student import RemoteStudent  # noqa: E402
from test_login import (CONNECT, DIALOG_CLASS, FRAME_CLASS, ID_EDIT, LOGIN_TITLE, VIEW_ID,  # noqa: E402
                        ConsoleFolder, apply_wine_settings)

WM_LBUTTONDBLCLK, MK_LBUTTON = 0x0203, 0x0001


def wine_server_pid(prefix):
    """The Wine server of this prefix (the run's messages between threads go through it)."""
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            if not (entry / "comm").read_text().startswith("wineserver"):
                continue
            environ = (entry / "environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if f"WINEPREFIX={prefix}".encode() in environ:
            return int(entry.name)
    return None


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
    before, start = sum(cpu_seconds(pid) for pid in pids), time.monotonic()
    threads = thread_seconds(pids[0]) if busiest else {}
    time.sleep(seconds)
    elapsed = time.monotonic() - start
    if busiest:
        after = thread_seconds(pids[0])
        shares = sorted(((after[t] - threads.get(t, 0)) / elapsed * 100, t) for t in after)[::-1][:busiest]
        print(busiest, "busiest threads (% of a core):", ", ".join(f"{t}: {share:.2f}" for share, t in shares))
    return (sum(cpu_seconds(pid) for pid in pids) - before) / elapsed * 100


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float, default=20.0)
    parser.add_argument("--threads", type=int, default=0, help="print the busiest threads of the console")
    options = parser.parse_args()
    driver = UiDriver()
    env = driver.wine_env
    apply_wine_settings(env)
    folder = ConsoleFolder(env)
    server = LoginServer(seats=8).start()
    folder.point_at(server.port)
    program = start_program(folder.exe, cwd=folder.path, wine_env=env)
    student = None
    try:
        frame = driver.wait_window(cls=FRAME_CLASS, visible=False, timeout=90)
        pid = frame["pid"]
        dialog = driver.wait_window(cls=DIALOG_CLASS, title=LOGIN_TITLE, exact=True, pid=pid, timeout=60)
        driver.set_text(driver.find_child(dialog, id=ID_EDIT, timeout=10), "kim")
        driver.click(driver.find_child(dialog, id=CONNECT, timeout=10))
        port = int(server.wait_login_request(timeout=60)["student_port"])
        view = driver.find_child(frame, id=VIEW_ID, timeout=30)

        def admitted():
            agent = RemoteStudent("127.0.0.1", port, seat=1, screen=(1920, 1080), thumbnail_interval=1.0).start()
            try:
                agent.wait_admitted(timeout=30)
                return agent
            except Exception:
                agent.stop()
                return None
        student = wait_until(admitted, timeout=60, interval=1.0, message="the student was not admitted")
        student.wait_packet(10, timeout=30)
        pids = [console_pid(folder)]
        wine_server = wine_server_pid(env.env()["WINEPREFIX"])
        if wine_server:
            pids.append(wine_server)
        time.sleep(3)
        floor = share_of_core(pids, options.seconds, options.threads)

        mark = len(student.journal.items())
        driver.post(view, WM_LBUTTONDBLCLK, MK_LBUTTON, (30 << 16) | 30)
        student.wait_text("[KW00004]", timeout=30, start=mark)
        student.wait_acknowledged(1)
        driver.wait_window(title="1: ", pid=pid, timeout=30)
        time.sleep(3)
        session = share_of_core(pids, options.seconds, options.threads)
        print(f"idle console, one student, no session (floor): {floor:.2f} % of a core")
        print(f"the same with the session's window open:        {session:.2f} % of a core")
        print(f"session - floor: {session - floor:.2f} % of a core; session / floor: "
              f"{session / floor if floor else 0:.2f}x (processes measured: {len(pids)})")
    finally:
        if student:
            student.stop(timeout=1)
        program.stop()
        server.stop()
        driver.close()
        folder.remove()


if __name__ == "__main__":
    main()
