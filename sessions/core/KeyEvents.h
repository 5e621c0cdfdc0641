// Keyboard events a student or the remote-controller app asks the teacher PC to play: scan-code
// texts ("[PC00603]", "[RC00020]") and type-4 key records. The Windows side turns each event
// into one keyboard INPUT (the flag values are those of KEYEVENTF_*).
#pragma once

#include "foundation/core/PacketFields.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kKeyEventExtended = 0x0001;    // KEYEVENTF_EXTENDEDKEY
constexpr uint32_t kKeyEventKeyUp = 0x0002;       // KEYEVENTF_KEYUP
constexpr uint32_t kKeyEventScanCode = 0x0008;    // KEYEVENTF_SCANCODE

// Room for the events of one scan-code text from a student, and from the remote-controller app.
constexpr size_t kMaxStudentScanKeys = 128;
constexpr size_t kMaxRemoteAppScanKeys = 127;
// Each key record is followed by a 10 ms pause on the receiving thread; a packet is played
// only up to this many records, each repeated at most kMaxKeyRepeat times, so one packet
// cannot hold the thread or flood the input queue.
constexpr size_t kMaxKeyRecordsPerPacket = 128;
constexpr uint32_t kMaxKeyRepeat = 32;

struct KeyEvent {
    uint16_t virtualKey = 0;
    uint16_t scanCode = 0;
    uint32_t flags = 0;
};

// Pairs of hexadecimal digits, each a scan code byte; "E0" marks the next key as extended and a
// byte with bit 7 set is a key release. Pairs that are not hexadecimal, a last odd digit and an
// "E0" with no key after it play nothing. At most maxEvents events are read.
std::vector<KeyEvent> ReadScanCodeText(const std::u16string& arguments, size_t maxEvents);

// Key-record flags are the high word of the key message's lParam: scan code in the low byte,
// KF_EXTENDED (0x0100) for an extended key.
constexpr uint32_t kKeyRecordExtended = 0x0100;

// The events of one key record: its repeat count (capped) of identical events with the record's
// virtual key and scan code, a release unless the message is WM_KEYDOWN (0x100).
std::vector<KeyEvent> KeyRecordEvents(const KeyEntry& record);

// How many of a packet's key records are played.
size_t KeyRecordsToPlay(size_t recordCount);
