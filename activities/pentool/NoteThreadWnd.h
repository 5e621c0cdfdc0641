// CNoteThreadWnd: the pen thread's hidden main window. It makes the pen toolbar, passes the
// toolbar's notifications on to the owning teacher toolbar and, when it goes, takes the pen
// toolbar with it (on the pen thread, the only one that touches it).
#pragma once

#include "activities/pentool/NoteToolLink.h"
#include "framework/Font.h"
#include "framework/FrameWnd.h"

#include <memory>

class CNoteToolDlg;

class CNoteThreadWnd : public CFrameWnd {
public:
    explicit CNoteThreadWnd(std::shared_ptr<CNoteToolLink> link);
    ~CNoteThreadWnd() override;

    // The hidden frame "Note Thread"; FALSE when it could not be made.
    BOOL CreateThreadWindow();
    // Makes the pen toolbar unless a shown one exists (a hidden one is replaced) and places it.
    BOOL CreateToolbar();
    CNoteToolDlg* GetToolbar() const { return m_toolbar.get(); }

protected:
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    afx_msg void OnPaint();
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
    afx_msg LRESULT OnNoteToolNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowToolbar(WPARAM, LPARAM);
    afx_msg LRESULT OnHidePenTool(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    void PostNcDestroy() override {}   // the thread owns this object

private:
    std::shared_ptr<CNoteToolLink> m_link;
    std::unique_ptr<CNoteToolDlg> m_toolbar;
    CFont m_font;
};
