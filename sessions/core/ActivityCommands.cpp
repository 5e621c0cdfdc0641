#include "sessions/core/ActivityCommands.h"

#include "sessions/core/CommandText.h"
#include "sessions/core/WireTags.h"

namespace {

// "[KW00010]" + flag digit + "|": the path starts after them.
constexpr size_t kFileSendPathStart = kTagLength + 2;

std::u16string Number(long long value)
{
    return DecimalText(value);
}

} // namespace

std::u16string SpecialKeyCommand() { return kTagSpecialKey; }
std::u16string StudentSoundCommand(bool on) { return kTagStudentSound + std::u16string(on ? u"on" : u"off"); }

std::u16string ViewerRegionCommand(int top, int left, int width, int height)
{
    return CommandWith(kTagViewerRegion, {Number(top), Number(left), Number(width), Number(height)});
}

std::u16string ViewerScrollCommand(int x, int y) { return CommandWith(kTagViewerScroll, {Number(x), Number(y)}); }
std::u16string ViewerFullScreenToggleCommand(bool fitted) { return kTagViewerFullScreenToggle + BoolWord(fitted); }
std::u16string FrameAcknowledgeCommand(int sequence) { return kTagFrameAcknowledge + Number(sequence); }
std::u16string ViewerFullScreenCommand(bool fullScreen) { return kTagViewerFullScreen + BoolWord(fullScreen); }

std::u16string ClipboardTextCommand(int format, const std::u16string& text)
{
    return CommandWith(kTagClipboardText, {Number(format), text});
}

std::u16string SessionBareCommand() { return kTagSessionBare; }
std::u16string PadKeyCommand(bool home) { return kTagPadKey + std::u16string(home ? u"home" : u"back"); }

std::u16string DestinationFolderCommand(const std::u16string& folder)
{
    return kTagDestinationFolder + (folder.empty() ? std::u16string(u"default") : folder);
}

std::u16string StartFileSendCommand(bool overwrite, const std::u16string& path)
{
    return kTagStartFileSend + Number(overwrite ? 1 : 0) + u"|" + path;
}

std::u16string FileHeaderCommand(char16_t overwriteFlag) { return kTagFileHeader + std::u16string(1, overwriteFlag); }
std::u16string FileSendResultCommand(int result) { return kTagFileSendResult + Number(result); }
std::u16string FileSendProgressCommand() { return kTagFileSendProgress; }
std::u16string StopFileSendCommand() { return kTagStopFileSend; }
std::u16string FilePieceAnswerCommand(bool written) { return kTagFilePieceAnswer + Number(written ? 1 : 0); }

std::u16string PickedStudentCommand() { return kTagPickedStudent; }
std::u16string SpeedQuizStartCommand() { return kTagSpeedQuizStart; }
std::u16string SpeedQuizStopCommand() { return kTagSpeedQuizStop; }
std::u16string FirstPressCommand() { return kTagFirstPress; }
std::u16string SpeedQuizResetCommand() { return kTagSpeedQuizReset; }

std::u16string QuestionStartCommand(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::Select4: return kTagQuestionStart + std::u16string(u"select4");
    case QuestionKind::Select5: return kTagQuestionStart + std::u16string(u"select5");
    case QuestionKind::Ox: break;
    }
    return kTagQuestionStart + std::u16string(u"ox");
}

std::u16string QuestionEndCommand() { return kTagQuestionEnd + std::u16string(u"ox"); }
std::u16string QuizEndCommand() { return kTagQuizEnd; }

std::u16string TakeOverLoginCommand(const std::u16string& teacherId, const std::u16string& siteText,
                                    const std::u16string& localAddress, int studentPort)
{
    return TakeOverLoginCommand(teacherId, siteText, localAddress, Number(studentPort));
}

std::u16string TakeOverLoginCommand(const std::u16string& teacherId, const std::u16string& siteText,
                                    const std::u16string& localAddress, const std::u16string& studentPort)
{
    return CommandWith(kTagTakeOverLogin,
                       {u"0", teacherId, siteText, u"0", u"0", localAddress, studentPort, localAddress, studentPort});
}

std::u16string PadScreenSizeCommand(int width, int height)
{
    return CommandWith(kTagPadScreenSize, {Number(width), Number(height)});
}

char16_t RemoteSessionMode(const std::u16string& text)
{
    return text.size() > kTagLength ? text[kTagLength] : char16_t(0);
}

bool ReadStartFileSend(const std::u16string& text, char16_t& overwriteFlag, std::u16string& path)
{
    if (!IsTag(text, kTagStartFileSend) || text.size() < kFileSendPathStart) return false;
    overwriteFlag = text[kTagLength];
    path = text.substr(kFileSendPathStart);
    return true;
}

int CommandNumber(const std::u16string& text)
{
    return ParseLeadingInt(ArgumentsOf(text));
}
