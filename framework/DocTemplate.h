// CDocTemplate: makes documents with their frame and view from three run-time classes and a
// resource id (document string: window title, document name, new-file name, filter name,
// filter extension, file type id, file type name, separated by "\n").
#pragma once

#include "framework/CmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex {
        windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName
    };

    CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    ~CDocTemplate() override = default;

    // FALSE (and an empty text) when that part is missing.
    virtual BOOL GetDocString(CString& text, DocStringIndex index) const;

    virtual CDocument* CreateNewDocument();
    // A frame (with its view) for the document; null on failure (nothing left behind).
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
    // A new document for a null path, else the document of the file; null on failure.
    virtual CDocument* OpenDocumentFile(LPCWSTR path, BOOL makeVisible = TRUE) = 0;
    virtual void AddDocument(CDocument* doc);
    virtual void RemoveDocument(CDocument* doc);
    virtual void CloseAllDocuments(BOOL endSession) = 0;
    virtual void SetDefaultTitle(CDocument* doc);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};
