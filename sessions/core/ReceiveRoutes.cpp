#include "sessions/core/ReceiveRoutes.h"

#include "foundation/core/PacketFields.h"
#include "sessions/core/CommandText.h"

namespace {

constexpr uint8_t kThumb = kThumbnailSession;
constexpr uint8_t kBoth = kThumbnailSession | kRemoteSession;

} // namespace

const TextRouteEntry kTextRoutes[] = {
    {u"[PC00002]", TextRoute::Hello, kPendingConnection},
    {u"[PC00003]", TextRoute::KeepAlive, kBoth},
    {u"[PC00004]", TextRoute::ScreenSize, kBoth},
    {u"[PC00010]", TextRoute::FilePieceDone, kThumb},
    {u"[PC00013]", TextRoute::SoundAnswer, kRemoteSession},
    {u"[PC00014]", TextRoute::AddressReport, kThumb},
    {u"[PC00015]", TextRoute::ChatLine, kBoth},
    {u"[PC00016]", TextRoute::ClipboardText, kRemoteSession},
    {u"[PC00017]", TextRoute::AgentVersion, kThumb | kPendingConnection},
    {u"[PC00019]", TextRoute::DisplayName, kThumb},
    {u"[PC00025]", TextRoute::ShareFrameAck, kBoth},
    {u"[PC00029]", TextRoute::ClientAnnouncement, kPendingConnection},
    {u"[PC00129]", TextRoute::ClientAnnouncement, kPendingConnection},
    {u"[PC00031]", TextRoute::OrderlyEnd, kBoth},
    {u"[PC00034]", TextRoute::Restarting, kThumb},
    {u"[PC00039]", TextRoute::PadState, kBoth},
    {u"[PC00172]", TextRoute::PadPermissions, kBoth},
    {u"[PC00400]", TextRoute::QuizBuzzer, kThumb},
    {u"[PC00401]", TextRoute::QuizAnswer, kThumb},
    {u"[PC00500]", TextRoute::PadAppEvent, kBoth},
    {u"[PC00600]", TextRoute::Orientation, kBoth},
    {u"[PC00603]", TextRoute::ScanCodes, kThumb},
    {u"[PC00604]", TextRoute::HangulKey, kThumb},
    {u"[AN00003]", TextRoute::PadShareKeepAlive, kThumb},
    {u"[AN00004]", TextRoute::PadShareStart, kThumb},
    {u"[AN00005]", TextRoute::PadShareStop, kThumb},
    {u"[AN00006]", TextRoute::PadShareParam, kThumb},
    {u"[AN00010]", TextRoute::PadShareRestart, kThumb},
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
