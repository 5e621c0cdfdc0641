// CBroadcastDlg: the teacher's floating toolbar, a small semi-transparent window that stays on
// top. Its image buttons start and stop sharing the teacher's screen, switch between monitoring
// and the desktop, and open the activities and the view's less frequent commands from three
// sub-panels. It also holds the screen-share settings and the touch lock the remote-controller
// app switches.
//
//   BroadcastDlg.cpp          creation, layout, transparency, timers, share settings
//   BroadcastDlgCommands.cpp  the buttons
#pragma once

#include "activities/screenshare/core/ShareTileGrid.h"
#include "framework/DialogEx.h"
#include "ui/BackLayerWnd.h"
#include "ui/ImageButton.h"
#include "ui/NTOSDWindow.h"
#include "view/core/AdmissionCommands.h"

#include <map>
#include <memory>

class CWendmarkView;

class CBroadcastDlg : public CDialogEx {
public:
    static constexpr UINT_PTR kTouchUnlockTimer = 5;
    static constexpr UINT kTouchUnlockMs = 5000;

    explicit CBroadcastDlg(CWendmarkView* view);
    ~CBroadcastDlg() override;

    // Makes the (hidden) toolbar at the lower right of the screen with the class panel open.
    BOOL CreateToolbar();
    // Shown above every other window (once the teacher has logged in), and hidden.
    void ShowTopMost();
    void HideToolbar();

    // "[RC00013]" from the remote-controller app: "on" or "off".
    void SetTouchState(const CString& text);
    // The view's answer to the presentation-right command.
    void SetPresentationRightInUse(bool inUse);
    // A refusal the teacher reads for a moment (the wait notice, over everything).
    void ShowNotice(const CString& text);
    // Closes the built-in pen tool's drawing surface and hides its toolbar.
    void HidePenTool();
    bool IsPresentationRightInUse() const { return m_presentationInUse; }
    bool IsTouchLocked() const { return m_touchLocked; }
    int GetOpenPanel() const { return m_openPanel; }
    bool IsHorizontal() const { return m_horizontal; }

    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
    afx_msg void OnDestroy();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    afx_msg LRESULT OnChildClosed(WPARAM window, LPARAM);
    afx_msg LRESULT OnFileDropped(WPARAM path, LPARAM);
    afx_msg LRESULT OnOpenNoteTool(WPARAM marker, LPARAM);
    afx_msg LRESULT OnNoteToolAnswer(WPARAM, LPARAM);
    afx_msg void OnToggleScreenShare();
    afx_msg void OnCollectView();
    afx_msg void OnMonitoring();
    afx_msg void OnPresentationRight();
    afx_msg void OnFileTransfer();
    afx_msg void OnOpenInbox();
    afx_msg void OnNoteTool();
    afx_msg void OnQuiz();
    afx_msg void OnTouchButton();
    afx_msg void OnClassPanel();
    afx_msg void OnStudentPanel();
    afx_msg void OnSettingsPanel();
    afx_msg void OnRotate();
    afx_msg void OnApplyShareSettings();
    afx_msg void OnGridLayout();
    afx_msg void OnMonitorSettings();
    afx_msg void OnStudentNames();
    afx_msg void OnSettings();
    afx_msg void OnRemoteControl();
    afx_msg void OnChat();
    afx_msg void OnTouchControl();
    afx_msg void OnShowLog();
    DECLARE_MESSAGE_MAP()

private:
    void CreateButtons();
    void HideQuizAnnouncement();
    void ReadShareSettingsFile();
    void FillShareControls();
    // The controls into the view and the capture's globals; false for unusable sizes.
    bool ReadShareControls();
    // The controls applied (view, capture globals, every student); false, with the teacher told,
    // for an unusable canvas.
    bool ApplyShareSettings();
    void Relayout();
    void TogglePanel(int panel);
    void PlaceAtLowerRight();
    void KeepOnScreen();
    void SetAlpha(BYTE alpha);
    void ShowBackLayer(bool show);
    void StartSharing();
    void StopSharing();
    void SetShareButton(bool sharing);
    // The open single-student control bar's sharing flag and share button take g_screenSharing.
    void SyncShareButton();
    // The wait notice with string id for 2.5 s of message pumping; false when the toolbar went
    // away meanwhile.
    void ShowNotice(UINT textId) { ShowNotice(LoadText(textId)); }
    // Hands a command to the view, which owns its target.
    void ForwardToView(UINT id);
    void RestoreMainFrame();
    bool IsSharing() const;
    CWnd* MainFrame() const;

    CWendmarkView* m_view;
    std::map<int, std::unique_ptr<CImageButton>> m_buttons;
    CBackLayerWnd m_backLayer;
    OSDWindowHolder m_sharingOsd;

    // Share settings.
    ShareRect m_capture{0, 0, 1280, 720};
    ShareSettings m_share{1280, 720, true, true};
    int m_quality = 70;

    bool m_touchLocked = false;
    bool m_presentationInUse = false;
    bool m_horizontal = true;
    int m_openPanel = 0;
    bool m_collapsed = true;
    BYTE m_alpha = 255;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// The toolbar of the classroom view, while it exists.
extern CBroadcastDlg* g_broadcastDlg;
