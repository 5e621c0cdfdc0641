#include "dialogs/LoginDlg.h"

#include "dialogs/core/LoginFieldRules.h"
#include "foundation/ConfigProfile.h"
#include "framework/MemDC.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "ui/CaptionBand.h"
#include "ui/ShowMessageBox.h"
#include "ui/SkinDraw.h"
#include "ui/UiScale.h"
#include "ui/ScaledLayout.h"
#include "ui/DialogSkin.h"

#include <string>

namespace {

const COLORREF kBackground = RGB(29, 36, 52);
const COLORREF kLabelText = RGB(15, 142, 230);
const COLORREF kEditText = RGB(64, 163, 220);
const COLORREF kEditBackground = RGB(30, 29, 30);

// Design sizes (x g_uiScale).
const int kWidth = 378;
const int kHeight = 354;

const UINT kTopmostTimer = 5121;
const UINT kTopmostDelayMs = 500;

CString Trimmed(const CString& text)
{
    return FromU16(TrimWhiteSpace(ToU16(text)));
}

} // namespace

BEGIN_MESSAGE_MAP(CLoginDlg, CSkinnedDialog)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCloseButton)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CLoginDlg::CLoginDlg(CWnd* parent) : CSkinnedDialog(IDD_LOGIN, parent)
{
}

void CLoginDlg::SetFields(const CString& serverAddress, const CString& serverPort, const CString& teacherId,
                          const CString& loginField, const CString& folderName)
{
    m_serverAddress = serverAddress;
    m_serverPort = serverPort;
    m_teacherId = teacherId;
    m_loginField = loginField;
    m_folderName = folderName;
}

void CLoginDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_connectButton);
    DDX_Control(pDX, IDCANCEL, m_cancelButton);
    DDX_Text(pDX, IDC_LOGIN_TEACHER_ID, m_teacherId);
    DDV_MaxChars(pDX, m_teacherId, kLoginFieldMaxChars);
    DDX_Text(pDX, IDC_LOGIN_FOLDER, m_folderName);
    DDV_MaxChars(pDX, m_folderName, kLoginFieldMaxChars);
    DDX_Text(pDX, IDC_LOGIN_ERROR, m_errorLine);
}

BOOL CLoginDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    CreateFonts();
    CreateCloseButton();
    LoadSkin();
    PlaceControls();
    MakeTopmost();

    m_faceName.LoadString(IDS_LOGIN_CAPTION);
    SetWindowText(CString(L"Lumora ") + m_faceName);

    if (CWnd* idEdit = GetDlgItem(IDC_LOGIN_TEACHER_ID)) {
        idEdit->SendMessage(EM_SETSEL, 0, -1);
        idEdit->SendMessage(EM_SCROLLCARET);
        idEdit->SetFocus();
    }
    UpdateData(FALSE);
    SetTimer(kTopmostTimer, kTopmostDelayMs);
    return FALSE;   // the focus is on the ID already
}

void CLoginDlg::CreateFonts()
{
    m_faceName.LoadString(IDS_FONT_FACE);
    m_titleFont.CreateSimpleFont(ScaleToUi(13), FW_BOLD, m_faceName);
    m_boldFont.CreateSimpleFont(ScaleToUi(12), FW_BOLD, m_faceName);
    m_normalFont.CreateSimpleFont(ScaleToUi(12), FW_NORMAL, m_faceName);
    m_backgroundBrush.CreateSolidBrush(kBackground);
    m_editBrush.CreateSolidBrush(kEditBackground);
}

void CLoginDlg::CreateCloseButton()
{
    m_closeButton.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, ScaledRect(337, 0, 39, 34), this, IDC_CAPTION_CLOSE);
}

void CLoginDlg::LoadSkin()
{
    m_connectButton.SetBitmaps(IDB_LOGIN_CONNECT, IDB_LOGIN_CONNECT_HOVER, IDB_LOGIN_CONNECT, IDB_LOGIN_CONNECT_HOVER);
    m_cancelButton.SetBitmaps(IDB_LOGIN_CANCEL, IDB_LOGIN_CANCEL_HOVER, IDB_LOGIN_CANCEL, IDB_LOGIN_CANCEL_HOVER);
    if (m_closeButton.GetSafeHwnd())
        m_closeButton.SetBitmaps(IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE);
    m_header.LoadBitmap(IDB_LOGIN_HEADER);
    m_editFrame.LoadBitmap(IDB_LOGIN_EDIT_FRAME);
    m_separator.LoadBitmap(IDB_LOGIN_SEPARATOR);
}

void CLoginDlg::PlaceControls()
{
    SetWindowPos(nullptr, 0, 0, ScaleToUi(kWidth), ScaleToUi(kHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControl(IDC_TITLE_TEXT, 6, 12, 250, 22, &m_titleFont);
    PlaceControl(IDC_LOGIN_ERROR, 23, 135, 334, 22, &m_boldFont);
    PlaceControl(IDC_LOGIN_TEACHER_ID, 110, 186, 240, 18, &m_boldFont);
    PlaceControl(IDC_LOGIN_FOLDER, 110, 230, 240, 18, &m_boldFont);
    PlaceControl(IDC_LOGIN_ID_LABEL, 21, 184, 82, 23, &m_boldFont);
    PlaceControl(IDC_LOGIN_FOLDER_LABEL, 21, 230, 82, 23, &m_boldFont);
    PlaceControl(IDOK, 220, 310, 67, 34, nullptr);
    PlaceControl(IDCANCEL, 289, 310, 67, 34, nullptr);
    PlaceControl(IDC_CAPTION_CLOSE, 337, 0, 39, 34, nullptr);
}

void CLoginDlg::PlaceControl(int id, int x, int y, int width, int height, CFont* font)
{
    PlaceScaled(GetDlgItem(id), x, y, width, height, font);
}

void CLoginDlg::MakeTopmost()
{
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CLoginDlg::OnTimer(UINT_PTR id)
{
    if (id != kTopmostTimer) {
        CDialogEx::OnTimer(id);
        return;
    }
    KillTimer(kTopmostTimer);
    MakeTopmost();
}

void CLoginDlg::OnOK()
{
    KillTimer(kTopmostTimer);
    if (!UpdateData(TRUE))
        return;
    m_teacherId = Trimmed(m_teacherId);
    const CString folder = Trimmed(m_folderName);
    switch (CheckLoginFields(ToU16(m_teacherId), ToU16(folder))) {
    case LoginFieldVerdict::IdEmpty:
        RefuseField(IDS_LOGIN_ID_EMPTY, IDC_LOGIN_TEACHER_ID);
        return;
    case LoginFieldVerdict::IdForbiddenChar:
        RefuseField(IDS_LOGIN_ID_BAD_CHARS, IDC_LOGIN_TEACHER_ID);
        return;
    case LoginFieldVerdict::IdTooLong:
        RefuseField(IDS_LOGIN_ID_TOO_LONG, IDC_LOGIN_TEACHER_ID);
        return;
    case LoginFieldVerdict::FolderForbidden:
        m_folderName = folder;
        RefuseField(IDS_LOGIN_FOLDER_BAD_CHARS, IDC_LOGIN_FOLDER);
        return;
    case LoginFieldVerdict::Accepted:
        break;
    }
    m_folderName = folder;
    SetConfigString(L"config", L"teacherid", m_teacherId);
    SetConfigString(L"config", L"classinfo", m_folderName);
    UpdateData(FALSE);
    CDialogEx::OnOK();
}

void CLoginDlg::RefuseField(UINT textId, int editId)
{
    m_faceName.LoadString(textId);
    ShowMessageBox(m_faceName);
    if (CWnd* edit = GetDlgItem(editId))
        GotoDlgCtrl(edit);
}

void CLoginDlg::OnCancel()
{
    KillTimer(kTopmostTimer);
    EndDialog(IDCANCEL);
}

void CLoginDlg::OnCloseButton()
{
    OnCancel();
}

HBRUSH CLoginDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    const int id = control ? control->GetDlgCtrlID() : 0;
    if (id == IDC_TITLE_TEXT) {
        dc->SetTextColor(kDialogTitleText);
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    if (id == IDC_LOGIN_TEACHER_ID || id == IDC_LOGIN_FOLDER) {
        dc->SetTextColor(kEditText);
        dc->SetBkColor(kEditBackground);
        return m_editBrush;
    }
    if (id == IDC_LOGIN_ERROR || id == IDC_LOGIN_ID_LABEL || id == IDC_LOGIN_FOLDER_LABEL) {
        dc->SetTextColor(kLabelText);
        dc->SetBkColor(kBackground);
        return m_backgroundBrush;
    }
    return CDialogEx::OnCtlColor(dc, control, kind);
}

void CLoginDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemDC buffer(dc, client);
    PaintDialog(buffer.GetDC(), client);
}

void CLoginDlg::PaintDialog(CDC& dc, const CRect& client)
{
    PaintCaptionBand(dc, client, kBackground, kDialogCaptionBand, kDialogCaptionBandHeight);
    if (m_header.GetSafeHandle())
        DrawSkinBitmap(dc, m_header, ScaledRect(0, 39, 376, 89));
    if (m_editFrame.GetSafeHandle()) {
        DrawSkinBitmap(dc, m_editFrame, ScaledRect(104, 178, 252, 29));
        DrawSkinBitmap(dc, m_editFrame, ScaledRect(104, 221, 252, 29));
    }
    if (m_separator.GetSafeHandle()) {
        DrawSkinBitmap(dc, m_separator, ScaledRect(18, 212, 341, 2));
        DrawSkinBitmap(dc, m_separator, ScaledRect(18, 254, 341, 2));
    }
}
