// CWaitMsgDlg: the plain wait notice (dialog 391) with one line of text; callers set the
// text, show it, pump messages for a while and take it away themselves, or let it go on its own
// timer (ShowWithoutWaiting).
#pragma once

#include "framework/Dialog.h"

class CWaitMsgDlg : public CDialog {
public:
    explicit CWaitMsgDlg(CWnd* parent = nullptr);

    // The modeless dialog, hidden unless its template says otherwise.
    BOOL Create(CWnd* parent = nullptr);
    void SetMessageText(LPCWSTR text);

    // The refusal notice: the text centred on the desktop for that long, the calling thread's
    // messages pumped meanwhile (so the caller's own windows may change or go away).
    static void ShowFor(LPCWSTR text, DWORD milliseconds);
    // The same notice, top-most, without waiting: it takes itself away when its time is up.
    // False while this notice is still shown (nothing changes) or when it could not be made.
    bool ShowWithoutWaiting(LPCWSTR text, DWORD milliseconds);
    bool IsShown() const { return GetSafeHwnd() != nullptr; }

protected:
    // A notice has nothing to type into and takes no focus: taking it would make it the active
    // window, shown or not, and its end would leave the foreground to whatever comes next.
    BOOL OnInitDialog() override;
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()
};
