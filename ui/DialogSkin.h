// The look every skinned dialog shares: its background, the title band that drags it, and the
// title text colour.
#pragma once

#include "framework/Afx.h"

const COLORREF kDialogBackground = RGB(36, 43, 58);
const COLORREF kDialogCaptionBand = RGB(24, 30, 43);
const COLORREF kDialogTitleText = RGB(3, 207, 227);
// Design height of the title band (x g_uiScale).
const int kDialogCaptionBandHeight = 38;
