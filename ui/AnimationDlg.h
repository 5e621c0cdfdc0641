// CAnimationDlg: the borderless random-pick animation of the quiz. It plays once in a
// 600 x 600 window whose green background is transparent, then closes itself.
#pragma once

#include "framework/DialogEx.h"
#include "ui/PictureEx.h"

class CAnimationDlg : public CDialogEx {
public:
    explicit CAnimationDlg(CWnd* parent = nullptr);

    CPictureEx& GetPicture() { return m_picture; }

    static constexpr COLORREF kTransparentColor = RGB(71, 234, 72);
    static constexpr int kSize = 600;
    static constexpr UINT kCloseDelay = 3400;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CPictureEx m_picture;
};
