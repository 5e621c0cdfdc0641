// The process-wide crash handling: a minidump "LumoraDump.dmp" in the program folder, a message
// to the user, and the end of the process with a non-zero exit code.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// The exception an uncaught C++ exception is turned into (std::terminate raises it), so it
// reaches the same filter as any other crash.
constexpr DWORD kUncaughtCppExceptionCode = 0xE04C5401;

// Installs CrashExceptionFilter as the unhandled-exception filter and a terminate handler that
// raises kUncaughtCppExceptionCode. Call first thing at start-up: it also fixes the dump path.
void InstallCrashHandler();

// Writes the dump, tells the user (unless another message box is open), and terminates the
// process with the exception code (1 when that is 0). A second crash while one is being
// handled waits for the first to end the process; a crash inside the handler ends it at once.
LONG WINAPI CrashExceptionFilter(EXCEPTION_POINTERS* exception);

// Creates the dump file anew and writes a normal minidump of this process into it through
// DbgHelp (loaded from the system folder). TRUE only when the whole dump was written; a file
// left empty by a failure is removed.
BOOL WriteCrashDump(EXCEPTION_POINTERS* exception);

// The message for the user: Korean unless the language is another one, and the sentences about
// the dump file only when it was written.
const wchar_t* CrashMessageText(bool korean, bool dumpWritten);
