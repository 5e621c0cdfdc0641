// The main frame's group buttons: a new group through its dialog, the deletion of the selected
// group, and the commands run on the selected group's students.
#include "shell/MainFrame.h"

#include "dialogs/CreateGroupDlg.h"
#include "dialogs/ViewDialogState.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"
#include "ui/ShowMessageBox.h"
#include "view/WendmarkView.h"

void CMainFrame::OnCreateGroup()
{
    if (g_viewDialogOpen.load() || g_messageBoxOpen.load())
        return;
    auto* view = dynamic_cast<CWendmarkView*>(GetActiveView());
    if (!view)
        return;
    g_viewDialogOpen = 1;
    const CLifeFlag::Token life = m_life.GetToken();
    CCreateGroupDlg dialog(view->GetSlots(), view->GetGroupMemberships(), LoadText(IDS_DEFAULT_GROUP), this);
    const INT_PTR result = dialog.DoModal();
    g_viewDialogOpen = 0;   // also when the dialog could not be made
    if (result != IDOK || !life.IsAlive())
        return;
    m_groupTabs.AddTab(dialog.GetGroupName());
    view->AddCreatedGroup(dialog.GetGroupName());
}

void CMainFrame::OnDeleteGroup()
{
    if (IsDefaultGroupSelected()) {
        ShowMessageBox(LoadText(IDS_GROUP_DEFAULT_NOT_DELETABLE));
        return;
    }
    const CString name = m_groupTabs.GetSelectedTabName();
    CString ask;
    ask.Format(LoadText(IDS_GROUP_DELETE_ASK), name.GetString());
    const CLifeFlag::Token life = m_life.GetToken();
    if (ShowMessageBox(ask, LoadText(IDS_GROUP_DELETE_CAPTION), 4) != 6 || !life.IsAlive())
        return;
    // The tab selected last may have changed while the box was open.
    if (m_groupTabs.GetSelectedTabName() != name)
        return;
    if (auto* view = dynamic_cast<CWendmarkView*>(GetActiveView()))
        view->DeleteGroup(name);
    m_groupTabs.RemoveSelectedTab();
}

void CMainFrame::OnRunOnGroup()
{
    if (IsDefaultGroupSelected()) {
        ShowMessageBox(LoadText(IDS_GROUP_DEFAULT_NOT_RUNNABLE));
        return;
    }
    auto* view = dynamic_cast<CWendmarkView*>(GetActiveView());
    if (!view)
        return;
    // A remote session holds its student's connection: a command meant for the group would not
    // reach that student while it runs. A combined session marks each of its slots the same way.
    for (const CPCInfo* slot : view->GetSlots()) {
        if (!slot->m_controlThread.load() && !slot->m_viewThread.load())
            continue;
        CString refusal;
        refusal.Format(LoadText(IDS_GROUP_CLOSE_REMOTE_FIRST), slot->m_slotNumber.load(),
                       slot->GetDisplayName().GetString());
        ShowMessageBox(refusal);
        return;
    }
    view->OpenGroupExecute();
}
