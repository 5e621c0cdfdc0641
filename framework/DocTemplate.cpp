#include "framework/DocTemplate.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass),
      m_pViewClass(viewClass)
{
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const
{
    text.Empty();
    CString all;
    if (!all.LoadString(m_nIDResource))
        return FALSE;
    int start = 0;
    for (int part = 0; part < index; ++part) {
        start = all.Find(L'\n', start);
        if (start < 0)
            return FALSE;
        ++start;
    }
    const int end = all.Find(L'\n', start);
    text = end < 0 ? all.Mid(start) : all.Mid(start, end - start);
    return !text.IsEmpty();
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    auto* doc = dynamic_cast<CDocument*>(object);
    if (!doc) {
        delete object;
        TRACE(L"CDocTemplate: the document class cannot be made\n");
        return nullptr;
    }
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other)
{
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        TRACE(L"CDocTemplate: the frame class cannot be made\n");
        return nullptr;
    }
    const CLifeFlag::Token life = frame->m_life.GetToken();
    const BOOL loaded = frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                                         nullptr, &context);
    if (!life.IsAlive())
        return nullptr;   // its window came and went; it deleted itself
    if (!loaded) {
        if (frame->GetSafeHwnd())
            frame->DestroyWindow();   // deletes it
        else
            delete frame;
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible)
{
    frame->InitialUpdateFrame(doc, makeVisible);
}

void CDocTemplate::AddDocument(CDocument* doc)
{
    doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc)
{
    if (doc->m_pDocTemplate == this)
        doc->m_pDocTemplate = nullptr;
}

void CDocTemplate::SetDefaultTitle(CDocument* doc)
{
    CString title;
    if (!GetDocString(title, docName))
        title = L"Untitled";
    doc->SetTitle(title);
}
