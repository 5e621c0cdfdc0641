#include "framework/ScrollBar.h"

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, L"SCROLLBAR", nullptr, style, rect, parent, id);
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info, UINT mask) const
{
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return static_cast<BOOL>(SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
}

BOOL CScrollBar::SetScrollInfo(SCROLLINFO* info, BOOL redraw)
{
    info->cbSize = sizeof(SCROLLINFO);
    SendMessage(SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info));
    return TRUE;
}

int CScrollBar::GetScrollPos() const
{
    return static_cast<int>(SendMessage(SBM_GETPOS));
}

int CScrollBar::SetScrollPos(int position, BOOL redraw)
{
    return static_cast<int>(SendMessage(SBM_SETPOS, position, redraw));
}

void CScrollBar::GetScrollRange(int* minimum, int* maximum) const
{
    SendMessage(SBM_GETRANGE, reinterpret_cast<WPARAM>(minimum), reinterpret_cast<LPARAM>(maximum));
}

void CScrollBar::SetScrollRange(int minimum, int maximum, BOOL redraw)
{
    SendMessage(redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, minimum, maximum);
}

BOOL CScrollBar::EnableScrollBar(UINT arrows)
{
    return static_cast<BOOL>(SendMessage(SBM_ENABLE_ARROWS, arrows));
}
