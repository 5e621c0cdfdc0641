#include "ui/NTOSDWindow.h"

#include "res/resource.h"

namespace {

constexpr DWORD kOsdExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_TRANSPARENT;
constexpr BYTE kOsdAlpha = 254;

} // namespace

CNTOSDWindow::CNTOSDWindow(HWND notifyWnd, LPCWSTR fontFace, UINT duration, int x, int y)
    : COSDWndBase(notifyWnd, fontFace, duration, x, y)
{
}

CNTOSDWindow* CNTOSDWindow::Create(HWND notifyWnd, LPCWSTR fontFace, UINT duration, int x, int y)
{
    CNTOSDWindow* window = new CNTOSDWindow(notifyWnd, fontFace, duration, x, y);
    if (!window->CreateOsdWindow()) {
        delete window;
        return nullptr;
    }
    window->SetAlpha(kOsdAlpha);
    return window;
}

BOOL CNTOSDWindow::CreateOsdWindow()
{
    return CreateEx(kOsdExStyle, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 0, 0,
                    ::GetDesktopWindow(), nullptr);
}

void CNTOSDWindow::SetAlpha(BYTE alpha)
{
    ::SetLayeredWindowAttributes(m_hWnd, m_background, alpha, LWA_COLORKEY | LWA_ALPHA);
}

void DestroyOsdWindow(OSDWindowHolder& holder)
{
    CNTOSDWindow* window = holder.window;
    holder.window = nullptr;
    if (!window)
        return;
    window->DestroyWindow();
    delete window;
}

void ShowOsdWindow(OSDWindowHolder& holder, LPCWSTR text, UINT duration)
{
    DestroyOsdWindow(holder);
    const CString face = LoadText(IDS_FONT_FACE);
    holder.window = CNTOSDWindow::Create(holder.notifyWnd, face, duration, holder.x, holder.y);
    if (holder.window)
        holder.window->ShowText(text);
}
