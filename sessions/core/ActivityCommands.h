// The "[KW" commands of remote sessions, file sends, quizzes and the login server, and the
// "[AN" answer of the pad share; plus the readers of the internal texts a student's thread
// receives from the console's own windows.
#pragma once

#include <string>

// Remote view and control session, on the session's connection.
std::u16string SpecialKeyCommand();                                     // [KW00016]
std::u16string StudentSoundCommand(bool on);                            // [KW00029]on/off
std::u16string ViewerRegionCommand(int top, int left, int width, int height);  // [KW00076]
std::u16string ViewerScrollCommand(int x, int y);                       // [KW00077]
std::u16string ViewerFullScreenToggleCommand(bool fitted = true);        // [KW00078]true/false
std::u16string FrameAcknowledgeCommand(int sequence);                   // [KW00079]
std::u16string ViewerFullScreenCommand(bool fullScreen);                // [KW00080]
std::u16string ClipboardTextCommand(int format, const std::u16string& text);  // [KW00086]
std::u16string SessionBareCommand();                                    // [KW00087]
std::u16string PadKeyCommand(bool home);                                // [KW00108]home/back

// File sends. An empty destination folder means the agent's own ("default").
std::u16string DestinationFolderCommand(const std::u16string& folder);  // [KW00030]
std::u16string StartFileSendCommand(bool overwrite, const std::u16string& path);  // [KW00010] internal
std::u16string FileHeaderCommand(char16_t overwriteFlag);               // [KW00013]
std::u16string FileSendResultCommand(int result);                       // [KW00011] internal
std::u16string FileSendProgressCommand();                               // [KW00073] internal
std::u16string StopFileSendCommand();                                   // [KW00012]
std::u16string FilePieceAnswerCommand(bool written);                    // [KW00105]

// Quiz.
enum class QuestionKind { Ox, Select4, Select5 };
std::u16string PickedStudentCommand();                                  // [KW00400]
std::u16string SpeedQuizStartCommand();                                 // [KW00401]
std::u16string SpeedQuizStopCommand();                                  // [KW00402]
std::u16string FirstPressCommand();                                     // [KW00403]
std::u16string SpeedQuizResetCommand();                                 // [KW00404]
std::u16string QuestionStartCommand(QuestionKind kind);                 // [KW00405]
std::u16string QuestionEndCommand();                                    // [KW00406]ox
std::u16string QuizEndCommand();                                        // [KW00407]

// Login server: take over a teacher ID logged in elsewhere.
std::u16string TakeOverLoginCommand(const std::u16string& teacherId, const std::u16string& siteText,
                                    const std::u16string& localAddress, int studentPort);  // [KW10003]
std::u16string TakeOverLoginCommand(const std::u16string& teacherId, const std::u16string& siteText,
                                    const std::u16string& localAddress, const std::u16string& studentPort);

// Pad share: the teacher's virtual-screen size.
std::u16string PadScreenSizeCommand(int width, int height);             // [AN00001]

// Internal texts as the student's thread reads them.
// "[KW00004]" + mode: the mode character, 0 when the text has none.
char16_t RemoteSessionMode(const std::u16string& text);
// "[KW00010]%d|%s": the overwrite flag character and the path from the twelfth character on.
bool ReadStartFileSend(const std::u16string& text, char16_t& overwriteFlag, std::u16string& path);
// The number after the tag of "[KW00011]" or "[KW00200]".
int CommandNumber(const std::u16string& text);
