// CMenuSlotChangeDlg: another number for a connected student (dialog 407), either a free number
// (move) or that of another connected student (swap). It offers the candidates, checks the
// choice against the slots as they are when OK is pressed and asks for confirmation; the view
// carries the change out after IDOK.
#pragma once

#include "dialogs/core/SlotChangeRules.h"
#include "framework/ComboBox.h"
#include "framework/DialogEx.h"
#include "ui/ImageButton.h"

#include <vector>

class CPCInfo;

class CMenuSlotChangeDlg : public CDialogEx {
public:
    // The view's slots (read only here, for as long as the dialog runs) and the number to
    // change; -1 is no slot.
    CMenuSlotChangeDlg(const std::vector<CPCInfo*>& slots, int currentNumber, CWnd* parent = nullptr);

    // After IDOK: a checked target and mode (0 move, 1 swap).
    int GetTargetNumber() const { return m_targetNumber; }
    int GetMode() const { return m_mode; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnOkButton();
    afx_msg void OnRefresh();
    afx_msg void OnMoveClicked();
    afx_msg void OnSwapClicked();
    afx_msg void OnDestroy();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<SlotChangeState> Snapshot() const;
    // Both lists from the slots as they are now; the number is selected in whichever list holds
    // it (0: the first entries).
    void FillLists(int select);
    void CheckMode(int mode);
    int CheckedMode() const;
    int SelectedNumber(CComboBox& list) const;
    // -1 closes with IDCANCEL, 0 stays, 1 asks.
    int CheckChoice();
    void Say(const CString& text);

    const std::vector<CPCInfo*>& m_slots;
    int m_currentNumber;
    int m_targetNumber = 0;
    int m_mode = 0;
    CString m_text;

    CComboBox m_moveList;
    CComboBox m_swapList;
    CComboBox m_currentForMove;
    CComboBox m_currentForSwap;
    CImageButton m_okButton;
    CImageButton m_cancelButton;
};
