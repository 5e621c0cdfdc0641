// CSkinnedDialog: a dialog that paints its whole client itself (double-buffered, so the
// background is never erased first) and is dragged by the band along its top. A template's
// caption line gives the window its title and, with it, a system caption bar; the band takes its
// place, so the bar is removed before the dialog lays itself out.
#pragma once

#include "framework/DialogEx.h"
#include "ui/DialogSkin.h"

class CSkinnedDialog : public CDialogEx {
public:
    // The band's height is in design units (x g_uiScale).
    explicit CSkinnedDialog(UINT templateId, CWnd* parent = nullptr, int captionBandHeight = kDialogCaptionBandHeight)
        : CDialogEx(templateId, parent), m_captionBandHeight(captionBandHeight)
    {
    }

protected:
    BOOL OnInitDialog() override;

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    int m_captionBandHeight;
};
