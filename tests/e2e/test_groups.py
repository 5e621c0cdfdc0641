"""Groups of students, under Wine, as a teacher makes and uses them: a group is made through its
dialog (a taken name refused first), stored in groupinfo.ini, and still there as a tab after the
console is started again; a program run, a process ended and a restart on it reach only the
group's connected members, the first two with the token of the student's name, while a path with a
comma is refused."""

import hashlib
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from console_case import ConsoleCase  # noqa: E402
from harness import wait_until  # noqa: E402
from login_server import LoginServer  # noqa: E402
from test_login import BOX_TITLE, DIALOG_CLASS, FRAME_CLASS, OK_ID, read_ini  # noqa: E402

CREATE_GROUP, RUN_ON_GROUP, TAB_STRIP = 151, 153, 154
GROUP_NAME, GROUP_LIST, GROUP_OK = 1107, 1108, 1013
RUN_PATH, RUN_OPTIONS, RUN, PROCESS, END_PROCESS, RESTART, CLOSE = 1132, 1112, 1113, 1114, 1023, 1021, 1134
YES_ID = 1246
RESTART_TITLE = "\uadf8\ub8f9 \uc7ac\uc2dc\uc791 \ud655\uc778"           # "그룹 재시작 확인"
CREATE_TITLE = "\uadf8\ub8f9\uc0dd\uc131"                              # "그룹생성"
EXECUTE_TITLE = "\uadf8\ub8f9 \uc2e4\ud589 (Windows \uc804\uc6a9)"       # "그룹 실행 (Windows 전용)"
DEFAULT_GROUP = "\uc804\uccb4 \ud559\uc0dd"                             # "전체 학생"
ROW_HEIGHT = 24
SEATS = 10


def token(name):
    return hashlib.md5(name.encode("utf-16-le")).hexdigest()


def write_names(path, names):
    """config.ini with the seats' names, UTF-16LE as the console keeps it."""
    lines = ["[PCNAME-]"] + [f"{seat}={name}" for seat, name in names.items()]
    path.write_bytes(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))


class GroupsTest(ConsoleCase):
    """Seats 2 and 3 make the group "Science"; seat 3 stays offline, seat 4 is outside."""

    SEATS = SEATS

    @classmethod
    def prepare_folder(cls):
        write_names(cls.folder.path / "config.ini", {2: "kim", 3: "lee", 4: "park"})

    @classmethod
    def restart_console(cls):
        """The console ended and started again on the same folder, and the teacher in again."""
        for stop in [student.stop for student in cls.students] + [cls.program.stop, cls.server.stop]:
            stop()
        cls.students = []
        wait_until(lambda: not cls.driver.windows(cls=FRAME_CLASS), timeout=90,
                   message="the console window stayed")
        cls.server = LoginServer(seats=cls.SEATS).start()
        cls.start_console()

    def dialog(self, title):
        return self.driver.wait_window(cls=DIALOG_CLASS, title=title, exact=True, pid=self.pid, timeout=30)

    def dismiss_box(self):
        box = self.dialog(BOX_TITLE)
        self.driver.click(self.driver.find_child(box, id=OK_ID, timeout=10))
        self.driver.wait_gone(box, timeout=20)

    def served_since(self, student, mark, text):
        """Whether the student received text after journal index mark, once everything the
        console posted to it before now has gone out (its keep-alive answer comes after)."""
        reply = len(student.journal.items())
        student.send_text("[PC00003]")
        student.wait_text("[KW10002]", timeout=30, start=reply)
        return any(entry.text.startswith(text) for entry in student.journal.items()[mark:])

    def open_group_execute(self, member, outsider):
        """Clicks along the tab strip, as a teacher looking for the group's tab, and runs on the
        group once a tab is chosen whose region reached the member and not the outsider (a
        student may also be sent its region on its own; the whole class's tab refuses the run)."""
        strip = self.driver.find_child(self.frame, id=TAB_STRIP, timeout=10)
        client = self.driver.rect(strip)["client"]
        for x in range(30, client[2] - client[0], 12):
            marks = len(member.journal.items()), len(outsider.journal.items())
            self.driver.click(strip, x=x, y=(client[3] - client[1]) // 2)
            try:
                member.wait_text("[KW00008]", timeout=1.5, start=marks[0])
            except Exception:
                continue
            if self.served_since(outsider, marks[1], "[KW00008]"):
                continue
            self.driver.click(self.driver.find_child(self.frame, id=RUN_ON_GROUP, timeout=10))
            shown = wait_until(lambda: [w for w in self.driver.windows(cls=DIALOG_CLASS, pid=self.pid, visible=True)
                                        if w.get("title") in (EXECUTE_TITLE, BOX_TITLE)], timeout=30)
            if shown[0]["title"] == EXECUTE_TITLE:
                return shown[0]
            self.dismiss_box()
        self.fail("no tab of the strip showed the group")

    def test_a_group_made_in_its_dialog_survives_a_restart_and_commands_reach_its_members(self):
        self.wait_admitted(2, served=True)
        self.driver.click(self.driver.find_child(self.frame, id=CREATE_GROUP, timeout=10))
        dialog = self.dialog(CREATE_TITLE)
        names = self.driver.find_child(dialog, id=GROUP_LIST, timeout=10)
        for row in (1, 2):                               # seats 2 and 3, in the number column
            self.driver.click(names, x=12, y=row * ROW_HEIGHT + ROW_HEIGHT // 2)
        edit = self.driver.find_child(dialog, id=GROUP_NAME, timeout=10)
        self.driver.enter_text(edit, DEFAULT_GROUP)         # the whole class's name is taken
        self.driver.click(self.driver.find_child(dialog, id=GROUP_OK, timeout=10))
        self.dismiss_box()
        self.assertTrue(self.driver.exists(dialog))
        self.driver.enter_text(edit, "  Science ")
        self.driver.click(self.driver.find_child(dialog, id=GROUP_OK, timeout=10))
        self.driver.wait_gone(dialog, timeout=20)
        stored = wait_until(lambda: (lambda group: group if "perrow" in group else None)(
            read_ini(self.folder.path / "groupinfo.ini").get("Science", {})), timeout=20)
        self.assertEqual(stored, {"slot": ",2,3,", "partrect": "", "perrow": ""})
        self.assertEqual(read_ini(self.folder.path / "groupinfo.ini")["default"]["grouplist"], "Science")

        self.restart_console()
        member, outsider = self.wait_admitted(2, served=True), self.wait_admitted(4, served=True)
        dialog = self.open_group_execute(member, outsider)
        path = self.driver.find_child(dialog, id=RUN_PATH, timeout=10)
        marks = len(member.journal.items()), len(outsider.journal.items())
        self.driver.enter_text(path, "C:\\Apps\\a,b.exe")  # would be two fields on the wire
        self.driver.click(self.driver.find_child(dialog, id=RUN, timeout=10))
        self.dismiss_box()
        self.driver.enter_text(path, " C:\\Apps\\quiz.exe ")
        self.driver.enter_text(self.driver.find_child(dialog, id=RUN_OPTIONS, timeout=10), " /p /a ")
        self.driver.click(self.driver.find_child(dialog, id=RUN, timeout=10))
        self.dismiss_box()
        run = member.wait_text("[KW00084]", timeout=30, start=marks[0])
        self.assertEqual(run.text, f"[KW00084]{token('kim')},C:\\Apps\\quiz.exe,/p /a")
        self.driver.enter_text(self.driver.find_child(dialog, id=PROCESS, timeout=10), "notepad.exe")
        self.driver.click(self.driver.find_child(dialog, id=END_PROCESS, timeout=10))
        self.dismiss_box()
        end = member.wait_text("[KW00085]", timeout=30, start=marks[0])
        self.assertEqual(end.text, f"[KW00085]{token('kim')},notepad.exe")
        self.assertEqual([e.text for e in member.journal.items()[marks[0]:] if e.text.startswith("[KW00084]")],
                         [run.text])
        self.driver.click(self.driver.find_child(dialog, id=RESTART, timeout=10))
        box = self.dialog(RESTART_TITLE)
        self.driver.click(self.driver.find_child(box, id=YES_ID, timeout=10))
        member.wait_text("[KW00100]1", timeout=30, start=marks[0])
        self.assertFalse(self.served_since(outsider, marks[1], "[KW0008"))
        self.assertFalse(self.served_since(outsider, marks[1], "[KW00100]"))
        self.driver.click(self.driver.find_child(dialog, id=CLOSE, timeout=10))
        self.driver.wait_gone(dialog, timeout=20)


if __name__ == "__main__":
    unittest.main()
