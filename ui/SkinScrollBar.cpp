#include "ui/SkinScrollBar.h"

#include "framework/MemDC.h"
#include "framework/PaintDC.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 100;
constexpr UINT kRepeatPeriod = 100;
constexpr UINT_PTR kRepeatDelayTimer = 200;
constexpr UINT kRepeatDelay = 500;
constexpr int kSkinRows = 4;
enum SkinRow { kRowNormal, kRowHover, kRowPressed, kRowDisabled };

} // namespace

BEGIN_MESSAGE_MAP(CSkinScrollBar, CScrollBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_ENABLE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_TIMER()
    ON_MESSAGE(SBM_SETSCROLLINFO, OnSetScrollInfo)
    ON_MESSAGE(SBM_GETSCROLLINFO, OnGetScrollInfo)
END_MESSAGE_MAP()

BOOL CSkinScrollBar::CreateBar(BOOL vertical, const RECT& rect, CWnd* parent, UINT id,
                               HBITMAP skin, int arrowSize)
{
    m_vertical = vertical;
    m_skin = skin;
    m_arrow = arrowSize > 0 ? arrowSize : 16;
    // A class of our own: the system bar would draw itself on some of its messages.
    LPCWSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    const DWORD style = WS_CHILD | (vertical ? SBS_VERT : SBS_HORZ);
    if (!CreateEx(0, className, nullptr, style, rect, parent, id))
        return FALSE;
    m_length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    return TRUE;
}

ScrollBarGeometry CSkinScrollBar::GetGeometry() const
{
    return ComputeScrollBarGeometry(m_length, m_arrow, m_state, m_dragging);
}

void CSkinScrollBar::DrawSkinCell(HDC dc, HBITMAP skin, int arrowSize, int cell, int row,
                                  const RECT& target)
{
    BITMAP info = {};
    if (!skin || !GetObjectW(skin, sizeof(info), &info) || arrowSize <= 0)
        return;
    const int rowHeight = info.bmHeight / kSkinRows;
    HDC source = CreateCompatibleDC(dc);
    if (!source)
        return;
    HGDIOBJ old = SelectObject(source, skin);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, target.left, target.top, target.right - target.left,
               target.bottom - target.top, source, cell * arrowSize, row * rowHeight, arrowSize,
               rowHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

RECT CSkinScrollBar::PartRect(const ScrollBarGeometry& geometry, int part) const
{
    int start = 0;
    int end = 0;
    GetScrollPartExtent(geometry, part, start, end);
    RECT client;
    GetClientRect(&client);
    return m_vertical ? RECT{0, start, client.right, end} : RECT{start, 0, end, client.bottom};
}

int CSkinScrollBar::CellForPart(int part) const
{
    switch (part) {
    case kScrollPartFirstArrow: return m_vertical ? kCellUp : kCellLeft;
    case kScrollPartLastArrow: return m_vertical ? kCellDown : kCellRight;
    case kScrollPartThumb: return m_vertical ? kCellVThumb : kCellHThumb;
    default: return m_vertical ? kCellVTrack : kCellHTrack;
    }
}

int CSkinScrollBar::RowForPart(int part) const
{
    if (!IsWindowEnabled())
        return kRowDisabled;
    if (part == m_pressedPart || (part == kScrollPartThumb && m_dragging))
        return kRowPressed;
    return part == m_hoverPart ? kRowHover : kRowNormal;
}

void CSkinScrollBar::OnPaint()
{
    CPaintDC dc(this);
    RECT client;
    GetClientRect(&client);
    CMemDC buffer(dc, client);
    if (!buffer.IsBuffered())
        return;
    HDC canvas = buffer.GetDC();
    const ScrollBarGeometry geometry = GetGeometry();
    static const int kParts[] = {kScrollPartFirstArrow, kScrollPartPageBefore, kScrollPartThumb,
                                 kScrollPartPageAfter, kScrollPartLastArrow};
    for (int part : kParts) {
        const RECT rect = PartRect(geometry, part);
        if (rect.right > rect.left && rect.bottom > rect.top)
            DrawSkinCell(canvas, m_skin, m_arrow, CellForPart(part), RowForPart(part), rect);
    }
}

BOOL CSkinScrollBar::OnEraseBkgnd(CDC* dc)
{
    return TRUE;
}

void CSkinScrollBar::OnSize(UINT type, int width, int height)
{
    m_length = m_vertical ? height : width;
    Invalidate(FALSE);
}

void CSkinScrollBar::OnEnable(BOOL enable)
{
    Invalidate(FALSE);
}

LRESULT CSkinScrollBar::OnSetScrollInfo(WPARAM redraw, LPARAM lParam)
{
    const SCROLLINFO* info = reinterpret_cast<const SCROLLINFO*>(lParam);
    if (!info)
        return m_state.position;
    if (info->fMask & SIF_RANGE) {
        m_state.minimum = info->nMin;
        m_state.maximum = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
        m_state.page = static_cast<int>(info->nPage);
    if (info->fMask & SIF_POS) {
        m_state.position = info->nPos;
        if (!m_dragging)
            m_state.trackPosition = info->nPos;
    }
    if (redraw) {
        Invalidate(FALSE);
        UpdateWindow();
    }
    return m_state.position;
}

LRESULT CSkinScrollBar::OnGetScrollInfo(WPARAM, LPARAM lParam)
{
    SCROLLINFO* info = reinterpret_cast<SCROLLINFO*>(lParam);
    if (!info)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = m_state.minimum;
        info->nMax = m_state.maximum;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = static_cast<UINT>(m_state.page);
    if (info->fMask & SIF_POS)
        info->nPos = m_state.position;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = m_state.trackPosition;
    return TRUE;
}

void CSkinScrollBar::SendScroll(UINT code, int position)
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent)
        ::SendMessageW(parent, m_vertical ? WM_VSCROLL : WM_HSCROLL,
                       MAKEWPARAM(code, static_cast<WORD>(position)),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

namespace {

UINT ScrollCodeForPart(int part)
{
    switch (part) {
    case kScrollPartFirstArrow: return SB_LINEUP;
    case kScrollPartLastArrow: return SB_LINEDOWN;
    case kScrollPartPageBefore: return SB_PAGEUP;
    case kScrollPartPageAfter: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
    }
}

} // namespace

void CSkinScrollBar::OnLButtonDown(UINT flags, CPoint point)
{
    ::SetCapture(m_hWnd);
    const int part = HitTestScrollBar(GetGeometry(), AlongBar(point));
    if (part == kScrollPartThumb) {
        m_dragging = TRUE;
        m_dragStartMouse = AlongBar(point);
        m_dragStartPosition = m_state.position;
        m_state.trackPosition = m_state.position;
    } else if (part != kScrollPartNone) {
        m_pressedPart = part;
        if (!ScrollPartAtLimit(part, m_state))
            SendScroll(ScrollCodeForPart(part));
        SetTimer(kRepeatDelayTimer, kRepeatDelay);
    }
    Invalidate(FALSE);
}

void CSkinScrollBar::OnLButtonDblClk(UINT flags, CPoint point)
{
    // Swallowed: a quick second click is not a second step.
}

void CSkinScrollBar::OnTimer(UINT_PTR id)
{
    if (id == kRepeatDelayTimer) {
        KillTimer(kRepeatDelayTimer);
        m_repeating = TRUE;
        SetTimer(kRepeatTimer, kRepeatPeriod);
    } else if (id == kRepeatTimer) {
        RepeatPressedPart();
    } else {
        Default();
    }
}

void CSkinScrollBar::RepeatPressedPart()
{
    if (m_pressedPart == kScrollPartNone)
        return;
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    RECT client;
    GetClientRect(&client);
    const bool inside = ::PtInRect(&client, cursor) != FALSE;
    if (inside && HitTestScrollBar(GetGeometry(), AlongBar(CPoint(cursor))) == m_pressedPart &&
        !ScrollPartAtLimit(m_pressedPart, m_state))
        SendScroll(ScrollCodeForPart(m_pressedPart));
}

void CSkinScrollBar::OnMouseMove(UINT flags, CPoint point)
{
    if (m_dragging) {
        const int track = TrackPositionForDrag(GetGeometry(), m_state, m_dragStartPosition,
                                               AlongBar(point) - m_dragStartMouse);
        if (track != m_state.trackPosition) {
            m_state.trackPosition = track;
            SendScroll(SB_THUMBTRACK, track);
            Invalidate(FALSE);
        }
        return;
    }
    if (!m_trackingLeave) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_trackingLeave = ::TrackMouseEvent(&track);
    }
    const int part = HitTestScrollBar(GetGeometry(), AlongBar(point));
    if (part != m_hoverPart) {
        m_hoverPart = part;
        Invalidate(FALSE);
    }
}

void CSkinScrollBar::OnMouseLeave()
{
    m_trackingLeave = FALSE;
    if (m_hoverPart != kScrollPartNone) {
        m_hoverPart = kScrollPartNone;
        Invalidate(FALSE);
    }
}

void CSkinScrollBar::OnLButtonUp(UINT flags, CPoint point)
{
    const BOOL dragged = m_dragging;
    EndMouseAction();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (dragged) {
        m_state.position = m_state.trackPosition;
        SendScroll(SB_THUMBPOSITION, m_state.trackPosition);
    }
    Invalidate(FALSE);
}

void CSkinScrollBar::OnCaptureChanged(CWnd* wnd)
{
    // Capture taken away in the middle of a press (a menu, another window): end it quietly.
    if (m_dragging || m_pressedPart != kScrollPartNone) {
        EndMouseAction();
        m_state.trackPosition = m_state.position;
        Invalidate(FALSE);
    }
}

void CSkinScrollBar::EndMouseAction()
{
    KillTimer(kRepeatTimer);
    KillTimer(kRepeatDelayTimer);
    m_repeating = FALSE;
    m_dragging = FALSE;
    m_pressedPart = kScrollPartNone;
}
