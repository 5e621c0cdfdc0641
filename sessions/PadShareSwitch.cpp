#include "sessions/PadShareSwitch.h"

std::atomic<int> g_padShareRunning{0};
