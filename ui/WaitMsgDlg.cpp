#include "ui/WaitMsgDlg.h"

#include "foundation/MessagePump.h"
#include "res/resource.h"

CWaitMsgDlg::CWaitMsgDlg(CWnd* parent) : CDialog(IDD_WAIT_MESSAGE, parent)
{
}

BOOL CWaitMsgDlg::Create(CWnd* parent)
{
    return CDialog::Create(IDD_WAIT_MESSAGE, parent);
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
