// CLoadingDlg: the splash shown while the console connects to the login server: a spinning
// picture and a status line. The user cannot close it; the classroom view does.
#pragma once

#include "framework/DialogEx.h"
#include "ui/PictureEx.h"

class CLoadingDlg : public CDialogEx {
public:
    explicit CLoadingDlg(CWnd* parent = nullptr);

    // Shows the text in the status line (only while the dialog window exists).
    void SetStatusText(LPCWSTR text);
    const CString& GetStatusText() const { return m_statusText; }
    CPictureEx& GetPicture() { return m_picture; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CString m_statusText;
    CPictureEx m_picture;
};
