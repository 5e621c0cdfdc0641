// The built-in Korean string table and the English language module.
#include <gtest/gtest.h>

#include "ResourceReader.h"
#include "res/resource.h"

using namespace restest;

namespace {

std::wstring Load(HMODULE module, unsigned id) {
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, length) : std::wstring();
}

class EnglishModule : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadEnglishModule();
        ASSERT_NE(module_, nullptr) << "language\\Lumora TeacherEng.dll not found near the test";
    }
    void TearDown() override {
        if (module_) ::FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

}  // namespace

TEST(KoreanStrings, EveryStringLoadsWithItsTextAndNoneIsEmpty) {
    auto table = StringTable(ProgramModule());
    ASSERT_GE(table.size(), 240u);
    for (const auto& entry : table) {
        SCOPED_TRACE(entry.first);
        EXPECT_EQ(Load(ProgramModule(), entry.first), entry.second);
    }
    // A sample from every part of the console must be there.
    for (unsigned id : {IDR_MAINFRAME, IDS_APP_TITLE, IDS_OS_TOO_OLD, IDS_DEFAULT_GROUP, IDS_DROP_ONE_FILE_ONLY,
                        IDS_BAD_DATA_RECEIVED, IDS_SOCKET_TIMED_OUT, IDS_TB_SHARE_START, IDS_LOG_SLOT_ENDED_DETAIL,
                        IDS_BAR_SOUND_FAILED, IDS_GEXEC_PROCESS_TOO_LONG, IDS_SLOTCHG_TARGET_CHANGED,
                        IDS_QUIZ_NO_ANSWER, IDS_PEN_NEXT_PAGE, IDS_FT_PROGRAM_FOLDER_NOT_DELETABLE,
                        IDS_DDX_PARSE_INT_RANGE}) {
        EXPECT_EQ(table.count(id), 1u) << id;
    }
}

TEST(KoreanStrings, TextsAreExactlyTheSystemsOwn) {
    HMODULE m = ProgramModule();
    EXPECT_EQ(Load(m, IDR_MAINFRAME),
              L"Lumora Teacher\n\nWendmark\nWendmark Files (*.kwd)\n.kwd\nWendmark.Document\nWendmark.Document");
    EXPECT_EQ(Load(m, IDS_OS_TOO_OLD), L"Windows XP 또는 그 이후의 운영체제에서만 실행이 가능합니다.");
    EXPECT_EQ(Load(m, IDS_QUIZ_FASTEST), L"[%d: %s]  학생이\n\n가장 빨리 버튼을 눌렀습니다.");
    EXPECT_EQ(Load(m, IDS_LOGIN_ID_BAD_CHARS), L"ID로 사용할 수 없는 문자(,\\<>&|:/*?\")가 사용되었습니다.");
    EXPECT_EQ(Load(m, IDS_NAME_BAD_CHARS), L"학생 이름으로 사용할 수 없는 문자(,<>&|:/*?\"\\)가 사용되었습니다.");
    EXPECT_EQ(Load(m, IDS_GROUP_NAME_BAD_CHARS), L"그룹이름에 사용할 수 없는 문자($/*?\"<>|)가 사용되었습니다.");
    EXPECT_EQ(Load(m, IDS_FONT_FACE), L"굴림");
    EXPECT_EQ(Load(m, IDS_DEFAULT_STUDENT_NAME), L" ");
    EXPECT_EQ(Load(m, IDS_FT_RESULT_READ_ERROR), L"학생번호 : %d에서 %s  읽는 동안 오류 발생");
    EXPECT_EQ(Load(m, IDS_SOCKETS_INIT_FAILED), L"Windows sockets initialization failed.");
}

TEST_F(EnglishModule, HoldsTheSameStringsInEnglishWithTheSameArguments) {
    auto korean = StringTable(ProgramModule());
    auto english = StringTable(module_);
    ASSERT_EQ(english.size(), korean.size());
    for (const auto& entry : korean) {
        SCOPED_TRACE(entry.first);
        std::wstring text = Load(module_, entry.first);
        ASSERT_FALSE(text.empty());
        EXPECT_FALSE(HasHangul(text));
        // A text formatted with the Korean arguments must take them in the same order.
        EXPECT_EQ(Conversions(text), Conversions(entry.second));
    }
    EXPECT_EQ(Load(module_, IDS_DEFAULT_GROUP), L"All students");
    EXPECT_EQ(Load(module_, IDR_MAINFRAME), Load(ProgramModule(), IDR_MAINFRAME));
}

TEST_F(EnglishModule, LoadsAsAnOrdinaryLibrary) {
    // The program loads its language module with LoadLibrary, which runs no code in it.
    HMODULE module = LoadEnglishModule(0);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Load(module, IDS_TIP_CLOSE), L"Close");
    ::FreeLibrary(module);
}

TEST(Conversions, FindsPrintfAndInsertArgumentsInOrder) {
    EXPECT_EQ(Conversions(L"%s : %d\n%s"), (std::vector<std::wstring>{L"%s", L"%d", L"%s"}));
    EXPECT_EQ(Conversions(L"%1에서 %2 사이"), (std::vector<std::wstring>{L"%1", L"%2"}));
    EXPECT_EQ(Conversions(L"between %1 and %2."), (std::vector<std::wstring>{L"%1", L"%2"}));
    EXPECT_EQ(Conversions(L"100%"), std::vector<std::wstring>{});
}
