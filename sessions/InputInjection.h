// Keyboard and mouse input that a student asks the teacher PC to play: key and mouse records
// (packet types 4 and 5), scan-code texts ("[PC00603]") and the Hangul/English key
// ("[PC00604]"). Only the student holding the presentation right controls the teacher PC; every
// other student's input is dropped.
#pragma once

#include "framework/Afx.h"
#include "foundation/core/PacketFields.h"

#include <string>
#include <vector>

class CPCInfo;

// Mouse records played from one packet (a student's or the remote-controller app's); the rest of
// a longer list is dropped.
constexpr size_t kMaxMouseRecordsPerPacket = 256;

// The slot is online and holds the presentation right ("[KW00107]true" was sent to it).
bool MayPlayInput(const CPCInfo& slot);

// How a list of input events is played; SendInput unless replaced (the tests record instead).
using InputSender = UINT (*)(UINT count, INPUT* inputs);
void SetInputSender(InputSender sender);

// The events of one key record (repeat count capped) in one call.
void InjectKeyInput(const KeyEntry& record);
// One absolute mouse event over the virtual desktop, with Ctrl and Shift held around it when the
// record's key flags say so.
void InjectMouseInput(const MouseEntry& record);
// The scan codes of a "[PC00603]" argument text, at most maxEvents (128 for a student), in one
// call.
void PlayScanCodes(const std::u16string& arguments, size_t maxEvents = 128);
// Any prepared events, in one call.
void PlayInputEvents(std::vector<INPUT>& inputs);
// Presses and releases the Hangul/English key.
void PressHangulKey();

// The mouse-event flags of a window mouse message (absolute and virtual-desktop included).
DWORD MouseEventFlags(uint16_t message);
// The inputs InjectMouseInput plays, for a virtual desktop of that size.
std::vector<INPUT> MouseInputs(const MouseEntry& record, int desktopWidth, int desktopHeight);
