"""Students joining the class, under Wine: one console, logged in at a simulated login server,
admits simulated student agents (tests/peers/student_agent.py) into its seats. The tests check
what the agents received (greeting, restrictions, refusals, answers), which connections the console
closed, the files it stored and the grid it draws."""

import datetime
import os
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "peers"))

from console_case import ConsoleCase  # noqa: E402
from harness import artifact_path, wait_until  # noqa: E402
from student_agent import (AdmissionFailed, AdmissionRefused, StudentAgent,  # noqa: E402
                           greeting_digest)
from test_login import VIEW_ID  # noqa: E402
from test_shell import PROFILE_KEY, run_wine  # noqa: E402

SEATS = 16
PER_ROW = 8
# The batch after the greeting as the student sees it ("[KW00200]", the scroll position, stays with
# the student's thread on the console).
RESTRICTION_ORDER = ["[KW00071]", "[KW00082]", "[KW00050]", "[KW00051]", "[KW00052]",
                     "[KW00070]", "[KW00060]", "[KW00061]", "[KW00097]", "[KW00074]", "[KW00075]"]
SEAT_BEYOND = "\uc0ac\uc6a9\uac00\ub2a5 \ud559\uc0dd\ubc88\ud638 \ubcf4\ub2e4 \ub354 \uc774\ud6c4\uc758 \ud559\uc0dd\ubc88\ud638\uac00 \uc804\ub2ec\ub418\uc5c8\uc2b5\ub2c8\ub2e4."
THUMBNAIL_COLOUR = (255, 0, 255)


class AdmissionTest(ConsoleCase):
    """Seats are shared by the tests of the class: each test uses its own seats (see the numbers)."""

    SEATS = SEATS

    @classmethod
    def after_login(cls):
        # The first student in is the console's first accepted connection (no probe before it).
        cls.first = cls.wait_admitted(1)

    def agent(self, seat, **options):
        agent = StudentAgent("127.0.0.1", self.port, seat=seat, **options).start()
        self.addCleanup(agent.stop)
        return agent

    def admitted(self, seat, **options):
        agent = self.agent(seat, **options)
        agent.wait_admitted(timeout=60)
        return agent

    def refusal(self, **options):
        agent = self.agent(**options)
        with self.assertRaises(AdmissionRefused) as caught:
            agent.wait_admitted(timeout=60)
        agent.wait_closed(timeout=30)
        return caught.exception

    def wait_seat_free(self, seat):
        """Admits a new agent into the seat once the console offers it again."""
        def offered():
            probe = StudentAgent("127.0.0.1", self.port, seat=seat).start()
            try:
                probe.wait_admitted(timeout=30)
                return probe
            except (AdmissionRefused, AdmissionFailed):
                probe.stop()
                return None
        agent = wait_until(offered, timeout=90, interval=1.0, message=f"seat {seat} was not freed")
        self.addCleanup(agent.stop)
        return agent

    def assert_console_running(self):
        self.assertIsNone(self.program.poll())

    # --- Admission -------------------------------------------------------------------------

    def test_admission_greets_with_id_size_and_digest_then_sends_the_restrictions_in_order(self):
        self.assertEqual(self.first.greeting.connection_id, 10001)
        self.assertEqual(self.first.console_version, "2.0.1.1047")

        second = self.admitted(2)
        self.assertNotIn(1, second.free_seats)
        self.assertIn(2, second.free_seats)
        self.assertEqual(second.free_seats, sorted(second.free_seats))
        self.assertEqual(second.free_seats[-1], SEATS)
        greeting = second.greeting
        self.assertEqual(greeting.digest, greeting_digest())
        self.assertEqual(len(greeting.digest), 32)
        # The grid's own thumbnail size, 4:3.
        self.assertGreater(greeting.thumbnail_width, 0)
        self.assertAlmostEqual(greeting.thumbnail_height, greeting.thumbnail_width * 3 / 4, delta=2)
        self.assertNotEqual((greeting.thumbnail_width, greeting.thumbnail_height), (200, 150))
        # After the greeting: the version again, then the restriction batch in its order.
        second.wait_text("[KW00075]", timeout=30)
        tags = [text[:9] for text in second.commands]
        self.assertEqual(tags[0], "[KW00094]")
        batch = [tag for tag in tags if tag in RESTRICTION_ORDER]
        self.assertEqual(batch, RESTRICTION_ORDER)
        self.assertIn("[KW00071]true", second.commands)
        self.assertIn("[KW00050]false", second.commands)

        # Successive accepts get successive ids.
        ids = [self.admitted(seat).greeting.connection_id for seat in (3, 4, 5)]
        self.assertEqual(ids, [ids[0], ids[0] + 1, ids[0] + 2])

    def test_refusals_of_seats_that_do_not_exist_or_are_taken(self):
        for hello_seat in ("0", str(SEATS + 1), "-2", "x"):
            with self.subTest(seat=hello_seat):
                refused = self.refusal(seat=None, hello_text=f"[PC00002]{hello_seat},n,0,0,0,0,false,0")
                self.assertEqual(refused.code, 3)
                self.assertEqual(refused.text, SEAT_BEYOND)
        refused = self.refusal(seat=1)
        self.assertEqual(refused.code, 2)
        self.assert_console_running()

    def test_two_students_racing_for_one_seat_one_wins(self):
        racers = [self.agent(6, label=f"racer {n}") for n in range(2)]
        outcomes = []
        for racer in racers:
            try:
                racer.wait_admitted(timeout=60)
                outcomes.append("admitted")
            except AdmissionRefused as refused:
                outcomes.append(refused.code)
        self.assertEqual(sorted(outcomes, key=str), sorted(["admitted", 2], key=str))

    def test_malformed_hellos_close_only_that_connection(self):
        seven = self.agent(None, hello_text="[PC00002]7,n,0,0,0,0,false")
        seven.wait_closed(timeout=60)
        self.assertIsNone(seven.greeting)
        self.assertIsNone(seven.refusal)
        short = self.agent(None, hello_text="[PC0]")
        short.wait_closed(timeout=60)
        self.assertIsNone(short.greeting)
        # Neither ended the program, and the seat is still offered.
        self.admitted(7)
        self.assert_console_running()

    # --- Serving admitted students ----------------------------------------------------------

    def test_keep_alive_and_screen_format_are_answered(self):
        student = self.admitted(8, keepalive_interval=0.5)
        student.wait_keepalive_answers(3, timeout=60)
        # The agent sends its screen format (type 2) right after admission.
        student.wait_packet(10, timeout=60)

    def test_a_thumbnail_shows_in_its_slot(self):
        student = self.admitted(10, colour=THUMBNAIL_COLOUR)
        size = (student.greeting.thumbnail_width, student.greeting.thumbnail_height)
        student.send_thumbnail(colour=THUMBNAIL_COLOUR, size=size)

        view = self.driver.find_child(self.frame, id=VIEW_ID, timeout=10)

        def slot_shows_colour():
            student.send_thumbnail(colour=THUMBNAIL_COLOUR, size=size)
            bitmap = self.driver.capture(artifact_path("admission-thumbnail.bmp"), view, client=True,
                                         settle=1.0)["bitmap"]
            return count_near(bitmap, slot_box(bitmap, 10), THUMBNAIL_COLOUR), bitmap

        count, bitmap = wait_until(lambda: (lambda r: r if r[0] > 0 else None)(slot_shows_colour()),
                                   timeout=60, interval=1.0, message="the thumbnail never showed")
        cell = slot_box(bitmap, 10)
        self.assertGreater(count, (cell[2] - cell[0]) * (cell[3] - cell[1]) // 3)
        # No other slot shows it.
        self.assertEqual(count_near(bitmap, slot_box(bitmap, 1), THUMBNAIL_COLOUR), 0)

    def test_uploads_land_only_in_the_day_folder(self):
        student = self.admitted(11)
        for name in ("report.txt", "..\\..\\evil1.txt", "../../evil2.txt", "C:\\evil3.txt"):
            student.upload_file(name, b"homework " + name.encode(), timeout=60)
        student.send_text("[PC00003]")
        student.wait_text("[KW10002]", timeout=30)
        day = datetime.date.today().strftime("%Y-%m-%d")
        day_folder = self.folder.path / "StudentFile" / day
        stored = wait_until(lambda: [p for p in day_folder.rglob("*") if p.is_file()] or None, timeout=30)
        self.assertIn("report.txt", [p.name for p in stored])
        root = self.folder.path.parent
        for evil in ("evil1.txt", "evil2.txt", "evil3.txt"):
            for found in root.rglob(evil):
                self.assertTrue(day_folder in found.parents, found)

    # --- Ends ------------------------------------------------------------------------------

    def test_orderly_and_abnormal_ends_free_the_seat(self):
        orderly = self.admitted(12)
        orderly.end(timeout=30)
        self.wait_seat_free(12).stop()
        abnormal = self.wait_seat_free(12)
        abnormal.drop()
        self.wait_seat_free(12)

    def test_a_silent_student_is_dropped_after_thirty_seconds(self):
        student = self.admitted(13, keepalive_interval=1.0)
        student.wait_keepalive_answers(1, timeout=60)
        student.go_silent()
        silenced = time.monotonic()
        student.wait_closed(timeout=90)
        self.assertTrue(student.closed_by_console)
        # Thirty seconds of silence, found by the ten-second check.
        self.assertGreater(time.monotonic() - silenced, 28)
        self.wait_seat_free(13)


def slot_box(bitmap, seat):
    """The picture area of a seat's cell in a captured grid (the layout test_login checks)."""
    cell = (bitmap.width - 40) // PER_ROW
    picture = (cell - 2) * 3 // 4
    pitch = picture + 2
    index = seat - 1
    x0, y0 = index % PER_ROW * cell, index // PER_ROW * pitch
    return (x0 + 4, y0 + 4, x0 + cell - 4, min(y0 + picture, bitmap.height))


def count_near(bitmap, box, colour, tolerance=40):
    left, top, right, bottom = box
    count = 0
    for y in range(top, bottom, 2):
        for x in range(left, right, 2):
            pixel = bitmap.pixel(x, y)
            if all(abs(a - b) <= tolerance for a, b in zip(pixel, colour)):
                count += 4
    return count


class StoredSettingsOutOfRangeTest(ConsoleCase):
    """A profile holding a refresh delay and an image quality outside what the monitoring dialog
    allows (an older program's, a hand edit): the students are greeted with the nearest allowed."""

    SEATS = 4
    STORED = {"delay": 5, "quilty": 500}

    @classmethod
    def prepare_folder(cls):
        for name, value in cls.STORED.items():
            stored = run_wine(cls.env, "reg", "add", PROFILE_KEY, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f")
            if stored.returncode != 0:
                raise RuntimeError(f"the profile value {name} could not be stored: {stored.stderr!r}")
            cls.stop_with_class(lambda name=name: run_wine(cls.env, "reg", "delete", PROFILE_KEY, "/v", name, "/f"))

    def test_the_greeting_carries_the_stored_values_kept_in_range(self):
        greeting = self.wait_admitted(1).greeting
        self.assertEqual((greeting.refresh_delay, greeting.quality), (100, 90))


if __name__ == "__main__":
    unittest.main()
