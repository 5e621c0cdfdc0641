#include "foundation/SystemInfo.h"

#include "foundation/MessagePump.h"
#include "foundation/Registry.h"
#include "foundation/StringUtil.h"

#include <iphlpapi.h>
#include <lm.h>
#include <sddl.h>
#include <shlobj.h>
#include <wtsapi32.h>


DWORD g_osPlatformId = 0;
DWORD g_osMajorVersion = 0;
DWORD g_osMinorVersion = 0;

namespace {

const wchar_t kShellFoldersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The adapter list, or an empty buffer when the system gives none.
std::vector<BYTE> QueryAdapters()
{
    std::vector<BYTE> buffer;
    ULONG size = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        ULONG result = GetAdaptersInfo(buffer.empty() ? nullptr : reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
        if (result == ERROR_SUCCESS) return buffer;
        if (result != ERROR_BUFFER_OVERFLOW || size == 0) break;
        buffer.assign(size, 0);
    }
    return std::vector<BYTE>();
}

template <class Visit>
void ForEachAdapter(const std::vector<BYTE>& buffer, Visit visit)
{
    if (buffer.empty()) return;
    for (const IP_ADAPTER_INFO* adapter = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data()); adapter;
         adapter = adapter->Next)
        visit(*adapter);
}

bool IsUsableAddress(const char* text)
{
    return text[0] != '\0' && strcmp(text, "0.0.0.0") != 0;
}

bool AdapterHoldsAddress(const IP_ADAPTER_INFO& adapter, const std::string& address)
{
    for (const IP_ADDR_STRING* entry = &adapter.IpAddressList; entry; entry = entry->Next)
        if (address == entry->IpAddress.String) return true;
    return false;
}

DWORD ActiveSessionId()
{
    WTS_SESSION_INFOW* sessions = nullptr;
    DWORD count = 0;
    DWORD active = WTS_CURRENT_SESSION;
    if (WTSEnumerateSessionsW(WTS_CURRENT_SERVER_HANDLE, 0, 1, &sessions, &count) && sessions) {
        for (DWORD i = 0; i < count && active == WTS_CURRENT_SESSION; ++i)
            if (sessions[i].State == WTSActive) active = sessions[i].SessionId;
        WTSFreeMemory(sessions);
    }
    return active;
}

DWORD ActiveOrOwnSessionId()
{
    DWORD session = ActiveSessionId();
    if (session == WTS_CURRENT_SESSION && !ProcessIdToSessionId(GetCurrentProcessId(), &session)) session = 0;
    return session;
}

CString ProcessOwnerSid(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process) return CString();
    CString sidText;
    HANDLE token = nullptr;
    if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<BYTE> data(size);
        wchar_t* text = nullptr;
        if (size && GetTokenInformation(token, TokenUser, data.data(), size, &size) &&
            ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(data.data())->User.Sid, &text)) {
            sidText = text;
            LocalFree(text);
        }
        CloseHandle(token);
    }
    CloseHandle(process);
    return sidText;
}

CString ReadDesktopValue(HKEY root, const CString& keyPath)
{
    CRegistry registry(root, true);
    if (!registry.OpenKey(keyPath)) return CString();
    return registry.ReadString(L"Desktop");
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<RECT>*>(context)->push_back(info.rcMonitor);
    return TRUE;
}

} // namespace

void GetOSVersion()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    bool haveVersion = GetVersionExW(&version) != FALSE;
    if (haveVersion) g_osPlatformId = version.dwPlatformId;

    WKSTA_INFO_100* info = nullptr;
    if (NetWkstaGetInfo(nullptr, 100, reinterpret_cast<BYTE**>(&info)) == NERR_Success && info) {
        g_osMajorVersion = info->wki100_ver_major;
        g_osMinorVersion = info->wki100_ver_minor;
        NetApiBufferFree(info);
    } else if (haveVersion) {
        g_osMajorVersion = version.dwMajorVersion;
        g_osMinorVersion = version.dwMinorVersion;
    }
}

CString GetLocalIPList(CStringArray& addresses)
{
    addresses.RemoveAll();
    DebugTrace(L"[kw]IP List\n");
    ForEachAdapter(QueryAdapters(), [&](const IP_ADAPTER_INFO& adapter) {
        for (const IP_ADDR_STRING* entry = &adapter.IpAddressList; entry; entry = entry->Next) {
            if (!IsUsableAddress(entry->IpAddress.String)) continue;
            CString address = AnsiToWide(entry->IpAddress.String);
            DebugTrace(L"[kw]%d IP:%s\n", addresses.GetSize(), address.GetString());
            addresses.Add(address);
        }
    });
    return addresses.IsEmpty() ? CString(L"0.0.0.0") : addresses[0];
}

int GetMacAddresses(CStringArray& macs, const wchar_t* address)
{
    macs.RemoveAll();
    const std::string wanted = address && *address ? WideToAnsi(address) : std::string();
    ForEachAdapter(QueryAdapters(), [&](const IP_ADAPTER_INFO& adapter) {
        if (adapter.AddressLength < 6) return;
        if (!wanted.empty() && !AdapterHoldsAddress(adapter, wanted)) return;
        const BYTE* mac = adapter.Address;
        CString text;
        text.Format(L"%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
        macs.Add(text);
    });
    return macs.GetSize();
}

CString GetActiveSessionUserName()
{
    wchar_t* name = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, ActiveSessionId(), WTSUserName, &name, &bytes) || !name)
        return CString();
    CString user(name, static_cast<int>(wcsnlen(name, bytes / sizeof(wchar_t))));
    WTSFreeMemory(name);
    return user;
}

CString GetExplorerUserSid()
{
    const DWORD session = ActiveOrOwnSessionId();
    WTS_PROCESS_INFOW* processes = nullptr;
    DWORD count = 0;
    if (!WTSEnumerateProcessesW(WTS_CURRENT_SERVER_HANDLE, 0, 1, &processes, &count) || !processes) return CString();
    CString sid;
    for (DWORD i = 0; i < count && sid.IsEmpty(); ++i) {
        const WTS_PROCESS_INFOW& process = processes[i];
        if (process.SessionId == session && process.pProcessName && _wcsicmp(process.pProcessName, L"explorer.exe") == 0)
            sid = ProcessOwnerSid(process.ProcessId);
    }
    WTSFreeMemory(processes);
    return sid;
}

CString GetUserDesktopPath()
{
    CString sid = GetExplorerUserSid();
    if (!sid.IsEmpty()) {
        CString desktop = ReadDesktopValue(HKEY_USERS, sid + L"\\" + kShellFoldersKey);
        if (!desktop.IsEmpty()) return desktop;
    }
    CString desktop = ReadDesktopValue(HKEY_CURRENT_USER, kShellFoldersKey);
    if (!desktop.IsEmpty()) return desktop;
    wchar_t folder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, folder))) return folder;
    return CString();
}

int GetMonitorRects(std::vector<RECT>& rects, POINT point)
{
    rects.clear();
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&rects));
    for (size_t i = 0; i < rects.size(); ++i)
        if (PtInRect(&rects[i], point)) return static_cast<int>(i);
    return -1;
}
