// The stream of the teacher's screen to the one pad that holds the presentation right: running
// while this is 1. The view starts and stops it; a student thread whose connection ends while
// its slot holds the right stops it too.
#pragma once

#include <atomic>

extern std::atomic<int> g_padShareRunning;
