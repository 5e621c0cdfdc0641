#include "shell/core/LanguageModulePath.h"
#include "shell/core/UiScaleRule.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellStartupRulesTest, ScaleStepsOnlyAboveTheThresholds)
{
    EXPECT_FLOAT_EQ(ComputeUiScale(1920, 1080), 1.0f);
    EXPECT_FLOAT_EQ(ComputeUiScale(1920, 1200), 1.0f);
    EXPECT_FLOAT_EQ(ComputeUiScale(2000, 2000), 1.0f);
    EXPECT_FLOAT_EQ(ComputeUiScale(2001, 1000), 1.4f);
    EXPECT_FLOAT_EQ(ComputeUiScale(1000, 2001), 1.4f);   // a portrait screen counts too
    EXPECT_FLOAT_EQ(ComputeUiScale(2560, 1440), 1.4f);
    EXPECT_FLOAT_EQ(ComputeUiScale(3000, 1700), 1.4f);
    EXPECT_FLOAT_EQ(ComputeUiScale(3840, 2160), 2.0f);
    EXPECT_FLOAT_EQ(ComputeUiScale(1200, 3001), 2.0f);
}

TEST(ShellStartupRulesTest, ScaleFactorSettingReplacesOnlyWithASensibleNumber)
{
    EXPECT_FLOAT_EQ(ApplyScaleFactorSetting(1.0f, L"1.25"), 1.25f);
    EXPECT_FLOAT_EQ(ApplyScaleFactorSetting(2.0f, L"1.25"), 1.25f);
    EXPECT_FLOAT_EQ(ApplyScaleFactorSetting(1.0f, L" 1.5x"), 1.5f);   // leading number, as atof reads it
    EXPECT_FLOAT_EQ(ApplyScaleFactorSetting(1.0f, L"0.5"), 0.5f);
    EXPECT_FLOAT_EQ(ApplyScaleFactorSetting(1.0f, L"4"), 4.0f);

    for (const wchar_t* kept : {L"", L"0", L"abc", L"-1", L"0.49", L"4.01", L"100", L"nan", L"inf", L"1e40"}) {
        EXPECT_FLOAT_EQ(ApplyScaleFactorSetting(1.4f, kept), 1.4f) << kept;
    }
}

TEST(ShellStartupRulesTest, LanguageModuleLivesInTheProgramsLanguageFolder)
{
    EXPECT_EQ(LanguageModulePath(L"C:\\Program Files\\Lumora", L"Eng"),
              L"C:\\Program Files\\Lumora\\language\\Lumora TeacherEng.dll");
    EXPECT_TRUE(IsBuiltInLanguage(L"Kor"));
    EXPECT_FALSE(IsBuiltInLanguage(L"kor"));
    EXPECT_FALSE(IsBuiltInLanguage(L"Kor "));
}

TEST(ShellStartupRulesTest, LanguageCodesThatReachOutsideTheFolderAreRefused)
{
    for (const wchar_t* code : {L"", L"..\\..\\evil", L"x/y", L"C:", L"a*", L"a?", L"a\"b", L"a<b",
                                L"a>b", L"a|b", L"\\\\server\\share\\x", L"Eng\n"}) {
        EXPECT_FALSE(IsAcceptableLanguageCode(code)) << code;
        EXPECT_EQ(LanguageModulePath(L"C:\\Lumora", code), L"");
    }
    EXPECT_TRUE(IsAcceptableLanguageCode(L"Eng"));
    EXPECT_TRUE(IsAcceptableLanguageCode(L"Chs"));
}

}  // namespace
