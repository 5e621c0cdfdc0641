// The classroom activities the view opens over its students.
#include "view/WendmarkView.h"

#include "activities/filetransfer/FileTransferDlg.h"
#include "framework/PostOwned.h"
#include "shell/AppGlobals.h"
#include "ui/ShowMessageBox.h"

void CWendmarkView::OpenFileTransfer()
{
    OpenFileTransferWithPath(CString());
}

void CWendmarkView::OpenFileTransferWithPath(const CString& path)
{
    if (CFileTransferDlg::IsOpen() || g_messageBoxOpen)
        return;
    const LifeToken life = Life();
    CFileTransferDlg dialog(this);
    dialog.SetSlots(&m_slots);
    dialog.SetPresetPath(path);
    dialog.SetLanguage(g_language);
    dialog.DoModal();
    if (Alive(life))
        Invalidate(FALSE);
}

LRESULT CWendmarkView::OnFileDropped(WPARAM path, LPARAM)
{
    std::unique_ptr<wchar_t[]> text = AfxTakePosted<wchar_t[]>(path);
    if (text)
        OpenFileTransferWithPath(CString(text.get()));
    return 0;
}
