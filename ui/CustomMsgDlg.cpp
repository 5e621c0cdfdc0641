#include "ui/CustomMsgDlg.h"

#include "framework/MemDC.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "ui/CaptionBand.h"
#include "ui/SkinDraw.h"
#include "ui/UiScale.h"
#include "ui/ScaledLayout.h"
#include "ui/DialogSkin.h"

namespace {

const COLORREF kTitleBand = RGB(24, 30, 43);
const COLORREF kMessageText = RGB(150, 162, 163);

// Design sizes (x g_uiScale).
const int kWidth = 504;
const int kHeight = 234;
const int kTitleBandHeight = 38;
const int kButtonWidth = 67;
const int kButtonHeight = 34;
const int kButtonTop = 183;

void PlaceButton(CImageButton& button, int x)
{
    if (!button.GetSafeHwnd())
        return;
    const CRect rect = ScaledRect(x, kButtonTop, kButtonWidth, kButtonHeight);
    button.MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
    button.ShowWindow(SW_SHOW);
}

} // namespace

BEGIN_MESSAGE_MAP(CCustomMsgDlg, CSkinnedDialog)
    ON_BN_CLICKED(IDC_MSGBOX_YES, OnYes)
    ON_BN_CLICKED(IDC_MSGBOX_NO, OnNo)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCloseButton)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CCustomMsgDlg::CCustomMsgDlg(CWnd* parent) : CSkinnedDialog(IDD_MESSAGE_BOX, parent, kTitleBandHeight)
{
}

void CCustomMsgDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Control(pDX, IDCANCEL, m_cancelButton);
    DDX_Control(pDX, IDC_MSGBOX_YES, m_yesButton);
    DDX_Control(pDX, IDC_MSGBOX_NO, m_noButton);
    DDX_Control(pDX, IDC_CAPTION_CLOSE, m_closeButton);
}

BOOL CCustomMsgDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    CreateFonts();
    m_textPanel.LoadBitmap(IDB_MSGBOX_TEXT_PANEL);
    m_icon.LoadBitmap(IDB_MSGBOX_ICON);
    m_okButton.SetBitmaps(IDB_OK, IDB_OK_HOVER, IDB_OK, IDB_OK_HOVER);
    m_cancelButton.SetBitmaps(IDB_CANCEL, IDB_CANCEL_HOVER, IDB_CANCEL, IDB_CANCEL_HOVER);
    m_yesButton.SetBitmaps(IDB_MSGBOX_YES, IDB_MSGBOX_YES, IDB_MSGBOX_YES, IDB_MSGBOX_YES);
    m_noButton.SetBitmaps(IDB_MSGBOX_NO, IDB_MSGBOX_NO, IDB_MSGBOX_NO, IDB_MSGBOX_NO);
    m_closeButton.SetBitmaps(IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE,
                             IDB_CAPTION_CLOSE);
    SetWindowText(m_caption);
    SetDlgItemText(IDC_TITLE_TEXT, m_caption);
    if (CWnd* title = GetDlgItem(IDC_TITLE_TEXT))
        title->SetFont(m_titleFont);
    PlaceControls();
    ShowAnswerButtons();
    return FALSE;   // the focus is on the default answer
}

void CCustomMsgDlg::CreateFonts()
{
    const CString face = LoadText(IDS_FONT_FACE);
    m_titleFont.CreateSimpleFont(ScaleToUi(13), FW_BOLD, face);
    m_smallFont.CreateSimpleFont(ScaleToUi(12), FW_NORMAL, face);
    m_textFont.CreateSimpleFont(ScaleToUi(13), FW_NORMAL, face);
}

void CCustomMsgDlg::PlaceControls()
{
    SetWindowPos(nullptr, 0, 0, ScaleToUi(kWidth), ScaleToUi(kHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
    if (m_closeButton.GetSafeHwnd()) {
        const CRect close = ScaledRect(463, 0, 39, 34);
        m_closeButton.MoveWindow(close.left, close.top, close.Width(), close.Height());
    }
    if (CWnd* title = GetDlgItem(IDC_TITLE_TEXT)) {
        const CRect rect = ScaledRect(6, 12, 231, 22);
        title->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
    }
}

void CCustomMsgDlg::ShowAnswerButtons()
{
    CImageButton* focus = nullptr;
    switch (m_style) {
    case StyleOk:
        PlaceButton(m_okButton, 418);
        focus = &m_okButton;
        break;
    case StyleYesNo:
        PlaceButton(m_yesButton, 345);
        PlaceButton(m_noButton, 418);
        focus = &m_yesButton;
        break;
    case StyleYesNoCancel:
        PlaceButton(m_yesButton, 272);
        PlaceButton(m_noButton, 345);
        PlaceButton(m_cancelButton, 418);
        focus = &m_yesButton;
        break;
    default:
        break;   // no answer button: only the close button and Esc end it
    }
    if (focus && focus->GetSafeHwnd())
        GotoDlgCtrl(focus);
}

void CCustomMsgDlg::Finish(int result, int endCode)
{
    m_result = result;
    EndDialog(endCode);
}

void CCustomMsgDlg::OnOK()
{
    // Enter arrives as IDOK whatever the style; it must give an answer the caller asked for.
    if (m_style == StyleOk)
        Finish(IDOK, IDOK);
    else if (m_style == StyleYesNo || m_style == StyleYesNoCancel)
        Finish(IDYES, IDOK);
}

void CCustomMsgDlg::OnCancel()
{
    Finish(IDCANCEL, IDCANCEL);
}

void CCustomMsgDlg::OnYes()
{
    Finish(IDYES, IDOK);
}

void CCustomMsgDlg::OnNo()
{
    Finish(IDNO, IDCANCEL);
}

void CCustomMsgDlg::OnCloseButton()
{
    Finish(IDCANCEL, IDCANCEL);
}

HBRUSH CCustomMsgDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    if (control && control->GetDlgCtrlID() == IDC_TITLE_TEXT) {
        dc->SetTextColor(kDialogTitleText);
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return CDialogEx::OnCtlColor(dc, control, kind);
}

void CCustomMsgDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemDC buffer(dc, client);
    PaintBox(buffer.GetDC(), client);
}

void CCustomMsgDlg::PaintBox(HDC hdc, const CRect& client)
{
    CDCHandle dc(hdc);
    PaintCaptionBand(dc, client, kDialogBackground, kTitleBand, kTitleBandHeight);
    if (m_textPanel.GetSafeHandle())
        DrawSkinBitmap(dc, m_textPanel, ScaledRect(15, 51, 470, 124));
    if (m_icon.GetSafeHandle())
        DrawSkinBitmap(dc, m_icon, ScaledRect(39, 85, 55, 50));

    CRect area(ScaleToUi(110), ScaleToUi(63), ScaleToUi(460), ScaleToUi(163));
    const UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;
    HGDIOBJ oldFont = dc.SelectObject(&m_textFont);
    dc.SetTextColor(kMessageText);
    dc.SetBkMode(TRANSPARENT);
    CRect measured = area;
    dc.DrawText(m_text, &measured, format | DT_CALCRECT);
    CRect text = area;
    if (measured.Height() < area.Height())
        text.top += (area.Height() - measured.Height()) / 2;
    dc.DrawText(m_text, &text, format);
    if (oldFont)
        dc.SelectObject(oldFont);
}
