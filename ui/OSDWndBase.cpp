#include "ui/OSDWndBase.h"

#include "framework/Font.h"
#include "framework/PaintDC.h"

namespace {

constexpr UINT_PTR kHideTimer = 100;
constexpr int kPixelsPerByte = 13;
constexpr int kWidthPadding = 6;

} // namespace

BEGIN_MESSAGE_MAP(COSDWndBase, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

COSDWndBase::COSDWndBase(HWND notifyWnd, LPCWSTR fontFace, UINT duration, int x, int y)
    : m_fontFace(fontFace ? fontFace : L""), m_duration(duration), m_notifyWnd(notifyWnd),
      m_x(x), m_y(y)
{
}

int COSDWndBase::WidthForText(LPCWSTR text)
{
    int bytes = 0;
    if (text && *text)
        bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr) - 1;
    return kPixelsPerByte * (bytes > 0 ? bytes : 0) + kWidthPadding;
}

void COSDWndBase::ShowText(LPCWSTR text)
{
    m_text = text ? text : L"";
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, m_x, m_y, WidthForText(m_text), kHeight,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RedrawWindow();
    SetTimer(kHideTimer, m_duration);
}

void COSDWndBase::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int h = client.Height();
    const int margin = h / 10;
    dc.FillSolidRect(client, m_background);   // the colour key: shows through

    CFont font;
    font.CreateSimpleFont(h - 2 * margin, m_bold ? FW_BOLD : FW_NORMAL, m_fontFace);
    HGDIOBJ oldFont = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_textColor);
    dc.TextOut(margin, margin, m_text, m_text.GetLength());
    if (oldFont)
        dc.SelectObject(oldFont);
}

BOOL COSDWndBase::OnEraseBkgnd(CDC* dc)
{
    return TRUE;   // OnPaint fills everything
}

void COSDWndBase::OnTimer(UINT_PTR id)
{
    if (id != kHideTimer) {
        Default();
        return;
    }
    KillTimer(kHideTimer);
    ShowWindow(SW_HIDE);
    if (m_notifyWnd && ::IsWindow(m_notifyWnd))
        ::PostMessageW(m_notifyWnd, m_notifyMessage, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
