#include "view/core/GridLayout.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int kGridMargin = 40;
constexpr int kMinCellWidth = 6;
constexpr int kMinPictureHeight = 4;
// The hit test counts columns from 5 pixels in, and takes points up to 5 pixels past the last one.
constexpr int kHitLeftInset = 5;

int ClampToInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

} // namespace

GridSettings UsableGridSettings(const GridSettings& settings)
{
    const GridSettings defaults;
    GridSettings usable = settings;
    if (usable.slotsPerRow < 1) usable.slotsPerRow = defaults.slotsPerRow;
    if (usable.widthRatio < 1) usable.widthRatio = defaults.widthRatio;
    if (usable.heightRatio < 1) usable.heightRatio = defaults.heightRatio;
    return usable;
}

GridRect MakeGridRect(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    GridRect rect;
    rect.left = ClampToInt(left);
    rect.top = ClampToInt(top);
    rect.right = ClampToInt(right);
    rect.bottom = ClampToInt(bottom);
    return rect;
}

bool CGridLayout::Apply(int clientWidth, const GridSettings& settings)
{
    const GridSettings usable = UsableGridSettings(settings);
    const int64_t cellWidth = (static_cast<int64_t>(clientWidth) - kGridMargin) / usable.slotsPerRow;
    if (cellWidth < kMinCellWidth) return false;
    const int64_t pictureHeight = (cellWidth - 2) * usable.heightRatio / usable.widthRatio;
    if (pictureHeight < kMinPictureHeight || pictureHeight > kMaxPictureHeight) return false;
    m_slotsPerRow = usable.slotsPerRow;
    m_cellWidth = static_cast<int>(cellWidth);
    m_pictureHeight = static_cast<int>(pictureHeight);
    m_thumbnailWidth = m_cellWidth - 5;
    m_thumbnailHeight = m_pictureHeight - 3;
    return true;
}

int64_t CGridLayout::CellLeft(size_t index) const
{
    return static_cast<int64_t>(index % static_cast<size_t>(m_slotsPerRow)) * m_cellWidth;
}

int64_t CGridLayout::CellTop(size_t index) const
{
    const uint64_t row = index / static_cast<size_t>(m_slotsPerRow);
    return static_cast<int64_t>(std::min<uint64_t>(row, INT_MAX)) * RowPitch();
}

GridRect CGridLayout::FrameRect(size_t index) const
{
    const int64_t x0 = CellLeft(index), y0 = CellTop(index);
    return MakeGridRect(x0 + 6, y0 + 1, x0 + m_cellWidth + 3, y0 + m_pictureHeight);
}

GridRect CGridLayout::PictureRect(size_t index) const
{
    const int64_t x0 = CellLeft(index), y0 = CellTop(index);
    return MakeGridRect(x0 + 7, y0 + 2, x0 + 7 + m_thumbnailWidth, y0 + 2 + m_thumbnailHeight);
}

GridRect CGridLayout::CaptionRect(size_t index, int captionHeight) const
{
    const int64_t x0 = CellLeft(index), y0 = CellTop(index);
    return MakeGridRect(x0 + 11, y0 + 2, x0 + m_cellWidth + 2, y0 + 2 + captionHeight);
}

int CGridLayout::HitTest(int x, int y, int scrollPosition, size_t shownCount) const
{
    if (!IsLaidOut()) return -1;
    const int64_t documentY = static_cast<int64_t>(y) + scrollPosition;
    // A negative point (mouse captured outside the window) would make a negative index that
    // passes the "below the number of slots" test.
    if (x < 0 || documentY < 0) return -1;
    if (x >= static_cast<int64_t>(m_slotsPerRow) * m_cellWidth + kHitLeftInset) return -1;
    const int64_t column = (static_cast<int64_t>(x) - kHitLeftInset) / m_cellWidth;
    const int64_t index = static_cast<int64_t>(m_slotsPerRow) * (documentY / RowPitch()) + column;
    if (index < 0 || static_cast<uint64_t>(index) >= shownCount || index > INT_MAX) return -1;
    return static_cast<int>(index);
}

bool CGridLayout::IsCellVisible(size_t index, int clientWidth, int clientHeight, int scrollPosition) const
{
    if (!IsLaidOut()) return false;
    const GridRect frame = FrameRect(index);
    const int64_t visibleLeft = 0;
    const int64_t visibleRight = static_cast<int64_t>(clientWidth) - kScrollColumnWidth;
    const int64_t visibleTop = scrollPosition;
    const int64_t visibleBottom = static_cast<int64_t>(scrollPosition) + clientHeight;
    return frame.left < visibleRight && frame.right > visibleLeft && frame.top < visibleBottom &&
           frame.bottom > visibleTop;
}

int CGridLayout::DocumentHeight(size_t seatCount) const
{
    if (!IsLaidOut()) return 0;
    const uint64_t perRow = static_cast<uint64_t>(m_slotsPerRow);
    const uint64_t rows = seatCount / perRow + (seatCount % perRow ? 1 : 0);
    if (rows > static_cast<uint64_t>(INT_MAX) / static_cast<uint64_t>(RowPitch())) return INT_MAX;
    return static_cast<int>(rows * static_cast<uint64_t>(RowPitch()));
}
