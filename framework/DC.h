// CDC: a device context handle with the GDI calls the framework's users need.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

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

    HGDIOBJ SelectObject(HGDIOBJ object);
    BOOL BitBlt(int x, int y, int width, int height, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    HDC m_hDC = nullptr;
};
