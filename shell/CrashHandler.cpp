#include "shell/CrashHandler.h"

#include "foundation/AppGlobals.h"
#include "shell/core/LanguageModulePath.h"
#include "ui/ShowMessageBox.h"

#include <dbghelp.h>

#include <cwchar>
#include <exception>

namespace {

// Fixed at installation, so the handler needs no heap while the process is failing.
wchar_t g_dumpPath[MAX_PATH + 32] = L"";
wchar_t g_dbgHelpPath[MAX_PATH + 32] = L"";
volatile LONG g_handlingThread = 0;

typedef BOOL(WINAPI* MiniDumpWriteDumpFn)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                          PMINIDUMP_EXCEPTION_INFORMATION,
                                          PMINIDUMP_USER_STREAM_INFORMATION,
                                          PMINIDUMP_CALLBACK_INFORMATION);

void RaiseForUncaughtException()
{
    RaiseException(kUncaughtCppExceptionCode, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    TerminateProcess(GetCurrentProcess(), kUncaughtCppExceptionCode);
}

void FixPaths()
{
    wchar_t module[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        wchar_t* slash = wcsrchr(module, L'\\');
        if (slash) *slash = L'\0';
        _snwprintf(g_dumpPath, MAX_PATH + 31, L"%s\\LumoraDump.dmp", module);
    }
    wchar_t system[MAX_PATH] = L"";
    const UINT systemLength = GetSystemDirectoryW(system, MAX_PATH);
    if (systemLength > 0 && systemLength < MAX_PATH) {
        _snwprintf(g_dbgHelpPath, MAX_PATH + 31, L"%s\\DbgHelp.dll", system);
    }
}

DWORD ExitCodeFor(EXCEPTION_POINTERS* exception)
{
    const DWORD code = exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 0;
    return code != 0 ? code : 1;
}

}  // namespace

void InstallCrashHandler()
{
    FixPaths();
    SetUnhandledExceptionFilter(CrashExceptionFilter);
    std::set_terminate(RaiseForUncaughtException);
}

BOOL WriteCrashDump(EXCEPTION_POINTERS* exception)
{
    if (!g_dumpPath[0] || !g_dbgHelpPath[0]) return FALSE;
    HANDLE file = CreateFileW(g_dumpPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    BOOL written = FALSE;
    HMODULE dbgHelp = LoadLibraryW(g_dbgHelpPath);
    auto writeDump = dbgHelp ? reinterpret_cast<MiniDumpWriteDumpFn>(
                                   reinterpret_cast<void*>(GetProcAddress(dbgHelp, "MiniDumpWriteDump")))
                             : nullptr;
    if (writeDump) {
        MINIDUMP_EXCEPTION_INFORMATION info = {};
        info.ThreadId = GetCurrentThreadId();
        info.ExceptionPointers = exception;
        info.ClientPointers = TRUE;
        written = writeDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                            exception ? &info : nullptr, nullptr, nullptr);
    }
    if (!CloseHandle(file)) written = FALSE;
    if (!written) DeleteFileW(g_dumpPath);
    return written;
}

const wchar_t* CrashMessageText(bool korean, bool dumpWritten)
{
    if (korean) {
        return dumpWritten
                   ? L"Lumora Teacher가 예기치 않게 종료되었습니다.\n"
                     L"Lumora 설치 폴더에 덤프파일이 생성되었습니다.\n"
                     L"생성된 LumoraDump.dmp파일을 개발사로 보내주시면 빠르게 오류를 수정할 수 있습니다."
                   : L"Lumora Teacher가 예기치 않게 종료되었습니다.";
    }
    return dumpWritten
               ? L"Lumora Teacher ended unexpectedly.\n"
                 L"Dump file has been generated in Lumora install folder.\n"
                 L"The error may be corrected if you send LumoraDump.dmp file to the development company."
               : L"Lumora Teacher ended unexpectedly.";
}

LONG WINAPI CrashExceptionFilter(EXCEPTION_POINTERS* exception)
{
    const LONG self = static_cast<LONG>(GetCurrentThreadId());
    const LONG owner = InterlockedCompareExchange(&g_handlingThread, self, 0);
    if (owner == self) TerminateProcess(GetCurrentProcess(), ExitCodeFor(exception));
    if (owner != 0) {
        Sleep(INFINITE);   // the first crash ends the process
    }
    const bool dumpWritten = WriteCrashDump(exception) != FALSE;
    ShowMessageBox(CrashMessageText(IsBuiltInLanguage(g_language.Str()), dumpWritten), nullptr, 0);
    TerminateProcess(GetCurrentProcess(), ExitCodeFor(exception));
    return EXCEPTION_EXECUTE_HANDLER;
}
