#include "sessions/core/ReceiveRoutes.h"

#include "foundation/core/PacketFields.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/WireTags.h"

namespace {

constexpr uint8_t kThumb = kThumbnailSession;
constexpr uint8_t kBoth = kThumbnailSession | kRemoteSession;

} // namespace

const TextRouteEntry kTextRoutes[] = {
    {kTagHello, TextRoute::Hello, kPendingConnection},
    {kTagKeepAlive, TextRoute::KeepAlive, kBoth},
    {kTagScreenSize, TextRoute::ScreenSize, kBoth},
    {kTagFilePieceDone, TextRoute::FilePieceDone, kThumb},
    {kTagSoundAnswer, TextRoute::SoundAnswer, kRemoteSession},
    {kTagAddressReport, TextRoute::AddressReport, kThumb},
    {kTagStudentChatLine, TextRoute::ChatLine, kBoth},
    {kTagStudentClipboard, TextRoute::ClipboardText, kRemoteSession},
    {kTagAgentVersion, TextRoute::AgentVersion, kThumb | kPendingConnection},
    {kTagStudentName, TextRoute::DisplayName, kThumb},
    {kTagShareFrameAck, TextRoute::ShareFrameAck, kBoth},
    {kTagClientAnnouncement, TextRoute::ClientAnnouncement, kPendingConnection},
    {kTagClientAnnouncementEx, TextRoute::ClientAnnouncement, kPendingConnection},
    {kTagOrderlyEnd, TextRoute::OrderlyEnd, kBoth},
    {kTagRestarting, TextRoute::Restarting, kThumb},
    {kTagPadState, TextRoute::PadState, kBoth},
    {kTagPadPermissions, TextRoute::PadPermissions, kBoth},
    {kTagQuizBuzzer, TextRoute::QuizBuzzer, kThumb},
    {kTagQuizAnswer, TextRoute::QuizAnswer, kThumb},
    {kTagPadAppEvent, TextRoute::PadAppEvent, kBoth},
    {kTagOrientation, TextRoute::Orientation, kBoth},
    {kTagScanCodes, TextRoute::ScanCodes, kThumb},
    {kTagHangulKey, TextRoute::HangulKey, kThumb},
    {kTagPadShareKeepAlive, TextRoute::PadShareKeepAlive, kThumb},
    {kTagPadShareStart, TextRoute::PadShareStart, kThumb},
    {kTagPadShareStop, TextRoute::PadShareStop, kThumb},
    {kTagPadShareParam, TextRoute::PadShareParam, kThumb},
    {kTagPadShareRestart, TextRoute::PadShareRestart, kThumb},
};
const size_t kTextRouteCount = sizeof(kTextRoutes) / sizeof(kTextRoutes[0]);

TextRoute RouteStudentText(const std::u16string& text, TextReceiver receiver)
{
    if (!HasTag(text)) return TextRoute::Ignore;
    for (const TextRouteEntry& entry : kTextRoutes) {
        if (text.compare(0, kTagLength, entry.tag) == 0)
            return (entry.receivers & receiver) ? entry.route : TextRoute::Ignore;
    }
    return TextRoute::Ignore;
}

PacketRoute RouteStudentPacket(uint8_t packetType)
{
    switch (packetType) {
    case kPacketText: return PacketRoute::Text;
    case kPacketScreenFormat: return PacketRoute::ScreenFormat;
    case kPacketKeys: return PacketRoute::KeyRecords;
    case kPacketMice: return PacketRoute::MouseRecords;
    case kPacketImage: return PacketRoute::ThumbnailPart;
    case kPacketFileChunk: return PacketRoute::FilePiece;
    case kPacketValue: return PacketRoute::ValuePair;
    default: return PacketRoute::Drop;
    }
}

ValuePairAnswer AnswerValuePair(uint32_t secondValue, bool captureRegionActive)
{
    if (secondValue == 0) return ValuePairAnswer::ScreenFormatAnswer;
    return captureRegionActive ? ValuePairAnswer::CaptureRegion : ValuePairAnswer::None;
}
