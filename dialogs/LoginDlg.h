// CLoginDlg: the teacher login (dialog 311). The teacher enters a teacher ID and the name of the
// class's transfer folder; Connect checks both, stores them in the registry profile ("config":
// "teacherid", "classinfo") and hands them back, Cancel or the close button end it without
// storing anything. The dialog never talks to the network: the classroom view connects with
// what it returns, and it carries the server address, port and login field through unchanged.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "ui/ImageButton.h"
#include "ui/SkinnedDialog.h"

class CLoginDlg : public CSkinnedDialog {
public:
    explicit CLoginDlg(CWnd* parent = nullptr);

    // Before DoModal: the five texts, in this order.
    void SetFields(const CString& serverAddress, const CString& serverPort, const CString& teacherId,
                   const CString& loginField, const CString& folderName);
    // The line shown above the fields (the reason a login was refused); empty by default.
    void SetErrorLine(const CString& text) { m_errorLine = text; }

    // After IDOK: the ID and folder name trimmed, the other three as they were given.
    const CString& GetServerAddress() const { return m_serverAddress; }
    const CString& GetServerPort() const { return m_serverPort; }
    const CString& GetTeacherId() const { return m_teacherId; }
    const CString& GetLoginField() const { return m_loginField; }
    const CString& GetFolderName() const { return m_folderName; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnCloseButton();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    void CreateFonts();
    void CreateCloseButton();
    void LoadSkin();
    void PlaceControls();
    void PlaceControl(int id, int x, int y, int width, int height, CFont* font);
    void MakeTopmost();
    // Shows a string-table text and puts the focus on the edit control to correct.
    void RefuseField(UINT textId, int editId);
    void PaintDialog(CDC& dc, const CRect& client);

    CString m_faceName;             // also the scratch for loaded texts
    CString m_teacherId;
    CString m_folderName;
    CString m_errorLine;
    CString m_loginField;
    CString m_serverAddress;
    CString m_serverPort;

    CBitmap m_header;               // 746
    CBitmap m_editFrame;            // 745
    CBitmap m_separator;            // 747
    CBrush m_backgroundBrush;
    CBrush m_editBrush;
    CFont m_titleFont;              // bold 13
    CFont m_boldFont;               // bold 12: labels, edits, error line
    CFont m_normalFont;             // normal 12
    CImageButton m_connectButton;
    CImageButton m_cancelButton;
    CImageButton m_closeButton;
};
