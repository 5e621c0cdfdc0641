// Drawing skin bitmaps scaled: through GDI+ when it has been started, else through GDI's
// halftone stretching, so a window painted before GDI+ starts (an early message box) still
// shows its skin.
#pragma once

#include "framework/Afx.h"

// Draws the whole bitmap (or the source part of it) into the destination rectangle. FALSE
// when nothing could be drawn (no bitmap).
BOOL DrawSkinBitmap(HDC dc, HBITMAP bitmap, const RECT& destination, const RECT* source = nullptr);
