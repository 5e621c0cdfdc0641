// The UI scale factor: every window multiplies its design sizes by it, so the console stays
// readable on large screens.
#pragma once

#include <string>

// A "scalefactor" setting outside this range is ignored: it would make every window unusably
// small or larger than any screen.
constexpr float kMinScaleFactorSetting = 0.5f;
constexpr float kMaxScaleFactorSetting = 4.0f;

// 2.0 when the primary screen is wider or taller than 3000 pixels, 1.4 when wider or taller
// than 2000, else 1.0.
float ComputeUiScale(int screenWidth, int screenHeight);

// The factor config.ini's "scalefactor" asks for, in place of the computed one: the text's
// leading decimal number when it is within the range above. An empty text, text without a
// number, 0 and values out of range keep the computed factor.
float ApplyScaleFactorSetting(float computed, const std::wstring& setting);
