// The UI scale factor and the layout helpers every window uses: each position and size is
// floor(design value x g_uiScale).
#pragma once

// 1.0 until the application sets it at start-up (from the screen size or "scalefactor").
extern float g_uiScale;

// floor(value x g_uiScale).
int ScaleToUi(int value);
float FloorFloat(float value);
