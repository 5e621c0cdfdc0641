// The name and renumber dialogs opened from the classroom view: what they return is stored and told to the
// students by the view.
#include "view/WendmarkView.h"

#include "dialogs/MenuSlotChangeDlg.h"
#include "dialogs/PcConfigDlg.h"
#include "dialogs/TitleManageDlg.h"
#include "dialogs/ViewDialogState.h"
#include "sessions/PCInfo.h"
#include "sessions/core/TeacherCommands.h"

void CWendmarkView::RunPcNameDialog(CPCInfo& target)
{
    if (!BeginViewDialog())
        return;
    const CString oldName = target.GetDisplayName();
    CPcConfigDlg dialog(this);
    dialog.SetName(oldName);
    const LifeToken life = Life();
    const INT_PTR result = dialog.DoModal();
    g_viewDialogOpen = 0;
    if (result != IDOK || !Alive(life))
        return;
    const CString name = dialog.GetName().IsEmpty() ? CString(L" ") : dialog.GetName();
    if (name == oldName)
        return;
    target.SetDisplayName(name);
    SavePcName(target.m_slotNumber.load(), name);
    PostCommandToSlot(target, DisplayNameCommand(ToU16(name)));
    Invalidate(FALSE);
}

bool CWendmarkView::RunTitlesDialog(std::vector<CString>& names, int& displayTitle)
{
    CTitleManageDlg dialog(this);
    dialog.SetNames(names);
    dialog.SetShowNames(displayTitle);
    if (dialog.DoModal() != IDOK)
        return false;
    names = dialog.GetNames();
    displayTitle = dialog.GetShowNames();
    return true;
}

// The new seat number and the mode (1 swap, else move) of a checked and confirmed change.
bool CWendmarkView::RunSlotRenumberDialog(CPCInfo& target, int& newNumber, int& mode)
{
    if (!BeginViewDialog())
        return false;
    CMenuSlotChangeDlg dialog(ShownSlots(), target.m_slotNumber.load(), this);
    const INT_PTR result = dialog.DoModal();
    g_viewDialogOpen = 0;
    if (result != IDOK)
        return false;
    newNumber = dialog.GetTargetNumber();
    mode = dialog.GetMode();
    return true;
}
