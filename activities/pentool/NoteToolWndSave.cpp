// Saving the drawing surface as a picture.
#include "activities/pentool/NoteToolWnd.h"

#include "activities/pentool/NoteJpeg.h"
#include "foundation/FileUtil.h"
#include "foundation/SystemInfo.h"

CString CNoteToolWnd::GetNoteFolder()
{
    return GetUserDesktopPath() + L"\\NoteSave";
}

BOOL CNoteToolWnd::ComposePicture(CMemBitmap& picture, int highestPage, int currentPage)
{
    // A whiteboard picture holds the widest canvas reached, so the surface goes there first and
    // the picture takes that canvas's size.
    if (m_mode == WhiteboardMode && highestPage != m_page && !SetPage(highestPage)) return FALSE;
    picture.Create(m_background->GetWidth(), m_background->GetHeight(), 32);
    const BOOL made = picture.GetBits() != nullptr && picture.GetWidth() == m_background->GetWidth();
    if (made) Compose(picture.GetSafeHdc());
    if (m_mode == WhiteboardMode && currentPage != m_page) SetPage(currentPage);
    return made;
}

BOOL CNoteToolWnd::SaveToFile(int highestPage, int currentPage)
{
    if (!m_background || !m_background->GetBits()) return FALSE;
    CMemBitmap picture;
    if (!ComposePicture(picture, highestPage, currentPage)) return FALSE;
    const CString folder = GetNoteFolder();
    if (!MakeDirectories(folder)) return FALSE;
    const CString path = MakeFreeNotePath(folder);
    if (!SaveJpeg(picture, path)) return FALSE;
    m_savedPath = path;
    m_unsaved = 0;
    return TRUE;
}
