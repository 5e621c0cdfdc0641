// The "[KW" commands the console sends to student agents (and two to the login server): one
// builder per command, so every sender spells a command the same way. Texts marked internal
// travel only from a console window to a student's thread and are never written on the wire.
#pragma once

#include <string>

// The console's own version, sent on accept and after the greeting.
extern const std::u16string kConsoleVersion;

// Session, admission and thumbnails.
std::u16string GreetingCommand(int connectionId, int thumbnailWidth, int thumbnailHeight, int refreshDelay,
                               int imageQuality, const std::u16string& digest);     // [KW00001]
std::u16string ConsoleVersionCommand();                                             // [KW00094]2.0.1.1047
std::u16string FreeSeatsCommand(const std::u16string& freeSeatList);                // [KW00007]
enum RefusalReason { kRefusalSeatTaken = 2, kRefusalBeyondSeats = 3, kRefusalLinkTaken = 4 };
std::u16string RefusalCommand(RefusalReason reason, const std::u16string& text);    // [KW10000]
std::u16string EndSessionCommand();                                                 // [KW10001]KW_END
std::u16string KeepAliveAnswerCommand();                                            // [KW10002]
std::u16string ScreenFormatAnswerCommand();                                         // [KW00002]
std::u16string ThumbnailSizeCommand(int width, int height);                         // [KW00003]
std::u16string RemoteSessionCommand(int frameWidth, int frameHeight);               // [KW00004]1,
std::u16string CombinedSessionCommand(int frameWidth, int frameHeight);             // [KW00004]3,
std::u16string ResumeDelayCommand(int refreshDelay);                                // [KW00005]
std::u16string RefreshDelayCommand(int refreshDelay);                               // [KW00006]
std::u16string CaptureRegionCommand(int a, int b, int c, int d);                    // [KW00008]
std::u16string DisplayNameCommand(const std::u16string& name);                      // [KW00009]
std::u16string ImageQualityCommand(int quality);                                    // [KW00014]
std::u16string SlotNumberCommand(int slotNumber);                                   // [KW00093]
std::u16string RestartAnswerCommand();                                              // [KW00116]
std::u16string RetryNextDayCommand();                                               // [KW00249]0
std::u16string ScrollPositionCommand(int position);                                 // [KW00200] internal

// Restrictions: each flag is "true" or "false".
std::u16string ForbidKeyboardCommand(bool on);          // [KW00050]
std::u16string ForbidMouseCommand(bool on);             // [KW00051]
std::u16string ForbidEndingCommand(bool on);            // [KW00052]
std::u16string ForbidTaskManagerCommand(bool on);       // [KW00060]
std::u16string ForbidWebBrowsersCommand(bool on);       // [KW00061]
std::u16string HideTrayIconCommand(bool on);            // [KW00070]
std::u16string CaptureAllWindowsCommand(bool on);       // [KW00071]
std::u16string ForbidOtherProgramsCommand(bool on);     // [KW00074]
std::u16string LightRemotePcCommand(bool on);           // [KW00082]
std::u16string ForbidUsbStorageCommand(bool on);        // [KW00097]
std::u16string ProgramListCommand(const std::u16string& list);                      // [KW00075]

// Chat and program control.
std::u16string ChatLineCommand(const std::u16string& text, const std::u16string& agentVersion);  // [KW00072]
// The token of a run or end-process command: lower-case hex MD5 of the display name's UTF-16LE bytes.
std::u16string ProgramToken(const std::u16string& displayName);
std::u16string RunProgramCommand(const std::u16string& token, const std::u16string& path,
                                 const std::u16string& options);                   // [KW00084]
std::u16string EndProcessCommand(const std::u16string& token, const std::u16string& processName);  // [KW00085]
std::u16string RestartPcCommand();                                                  // [KW00100]1
std::u16string ShutDownPcCommand();                                                 // [KW00100]2
std::u16string ScreenShareCommand(bool start);                                      // [KW00102]start/stop
std::u16string ShareSettingsCommand(int canvasWidth, int canvasHeight, bool fullScreen, bool resize);  // [KW00103]
std::u16string ScreenControlRightCommand(bool granted);                             // [KW00107]
