#include "sessions/core/RemoteKeyRules.h"

namespace {

constexpr uint32_t kVkSnapshot = 0x2C;
constexpr uint32_t kVkHangul = 0x15;
constexpr uint32_t kVkProcessKey = 0xE5;
constexpr uint32_t kVkF4 = 0x73;
constexpr uint32_t kVkF10 = 0x79;
constexpr uint32_t kVkMenu = 0x12;
constexpr uint32_t kKeyCount = 256;

KeyEntry Record(uint16_t message, uint32_t key, uint32_t repeat, uint32_t flags)
{
    KeyEntry entry;
    entry.message = message;
    entry.virtualKey = key;
    entry.repeatCount = repeat;
    entry.flags = flags;
    return entry;
}

} // namespace

std::vector<KeyEntry> RemoteKeyDownRecords(uint32_t key, uint32_t repeat, uint32_t flags)
{
    if (key == kVkProcessKey || key == kVkHangul || key >= kKeyCount)
        return {};
    return {Record(kKeyDownMessage, key, repeat, flags)};
}

std::vector<KeyEntry> RemoteKeyUpRecords(uint32_t key, uint32_t repeat, uint32_t flags)
{
    if (key >= kKeyCount)
        return {};
    std::vector<KeyEntry> records;
    if (key == kVkSnapshot)
        records.push_back(Record(kKeyDownMessage, key, repeat, flags));
    records.push_back(Record(kKeyUpMessage, key, repeat, flags));
    return records;
}

SystemKeyOutcome RemoteSystemKeyRecords(bool down, uint32_t key, uint32_t repeat, uint32_t flags, HeldKeys held,
                                        bool altF4Closes)
{
    SystemKeyOutcome outcome;
    if (key == kVkF4 && held.alt) {
        outcome.consumed = down && !altF4Closes;
        return outcome;
    }
    if (key == kVkF10 && !held.shiftOrCtrl && !held.alt)
        outcome.records.push_back(Record(down ? kKeyDownMessage : kKeyUpMessage, kVkF10, 1, down ? 68 : 0xC044));
    else if (key == kVkMenu && !down)
        outcome.records.push_back(Record(kKeyUpMessage, kVkMenu, 1, 0xC026));
    else if (key == kVkMenu && !held.shiftOrCtrl)
        outcome.records.push_back(Record(kKeyDownMessage, kVkMenu, 1, 38));
    else if (down)
        outcome.records.push_back(Record(kKeyDownMessage, key, repeat, flags));
    else
        outcome.records = RemoteKeyUpRecords(key, repeat, flags);
    return outcome;
}
