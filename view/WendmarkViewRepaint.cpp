// The repaint timer: every period the cells whose state changed since they were painted are
// invalidated, not the whole client. A new layout, scroll position, client size or list of shown
// slots repaints everything, and so does every kWholeRepaintTicks-th period, which bounds how late
// anything that is drawn from state outside a cell's look can show.
#include "view/WendmarkView.h"

namespace {

constexpr int kWholeRepaintTicks = 20;

} // namespace

GridLook CWendmarkView::CurrentGridLook(const CRect& client) const
{
    GridLook look;
    look.clientWidth = client.Width();
    look.clientHeight = client.Height();
    look.scrollPosition = m_scrollPosition;
    look.thumbPosition = m_thumbPosition;
    look.cellWidth = m_layout.CellWidth();
    look.pictureHeight = m_layout.PictureHeight();
    look.slotsPerRow = m_layout.SlotsPerRow();
    const std::vector<CPCInfo*>& shown = ShownSlots();
    look.shown = &shown;
    look.shownCount = shown.size();
    look.scrollColumn = IsGridTallerThanClient();
    return look;
}

void CWendmarkView::InvalidateChangedCells()
{
    CRect client;
    GetClientRect(&client);
    const GridLook grid = CurrentGridLook(client);
    const std::vector<CPCInfo*>& shown = ShownSlots();
    m_captionKeyDown = GetKeyState(VK_LMENU) < 0;
    if (++m_ticksSinceWholeRepaint >= kWholeRepaintTicks || grid != m_paintedGrid ||
        m_paintedLooks.size() != shown.size()) {
        m_ticksSinceWholeRepaint = 0;
        m_paintedGrid = grid;
        m_paintedLooks.assign(shown.size(), CellLook());
        Invalidate(FALSE);
        return;
    }
    for (size_t index = 0; index < shown.size(); ++index) {
        if (m_layout.IsCellVisible(index, client.Width(), client.Height(), m_scrollPosition) &&
            LookOf(*shown[index], index) != m_paintedLooks[index]) {
            const CRect extent = CellExtent(index);
            InvalidateRect(&extent, FALSE);
        }
    }
}
