#include "foundation/Registry.h"

#include "framework/AfxTrace.h"

#include <vector>

CRegistry::CRegistry(HKEY root, bool readOnly) : m_key(root), m_readOnly(readOnly) {}

CRegistry::~CRegistry()
{
    ReplaceKey(nullptr);
}

CString CRegistry::WithoutTrailingBackslash(const wchar_t* path)
{
    CString text(path);
    if (!text.IsEmpty() && text[text.GetLength() - 1] == L'\\') text = text.Left(text.GetLength() - 1);
    return text;
}

void CRegistry::ReplaceKey(HKEY key)
{
    if (m_ownsKey && m_key) RegCloseKey(m_key);
    m_key = key;
    m_ownsKey = key != nullptr;
}

bool CRegistry::CreateKey(const wchar_t* path)
{
    if (m_readOnly) {
        m_result = ERROR_ACCESS_DENIED;
        return false;
    }
    CString keyPath = WithoutTrailingBackslash(path);
    HKEY key = nullptr;
    m_result = RegCreateKeyExW(m_key, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                               nullptr);
    if (m_result != ERROR_SUCCESS) {
        TRACE(L"Can't create registry key: %s\n", keyPath.GetString());
        return false;
    }
    m_keyPath = keyPath;
    ReplaceKey(key);
    return true;
}

bool CRegistry::OpenKey(const wchar_t* path)
{
    CString keyPath = WithoutTrailingBackslash(path);
    m_keyPath = keyPath;
    HKEY key = nullptr;
    m_result = RegOpenKeyExW(m_key, keyPath, 0, m_readOnly ? KEY_READ : KEY_ALL_ACCESS, &key);
    if (m_result != ERROR_SUCCESS) return false;
    ReplaceKey(key);
    return true;
}

bool CRegistry::WriteString(const wchar_t* valueName, const wchar_t* text)
{
    m_valueName = valueName;
    if (m_readOnly) {
        m_result = ERROR_ACCESS_DENIED;
        return false;
    }
    const wchar_t* data = text ? text : L"";
    m_dataSize = static_cast<DWORD>((wcslen(data) + 1) * sizeof(wchar_t));
    m_result = RegSetValueExW(m_key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), m_dataSize);
    return m_result == ERROR_SUCCESS;
}

DWORD CRegistry::ReadDWORD(const wchar_t* valueName, DWORD defaultValue)
{
    m_valueName = valueName;
    DWORD type = 0;
    DWORD value = 0;
    m_dataSize = sizeof(value);
    m_result = RegQueryValueExW(m_key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &m_dataSize);
    if (m_result != ERROR_SUCCESS || type != REG_DWORD || m_dataSize != sizeof(value)) return defaultValue;
    return value;
}

CString CRegistry::ReadString(const wchar_t* valueName)
{
    m_valueName = valueName;
    DWORD type = 0;
    m_dataSize = 0;
    m_result = RegQueryValueExW(m_key, valueName, nullptr, &type, nullptr, &m_dataSize);
    if (m_result != ERROR_SUCCESS) return CString();
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        m_result = ERROR_INVALID_DATA;
        return CString();
    }
    // One extra character of zeros: a value stored without its terminator still ends.
    std::vector<wchar_t> data((m_dataSize + sizeof(wchar_t) - 1) / sizeof(wchar_t) + 1, L'\0');
    DWORD capacity = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
    m_result = RegQueryValueExW(m_key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &capacity);
    if (m_result != ERROR_SUCCESS) return CString();
    m_dataSize = capacity;
    data[capacity / sizeof(wchar_t)] = L'\0';
    return CString(data.data());
}
