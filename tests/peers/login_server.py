"""A simulated "Lumora Login Server" for the console's tests and for running the console by hand.

The console connects over TCP and the two sides exchange type-1 text packets (lumora_wire):

    server  "[UR00001]0,"                         greeting: result 0 = the console may log in
    console "[UT00001]3,<tag>,<teacher id>,<site>,<address>,<student port>,2.0.1.1047"
    server  "[UR00002]1,0,<seats>,0,0"            accepted; the third field is the seat count
    console "[UT00002]<slots>" every 60 s         server "[UR00000]" (alive)
    console "[KW10001]KW_END"                     end of session (the server closes)

Other answers: a refusal "[UR00001]<code>,<message>"; "[UR00020]1,<id>,<address>,0" when the ID is
logged in elsewhere, to which the console answers "[KW10003]..." (take over: the server greets it
again with "[UR00001]0," and the old session gets "[UR00021]1,<new address>,0") or
"[KW10001]KW_END" (give up).

Library use (one thread accepts, one thread per connection)::

    server = LoginServer(seats=30).start()          # 127.0.0.1, any free port
    ... start the console with rsip=127.0.0.1, rsport=server.port ...
    login = server.wait_login_request()             # a Request: login["teacher_id"], login.fields
    server.wait_request("[UT00002]")                 # a keep-alive
    server.log_out_elsewhere("10.0.0.9")            # "[UR00021]1,10.0.0.9,0" to the newest session
    server.drop_connections()                       # the console sees its session lost
    server.stop()

Scripting. Every connection is greeted with the next entry of ``greetings`` and every login
request answered with the next entry of ``login_answers`` (each list is consumed across all
connections in order, its last entry repeating). Entries:

    Greet()                      "[UR00001]0,"
    Accept(seats=None)           "[UR00002]1,0,<seats>,0,0" (seats default: the server's)
    Refuse(code, message)        "[UR00001]<code>,<message>" (with extra=(t1..t4): 6 fields)
    Duplicate(address)           "[UR00020]1,<teacher id>,<address>,0"
    Raw(text, ...)               the texts verbatim (malformed answers: wrong counts, short texts)
    Silence()                    no answer
    Close()                      the connection is closed instead of answered

    LoginServer(login_answers=[Duplicate("10.1.2.3"), Accept()])      duplicate once, then accept
    LoginServer(greetings=[Greet(), Refuse(3, "...")])                a reconnect refused with 3

Further options: ``silent`` (nothing is ever sent), ``answer_keepalive`` (default True),
``alive_interval`` (seconds between unasked "[UR00000]", default none), ``close_after`` (close a
connection once it has sent that many packets, after answering the last), ``take_over_answers``
(answers to "[KW10003]", default [Greet()]), ``detect_duplicates`` (default True: a login with an
ID that an open session holds is answered Duplicate(that session's address)).

Everything received is recorded as a ``Request`` (connection number, text, tag, comma fields and,
for the known tags, named values) in ``server.requests``; everything sent in ``server.answers``.

Command line (runs until killed, one line per event on stdout; the first line names the port):

    python3 tests/peers/login_server.py --port 0 --seats 30 [--refuse CODE --message TEXT]
        [--duplicate ADDRESS] [--silent] [--no-keepalive-answer] [--alive-interval S]
        [--close-after N]
"""

import argparse
import os
import signal
import socket
import sys
import threading
import time
from dataclasses import dataclass, field
from typing import Callable, Dict, List, Optional

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import lumora_wire as wire  # noqa: E402
from peer_common import DEFAULT_TIMEOUT, Journal, split_command, split_fields  # noqa: E402

LOGIN_REQUEST = "[UT00001]"
KEEP_ALIVE = "[UT00002]"
TAKE_OVER = "[KW10003]"
SESSION_END = "[KW10001]"

# Names of the fields of the requests the console sends, in wire order.
REQUEST_FIELDS = {
    LOGIN_REQUEST: ("kind", "session_tag", "teacher_id", "site", "address", "student_port",
                    "version"),
    KEEP_ALIVE: ("slots",),
    TAKE_OVER: ("zero", "teacher_id", "site", "zero_a", "zero_b", "address", "student_port",
                "address_again", "student_port_again"),
    SESSION_END: ("word",),
}


# ---------------------------------------------------------------- scripted answers

class Answer:
    """One scripted reaction: texts to send, then maybe a close."""
    close = False

    def texts(self, server, connection):
        return []


@dataclass
class Greet(Answer):
    message: str = ""

    def texts(self, server, connection):
        return [f"[UR00001]0,{self.message}"]


@dataclass
class Refuse(Answer):
    code: int = 1
    message: str = ""
    extra: Optional[tuple] = None       # t1..t4: makes it the 6-field form

    def texts(self, server, connection):
        fields = [str(self.code), self.message] + [str(v) for v in (self.extra or ())]
        return ["[UR00001]" + ",".join(fields)]


@dataclass
class Accept(Answer):
    seats: Optional[int] = None
    fields: tuple = ("1", "0", "0", "0")  # the four fields without effect around the seats

    def texts(self, server, connection):
        seats = server.seats if self.seats is None else self.seats
        a, b, c, d = self.fields
        return [f"[UR00002]{a},{b},{seats},{c},{d}"]


@dataclass
class Duplicate(Answer):
    address: str = "192.168.0.200"
    kind: int = 1
    teacher_id: Optional[str] = None     # default: the ID of the request

    def texts(self, server, connection):
        teacher = self.teacher_id if self.teacher_id is not None else connection.teacher_id
        return [f"[UR00020]{self.kind},{teacher},{self.address},0"]


class Raw(Answer):
    def __init__(self, *texts):
        self.raw = list(texts)

    def texts(self, server, connection):
        return list(self.raw)

    def __repr__(self):
        return f"Raw{tuple(self.raw)!r}"


class Silence(Answer):
    def __repr__(self):
        return "Silence()"


class Close(Answer):
    close = True

    def __repr__(self):
        return "Close()"


class _Script:
    """A list of answers consumed in order; the last one repeats."""

    def __init__(self, answers):
        self._answers = list(answers) or [Silence()]
        self._next = 0
        self._lock = threading.Lock()

    def take(self):
        with self._lock:
            answer = self._answers[min(self._next, len(self._answers) - 1)]
            self._next += 1
            return answer


# ---------------------------------------------------------------- records

@dataclass
class Request:
    """One packet the server received. tag is "" for a text shorter than nine characters and for
    a packet that is not a text; values names the fields of a known tag with the right count."""
    connection: int
    text: str
    tag: str
    args: str
    fields: List[str]
    values: Dict[str, str]
    packet: Optional[wire.Packet]
    time: float = field(default_factory=time.monotonic)

    def __getitem__(self, name):
        return self.values[name]

    @property
    def well_formed(self):
        return bool(self.values)


@dataclass
class SentAnswer:
    connection: int
    text: str
    time: float = field(default_factory=time.monotonic)


def parse_request(connection, packet):
    if not isinstance(packet, wire.Text):
        return Request(connection, "", "", "", [], {}, packet)
    tag, args = split_command(packet.text)
    fields = split_fields(args)
    names = REQUEST_FIELDS.get(tag, ())
    values = dict(zip(names, fields)) if names and len(names) == len(fields) else {}
    return Request(connection, packet.text, tag, args, fields, values, packet)


# ---------------------------------------------------------------- connections

class Connection:
    """One console session on the server."""

    def __init__(self, number, sock, peer):
        self.number = number
        self.sock = sock
        self.peer = peer                  # (host, port) of the console's end
        self.teacher_id = ""
        self.address = peer[0]            # the address the console announced, else its peer address
        self.logged_in = False
        self.received = 0
        self.open = True
        self._send_lock = threading.Lock()

    def send(self, text):
        with self._send_lock:
            wire.send_text(self.sock, text)

    def close(self):
        self.open = False
        for action in (lambda: self.sock.shutdown(socket.SHUT_RDWR), self.sock.close):
            try:
                action()
            except OSError:
                pass


class LoginServer:
    def __init__(self, host="127.0.0.1", port=0, seats=30, greetings=None, login_answers=None,
                 take_over_answers=None, silent=False, answer_keepalive=True,
                 alive_interval=None, close_after=None, close_on_end=True,
                 detect_duplicates=True, on_event: Optional[Callable[[str], None]] = None):
        self.host = host
        self.requested_port = port
        self.seats = seats
        self.silent = silent
        self.answer_keepalive = answer_keepalive
        self.alive_interval = alive_interval
        self.close_after = close_after
        self.close_on_end = close_on_end
        self.detect_duplicates = detect_duplicates
        self.on_event = on_event
        self._greetings = _Script(greetings or [Greet()])
        self._login_answers = _Script(login_answers or [Accept()])
        self._take_over_answers = _Script(take_over_answers or [Greet()])
        self.journal = Journal()          # Request, SentAnswer and connection events, in order
        self.connections: List[Connection] = []
        self._listener = None
        self._threads = []
        self._stopping = threading.Event()

    # ------------------------------------------------------------ life

    def start(self):
        self._listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self._listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self._listener.bind((self.host, self.requested_port))
        self._listener.listen(8)
        self._spawn(self._accept_loop, "login-accept")
        if self.alive_interval:
            self._spawn(self._alive_loop, "login-alive")
        self._event(f"listening on {self.host}:{self.port}")
        return self

    def stop(self):
        self._stopping.set()
        if self._listener is not None:
            for action in (lambda: self._listener.shutdown(socket.SHUT_RDWR), self._listener.close):
                try:
                    action()          # the shutdown wakes the accepting thread
                except OSError:
                    pass
        for connection in list(self.connections):
            connection.close()
        for thread in self._threads:
            thread.join(5)

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    @property
    def port(self):
        return self._listener.getsockname()[1]

    # ------------------------------------------------------------ records and waits

    @property
    def requests(self) -> List[Request]:
        return [item for item in self.journal.items() if isinstance(item, Request)]

    @property
    def answers(self) -> List[SentAnswer]:
        return [item for item in self.journal.items() if isinstance(item, SentAnswer)]

    def wait_request(self, tag, timeout=DEFAULT_TIMEOUT, count=1, connection=None) -> Request:
        """The count-th request with this tag (on that connection number when given)."""
        seen = []

        def match(item):
            if (isinstance(item, Request) and item.tag == tag
                    and (connection is None or item.connection == connection)):
                seen.append(item)
            return len(seen) >= count

        self.journal.wait(match, timeout, what=f"{tag} request #{count}")
        return seen[count - 1]

    def wait_login_request(self, timeout=DEFAULT_TIMEOUT, count=1) -> Request:
        return self.wait_request(LOGIN_REQUEST, timeout, count)

    def wait_keepalive(self, timeout=DEFAULT_TIMEOUT, count=1) -> Request:
        return self.wait_request(KEEP_ALIVE, timeout, count)

    def wait_session_end(self, timeout=DEFAULT_TIMEOUT, count=1) -> Request:
        return self.wait_request(SESSION_END, timeout, count)

    def wait_answer(self, prefix, timeout=DEFAULT_TIMEOUT) -> SentAnswer:
        return self.journal.wait(
            lambda item: isinstance(item, SentAnswer) and item.text.startswith(prefix),
            timeout, what=f"answer {prefix}")

    def wait_connections(self, count=1, timeout=DEFAULT_TIMEOUT) -> Connection:
        """Waits until count connections were accepted in all; returns the count-th."""
        self.journal.wait_until(lambda: len(self.connections) >= count, timeout,
                                what=f"{count} connection(s)")
        return self.connections[count - 1]

    def wait_closed(self, number, timeout=DEFAULT_TIMEOUT):
        """Waits until connection number (1-based) is closed, by either side."""
        self.wait_connections(number, timeout)
        self.journal.wait_until(lambda: not self.connections[number - 1].open, timeout,
                                what=f"close of connection {number}")

    # ------------------------------------------------------------ pushes

    def send(self, text, connection=None):
        """Sends a text on the given connection (number or object), default the newest open one."""
        target = self._connection(connection)
        self._send(target, text)
        return target

    def log_out_elsewhere(self, address="192.168.0.201", kind=1, connection=None):
        """"[UR00021]<kind>,<address>,0": the session was taken over by a login from address."""
        return self.send(f"[UR00021]{kind},{address},0", connection)

    def drop_connections(self):
        """Closes every open session, as a server that went away."""
        for connection in list(self.connections):
            if connection.open:
                self._close(connection, "dropped")

    def _connection(self, connection):
        if isinstance(connection, Connection):
            return connection
        if connection is not None:
            return self.connections[connection - 1]
        for candidate in reversed(self.connections):
            if candidate.open:
                return candidate
        raise RuntimeError("no open connection")

    # ------------------------------------------------------------ threads

    def _spawn(self, target, name, *args):
        thread = threading.Thread(target=target, args=args, name=name, daemon=True)
        self._threads.append(thread)
        thread.start()

    def _accept_loop(self):
        while not self._stopping.is_set():
            try:
                sock, peer = self._listener.accept()
            except OSError:
                return
            sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            connection = Connection(len(self.connections) + 1, sock, peer)
            self.connections.append(connection)
            self.journal.changed()
            self._event(f"connection {connection.number} from {peer[0]}:{peer[1]}")
            self._spawn(self._serve, f"login-{connection.number}", connection)

    def _alive_loop(self):
        while not self._stopping.wait(self.alive_interval):
            for connection in list(self.connections):
                if connection.open and connection.logged_in:
                    self._send(connection, "[UR00000]")

    def _serve(self, connection):
        self._answer(connection, self._greetings.take())
        while connection.open and not self._stopping.is_set():
            try:
                packet = wire.read_packet(connection.sock)
            except wire.PeerClosed:
                self._close(connection, "closed by the console")
                return
            except (OSError, wire.WireError) as error:
                self._close(connection, f"closed: {error}")
                return
            connection.received += 1
            request = parse_request(connection.number, packet)
            self.journal.append(request)
            self._event(f"request {connection.number} " + (
                request.text if isinstance(packet, wire.Text) else f"packet type {packet.type}"))
            self._react(connection, request)
            if self.close_after is not None and connection.received >= self.close_after:
                self._close(connection, f"closed after {connection.received} packet(s)")
                return

    def _react(self, connection, request):
        if request.tag == LOGIN_REQUEST:
            if request.values:
                connection.teacher_id = request["teacher_id"]
                connection.address = request["address"]
            answer = self._login_answers.take()
            holder = self._holder_of(connection)
            if isinstance(answer, Accept) and holder is not None:
                answer = Duplicate(holder.address)
            connection.logged_in = isinstance(answer, Accept)
            self._answer(connection, answer)
        elif request.tag == KEEP_ALIVE:
            if self.answer_keepalive:
                self._answer(connection, Raw("[UR00000]"))
        elif request.tag == TAKE_OVER:
            for other in self.connections:
                if (other is not connection and other.open and other.logged_in
                        and other.teacher_id == connection.teacher_id):
                    other.logged_in = False
                    self._send(other, f"[UR00021]1,{connection.address},0")
            self._answer(connection, self._take_over_answers.take())
        elif request.tag == SESSION_END:
            connection.logged_in = False
            if self.close_on_end:
                self._close(connection, "session ended")

    def _holder_of(self, connection):
        """Another open session logged in with the same teacher ID, when duplicates are detected."""
        if not self.detect_duplicates:
            return None
        for other in self.connections:
            if (other is not connection and other.open and other.logged_in
                    and other.teacher_id == connection.teacher_id):
                return other
        return None

    def _answer(self, connection, answer):
        if self.silent:
            return
        for text in answer.texts(self, connection):
            self._send(connection, text)
        if answer.close:
            self._close(connection, "closed by script")

    def _send(self, connection, text):
        if not connection.open:
            return
        try:
            connection.send(text)
        except OSError as error:
            self._close(connection, f"send failed: {error}")
            return
        self.journal.append(SentAnswer(connection.number, text))
        self._event(f"answer {connection.number} {text}")

    def _close(self, connection, why):
        if not connection.open:
            return
        connection.close()
        self.journal.changed()
        self._event(f"connection {connection.number} {why}")

    def _event(self, line):
        if self.on_event is not None:
            self.on_event(line)


# ---------------------------------------------------------------- command line

def main(argv=None):
    parser = argparse.ArgumentParser(description="Simulated Lumora Login Server")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0, help="0 = any free port")
    parser.add_argument("--seats", type=int, default=30)
    parser.add_argument("--refuse", type=int, metavar="CODE", help="refuse every login with CODE")
    parser.add_argument("--message", default="", help="the refusal's message")
    parser.add_argument("--duplicate", metavar="ADDRESS",
                        help="answer the first login as in use at ADDRESS")
    parser.add_argument("--silent", action="store_true", help="never answer anything")
    parser.add_argument("--no-keepalive-answer", action="store_true")
    parser.add_argument("--alive-interval", type=float, help="seconds between unasked [UR00000]")
    parser.add_argument("--close-after", type=int, metavar="N")
    options = parser.parse_args(argv)

    if options.refuse is not None:
        login_answers = [Refuse(options.refuse, options.message)]
    elif options.duplicate:
        login_answers = [Duplicate(options.duplicate), Accept()]
    else:
        login_answers = [Accept()]

    def show(line):
        print(time.strftime("%H:%M:%S ") + line, flush=True)

    server = LoginServer(options.host, options.port, options.seats, login_answers=login_answers,
                         silent=options.silent,
                         answer_keepalive=not options.no_keepalive_answer,
                         alive_interval=options.alive_interval, close_after=options.close_after,
                         on_event=show)
    stop = threading.Event()
    for signum in (signal.SIGINT, signal.SIGTERM):
        signal.signal(signum, lambda *_: stop.set())
    server.start()
    try:
        while not stop.wait(1):
            pass
    finally:
        server.stop()
        show("stopped")
    return 0


if __name__ == "__main__":
    sys.exit(main())
