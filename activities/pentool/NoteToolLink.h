// What the teacher toolbar's thread and the pen thread share: the owner's windows (fixed when
// the thread starts) and what the pen thread publishes about its toolbar. Held by both sides
// through a shared pointer, so neither outlives the other's view of it.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <atomic>

struct CNoteToolLink {
    CNoteToolLink(HWND ownerWindow, HWND ownerBackLayer) : owner(ownerWindow), backLayer(ownerBackLayer) {}

    const HWND owner;       // the teacher toolbar: hidden while the screen is photographed, notified
    const HWND backLayer;   // its back layer: the pen toolbar stays just below it
    std::atomic<HWND> threadWindow{nullptr};   // the pen thread's hidden window while it exists
    std::atomic<HWND> toolbar{nullptr};        // the pen toolbar's window while it exists
    std::atomic<int> mode{0};                  // 0 touch, 1 pen, 2 whiteboard
};
