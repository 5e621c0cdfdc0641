// Which handler takes a text or packet a student sends, as data: the Windows receivers (the
// student thread's dispatcher, the remote session and the view's pending connections) switch
// over the route instead of comparing tags themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class TextRoute : uint8_t {
    Ignore,
    Hello,              // [PC00002]
    KeepAlive,          // [PC00003]
    ScreenSize,         // [PC00004]
    FilePieceDone,      // [PC00010]
    SoundAnswer,        // [PC00013]
    AddressReport,      // [PC00014]
    ChatLine,           // [PC00015]
    ClipboardText,      // [PC00016]
    AgentVersion,       // [PC00017]
    DisplayName,        // [PC00019]
    ShareFrameAck,      // [PC00025]
    ClientAnnouncement, // [PC00029], [PC00129]
    OrderlyEnd,         // [PC00031]
    Restarting,         // [PC00034]
    PadState,           // [PC00039]
    PadPermissions,     // [PC00172]
    QuizBuzzer,         // [PC00400]
    QuizAnswer,         // [PC00401]
    PadAppEvent,        // [PC00500]
    Orientation,        // [PC00600]
    ScanCodes,          // [PC00603]
    HangulKey,          // [PC00604]
    PadShareKeepAlive,  // [AN00003]
    PadShareStart,      // [AN00004]
    PadShareStop,       // [AN00005]
    PadShareParam,      // [AN00006]
    PadShareRestart,    // [AN00010]
};

// The receivers of student texts; each route is taken only by the receivers it lists.
enum TextReceiver : uint8_t {
    kThumbnailSession = 1,     // the student thread's dispatcher
    kRemoteSession = 2,        // a remote view or control session holding the connection
    kPendingConnection = 4,    // the view, before the student has a seat
};

struct TextRouteEntry {
    const char16_t* tag;
    TextRoute route;
    uint8_t receivers;
};

extern const TextRouteEntry kTextRoutes[];
extern const size_t kTextRouteCount;

// The route of a text for a receiver; Ignore for a text shorter than a tag, an unknown tag or a
// tag that receiver does not handle.
TextRoute RouteStudentText(const std::u16string& text, TextReceiver receiver);

// Packet types a student's thumbnail session handles; every other type is dropped.
enum class PacketRoute : uint8_t {
    Drop, Text, ScreenFormat, KeyRecords, MouseRecords, ThumbnailPart, FilePiece, ValuePair
};
PacketRoute RouteStudentPacket(uint8_t packetType);

// The answer to a type-10 packet: "[KW00002]" when its second value is 0, else the capture
// region ("[KW00008]") when the slot has an active one.
enum class ValuePairAnswer { None, ScreenFormatAnswer, CaptureRegion };
ValuePairAnswer AnswerValuePair(uint32_t secondValue, bool captureRegionActive);
