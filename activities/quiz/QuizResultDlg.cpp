#include "activities/quiz/QuizResultDlg.h"

#include "foundation/AppMessages.h"
#include "res/resource.h"
#include "ui/UiScale.h"

namespace {

const int kWidth = 504;
const int kFirstRowY = 99;
const int kRowStep = 34;
const int kLabelLeft = 20;
const int kLabelWidth = 120;
const int kBarLeft = 140;
const int kBarWidth = 340;
const int kBarHeight = 18;
const int kMaxRows = 6;

int HeightFor(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::Ox: return 234;
    case QuestionKind::Select4: return 302;
    case QuestionKind::Select5: return 336;
    }
    return 234;
}

} // namespace

BEGIN_MESSAGE_MAP(CQuizResultDlg, CQuizPopupDlg)
    ON_BN_CLICKED(IDC_CAPTION_CLOSE, OnCaptionClose)
    ON_BN_CLICKED(IDC_QUIZRESULT_RESTORE_WINDOW, OnRestoreWindow)
END_MESSAGE_MAP()

CQuizResultDlg::CQuizResultDlg() : CQuizPopupDlg(IDD_QUIZ_RESULT)
{
}

BOOL CQuizResultDlg::OnInitDialog()
{
    CQuizPopupDlg::OnInitDialog();
    return TRUE;
}

void CQuizResultDlg::SetResult(QuestionKind kind, const QuizTally& tally, const CString& caption, CWnd* owner)
{
    m_kind = kind;
    m_tally = tally;
    m_caption = caption;
    m_owner = owner ? owner->GetSafeHwnd() : nullptr;
}

void CQuizResultDlg::LayoutQuizResultDlg()
{
    const int width = ScaleToUi(kWidth);
    const int height = ScaleToUi(HeightFor(m_kind));
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(::GetDesktopWindow());
    SetDlgItemText(IDC_TITLE_TEXT, m_caption);
    const int rows = RowCount();
    for (int row = 0; row < kMaxRows; ++row) {
        CWnd* label = GetDlgItem(IDC_QUIZRESULT_ROW_FIRST + row);
        if (!label)
            continue;
        CString text;
        if (row + 1 < rows)
            text.Format(L"%s (%d)", FromU16(QuizChoiceLabel(m_kind, row)).GetString(), m_tally.counts[row]);
        else if (row + 1 == rows)
            text.Format(LoadText(IDS_QUIZ_NO_ANSWER), m_tally.noAnswer);
        label->SetWindowText(text);
        label->SetWindowPos(nullptr, ScaleToUi(kLabelLeft), ScaleToUi(kFirstRowY + row * kRowStep),
                            ScaleToUi(kLabelWidth), ScaleToUi(kBarHeight), SWP_NOZORDER | SWP_NOACTIVATE);
        label->ShowWindow(row < rows ? SW_SHOW : SW_HIDE);
    }
    const int buttonWidth = ScaleToUi(90);
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->SetWindowPos(nullptr, (width - buttonWidth) / 2, height - ScaleToUi(44), buttonWidth, ScaleToUi(30),
                         SWP_NOZORDER | SWP_NOACTIVATE);
    const int small = ScaleToUi(26);
    if (CWnd* close = GetDlgItem(IDC_CAPTION_CLOSE))
        close->SetWindowPos(nullptr, width - small - ScaleToUi(6), ScaleToUi(6), small, small, SWP_NOZORDER);
    if (CWnd* restore = GetDlgItem(IDC_QUIZRESULT_RESTORE_WINDOW))
        restore->SetWindowPos(nullptr, width - 2 * small - ScaleToUi(10), ScaleToUi(6), small, small, SWP_NOZORDER);
    Invalidate(FALSE);
}

void CQuizResultDlg::PaintContent(CDC& dc)
{
    const int total = m_tally.Total();
    const int full = ScaleToUi(kBarWidth);
    for (int row = 0; row < RowCount(); ++row) {
        const int count = row + 1 < RowCount() ? m_tally.counts[row] : m_tally.noAnswer;
        const int length = QuizBarLength(full, count, total);
        if (length > 0)
            dc.FillSolidRect(ScaleToUi(kBarLeft), ScaleToUi(kFirstRowY + row * kRowStep), length,
                             ScaleToUi(kBarHeight), kBar);
    }
}

void CQuizResultDlg::Close(int result)
{
    if (m_owner) {
        ::PostMessageW(m_owner, WM_SET_FULLSCREEN, 0, 1);
        ::PostMessageW(m_owner, WM_QUIZ_RESULTS, 0, 0);
        ::EnableWindow(m_owner, TRUE);
    }
    m_result = result;
    ShowWindow(SW_HIDE);
}

void CQuizResultDlg::OnRestoreWindow()
{
    if (m_owner)
        ::PostMessageW(m_owner, WM_SET_FULLSCREEN, 0, 0);
}
