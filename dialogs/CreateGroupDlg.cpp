#include "dialogs/CreateGroupDlg.h"

#include "dialogs/core/GroupRules.h"
#include "framework/Bitmap.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "ui/DialogSkin.h"
#include "ui/ShowMessageBox.h"
#include "ui/SkinScrollWnd.h"
#include "ui/UiScale.h"

namespace {

const COLORREF kListBackground = RGB(43, 37, 31);
const COLORREF kListText = RGB(178, 178, 178);
const COLORREF kLabelText = RGB(251, 251, 251);
const COLORREF kCheckMask = RGB(250, 250, 250);
const int kCheckSize = 23;
const int kRowHeight = 24;
enum { kUnticked = 0, kTicked = 1 };

UINT RefusalText(GroupNameVerdict verdict)
{
    switch (verdict) {
    case GroupNameVerdict::Empty: return IDS_GROUP_NAME_EMPTY;
    case GroupNameVerdict::TooLong: return IDS_GROUP_NAME_TOO_LONG;
    case GroupNameVerdict::ForbiddenChar: return IDS_GROUP_NAME_BAD_CHARS;
    case GroupNameVerdict::NoStudents: return IDS_GROUP_NO_STUDENTS;
    case GroupNameVerdict::Taken: case GroupNameVerdict::Accepted: break;
    }
    return 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CCreateGroupDlg, CSkinnedViewDialog)
    ON_BN_CLICKED(IDC_CGROUP_OK, OnOK)
    ON_BN_CLICKED(IDC_CGROUP_CANCEL, OnCancel)
    ON_BN_CLICKED(IDC_CGROUP_SELECT_ALL, OnSelectAll)
    ON_NOTIFY(NM_CLICK, IDC_CGROUP_LIST, OnListClick)
END_MESSAGE_MAP()

CCreateGroupDlg::CCreateGroupDlg(const std::vector<CPCInfo*>& slots, std::map<CString, CString>& groups,
                                 const CString& defaultGroupName, CWnd* parent)
    : CSkinnedViewDialog(IDD_CREATE_GROUP, parent, 477, 490, kDialogBackground),
      m_slots(slots), m_groups(groups), m_defaultGroupName(defaultGroupName)
{
}

void CCreateGroupDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_CGROUP_LIST, m_list);
    DDX_Control(pDX, IDC_CGROUP_OK, m_okButton);
    DDX_Control(pDX, IDC_CGROUP_CANCEL, m_cancelButton);
    DDX_Control(pDX, IDC_CGROUP_SELECT_ALL, m_selectAllButton);
}

BOOL CCreateGroupDlg::OnInitDialog()
{
    CSkinnedViewDialog::OnInitDialog();
    m_okButton.SetBitmaps(IDB_OK, IDB_OK_HOVER, IDB_OK, IDB_OK_HOVER);
    m_cancelButton.SetBitmaps(IDB_CANCEL, IDB_CANCEL_HOVER, IDB_CANCEL, IDB_CANCEL_HOVER);
    m_selectAllButton.SetBitmaps(IDB_GROUP_SELECT_ALL, IDB_GROUP_SELECT_ALL_HOVER, IDB_GROUP_SELECT_ALL,
                                 IDB_GROUP_SELECT_ALL_HOVER);
    SetEditColours(RGB(4, 226, 198), RGB(18, 15, 10));
    for (int id : {IDC_CGROUP_NAME_LABEL, IDC_CGROUP_TARGET_LABEL, IDC_CGROUP_COL_NUMBER, IDC_CGROUP_COL_NAME})
        SetTextColour(id, kLabelText);
    PlaceControls();
    if (CWnd* edit = GetDlgItem(IDC_CGROUP_NAME))
        edit->SendMessage(EM_LIMITTEXT, kGroupNameEditMaxChars);
    FillList();
    return TRUE;
}

void CCreateGroupDlg::PlaceControls()
{
    PlaceControl(IDC_TITLE_TEXT, 6, 12, 250, 22, &m_titleFont);
    PlaceControl(IDC_CGROUP_NAME_LABEL, 24, 66, 96, 16, &m_boldFont);
    PlaceControl(IDC_CGROUP_NAME, 120, 63, 331, 20, &m_boldFont);
    PlaceControl(IDC_CGROUP_TARGET_LABEL, 24, 112, 200, 16, &m_boldFont);
    PlaceControl(IDC_CGROUP_COL_NUMBER, 24, 146, 102, 16, &m_normalFont);
    PlaceControl(IDC_CGROUP_COL_NAME, 126, 146, 326, 16, &m_normalFont);
    PlaceControl(IDC_CGROUP_LIST, 24, 169, 428, 257, nullptr);
    PlaceControl(IDC_CGROUP_SELECT_ALL, 25, 438, 114, 34, nullptr);
    PlaceControl(IDC_CGROUP_OK, 319, 438, 67, 34, nullptr);
    PlaceControl(IDC_CGROUP_CANCEL, 388, 438, 67, 34, nullptr);
    PlaceControl(IDC_CAPTION_CLOSE, 437, 0, 39, 34, nullptr);
}

void CCreateGroupDlg::FillList()
{
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_BORDERSELECT);
    m_list.SetRowHeight(kRowHeight);
    m_list.SetRowColors(kListBackground, kListText);
    m_list.SetFont(m_normalFont);   // the rows take their height when the font is set
    m_list.SendMessage(LVM_SETBKCOLOR, 0, kListBackground);
    m_list.SendMessage(LVM_SETTEXTBKCOLOR, 0, kListBackground);
    m_list.SendMessage(LVM_SETTEXTCOLOR, 0, kListText);
    CBitmap checks;
    if (m_checkImages.Create(kCheckSize, kCheckSize, ILC_COLOR24 | ILC_MASK, 2, 0) && checks.LoadBitmap(IDB_GROUP_CHECK_IMAGES)) {
        m_checkImages.Add(checks, kCheckMask);
        m_list.SetImageList(&m_checkImages, LVSIL_SMALL);
    }
    CRect client;
    m_list.GetClientRect(&client);
    m_list.InsertColumn(0, LoadText(IDS_COL_CHECK_NUMBER), LVCFMT_LEFT, ScaleToUi(102));
    m_list.InsertColumn(1, LoadText(IDS_COL_STUDENT_NAME), LVCFMT_CENTER, client.Width() - ScaleToUi(120));
    for (size_t i = 0; i < m_slots.size(); ++i) {
        CPCInfo* slot = m_slots[i];
        CString number;
        number.Format(L"%d", slot->m_slotNumber.load());
        const int row = m_list.InsertItem(static_cast<int>(i), number, kUnticked);
        m_list.SetItemText(row, 1, slot->GetDisplayName());
        m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(slot));
    }
    CBitmap skin;
    if (skin.LoadBitmap(IDB_SKIN_SCROLLBAR))
        CSkinScrollWnd::Wrap(&m_list, skin);
}

bool CCreateGroupDlg::IsTicked(int row) const
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    return m_list.GetItem(&item) && item.iImage == kTicked;
}

void CCreateGroupDlg::SetTicked(int row, bool ticked)
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = ticked ? kTicked : kUnticked;
    m_list.SetItem(&item);
}

void CCreateGroupDlg::OnListClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    LVHITTESTINFO hit = {};
    hit.pt = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
    if (m_list.SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0 || hit.iItem < 0)
        return;
    if (hit.iSubItem == 0)
        SetTicked(hit.iItem, !IsTicked(hit.iItem));
}

void CCreateGroupDlg::OnSelectAll()
{
    const int rows = m_list.GetItemCount();
    bool allTicked = true;
    for (int row = 0; row < rows && allTicked; ++row)
        allTicked = IsTicked(row);
    for (int row = 0; row < rows; ++row)
        SetTicked(row, !allTicked);
}

std::vector<int> CCreateGroupDlg::TickedSeats() const
{
    std::vector<int> seats;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        if (IsTicked(row))
            seats.push_back(reinterpret_cast<const CPCInfo*>(m_list.GetItemData(row))->m_slotNumber.load());
    return seats;
}

void CCreateGroupDlg::OnOK()
{
    CString typed;
    GetDlgItemText(IDC_CGROUP_NAME, typed);
    typed.Trim();
    std::vector<std::u16string> taken{ToU16(m_defaultGroupName)};
    for (const auto& group : m_groups)
        taken.push_back(ToU16(group.first));
    const std::vector<int> seats = TickedSeats();
    const GroupNameVerdict verdict = CheckNewGroup(ToU16(typed), taken, seats.size());
    if (verdict == GroupNameVerdict::Taken) {
        ShowMessageBox(LoadText(IDS_GROUP_NAME_EXISTS) + L" " + LoadText(IDS_GROUP_NAME_TRY_ANOTHER));
        if (GetSafeHwnd())
            GotoDlgCtrl(GetDlgItem(IDC_CGROUP_NAME));
        return;
    }
    if (verdict != GroupNameVerdict::Accepted) {
        Refuse(RefusalText(verdict), verdict == GroupNameVerdict::NoStudents ? IDC_CGROUP_LIST : IDC_CGROUP_NAME);
        return;
    }
    m_groups[typed] = FromU16(GroupMembershipText(seats));
    m_groupName = typed;
    SetDlgItemText(IDC_CGROUP_NAME, typed);
    EndDialog(IDOK);
}
