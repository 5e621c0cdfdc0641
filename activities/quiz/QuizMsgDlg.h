// CQuizMsgDlg: the one announcement box of the quiz (the picked student, the fastest press). A
// second announcement replaces the text of the one box; closing it opens the next speed-quiz
// round to a new winner only through the panel's reset.
#pragma once

#include "activities/quiz/QuizPopupDlg.h"

class CQuizMsgDlg : public CQuizPopupDlg {
public:
    CQuizMsgDlg();

    void SetTextAndCaption(const CString& text, const CString& caption);
    // 1 OK, 2 cancel, 6 yes, 7 no.
    int GetResult() const { return m_result; }
    // Hides the box (when shown) and clears the first-press flag.
    void Dismiss(int result);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { Dismiss(1); }
    void OnCancel() override { Dismiss(2); }
    afx_msg void OnYes() { Dismiss(6); }
    afx_msg void OnNo() { Dismiss(7); }
    afx_msg void OnOkAlt() { Dismiss(1); }
    afx_msg void OnCancelAlt() { Dismiss(2); }
    DECLARE_MESSAGE_MAP()

private:
    CString m_text;
    CString m_caption;
    int m_result = 0;
};
