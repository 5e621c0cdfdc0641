#include "BoxCloser.h"
#include "DialogTemplateBuilder.h"
#include "framework/Afx.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

namespace {

const UINT WM_TEST_THREAD_PING = WM_APP + 80;
const UINT WM_TEST_DIALOG_STEP = WM_APP + 81;
const WORD IDC_NAME = 100;
const WORD IDC_COUNT = 101;

// The test thread's loop object: takes thread messages as a user-interface thread does.
class CPingThread : public CWinThread {
public:
    HWND m_dialog = nullptr;
    WPARAM m_ping = 0;
    afx_msg void OnPing(WPARAM wParam, LPARAM)
    {
        m_ping = wParam;
        ::PostMessageW(m_dialog, WM_TEST_DIALOG_STEP, 0, 0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPingThread, CWinThread)
    ON_THREAD_MESSAGE(WM_TEST_THREAD_PING, OnPing)
END_MESSAGE_MAP()

class ScopedThreadObject {
public:
    explicit ScopedThreadObject(CWinThread* thread) : m_previous(CWinThread::GetCurrent())
    {
        CWinThread::SetCurrent(thread);
    }
    ~ScopedThreadObject() { CWinThread::SetCurrent(m_previous); }

private:
    CWinThread* m_previous;
};

DialogTemplateBuilder MakeTemplate()
{
    // No caption: Wine would wait for a window manager each time a captioned window hides.
    DialogTemplateBuilder builder(WS_POPUP | WS_BORDER, 200, 100, L"Test");
    builder.AddItem(DialogTemplateBuilder::kEdit, IDC_NAME, WS_BORDER | WS_TABSTOP, 10, 10, 100, 14);
    builder.AddItem(DialogTemplateBuilder::kEdit, IDC_COUNT, WS_BORDER | WS_TABSTOP, 10, 30, 100, 14);
    builder.AddItem(DialogTemplateBuilder::kButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 60, 50, 14, L"OK");
    builder.AddItem(DialogTemplateBuilder::kButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 70, 60, 50, 14, L"Cancel");
    return builder;
}

// A dialog whose steps are run from its own loop as messages, like a user's actions.
class CStepDialog : public CDialog {
public:
    enum Script { EndFromThreadMessage, TypeAndPressEnter, TypeBadNumberThenCancel };

    CStepDialog(Script script, CPingThread* thread) : m_script(script), m_thread(thread) {}

    Script m_script;
    CPingThread* m_thread;
    CString m_name = L"start";
    int m_count = 5;
    bool m_initSeen = false;
    CString m_textAtInit;
    BOOL m_updateResult = TRUE;
    HWND m_focusAfterFailure = nullptr;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_initSeen = true;
        GetDlgItemText(IDC_NAME, m_textAtInit);
        if (m_script == EndFromThreadMessage) {
            m_thread->m_dialog = m_hWnd;
            ::PostThreadMessageW(GetCurrentThreadId(), WM_TEST_THREAD_PING, 17, 0);
        }
        else
            PostMessage(WM_TEST_DIALOG_STEP);
        return TRUE;
    }

    afx_msg LRESULT OnStep(WPARAM, LPARAM)
    {
        switch (m_script) {
        case EndFromThreadMessage:
            EndDialog(42);
            break;
        case TypeAndPressEnter:
            SetDlgItemText(IDC_NAME, L"typed");
            SetDlgItemText(IDC_COUNT, L" 12 ");
            // Enter on the focused edit control goes through the dialog manager.
            ::PostMessageW(::GetDlgItem(m_hWnd, IDC_NAME), WM_KEYDOWN, VK_RETURN, 0x001C0001);
            break;
        case TypeBadNumberThenCancel:
            SetDlgItemText(IDC_COUNT, L"12x");
            m_updateResult = UpdateData(TRUE);
            m_focusAfterFailure = ::GetFocus();
            ::PostMessageW(::GetDlgItem(m_hWnd, IDC_NAME), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            break;
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 10);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 1, 99);
    }
};

BEGIN_MESSAGE_MAP(CStepDialog, CDialog)
    ON_MESSAGE(WM_TEST_DIALOG_STEP, OnStep)
END_MESSAGE_MAP()

} // namespace

TEST(DialogTest, ModalLoopDispatchesThreadMessagesAndReturnsEndDialogsValue)
{
    CPingThread thread;
    ScopedThreadObject scoped(&thread);
    const DialogTemplateBuilder dialogTemplate = MakeTemplate();
    CStepDialog dialog(CStepDialog::EndFromThreadMessage, &thread);
    dialog.InitModalIndirect(dialogTemplate.Get());

    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(thread.m_ping, 17u);   // handled by the thread's map inside the modal loop
    EXPECT_TRUE(dialog.m_initSeen);  // WM_INITDIALOG reached the message map
    EXPECT_EQ(dialog.m_textAtInit, L"start");
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(DialogTest, EnterSavesTheTypedValuesThroughDataExchange)
{
    CPingThread thread;
    ScopedThreadObject scoped(&thread);
    const DialogTemplateBuilder dialogTemplate = MakeTemplate();
    CStepDialog dialog(CStepDialog::TypeAndPressEnter, &thread);
    dialog.InitModalIndirect(dialogTemplate.Get());

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_name, L"typed");
    EXPECT_EQ(dialog.m_count, 12);
}

TEST(DialogTest, ARefusedNumberShowsTheStandardMessageAndKeepsTheMember)
{
    CPingThread thread;
    ScopedThreadObject scoped(&thread);
    BoxCloser closer;
    const DialogTemplateBuilder dialogTemplate = MakeTemplate();
    CStepDialog dialog(CStepDialog::TypeBadNumberThenCancel, &thread);
    dialog.InitModalIndirect(dialogTemplate.Get());

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);   // Esc
    EXPECT_FALSE(dialog.m_updateResult);
    EXPECT_EQ(dialog.m_count, 5);
    ASSERT_EQ(closer.m_texts.size(), 1u);
    EXPECT_EQ(closer.m_texts[0], AfxFormatString2(AFX_IDP_PARSE_INT, nullptr, nullptr));
    EXPECT_NE(dialog.m_focusAfterFailure, nullptr);
}

TEST(DialogTest, RangeAndLengthChecksNameTheirLimits)
{
    CPingThread thread;
    ScopedThreadObject scoped(&thread);
    BoxCloser closer;
    const DialogTemplateBuilder dialogTemplate = MakeTemplate();
    CStepDialog dialog(CStepDialog::TypeAndPressEnter, &thread);
    ASSERT_TRUE(dialog.CreateIndirect(dialogTemplate.Get()));
    closer.m_ignore = dialog.GetSafeHwnd();

    dialog.SetDlgItemText(IDC_COUNT, L"100");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    dialog.SetDlgItemText(IDC_COUNT, L"99");
    dialog.SetDlgItemText(IDC_NAME, L"eleven char");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    dialog.SetDlgItemText(IDC_NAME, L"ten chars.");
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_count, 99);
    EXPECT_EQ(dialog.m_name, L"ten chars.");
    dialog.DestroyWindow();

    ASSERT_EQ(closer.m_texts.size(), 2u);
    EXPECT_NE(closer.m_texts[0].Find(L"1"), -1);
    EXPECT_NE(closer.m_texts[0].Find(L"99"), -1);
    EXPECT_NE(closer.m_texts[1].Find(L"10"), -1);
}

TEST(DialogTest, AMissingTemplateFailsWithoutAWindow)
{
    CDialog dialog(54321);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}
