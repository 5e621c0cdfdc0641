// CMainFrame: the console's one top-level window. It has no system caption: it paints its own
// caption band (logo, labels, the teacher's name), lets the band drag the window, carries the
// close, minimise and group buttons and the group tab strip, and hosts the classroom view below
// the band. It is created hidden; the view shows it once the teacher has logged in. The group
// buttons' handlers are in MainFrameGroups.cpp.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/FrameWnd.h"
#include "framework/LifeFlag.h"
#include "shell/GroupTabCtrl.h"
#include "ui/ImageButton.h"
#include "view/IConsoleFrame.h"

class CMainFrame : public CFrameWnd, public IConsoleFrame {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame() = default;
    ~CMainFrame() override = default;

    // Shows "Lumora 선생님 : <name>" as the title and the name in the caption band.
    void SetTeacherInfo(int number, const CString& name) override;
    // Every group tab's name except the default group's, in tab order.
    void GetGroupNames(CStringArray& names) const override;
    void AddGroupTab(const CString& name) override { m_groupTabs.AddTab(name); }
    void SetConfirmClose(bool confirm) override { m_confirmClose = confirm ? 1 : 0; }
    BOOL StartPenTool() override;
    CGroupTabCtrl& GetGroupTabs() { return m_groupTabs; }

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void RecalcLayout(BOOL notify = TRUE) override;

    // 1: closing asks the teacher first. The view clears it before it ends the program itself.
    int m_confirmClose = 1;

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT cs);
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnClose();
    afx_msg void OnCloseCommand();
    afx_msg void OnMinimizeCommand();
    // The group buttons (MainFrameGroups.cpp).
    afx_msg void OnCreateGroup();
    afx_msg void OnDeleteGroup();
    afx_msg void OnRunOnGroup();
    afx_msg LRESULT OnGroupTabSelected(WPARAM marker, LPARAM name);
    DECLARE_MESSAGE_MAP()

private:
    static LPCWSTR RegisterFrameClass(const CREATESTRUCTW& cs);
    BOOL CreateCaptionButtons();
    void PlaceChildren(int clientWidth);
    void PaintCaptionBand(CDC& dc, const CRect& client);
    void DrawBitmap(CDC& dc, CBitmap& bitmap, int x, int y, int width, int height,
                    int sourceWidth = -1, int sourceHeight = -1);
    void DrawLabel(CDC& dc, UINT textId, int x, int y);
    BOOL IsDefaultGroupSelected() const;
    void RemoveCaptionStyle();
    void CloseAfterConfirmation();

    CFont m_boldFont;
    CFont m_normalFont;
    CString m_text;               // scratch for loaded texts
    int m_teacherNumber = 0;
    CString m_teacherName;
    CBitmap m_captionBand;        // 454
    CBitmap m_logo;               // 457
    CBitmap m_labelPlate;         // 464
    CBitmap m_resizeGrip;         // 469
    CImageButton m_closeButton;
    CImageButton m_minimizeButton;
    CImageButton m_createGroupButton;
    CImageButton m_deleteGroupButton;
    CImageButton m_runOnGroupButton;
    CGroupTabCtrl m_groupTabs;

    BOOL m_gripPressed = FALSE;
    BOOL m_resizing = FALSE;
    CSize m_resizeSize;
    CPoint m_resizeLastPoint;
    BOOL m_fullScreen = FALSE;
    // A modal dialog or box lets the frame be closed before the call returns.
    CLifeFlag m_life;
};
