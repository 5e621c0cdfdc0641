#include "activities/quiz/QuizPopupDlg.h"

#include "framework/PaintDC.h"
#include "res/resource.h"
#include "ui/CaptionBand.h"
#include "ui/UiScale.h"

BEGIN_MESSAGE_MAP(CQuizPopupDlg, CSkinnedDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CQuizPopupDlg::CQuizPopupDlg(UINT templateId, CWnd* parent) : CSkinnedDialog(templateId, parent, kCaptionHeight)
{
    m_backgroundBrush.CreateSolidBrush(kBackground);
}

void CQuizPopupDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, kBackground);
    dc.FillSolidRect(0, 0, client.Width(), ScaleToUi(kCaptionHeight), kCaptionBand);
    PaintContent(dc);
}

HBRUSH CQuizPopupDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    if (kind != CTLCOLOR_STATIC)
        return CDialogEx::OnCtlColor(dc, control, kind);
    if (control && control->GetDlgCtrlID() == IDC_TITLE_TEXT) {
        // The title never changes, so it may be drawn straight over the band.
        dc->SetTextColor(kTitleText);
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    dc->SetTextColor(kText);
    dc->SetBkColor(kBackground);
    return m_backgroundBrush;
}
