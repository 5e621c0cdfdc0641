#include "framework/Dialog.h"

#include "framework/WinApp.h"

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(templateId), m_pParentWnd(parent)
{
}

BOOL CDialog::CreateFromTemplate(HWND owner)
{
    HINSTANCE module = AfxGetResourceHandle();
    if (m_pTemplate)
        return CreateFromMemory(module, m_pTemplate, owner);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(m_lpszTemplateName), RT_DIALOG);
    if (!resource && module != AfxGetInstanceHandle()) {
        module = AfxGetInstanceHandle();
        resource = FindResourceW(module, MAKEINTRESOURCEW(m_lpszTemplateName), RT_DIALOG);
    }
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
    if (!dialogTemplate) {
        TRACE(L"Dialog template %u not found\n", m_lpszTemplateName);
        return FALSE;
    }
    return CreateFromMemory(module, dialogTemplate, owner);
}

BOOL CDialog::CreateFromMemory(HINSTANCE module, const DLGTEMPLATE* dialogTemplate, HWND owner)
{
    if (!AfxHookWindowCreate(this))
        return FALSE;
    HWND hWnd = CreateDialogIndirectParamW(module, dialogTemplate, owner, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (!hWnd) {
        if (m_hWnd)
            UnsubclassWindow();   // linked, then refused before its first message
        TRACE(L"Dialog %u could not be created: %lu\n", m_lpszTemplateName, GetLastError());
        return FALSE;
    }
    return TRUE;
}

HWND CDialog::ModalOwner() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    // Without a parent the box belongs to the window the teacher is working in, as a system
    // message box does: the one active on this thread (a modal dialog of the main window, say),
    // else the main window's last active popup.
    if (!owner)
        owner = ::GetActiveWindow();
    if (!owner) {
        CWinApp* app = AfxGetApp();
        CWnd* mainWnd = app ? app->m_pMainWnd : nullptr;
        HWND main = mainWnd ? mainWnd->GetSafeHwnd() : nullptr;
        owner = main ? ::GetLastActivePopup(main) : nullptr;
    }
    if (!owner || GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId())
        return nullptr;
    return ::GetAncestor(owner, GA_ROOT);
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    HWND owner = ModalOwner();
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    m_bModal = TRUE;
    m_bEndModal = FALSE;
    m_nModalResult = -1;
    if (CreateFromTemplate(owner)) {
        if (!m_bEndModal && m_hWnd) {
            ShowWindow(SW_SHOWNORMAL);
            RunModalLoop();
        }
    }
    // The owner gets the activation back before the dialog disappears.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        // Hiding the active dialog may let the system activate some other window first.
        const bool wasActive = ::GetActiveWindow() == m_hWnd;
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (owner && wasActive)
            ::SetActiveWindow(owner);
        DestroyWindow();
    }
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    while (!m_bEndModal && m_hWnd) {
        if (!AfxPumpMessage())
            break;   // WM_QUIT, posted again for the outer loop
    }
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd)
        return FALSE;
    m_lpszTemplateName = templateId;
    m_pParentWnd = parent;
    m_bModal = FALSE;
    HWND owner = parent ? parent->GetSafeHwnd() : nullptr;
    return CreateFromTemplate(owner);
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
{
    if (m_hWnd || !dialogTemplate)
        return FALSE;
    m_pTemplate = dialogTemplate;
    m_pParentWnd = parent;
    m_bModal = FALSE;
    return CreateFromTemplate(parent ? parent->GetSafeHwnd() : nullptr);
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    if (m_bModal) {
        m_bEndModal = TRUE;
        // Wakes the modal loop when this was called outside its own dispatching.
        if (m_hWnd)
            ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd) {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return !exchange.Failed();
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (!m_hWnd || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control && control->GetSafeHwnd())
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->GetSafeHwnd()), TRUE);
}
