// The classroom activities the view opens over its students.
#include "view/WendmarkView.h"

#include "activities/filetransfer/FileTransferDlg.h"
#include "dialogs/ViewDialogState.h"
#include "foundation/AppGlobals.h"
#include "framework/PostOwned.h"

void CWendmarkView::OpenFileTransfer()
{
    OpenFileTransferWithPath(CString());
}

void CWendmarkView::OpenFileTransferWithPath(const CString& path)
{
    // Not over the pen tool's drawing: the dialog would lie under the drawing surface.
    if (CFileTransferDlg::IsOpen() || IsNoteToolDrawing() || !BeginViewDialog())
        return;
    const LifeToken life = Life();
    CFileTransferDlg dialog(this);
    dialog.SetSlots(&m_slots);
    dialog.SetPresetPath(path);
    dialog.SetLanguage(g_language);
    if (dialog.DoModal() == -1)
        g_viewDialogOpen = 0;   // never opened: nothing else clears it
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
