// The teacher login dialog run modally as the view runs it, driven like a user from a thread
// timer that fires inside the dialog's (and the message boxes') own modal loops.
#include "dialogs/LoginDlg.h"

#include "foundation/ConfigProfile.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "ui/CustomMsgDlg.h"
#include "ui/UiScale.h"

#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

const wchar_t kProfileRoot[] = L"Software\\Lumora Ostel Dialog Test";

class DialogEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_gdiPlus, &input, nullptr), Gdiplus::Ok);
        RegDeleteTreeW(HKEY_CURRENT_USER, kProfileRoot);
        m_app.SetRegistryKey(L"Lumora Ostel Dialog Test");
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kProfileRoot);
        Gdiplus::GdiplusShutdown(m_gdiPlus);
    }

private:
    CWinApp m_app{L"Lumora Teacher"};
    ULONG_PTR m_gdiPlus = 0;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new DialogEnvironment);

template <class Window>
BOOL CALLBACK FindShownWindow(HWND hWnd, LPARAM param)
{
    auto* window = dynamic_cast<Window*>(CWnd::FromHandlePermanent(hWnd));
    if (!window || !IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<Window**>(param) = window;
    return FALSE;
}

// The shown window of that class on this thread, or null.
template <class Window>
Window* FindShown()
{
    Window* found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindShownWindow<Window>, reinterpret_cast<LPARAM>(&found));
    return found;
}

void PostCommand(HWND window, int id)
{
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// Steps run one after another from a 20 ms thread timer; a step returns false to be tried again
// at the next tick (a window it needs is not up yet). Whatever is still open after the time
// limit is cancelled, so a broken dialog fails the test instead of hanging it.
class UserScript {
public:
    using Step = std::function<bool()>;

    explicit UserScript(std::deque<Step> steps) : m_steps(std::move(steps))
    {
        s_current = this;
        m_started = GetTickCount();
        m_timer = SetTimer(nullptr, 0, 20, &UserScript::OnTick);
    }
    ~UserScript()
    {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    bool Finished() const { return m_steps.empty(); }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
    {
        UserScript* script = s_current;
        if (!script || script->m_busy)
            return;
        script->m_busy = true;
        if (!script->m_steps.empty() && script->m_steps.front()())
            script->m_steps.pop_front();
        if (GetTickCount() - script->m_started > 20000) {
            script->m_steps.clear();
            if (auto* box = FindShown<CCustomMsgDlg>())
                PostCommand(box->GetSafeHwnd(), IDCANCEL);
            if (auto* login = FindShown<CLoginDlg>())
                PostCommand(login->GetSafeHwnd(), IDCANCEL);
        }
        script->m_busy = false;
    }

    static inline UserScript* s_current = nullptr;
    std::deque<Step> m_steps;
    DWORD m_started = 0;
    UINT_PTR m_timer = 0;
    bool m_busy = false;
};

CString Loaded(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString ControlText(HWND dialog, int id)
{
    wchar_t buffer[256] = {};
    GetDlgItemTextW(dialog, id, buffer, 256);
    return buffer;
}

// Steps.
UserScript::Step Type(int id, const wchar_t* text)
{
    return [id, text] {
        CLoginDlg* login = FindShown<CLoginDlg>();
        if (!login)
            return false;
        SetDlgItemTextW(login->GetSafeHwnd(), id, text);
        return true;
    };
}

UserScript::Step Click(int id)
{
    return [id] {
        CLoginDlg* login = FindShown<CLoginDlg>();
        if (!login)
            return false;
        PostCommand(login->GetSafeHwnd(), id);
        return true;
    };
}

// Waits for a message box, notes its text and answers OK.
UserScript::Step AnswerBox(std::vector<CString>& texts)
{
    return [&texts] {
        CCustomMsgDlg* box = FindShown<CCustomMsgDlg>();
        if (!box)
            return false;
        texts.push_back(box->GetText());
        PostCommand(box->GetSafeHwnd(), IDOK);
        return true;
    };
}

// Once the box is gone: the control id that has the focus in the login dialog.
UserScript::Step NoteFocus(std::vector<int>& focused)
{
    return [&focused] {
        CLoginDlg* login = FindShown<CLoginDlg>();
        if (!login || FindShown<CCustomMsgDlg>() || !IsWindowEnabled(login->GetSafeHwnd()))
            return false;
        focused.push_back(GetDlgCtrlID(GetFocus()));
        return true;
    };
}

class LoginDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_uiScale = 1.0f;
        SetConfigString(L"config", L"teacherid", L"before");
        SetConfigString(L"config", L"classinfo", L"before-class");
    }

    INT_PTR Run(CLoginDlg& dialog, std::deque<UserScript::Step> steps)
    {
        UserScript script(std::move(steps));
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(script.Finished()) << "the dialog ended before the script did";
        return result;
    }
};

TEST_F(LoginDlgTest, ConnectStoresAndReturnsTrimmedValuesAndCarriesTheRestUnchanged)
{
    CLoginDlg dialog;
    dialog.SetFields(L"10.0.0.7", L"7000", L"kim", L"site,text", L"old");
    dialog.SetErrorLine(L"refused by the server");
    CString shownError, caption;
    CRect rect;
    LRESULT idLimit = 0;
    const INT_PTR result = Run(dialog, {
        [&] {
            CLoginDlg* login = FindShown<CLoginDlg>();
            if (!login)
                return false;
            HWND hWnd = login->GetSafeHwnd();
            shownError = ControlText(hWnd, IDC_LOGIN_ERROR);
            login->GetWindowText(caption);
            GetWindowRect(hWnd, &rect);
            idLimit = SendDlgItemMessageW(hWnd, IDC_LOGIN_TEACHER_ID, EM_GETLIMITTEXT, 0, 0);
            return true;
        },
        Type(IDC_LOGIN_TEACHER_ID, L"  lee \t"),
        Type(IDC_LOGIN_FOLDER, L" 3-2 class  "),
        Click(IDOK),
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shownError, L"refused by the server");
    EXPECT_EQ(caption, CString(L"Lumora ") + Loaded(IDS_LOGIN_CAPTION));
    EXPECT_EQ(rect.Width(), 378);
    EXPECT_EQ(rect.Height(), 354);
    EXPECT_EQ(idLimit, 24);

    EXPECT_EQ(dialog.GetTeacherId(), L"lee");
    EXPECT_EQ(dialog.GetFolderName(), L"3-2 class");
    EXPECT_EQ(dialog.GetServerAddress(), L"10.0.0.7");
    EXPECT_EQ(dialog.GetServerPort(), L"7000");
    EXPECT_EQ(dialog.GetLoginField(), L"site,text");
    EXPECT_EQ(GetConfigString(L"config", L"teacherid", L""), L"lee");
    EXPECT_EQ(GetConfigString(L"config", L"classinfo", L""), L"3-2 class");
}

TEST_F(LoginDlgTest, EachRefusalShowsItsTextKeepsTheDialogOpenAndFocusesTheField)
{
    CLoginDlg dialog;
    dialog.SetFields(L"h", L"p", L"", L"", L"");
    std::vector<CString> texts;
    std::vector<int> focused;
    const INT_PTR result = Run(dialog, {
        Type(IDC_LOGIN_TEACHER_ID, L"   "), Click(IDOK), AnswerBox(texts), NoteFocus(focused),
        // 22 characters with a slash: the slash is reported, not the length.
        Type(IDC_LOGIN_TEACHER_ID, L"abcdefghij/klmnopqrstu"), Click(IDOK), AnswerBox(texts), NoteFocus(focused),
        Type(IDC_LOGIN_TEACHER_ID, L"abcdefghijklmnopqrstu"), Click(IDOK), AnswerBox(texts), NoteFocus(focused),
        Type(IDC_LOGIN_TEACHER_ID, L"kim"), Type(IDC_LOGIN_FOLDER, L"a|b"), Click(IDOK), AnswerBox(texts),
        NoteFocus(focused),
        Type(IDC_LOGIN_FOLDER, L" .. "), Click(IDOK), AnswerBox(texts), NoteFocus(focused),
        Click(IDCANCEL),
    });
    EXPECT_EQ(result, IDCANCEL);
    const std::vector<CString> expected = {Loaded(IDS_LOGIN_ID_EMPTY), Loaded(IDS_LOGIN_ID_BAD_CHARS),
                                           Loaded(IDS_LOGIN_ID_TOO_LONG), Loaded(IDS_LOGIN_FOLDER_BAD_CHARS),
                                           Loaded(IDS_LOGIN_FOLDER_BAD_CHARS)};
    EXPECT_EQ(texts, expected);
    const std::vector<int> fields = {IDC_LOGIN_TEACHER_ID, IDC_LOGIN_TEACHER_ID, IDC_LOGIN_TEACHER_ID,
                                     IDC_LOGIN_FOLDER, IDC_LOGIN_FOLDER};
    EXPECT_EQ(focused, fields);
    // Nothing was stored by the refused attempts or the cancel.
    EXPECT_EQ(GetConfigString(L"config", L"teacherid", L""), L"before");
    EXPECT_EQ(GetConfigString(L"config", L"classinfo", L""), L"before-class");
}

TEST_F(LoginDlgTest, TwentyCharactersAndAnEmptyFolderAreAccepted)
{
    CLoginDlg dialog;
    dialog.SetFields(L"h", L"p", L"", L"", L"x");
    const INT_PTR result = Run(dialog, {
        Type(IDC_LOGIN_TEACHER_ID, L"abcdefghijklmnopqrst"),
        Type(IDC_LOGIN_FOLDER, L"   "),
        Click(IDOK),
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(GetConfigString(L"config", L"teacherid", L""), L"abcdefghijklmnopqrst");
    EXPECT_EQ(GetConfigString(L"config", L"classinfo", L"unset"), L"");
}

TEST_F(LoginDlgTest, TheCaptionCloseButtonCancelsWithoutStoring)
{
    CLoginDlg dialog;
    dialog.SetFields(L"h", L"p", L"kim", L"", L"c");
    bool closeButtonShown = false;
    const INT_PTR result = Run(dialog, {
        Type(IDC_LOGIN_TEACHER_ID, L"other"),
        [&] {
            CLoginDlg* login = FindShown<CLoginDlg>();
            if (!login)
                return false;
            HWND close = GetDlgItem(login->GetSafeHwnd(), IDC_CAPTION_CLOSE);
            closeButtonShown = close && IsWindowVisible(close);
            PostCommand(login->GetSafeHwnd(), IDC_CAPTION_CLOSE);
            return true;
        },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(closeButtonShown);
    EXPECT_EQ(GetConfigString(L"config", L"teacherid", L""), L"before");
}

} // namespace
