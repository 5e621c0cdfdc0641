#include "ui/WaitMsgDlg.h"

#include "foundation/MessagePump.h"
#include "res/resource.h"

namespace {

constexpr UINT_PTR kHideTimer = 1;

} // namespace

BEGIN_MESSAGE_MAP(CWaitMsgDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CWaitMsgDlg::CWaitMsgDlg(CWnd* parent) : CDialog(IDD_WAIT_MESSAGE, parent)
{
}

BOOL CWaitMsgDlg::Create(CWnd* parent)
{
    return CDialog::Create(IDD_WAIT_MESSAGE, parent);
}

BOOL CWaitMsgDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return FALSE;
}

void CWaitMsgDlg::SetMessageText(LPCWSTR text)
{
    if (m_hWnd)
        SetDlgItemText(IDC_WAIT_TEXT, text ? text : L"");
}

void CWaitMsgDlg::ShowFor(LPCWSTR text, DWORD milliseconds)
{
    CWaitMsgDlg notice;
    if (!notice.Create(nullptr)) return;
    notice.SetMessageText(text);
    notice.CenterWindow(::GetDesktopWindow());
    notice.ShowWindow(SW_SHOW);
    PumpMessagesWait(milliseconds, 1);
    if (notice.GetSafeHwnd()) notice.DestroyWindow();
}

bool CWaitMsgDlg::ShowWithoutWaiting(LPCWSTR text, DWORD milliseconds)
{
    if (IsShown() || !Create(nullptr))
        return false;
    SetMessageText(text);
    CenterWindow(::GetDesktopWindow());
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetTimer(kHideTimer, milliseconds);
    return true;
}

void CWaitMsgDlg::OnTimer(UINT_PTR id)
{
    if (id == kHideTimer)
        DestroyWindow();
    else
        CDialog::OnTimer(id);
}
