#include "dialogs/PcPerRowDlg.h"

#include "dialogs/core/SettingsRules.h"
#include "res/resource.h"

namespace {

const COLORREF kNoteText = RGB(255, 174, 0);

} // namespace

CPcPerRowDlg::CPcPerRowDlg(CWnd* parent) : CSkinnedViewDialog(IDD_GRID_LAYOUT, parent, 558, 544, RGB(76, 82, 94))
{
}

void CPcPerRowDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Control(pDX, IDCANCEL, m_cancelButton);
    DDX_Text(pDX, IDC_LAYOUT_PER_ROW, m_perRow);
    DDV_MinMaxInt(pDX, m_perRow, 2, 20);
    DDX_Text(pDX, IDC_LAYOUT_WIDTH_RATIO, m_widthRatio);
    DDV_MinMaxInt(pDX, m_widthRatio, 1, 999);
    DDX_Text(pDX, IDC_LAYOUT_HEIGHT_RATIO, m_heightRatio);
    DDV_MinMaxInt(pDX, m_heightRatio, 1, 999);
}

BOOL CPcPerRowDlg::OnInitDialog()
{
    CSkinnedViewDialog::OnInitDialog();
    m_okButton.SetBitmaps(IDB_SETTINGS_OK, IDB_SETTINGS_OK_HOVER, IDB_SETTINGS_OK, IDB_SETTINGS_OK_HOVER);
    m_cancelButton.SetBitmaps(IDB_SETTINGS_CANCEL, IDB_SETTINGS_CANCEL_HOVER, IDB_SETTINGS_CANCEL,
                              IDB_SETTINGS_CANCEL_HOVER);
    SetEditColours(RGB(5, 226, 196), RGB(32, 28, 25));
    AddPanel(22, 45, 516, 137, RGB(62, 68, 80));
    AddPanel(22, 188, 516, 280, RGB(62, 68, 80));
    PlaceControl(IDC_TITLE_TEXT, 6, 12, 250, 22, &m_titleFont);
    PlaceControl(IDC_LAYOUT_ROW_HEADER, 34, 76, 200, 13, &m_titleFont);
    PlaceControl(IDC_LAYOUT_ROW_PREFIX, 224, 119, 51, 13, &m_boldFont);
    PlaceControl(IDC_LAYOUT_PER_ROW, 286, 119, 42, 13, &m_boldFont);
    PlaceControl(IDC_LAYOUT_ROW_SUFFIX, 340, 119, 140, 13, &m_boldFont);
    PlaceControl(IDC_LAYOUT_ROW_NOTE, 224, 150, 235, 13, &m_normalFont);
    PlaceControl(IDC_LAYOUT_RATIO_HEADER, 34, 228, 200, 13, &m_titleFont);
    PlaceControl(IDC_LAYOUT_WIDTH_RATIO, 242, 266, 42, 13, &m_boldFont);
    PlaceControl(IDC_LAYOUT_HEIGHT_RATIO, 361, 337, 42, 13, &m_boldFont);
    PlaceControl(IDC_LAYOUT_RATIO_NOTE1, 102, 453, 373, 14, &m_normalFont);
    PlaceControl(IDC_LAYOUT_RATIO_NOTE2, 190, 469, 179, 13, &m_normalFont);
    PlaceControl(IDOK, 405, 501, 67, 34, nullptr);
    PlaceControl(IDCANCEL, 474, 501, 67, 34, nullptr);
    PlaceControl(IDC_CAPTION_CLOSE, 515, 0, 39, 34, nullptr);
    for (int id : {IDC_LAYOUT_ROW_PREFIX, IDC_LAYOUT_ROW_SUFFIX, IDC_LAYOUT_ROW_HEADER, IDC_LAYOUT_RATIO_HEADER})
        SetTextColour(id, RGB(255, 255, 255));
    for (int id : {IDC_LAYOUT_ROW_NOTE, IDC_LAYOUT_RATIO_NOTE1, IDC_LAYOUT_RATIO_NOTE2})
        SetTextColour(id, kNoteText);
    return TRUE;
}

void CPcPerRowDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;   // the framework showed its message and focused the edit
    if (!IsAcceptedAspectRatio(m_widthRatio, m_heightRatio)) {
        Refuse(IDS_LAYOUT_RATIO_OUT_OF_RANGE, IDC_LAYOUT_WIDTH_RATIO);
        return;
    }
    EndDialog(IDOK);
}
