#include "view/core/GroupFileText.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::u16string>;

TEST(ViewGroupFileTextTest, GroupListIgnoresLineBreaksAndEmptyNames)
{
    EXPECT_EQ(ReadGroupNames(u""), Texts{});
    EXPECT_EQ(ReadGroupNames(u"1반$2반"), (Texts{u"1반", u"2반"}));
    EXPECT_EQ(ReadGroupNames(u"a\r\n$$b$\n"), (Texts{u"a", u"b"}));
    EXPECT_EQ(ReadGroupNames(u"one line\rbroken"), Texts{u"one linebroken"});
}

TEST(ViewGroupFileTextTest, SingleBlankValueStandsForEmpty)
{
    EXPECT_EQ(StoredGroupValue(u" "), u"");
    EXPECT_EQ(StoredGroupValue(u"  "), u"  ");
    EXPECT_EQ(StoredGroupValue(u"8"), u"8");
}

TEST(ViewGroupFileTextTest, LegacyLinesNeedANameAndFourFields)
{
    const Texts lines = SplitLegacyGroupLines(u"a$1,2$0,0,10,10$4\r\n\r\nshort$1\n$1$2$3\nb$3$ $ $extra");
    ASSERT_EQ(lines.size(), 5u);
    GroupRecord group;
    ASSERT_TRUE(ReadLegacyGroupLine(lines[0], group));
    EXPECT_EQ(group.name, u"a");
    EXPECT_EQ(group.slots, u"1,2");
    EXPECT_EQ(group.partRect, u"0,0,10,10");
    EXPECT_EQ(group.perRow, u"4");
    EXPECT_FALSE(ReadLegacyGroupLine(lines[1], group));   // empty line
    EXPECT_FALSE(ReadLegacyGroupLine(lines[2], group));   // too few fields
    EXPECT_FALSE(ReadLegacyGroupLine(lines[3], group));   // no name
    ASSERT_TRUE(ReadLegacyGroupLine(lines[4], group));
    EXPECT_EQ(group.name, u"b");
    EXPECT_EQ(group.partRect, u" ");                      // as written; the reader maps it
}

TEST(ViewGroupFileTextTest, LegacyLinesAreCutAtTheLineLimit)
{
    const std::u16string longLine(kMaxLegacyGroupLineLength + 50, u'x');
    const Texts lines = SplitLegacyGroupLines(longLine + u"\nnext$1$2$3");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), kMaxLegacyGroupLineLength);
    EXPECT_EQ(lines[1], u"next$1$2$3");
}

} // namespace
