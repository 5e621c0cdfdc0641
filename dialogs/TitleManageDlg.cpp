#include "dialogs/TitleManageDlg.h"

#include "dialogs/ViewDialogState.h"
#include "dialogs/core/StudentNameRules.h"
#include "framework/Bitmap.h"
#include "framework/MemDC.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "ui/CaptionBand.h"
#include "ui/ShowMessageBox.h"
#include "ui/SkinScrollWnd.h"
#include "ui/UiScale.h"
#include "ui/DialogSkin.h"

#include <algorithm>

namespace {

const COLORREF kListBackground = RGB(43, 37, 31);
const COLORREF kListText = RGB(178, 178, 178);
const COLORREF kHeaderText = RGB(255, 174, 0);
const COLORREF kHintText = RGB(163, 162, 163);
const COLORREF kLabelText = RGB(251, 250, 251);
const COLORREF kEditText = RGB(41, 36, 30);
const COLORREF kEditBackground = RGB(178, 178, 178);

const int kRowHeight = 22;
const UINT kEditRepaintTimer = 1;
const UINT kEditRepaintMs = 100;

UINT RefusalText(StudentNameVerdict verdict)
{
    switch (verdict) {
    case StudentNameVerdict::Empty: return IDS_NAME_EMPTY;
    case StudentNameVerdict::ForbiddenChar: return IDS_NAME_BAD_CHARS;
    case StudentNameVerdict::TooLong: return IDS_NAME_TOO_LONG;
    case StudentNameVerdict::Accepted: break;
    }
    return 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CTitleManageDlg, CSkinnedDialog)
    ON_BN_CLICKED(IDC_NAMES_OK, OnOkButton)
    ON_BN_CLICKED(IDC_NAMES_CANCEL, OnCancel)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCancel)
    ON_BN_CLICKED(IDC_NAMES_SHOW, OnShowNamesClicked)
    ON_NOTIFY(NM_DBLCLK, IDC_NAMES_LIST, OnListDoubleClick)
    ON_EN_KILLFOCUS(IDC_NAMES_EDIT, OnEditKillFocus)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CTitleManageDlg::CTitleManageDlg(CWnd* parent) : CSkinnedDialog(IDD_STUDENT_NAMES, parent)
{
}

void CTitleManageDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NAMES_LIST, m_list);
    DDX_Control(pDX, IDC_NAMES_OK, m_okButton);
    DDX_Control(pDX, IDC_NAMES_CANCEL, m_cancelButton);
    DDX_Control(pDX, IDC_NAMES_SHOW, m_showButton);
}

BOOL CTitleManageDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    ShowTeacherToolbar(false);
    CreateResources();
    CRect client;
    GetClientRect(&client);
    m_closeButton.CreateCaptionClose(this, CRect(client.right - ScaleToUi(39), 0, client.right, ScaleToUi(34)));
    m_okButton.SetBitmaps(IDB_OK, IDB_OK_HOVER, IDB_OK, IDB_OK_HOVER);
    m_cancelButton.SetBitmaps(IDB_CANCEL, IDB_CANCEL_HOVER, IDB_CANCEL, IDB_CANCEL_HOVER);
    m_showButton.SetBitmaps(IDB_NAMES_SHOW_OFF, IDB_NAMES_SHOW_OFF, IDB_NAMES_SHOW_OFF, IDB_NAMES_SHOW_ON);
    if (m_showNames)
        m_showButton.SetChecked();
    FillList();
    if (CWnd* edit = GetDlgItem(IDC_NAMES_EDIT))
        edit->SendMessage(EM_LIMITTEXT, kStudentNameEditMaxChars);
    SetTimer(kEditRepaintTimer, kEditRepaintMs);
    return TRUE;
}

void CTitleManageDlg::CreateResources()
{
    m_text.LoadString(IDS_FONT_FACE);
    m_boldFont.CreateSimpleFont(ScaleToUi(12), FW_BOLD, m_text);
    m_normalFont.CreateSimpleFont(ScaleToUi(12), FW_NORMAL, m_text);
    m_listFont.CreateSimpleFont(ScaleToUi(12), FW_NORMAL, m_text);
    m_editBrush.CreateSolidBrush(kEditBackground);
    for (int id : {IDC_NAMES_HEADER_SET, IDC_NAMES_HEADER_CHECK, IDC_TITLE_TEXT})
        if (CWnd* control = GetDlgItem(id))
            control->SetFont(m_boldFont);
}

void CTitleManageDlg::FillList()
{
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_list.SetRowHeight(kRowHeight);
    m_list.SetRowColors(kListBackground, kListText);
    m_list.SetFont(m_listFont);
    CRect client;
    m_list.GetClientRect(&client);
    m_text.LoadString(IDS_COL_STUDENT_NUMBER);
    m_list.InsertColumn(0, m_text, LVCFMT_CENTER, ScaleToUi(102));
    m_text.LoadString(IDS_COL_STUDENT_NAME);
    m_list.InsertColumn(1, m_text, LVCFMT_CENTER, client.Width() - ScaleToUi(120));
    CString format;
    format.LoadString(IDS_STUDENT_NUMBER_FORMAT);
    for (size_t i = 0; i < m_names.size(); ++i) {
        CString number;
        number.Format(format, static_cast<int>(i) + 1);
        const int row = m_list.InsertItem(static_cast<int>(i), number);
        m_list.SetItemText(row, 1, m_names[i]);
    }
    CBitmap skin;
    if (skin.LoadBitmap(IDB_SKIN_SCROLLBAR))
        CSkinScrollWnd::Wrap(&m_list, skin);
}

void CTitleManageDlg::OnListDoubleClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (m_editing)
        return;
    LVHITTESTINFO hit = {};
    hit.pt = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
    if (m_list.SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0 || hit.iItem < 0)
        return;
    if (hit.iSubItem == 1)
        BeginEdit(hit.iItem);
}

void CTitleManageDlg::BeginEdit(int row)
{
    CWnd* edit = GetDlgItem(IDC_NAMES_EDIT);
    if (!edit)
        return;
    CRect cell;
    cell.top = 1;
    cell.left = LVIR_LABEL;
    if (!m_list.SendMessage(LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell)))
        return;
    CRect client;
    m_list.GetClientRect(&client);
    cell.right = std::min(cell.right, client.right);
    ::MapWindowPoints(m_list.m_hWnd, m_hWnd, reinterpret_cast<POINT*>(&cell), 2);
    cell.DeflateRect(1, 1);
    m_editing = true;
    m_editRow = row;
    m_editNumber = m_list.GetItemText(row, 0);
    m_editOldName = m_list.GetItemText(row, 1);
    m_list.EnableWindow(FALSE);
    edit->SetWindowPos(HWND_TOP, cell.left, cell.top, cell.Width(), cell.Height(), SWP_SHOWWINDOW);
    edit->SetWindowText(m_editOldName);
    edit->SetFocus();
    edit->SendMessage(EM_SETSEL, 0, -1);
    CRect format;
    edit->SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    format.OffsetRect(3, 3);
    edit->SendMessage(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
}

void CTitleManageDlg::OnEditKillFocus()
{
    if (m_skipKillFocus) {
        m_skipKillFocus = false;
        return;
    }
    CWnd* edit = GetDlgItem(IDC_NAMES_EDIT);
    if (!m_editing || !edit)
        return;
    CString text;
    edit->GetWindowText(text);
    const UINT refusal = RefusalText(CheckStudentName(ToU16(text)));
    if (refusal != 0) {
        RefuseEdit(refusal);
        return;
    }
    EndEdit(text);
}

void CTitleManageDlg::RefuseEdit(UINT textId)
{
    m_text.LoadString(textId);
    ShowMessageBox(m_text);
    if (CWnd* edit = GetDlgItem(IDC_NAMES_EDIT))
        edit->SetFocus();
}

void CTitleManageDlg::EndEdit(const CString& text)
{
    CWnd* edit = GetDlgItem(IDC_NAMES_EDIT);
    edit->ShowWindow(SW_HIDE);
    edit->SendMessage(EM_SETRECT, 0, 0);   // back to the default formatting rectangle
    m_editing = false;
    m_list.SetItemText(m_editRow, 1, text);
    m_list.EnableWindow(TRUE);
    m_list.Invalidate();
}

BOOL CTitleManageDlg::PreTranslateMessage(MSG* msg)
{
    if (m_editing && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        if (msg->wParam == VK_RETURN) {
            SetFocus();   // ends the edit through the loss of focus
        } else {
            m_skipKillFocus = true;   // the message box takes the focus: not an end of editing
            RefuseEdit(IDS_NAME_FINISH_EDIT_FIRST);
        }
        return TRUE;
    }
    return CDialogEx::PreTranslateMessage(msg);
}

// Enter outside editing: the check is read, the dialog stays.
void CTitleManageDlg::OnOK()
{
    m_showNames = m_showButton.IsChecked() ? 1 : 0;
}

void CTitleManageDlg::OnOkButton()
{
    // A pending edit that was refused stays open with its message: closing now would drop it.
    if (m_editing)
        return;
    OnOK();
    for (int row = 0; row < m_list.GetItemCount() && row < static_cast<int>(m_names.size()); ++row)
        m_names[row] = m_list.GetItemText(row, 1);
    EndDialog(IDOK);
}

void CTitleManageDlg::OnCancel()
{
    m_skipKillFocus = true;   // the pending edit is dropped
    EndDialog(IDCANCEL);
}

void CTitleManageDlg::OnShowNamesClicked()
{
    if (m_showButton.IsChecked())
        m_showButton.ClearChecked();
    else
        m_showButton.SetChecked();
    m_showNames = m_showButton.IsChecked() ? 1 : 0;
}

void CTitleManageDlg::OnTimer(UINT_PTR id)
{
    if (id != kEditRepaintTimer) {
        CDialogEx::OnTimer(id);
        return;
    }
    if (m_editing)
        if (CWnd* edit = GetDlgItem(IDC_NAMES_EDIT))
            edit->Invalidate();
}

void CTitleManageDlg::OnDestroy()
{
    KillTimer(kEditRepaintTimer);
    OnViewDialogDestroyed();
    CDialogEx::OnDestroy();
}

HBRUSH CTitleManageDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    const int id = control ? control->GetDlgCtrlID() : 0;
    if (id == IDC_NAMES_EDIT) {
        dc->SetTextColor(kEditText);
        dc->SetBkColor(kEditBackground);
        return m_editBrush;
    }
    COLORREF color = CLR_INVALID;
    switch (id) {
    case IDC_NAMES_HEADER_SET: case IDC_NAMES_HEADER_CHECK: color = kHeaderText; break;
    case IDC_NAMES_HINT_CORNER: case IDC_NAMES_HINT_NUMBER_ONLY: case IDC_NAMES_HINT_ALT: case IDC_NAMES_HINT_CHECK:
        color = kHintText; break;
    case IDC_NAMES_SHOW_LABEL: case IDC_NAMES_COL_NUMBER: case IDC_NAMES_COL_NAME: color = kLabelText; break;
    case IDC_TITLE_TEXT: color = kDialogTitleText; break;
    default: return CDialogEx::OnCtlColor(dc, control, kind);
    }
    dc->SetTextColor(color);
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CTitleManageDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CMemDC buffer(dc, client);
    PaintCaptionBand(buffer.GetDC(), client, kDialogBackground, kDialogCaptionBand, kDialogCaptionBandHeight);
}
