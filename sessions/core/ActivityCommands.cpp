#include "sessions/core/ActivityCommands.h"

#include "sessions/core/CommandText.h"

namespace {

// "[KW00010]" + flag digit + "|": the path starts after them.
constexpr size_t kFileSendPathStart = kTagLength + 2;

std::u16string Number(long long value)
{
    return DecimalText(value);
}

} // namespace

std::u16string SpecialKeyCommand() { return u"[KW00016]"; }
std::u16string StudentSoundCommand(bool on) { return on ? u"[KW00029]on" : u"[KW00029]off"; }

std::u16string ViewerRegionCommand(int left, int top, int right, int bottom)
{
    return CommandWith(u"[KW00076]", {Number(left), Number(top), Number(right), Number(bottom)});
}

std::u16string ViewerScrollCommand(int x, int y) { return CommandWith(u"[KW00077]", {Number(x), Number(y)}); }
std::u16string ViewerFullScreenToggleCommand() { return u"[KW00078]true"; }
std::u16string FrameAcknowledgeCommand(int sequence) { return u"[KW00079]" + Number(sequence); }
std::u16string ViewerFullScreenCommand(bool fullScreen) { return u"[KW00080]" + BoolWord(fullScreen); }

std::u16string ClipboardTextCommand(int format, const std::u16string& text)
{
    return CommandWith(u"[KW00086]", {Number(format), text});
}

std::u16string SessionBareCommand() { return u"[KW00087]"; }
std::u16string PadKeyCommand(bool home) { return home ? u"[KW00108]home" : u"[KW00108]back"; }

std::u16string DestinationFolderCommand(const std::u16string& folder)
{
    return u"[KW00030]" + (folder.empty() ? std::u16string(u"default") : folder);
}

std::u16string StartFileSendCommand(bool overwrite, const std::u16string& path)
{
    return u"[KW00010]" + Number(overwrite ? 1 : 0) + u"|" + path;
}

std::u16string FileHeaderCommand(char16_t overwriteFlag) { return u"[KW00013]" + std::u16string(1, overwriteFlag); }
std::u16string FileSendResultCommand(int result) { return u"[KW00011]" + Number(result); }
std::u16string FileSendProgressCommand() { return u"[KW00073]"; }
std::u16string StopFileSendCommand() { return u"[KW00012]"; }
std::u16string FilePieceAnswerCommand(bool written) { return written ? u"[KW00105]1" : u"[KW00105]0"; }

std::u16string PickedStudentCommand() { return u"[KW00400]"; }
std::u16string SpeedQuizStartCommand() { return u"[KW00401]"; }
std::u16string SpeedQuizStopCommand() { return u"[KW00402]"; }
std::u16string FirstPressCommand() { return u"[KW00403]"; }
std::u16string SpeedQuizResetCommand() { return u"[KW00404]"; }

std::u16string QuestionStartCommand(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::Select4: return u"[KW00405]select4";
    case QuestionKind::Select5: return u"[KW00405]select5";
    case QuestionKind::Ox: break;
    }
    return u"[KW00405]ox";
}

std::u16string QuestionEndCommand() { return u"[KW00406]ox"; }
std::u16string QuizEndCommand() { return u"[KW00407]"; }

std::u16string TakeOverLoginCommand(const std::u16string& teacherId, const std::u16string& siteText,
                                    const std::u16string& localAddress, int studentPort)
{
    const std::u16string port = Number(studentPort);
    return CommandWith(u"[KW10003]", {u"0", teacherId, siteText, u"0", u"0", localAddress, port, localAddress, port});
}

std::u16string PadScreenSizeCommand(int width, int height)
{
    return CommandWith(u"[AN00001]", {Number(width), Number(height)});
}

char16_t RemoteSessionMode(const std::u16string& text)
{
    return text.size() > kTagLength ? text[kTagLength] : char16_t(0);
}

bool ReadStartFileSend(const std::u16string& text, char16_t& overwriteFlag, std::u16string& path)
{
    if (!IsTag(text, u"[KW00010]") || text.size() < kFileSendPathStart) return false;
    overwriteFlag = text[kTagLength];
    path = text.substr(kFileSendPathStart);
    return true;
}

int CommandNumber(const std::u16string& text)
{
    return ParseLeadingInt(ArgumentsOf(text));
}
