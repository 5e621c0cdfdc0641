#include "sessions/core/TeacherCommands.h"

#include "foundation/core/Md5.h"
#include "sessions/core/CommandText.h"

const std::u16string kConsoleVersion = u"2.0.1.1047";

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
    return CommandWith(u"[KW00001]", {Number(connectionId), Number(thumbnailWidth), Number(thumbnailHeight),
                                      Number(refreshDelay), Number(imageQuality), digest});
}

std::u16string ConsoleVersionCommand() { return u"[KW00094]" + kConsoleVersion; }
std::u16string FreeSeatsCommand(const std::u16string& freeSeatList) { return u"[KW00007]" + freeSeatList; }

std::u16string RefusalCommand(RefusalReason reason, const std::u16string& text)
{
    return CommandWith(u"[KW10000]", {Number(reason), text});
}

std::u16string EndSessionCommand() { return u"[KW10001]KW_END"; }
std::u16string KeepAliveAnswerCommand() { return u"[KW10002]"; }
std::u16string ScreenFormatAnswerCommand() { return u"[KW00002]"; }

std::u16string ThumbnailSizeCommand(int width, int height)
{
    return CommandWith(u"[KW00003]", {Number(width), Number(height)});
}

std::u16string RemoteSessionCommand(int frameWidth, int frameHeight)
{
    return CommandWith(u"[KW00004]", {u"1", Number(frameWidth), Number(frameHeight)});
}

std::u16string CombinedSessionCommand(int frameWidth, int frameHeight)
{
    return CommandWith(u"[KW00004]", {u"3", Number(frameWidth), Number(frameHeight)});
}

std::u16string ResumeDelayCommand(int refreshDelay) { return u"[KW00005]" + Number(refreshDelay); }
std::u16string RefreshDelayCommand(int refreshDelay) { return u"[KW00006]" + Number(refreshDelay); }

std::u16string CaptureRegionCommand(int a, int b, int c, int d)
{
    return CommandWith(u"[KW00008]", {Number(a), Number(b), Number(c), Number(d)});
}

std::u16string DisplayNameCommand(const std::u16string& name) { return u"[KW00009]" + name; }
std::u16string ImageQualityCommand(int quality) { return u"[KW00014]" + Number(quality); }
std::u16string SlotNumberCommand(int slotNumber) { return u"[KW00093]" + Number(slotNumber); }
std::u16string RestartAnswerCommand() { return u"[KW00116]"; }
std::u16string RetryNextDayCommand() { return u"[KW00249]0"; }
std::u16string ScrollPositionCommand(int position) { return u"[KW00200]" + Number(position); }

std::u16string ForbidKeyboardCommand(bool on) { return Flag(u"[KW00050]", on); }
std::u16string ForbidMouseCommand(bool on) { return Flag(u"[KW00051]", on); }
std::u16string ForbidEndingCommand(bool on) { return Flag(u"[KW00052]", on); }
std::u16string ForbidTaskManagerCommand(bool on) { return Flag(u"[KW00060]", on); }
std::u16string ForbidWebBrowsersCommand(bool on) { return Flag(u"[KW00061]", on); }
std::u16string HideTrayIconCommand(bool on) { return Flag(u"[KW00070]", on); }
std::u16string CaptureAllWindowsCommand(bool on) { return Flag(u"[KW00071]", on); }
std::u16string ForbidOtherProgramsCommand(bool on) { return Flag(u"[KW00074]", on); }
std::u16string LightRemotePcCommand(bool on) { return Flag(u"[KW00082]", on); }
std::u16string ForbidUsbStorageCommand(bool on) { return Flag(u"[KW00097]", on); }
std::u16string ProgramListCommand(const std::u16string& list) { return u"[KW00075]" + list; }

std::u16string ChatLineCommand(const std::u16string& text, const std::u16string& agentVersion)
{
    return CommandWith(u"[KW00072]", {EscapeChatCommas(text, agentVersion), u"5000"});
}

std::u16string ProgramToken(const std::u16string& displayName)
{
    const std::string bytes = Utf16LeBytes(displayName);
    return WidenAscii(Md5Hex(bytes.data(), bytes.size()));
}

std::u16string RunProgramCommand(const std::u16string& token, const std::u16string& path,
                                 const std::u16string& options)
{
    return CommandWith(u"[KW00084]", {token, path, options});
}

std::u16string EndProcessCommand(const std::u16string& token, const std::u16string& processName)
{
    return CommandWith(u"[KW00085]", {token, processName});
}

std::u16string RestartPcCommand() { return u"[KW00100]1"; }
std::u16string ShutDownPcCommand() { return u"[KW00100]2"; }
std::u16string ScreenShareCommand(bool start) { return start ? u"[KW00102]start" : u"[KW00102]stop"; }

std::u16string ShareSettingsCommand(int canvasWidth, int canvasHeight, bool fullScreen, bool resize)
{
    return CommandWith(u"[KW00103]", {Number(canvasWidth), Number(canvasHeight), fullScreen ? u"full" : u"window",
                                      resize ? u"resize" : u"center"});
}

std::u16string ScreenControlRightCommand(bool granted) { return Flag(u"[KW00107]", granted); }
