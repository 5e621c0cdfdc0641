// CNTOSDWindow: the on-screen display made as a layered window (white is transparent), and the
// holder through which its user shows one at a time.
#pragma once

#include "ui/OSDWndBase.h"

class CNTOSDWindow : public COSDWndBase {
public:
    // A new window object with its window made; null (and nothing left behind) when the window
    // cannot be made. The caller owns the object: destroy its window, then delete it.
    static CNTOSDWindow* Create(HWND notifyWnd, LPCWSTR fontFace, UINT duration, int x, int y);

    BOOL CreateOsdWindow() override;
    void SetAlpha(BYTE alpha) override;

private:
    CNTOSDWindow(HWND notifyWnd, LPCWSTR fontFace, UINT duration, int x, int y);
};

// What a user of the on-screen display keeps: the window shown last (or null), where it goes and
// whom it tells when its time has run out.
struct OSDWindowHolder {
    CNTOSDWindow* window = nullptr;
    int x = 0;
    int y = 0;
    HWND notifyWnd = nullptr;
};

// Replaces the holder's window with a new one showing the text for duration milliseconds.
void ShowOsdWindow(OSDWindowHolder& holder, LPCWSTR text, UINT duration);
// Destroys and forgets the holder's window (on WM_CHILD_CLOSED, or when its user closes).
void DestroyOsdWindow(OSDWindowHolder& holder);
