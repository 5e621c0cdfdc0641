// CFrameWnd: a top-level window that hosts one view (made from the create context) in its
// client area, less a border the frame keeps for its own painting. Menu-less: LoadFrame takes
// only the title (first part of the document string) and the icon of the resource id.
#pragma once

#include "framework/CreateContext.h"
#include "framework/LifeFlag.h"
#include "framework/Wnd.h"

class CView;
class CDocument;

// A frame-only style bit: "document title - application title" as the caption.
#define FWS_ADDTOTITLE 0x00008000L

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    static const CRect rectDefault;   // CW_USEDEFAULT position and size

    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);
    BOOL Create(LPCWSTR className, LPCWSTR title, DWORD style = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* parent = nullptr, DWORD exStyle = 0,
                CCreateContext* context = nullptr);
    // Fills a missing class with the frame class of the framework (icon of the resource id).
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

    // Places the view in the client area less m_rectBorder. Frames that paint around their
    // view set the border first and then call this.
    virtual void RecalcLayout(BOOL notify = TRUE);
    // Shows the frame: -1 shows it normally (restored when minimised).
    virtual void ActivateFrame(int cmdShow = -1);
    // After the document is ready: OnInitialUpdate of the views, then (makeVisible) shows the
    // frame with the application's show command when this is its main window.
    virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    virtual void OnUpdateFrameTitle(BOOL addToTitle);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    // A view of the context's class as a child with the id; null on failure.
    CWnd* CreateView(CCreateContext* context, UINT id = 0xE900);
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* old);
    DECLARE_MESSAGE_MAP()

    CString m_strTitle;
    UINT m_nIDHelp = 0;   // the resource id LoadFrame was given

protected:
    void PostNcDestroy() override;

    CRect m_rectBorder;   // left, top, right, bottom margins kept free of the view
    BOOL m_bAddToTitle = FALSE;

private:
    friend class CDocTemplate;
    CView* m_pViewActive = nullptr;
    CLifeFlag m_life;   // a creation that fails may delete the object
};
