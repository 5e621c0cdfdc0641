"""A simulated student who chats with the teacher and whose pad reports events, for the tests of
the one-to-one chat and of the pad event log.

    student = ChatStudent("127.0.0.1", port, seat=4, name="Mina").start()
    student.wait_admitted()
    student.chat("hello, teacher")           # "[PC00015]hello&comma; teacher,Mina"
    student.wait_teacher_line("see you")     # the teacher's "[KW00072]<text>,5000", unescaped
    student.send_app_event("com.game", "Game")
    student.drop()                           # an abnormal end: the connection is reset

The teacher's lines keep what the console made of their commas: "&comma;" for agents from version
"2.0.1.1046" on (turned back into "," here), a blank for older ones (``version=...``).
"""

from peer_common import DEFAULT_TIMEOUT
from student_agent import StudentAgent

CHAT_TAG = "[KW00072]"
CHAT_SUFFIX = ",5000"


def teacher_line(text):
    """The teacher's line of a "[KW00072]" text, or None for any other text."""
    if not text.startswith(CHAT_TAG) or not text.endswith(CHAT_SUFFIX):
        return None
    return text[len(CHAT_TAG):-len(CHAT_SUFFIX)]


class ChatStudent(StudentAgent):
    @property
    def raw_teacher_lines(self):
        """The teacher's lines as they arrived, "&comma;" included."""
        return [line for line in map(teacher_line, self.texts) if line is not None]

    @property
    def teacher_lines(self):
        return [line.replace("&comma;", ",") for line in self.raw_teacher_lines]

    def wait_teacher_line(self, text, timeout=DEFAULT_TIMEOUT):
        """Waits for a line of the teacher equal to text (commas unescaped) and returns it."""
        self.journal.wait_until(lambda: text in self.teacher_lines, timeout,
                                what=f"the teacher's line {text!r} at {self.label}")
        return text
