// CControlWinowDlg: the control bar of the single-student window. Besides the buttons every bar
// has (CRemoteControlBar) it makes the sound and chat buttons, kept hidden, and for a pad the
// HOME and BACK keys.
#pragma once

#include "sessions/RemoteControlBar.h"

#include <atomic>

class CPCInfo;

class CControlWinowDlg : public CRemoteControlBar {
public:
    CControlWinowDlg(CWnd& owner, CPCInfo& slot, const RemoteSessionLinks& links);

    void SetSessionWindow(HWND session) { m_session = session; }
    // The sound button's text and check follow what the student answered.
    void SetSoundState(bool on);

protected:
    void MakeButtons() override;
    afx_msg void OnSound();
    afx_msg void OnChat();
    afx_msg void OnPadHome();
    afx_msg void OnPadBack();
    // WM_SYNC_SHARE_BUTTON from the teacher toolbar's share toggle.
    afx_msg LRESULT OnSyncShareButton(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void SendPadKey(UINT message);

    CPCInfo& m_slot;
    HWND m_session = nullptr;
};

// The bar of the open single-student window (its window handle), or null.
extern std::atomic<HWND> g_singleControlBar;
