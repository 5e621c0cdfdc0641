#include "sessions/core/TeacherCommands.h"

#include "foundation/core/Md5.h"
#include "res/version.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/WireTags.h"

const std::u16string kConsoleVersion = u"" LUMORA_VERSION_TEXT;

namespace {

std::u16string Number(long long value)
{
    return DecimalText(value);
}

std::u16string Flag(const char16_t* tag, bool on)
{
    return tag + BoolWord(on);
}

} // namespace

std::u16string GreetingCommand(int connectionId, int thumbnailWidth, int thumbnailHeight, int refreshDelay,
                               int imageQuality, const std::u16string& digest)
{
    return CommandWith(kTagGreeting, {Number(connectionId), Number(thumbnailWidth), Number(thumbnailHeight),
                                      Number(refreshDelay), Number(imageQuality), digest});
}

std::u16string ConsoleVersionCommand() { return kTagConsoleVersion + kConsoleVersion; }
std::u16string FreeSeatsCommand(const std::u16string& freeSeatList) { return kTagFreeSeats + freeSeatList; }

std::u16string RefusalCommand(RefusalReason reason, const std::u16string& text)
{
    return CommandWith(kTagRefusal, {Number(reason), text});
}

std::u16string EndSessionCommand() { return kTagEndSession + std::u16string(u"KW_END"); }
std::u16string KeepAliveAnswerCommand() { return kTagKeepAliveAnswer; }
std::u16string ScreenFormatAnswerCommand() { return kTagScreenFormatAnswer; }

std::u16string ThumbnailSizeCommand(int width, int height)
{
    return CommandWith(kTagThumbnailSize, {Number(width), Number(height)});
}

std::u16string RemoteSessionCommand(int frameWidth, int frameHeight)
{
    return CommandWith(kTagRemoteSession, {u"1", Number(frameWidth), Number(frameHeight)});
}

std::u16string CombinedSessionCommand(int frameWidth, int frameHeight)
{
    return CommandWith(kTagRemoteSession, {u"3", Number(frameWidth), Number(frameHeight)});
}

std::u16string ResumeDelayCommand(int refreshDelay) { return kTagResumeDelay + Number(refreshDelay); }
std::u16string RefreshDelayCommand(int refreshDelay) { return kTagRefreshDelay + Number(refreshDelay); }

std::u16string CaptureRegionCommand(int a, int b, int c, int d)
{
    return CommandWith(kTagCaptureRegion, {Number(a), Number(b), Number(c), Number(d)});
}

std::u16string DisplayNameCommand(const std::u16string& name) { return kTagDisplayName + name; }
std::u16string ImageQualityCommand(int quality) { return kTagImageQuality + Number(quality); }
std::u16string SlotNumberCommand(int slotNumber) { return kTagSlotNumber + Number(slotNumber); }
std::u16string RestartAnswerCommand() { return kTagRestartAnswer; }
std::u16string RetryNextDayCommand() { return kTagRetryNextDay + std::u16string(u"0"); }
std::u16string ScrollPositionCommand(int position) { return kTagScrollPosition + Number(position); }

std::u16string ForbidKeyboardCommand(bool on) { return Flag(kTagForbidKeyboard, on); }
std::u16string ForbidMouseCommand(bool on) { return Flag(kTagForbidMouse, on); }
std::u16string ForbidEndingCommand(bool on) { return Flag(kTagForbidEnding, on); }
std::u16string ForbidTaskManagerCommand(bool on) { return Flag(kTagForbidTaskManager, on); }
std::u16string ForbidWebBrowsersCommand(bool on) { return Flag(kTagForbidWebBrowsers, on); }
std::u16string HideTrayIconCommand(bool on) { return Flag(kTagHideTrayIcon, on); }
std::u16string CaptureAllWindowsCommand(bool on) { return Flag(kTagCaptureAllWindows, on); }
std::u16string ForbidOtherProgramsCommand(bool on) { return Flag(kTagForbidOtherPrograms, on); }
std::u16string LightRemotePcCommand(bool on) { return Flag(kTagLightRemotePc, on); }
std::u16string ForbidUsbStorageCommand(bool on) { return Flag(kTagForbidUsbStorage, on); }
std::u16string ProgramListCommand(const std::u16string& list) { return kTagProgramList + list; }

std::u16string ChatLineCommand(const std::u16string& text, const std::u16string& agentVersion)
{
    return CommandWith(kTagChatLine, {EscapeChatCommas(text, agentVersion), u"5000"});
}

std::u16string ProgramToken(const std::u16string& displayName)
{
    const std::string bytes = Utf16LeBytes(displayName);
    return WidenAscii(Md5Hex(bytes.data(), bytes.size()));
}

std::u16string RunProgramCommand(const std::u16string& token, const std::u16string& path,
                                 const std::u16string& options)
{
    return CommandWith(kTagRunProgram, {token, path, options});
}

std::u16string EndProcessCommand(const std::u16string& token, const std::u16string& processName)
{
    return CommandWith(kTagEndProcess, {token, processName});
}

std::u16string RestartPcCommand() { return kTagPowerControl + std::u16string(u"1"); }
std::u16string ShutDownPcCommand() { return kTagPowerControl + std::u16string(u"2"); }
std::u16string ScreenShareCommand(bool start)
{
    return kTagScreenShare + std::u16string(start ? u"start" : u"stop");
}

std::u16string ShareSettingsCommand(int canvasWidth, int canvasHeight, bool fullScreen, bool resize)
{
    return CommandWith(kTagShareSettings, {Number(canvasWidth), Number(canvasHeight), fullScreen ? u"full" : u"window",
                                      resize ? u"resize" : u"center"});
}

std::u16string ScreenControlRightCommand(bool granted) { return Flag(kTagScreenControlRight, granted); }
