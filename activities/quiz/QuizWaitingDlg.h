// CQuizWaitingDlg: the box shown while the students answer a question — seconds waited, answers
// received of the students asked and a bar. Once a second it asks the panel how many students
// are still to be counted (one who leaves no longer is), and when the answers reach that number
// it tells the panel (WM_QUIZ_WAIT_TIMEOUT) and stops.
#pragma once

#include "activities/quiz/QuizPopupDlg.h"

class CQuizDlg;

class CQuizWaitingDlg : public CQuizPopupDlg {
public:
    CQuizWaitingDlg();

    static constexpr UINT_PTR kTimerId = 1000;
    static constexpr UINT kTimerPeriod = 1000;

    // Shows the box for a new question of the panel and starts the once-a-second check.
    void Start(CQuizDlg* owner, const CString& caption);
    // Hides the box and stops the check.
    void Stop();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void PaintContent(CDC& dc) override;
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    void ShowProgress();

    CQuizDlg* m_owner = nullptr;
    CString m_caption;
    int m_seconds = 0;
    int m_answers = 0;
    int m_expected = 0;
};
