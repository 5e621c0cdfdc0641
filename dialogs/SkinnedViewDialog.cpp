#include "dialogs/SkinnedViewDialog.h"

#include "dialogs/ViewDialogState.h"
#include "framework/MemDC.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "ui/CaptionBand.h"
#include "ui/ShowMessageBox.h"
#include "ui/UiScale.h"
#include "ui/ScaledLayout.h"
#include "ui/DialogSkin.h"

BEGIN_MESSAGE_MAP(CSkinnedViewDialog, CSkinnedDialog)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCloseButton)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChangeResult)
END_MESSAGE_MAP()

CSkinnedViewDialog::CSkinnedViewDialog(UINT templateId, CWnd* parent, int designWidth, int designHeight,
                                       COLORREF background)
    : CSkinnedDialog(templateId, parent), m_designWidth(designWidth), m_designHeight(designHeight), m_background(background)
{
}

BOOL CSkinnedViewDialog::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    ShowTeacherToolbar(false);
    CString face;
    face.LoadString(IDS_FONT_FACE);
    m_titleFont.CreateSimpleFont(ScaleToUi(13), FW_BOLD, face);
    m_boldFont.CreateSimpleFont(ScaleToUi(12), FW_BOLD, face);
    m_normalFont.CreateSimpleFont(ScaleToUi(12), FW_NORMAL, face);
    m_backgroundBrush.CreateSolidBrush(m_background);
    m_closeButton.CreateCaptionClose(this, ScaledRect(m_designWidth - 42, 0, 39, 34));
    ApplySize();
    SetTextColour(IDC_TITLE_TEXT, kDialogTitleText);
    // Without a system caption the window's own title (the taskbar's, a window list's) is the
    // band's.
    CString title;
    if (GetWindowTextLength() == 0 && GetDlgItemText(IDC_TITLE_TEXT, title) > 0)
        SetWindowText(title);
    return TRUE;
}

void CSkinnedViewDialog::ApplySize()
{
    SetWindowPos(nullptr, 0, 0, ScaleToUi(m_designWidth), ScaleToUi(m_designHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CSkinnedViewDialog::OnDisplayChangeResult(WPARAM, LPARAM)
{
    ApplySize();
    return 0;
}

void CSkinnedViewDialog::SetEditColours(COLORREF text, COLORREF background)
{
    m_editText = text;
    m_editBrush.CreateSolidBrush(background);
}

void CSkinnedViewDialog::AddPanel(int x, int y, int width, int height, COLORREF colour)
{
    m_panels.push_back({ScaledRect(x, y, width, height), colour});
}

void CSkinnedViewDialog::PlaceControl(int id, int x, int y, int width, int height, CFont* font)
{
    PlaceScaled(GetDlgItem(id), x, y, width, height, font);
}

void CSkinnedViewDialog::Refuse(UINT textId, int focusId)
{
    ShowMessageBox(LoadText(textId));
    if (!GetSafeHwnd())
        return;
    if (CWnd* control = GetDlgItem(focusId))
        GotoDlgCtrl(control);
}

void CSkinnedViewDialog::OnCloseButton()
{
    OnCancel();
}

HBRUSH CSkinnedViewDialog::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    if (kind == CTLCOLOR_EDIT || kind == CTLCOLOR_LISTBOX) {
        if (!m_editBrush.GetSafeHandle())
            return CDialog::OnCtlColor(dc, control, kind);
        dc->SetTextColor(m_editText);
        LOGBRUSH brush{};
        ::GetObjectW(m_editBrush.GetSafeHandle(), sizeof(brush), &brush);
        dc->SetBkColor(brush.lbColor);
        return m_editBrush;
    }
    const int id = control ? control->GetDlgCtrlID() : 0;
    for (const TextColour& text : m_textColours) {
        if (text.id != id)
            continue;
        dc->SetTextColor(text.colour);
        if (id == IDC_TITLE_TEXT) {
            dc->SetBkMode(TRANSPARENT);   // over the caption band
            return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
        }
        dc->SetBkColor(m_background);
        return m_backgroundBrush;
    }
    if (kind == CTLCOLOR_STATIC || kind == CTLCOLOR_DLG) {
        dc->SetTextColor(RGB(255, 255, 255));
        dc->SetBkColor(m_background);
        return m_backgroundBrush;
    }
    return CDialog::OnCtlColor(dc, control, kind);
}

void CSkinnedViewDialog::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CMemDC buffer(paint, client);
    CDC& dc = buffer.GetDC();
    dc.FillSolidRect(client, m_background);
    const int band = ScaleToUi(kDialogCaptionBandHeight);
    dc.FillSolidRect(0, 0, client.Width(), band, kDialogCaptionBand);
    dc.FillSolidRect(0, band, client.Width(), 1, RGB(0, 0, 0));
    for (const Panel& panel : m_panels)
        dc.FillSolidRect(panel.rect, panel.colour);
    PaintExtra(dc);
}

// The one destroy handling of the view's dialogs: the toolbar comes back, the guard is cleared.
void CSkinnedViewDialog::OnDestroy()
{
    OnViewDialogDestroyed();
    CDialog::OnDestroy();
}
