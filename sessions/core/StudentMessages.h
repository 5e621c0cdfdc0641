// Readers of the arguments of the "[PC" and "[AN" messages student agents send. Each takes the
// argument text (what follows the tag) and returns false when the field count is not the one
// the message has; the receiver then ignores the text.
#pragma once

#include <string>

// "[PC00002]" hello: seat, name, four region values, region flag, an unused field.
struct StudentHello {
    std::u16string seatText;       // checked by the admission, which refuses anything but a seat
    std::u16string name;           // " " when empty
    int captureRegion[4] = {};     // in the slot record's order: fields 3, 2, 5, 4
    bool captureRegionActive = false;
};
bool ReadHello(const std::u16string& arguments, StudentHello& hello);

// "[PC00004]" and "[AN00010]": a screen size, and the frame size a remote session asks for;
// false also for a side out of bounds (IsReportableScreenSize).
struct ScreenSizeReport {
    int width = 0;
    int height = 0;
    int frameWidth = 0;
    int frameHeight = 0;
};
bool ReadScreenSize(const std::u16string& arguments, ScreenSizeReport& report);
// The side halved while it is at least 200 and even (1600 -> 100, 1366 -> 683).
int HalveFrameSide(int side);

// "[PC00029]" / "[PC00129]" (and the app's "[RC00022]"): three to five fields; the third text is
// given only by four or more. Each text is cut to kMaxShortTextChars.
struct ClientAnnouncement {
    int clientKind = 2;
    std::u16string texts[3];
    bool hasThirdText = false;
};
bool ReadClientAnnouncement(const std::u16string& arguments, ClientAnnouncement& announcement);

// A student's chat line is shown up to the length a teacher may type; the rest is cut. Short
// texts a student gives the console to keep (display name, agent version, quiz answer) and the
// app names of the pad log are cut likewise, far above any real one.
constexpr size_t kMaxDisplayNameChars = 64;
constexpr size_t kMaxShortTextChars = 64;
constexpr size_t kMaxAppNameChars = 256;
// "[PC00014]": an address entry longer than this is not one (the view keeps none longer).
constexpr size_t kMaxAddressReportChars = 512;
// "[PC00016]": what of a student's clipboard text goes on the teacher's clipboard.
constexpr size_t kMaxClipboardTextChars = 256 * 1024;

// At most that many units of the text, never ending between the two halves of a surrogate pair.
std::u16string CutWireText(std::u16string text, size_t length);

// "[PC00015]": the chat text (first of exactly two fields) with its "&comma;" turned back, cut
// to kChatLineMaxChars.
bool ReadChatLine(const std::u16string& arguments, std::u16string& text);

// "[PC00016]": the clipboard format before the first "," (1 read as 13, Unicode text) and the
// text after it, cut to kMaxClipboardTextChars.
bool ReadClipboardText(const std::u16string& arguments, int& format, std::u16string& text);

// "[PC00013]": the answer to a sound request.
enum class SoundAnswer { Success, Fail, Other };
SoundAnswer ReadSoundAnswer(const std::u16string& arguments);

// "[PC00017]" (and the app's "[RC00001]"): the agent's version, cut to kMaxShortTextChars.
std::u16string AgentVersionFrom(const std::u16string& arguments);

// "[PC00019]": the display name, " " for an empty one.
std::u16string DisplayNameFrom(const std::u16string& arguments);   // cut to kMaxDisplayNameChars

// "[PC00500]": app, label and an unused third field. The log shows the app alone when the label
// is "_NONE_", else "label(app)".
struct PadAppEvent {
    std::u16string app;
    std::u16string label;
    std::u16string appText;
};
bool ReadPadAppEvent(const std::u16string& arguments, PadAppEvent& event);   // app and label cut

// "[AN00006]": exactly one number.
bool ReadSingleNumber(const std::u16string& arguments, int& value);
