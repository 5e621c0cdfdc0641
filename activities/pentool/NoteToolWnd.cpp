#include "activities/pentool/NoteToolWnd.h"

#include "activities/pentool/core/NoteGeometry.h"
#include "foundation/AppGlobals.h"
#include "framework/PaintDC.h"
#include "res/resource.h"
#include "ui/TargetWindowStack.h"

#include <new>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kPageOutline = 0xFFFF00;
const int kPageOutlineWidth = 15;

bool Usable(const std::unique_ptr<CMemBitmap>& picture) { return picture && picture->GetBits(); }

std::unique_ptr<CMemBitmap> NewPicture(int width, int height)
{
    std::unique_ptr<CMemBitmap> picture(new (std::nothrow) CMemBitmap);
    if (!picture) return nullptr;
    picture->Create(width, height, 32);
    if (!picture->GetBits() || picture->GetWidth() != width) return nullptr;
    return picture;
}

void ShowIfHidden(HWND window, bool wasVisible)
{
    if (window && wasVisible) ::ShowWindow(window, SW_SHOWNA);
}

} // namespace

BEGIN_MESSAGE_MAP(CNoteToolWnd, CFrameWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_SYSKEYDOWN()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

BOOL CNoteToolWnd::CreateSurface(int mode, HWND hide1, HWND hide2)
{
    m_mode = mode == WhiteboardMode ? WhiteboardMode : PenMode;
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    // A popup: a top-level window without it gets a caption and a border from the system.
    if (!Create(nullptr, L"", WS_POPUP | WS_CLIPCHILDREN, CRect(0, 0, width, height))) {
        delete this;
        return FALSE;
    }
    m_created = true;
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, width, height, SWP_NOACTIVATE);
    // Over a remote view the photograph is of the student's screen as the teacher sees it.
    if (HWND remoteView = g_remoteViewHwnd.load())
        ::SetForegroundWindow(remoteView);
    if (!MakePictures(width, height)) {
        DestroyWindow();
        return FALSE;
    }
    if (m_mode == PenMode) PhotographScreen(hide1, hide2);
    ::BitBlt(m_eraserSource->GetSafeHdc(), 0, 0, width, height, m_background->GetSafeHdc(), 0, 0, SRCCOPY);
    ShowWindow(SW_SHOW);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    PushTargetWindow(m_hWnd);
    return TRUE;
}

BOOL CNoteToolWnd::MakePictures(int width, int height)
{
    std::unique_ptr<CMemBitmap> background = NewPicture(width, height);
    std::unique_ptr<CMemBitmap> eraserSource = background ? NewPicture(width, height) : nullptr;
    if (!eraserSource) return FALSE;
    if (m_mode == WhiteboardMode) {
        PaintWhitePage(*background);
        ::BitBlt(eraserSource->GetSafeHdc(), 0, 0, width, height, background->GetSafeHdc(), 0, 0, SRCCOPY);
    }
    m_background = std::move(background);
    m_eraserSource = std::move(eraserSource);
    return TRUE;
}

void CNoteToolWnd::PhotographScreen(HWND hide1, HWND hide2)
{
    const bool visible1 = hide1 && ::IsWindowVisible(hide1);
    const bool visible2 = hide2 && ::IsWindowVisible(hide2);
    if (visible1) ::ShowWindow(hide1, SW_HIDE);
    if (visible2) ::ShowWindow(hide2, SW_HIDE);
    HWND desktop = ::GetDesktopWindow();
    HDC screen = ::GetDC(desktop);
    if (screen) {
        ::BitBlt(m_background->GetSafeHdc(), 0, 0, m_background->GetWidth(), m_background->GetHeight(),
                 screen, 0, 0, SRCCOPY);
        ::ReleaseDC(desktop, screen);
    }
    ShowIfHidden(hide2, visible2);
    ShowIfHidden(hide1, visible1);
}

void CNoteToolWnd::PaintWhitePage(CMemBitmap& picture)
{
    HDC dc = picture.GetSafeHdc();
    HPEN pen = ::CreatePen(PS_SOLID, kPageOutlineWidth, kPageOutline);
    HBRUSH brush = ::CreateSolidBrush(kWhite);
    HGDIOBJ oldPen = pen ? ::SelectObject(dc, pen) : nullptr;
    HGDIOBJ oldBrush = brush ? ::SelectObject(dc, brush) : nullptr;
    ::Rectangle(dc, 0, 0, picture.GetWidth(), picture.GetHeight());
    if (oldBrush) ::SelectObject(dc, oldBrush);
    if (oldPen) ::SelectObject(dc, oldPen);
    if (brush) ::DeleteObject(brush);
    if (pen) ::DeleteObject(pen);
}

void CNoteToolWnd::PostNcDestroy()
{
    if (m_created) delete this;
}

void CNoteToolWnd::CloseSurface()
{
    m_strokes.clear();
    m_currentStroke = nullptr;
    if (m_cursor) ::DestroyCursor(m_cursor);
    m_cursor = nullptr;
    m_unsaved = 0;
    RemoveTargetWindow(m_hWnd);
    DestroyWindow();   // the frame deletes itself
}

void CNoteToolWnd::SetTool(int kind)
{
    m_tool = kind;
    const UINT cursorId = kind == note::kPenKind ? IDCUR_PEN : kind == note::kEraserKind ? IDCUR_ERASER : 0;
    if (!cursorId) return;
    if (m_cursor) ::DestroyCursor(m_cursor);
    m_cursor = static_cast<HCURSOR>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(cursorId),
                                                 IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
}

void CNoteToolWnd::SetWidthIndex(int index)
{
    m_widthIndex = index;
    m_width = note::StrokeWidth(m_tool, index);
}

void CNoteToolWnd::ClearStrokes()
{
    m_strokes.clear();
    m_currentStroke = nullptr;
    m_drawing = 0;
    Invalidate(FALSE);
}

BOOL CNoteToolWnd::SetPage(int page)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    if (page < 0 || page > note::HighestPage(width, height)) return FALSE;
    const note::PageCanvas canvas = note::CanvasForPage(width, page);
    if (!MakePictures(canvas.width, height)) return FALSE;
    m_page = page;
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, canvas.left, 0, canvas.width, height, SWP_NOACTIVATE);
    Invalidate(FALSE);
    UpdateWindow();
    return TRUE;
}

void CNoteToolWnd::Compose(HDC dc)
{
    ::BitBlt(dc, 0, 0, m_background->GetWidth(), m_background->GetHeight(), m_background->GetSafeHdc(),
             0, 0, SRCCOPY);
    for (const auto& stroke : m_strokes) stroke->DrawStroke(dc, m_eraserSource.get());
}

BOOL CNoteToolWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;   // the paint covers everything
}

void CNoteToolWnd::OnPaint()
{
    CPaintDC dc(this);
    if (!Usable(m_background)) return;
    if (m_mode == WhiteboardMode) {
        Compose(dc);
        return;
    }
    // The photograph and the strokes are put together off screen so the repaint never flickers.
    m_paintBuffer.Create(m_background->GetWidth(), m_background->GetHeight(), 32);
    if (!m_paintBuffer.GetBits()) {
        Compose(dc);
        return;
    }
    Compose(m_paintBuffer.GetSafeHdc());
    ::BitBlt(dc, 0, 0, m_paintBuffer.GetWidth(), m_paintBuffer.GetHeight(), m_paintBuffer.GetSafeHdc(), 0, 0,
             SRCCOPY);
}

void CNoteToolWnd::OnLButtonDown(UINT, CPoint point)
{
    m_drawing = 1;
    m_previousPoint = point;
    ::SetCapture(m_hWnd);
    std::unique_ptr<CStroke> stroke(new (std::nothrow) CStroke(m_tool, m_widthIndex, m_semiTransparent, m_colour));
    if (!stroke) {
        m_currentStroke = nullptr;
        return;
    }
    stroke->AddPoint(point);
    m_currentStroke = stroke.get();
    m_strokes.push_back(std::move(stroke));
    if (m_tool == note::kEraserKind)
        EraseAt(point);
    else
        m_unsaved = 1;
}

// The frame's class asks for double clicks; on the surface a quick second press is a new stroke.
void CNoteToolWnd::OnLButtonDblClk(UINT flags, CPoint point)
{
    OnLButtonDown(flags, point);
}

void CNoteToolWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_drawing) return;
    if (!(flags & MK_LBUTTON)) {
        m_drawing = 0;
        return;
    }
    if (m_currentStroke) m_currentStroke->AddPoint(point);
    if (m_tool == note::kEraserKind)
        EraseAt(point);
    else
        DrawSegment(m_previousPoint, point);
    m_previousPoint = point;
}

void CNoteToolWnd::OnLButtonUp(UINT, CPoint)
{
    ::ReleaseCapture();
    m_drawing = 0;
    m_lastPoint = CPoint(-1, -1);
}

void CNoteToolWnd::DrawSegment(CPoint from, CPoint to)
{
    HDC dc = ::GetDC(m_hWnd);
    if (!dc) return;
    HPEN pen = ::CreatePen(PS_SOLID, m_width, m_colour);
    if (pen) {
        HGDIOBJ oldPen = ::SelectObject(dc, pen);
        const int oldRop = ::SetROP2(dc, m_semiTransparent ? R2_MASKPEN : R2_COPYPEN);
        ::MoveToEx(dc, from.x, from.y, nullptr);
        ::LineTo(dc, to.x, to.y);
        ::SetROP2(dc, oldRop);
        ::SelectObject(dc, oldPen);
        ::DeleteObject(pen);
    }
    ::ReleaseDC(m_hWnd, dc);
}

void CNoteToolWnd::EraseAt(CPoint point)
{
    if (!Usable(m_eraserSource)) return;
    HDC dc = ::GetDC(m_hWnd);
    if (!dc) return;
    RestoreEraserSquare(dc, *m_eraserSource, point);
    ::ReleaseDC(m_hWnd, dc);
}

BOOL CNoteToolWnd::OnSetCursor(CWnd* window, UINT hitTest, UINT message)
{
    if (hitTest == HTCLIENT && m_cursor) {
        ::SetCursor(m_cursor);
        return TRUE;
    }
    return CFrameWnd::OnSetCursor(window, hitTest, message);
}

void CNoteToolWnd::OnSysKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (key == VK_F4) return;   // the surface closes only through the pen toolbar
    CFrameWnd::OnSysKeyDown(key, repeat, flags);
}

void CNoteToolWnd::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CFrameWnd::OnGetMinMaxInfo(info);
    info->ptMaxTrackSize.x = note::kMaxCanvasWidth;   // a whiteboard canvas is wider than the screen
}
