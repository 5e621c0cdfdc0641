// Placing a window's controls at their design positions: floor(value x g_uiScale) for each of
// x, y, width and height, as every skinned window lays itself out.
#pragma once

#include "framework/Afx.h"

class CFont;

// The design rectangle (x, y, width, height) scaled.
CRect ScaledRect(int x, int y, int width, int height);

// Moves control (when there is one) to the scaled design rectangle and gives it font when that
// font has been made.
void PlaceScaled(CWnd* control, int x, int y, int width, int height, CFont* font = nullptr);
