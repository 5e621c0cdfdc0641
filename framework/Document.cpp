#include "framework/Document.h"

#include "framework/DocTemplate.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCWSTR title)
{
    m_strTitle = title ? title : L"";
}

void CDocument::SetPathName(LPCWSTR path)
{
    m_strPathName = path ? path : L"";
    const int slash = m_strPathName.ReverseFind(L'\\');
    SetTitle(m_strPathName.Mid(slash + 1));
}

void CDocument::AddView(CView* view)
{
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    m_views.push_back(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view)
{
    auto found = std::find(m_views.begin(), m_views.end(), view);
    if (found == m_views.end())
        return;
    m_views.erase(found);
    view->m_pDocument = nullptr;
    OnChangedViewList();   // may delete this
}

// The position is the index of the next view plus one (null: the end).
POSITION CDocument::GetFirstViewPosition() const
{
    return m_views.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CView* CDocument::GetNextView(POSITION& position) const
{
    const size_t index = reinterpret_cast<UINT_PTR>(position) - 1;
    if (!position || index >= m_views.size()) {
        position = nullptr;
        return nullptr;
    }
    position = index + 1 < m_views.size() ? reinterpret_cast<POSITION>(index + 2) : nullptr;
    return m_views[index];
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    const std::vector<CView*> views = m_views;   // a view may go away while it updates
    for (CView* view : views) {
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(sender, hint, hintObject);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR path)
{
    HANDLE file = CreateFileW(path ? path : L"", GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(file);
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCWSTR path)
{
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Closing the frames removes the views; the document must outlive that.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_views.empty()) {
        CView* view = m_views.front();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && frame->GetSafeHwnd())
            frame->DestroyWindow();
        else if (view->GetSafeHwnd())
            view->DestroyWindow();
        if (!m_views.empty() && m_views.front() == view)
            RemoveView(view);   // a view without a window
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::OnChangedViewList()
{
    if (m_views.empty() && m_bAutoDelete)
        OnCloseDocument();
}
