// CQuizDlg: the teacher's quiz panel, a small modeless window at the right edge of the screen
// owned by the classroom view. From it the teacher picks a student at random, runs a speed
// quiz, asks an O/X or multiple-choice question and charts the answers, or hands one student
// the screen-control right. It only posts commands to the students' threads; their answers come
// back into the slot records and the quiz board.
//
// One mode at a time: a button refuses (notice, nothing sent, nothing reset) while another quiz
// is on. The question's work is in QuizDlgQuestion.cpp.
#pragma once

#include "activities/quiz/QuizPopupDlg.h"
#include "activities/quiz/QuizHost.h"
#include "res/resource.h"
#include "sessions/core/ActivityCommands.h"
#include "framework/Font.h"
#include "ui/ImageButton.h"

#include <string>
#include <vector>

class CQuizDlg : public CQuizPopupDlg {
public:
    explicit CQuizDlg(IQuizHost& host);

    // Made hidden when the view is; false when the window could not be made.
    BOOL CreatePanel(CWnd* parent);
    // Shows the panel at the right edge of the screen.
    void OpenPanel();
    bool IsPanelVisible() const;
    // The toolbar's quiz button runs it too.
    void RandomPick();
    // Asked once a second by the waiting box: g_quizExpectedCount becomes the students asked who
    // are still connected, or who answered before they left.
    void RecountExpectedAnswers() const;
    // The student given the screen-control right left: the button shows it free again.
    void ShowControlRightFree();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { OnCloseCommand(); }
    void OnCancel() override { OnCloseCommand(); }
    BOOL PreTranslateMessage(MSG* msg) override;

    afx_msg void OnClose() { OnCloseCommand(); }
    afx_msg void OnCloseCommand();
    afx_msg void OnDestroy();
    afx_msg void OnRandomPick() { RandomPick(); }
    afx_msg void OnSpeedQuiz();
    afx_msg void OnSpeedReset();
    afx_msg void OnOxMode() { ToggleQuestionMode(IDC_QUIZ_OX, kModeOx); }
    afx_msg void OnChoiceMode() { ToggleQuestionMode(IDC_QUIZ_CHOICE, kModeSelect); }
    afx_msg void OnChoiceCount();
    afx_msg void OnQuestionStartStop();
    afx_msg void OnControlRight();
    afx_msg LRESULT OnWaitTimeout(WPARAM, LPARAM);
    afx_msg LRESULT OnSetFullScreen(WPARAM, LPARAM state);
    afx_msg LRESULT OnResultsClosed(WPARAM, LPARAM);
    afx_msg LRESULT OnDisplayChange(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    enum Mode { kModeNone, kModeSpeed, kModeOx, kModeSelect };

    struct AskedStudent {
        CPCInfo* slot;
        int connectionId;
    };

    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    // Any quiz toggle on but the one given (0: any).
    bool IsAnotherQuizActive(int exceptId) const;
    // The refusal every mode button starts with; otherwise the quiz is reset for it.
    bool RefuseOrReset(int id);
    void ResetQuiz();
    void Notice(UINT textId, DWORD milliseconds);
    void SendToAll(const std::u16string& text) const;
    std::vector<CPCInfo*> ConnectedSlots() const;
    void SetMode(Mode mode);
    void PlaceWindow();
    // The panel's buttons, skinned and lettered with the string table's texts.
    void SkinButtons();
    void PlaceButton(int id, int x, int y);
    // The start button's label: "퀴즈 시작" or "퀴즈 중단".
    void LabelStartButton(UINT textId);

    // QuizDlgQuestion.cpp
    void ToggleQuestionMode(int id, Mode mode);
    void StartQuestion();
    void EndWaiting();
    void ShowResults();
    QuestionKind CurrentKind() const;

    IQuizHost& m_host;
    CFont m_buttonFont;
    CImageButton m_buttons[8];
    Mode m_mode = kModeNone;
    std::vector<AskedStudent> m_asked;
};
