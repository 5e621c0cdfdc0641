// CRemoteControlBar: the small floating bar of a remote view window, made from the empty dialog
// template 445 as a window of the desktop, centred near the bottom of its window over a
// half-transparent back layer. Its image buttons close the session (refused while the class
// screen share runs), show the share and touch states and open the pen tool; the single
// student's bar adds sound, chat and a pad's HOME and BACK (CControlWinowDlg), the combined
// window's bar only follows the share state (CControlSumWinowDlg). Lives on its window's thread.
#pragma once

#include "framework/Brush.h"
#include "framework/DialogEx.h"
#include "sessions/RemoteSessionLinks.h"
#include "ui/BackLayerWnd.h"
#include "ui/ImageButton.h"
#include "ui/WaitMsgDlg.h"

#include <map>
#include <memory>

class CRemoteControlBar : public CDialogEx {
public:
    CRemoteControlBar(CWnd& owner, const RemoteSessionLinks& links);
    ~CRemoteControlBar() override;

    // The bar, hidden until placed; FALSE when it could not be made.
    BOOL CreateBar();
    // Centred on the owner, above its bottom edge; shown.
    void Place();
    // Every change between full screen and window.
    void SwitchLayout() { m_layoutFlag = !m_layoutFlag; }
    bool IsSharing() const;
    CImageButton* Button(int id);

    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

protected:
    struct ButtonLayout {
        int id;
        UINT normal, hover, pressed, disabled;
        UINT text;
        int x, y, side;
    };
    // The buttons this kind of bar makes, and those it shows.
    virtual void MakeButtons();
    void MakeButton(const ButtonLayout& layout, bool shown);
    // The sharing flag and the share button's check: the class share's state now.
    void ShowShareState();
    // Each tick of the bar's timer: the combined bar follows the class share from here; the
    // single bar is told by the teacher toolbar instead (WM_SYNC_SHARE_BUTTON).
    virtual void UpdateShareButton() {}

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnFullScreen();
    afx_msg void OnCloseSession();
    afx_msg void OnPenTool();
    afx_msg void OnStateButton() {}
    DECLARE_MESSAGE_MAP()

    CWnd& m_owner;
    RemoteSessionLinks m_links;

private:
    void KeepBackLayerUnder();
    bool IsInFrontOf(HWND window) const;
    void EndNotice();

    bool m_layoutFlag = false;
    bool m_touchState = false;
    bool m_sharing = false;
    CBrush m_background;
    CBackLayerWnd m_backLayer;
    std::map<int, std::unique_ptr<CImageButton>> m_buttons;
    std::unique_ptr<CWaitMsgDlg> m_notice;   // the refusal notice while it shows
};
