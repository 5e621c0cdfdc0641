// CPcPerRowDlg: the grid layout (dialog 334): how many slots stand in a row (2 to 20) and the
// slot's aspect ratio as two whole numbers (1 to 999 each, neither more than twice the other).
// The view fills the three values in, and stores and applies them after OK.
#pragma once

#include "dialogs/SkinnedViewDialog.h"

class CPcPerRowDlg : public CSkinnedViewDialog {
public:
    explicit CPcPerRowDlg(CWnd* parent = nullptr);

    int m_perRow = 8;
    int m_widthRatio = 4;
    int m_heightRatio = 3;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    CImageButton m_okButton;
    CImageButton m_cancelButton;
};
