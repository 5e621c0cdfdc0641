// CDocument: the data a document template's views show. The template owns it; with
// m_bAutoDelete it deletes itself when its last view goes.
#pragma once

#include "framework/CmdTarget.h"

#include <vector>

class CView;
class CFrameWnd;
class CDocTemplate;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCWSTR title);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCWSTR path);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& position) const;
    int GetViewCount() const { return static_cast<int>(m_views.size()); }
    // OnUpdate of every view but the sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

    // A new, empty document: DeleteContents and not modified.
    virtual BOOL OnNewDocument();
    // A document from a file: FALSE when the file cannot be read.
    virtual BOOL OnOpenDocument(LPCWSTR path);
    virtual BOOL OnSaveDocument(LPCWSTR path);
    // Destroys the frames of every view, then (with m_bAutoDelete) deletes the document.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual BOOL CanCloseFrame(CFrameWnd* frame) { return SaveModified(); }
    virtual BOOL SaveModified() { return TRUE; }
    virtual void OnChangedViewList();

    BOOL m_bAutoDelete = TRUE;
    CDocTemplate* m_pDocTemplate = nullptr;

private:
    std::vector<CView*> m_views;
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
};
