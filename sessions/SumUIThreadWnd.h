// CSumUIThreadWnd: the combined window that shows up to four students at once, each in its pane
// (sessions/core/CombinedPaneLayout.h), always fitted, in full screen on the monitor that holds
// it. The teacher's mouse goes to the student whose pane it is over, keys to the student of the
// last pane the mouse hit (the active pane, outlined). A student lost leaves its pane empty and
// the others running; closing the window ends every student's session, each of which gives its
// connection back. A student's new screen size shrinks the window (out of full screen) as the
// single window does. Runs on the combined session's view thread.
#pragma once

#include "foundation/MemBitmap.h"
#include "framework/Font.h"
#include "framework/Pen.h"
#include "sessions/ControlSumWinowDlg.h"
#include "sessions/FullScreenPlacement.h"
#include "sessions/RemoteInputQueue.h"
#include "sessions/RemoteMouseWnd.h"
#include "sessions/RemoteSessionLinks.h"
#include "ui/TeacherToolbars.h"
#include "sessions/core/CombinedPaneLayout.h"

#include <array>
#include <memory>
#include <vector>

class CPCInfo;

class CSumUIThreadWnd : public CRemoteMouseWnd {
public:
    CSumUIThreadWnd(const std::vector<CPCInfo*>& slots, const RemoteSessionLinks& links);
    ~CSumUIThreadWnd() override;

    // Sized and titled after the first student, shown.
    BOOL CreateShown();
    // Once every thread is ready: each pane's session window and the input queue it sends from.
    void LinkSession(int pane, HWND session, const std::shared_ptr<CRemoteInputQueue>& input);
    // After go: full screen, the bar, the repaint timer.
    void SetUp();

    void ToggleFullScreen();
    int PaneCount() const { return m_paneCount; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    afx_msg LRESULT OnStudentScreenSize(WPARAM width, LPARAM height);
    afx_msg LRESULT OnPaneLost(WPARAM session, LPARAM);
    afx_msg LRESULT OnSessionChatLine(WPARAM line, LPARAM);
    afx_msg void OnToggleControl();
    afx_msg void OnToggleFullScreen();
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        CPCInfo* slot = nullptr;
        HWND session = nullptr;   // null once its student is gone
        std::shared_ptr<CRemoteInputQueue> input;
    };

    void LayOut();
    void PaintPane(CMemBitmap& target, int index);
    CRemoteInputQueue* InputAt(CPoint& point) override;
    void OnQueued(CRemoteInputQueue& input) override;
    void SetActivePane(int pane);
    void ForgetPane(int pane);
    CRemoteInputQueue* ActiveInput() const;
    // The pane under a client point, and the point in that student's pane coordinates.
    PaneHit HitTestPane(CPoint point) const
    {
        return HitTestCombinedPane(m_paneCount, m_clientWidth, m_clientHeight, point.x, point.y);
    }
    HWND ActiveSession() const;
    CString PaneCaption(int pane) const;

    std::array<Pane, kMaxCombinedPanes> m_panes;
    int m_paneCount = 0;
    int m_activePane = -1;
    RemoteSessionLinks m_links;
    bool m_forwarding = false;
    bool m_pumpStopped = false;   // no pump runs (any more): flushes are asked here
    bool m_closing = false;
    CFullScreenPlacement m_placement;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    bool m_counted = false;
    bool m_pushed = false;
    HiddenToolbars m_hiddenToolbars;   // the toolbars this window put away, given back when it goes
    CFont m_captionFont;
    CPen m_highlightPen;
    CMemBitmap m_backBuffer;
    CControlSumWinowDlg m_bar;
};
