// CDialog: a dialog from a template of the resource module (g_langResource), modal through the
// framework's own loop (so PreTranslateMessage and thread messages keep working) or modeless.
// The dialog window is routed to this object's message map from its first message on, so
// WM_INITDIALOG arrives as OnInitDialog.
#pragma once

#include "framework/DataExchange.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog modally: returns EndDialog's value, or -1 when the dialog could not be
    // made. The owner (the parent given, else the application's main window) is disabled
    // meanwhile.
    virtual INT_PTR DoModal();
    // A modeless dialog; the caller destroys it (DestroyWindow).
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Uses a template in memory (kept alive by the caller) instead of the resource.
    void InitModalIndirect(const DLGTEMPLATE* dialogTemplate) { m_pTemplate = dialogTemplate; }
    BOOL CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
    // Ends a modal dialog with the result (hides a modeless one).
    void EndDialog(int result);

    // Moves data between controls and members; FALSE when a check failed while saving.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;

    void GotoDlgCtrl(CWnd* control);
    void SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }

    UINT m_nIDHelp = 0;
    UINT m_lpszTemplateName = 0;   // the template's resource id
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

protected:
    virtual void DoDataExchange(CDataExchange* pDX) {}
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    BOOL m_bModal = FALSE;

private:
    BOOL CreateFromTemplate(HWND owner);
    BOOL CreateFromMemory(HINSTANCE module, const DLGTEMPLATE* dialogTemplate, HWND owner);
    HWND ModalOwner() const;
    void RunModalLoop();

    const DLGTEMPLATE* m_pTemplate = nullptr;
    INT_PTR m_nModalResult = -1;
    BOOL m_bEndModal = FALSE;
};

// The dialog procedure of every framework dialog: the window procedure (the message map) does
// the work, so it leaves everything to the dialog manager.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
