"""What the simulated login server and student agent share: splitting a command text into its
nine-character tag and comma fields the way the console does, the console's version, and a
thread-safe journal of what a peer saw that a test can wait on."""

import threading
import time

CONSOLE_VERSION = "2.0.1.1047"
TAG_LENGTH = 9
DEFAULT_TIMEOUT = 10.0


def split_command(text):
    """(tag, argument text); a text shorter than a tag has the tag "" (receivers ignore it)."""
    if len(text) < TAG_LENGTH:
        return "", text
    return text[:TAG_LENGTH], text[TAG_LENGTH:]


def split_fields(args):
    """Comma fields as the console splits them: an empty text has none, a trailing comma makes
    an empty last field, double quotes vanish."""
    args = args.replace('"', "")
    return args.split(",") if args else []


class Journal:
    """An append-only list guarded by a condition. Readers wait for an entry that matches, or for
    any state of the owner to become true; writers append or call changed().

    A journal with a limit keeps only about the last limit entries (a peer that runs for hours
    must not hold everything it ever received); waits from an index are for unlimited ones."""

    def __init__(self, limit=None):
        self._items = []
        self._limit = limit
        self._condition = threading.Condition()

    def append(self, item):
        with self._condition:
            self._items.append(item)
            if self._limit and len(self._items) > 2 * self._limit:
                del self._items[:-self._limit]
            self._condition.notify_all()
        return item

    def changed(self):
        with self._condition:
            self._condition.notify_all()

    def items(self):
        with self._condition:
            return list(self._items)

    def __len__(self):
        with self._condition:
            return len(self._items)

    def wait(self, match, timeout=DEFAULT_TIMEOUT, start=0, what="entry"):
        """The first entry at index >= start for which match(entry) is true."""
        deadline = time.monotonic() + timeout
        with self._condition:
            index = start
            while True:
                while index < len(self._items):
                    if match(self._items[index]):
                        return self._items[index]
                    index += 1
                remaining = deadline - time.monotonic()
                if remaining <= 0:
                    raise TimeoutError(f"no {what} within {timeout} s")
                self._condition.wait(remaining)

    def wait_until(self, predicate, timeout=DEFAULT_TIMEOUT, what="condition"):
        """Waits until predicate() (called under the journal's lock) is true; returns its value."""
        with self._condition:
            value = self._condition.wait_for(predicate, timeout)
        if not value:
            raise TimeoutError(f"{what} not reached within {timeout} s")
        return value


def seconds_to_answer(peer, text, answer_tag, timeout=30, what="the answer"):
    """Sends text from peer and answers how long the console took to send one more text starting
    with answer_tag (a keep-alive answered while the console is busy, for instance)."""
    def answers():
        return sum(1 for t in peer.texts if t.startswith(answer_tag))
    before = answers()
    start = time.monotonic()
    peer.send_text(text)
    peer.journal.wait_until(lambda: answers() > before, timeout, what=what)
    return time.monotonic() - start
