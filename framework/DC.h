// CDC: a device context handle with the GDI calls the framework's users need.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "framework/Rect.h"

class CGdiObject;

class CDC {
public:
    CDC() = default;
    // A context this object created (CreateCompatibleDC) is deleted here; an attached one is
    // deleted too, so detach a borrowed handle before the object goes.
    virtual ~CDC();

    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    BOOL Attach(HDC hDC);
    HDC Detach();

    // A memory context compatible with the given one, or with the screen for nullptr.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    // Selection gives the handle that was selected before, to select back.
    HGDIOBJ SelectObject(HGDIOBJ object);
    HGDIOBJ SelectObject(const CGdiObject* object);
    HGDIOBJ SelectStockObject(int index);
    int SaveDC();
    BOOL RestoreDC(int saved);

    BOOL BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, DWORD rop);
    int SetStretchBltMode(int mode);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    void FillSolidRect(const RECT& rect, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color);
    void FillRect(const RECT& rect, HBRUSH brush);
    void FrameRect(const RECT& rect, HBRUSH brush);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT& rect);
    BOOL RoundRect(const RECT& rect, POINT corner);
    BOOL Ellipse(const RECT& rect);
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    BOOL Polygon(const POINT* points, int count);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;

    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);
    BOOL TextOut(int x, int y, const wchar_t* text, int length = -1);
    int DrawText(const wchar_t* text, int length, RECT* rect, UINT format);
    int DrawText(const wchar_t* text, RECT* rect, UINT format) { return DrawText(text, -1, rect, format); }
    CSize GetTextExtent(const wchar_t* text, int length = -1) const;
    BOOL GetTextMetrics(TEXTMETRICW* metrics) const;

    int GetDeviceCaps(int index) const;
    int IntersectClipRect(const RECT& rect);
    int GetClipBox(RECT* rect) const;
    BOOL RectVisible(const RECT& rect) const { return ::RectVisible(m_hDC, &rect); }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetWindowOrg(int x, int y);

    HDC m_hDC = nullptr;
};

// Wraps a context that someone else owns (a message's HDC) for the length of a call.
class CDCHandle : public CDC {
public:
    explicit CDCHandle(HDC hDC) { m_hDC = hDC; }
    ~CDCHandle() override { m_hDC = nullptr; }
};
