// The program-wide state of the class screen share. The toolbar switches it and resets the
// sequence; while the capture thread runs, only it writes the sequence.
#pragma once

#include <atomic>

extern std::atomic<int> g_screenSharing;    // the capture thread runs while set
extern std::atomic<int> g_shareQuality;     // the configured JPEG quality
extern std::atomic<int> g_shareFrameSeq;    // the next block's sequence number
