#include "ui/UiScale.h"

#include <cmath>

float g_uiScale = 1.0f;

int ScaleToUi(int value)
{
    return static_cast<int>(std::floor(static_cast<float>(value) * g_uiScale));
}

float FloorFloat(float value)
{
    return std::floor(value);
}
