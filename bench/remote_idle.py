"""Idle CPU of an open remote session: the real console under Wine, logged in at the simulated login
server, with one simulated student whose screen does not change. Measured: the CPU time of the
console's process plus its Wine server over a period with the session's window open (the student
sends only its keep-alives), as a share of one core. Floor, in the same run: the same console with
the same student and no session (the student's thumbnail every second), over the same period.

    (source scripts/wine-env; lumora_wine_start; /usr/bin/python3 bench/remote_idle.py [--seconds 20])
"""

import argparse

from benchlib import LoggedInConsole, cpu_percent
from remote_student import RemoteStudent

WM_LBUTTONDBLCLK, MK_LBUTTON = 0x0203, 0x0001


def measure(console, student, options):
    """The idle class's CPU, then the same with the student's session window open."""
    driver = console.driver
    student.wait_packet(10, timeout=30)
    pids = console.measured_pids(wine_server=True)
    floor = cpu_percent(pids, options.seconds, settle=3, busiest=options.threads)

    mark = len(student.journal.items())
    driver.post(console.view, WM_LBUTTONDBLCLK, MK_LBUTTON, (30 << 16) | 30)
    student.wait_text("[KW00004]", timeout=30, start=mark)
    student.wait_acknowledged(1)
    driver.wait_window(title="1: ", pid=console.pid, timeout=30)
    session = cpu_percent(pids, options.seconds, settle=3, busiest=options.threads)
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
        student = console.admit_first(lambda: RemoteStudent("127.0.0.1", console.port, seat=1, screen=(1920, 1080),
                                                            thumbnail_interval=1.0).start(), interval=1.0)
        measure(console, student, options)


if __name__ == "__main__":
    main()
