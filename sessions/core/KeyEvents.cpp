#include "sessions/core/KeyEvents.h"

#include <algorithm>

namespace {

constexpr uint8_t kExtendedPrefix = 0xE0;
constexpr uint8_t kReleaseBit = 0x80;
constexpr uint16_t kKeyDownMessage = 0x100;

int HexDigit(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    return -1;
}

} // namespace

std::vector<KeyEvent> ReadScanCodeText(const std::u16string& arguments, size_t maxEvents)
{
    std::vector<KeyEvent> events;
    bool extended = false;
    for (size_t i = 0; i + 1 < arguments.size() && events.size() < maxEvents; i += 2) {
        int high = HexDigit(arguments[i]);
        int low = HexDigit(arguments[i + 1]);
        if (high < 0 || low < 0) continue;
        const uint8_t byte = static_cast<uint8_t>(high * 16 + low);
        if (byte == kExtendedPrefix) {
            extended = true;
            continue;
        }
        KeyEvent event;
        event.scanCode = byte;
        event.flags = kKeyEventScanCode | (extended ? kKeyEventExtended : 0) |
                      (byte & kReleaseBit ? kKeyEventKeyUp : 0);
        events.push_back(event);
        extended = false;
    }
    return events;
}

std::vector<KeyEvent> KeyRecordEvents(const KeyEntry& record)
{
    KeyEvent event;
    event.virtualKey = static_cast<uint16_t>(record.virtualKey);
    event.scanCode = static_cast<uint16_t>(record.flags & 0xFF);
    event.flags = (record.message == kKeyDownMessage ? 0 : kKeyEventKeyUp) |
                  (record.flags & kKeyRecordExtended ? kKeyEventExtended : 0);
    return std::vector<KeyEvent>(std::min(record.repeatCount, kMaxKeyRepeat), event);
}

size_t KeyRecordsToPlay(size_t recordCount)
{
    return std::min(recordCount, kMaxKeyRecordsPerPacket);
}
