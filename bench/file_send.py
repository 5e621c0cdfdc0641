"""Throughput of sending a file to the class, beside its floor measured in the same run.

The real console under Wine, logged in at the simulated login server, sends one file through its
file-transfer dialog to one simulated student and then to six at once (the default parallel
limit); the students (tests/peers/file_receiver.py) acknowledge every 307200-byte piece and hash
what they receive. The floor is bench/tcp_stream.exe, a Wine process like the console, sending the
same number of bytes with plain blocking send() calls of one piece each over loopback TCP to a
Python receiver that reads and hashes them the same way: one connection, then six at once.

    WINEPREFIX=... DISPLAY=... LUMORA_BUILD=build/win32 \\
        /usr/bin/python3 bench/file_send.py [--megabytes 200] [--runs 3]
"""

import argparse
import hashlib
import os
import socket
import subprocess
import threading
import time

from benchlib import LoggedInConsole
from file_receiver import FileReceivingStudent
from test_file_transfer import open_transfer_dialog, write_config

CLASS = 6


def floor_run(env, tool, size, connections):
    """MB/s of size bytes on each of the connections from tcp_stream.exe into hashing readers."""
    listener = socket.create_server(("127.0.0.1", 0))
    listener.listen(connections)
    port = listener.getsockname()[1]
    spans = []

    def read(conn):
        digest, buffer, got = hashlib.sha256(), bytearray(1 << 20), 0
        view = memoryview(buffer)
        first = None
        while True:
            count = conn.recv_into(buffer)
            if not count:
                break
            first = first or time.monotonic()
            digest.update(view[:count])
            got += count
        spans.append((first, time.monotonic(), got))
        conn.close()

    sender = subprocess.Popen(["wine", str(tool), str(port), str(size), str(connections)], env=env.env())
    readers = []
    for _ in range(connections):
        conn, _ = listener.accept()
        reader = threading.Thread(target=read, args=(conn,))
        reader.start()
        readers.append(reader)
    for reader in readers:
        reader.join()
    listener.close()
    if sender.wait(timeout=600) != 0 or any(got != size for _, _, got in spans):
        raise RuntimeError("the floor's stream did not arrive whole")
    return connections * size / (max(s[1] for s in spans) - min(s[0] for s in spans)) / 1e6


class Console(LoggedInConsole):
    """The console logged in with a class of six seats and a file of the given size to send."""

    def __init__(self, file_size):
        super().__init__(CLASS, prepare=lambda folder: self.prepare(folder, file_size))
        self.students = []
        self.windows_folder = self.env.windows_path(self.send / "bench.bin").rsplit("\\", 1)[0]

    def prepare(self, folder, file_size):
        write_config(folder.path / "config.ini", CLASS)
        self.send = folder.path.parent / "send"
        self.send.mkdir()
        with open(self.send / "bench.bin", "wb") as out:
            for _ in range(file_size >> 20):
                out.write(os.urandom(1 << 20))
        self.size = (self.send / "bench.bin").stat().st_size

    def send_to(self, count):
        """MB/s from the first piece 0 to the last closing piece at the first count seats (the
        dialog lists the students connected when it opens)."""
        while len(self.students) < count:
            student = FileReceivingStudent("127.0.0.1", self.port, seat=len(self.students) + 1).start()
            student.wait_admitted(timeout=60)
            self.students.append(student)
        targets = self.students[:count]
        for student in targets:
            student.received.clear()
        dialog = open_transfer_dialog(self.driver, self.view, self.frame["pid"], range(1, len(self.students) + 1))
        try:
            if len(targets) != len(self.students):
                raise RuntimeError("measure one student before the class joins")
            dialog.add_files(self.windows_folder, ["bench.bin"])
            dialog.start_transfer()
            files = [student.wait_received("bench.bin", timeout=900) for student in targets]
            dialog.wait_done(timeout=60)
        finally:
            dialog.close_dialog()
        if any(f.size != self.size for f in files):
            raise RuntimeError("a student did not get the whole file")
        return len(files) * self.size / (max(f.ended for f in files) - min(f.started for f in files)) / 1e6

    def close(self):
        for student in getattr(self, "students", []):
            student.stop()
        super().close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--megabytes", type=int, default=200)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    with Console(args.megabytes << 20) as console:
        tool = console.env.build / "bench" / "tcp_stream.exe"
        floor_one = [floor_run(console.env, tool, console.size, 1) for _ in range(args.runs)]
        one = [console.send_to(1) for _ in range(args.runs)]
        floor_six = [floor_run(console.env, tool, console.size, CLASS) for _ in range(args.runs)]
        six = [console.send_to(CLASS) for _ in range(args.runs)]
        for name, got, floor in (("one student", one, floor_one), ("six at once", six, floor_six)):
            ratios = ", ".join(f"{g / f:.2f}" for g, f in zip(got, floor))
            print(f"{name}: {max(got):.0f} MB/s, floor {max(floor):.0f} MB/s, ratios per run {ratios}")


if __name__ == "__main__":
    main()
