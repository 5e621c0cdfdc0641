#include "view/RemoconUIThreadWnd.h"

#include "framework/AfxString.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "sessions/PCInfo.h"

BEGIN_MESSAGE_MAP(CRemoconUIThreadWnd, CFrameWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CRemoconUIThreadWnd::CreateViewer()
{
    m_screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m_screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const DWORD framed = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    if (!Create(nullptr, LoadText(IDS_SCREEN_SHARE_TITLE), framed, rectDefault))
        return FALSE;
    if (m_size.fullScreen) {
        ModifyStyle(framed, WS_POPUP, SWP_FRAMECHANGED);
        ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW, SWP_FRAMECHANGED);
        ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, m_screenWidth, m_screenHeight, SWP_SHOWWINDOW);
    } else {
        ShowWindow(SW_SHOW);
    }
    ComputeLetterbox();
    UpdateWindow();
    return TRUE;
}

void CRemoconUIThreadWnd::ComputeLetterbox()
{
    CRect client;
    GetClientRect(&client);
    const int width = m_size.fullScreen ? m_screenWidth : client.Width();
    const int height = m_size.fullScreen ? m_screenHeight : client.Height();
    m_box = ::ComputeLetterbox(m_size.fullScreen, width, height, m_size.width, m_size.height);
}

void CRemoconUIThreadWnd::OnSize(UINT, int, int)
{
    ComputeLetterbox();
    Invalidate();
}

BOOL CRemoconUIThreadWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnPaint covers the client area
}

void CRemoconUIThreadWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc.GetSafeHdc(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    CCriticalSectionLock lock(m_record.GetLock());
    CMemBitmap& picture = m_record.m_thumbnail;
    if (!picture.GetBits())
        return;
    const int w = picture.GetWidth(), h = picture.GetHeight();
    ::SetStretchBltMode(dc.GetSafeHdc(), HALFTONE);
    if (m_size.fitted && h > w) {
        const int height = client.Height();
        const int width = static_cast<int>(static_cast<long long>(w) * height / h);
        ::StretchBlt(dc.GetSafeHdc(), (client.Width() - width) / 2, 0, width, height, picture.GetSafeHdc(), 0, 0, w,
                     h, SRCCOPY);
    } else if (m_size.fitted) {
        ::StretchBlt(dc.GetSafeHdc(), 0, 0, client.Width(), client.Height(), picture.GetSafeHdc(), 0, 0, w, h,
                     SRCCOPY);
    } else if (m_size.fullScreen) {
        ::StretchBlt(dc.GetSafeHdc(), m_box.left, m_box.top, m_box.width, m_box.height, picture.GetSafeHdc(), 0, 0,
                     w, h, SRCCOPY);
    } else {
        ::BitBlt(dc.GetSafeHdc(), m_box.left, m_box.top, w, h, picture.GetSafeHdc(), 0, 0, SRCCOPY);
    }
}

void CRemoconUIThreadWnd::OnClose()
{
    DestroyWindow();
}

void CRemoconUIThreadWnd::PostNcDestroy()
{
    // The viewer thread ends with its window.
    ::PostQuitMessage(0);
    delete this;
}
