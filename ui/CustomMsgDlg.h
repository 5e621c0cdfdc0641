// CCustomMsgDlg: the skinned message box (dialog 687) with a caption, a text and OK, Yes/No or
// Yes/No/Cancel buttons; ShowMessageBox is the one way the program shows it.
#pragma once

#include "framework/Font.h"
#include "ui/ImageButton.h"
#include "ui/SkinnedDialog.h"

class CCustomMsgDlg : public CSkinnedDialog {
public:
    enum Style { StyleOk = 0, StyleYesNoCancel = 3, StyleYesNo = 4 };

    explicit CCustomMsgDlg(CWnd* parent = nullptr);

    void SetText(LPCWSTR text) { m_text = text ? text : L""; }
    const CString& GetText() const { return m_text; }
    void SetCaption(LPCWSTR caption) { m_caption = caption ? caption : L""; }
    void SetStyle(int style) { m_style = style; }
    // 1 OK, 2 Cancel / close / Esc, 6 Yes, 7 No (2 until a button set it).
    int GetResult() const { return m_result; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter: the default answer of the style (OK, or Yes), nothing for a box without buttons.
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnYes();
    afx_msg void OnNo();
    afx_msg void OnCloseButton();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    void CreateFonts();
    void PlaceControls();
    void ShowAnswerButtons();
    void Finish(int result, int endCode);
    void PaintBox(HDC dc, const CRect& client);

    CString m_text;
    CString m_caption;
    int m_style = StyleOk;
    int m_result = IDCANCEL;
    CImageButton m_okButton;
    CImageButton m_cancelButton;
    CImageButton m_yesButton;
    CImageButton m_noButton;
    CImageButton m_closeButton;
    CFont m_titleFont;
    CFont m_smallFont;
    CFont m_textFont;
    CBitmap m_textPanel;
    CBitmap m_icon;
};
