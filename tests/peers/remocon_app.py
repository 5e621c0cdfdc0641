"""Simulated receivers of the single-receiver streams of the teacher's screen.

RemoconApp is the hand-held remote-controller app: it connects to the students' port, links with
"[RC00001]<version>" instead of an agent's hello, and from then on speaks the "[RC"/"[RH" tags.
StreamPad is a pad agent that asks for the teacher's screen with "[AN00004]" and acknowledges its
blocks with "[AN00006]". Both rebuild the picture from the type-12 blocks like the class-share
student, with the stream's tile rule (halve each side while even and at least 200).

    app = RemoconApp("127.0.0.1", port).start()
    app.wait_linked()                        # "[RH00001]" arrived
    app.send_text("[RC00010]1280,720"); app.send_text("[RC00004]")
    app.wait_tiles(32)

Beside a running class (scripts/run prints the students' port), the app links, asks for the
teacher's screen and says now and then how much of it arrived, until Ctrl+C:

    python3 tests/peers/remocon_app.py --port P [--host 127.0.0.1] [--canvas 1280x720]
"""

import argparse
import os
import signal
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import lumora_wire as wire  # noqa: E402
from share_student import ShareStudent, broadcast_tile_side  # noqa: E402
from student_agent import full_tile_block  # noqa: E402

STREAM_TILE_FLOOR = 200


class _StreamReceiver(ShareStudent):
    ACK_TAG = ""

    def set_canvas(self, width, height):
        with self._lock:
            from PIL import Image
            self.canvas = Image.new("RGB", (width, height))
            self.received_tiles = set()
            self.tile = (broadcast_tile_side(width, STREAM_TILE_FLOOR), broadcast_tile_side(height, STREAM_TILE_FLOOR))
            self.columns = width // self.tile[0]

    def _answer(self, text):
        if text.startswith("[PC00025]"):
            if self.acknowledging:
                self.send_text(self.ACK_TAG + text[9:])
            return
        super()._answer(text)


class RemoconApp(_StreamReceiver):
    ACK_TAG = "[RC00006]"

    def __init__(self, host="127.0.0.1", port=0, version="2.0.1.1028", link=True, **options):
        """With link=False it stays a pending connection that never announces itself."""
        options.setdefault("label", "remote app")
        options.setdefault("keepalive_interval", None)
        super().__init__(host, port, version=version, **options)
        self.link = link
        self.tile_sequence = 0

    def _send_hello(self):
        if not self.link:
            self._set_phase("pending")
            return
        self._set_phase("linking")
        self.send_text(f"[RC00001]{self.version}")

    def _on_text(self, tag, args):
        if tag == "[RH00001]" and self.phase == "linking":
            self._set_phase("linked")
        super()._on_text(tag, args)

    def wait_linked(self, timeout=30.0):
        self.journal.wait_until(lambda: self.phase in ("linked", "closed"), timeout, what=f"link of {self.label}")
        if self.phase != "linked":
            raise AssertionError(f"{self.label} was not linked ({self.error})")

    def stream(self, width, height):
        """Asks for the teacher's screen on a width x height canvas."""
        self.set_canvas(width, height)
        self.send_text(f"[RC00010]{width},{height}")
        self.send_text("[RC00004]")

    def send_screen(self, width, height, colour):
        """One tile block of its own screen, all tiles of one colour; returns its sequence number."""
        self.tile_sequence += 1
        raw_size, data = full_tile_block(width, height, tuple(colour))
        self.send_packet(wire.TileBlock(raw_size, self.tile_sequence, data))
        return self.tile_sequence

    def click(self, x, y):
        """A left click at the teacher-screen pixel (x, y)."""
        self.send_packet(wire.MouseEvents([wire.MouseEvent(0x200, 0, x, y), wire.MouseEvent(0x201, 0, x, y),
                                           wire.MouseEvent(0x202, 0, x, y)]))


class StreamPad(_StreamReceiver):
    ACK_TAG = "[AN00006]"

    def __init__(self, *args, **options):
        options.setdefault("edition", "pad")
        super().__init__(*args, **options)

    def _on_text(self, tag, args):
        if tag == "[AN00001]":
            self.set_canvas(*self.screen)
        super()._on_text(tag, args)


KEEPALIVE_SECONDS = 5.0


def main(argv=None):
    parser = argparse.ArgumentParser(description="A simulated remote-controller app beside a class")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, required=True, help="the console's student port")
    parser.add_argument("--canvas", default="1280x720", help="WIDTHxHEIGHT of the teacher's screen stream")
    options = parser.parse_args(argv)
    width, height = (int(v) for v in options.canvas.lower().split("x"))
    stop = threading.Event()
    for signum in (signal.SIGINT, signal.SIGTERM):
        signal.signal(signum, lambda *_: stop.set())
    app = RemoconApp(options.host, options.port).start()
    try:
        app.wait_linked()
        print(f"Linked with the console; asking for its screen on a {width} x {height} canvas.", flush=True)
        app.stream(width, height)
        while not stop.wait(KEEPALIVE_SECONDS) and not app.closed:
            app.send_text("[RC00003]")
            print(time.strftime("%H:%M:%S ") + f"{app.block_count()} blocks of the teacher's screen, "
                  f"{len(app.received_tiles)} tiles of it seen", flush=True)
    except (AssertionError, TimeoutError, OSError) as error:
        print(f"The app could not link: {error}", file=sys.stderr)
        return 1
    finally:
        app.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
