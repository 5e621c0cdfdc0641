// Counting a question's answers for the result chart, and the lengths of its bars. Portable:
// the answers are the students' own texts, so anything unexpected counts as no answer.
#pragma once

#include "sessions/core/ActivityCommands.h"

#include <string>
#include <vector>

struct QuizTally {
    std::vector<int> counts;   // "O", "X" for O/X; "1".."4" or "1".."5" for the choices
    int noAnswer = 0;

    int Total() const;
};

int QuizChoiceCount(QuestionKind kind);
// The chart's label of row `index` ("O", "X", "1", ...).
std::u16string QuizChoiceLabel(QuestionKind kind, int index);
QuizTally TallyQuizAnswers(QuestionKind kind, const std::vector<std::u16string>& answers);
// A bar of the chart: full x count / total, none when nobody was asked.
int QuizBarLength(int full, int count, int total);
// The waiting box's bar: the full length divided by the students asked, times the answers; the
// full length when nobody was asked, never past the full length.
int QuizProgressLength(int full, int answers, int expected);
