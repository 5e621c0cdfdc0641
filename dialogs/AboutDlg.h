// CAboutDlg: the settings dialog (dialog 381): the program's name and version, four student
// restrictions (ending the student program, web browsers, USB storage, other listed programs)
// and the list of prohibited programs. Apply stores every value and pushes it at once to every
// connected student through the senders the view gives it.
#pragma once

#include "dialogs/SkinnedViewDialog.h"

#include <string>
#include <vector>

class CAboutDlg : public CSkinnedViewDialog {
public:
    // Where Apply sends: the view's class-wide setters.
    class Senders {
    public:
        virtual ~Senders() = default;
        virtual void SendPreventEnd(int on) = 0;
        virtual void SendPreventWebBrowser(int on) = 0;
        virtual void SendPreventUsb(int on) = 0;
        virtual void SendPreventOtherPrograms(int on) = 0;
        virtual void SendProhibitedProgramList(const CString& joined) = 0;
    };

    // configPath: the program's "config.ini".
    CAboutDlg(Senders& senders, const CString& configPath, CWnd* parent = nullptr);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    afx_msg void OnToggle(UINT id);
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnApply();
    DECLARE_MESSAGE_MAP()

private:
    void PlaceAllControls();
    std::vector<std::u16string> ListedNames() const;
    void AddToList(const std::u16string& name);

    Senders& m_senders;
    CString m_configPath;
    HWND m_list = nullptr;
    CFont m_productFont;   // the product name's, larger than the dialog's title font
    CImageButton m_toggles[4];
    CImageButton m_addButton;
    CImageButton m_deleteButton;
    CImageButton m_applyButton;
};
