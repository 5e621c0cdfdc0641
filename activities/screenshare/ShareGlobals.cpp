#include "activities/screenshare/ShareGlobals.h"

std::atomic<int> g_screenSharing{0};
std::atomic<int> g_shareQuality{70};
std::atomic<int> g_shareFrameSeq{0};
