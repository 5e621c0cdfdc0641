// CPoint: a POINT with arithmetic.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

class CPoint : public POINT {
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int xValue, int yValue) { x = xValue; y = yValue; }
    CPoint(POINT point) { x = point.x; y = point.y; }
    // The x in the low word and the y in the high word, both signed (mouse-message lParam).
    explicit CPoint(LPARAM packed)
    {
        x = static_cast<short>(LOWORD(packed));
        y = static_cast<short>(HIWORD(packed));
    }

    void SetPoint(int xValue, int yValue) { x = xValue; y = yValue; }
    void Offset(int dx, int dy) { x += dx; y += dy; }
    void Offset(POINT delta) { Offset(delta.x, delta.y); }

    bool operator==(POINT other) const { return x == other.x && y == other.y; }
    bool operator!=(POINT other) const { return !(*this == other); }
    CPoint& operator+=(POINT delta) { Offset(delta); return *this; }
    CPoint& operator-=(POINT delta) { Offset(-delta.x, -delta.y); return *this; }
    CPoint operator+(POINT delta) const { return CPoint(x + delta.x, y + delta.y); }
    CPoint operator-(POINT delta) const { return CPoint(x - delta.x, y - delta.y); }
    CPoint operator-() const { return CPoint(-x, -y); }

    operator LPPOINT() { return this; }
};
