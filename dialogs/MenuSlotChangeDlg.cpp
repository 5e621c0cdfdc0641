#include "dialogs/MenuSlotChangeDlg.h"

#include "dialogs/ViewDialogState.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "ui/ShowMessageBox.h"

namespace {

const COLORREF kTargetLabel = RGB(255, 0, 0);
const int kAnswerYes = 6;

CString Load(UINT id)
{
    return LoadText(id);
}

CString Number(int number)
{
    CString text;
    text.Format(L"%d", number);
    return text;
}

void FillCombo(CComboBox& combo, const std::vector<int>& numbers)
{
    combo.ResetContent();
    for (int number : numbers)
        combo.AddString(Number(number));
    if (numbers.empty())
        combo.AddString(Load(IDS_SLOTCHG_NONE));
    combo.SetCurSel(0);
}

} // namespace

BEGIN_MESSAGE_MAP(CMenuSlotChangeDlg, CDialogEx)
    ON_BN_CLICKED(IDC_SLOTCHG_OK, OnOkButton)
    ON_BN_CLICKED(IDC_SLOTCHG_CANCEL, OnCancel)
    ON_BN_CLICKED(IDC_SLOTCHG_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SLOTCHG_MOVE, OnMoveClicked)
    ON_BN_CLICKED(IDC_SLOTCHG_SWAP, OnSwapClicked)
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CMenuSlotChangeDlg::CMenuSlotChangeDlg(const std::vector<CPCInfo*>& slots, int currentNumber, CWnd* parent)
    : CDialogEx(IDD_SLOT_CHANGE, parent), m_slots(slots), m_currentNumber(currentNumber)
{
}

void CMenuSlotChangeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SLOTCHG_OK, m_okButton);
    DDX_Control(pDX, IDC_SLOTCHG_CANCEL, m_cancelButton);
    DDX_Control(pDX, IDC_SLOTCHG_MOVE_TARGET, m_moveList);
    DDX_Control(pDX, IDC_SLOTCHG_SWAP_TARGET, m_swapList);
    DDX_Control(pDX, IDC_SLOTCHG_CURRENT_FOR_MOVE, m_currentForMove);
    DDX_Control(pDX, IDC_SLOTCHG_CURRENT_FOR_SWAP, m_currentForSwap);
}

BOOL CMenuSlotChangeDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    if (m_currentNumber == -1)
        return TRUE;
    ShowTeacherToolbar(false);
    m_okButton.SetBitmaps(IDB_SLOTCHG_OK, IDB_SLOTCHG_OK, IDB_SLOTCHG_OK, IDB_SLOTCHG_OK);
    m_cancelButton.SetBitmaps(IDB_SLOTCHG_CANCEL, IDB_SLOTCHG_CANCEL, IDB_SLOTCHG_CANCEL, IDB_SLOTCHG_CANCEL);
    for (CComboBox* current : {&m_currentForMove, &m_currentForSwap}) {
        current->AddString(Number(m_currentNumber));
        current->SetCurSel(0);
    }
    FillLists(0);
    return TRUE;
}

std::vector<SlotChangeState> CMenuSlotChangeDlg::Snapshot() const
{
    std::vector<SlotChangeState> states;
    for (const CPCInfo* slot : m_slots) {
        SlotChangeState state;
        state.number = slot->m_slotNumber.load();
        state.connected = slot->m_pcThreadId.load() != 0;
        state.controlled = slot->m_controlThread.load() != nullptr;
        state.version = ToU16(slot->GetVersion());
        states.push_back(state);
    }
    return states;
}

void CMenuSlotChangeDlg::FillLists(int select)
{
    CheckMode(-1);
    const SlotChangeCandidates candidates = CollectSlotChangeCandidates(Snapshot(), m_currentNumber);
    FillCombo(m_moveList, candidates.moveTargets);
    FillCombo(m_swapList, candidates.swapTargets);
    if (select == 0)
        return;
    for (CComboBox* list : {&m_moveList, &m_swapList}) {
        const int index = list->FindStringExact(-1, Number(select));
        if (index >= 0)
            list->SetCurSel(index);
    }
}

void CMenuSlotChangeDlg::CheckMode(int mode)
{
    CheckDlgButton(IDC_SLOTCHG_MOVE, mode == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SLOTCHG_SWAP, mode == 1 ? BST_CHECKED : BST_UNCHECKED);
}

int CMenuSlotChangeDlg::CheckedMode() const
{
    if (IsDlgButtonChecked(IDC_SLOTCHG_SWAP) == BST_CHECKED)
        return 1;
    return IsDlgButtonChecked(IDC_SLOTCHG_MOVE) == BST_CHECKED ? 0 : -1;
}

int CMenuSlotChangeDlg::SelectedNumber(CComboBox& list) const
{
    const int index = list.GetCurSel();
    return index < 0 ? 0 : _wtoi(list.GetLBText(index));
}

void CMenuSlotChangeDlg::OnMoveClicked()
{
    CheckMode(0);
}

void CMenuSlotChangeDlg::OnSwapClicked()
{
    CheckMode(1);
}

void CMenuSlotChangeDlg::OnRefresh()
{
    FillLists(0);
}

void CMenuSlotChangeDlg::Say(const CString& text)
{
    ShowMessageBox(text, nullptr, 0, this);
}

int CMenuSlotChangeDlg::CheckChoice()
{
    const int mode = CheckedMode();
    m_mode = mode == 1 ? 1 : 0;
    m_targetNumber = mode < 0 ? 0 : SelectedNumber(mode == 1 ? m_swapList : m_moveList);
    const CString modeName = Load(mode == 1 ? IDS_SLOTCHG_SWAP_TARGET : IDS_SLOTCHG_MOVE_TARGET);
    CString line;
    switch (CheckSlotChange(Snapshot(), m_currentNumber, mode, m_targetNumber)) {
    case SlotChangeVerdict::Confirm:
        return 1;
    case SlotChangeVerdict::NoMode:
        Say(Load(IDS_SLOTCHG_CHOOSE_MODE));
        return 0;
    case SlotChangeVerdict::NoTarget:
        line.Format(Load(IDS_SLOTCHG_CHECK_TARGET), static_cast<LPCWSTR>(modeName));
        Say(line);
        return 0;
    case SlotChangeVerdict::SameNumber:
        line.Format(Load(IDS_SLOTCHG_SAME_NUMBER), static_cast<LPCWSTR>(modeName));
        Say(line + L" " + Load(IDS_SLOTCHG_CHOOSE_OTHER));
        return 0;
    case SlotChangeVerdict::CurrentLost:
        line.Format(Load(IDS_SLOTCHG_CURRENT_LOST), m_currentNumber);
        Say(line + L" " + Load(IDS_SLOTCHG_CANCELLED));
        return -1;
    case SlotChangeVerdict::CurrentControlled:
        line.Format(Load(IDS_SLOTCHG_CURRENT_CONTROLLED), m_currentNumber);
        Say(line + Load(IDS_SLOTCHG_STOP_CONTROL_FIRST));
        return 0;
    case SlotChangeVerdict::CurrentTooOld:
        line.Format(Load(IDS_SLOTCHG_CURRENT_OLD_VERSION), m_currentNumber);
        Say(line + Load(IDS_SLOTCHG_UPDATE_FIRST));
        return 0;
    case SlotChangeVerdict::TargetTooOld:
        line.Format(Load(IDS_SLOTCHG_TARGET_OLD_VERSION), m_targetNumber);
        Say(line + Load(IDS_SLOTCHG_UPDATE_FIRST));
        return 0;
    case SlotChangeVerdict::TargetChanged:
        line.Format(Load(IDS_SLOTCHG_TARGET_CHANGED), static_cast<LPCWSTR>(modeName), m_targetNumber);
        Say(line);
        FillLists(m_targetNumber);
        return 0;
    }
    return 0;
}

void CMenuSlotChangeDlg::OnOkButton()
{
    const int result = CheckChoice();
    if (result < 0) {
        EndDialog(IDCANCEL);
        return;
    }
    if (result == 0)
        return;
    const bool swap = m_mode == 1;
    CString ask;
    ask.Format(Load(swap ? IDS_SLOTCHG_SWAP_ASK : IDS_SLOTCHG_MOVE_ASK), m_currentNumber, m_targetNumber);
    ask += L"\n" + Load(IDS_SLOTCHG_PROCEED_ASK);
    if (ShowMessageBox(ask, Load(swap ? IDS_SLOTCHG_SWAP_CAPTION : IDS_SLOTCHG_MOVE_CAPTION), 4, this) == kAnswerYes)
        EndDialog(IDOK);
}

// Enter alone does not change a student's number.
void CMenuSlotChangeDlg::OnOK()
{
}

void CMenuSlotChangeDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CMenuSlotChangeDlg::OnDestroy()
{
    OnViewDialogDestroyed();
    CDialogEx::OnDestroy();
}

HBRUSH CMenuSlotChangeDlg::OnCtlColor(CDC* dc, CWnd* control, UINT kind)
{
    const HBRUSH brush = CDialogEx::OnCtlColor(dc, control, kind);
    const int id = control ? control->GetDlgCtrlID() : 0;
    if (id == IDC_SLOTCHG_MOVE_LABEL || id == IDC_SLOTCHG_SWAP_LABEL)
        dc->SetTextColor(kTargetLabel);
    return brush;
}
