#include "sessions/core/StudentMessages.h"

#include "sessions/core/ChatLineRules.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/RemoteScreen.h"

#include <vector>

namespace {

constexpr size_t kHelloFields = 8;
constexpr int kUnicodeTextFormat = 13;

} // namespace

std::u16string CutWireText(std::u16string text, size_t length)
{
    if (text.size() <= length)
        return text;
    if (length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
        --length;
    text.resize(length);
    return text;
}

bool ReadHello(const std::u16string& arguments, StudentHello& hello)
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(arguments, kHelloFields, fields)) return false;
    hello.seatText = fields[0];
    hello.name = fields[1].empty() ? u" " : fields[1];
    hello.captureRegion[0] = ParseLeadingInt(fields[3]);
    hello.captureRegion[1] = ParseLeadingInt(fields[2]);
    hello.captureRegion[2] = ParseLeadingInt(fields[5]);
    hello.captureRegion[3] = ParseLeadingInt(fields[4]);
    hello.captureRegionActive = fields[6] == u"true";
    return true;
}

int HalveFrameSide(int side)
{
    while (side >= 200 && side % 2 == 0) side /= 2;
    return side;
}

bool ReadScreenSize(const std::u16string& arguments, ScreenSizeReport& report)
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(arguments, 2, fields)) return false;
    report.width = ParseLeadingInt(fields[0]);
    report.height = ParseLeadingInt(fields[1]);
    if (!IsReportableScreenSize(report.width, report.height))
        return false;
    report.frameWidth = HalveFrameSide(report.width);
    report.frameHeight = HalveFrameSide(report.height);
    return true;
}

bool ReadClientAnnouncement(const std::u16string& arguments, ClientAnnouncement& announcement)
{
    std::vector<std::u16string> fields;
    size_t count = SplitFields(arguments, u',', 5, fields);
    if (count < 3 || count > 5) return false;
    announcement.clientKind = ParseLeadingInt(fields[0]);
    announcement.texts[0] = CutWireText(fields[1], kMaxShortTextChars);
    announcement.texts[1] = CutWireText(fields[2], kMaxShortTextChars);
    announcement.hasThirdText = count >= 4;
    if (announcement.hasThirdText) announcement.texts[2] = CutWireText(fields[3], kMaxShortTextChars);
    return true;
}

std::u16string AgentVersionFrom(const std::u16string& arguments)
{
    return CutWireText(arguments, kMaxShortTextChars);
}

bool ReadChatLine(const std::u16string& arguments, std::u16string& text)
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(arguments, 2, fields)) return false;
    text = CutWireText(UnescapeChatCommas(fields[0]), kChatLineMaxChars);
    return true;
}

bool ReadClipboardText(const std::u16string& arguments, int& format, std::u16string& text)
{
    size_t comma = arguments.find(u',');
    if (comma == std::u16string::npos) return false;
    format = ParseLeadingInt(arguments.substr(0, comma));
    if (format == 1) format = kUnicodeTextFormat;
    text = CutWireText(arguments.substr(comma + 1, kMaxClipboardTextChars + 1), kMaxClipboardTextChars);
    return true;
}

SoundAnswer ReadSoundAnswer(const std::u16string& arguments)
{
    if (arguments == u"success") return SoundAnswer::Success;
    if (arguments == u"fail") return SoundAnswer::Fail;
    return SoundAnswer::Other;
}

std::u16string DisplayNameFrom(const std::u16string& arguments)
{
    return arguments.empty() ? u" " : CutWireText(arguments, kMaxDisplayNameChars);
}

bool ReadPadAppEvent(const std::u16string& arguments, PadAppEvent& event)
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(arguments, 3, fields)) return false;
    event.app = CutWireText(fields[0], kMaxAppNameChars);
    event.label = CutWireText(fields[1], kMaxAppNameChars);
    event.appText = event.label == u"_NONE_" ? event.app : event.label + u"(" + event.app + u")";
    return true;
}

bool ReadSingleNumber(const std::u16string& arguments, int& value)
{
    std::vector<std::u16string> fields;
    if (!SplitExactly(arguments, 1, fields)) return false;
    value = ParseLeadingInt(fields[0]);
    return true;
}
