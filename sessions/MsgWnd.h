// CMsgWnd: the one-to-one chat window between the teacher and one student. Each slot record
// embeds one; its window exists only while the chat is open.
//
// Threads. The window belongs to the thread that opens it: the student's thread while the
// thumbnail session runs (owner: its socket window), a remote session's view thread while that
// session runs. Everything but IsOpen and CloseChat is called on that thread only; CloseChat
// may be called from any thread (it closes at once on the window's own thread and posts
// WM_CLOSE from any other), so no thread ever destroys another thread's window.
#pragma once

#include "framework/Brush.h"
#include "framework/Button.h"
#include "framework/Font.h"
#include "framework/RichEditCtrl.h"
#include "ui/ImageButton.h"

#include <atomic>

class CMsgWnd : public CWnd {
public:
    CMsgWnd() = default;
    ~CMsgWnd() override;

    // Opens the window on the calling thread with the student's name (shown in the echo of
    // what the teacher writes) and the caption; typed lines go to the owner as WM_CHAT_TYPED.
    // An open window of this thread is kept as it is. False when it could not be made, or when
    // the chat is open on another thread.
    bool Open(HWND owner, const CString& title, const CString& caption);
    // The window restored, in front and active.
    void BringToFront();

    // Appends a run at the end of the conversation, scrolls down by its line count and flashes
    // the window while neither it nor its log is the foreground window.
    void AppendMessage(const CString& text, COLORREF colour, int size, const CString& faceName);
    // A line from the student: its header and its text.
    void AppendStudentLine(const CString& header, const CString& text);

    // Any thread.
    bool IsOpen() const { return m_openWindow.load() != nullptr; }
    bool IsOnThisThread() const;
    void CloseChat();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    afx_msg void OnSendButton();
    afx_msg void OnHideButton();
    DECLARE_MESSAGE_MAP()

    void PostNcDestroy() override;

private:
    void CreateControls();
    void SendTypedLine();
    void RefuseLine(UINT textId);
    void KeepLogWithinLimit(long adding);
    void FlashWhenInBackground();

    HWND m_owner = nullptr;
    CString m_title;
    CString m_faceName;
    CFont m_latinFont;
    CFont m_boldFont;
    CBrush m_backgroundBrush;
    CBrush m_inputBrush;
    CRichEditCtrl m_log;
    CWnd m_input;
    CButton m_sendButton;
    CButton m_hideButton;
    CImageButton m_closeButton;
    std::atomic<HWND> m_openWindow{nullptr};
};
