#include "activities/quiz/core/QuizTally.h"

#include <algorithm>

int QuizTally::Total() const
{
    int total = noAnswer;
    for (int count : counts)
        total += count;
    return total;
}

int QuizChoiceCount(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::Ox: return 2;
    case QuestionKind::Select4: return 4;
    case QuestionKind::Select5: return 5;
    }
    return 0;
}

std::u16string QuizChoiceLabel(QuestionKind kind, int index)
{
    if (kind == QuestionKind::Ox)
        return index == 0 ? u"O" : u"X";
    return std::u16string(1, static_cast<char16_t>(u'1' + index));
}

QuizTally TallyQuizAnswers(QuestionKind kind, const std::vector<std::u16string>& answers)
{
    QuizTally tally;
    const int choices = QuizChoiceCount(kind);
    tally.counts.assign(choices, 0);
    for (const std::u16string& answer : answers) {
        int row = -1;
        for (int i = 0; i < choices && row < 0; ++i)
            if (answer == QuizChoiceLabel(kind, i))
                row = i;
        if (row < 0)
            ++tally.noAnswer;
        else
            ++tally.counts[row];
    }
    return tally;
}

int QuizBarLength(int full, int count, int total)
{
    if (total <= 0 || count <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(full) * std::min(count, total) / total);
}

int QuizProgressLength(int full, int answers, int expected)
{
    if (expected <= 0)
        return full;
    return std::min(full, full / expected * std::max(answers, 0));
}
