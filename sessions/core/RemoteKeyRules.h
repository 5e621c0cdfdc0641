// Which key records the teacher's keys become on their way to a student of a remote session:
// ordinary key-downs and key-ups, and the system keys (F10 and Alt travel with the flags the
// student expects; Alt+F4 is the teacher's own). Standard C++ only; the windows hold the input
// queue and read the keyboard's state.
#pragma once

#include "foundation/core/PacketFields.h"

#include <cstdint>
#include <vector>

constexpr uint16_t kKeyDownMessage = 0x100;   // WM_KEYDOWN
constexpr uint16_t kKeyUpMessage = 0x101;     // WM_KEYUP

// A key-down record unless the key is the input method's (VK_PROCESSKEY, VK_HANGUL) or 256 or
// above.
std::vector<KeyEntry> RemoteKeyDownRecords(uint32_t key, uint32_t repeat, uint32_t flags);
// A key-up record for keys below 256; print screen, whose key-down the teacher's system keeps,
// first gets its key-down.
std::vector<KeyEntry> RemoteKeyUpRecords(uint32_t key, uint32_t repeat, uint32_t flags);

// What the keyboard held when a system key message came.
struct HeldKeys {
    bool shiftOrCtrl = false;
    bool alt = false;
};

struct SystemKeyOutcome {
    bool consumed = true;           // false: the window's normal processing goes on
    std::vector<KeyEntry> records;  // for the student (only while input is forwarded)
};

// WM_SYSKEYDOWN (down) or WM_SYSKEYUP. F10 without Shift, Ctrl or Alt becomes {F10, 1, 68} down
// and {F10, 1, 0xC044} up; Alt becomes {Alt, 1, 38} down when Shift and Ctrl are up, and
// {Alt, 1, 0xC026} up whatever else is held; other keys go as ordinary records. Alt+F4 down is
// swallowed by the single window (altF4Closes false) and left to the combined one, which it
// closes; its key-up is processed normally.
SystemKeyOutcome RemoteSystemKeyRecords(bool down, uint32_t key, uint32_t repeat, uint32_t flags, HeldKeys held,
                                        bool altF4Closes);
