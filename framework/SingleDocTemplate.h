// CSingleDocTemplate: one document at a time, in one frame with one view.
#pragma once

#include "framework/DocTemplate.h"

class CSingleDocTemplate : public CDocTemplate {
public:
    CSingleDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                       const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
        : CDocTemplate(resourceId, docClass, frameClass, viewClass) {}
    // Deletes a document still open.
    ~CSingleDocTemplate() override;

    // The first call makes the document, its frame and view (the frame becomes the thread's
    // main window when it has none); later calls reuse them.
    CDocument* OpenDocumentFile(LPCWSTR path, BOOL makeVisible = TRUE) override;
    void AddDocument(CDocument* doc) override;
    void RemoveDocument(CDocument* doc) override;
    void CloseAllDocuments(BOOL endSession) override;
    CDocument* GetDocument() const { return m_pOnlyDoc; }

private:
    CDocument* m_pOnlyDoc = nullptr;
};
