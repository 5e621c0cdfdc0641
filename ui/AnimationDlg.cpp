#include "ui/AnimationDlg.h"

#include "res/resource.h"

namespace {

constexpr UINT_PTR kCloseTimer = 1;

} // namespace

BEGIN_MESSAGE_MAP(CAnimationDlg, CDialogEx)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAnimationDlg::CAnimationDlg(CWnd* parent) : CDialogEx(IDD_ANIMATION, parent)
{
}

void CAnimationDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANIMATION_PICTURE, m_picture);
}

BOOL CAnimationDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    ModifyStyleEx(0, WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, kTransparentColor, 255, LWA_COLORKEY | LWA_ALPHA);
    SetWindowPos(nullptr, 0, 0, kSize, kSize, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_picture.LoadFromResource(IDR_GIF_RANDOM_PICK, FALSE))
        m_picture.Draw();
    SetTimer(kCloseTimer, kCloseDelay);
    return TRUE;
}

void CAnimationDlg::OnTimer(UINT_PTR id)
{
    if (id != kCloseTimer) {
        Default();
        return;
    }
    KillTimer(kCloseTimer);
    m_picture.UnLoad();
    EndDialog(IDOK);
}

void CAnimationDlg::OnDestroy()
{
    m_picture.UnLoad();
    Default();
}
