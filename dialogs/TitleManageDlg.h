// CTitleManageDlg: the names of every slot of the class (dialog 314), edited in place in a
// list, and whether names are shown on the monitoring grid. The view hands over one name per
// slot in slot order and reads them back on IDOK; the dialog itself stores nothing.
#pragma once

#include "framework/Brush.h"
#include "framework/Font.h"
#include "ui/ImageButton.h"
#include "ui/ListCtrlEx.h"
#include "ui/SkinnedDialog.h"

#include <vector>

class CTitleManageDlg : public CSkinnedDialog {
public:
    explicit CTitleManageDlg(CWnd* parent = nullptr);

    void SetNames(const std::vector<CString>& names) { m_names = names; }
    const std::vector<CString>& GetNames() const { return m_names; }
    void SetShowNames(int show) { m_showNames = show; }
    int GetShowNames() const { return m_showNames; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnOkButton();
    afx_msg void OnShowNamesClicked();
    afx_msg void OnListDoubleClick(NMHDR* header, LRESULT* result);
    afx_msg void OnEditKillFocus();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    void CreateResources();
    void FillList();
    void BeginEdit(int row);
    void EndEdit(const CString& text);
    // Shows the refusal and keeps the edit open.
    void RefuseEdit(UINT textId);

    std::vector<CString> m_names;
    int m_showNames = 1;
    bool m_editing = false;
    bool m_skipKillFocus = false;
    int m_editRow = -1;
    CString m_editNumber;
    CString m_editOldName;
    CString m_text;                 // scratch for loaded texts

    CListCtrlEx m_list;
    CBrush m_editBrush;
    CFont m_boldFont;
    CFont m_normalFont;
    CFont m_listFont;
    CImageButton m_okButton;
    CImageButton m_cancelButton;
    CImageButton m_closeButton;
    CImageButton m_showButton;
};
