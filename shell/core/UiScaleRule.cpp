#include "shell/core/UiScaleRule.h"

#include <cmath>
#include <cwchar>

float ComputeUiScale(int screenWidth, int screenHeight)
{
    if (screenWidth > 3000 || screenHeight > 3000) return 2.0f;
    if (screenWidth > 2000 || screenHeight > 2000) return 1.4f;
    return 1.0f;
}

float ApplyScaleFactorSetting(float computed, const std::wstring& setting)
{
    if (setting.empty()) return computed;
    const wchar_t* start = setting.c_str();
    wchar_t* end = nullptr;
    const float value = static_cast<float>(std::wcstod(start, &end));
    if (end == start || !std::isfinite(value)) return computed;
    if (value < kMinScaleFactorSetting || value > kMaxScaleFactorSetting) return computed;
    return value;
}
