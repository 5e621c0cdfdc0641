// CSize: a SIZE with arithmetic.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

class CSize : public SIZE {
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int width, int height) { cx = width; cy = height; }
    CSize(SIZE size) { cx = size.cx; cy = size.cy; }

    void SetSize(int width, int height) { cx = width; cy = height; }

    bool operator==(SIZE other) const { return cx == other.cx && cy == other.cy; }
    bool operator!=(SIZE other) const { return !(*this == other); }
    CSize& operator+=(SIZE other) { cx += other.cx; cy += other.cy; return *this; }
    CSize& operator-=(SIZE other) { cx -= other.cx; cy -= other.cy; return *this; }
    CSize operator+(SIZE other) const { return CSize(cx + other.cx, cy + other.cy); }
    CSize operator-(SIZE other) const { return CSize(cx - other.cx, cy - other.cy); }
};
