#include "ui/VarnixComboBox.h"

#include "framework/Static.h"

#include "PictureTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ComboVarnixTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Open());
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                   RECT{0, 0, 200, 200}, &m_parent, 1300));
        m_edit = m_combo.GetEditWnd();
        ASSERT_NE(m_edit, nullptr);
        ASSERT_TRUE(m_other.Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, RECT{0, 100, 50, 120},
                                   &m_parent, 1301));
    }

    std::wstring EditText() const
    {
        wchar_t text[64] = {};
        ::GetWindowTextW(m_edit, text, 64);
        return text;
    }

    CTestParentWnd m_parent;
    CVarnixComboBox m_combo;
    CStatic m_other;
    HWND m_edit = nullptr;
};

TEST_F(ComboVarnixTest, InputMethodCharactersReachTheEditOnlyWhileItHasTheFocus)
{
    ::SetFocus(m_edit);
    EXPECT_FALSE(g_comboEditUnfocused);
    ::SendMessageW(m_edit, WM_IME_CHAR, L'k', 1);
    PumpPending();   // the default handling posts the character
    EXPECT_EQ(EditText(), L"k");

    ::SetFocus(m_parent.m_hWnd);
    EXPECT_TRUE(g_comboEditUnfocused);
    EXPECT_EQ(::SendMessageW(m_edit, WM_IME_CHAR, L'x', 1), 0);
    PumpPending();
    EXPECT_EQ(EditText(), L"k");

    // Everything else still reaches the edit field.
    ::SendMessageW(m_edit, WM_CHAR, L'y', 1);
    EXPECT_EQ(EditText(), L"ky");
}

TEST(ComboVarnixMessagesTest, TheInputMethodMessagesAreTheListedOnes)
{
    for (UINT message : {0x10Du, 0x10Eu, 0x10Fu, 0x281u, 0x282u, 0x283u, 0x284u, 0x285u, 0x286u,
                         0x288u, 0x290u, 0x291u})
        EXPECT_TRUE(CVarnixComboBox::IsInputMethodMessage(message)) << std::hex << message;
    for (UINT message : {0x10Cu, 0x110u, 0x280u, 0x287u, 0x289u, 0x28Fu, 0x292u,
                         static_cast<UINT>(WM_CHAR), static_cast<UINT>(WM_SETFOCUS)})
        EXPECT_FALSE(CVarnixComboBox::IsInputMethodMessage(message)) << std::hex << message;
}

} // namespace
