// CJpegQuiltyDlg: the monitoring-screen settings (dialog 319): how often each student sends its
// thumbnail (100 to 9000 ms) and the thumbnails' quality on a slider from 10 to 90. The view fills
// the values in and, after OK, stores and sends them; the capture-all flag passes through.
#pragma once

#include "dialogs/SkinnedViewDialog.h"

class CJpegQuiltyDlg : public CSkinnedViewDialog {
public:
    explicit CJpegQuiltyDlg(CWnd* parent = nullptr);

    int m_quality = 40;
    int m_refreshPeriod = 1000;
    int m_captureAll = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void PaintExtra(CDC& dc) override;

    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    DECLARE_MESSAGE_MAP()

private:
    int TrackLeft() const;
    int TrackLength() const;
    CRect ThumbRect() const;
    void EndDrag();
    void ShowValueBox();

    CImageButton m_okButton;
    CImageButton m_cancelButton;
    int m_thumbOffset = 0;
    bool m_dragging = false;
    bool m_dragStarted = false;
    int m_lastX = 0;
};
