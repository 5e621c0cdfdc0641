// CStroke: one pen or eraser stroke of the pen tool, kept so that the drawing surface can be
// repainted and saved.
#pragma once

#include "framework/Afx.h"
#include "framework/Point.h"
#include "framework/RuntimeClass.h"

#include <vector>

class CMemBitmap;

class CStroke : public CObject {
    DECLARE_SERIAL(CStroke)
public:
    CStroke() = default;
    CStroke(int kind, int widthIndex, BOOL semiTransparent, COLORREF colour);

    // A pen stroke as a polyline of its width and colour (mixed with R2_MASKPEN when
    // semi-transparent); an eraser stroke as the 32-pixel squares of eraserSource around each
    // point. FALSE when the pen could not be made (nothing drawn).
    BOOL DrawStroke(HDC dc, CMemBitmap* eraserSource) const;
    void AddPoint(CPoint point) { m_points.push_back(point); }

    int m_kind = 0;                 // 0 pen, 4 eraser
    int m_width = 10;               // pixels, from the kind and the width index
    int m_widthIndex = 1;
    int m_semiTransparent = 0;
    COLORREF m_colour = 0;
    std::vector<CPoint> m_points;   // surface client coordinates, in the order drawn
};

// Copies the eraser's square for the point (note::EraserSquare) from the eraser source onto the
// context: the same square live, in a repaint and in the saved picture.
void RestoreEraserSquare(HDC dc, CMemBitmap& eraserSource, CPoint point);
