#include "ui/SkinnedDialog.h"

#include "ui/CaptionBand.h"

BEGIN_MESSAGE_MAP(CSkinnedDialog, CDialogEx)
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

BOOL CSkinnedDialog::OnInitDialog()
{
    ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
    return CDialogEx::OnInitDialog();
}

BOOL CSkinnedDialog::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CSkinnedDialog::OnNcHitTest(CPoint point)
{
    if (IsInCaptionBand(*this, point, m_captionBandHeight))
        return HTCAPTION;
    return CDialogEx::OnNcHitTest(point);
}
