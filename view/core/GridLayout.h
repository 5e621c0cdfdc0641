// The classroom grid's geometry: one rule for painting, resizing and hit-testing. Cells are laid
// out from the client width (the 30-pixel scroll column on the right included), the slots per row
// and the slot's width:height ratio; all divisions are integer divisions.
#pragma once

#include <cstddef>
#include <cstdint>

struct GridSettings {
    int slotsPerRow = 8;
    int widthRatio = 4;
    int heightRatio = 3;
};

// A value below 1 (a hand-edited setting or group file) would divide by zero or lay out nothing:
// each such value falls back to its default.
GridSettings UsableGridSettings(const GridSettings& settings);

struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

constexpr int kScrollColumnWidth = 30;
// The thumbnail size asked of students until the first layout.
constexpr int kDefaultThumbnailWidth = 200;
constexpr int kDefaultThumbnailHeight = 150;
// A picture taller than this (a ratio of 1:999 in a wide window) could not be allocated as a
// thumbnail; such a layout is refused like one that is too small.
constexpr int kMaxPictureHeight = 16384;

class CGridLayout {
public:
    // Lays the grid out for a client width. False, and the previous layout kept, when a cell
    // would be narrower than 6 pixels, a picture lower than 4 or taller than kMaxPictureHeight.
    bool Apply(int clientWidth, const GridSettings& settings);
    bool IsLaidOut() const { return m_cellWidth > 0; }

    int SlotsPerRow() const { return m_slotsPerRow; }
    int CellWidth() const { return m_cellWidth; }
    int PictureHeight() const { return m_pictureHeight; }
    int RowPitch() const { return m_pictureHeight + 2; }
    // The size the scaled state pictures are made in, (C - 2) x H.
    int ScaledPictureWidth() const { return m_cellWidth - 2; }
    int ThumbnailWidth() const { return m_thumbnailWidth; }
    int ThumbnailHeight() const { return m_thumbnailHeight; }

    // Rectangles of the slot at an index of the shown list, in document coordinates.
    GridRect FrameRect(size_t index) const;
    GridRect PictureRect(size_t index) const;
    GridRect CaptionRect(size_t index, int captionHeight) const;

    // The index of the slot under a client point with the vertical scroll position, or -1 when
    // the point is right of the cells, above or left of the grid, or past the shown slots.
    int HitTest(int x, int y, int scrollPosition, size_t shownCount) const;

    // Whether any part of the slot's frame lies in the visible part of the document (the client
    // area less the scroll column, moved down by the scroll position).
    bool IsCellVisible(size_t index, int clientWidth, int clientHeight, int scrollPosition) const;

    // ceil(seatCount / slots per row) rows of the row pitch, capped at the int range.
    int DocumentHeight(size_t seatCount) const;

private:
    int64_t CellLeft(size_t index) const;
    int64_t CellTop(size_t index) const;

    int m_slotsPerRow = 8;
    int m_cellWidth = 0;
    int m_pictureHeight = 0;
    int m_thumbnailWidth = kDefaultThumbnailWidth;
    int m_thumbnailHeight = kDefaultThumbnailHeight;
};

// Document coordinates of a rectangle clamped to the int range.
GridRect MakeGridRect(int64_t left, int64_t top, int64_t right, int64_t bottom);
