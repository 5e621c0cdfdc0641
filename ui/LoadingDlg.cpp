#include "ui/LoadingDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CLoadingDlg, CDialogEx)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CLoadingDlg::CLoadingDlg(CWnd* parent) : CDialogEx(IDD_LOADING, parent)
{
}

void CLoadingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LOADING_PICTURE, m_picture);
}

BOOL CLoadingDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    if (m_picture.LoadFromResource(IDR_GIF_LOGIN_SPINNER, TRUE))
        m_picture.Draw();
    return TRUE;
}

void CLoadingDlg::SetStatusText(LPCWSTR text)
{
    if (!m_hWnd || !::IsWindow(m_hWnd))
        return;
    m_statusText = text ? text : L"";
    SetDlgItemText(IDC_LOADING_STATUS, m_statusText);
}

void CLoadingDlg::OnClose()
{
    // Ignored: the splash stays until the connection attempt is over.
}

void CLoadingDlg::OnDestroy()
{
    m_picture.UnLoad();
    Default();
}
