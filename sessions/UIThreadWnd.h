// CUIThreadWnd: the visible window of a remote session. It paints the student's screen from the
// slot's frame bitmap (1:1 with scroll bars, or fitted; a portrait screen fitted with its
// aspect kept and centred; full screen on the monitor that holds it), maps the teacher's mouse
// to the student's screen and queues mouse and key input for the session window, and ends the
// session when it closes. Runs on the session's view thread.
#pragma once

#include "foundation/MemBitmap.h"
#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "sessions/ControlWinowDlg.h"
#include "sessions/FullScreenPlacement.h"
#include "sessions/RemoteInputQueue.h"
#include "sessions/RemoteMouseWnd.h"
#include "sessions/RemoteSessionLinks.h"
#include "ui/TeacherToolbars.h"
#include "sessions/core/RemoteViewLayout.h"

#include <array>
#include <memory>

class CPCInfo;

// The control bar's full-screen button sends this command to the window.
#define ID_REMOTE_TOGGLE_FULLSCREEN 1001

class CUIThreadWnd : public CRemoteMouseWnd {
public:
    CUIThreadWnd(CPCInfo& slot, const RemoteSessionLinks& links);
    ~CUIThreadWnd() override;

    // The window at 0,0 sized to the student's screen within the primary screen, shown.
    BOOL CreateShown();
    // Both threads are ready: the session window and the input queue it sends from.
    void LinkSession(HWND session, const std::shared_ptr<CRemoteInputQueue>& input);
    // After go: full screen, the repaint timer.
    void SetUp();

    // For the control bar.
    void ToggleFullScreen();
    bool IsFullScreen() const { return m_placement.IsOn(); }
    bool IsSoundOn() const { return m_soundOn; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
    afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    afx_msg LRESULT OnStudentScreenSize(WPARAM width, LPARAM height);
    afx_msg LRESULT OnSoundState(WPARAM on, LPARAM);
    afx_msg LRESULT OnChatTyped(WPARAM text, LPARAM);
    afx_msg LRESULT OnSessionChatLine(WPARAM line, LPARAM);
    afx_msg void OnToggleFullScreen();
    afx_msg void OnMove(int x, int y);
    DECLARE_MESSAGE_MAP()

private:
    void LayOut();
    RemoteViewGeometry Geometry() const;
    void PaintInto(CMemBitmap& target);
    int ChooseStatePicture() const;
    void DrawStatePicture(CMemBitmap& target, int pictureId);
    void DrawCaption(CMemBitmap& target);
    CRemoteInputQueue* InputAt(CPoint& point) override;
    void SetImeMode(bool native);
    void Scroll(int bar, UINT code, UINT position);
    bool IsForwarding() const { return m_input && m_input->IsForwarding(); }

    CPCInfo& m_slot;
    RemoteSessionLinks m_links;
    HWND m_session = nullptr;
    std::shared_ptr<CRemoteInputQueue> m_input;
    bool m_closing = false;
    bool m_soundOn = false;
    bool m_stretched = false;
    CFullScreenPlacement m_placement;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    RemoteViewLayout m_layout;
    int m_scrollX = 0;
    int m_scrollY = 0;
    DWORD m_lastPaint = 0;
    DWORD m_leftFullScreenTick = 0;   // when it left full screen, 0 when that is past
    bool m_imeNative = false;
    bool m_counted = false;
    bool m_pushed = false;      // on the target-window stack
    HiddenToolbars m_hiddenToolbars;   // the toolbars this window put away, given back when it goes
    CFont m_captionFont;
    CMemBitmap m_backBuffer;
    struct StatePicture {
        int id;
        CBitmap bitmap;
    };
    std::array<StatePicture, 5> m_pictures{{{825, {}}, {826, {}}, {827, {}}, {828, {}}, {829, {}}}};
    CControlWinowDlg m_bar;
};
