#include "ui/WaitMsgDlg.h"

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
