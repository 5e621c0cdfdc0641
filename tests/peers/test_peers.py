"""The simulated login server and student agent against small scripted counterparts: a fake
console built from the wire codec, checking the exact texts each peer sends and accepts."""

import io
import os
import socket
import struct
import subprocess
import sys
import threading
import time
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import lumora_wire as wire  # noqa: E402
import login_server as ls  # noqa: E402
import student_agent as sa  # noqa: E402

TIMEOUT = 5.0
LOGIN_TEXT = "[UT00001]3,-12345,teacher1,,127.0.0.1,50123,2.0.1.1047"


def connect(port):
    sock = socket.create_connection(("127.0.0.1", port), timeout=TIMEOUT)
    sock.settimeout(TIMEOUT)
    return sock


def assert_silent(test, sock, within=0.3):
    """Nothing arrives on sock for a short while (the one place a fixed wait is the point)."""
    sock.settimeout(within)
    try:
        test.fail(f"unexpected packet {wire.read_packet(sock)}")
    except socket.timeout:
        pass
    finally:
        sock.settimeout(TIMEOUT)


def read_until_closed(sock):
    """The texts read until the peer closes (other packets left out); a reset counts as a close."""
    texts = []
    try:
        while True:
            packet = wire.read_packet(sock)
            if isinstance(packet, wire.Text):
                texts.append(packet.text)
    except (wire.PeerClosed, ConnectionResetError):
        return texts


# ---------------------------------------------------------------- login server

class LoginServerTest(unittest.TestCase):
    def serve(self, **options):
        server = ls.LoginServer(**options).start()
        self.addCleanup(server.stop)
        return server

    def console(self, server):
        sock = connect(server.port)
        self.addCleanup(sock.close)
        return sock

    def test_login_keepalive_and_end(self):
        server = self.serve(seats=24)
        sock = self.console(server)
        self.assertEqual(wire.read_text(sock), "[UR00001]0,")
        wire.send_text(sock, LOGIN_TEXT)
        self.assertEqual(wire.read_text(sock), "[UR00002]1,0,24,0,0")
        login = server.wait_login_request()
        self.assertEqual(login.values, {"kind": "3", "session_tag": "-12345",
                                        "teacher_id": "teacher1", "site": "",
                                        "address": "127.0.0.1", "student_port": "50123",
                                        "version": "2.0.1.1047"})
        wire.send_text(sock, "[UT00002]24")
        self.assertEqual(wire.read_text(sock), "[UR00000]")
        self.assertEqual(server.wait_keepalive()["slots"], "24")
        wire.send_text(sock, "[KW10001]KW_END")
        self.assertEqual(read_until_closed(sock), [])
        self.assertEqual(server.wait_session_end()["word"], "KW_END")
        server.wait_closed(1)
        self.assertEqual([a.text for a in server.answers],
                         ["[UR00001]0,", "[UR00002]1,0,24,0,0", "[UR00000]"])

    def test_refusals_and_malformed_answers(self):
        message = "일치하는 선생님 정보를 찾을 수 없습니다."
        cases = [
            (dict(login_answers=[ls.Refuse(1, message)]), ["[UR00001]0,", f"[UR00001]1,{message}"]),
            (dict(login_answers=[ls.Refuse(2, "x", extra=(1, 2, 3, 4))]),
             ["[UR00001]0,", "[UR00001]2,x,1,2,3,4"]),
            (dict(login_answers=[ls.Raw("[UR00002]1,30,0", "[UR0")]),
             ["[UR00001]0,", "[UR00002]1,30,0", "[UR0"]),
            (dict(greetings=[ls.Refuse(3, "stop")]), ["[UR00001]3,stop"]),
        ]
        for options, expected in cases:
            with self.subTest(expected=expected[-1]):
                server = self.serve(**options)
                sock = self.console(server)
                texts = [wire.read_text(sock)]
                if len(expected) > 1:
                    wire.send_text(sock, LOGIN_TEXT)
                    texts += [wire.read_text(sock) for _ in expected[1:]]
                self.assertEqual(texts, expected)
                assert_silent(self, sock, 0.1)

    def test_scripted_duplicate_then_take_over(self):
        server = self.serve(login_answers=[ls.Duplicate("10.1.2.3"), ls.Accept(seats=5)])
        sock = self.console(server)
        self.assertEqual(wire.read_text(sock), "[UR00001]0,")
        wire.send_text(sock, LOGIN_TEXT)
        self.assertEqual(wire.read_text(sock), "[UR00020]1,teacher1,10.1.2.3,0")
        wire.send_text(sock, "[KW10003]0,teacher1,,0,0,127.0.0.1,50123,127.0.0.1,50123")
        self.assertEqual(wire.read_text(sock), "[UR00001]0,")
        self.assertEqual(server.wait_request("[KW10003]")["student_port_again"], "50123")
        wire.send_text(sock, LOGIN_TEXT)
        self.assertEqual(wire.read_text(sock), "[UR00002]1,0,5,0,0")

    def test_second_console_with_same_id_takes_over_first(self):
        server = self.serve()
        first, second = self.console(server), self.console(server)
        for sock, address, answer in ((first, "10.0.0.1", "[UR00002]1,0,30,0,0"),
                                      (second, "10.0.0.2", "[UR00020]1,teacher1,10.0.0.1,0")):
            self.assertEqual(wire.read_text(sock), "[UR00001]0,")
            wire.send_text(sock, LOGIN_TEXT.replace("127.0.0.1", address))
            self.assertEqual(wire.read_text(sock), answer)
        self.assertEqual(len(server.requests), 2)
        wire.send_text(second, "[KW10003]0,teacher1,,0,0,10.0.0.2,1,10.0.0.2,1")
        self.assertEqual(wire.read_text(first), "[UR00021]1,10.0.0.2,0")
        self.assertEqual(wire.read_text(second), "[UR00001]0,")
        wire.send_text(second, LOGIN_TEXT)
        self.assertEqual(wire.read_text(second), "[UR00002]1,0,30,0,0")

    def test_silence_close_after_and_pushes(self):
        silent = self.serve(silent=True)
        sock = self.console(silent)
        silent.wait_connections(1)
        wire.send_text(sock, LOGIN_TEXT)
        silent.wait_login_request()
        assert_silent(self, sock)

        mute = self.serve(answer_keepalive=False, close_after=2)
        sock = self.console(mute)
        self.assertEqual(wire.read_text(sock), "[UR00001]0,")
        wire.send_text(sock, LOGIN_TEXT)
        self.assertEqual(wire.read_text(sock), "[UR00002]1,0,30,0,0")
        mute.log_out_elsewhere("10.9.9.9")
        self.assertEqual(wire.read_text(sock), "[UR00021]1,10.9.9.9,0")
        wire.send_text(sock, "[UT00002]30")
        self.assertEqual(read_until_closed(sock), [])   # no [UR00000]; closed after 2 packets

        alive = self.serve(alive_interval=0.05)
        sock = self.console(alive)
        wire.read_text(sock)
        wire.send_text(sock, LOGIN_TEXT)
        self.assertEqual(wire.read_text(sock), "[UR00002]1,0,30,0,0")
        self.assertEqual([wire.read_text(sock) for _ in range(2)], ["[UR00000]"] * 2)
        alive.drop_connections()
        self.assertEqual(set(read_until_closed(sock)) - {"[UR00000]"}, set())

    def test_short_and_binary_packets_are_recorded_not_answered(self):
        server = self.serve()
        sock = self.console(server)
        wire.read_text(sock)
        wire.send_text(sock, "[UT0")
        wire.send_packet(sock, wire.ValuePair(1, 2))
        wire.send_text(sock, "[UT00001]3,1,teacher1")    # wrong field count: still answered
        self.assertEqual(wire.read_text(sock), "[UR00002]1,0,30,0,0")
        short, binary, login = server.requests
        self.assertEqual((short.tag, short.text), ("", "[UT0"))
        self.assertEqual(binary.packet, wire.ValuePair(1, 2))
        self.assertFalse(login.well_formed)
        self.assertEqual(login.fields, ["3", "1", "teacher1"])

    def test_command_line(self):
        process = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "login_server.py"), "--port", "0", "--seats", "7"],
            stdout=subprocess.PIPE, text=True)
        self.addCleanup(process.stdout.close)
        self.addCleanup(process.wait, TIMEOUT)
        self.addCleanup(process.terminate)
        first = process.stdout.readline()
        port = int(first.rsplit(":", 1)[1])
        sock = self.console_at(port)
        self.assertEqual(wire.read_text(sock), "[UR00001]0,")
        wire.send_text(sock, LOGIN_TEXT)
        self.assertEqual(wire.read_text(sock), "[UR00002]1,0,7,0,0")
        lines = [process.stdout.readline() for _ in range(4)]
        self.assertIn("request 1 " + LOGIN_TEXT, lines[2])
        self.assertIn("answer 1 [UR00002]1,0,7,0,0", lines[3])

    def console_at(self, port):
        sock = connect(port)
        self.addCleanup(sock.close)
        return sock


# ---------------------------------------------------------------- student agent

class FakeConsole:
    """The console's listening socket; each accepted connection is a Link the test drives."""

    def __init__(self, test):
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(16)
        self.listener.settimeout(TIMEOUT)
        self.port = self.listener.getsockname()[1]
        test.addCleanup(self.listener.close)
        self.test = test

    def accept(self):
        sock, _ = self.listener.accept()
        sock.settimeout(TIMEOUT)
        self.test.addCleanup(sock.close)
        return Link(sock)


class Link:
    def __init__(self, sock):
        self.sock = sock

    def send(self, *texts):
        for text in texts:
            wire.send_text(self.sock, text)

    def read(self, skip=("[PC00003]",)):
        """The next packet, leaving out keep-alives (answered as the console does)."""
        while True:
            packet = wire.read_packet(self.sock)
            if isinstance(packet, wire.Text) and packet.text[:9] in skip:
                wire.send_text(self.sock, "[KW10002]")
                continue
            return packet

    def read_text(self):
        packet = self.read()
        assert isinstance(packet, wire.Text), packet
        return packet.text

    def read_until(self, packet_type):
        while True:
            packet = self.read()
            if packet.type == packet_type:
                return packet

    def offer(self, seats="1,2,3"):
        """The accept side: version and free seats; returns the three texts of the hello."""
        self.send("[KW00094]2.0.1.1047", f"[KW00007]{seats}")
        return [self.read_text() for _ in range(3)]

    def greet(self, connection_id=10001, size=(200, 150), digest=None):
        self.send(f"[KW00001]{connection_id},{size[0]},{size[1]},1000,70,"
                  f"{digest or sa.greeting_digest()}", "[KW00094]2.0.1.1047")


class StudentAgentTest(unittest.TestCase):
    def setUp(self):
        self.console = FakeConsole(self)

    def agent(self, **options):
        options.setdefault("keepalive_interval", None)
        agent = sa.StudentAgent("127.0.0.1", self.console.port, **options).start()
        self.addCleanup(agent.stop)
        return agent, self.console.accept()

    def admitted(self, **options):
        agent, link = self.agent(**options)
        link.offer()
        link.greet()
        agent.wait_admitted(TIMEOUT)
        return agent, link

    def test_admission_exchange(self):
        agent, link = self.agent(seat=2, region=(1, 2, 3, 4), region_on=True)
        self.assertEqual(link.offer("2,5"), ["[PC00017]2.0.1.1047",
                                             "[PC00029]1,Reserved,Reserved,Reserved",
                                             "[PC00002]2,Student2,1,2,3,4,true,0"])
        link.greet(10007, (160, 120))
        greeting = agent.wait_admitted(TIMEOUT)
        self.assertEqual(greeting, sa.Greeting(10007, 160, 120, 1000, 70, sa.greeting_digest()))
        self.assertEqual(link.read_text(), "[PC00004]1024,768")
        self.assertEqual(link.read(), wire.ScreenFormat(1024, 768, 32))
        wire.send_packet(link.sock, wire.ValuePair(7, 0))
        link.send("[KW00050]true", "[KW00051]false")
        agent.wait_text("[KW00051]")
        self.assertEqual(agent.free_seats, [2, 5])
        self.assertEqual(agent.console_version, "2.0.1.1047")
        self.assertEqual(agent.commands, ["[KW00094]2.0.1.1047", "[KW00050]true", "[KW00051]false"])
        greeting_text = "[KW00001]10007,160,120,1000,70," + sa.greeting_digest()
        self.assertEqual(agent.texts[:3], ["[KW00094]2.0.1.1047", "[KW00007]2,5", greeting_text])
        self.assertEqual(agent.value_pairs, [(7, 0)])
        self.assertEqual(len(sa.GREETING_PHRASE.encode("utf-16-le")), 26)

    def test_pad_takes_first_free_seat(self):
        agent, link = self.agent(edition="pad", name="a,b")
        self.assertEqual(link.offer("4,6"), ["[PC00017]2.0.1.1047",
                                             "[PC00129]2,Reserved,Reserved,Reserved",
                                             "[PC00002]4,a b,0,0,0,0,false,0"])

    def test_refusals_and_bad_greetings_end_the_agent(self):
        for code, reply in ((2, "[KW10000]2,taken"), (3, "[KW10000]3,beyond")):
            with self.subTest(code=code):
                agent, link = self.agent(seat=9)
                link.offer()
                link.send(reply)
                with self.assertRaises(sa.AdmissionRefused) as refused:
                    agent.wait_admitted(TIMEOUT)
                self.assertEqual((refused.exception.code, refused.exception.text),
                                 (code, reply.split(",", 1)[1]))
                self.assertEqual(read_until_closed(link.sock), [])
        for greeting in ("[KW00001]10001,200,150,1000,70," + "0" * 32, "[KW00001]10001,200"):
            with self.subTest(greeting=greeting):
                agent, link = self.agent()
                link.offer()
                link.send(greeting)
                with self.assertRaises(sa.AdmissionFailed):
                    agent.wait_admitted(TIMEOUT)
                self.assertFalse(agent.closed_by_console)
        agent, link = self.agent(hello_text="[PC00002]1,x")
        self.assertEqual(link.offer()[2], "[PC00002]1,x")
        link.sock.close()
        with self.assertRaises(sa.AdmissionFailed):
            agent.wait_admitted(TIMEOUT)
        self.assertTrue(agent.closed_by_console)

    def test_keepalive_period_and_answers(self):
        agent, link = self.admitted(keepalive_interval=0.2)
        link.read_until(wire.ScreenFormat.TYPE)
        stamps = []
        for _ in range(3):
            self.assertEqual(wire.read_text(link.sock), "[PC00003]")
            stamps.append(time.monotonic())
            link.send("[KW10002]")
        gaps = [b - a for a, b in zip(stamps, stamps[1:])]
        self.assertTrue(all(0.15 < gap < 1.0 for gap in gaps), gaps)
        agent.wait_keepalive_answers(3, TIMEOUT)
        agent.go_silent()
        link.send("[KW00050]true")
        agent.wait_text("[KW00050]")
        assert_silent(self, link.sock, 0.5)

    def test_thumbnails_follow_the_thumbnail_size(self):
        from PIL import Image as PilImage
        agent, link = self.admitted(thumbnail_interval=0.05, colour=(255, 0, 0))
        first = link.read_until(wire.Image.TYPE)
        self.assertEqual(first.rect, (0, 0, 200, 150))
        picture = PilImage.open(io.BytesIO(first.image))
        self.assertEqual((picture.format, picture.size), ("JPEG", (200, 150)))
        red, green, blue = picture.convert("RGB").getpixel((100, 75))
        self.assertTrue(red > 240 and green < 20 and blue < 20)
        link.send("[KW00003]120,90")
        agent.wait_text("[KW00003]")
        while True:
            image = link.read_until(wire.Image.TYPE)
            if image.rect == (0, 0, 120, 90):
                break
        self.assertGreater(image.sequence, first.sequence)

    def test_answers_to_console_packets(self):
        agent, link = self.admitted()
        link.read_until(wire.ScreenFormat.TYPE)
        wire.send_packet(link.sock, wire.TileBlock(10, 41, b"\x78\x9c"))
        self.assertEqual(link.read_text(), "[PC00025]41")
        link.send("[KW00029]on")
        self.assertEqual(link.read_text(), "[PC00013]success")
        link.send("[KW00030]default", "[KW00013]1")
        data = bytes(range(256)) * 1201            # 307456 bytes: pieces 0, 1 and the empty 2
        for index in range(3):
            chunk = data[index * sa.PIECE_SIZE:(index + 1) * sa.PIECE_SIZE]
            wire.send_packet(link.sock, wire.FilePiece(2, 2, index, "notes.bin", chunk))
            self.assertEqual(link.read_text(), "[PC00010]")
        self.assertEqual(agent.wait_file("notes.bin", TIMEOUT), data)
        wire.send_packet(link.sock, wire.FilePiece(2, 0, 0, "empty.txt", b""))
        self.assertEqual(link.read_text(), "[PC00010]")
        self.assertEqual(agent.wait_file("empty.txt", TIMEOUT), b"")
        self.assertEqual((agent.file_folder, agent.file_overwrite), ("default", "1"))
        link.send("[KW10001]KW_END")
        agent.wait_closed(TIMEOUT)
        self.assertTrue(agent.closed_by_console)
        self.assertEqual(agent.commands[-1], "[KW10001]KW_END")

    def test_upload_chat_buzzer_and_orderly_end(self):
        agent, link = self.admitted(name="Kim")
        link.read_until(wire.ScreenFormat.TYPE)
        data = b"x" * (sa.PIECE_SIZE + 5)
        acks = []

        def console_side():
            for index in range(3):
                piece = link.read()
                acks.append((piece.kind, piece.piece_count, piece.piece_number, piece.name,
                             len(piece.data)))
                link.send(f"[KW00105]{1 if index < 2 else 0}")

        worker = threading.Thread(target=console_side)
        worker.start()
        self.assertEqual(agent.upload_file("보고서.txt", data, TIMEOUT), [1, 1, 0])
        worker.join(TIMEOUT)
        self.assertEqual(acks, [(3, 2, 0, "보고서.txt", sa.PIECE_SIZE), (3, 2, 1, "보고서.txt", 5),
                                (3, 2, 2, "보고서.txt", 0)])
        agent.chat("hello, teacher")
        agent.press_buzzer()
        agent.answer_quiz("O")
        agent.send_pad_state("lockon")
        agent.send_permissions(write=True, overlay=False)
        self.assertEqual([link.read_text() for _ in range(5)], [
            "[PC00015]hello&comma; teacher,Kim", "[PC00400]", "[PC00401]O",
            "[PC00039]com.example.reader,lockon,0,0",
            '[PC00172]{"type": "android_permission", "version": "1", '
            '"permissions": {"write": "on", "overlay": "off"}}'])
        ender = threading.Thread(target=agent.end)
        ender.start()
        self.assertEqual(read_until_closed(link.sock), ["[PC00031]"])  # the agent's side ended
        link.sock.close()
        ender.join(TIMEOUT)
        self.assertTrue(agent.closed)
        self.assertFalse(agent.closed_by_console)

    def test_drop_resets_the_connection(self):
        agent, link = self.admitted()
        link.read_until(wire.ScreenFormat.TYPE)
        agent.drop()
        with self.assertRaises((ConnectionResetError, wire.PeerClosed)):
            link.read()
        self.assertTrue(agent.closed)

    def test_remote_session_frames(self):
        agent, link = self.admitted(screen=(1024, 768), frame_interval=0.01)
        link.read_until(wire.ScreenFormat.TYPE)
        link.send("[KW00004]1,512,384")
        self.assertEqual(link.read_text(), "[PC00004]1024,768")
        frames = [link.read_until(wire.TileBlock.TYPE) for _ in range(2)]
        self.assertEqual([f.sequence for f in frames], [1, 2])
        payload = zlib.decompress(frames[0].data)
        self.assertEqual(len(payload), frames[0].raw_size)
        total, count = struct.unpack_from("<Ii", payload)
        self.assertEqual((total, count), (32, 32))          # tiles 128 x 192 of 1024 x 768
        indices = struct.unpack_from("<32i", payload, 8)
        (length,) = struct.unpack_from("<i", payload, 8 + 128)
        self.assertEqual(indices, tuple(range(32)))
        from PIL import Image as PilImage
        strip = PilImage.open(io.BytesIO(payload[8 + 128 + 4:]))
        self.assertEqual((strip.size, length), ((32 * 128, 192), len(payload) - 140))
        assert_silent(self, link.sock, 0.1)                 # two frames ahead at most
        link.send("[KW00079]2")
        self.assertEqual(link.read_until(wire.TileBlock.TYPE).sequence, 3)
        link.send("[KW00003]200,150")
        agent.wait_text("[KW00003]")
        self.assertIsNone(agent.remote_mode)

    def test_pad_remote_frames_are_images(self):
        agent, link = self.admitted(edition="pad", screen=(800, 1280), frame_interval=0.01)
        link.read_until(wire.ScreenFormat.TYPE)
        link.send("[KW00004]3,1024,768")
        self.assertEqual(link.read_text(), "[PC00004]800,1280")
        frame = link.read_until(wire.Image.TYPE)
        self.assertEqual((frame.sequence, frame.rect), (1, (0, 0, 800, 1280)))

    def test_class_admits_distinct_seats(self):
        seen = {}

        def console_side():
            for _ in range(5):
                link = self.console.accept()
                hello = link.offer("1,2,3,4,5")[2]
                seat = int(hello[9:].split(",")[0])
                seen[seat] = hello
                link.greet(10000 + seat)

        worker = threading.Thread(target=console_side)
        worker.start()
        room = sa.Class("127.0.0.1", self.console.port, 5, keepalive_interval=None)
        room.start()
        self.addCleanup(room.stop)
        greetings = room.wait_admitted(TIMEOUT)
        worker.join(TIMEOUT)
        self.assertEqual(sorted(g.connection_id for g in greetings), list(range(10001, 10006)))
        self.assertEqual(sorted(seen), [1, 2, 3, 4, 5])
        self.assertEqual(seen[3], "[PC00002]3,Student3,0,0,0,0,false,0")
        self.assertEqual(len({agent.colour for agent in room}), 5)

    def test_command_line_ends_in_order(self):
        process = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "student_agent.py"),
             "--port", str(self.console.port), "--count", "2", "--thumbnail-interval", "0",
             "--keepalive-interval", "60", "--quiet"],
            stdout=subprocess.PIPE, text=True)
        self.addCleanup(process.stdout.close)
        self.addCleanup(process.wait, TIMEOUT)
        self.addCleanup(process.kill)
        links = []
        for _ in range(2):
            link = self.console.accept()
            link.offer()
            link.greet()
            links.append(link)
        # Each agent reports its connection and its admission; under load the two agents' lines
        # interleave in any order, so read until both admissions are there (or the output ends).
        lines = []
        while sum("admitted into seat" in line for line in lines) < 2 and len(lines) < 8:
            line = process.stdout.readline()
            if not line:
                break
            lines.append(line)
        self.assertEqual(sum("admitted into seat" in line for line in lines), 2, lines)
        process.terminate()
        for link in links:
            self.assertEqual(read_until_closed(link.sock)[-1:], ["[PC00031]"])
            link.sock.close()


if __name__ == "__main__":
    unittest.main()
