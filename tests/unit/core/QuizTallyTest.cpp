// The quiz chart's counts and bars: students' answers outside the question's choices count as no
// answer, and no bar or progress length goes past its full length or divides by nobody.
#include "activities/quiz/core/QuizTally.h"

#include <gtest/gtest.h>

TEST(QuizTally, CountsOnlyTheQuestionsOwnChoicesAndChartsThemAgainstEveryone)
{
    const QuizTally ox = TallyQuizAnswers(QuestionKind::Ox, {u"O", u"3", u"O", u"", u"X", u"o", u"O"});
    EXPECT_EQ(ox.counts, (std::vector<int>{3, 1}));
    EXPECT_EQ(ox.noAnswer, 3);
    EXPECT_EQ(ox.Total(), 7);

    const QuizTally four = TallyQuizAnswers(QuestionKind::Select4, {u"4", u"5", u"1", u"11"});
    EXPECT_EQ(four.counts, (std::vector<int>{1, 0, 0, 1}));
    EXPECT_EQ(four.noAnswer, 2);
    const QuizTally five = TallyQuizAnswers(QuestionKind::Select5, {u"5", u"5"});
    EXPECT_EQ(five.counts, (std::vector<int>{0, 0, 0, 0, 2}));
    EXPECT_EQ(QuizChoiceLabel(QuestionKind::Select5, 4), u"5");

    EXPECT_EQ(QuizBarLength(340, 3, 4), 255);   // three quarters
    EXPECT_EQ(QuizBarLength(340, 0, 4), 0);
    EXPECT_EQ(QuizBarLength(340, 2, 0), 0);     // nobody asked: no bar
    EXPECT_EQ(QuizBarLength(340, 9, 4), 340);
}

TEST(QuizTally, WaitingBarIsFullWithNobodyAskedAndNeverPastFull)
{
    EXPECT_EQ(QuizProgressLength(450, 0, 0), 450);
    EXPECT_EQ(QuizProgressLength(450, 2, 4), 224);   // 450 / 4 = 112 per answer
    EXPECT_EQ(QuizProgressLength(450, 6, 3), 450);   // answers of students who left since
    EXPECT_EQ(QuizProgressLength(450, 1, 1000), 0);
}
