#include "foundation/WindowsEntries.h"

#include "foundation/Registry.h"
#include "foundation/core/TextLists.h"

#include <vector>

const wchar_t kAppCompatLayersKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

CString MakeFirewallCommand(const wchar_t* exePath, const wchar_t* name)
{
    CString path = exePath ? exePath : L"";
    path.Replace(L"\\", L"\\\\");
    CString command;
    command.Format(L"netsh firewall add allowedprogram \"%s\" \"%s\" ENABLE", path.GetString(), name ? name : L"");
    return command;
}

bool AddFirewallException(const wchar_t* exePath, const wchar_t* name)
{
    CString command = MakeFirewallCommand(exePath, name);
    std::vector<wchar_t> commandLine(command.GetString(), command.GetString() + command.GetLength() + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool SetAppCompatLayer(const wchar_t* exePath, const wchar_t* flag)
{
    if (!exePath || !*exePath || !flag || !*flag) return false;
    CRegistry registry;
    if (!registry.CreateKey(kAppCompatLayersKey)) return false;
    std::wstring layers = registry.ReadString(exePath).Str();
    if (!AddWordFlag(layers, flag)) return true;
    return registry.WriteString(exePath, layers.c_str());
}
