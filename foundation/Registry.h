// CRegistry: one registry key at a time, for the keys the console touches outside its own
// profile (the pen program's published values, the compatibility-layer entry).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "framework/AfxString.h"
#include "framework/Object.h"

class CRegistry : public CObject {
public:
    // Starts at the root key (the current user's hive by default). A read-only object opens
    // keys for reading and refuses to create keys or write values.
    explicit CRegistry(HKEY root = HKEY_CURRENT_USER, bool readOnly = false);
    ~CRegistry() override;

    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // Create (or open) / open a key below the current one; on success it becomes the current
    // key. A trailing "\" is ignored.
    bool CreateKey(const wchar_t* path);
    bool OpenKey(const wchar_t* path);

    bool WriteString(const wchar_t* valueName, const wchar_t* text);
    DWORD ReadDWORD(const wchar_t* valueName, DWORD defaultValue);
    // Empty when the value is missing or not a string; GetLastResult tells which.
    CString ReadString(const wchar_t* valueName);

    LONG GetLastResult() const { return m_result; }
    DWORD GetLastDataSize() const { return m_dataSize; }
    const CString& GetKeyPath() const { return m_keyPath; }
    HKEY GetKey() const { return m_key; }

private:
    static CString WithoutTrailingBackslash(const wchar_t* path);
    void ReplaceKey(HKEY key);

    LONG m_result = ERROR_SUCCESS;
    CString m_valueName;
    DWORD m_dataSize = 0;
    HKEY m_key;
    bool m_ownsKey = false;     // predefined roots are never closed
    CString m_keyPath;
    bool m_readOnly;
};
