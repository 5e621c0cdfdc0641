#include "dialogs/JpegQuiltyDlg.h"

#include "dialogs/core/SettingsRules.h"
#include "res/resource.h"
#include "ui/UiScale.h"
#include "ui/ScaledLayout.h"

#include <algorithm>

namespace {

const COLORREF kNoteText = RGB(255, 174, 0);
const COLORREF kGreyText = RGB(178, 178, 178);
const COLORREF kPanel = RGB(62, 68, 80);
const COLORREF kTrack = RGB(120, 128, 140);
const COLORREF kThumb = RGB(3, 207, 227);

} // namespace

BEGIN_MESSAGE_MAP(CJpegQuiltyDlg, CSkinnedViewDialog)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CJpegQuiltyDlg::CJpegQuiltyDlg(CWnd* parent)
    : CSkinnedViewDialog(IDD_MONITOR_SETTINGS, parent, 477, 516, RGB(76, 82, 94))
{
}

void CJpegQuiltyDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Control(pDX, IDCANCEL, m_cancelButton);
    DDX_Text(pDX, IDC_MON_REFRESH, m_refreshPeriod);
    DDV_MinMaxInt(pDX, m_refreshPeriod, kMinRefreshDelay, kMaxRefreshDelay);
    DDX_Check(pDX, IDC_MON_CAPTURE_ALL, m_captureAll);
}

BOOL CJpegQuiltyDlg::OnInitDialog()
{
    CSkinnedViewDialog::OnInitDialog();
    m_okButton.SetBitmaps(IDB_SETTINGS_OK, IDB_SETTINGS_OK_HOVER, IDB_SETTINGS_OK, IDB_SETTINGS_OK_HOVER);
    m_cancelButton.SetBitmaps(IDB_SETTINGS_CANCEL, IDB_SETTINGS_CANCEL_HOVER, IDB_SETTINGS_CANCEL,
                              IDB_SETTINGS_CANCEL_HOVER);
    SetEditColours(RGB(5, 226, 196), RGB(32, 28, 25));
    AddPanel(22, 45, 434, 218, kPanel);
    AddPanel(22, 269, 434, 192, kPanel);
    PlaceControl(IDC_TITLE_TEXT, 6, 12, 250, 22, &m_titleFont);
    PlaceControl(IDC_MON_REFRESH_HEADER, 34, 59, 250, 13, &m_titleFont);
    PlaceControl(IDC_MON_REFRESH_LABEL, 185, 117, 102, 13, &m_boldFont);
    PlaceControl(IDC_MON_REFRESH, 281, 119, 42, 13, &m_boldFont);
    PlaceControl(IDC_MON_REFRESH_UNIT, 337, 119, 120, 13, &m_boldFont);
    PlaceControl(IDC_MON_NOTE_UNIT, 65, 204, 411, 15, &m_normalFont);
    PlaceControl(IDC_MON_NOTE_RANGE, 65, 221, 411, 18, &m_normalFont);
    PlaceControl(IDC_MON_NOTE_EXAMPLE, 65, 238, 411, 18, &m_normalFont);
    PlaceControl(IDC_MON_QUALITY_HEADER, 34, 283, 250, 13, &m_titleFont);
    PlaceControl(IDC_MON_QUALITY_NOTE, 90, 321, 322, 13, &m_normalFont);
    PlaceControl(IDC_MON_LOW_QUALITY, 48, 440, 44, 13, &m_boldFont);
    PlaceControl(IDC_MON_HIGH_QUALITY, 395, 440, 44, 13, &m_boldFont);
    PlaceControl(IDOK, 322, 471, 67, 34, nullptr);
    PlaceControl(IDCANCEL, 391, 471, 67, 34, nullptr);
    PlaceControl(IDC_CAPTION_CLOSE, 435, 0, 39, 34, nullptr);
    for (int id : {IDC_MON_REFRESH_LABEL, IDC_MON_REFRESH_UNIT, IDC_MON_REFRESH_HEADER, IDC_MON_QUALITY_HEADER})
        SetTextColour(id, RGB(255, 255, 255));
    for (int id : {IDC_MON_NOTE_UNIT, IDC_MON_NOTE_RANGE})
        SetTextColour(id, kGreyText);
    for (int id : {IDC_MON_NOTE_EXAMPLE, IDC_MON_QUALITY_NOTE, IDC_MON_LOW_QUALITY, IDC_MON_HIGH_QUALITY})
        SetTextColour(id, kNoteText);
    m_quality = ClampQuality(m_quality);
    m_thumbOffset = QualityToOffset(m_quality, TrackLength());
    return TRUE;
}

// --- The slider -----------------------------------------------------------------------------

int CJpegQuiltyDlg::TrackLeft() const
{
    return ScaleToUi(51);
}

int CJpegQuiltyDlg::TrackLength() const
{
    return ScaleToUi(422) - ScaleToUi(51) + 1;
}

CRect CJpegQuiltyDlg::ThumbRect() const
{
    const int left = TrackLeft() + m_thumbOffset;
    return CRect(left, ScaleToUi(350), left + ScaleToUi(11), ScaleToUi(368));
}

void CJpegQuiltyDlg::OnLButtonDown(UINT flags, CPoint point)
{
    if (ThumbRect().PtInRect(point))
        m_dragging = true;
    Default();
}

void CJpegQuiltyDlg::OnMouseMove(UINT flags, CPoint point)
{
    if (m_dragging && !m_dragStarted) {
        SetCapture();
        m_lastX = static_cast<int>(point.x);
        m_dragStarted = true;
        ShowValueBox();
    } else if (m_dragStarted) {
        m_thumbOffset = std::min(std::max(m_thumbOffset + static_cast<int>(point.x) - m_lastX, 0), TrackLength() - 1);
        m_lastX = static_cast<int>(point.x);
        m_quality = OffsetToQuality(m_thumbOffset, TrackLength());
        ShowValueBox();
        const CRect band = ScaledRect(45, 350, 394, 22);
        InvalidateRect(&band, FALSE);
    }
    Default();
}

void CJpegQuiltyDlg::ShowValueBox()
{
    CWnd* box = GetDlgItem(IDC_MON_VALUE_BOX);
    if (!box)
        return;
    CString text;
    text.Format(L"%d", m_quality);
    box->SetWindowText(text);
    box->MoveWindow(TrackLeft() + m_thumbOffset - ScaleToUi(9), ScaleToUi(329), ScaleToUi(26), ScaleToUi(18));
    box->ShowWindow(SW_SHOWNA);
}

void CJpegQuiltyDlg::OnLButtonUp(UINT flags, CPoint point)
{
    const bool captured = m_dragStarted;
    EndDrag();
    if (captured)
        ::ReleaseCapture();
    Default();
}

// Another window took the mouse: the drag ends where it was.
void CJpegQuiltyDlg::OnCaptureChanged(CWnd* wnd)
{
    EndDrag();
    Default();
}

void CJpegQuiltyDlg::EndDrag()
{
    m_dragging = false;
    m_dragStarted = false;
    if (CWnd* box = GetDlgItem(IDC_MON_VALUE_BOX))
        box->ShowWindow(SW_HIDE);
}

void CJpegQuiltyDlg::PaintExtra(CDC& dc)
{
    const int middle = (ScaleToUi(350) + ScaleToUi(368)) / 2;
    dc.FillSolidRect(TrackLeft(), middle - 1, TrackLength() + ScaleToUi(11), 3, kTrack);
    dc.FillSolidRect(ThumbRect(), kThumb);
}
