#include "sessions/LogManageDlg.h"

#include "foundation/WebService.h"
#include "framework/AfxMessageBox.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "sessions/LogInfo.h"
#include "foundation/AppMessages.h"
#include "ui/CaptionBand.h"
#include "ui/RichText.h"
#include "ui/UiScale.h"
#include "ui/ScaledLayout.h"
#include "ui/DialogSkin.h"

std::atomic<HWND> g_logDlg{nullptr};

namespace {

const COLORREF kHeaderText = RGB(0xC8, 0xBF, 0xE7);
const COLORREF kListText = RGB(0x04, 0xE2, 0xC6);
const COLORREF kLabelColour = RGB(0xEF, 0xE4, 0xB0);
const COLORREF kValueColour = RGB(0x04, 0xE2, 0xC6);

// Design sizes (x g_uiScale).
const int kWidth = 560;
const int kHeight = 430;
const int kDetailTextSize = 10;

// Reports of a dead or slow service wait up to its time-outs each; beyond this many at once
// further ones are not sent (their rows are still added).
const int kMaxReportsInFlight = 8;

CString RowTime(const SYSTEMTIME& time)
{
    CString text;
    text.Format(L"%02d-%02d %02d:%02d:%02d *", time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
    return text;
}

CString DetailTime(const SYSTEMTIME& time)
{
    CString text;
    text.Format(L"%04d-%02d-%02d %02d:%02d:%02d\n", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                time.wSecond);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CLogManageDlg, CSkinnedDialog)
    ON_MESSAGE(WM_ADD_LOG_RECORD, OnAddLog)
    ON_MESSAGE(WM_PAD_REPORT_DONE, OnReportDone)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LOG_LIST, OnItemChanged)
    ON_NOTIFY(LVN_DELETEITEM, IDC_LOG_LIST, OnDeleteItem)
    ON_BN_CLICKED(IDC_LOG_CANCEL, OnCloseButton)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCloseButton)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CLogManageDlg::CLogManageDlg() : CSkinnedDialog(IDD_LOG)
{
}

BOOL CLogManageDlg::CreateHidden(CWnd* parent)
{
    AfxInitRichEdit2();   // the detail pane is a rich edit
    if (!Create(IDD_LOG, parent))
        return FALSE;
    ShowWindow(SW_HIDE);
    g_logDlg = m_hWnd;
    return TRUE;
}

void CLogManageDlg::ShowInFront()
{
    if (!GetSafeHwnd())
        return;
    ShowWindow(SW_SHOW);
    SetForegroundWindow();
}

BOOL CLogManageDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    const CString face = LoadText(IDS_FONT_FACE);
    m_titleFont.CreateSimpleFont(ScaleToUi(13), FW_BOLD, face);
    m_textFont.CreateSimpleFont(ScaleToUi(12), FW_NORMAL, face);
    m_backgroundBrush.CreateSolidBrush(kDialogBackground);
    m_bandBrush.CreateSolidBrush(kDialogCaptionBand);
    SetWindowPos(nullptr, 0, 0, ScaleToUi(kWidth), ScaleToUi(kHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(::GetDesktopWindow());
    struct Placement { int id, x, y, width, height; CFont* font; };
    const Placement placements[] = {
        {IDC_TITLE_TEXT, 10, 10, 400, 22, &m_titleFont},
        {IDC_LOG_HEADER_TIME, 14, 48, 120, 18, &m_textFont},
        {IDC_LOG_HEADER_SLOT, 140, 48, 50, 18, &m_textFont},
        {IDC_LOG_HEADER_CONTENT, 196, 48, 340, 18, &m_textFont},
        {IDC_LOG_LIST, 10, 68, 540, 200, &m_textFont},
        {IDC_LOG_DETAIL, 10, 276, 540, 100, nullptr},
        {IDC_LOG_CANCEL, 470, 386, 80, 30, &m_textFont},
    };
    for (const Placement& place : placements) {
        if (CWnd* control = GetDlgItem(place.id)) {
            const CRect rect = ScaledRect(place.x, place.y, place.width, place.height);
            control->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height());
            if (place.font && place.font->GetSafeHandle())
                control->SetFont(*place.font);
        }
    }
    m_closeButton.CreateCaptionClose(this, ScaledRect(kWidth - 41, 0, 39, 34));
    m_detail.SubclassDlgItem(IDC_LOG_DETAIL, this);
    m_detail.SetBackgroundColor(kDialogBackground);
    PrepareList();
    return TRUE;
}

void CLogManageDlg::PrepareList()
{
    if (!m_list.SubclassDlgItem(IDC_LOG_LIST, this))
        return;
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_list.SendMessage(LVM_SETBKCOLOR, 0, kDialogBackground);
    m_list.SendMessage(LVM_SETTEXTBKCOLOR, 0, kDialogBackground);
    m_list.SendMessage(LVM_SETTEXTCOLOR, 0, kListText);
    // The statics above the list head its columns.
    m_list.InsertColumn(0, L"", LVCFMT_LEFT, ScaleToUi(126));
    m_list.InsertColumn(1, L"", LVCFMT_LEFT, ScaleToUi(56));
    m_list.InsertColumn(2, L"", LVCFMT_LEFT, ScaleToUi(352));
}

// Enter and Esc hide the window like its buttons: it lives as long as the view.
void CLogManageDlg::OnOK()
{
}

void CLogManageDlg::OnCancel()
{
    ShowWindow(SW_HIDE);
}

void CLogManageDlg::OnCloseButton()
{
    ShowWindow(SW_HIDE);
}

void CLogManageDlg::OnDestroy()
{
    HWND self = m_hWnd;
    g_logDlg.compare_exchange_strong(self, nullptr);
    if (m_list.GetSafeHwnd())
        m_list.DeleteAllItems();   // frees every record
    CDialogEx::OnDestroy();
}

// --- Records ------------------------------------------------------------------------------

LRESULT CLogManageDlg::OnAddLog(WPARAM wParam, LPARAM lParam)
{
    // Without the marker lParam is not known to be a record: it is neither read nor freed.
    if (wParam != MessageMarker || lParam == 0)
        return 0;
    std::unique_ptr<CLogInfo> record(reinterpret_cast<CLogInfo*>(lParam));
    const int slotNumber = record->m_slotNumber;
    const int kind = record->m_kind;
    if (!AddRow(std::move(record)))
        return 0;
    if (kind == CLogInfo::kAbnormalEnd)
        ReportAbnormalEnd(slotNumber, kind);
    return 1;
}

bool CLogManageDlg::AddRow(std::unique_ptr<CLogInfo> record)
{
    if (!m_list.GetSafeHwnd())
        return false;
    const CString time = RowTime(record->m_time);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = 0;
    item.pszText = const_cast<LPWSTR>(time.GetString());
    item.lParam = reinterpret_cast<LPARAM>(record.get());
    const int row = m_list.InsertItem(&item);
    if (row < 0)
        return false;
    const CLogInfo* added = record.release();   // the row's now
    CString slot;
    slot.Format(L"%d", added->m_slotNumber);
    m_list.SetItemText(row, 1, slot);
    m_list.SetItemText(row, 2, added->m_title);
    for (int count = m_list.GetItemCount(); count > kMaxRows; --count)
        m_list.DeleteItem(count - 1);
    return true;
}

void CLogManageDlg::OnDeleteItem(NMHDR* header, LRESULT* result)
{
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
    delete reinterpret_cast<CLogInfo*>(change->lParam);
    *result = 0;
}

void CLogManageDlg::OnItemChanged(NMHDR* header, LRESULT* result)
{
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
    *result = 0;
    if (!(change->uChanged & LVIF_STATE) || !(change->uNewState & LVIS_SELECTED) ||
        (change->uOldState & LVIS_SELECTED))
        return;
    if (const CLogInfo* record = reinterpret_cast<const CLogInfo*>(m_list.GetItemData(change->iItem)))
        ShowRecord(*record);
}

void CLogManageDlg::ShowRecord(const CLogInfo& record)
{
    if (!m_detail.GetSafeHwnd())
        return;
    m_detail.SetWindowText(L"");
    const CString face = LoadText(IDS_FONT_FACE);
    CString slot;
    slot.Format(L"%d (%s)\n", record.m_slotNumber, record.m_studentName.GetString());
    const struct { const wchar_t* label; CString value; } lines[] = {
        {L"- Time : ", DetailTime(record.m_time)},
        {L"- Slot : ", slot},
        {L"- Title : ", record.m_title + L"\n"},
        {L"- Detail\n", record.m_detail + L"\n"},
    };
    for (const auto& line : lines) {
        AppendRichText(m_detail, line.label, kLabelColour, kDetailTextSize, face);
        AppendRichText(m_detail, line.value, kValueColour, kDetailTextSize, face);
    }
    m_detail.SetSel(0, 0);
}

// --- The web service ----------------------------------------------------------------------

void CLogManageDlg::ReportAbnormalEnd(int slotNumber, int kind)
{
    if (m_reportsInFlight >= kMaxReportsInFlight) {
        TRACE(L"PC:%d abnormal end not reported: %d reports still waiting for the service\n", slotNumber,
              m_reportsInFlight);
        return;
    }
    if (StartPadAbnormalEndReport(slotNumber, kind, m_hWnd, WM_PAD_REPORT_DONE))
        ++m_reportsInFlight;
}

LRESULT CLogManageDlg::OnReportDone(WPARAM accepted, LPARAM lParam)
{
    std::unique_ptr<WebServiceReply> reply(reinterpret_cast<WebServiceReply*>(lParam));
    if (m_reportsInFlight > 0)
        --m_reportsInFlight;
    TRACE(L"abnormal-end report %s (code %s)\n", accepted ? L"accepted" : L"refused",
          reply ? reply->code.c_str() : L"");
    return 0;
}

// --- Skin ---------------------------------------------------------------------------------

void CLogManageDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, kDialogBackground);
    dc.FillSolidRect(0, 0, client.Width(), ScaleToUi(kDialogCaptionBandHeight), kDialogCaptionBand);
}

HBRUSH CLogManageDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    const int id = control ? control->GetDlgCtrlID() : 0;
    if (id == IDC_TITLE_TEXT) {
        dc->SetTextColor(kDialogTitleText);
        dc->SetBkColor(kDialogCaptionBand);
        return m_bandBrush;
    }
    if (id == IDC_LOG_HEADER_TIME || id == IDC_LOG_HEADER_SLOT ||
        id == IDC_LOG_HEADER_CONTENT) {
        dc->SetTextColor(kHeaderText);
        dc->SetBkColor(kDialogBackground);
        return m_backgroundBrush;
    }
    return CDialogEx::OnCtlColor(dc, control, kind);
}
