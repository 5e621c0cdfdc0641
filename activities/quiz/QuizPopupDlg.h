// CQuizPopupDlg: the look the quiz panel and its pop-ups share — the dark skin with a caption
// band that drags the window, and light text on it. Each window paints its own content over it.
#pragma once

#include "framework/Brush.h"
#include "framework/DC.h"
#include "ui/SkinnedDialog.h"

class CQuizPopupDlg : public CSkinnedDialog {
public:
    explicit CQuizPopupDlg(UINT templateId, CWnd* parent = nullptr);

    static constexpr COLORREF kBackground = RGB(36, 43, 58);
    static constexpr COLORREF kCaptionBand = RGB(24, 30, 43);
    static constexpr COLORREF kTitleText = RGB(3, 207, 227);
    static constexpr COLORREF kText = RGB(235, 235, 235);
    static constexpr COLORREF kBar = RGB(3, 207, 227);
    static constexpr int kCaptionHeight = 38;

protected:
    // Over the background and the caption band.
    virtual void PaintContent(CDC&) {}

    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_backgroundBrush;
};
