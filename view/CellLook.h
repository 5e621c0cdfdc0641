// What one cell of the classroom grid, and the grid around the cells, were last painted from: the
// repaint timer compares the present state with it and invalidates only the cells that changed.
#pragma once

#include "framework/Afx.h"

struct CellLook {
    int picture = -1;                  // the state picture chosen, or the thumbnail
    unsigned thumbnailGeneration = 0;  // the thumbnail's pixels, when it is the picture
    int frame = 0;                     // the frame's pen
    bool caption = false;
    CString name;
    CString notice;
    CString answer;                    // the quiz answer, while answers are shown

    bool operator==(const CellLook& other) const
    {
        return picture == other.picture && thumbnailGeneration == other.thumbnailGeneration &&
               frame == other.frame && caption == other.caption && name == other.name &&
               notice == other.notice && answer == other.answer;
    }
    bool operator!=(const CellLook& other) const { return !(*this == other); }
};

struct GridLook {
    int clientWidth = 0;
    int clientHeight = 0;
    int scrollPosition = 0;
    int thumbPosition = 0;
    int cellWidth = 0;
    int pictureHeight = 0;
    int slotsPerRow = 0;
    const void* shown = nullptr;   // the list of slots shown (the class or a group)
    size_t shownCount = 0;
    bool scrollColumn = false;

    bool operator==(const GridLook& other) const
    {
        return clientWidth == other.clientWidth && clientHeight == other.clientHeight &&
               scrollPosition == other.scrollPosition && thumbPosition == other.thumbPosition &&
               cellWidth == other.cellWidth && pictureHeight == other.pictureHeight &&
               slotsPerRow == other.slotsPerRow && shown == other.shown && shownCount == other.shownCount &&
               scrollColumn == other.scrollColumn;
    }
    bool operator!=(const GridLook& other) const { return !(*this == other); }
};
