// Feeds arbitrary text to every reader of a student's command texts and to the scan-code and
// key-record players. Nothing may crash, the caps must hold, and the chat escaping must round-trip.
#include "sessions/core/CommandText.h"
#include "sessions/core/KeyEvents.h"
#include "sessions/core/PadScreenState.h"
#include "sessions/core/ReceiveRoutes.h"
#include "sessions/core/StudentMessages.h"
#include "view/core/AddressReport.h"
#include "view/core/SeatAdmission.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The first byte picks the reading: one unit per byte (finds the ASCII structure quickly) or
// little-endian pairs (reaches every UTF-16 unit).
std::u16string TextOf(const uint8_t* data, size_t size)
{
    std::u16string text;
    if (size == 0) return text;
    if (data[0] & 1) {
        for (size_t i = 1; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    } else {
        text.assign(data + 1, data + size);
    }
    return text;
}

void Check(bool condition)
{
    if (!condition) std::abort();
}

void CheckScanCodes(const std::u16string& text, size_t cap)
{
    for (const KeyEvent& event : ReadScanCodeText(text, cap)) {
        Check(event.virtualKey == 0 && event.scanCode <= 0xFF && event.scanCode != 0xE0);
        Check(event.flags & kKeyEventScanCode);
        Check(((event.flags & kKeyEventKeyUp) != 0) == ((event.scanCode & 0x80) != 0));
    }
    Check(ReadScanCodeText(text, cap).size() <= cap);
}

void CheckReaders(const std::u16string& arguments)
{
    StudentHello hello;
    ReadHello(arguments, hello);
    ScreenSizeReport size;
    if (ReadScreenSize(arguments, size)) Check(size.frameWidth <= size.width && size.frameHeight <= size.height);
    ClientAnnouncement announcement;
    ReadClientAnnouncement(arguments, announcement);
    std::u16string text;
    ReadChatLine(arguments, text);
    int format = 0;
    ReadClipboardText(arguments, format, text);
    PadAppEvent event;
    ReadPadAppEvent(arguments, event);
    int value = 0;
    ReadSingleNumber(arguments, value);
    PadStateReport report;
    PadScreenState state;
    if (ReadPadStateReport(arguments, report))
        for (int i = 0; i < 8; ++i) ApplyPadStateReport(state, report);
    Check(state.screenOffReports <= 6);

    std::vector<std::u16string> fields;
    const size_t count = SplitFields(arguments, u',', kMaxCommandFields, fields);
    size_t commas = 0;
    for (char16_t ch : arguments) commas += ch == u',';
    Check(count == commas + 1 && fields.size() <= kMaxCommandFields);

    if (ParseDecimal(arguments, value)) Check(value >= 0 && ParseLeadingInt(arguments) == value);
    size_t seat = 0;
    if (CheckSeat(arguments, std::vector<bool>(40, false), seat) == SeatVerdict::Admit) Check(seat < 40);

    StudentAddressList addresses;
    addresses.entries.assign(3, u"a,10.0.0.1,k,x");
    addresses.seats = {1, 2, 3};
    ApplyAddressReport(arguments, u"10.0.0.9", 4, addresses);
    Check(addresses.entries.size() <= 4 && addresses.entries.size() == addresses.seats.size());
}

void CheckChatEscaping(const std::u16string& text)
{
    const std::u16string escaped = EscapeChatCommas(text, u"2.0.1.1046");
    Check(escaped.find(u',') == std::u16string::npos);
    if (text.find(u"&comma;") == std::u16string::npos) Check(UnescapeChatCommas(escaped) == text);
    Check(EscapeChatCommas(text, u"1").size() == text.size());
}

void CheckKeyRecords(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i + sizeof(KeyEntry) <= size && i < 64 * sizeof(KeyEntry); i += sizeof(KeyEntry)) {
        KeyEntry record;
        std::memcpy(&record, data + i, sizeof record);
        Check(KeyRecordEvents(record).size() <= kMaxKeyRepeat);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::u16string text = TextOf(data, size);
    for (TextReceiver receiver : {kThumbnailSession, kRemoteSession, kPendingConnection}) {
        TextRoute route = RouteStudentText(text, receiver);
        if (route != TextRoute::Ignore) Check(HasTag(text));
    }
    const std::u16string arguments = HasTag(text) ? ArgumentsOf(text) : text;
    CheckReaders(arguments);
    CheckScanCodes(arguments, kMaxStudentScanKeys);
    CheckScanCodes(arguments, kMaxRemoteAppScanKeys);
    CheckChatEscaping(arguments);
    CheckKeyRecords(data, size);
    return 0;
}
