// Paths, files, processes and the clipboard.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "framework/AfxString.h"

#include <cstdint>
#include <vector>

CString GetModulePath();        // full path of the running executable
CString GetModuleDirectory();   // its folder, without a trailing "\"

// Creates every missing folder of the path in turn ("/" counts as "\", "." and ".." resolved,
// a drive "X:" skipped). True when the whole path is a folder afterwards.
bool MakeDirectories(const wchar_t* path);

// The whole file, when it holds at most maxBytes; false when it cannot be opened or read, or
// is larger. Others may go on reading and writing it meanwhile.
bool ReadWholeFile(const wchar_t* path, uint64_t maxBytes, std::vector<uint8_t>& bytes);

// The file's FileVersion text through its first translation: "1.0.0.0" without a version
// block or translation, "Unable to get Version Info" without the FileVersion entry.
CString GetFileVersionText(const wchar_t* path);
CString GetExeFileVersion();

// A process of that executable name (case ignored) is running.
bool IsProcessRunning(const wchar_t* exeName);

// CF_TEXT (converted to the ANSI code page) or CF_UNICODETEXT only. The clipboard is opened
// with owner, a window of the calling thread: emptied without an owner, it may not keep the data.
bool CopyTextToClipboard(HWND owner, UINT format, const wchar_t* text);

// A heap block an image decoder hands around; zero-initialised, data allocated with new[].
struct OwnedBuffer {
    unsigned char* data;
    unsigned long size;
};
// Frees the block and zeroes the record; a null record or block is fine.
void FreeOwnedBuffer(OwnedBuffer* record);

// The window handle of the window object a holder keeps in its m_pWnd member (a window
// wrapper with GetSafeHwnd); none for a missing holder or window.
template <class Holder>
HWND GetInnerWindowHandle(const Holder* object)
{
    if (!object || !object->m_pWnd) return nullptr;
    return object->m_pWnd->GetSafeHwnd();
}
