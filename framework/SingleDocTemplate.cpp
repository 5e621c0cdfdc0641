#include "framework/SingleDocTemplate.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/WinThread.h"

CSingleDocTemplate::~CSingleDocTemplate()
{
    CDocument* doc = m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
    if (doc) {
        doc->m_pDocTemplate = nullptr;
        delete doc;
    }
}

void CSingleDocTemplate::AddDocument(CDocument* doc)
{
    CDocTemplate::AddDocument(doc);
    m_pOnlyDoc = doc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* doc)
{
    CDocTemplate::RemoveDocument(doc);
    if (m_pOnlyDoc == doc)
        m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::CloseAllDocuments(BOOL)
{
    if (m_pOnlyDoc)
        m_pOnlyDoc->OnCloseDocument();
}

namespace {

CFrameWnd* FrameOf(CDocument* doc)
{
    POSITION position = doc->GetFirstViewPosition();
    CView* view = doc->GetNextView(position);
    return view ? view->GetParentFrame() : nullptr;
}

} // namespace

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCWSTR path, BOOL makeVisible)
{
    CDocument* doc = m_pOnlyDoc;
    CFrameWnd* frame = nullptr;
    const bool created = doc == nullptr;
    if (doc) {
        if (!doc->SaveModified())
            return nullptr;
        frame = FrameOf(doc);
    } else {
        doc = CreateNewDocument();
        if (!doc)
            return nullptr;
        // The document must survive the making of its frame even if a view comes and goes.
        const BOOL autoDelete = doc->m_bAutoDelete;
        doc->m_bAutoDelete = FALSE;
        frame = CreateNewFrame(doc, nullptr);
        doc->m_bAutoDelete = autoDelete;
        if (!frame) {
            delete doc;
            return nullptr;
        }
    }

    BOOL ready;
    if (!path) {
        SetDefaultTitle(doc);
        ready = doc->OnNewDocument();
    } else {
        ready = doc->OnOpenDocument(path);
        if (ready)
            doc->SetPathName(path);
    }
    if (!ready) {
        if (created && frame) {
            // Closing the new frame takes the document with it.
            const BOOL autoDelete = doc->m_bAutoDelete;
            doc->m_bAutoDelete = FALSE;
            frame->DestroyWindow();
            doc->m_bAutoDelete = autoDelete;
            delete doc;
        }
        return nullptr;
    }

    CWinThread* thread = CWinThread::GetCurrent();
    if (created && thread && !thread->m_pMainWnd)
        thread->m_pMainWnd = frame;
    if (frame)
        InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}
