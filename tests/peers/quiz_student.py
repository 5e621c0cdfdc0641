"""A simulated student for the quiz: it answers the console's questions, presses the buzzer and
can say when the console has handled everything it sent (a keep-alive answered after it)."""

from student_agent import StudentAgent


class QuizStudent(StudentAgent):
    def mark(self):
        """A journal position: later waits look only at what arrives after it."""
        return len(self.journal.items())

    def synced(self, timeout=30):
        """Returns once the console has handled every text sent so far: its thread reads one packet
        at a time, so the answer to a keep-alive sent now comes after all of them."""
        before = self.keepalive_answers
        self.send_text("[PC00003]")
        self.wait_keepalive_answers(before + 1, timeout=timeout)

    def commands_since(self, mark):
        return [entry.text for entry in self.journal.items()[mark:] if entry.admitted and entry.tag and entry.tag != "[KW10002]"]

    def answer_question(self, *answers, start=0, timeout=30):
        """Waits for the question ("[KW00405]...") and answers it, once per answer given."""
        question = self.wait_text("[KW00405]", timeout=timeout, start=start).text
        for answer in answers:
            self.answer_quiz(answer)
        return question
