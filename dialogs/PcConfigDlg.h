// CPcConfigDlg: the display name of one student (dialog 316). The classroom view fills in the
// slot's name, runs it modally and, on IDOK, stores and sends the name it reads back; the dialog
// itself only edits and checks it.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "ui/ImageButton.h"
#include "ui/SkinnedDialog.h"

class CPcConfigDlg : public CSkinnedDialog {
public:
    explicit CPcConfigDlg(CWnd* parent = nullptr);

    void SetName(const CString& name) { m_name = name; }
    const CString& GetName() const { return m_name; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnCloseButton();
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    void CreateResources();
    void PlaceControls();
    void PlaceControl(int id, int x, int y, int width, int height, CFont* font);

    CString m_name;
    CString m_text;                 // scratch for loaded texts
    CBitmap m_decoration;           // 565
    CBrush m_editBrush;
    CFont m_titleFont;              // bold
    CFont m_labelFont;              // bold
    CFont m_editFont;               // normal
    CImageButton m_okButton;
    CImageButton m_cancelButton;
    CImageButton m_closeButton;
};
