// CCreateGroupDlg: a new group of students (dialog 385). The teacher names the group and ticks
// its members in a list of every seat of the class. When the name and the ticks pass the checks
// the dialog enters the group into the view's table (name to membership text); the main frame
// then adds its tab and stores it.
#pragma once

#include "dialogs/SkinnedViewDialog.h"
#include "framework/ImageList.h"
#include "ui/ListCtrlEx.h"

#include <map>
#include <vector>

class CPCInfo;

class CCreateGroupDlg : public CSkinnedViewDialog {
public:
    // The seats in seat order; the group table gains the new entry on IDOK. The default group's
    // name is taken too, though it has no entry.
    CCreateGroupDlg(const std::vector<CPCInfo*>& slots, std::map<CString, CString>& groups,
                    const CString& defaultGroupName, CWnd* parent = nullptr);

    // The trimmed name, after IDOK.
    const CString& GetGroupName() const { return m_groupName; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    afx_msg void OnListClick(NMHDR* header, LRESULT* result);
    afx_msg void OnSelectAll();
    DECLARE_MESSAGE_MAP()

private:
    void PlaceControls();
    void FillList();
    bool IsTicked(int row) const;
    void SetTicked(int row, bool ticked);
    std::vector<int> TickedSeats() const;

    const std::vector<CPCInfo*>& m_slots;
    std::map<CString, CString>& m_groups;
    CString m_defaultGroupName;
    CString m_groupName;
    CListCtrlEx m_list;
    CImageList m_checkImages;
    CImageButton m_okButton;
    CImageButton m_cancelButton;
    CImageButton m_selectAllButton;
};
