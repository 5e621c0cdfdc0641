// The rules behind the class-wide settings: the prohibited list as the students receive it, the
// names a teacher may list, the quality slider's arithmetic and the grid's aspect ratio.
#include "dialogs/core/SettingsRules.h"
#include "view/core/PadPackageList.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ClassSettingsRulesTest, PadPackagesFollowTheNamedAppsWithoutDoubledCommas)
{
    EXPECT_EQ(BuildPadPackageList(u"a.exe,Settings,Play Store"),
              u"a.exe,Settings,Play Store,com.android.settings,com.google.android.packageinstaller,"
              u"com.android.vending");
    EXPECT_EQ(BuildPadPackageList(u"\uC124\uC815,"), u"\uC124\uC815,com.android.settings,com.google.android.packageinstaller");
    EXPECT_EQ(BuildPadPackageList(u" \"play store\" "), u" \"play store\" ,com.android.vending");
    EXPECT_EQ(BuildPadPackageList(u"settings"), u"settings");   // the settings name is case-sensitive
    EXPECT_EQ(BuildPadPackageList(u"notepad.exe"), u"notepad.exe");
    for (const char16_t* empty : {u"", u"  ", u",", u" , "})
        EXPECT_EQ(BuildPadPackageList(empty), u"");
}

TEST(ClassSettingsRulesTest, ProgramNamesAreCheckedAndTheStoredListReadOnce)
{
    const std::vector<std::u16string> listed = {u"notepad.exe"};
    EXPECT_EQ(CheckProgramName(std::u16string(64, u'a'), listed), ProgramNameVerdict::Accepted);
    EXPECT_EQ(CheckProgramName(std::u16string(65, u'a'), listed), ProgramNameVerdict::TooLong);
    EXPECT_EQ(CheckProgramName(u"", listed), ProgramNameVerdict::Empty);
    EXPECT_EQ(CheckProgramName(u"Notepad.EXE", listed), ProgramNameVerdict::Duplicate);
    // Letter case counts for nothing beyond ASCII either: Latin-1, Latin Extended-A, Greek,
    // Cyrillic and full-width names are the same name in either case.
    const std::vector<std::u16string> foreign = {u"\u00E9cole.exe", u"\u0142\u00F3d\u017A.exe", u"\u03B1\u03B2.exe",
                                                 u"\u0436\u0443\u0440\u043D\u0430\u043B.exe", u"\uFF41.exe"};
    for (const char16_t* same : {u"\u00C9COLE.EXE", u"\u0141\u00D3D\u0179.exe", u"\u0391\u0392.exe",
                                 u"\u0416\u0423\u0420\u041D\u0410\u041B.exe", u"\uFF21.exe"})
        EXPECT_EQ(CheckProgramName(same, foreign), ProgramNameVerdict::Duplicate) << std::u16string(same).size();
    // Letters that only look alike are different names.
    EXPECT_EQ(CheckProgramName(u"\u00C8cole.exe", foreign), ProgramNameVerdict::Accepted);
    EXPECT_EQ(CheckProgramName(u"\u0131\u0130.exe", {u"ii.exe"}), ProgramNameVerdict::Accepted);
    // A comma or a quote would split the name in two on the wire and when read back.
    EXPECT_EQ(CheckProgramName(u"a,b.exe", listed), ProgramNameVerdict::BadCharacters);
    EXPECT_EQ(CheckProgramName(u"\"a.exe\"", listed), ProgramNameVerdict::BadCharacters);

    const std::vector<std::u16string> read = ReadProgramList(u" b.exe ,,a.exe, B.EXE ,  ,a.exe");
    EXPECT_EQ(read, (std::vector<std::u16string>{u"b.exe", u"a.exe"}));
    EXPECT_EQ(JoinProgramList(read), u"b.exe,a.exe");
    EXPECT_EQ(JoinProgramList({}), u"");
}

TEST(ClassSettingsRulesTest, TheQualitySliderRoundTripsAndKeepsItsEnds)
{
    for (int track : {81, 372, 558, 1000}) {
        for (int quality = kMinQuality; quality <= kMaxQuality; ++quality)
            ASSERT_EQ(OffsetToQuality(QualityToOffset(quality, track), track), quality) << track;
        EXPECT_EQ(OffsetToQuality(0, track), 10);
        EXPECT_EQ(OffsetToQuality(track - 1, track), 90);
        EXPECT_EQ(OffsetToQuality(track + 50, track), 90);   // dragged past the end
        EXPECT_EQ(OffsetToQuality(-7, track), 10);
    }
    EXPECT_EQ(QualityToOffset(200, 372), 371);
}

TEST(ClassSettingsRulesTest, StoredQualityAndRefreshDelayAreBroughtIntoTheirRanges)
{
    struct Case {
        int stored;
        int quality;
        int delay;
    };
    const Case cases[] = {
        {INT_MIN, 10, 100}, {-5, 10, 100}, {0, 10, 100}, {9, 10, 100}, {10, 10, 100}, {40, 40, 100},
        {90, 90, 100}, {91, 90, 100}, {99, 90, 100}, {100, 90, 100}, {1000, 90, 1000}, {9000, 90, 9000},
        {9001, 90, 9000}, {INT_MAX, 90, 9000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClampQuality(c.stored), c.quality) << c.stored;
        EXPECT_EQ(ClampRefreshDelay(c.stored), c.delay) << c.stored;
    }
}

TEST(ClassSettingsRulesTest, AnAspectRatioMayBeAtMostTwoToOne)
{
    EXPECT_TRUE(IsAcceptedAspectRatio(400, 295));
    EXPECT_TRUE(IsAcceptedAspectRatio(400, 200));
    EXPECT_TRUE(IsAcceptedAspectRatio(1, 2));
    EXPECT_FALSE(IsAcceptedAspectRatio(400, 199));
    EXPECT_FALSE(IsAcceptedAspectRatio(1, 3));
}
