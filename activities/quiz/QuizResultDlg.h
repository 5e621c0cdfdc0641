// CQuizResultDlg: the chart of a question's answers — one row and bar per answer and one for no
// answer. While it is shown the panel is disabled; closing it gives the panel back and tells it
// (WM_QUIZ_RESULTS), so the students' answer screens end.
#pragma once

#include "activities/quiz/QuizPopupDlg.h"
#include "activities/quiz/core/QuizTally.h"

class CQuizResultDlg : public CQuizPopupDlg {
public:
    CQuizResultDlg();

    void SetResult(QuestionKind kind, const QuizTally& tally, const CString& caption, CWnd* owner);
    // Sizes the box for its kind and writes the rows.
    void LayoutQuizResultDlg();
    int GetResult() const { return m_result; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { Close(1); }
    void OnCancel() override { Close(2); }
    void PaintContent(CDC& dc) override;
    afx_msg void OnCaptionClose() { Close(2); }
    afx_msg void OnRestoreWindow();
    DECLARE_MESSAGE_MAP()

private:
    void Close(int result);
    int RowCount() const { return static_cast<int>(m_tally.counts.size()) + 1; }

    QuestionKind m_kind = QuestionKind::Ox;
    QuizTally m_tally;
    CString m_caption;
    HWND m_owner = nullptr;
    int m_result = 0;
};
