#include "foundation/IniSettings.h"

#include "foundation/IniFile.h"

#include <cstdlib>

namespace {

const wchar_t kDefaultSection[] = L"default";

} // namespace

CString GetGroupList(const wchar_t* groupPath)
{
    return IniGetString(kDefaultSection, L"grouplist", L"", groupPath);
}

bool SetGroupList(const wchar_t* groupPath, const wchar_t* list)
{
    return IniSetString(groupPath, kDefaultSection, L"grouplist", list);
}

CString JoinGroupNames(const CStringArray& names)
{
    CString list;
    for (int i = 0; i < names.GetSize(); ++i) {
        if (!list.IsEmpty()) list += L'$';
        list += names[i];
    }
    return list;
}

bool SaveGroupList(const wchar_t* groupPath, const CStringArray& names)
{
    return SetGroupList(groupPath, JoinGroupNames(names));
}

CString GetGroupSlots(const wchar_t* groupPath, const wchar_t* group)
{
    return IniGetString(group, L"slot", L"", groupPath);
}

bool SetGroupSlots(const wchar_t* groupPath, const wchar_t* group, const wchar_t* slots)
{
    return IniSetString(groupPath, group, L"slot", slots);
}

CString GetGroupPartRect(const wchar_t* groupPath, const wchar_t* group)
{
    return IniGetString(group, L"partrect", L"", groupPath);
}

bool SetGroupPartRect(const wchar_t* groupPath, const wchar_t* group, const wchar_t* partRect)
{
    return IniSetString(groupPath, group, L"partrect", partRect);
}

CString GetGroupPerRow(const wchar_t* groupPath, const wchar_t* group)
{
    return IniGetString(group, L"perrow", L"", groupPath);
}

bool SetGroupPerRow(const wchar_t* groupPath, const wchar_t* group, const wchar_t* perRow)
{
    return IniSetString(groupPath, group, L"perrow", perRow);
}

CString GetPrivateIpSetting(const wchar_t* configPath)
{
    return IniGetString(kDefaultSection, L"privateip", L"", configPath);
}

int GetSelectDisplayIp(const wchar_t* configPath)
{
    return _wtoi(IniGetString(kDefaultSection, L"selectdisplayip", L"0", configPath));
}

int GetAndroidCaptureType(const wchar_t* configPath)
{
    int type = _wtoi(IniGetString(kDefaultSection, L"androidcapturetype", L"1", configPath));
    return type < 1 ? 1 : type;
}

bool IsScreenShareButtonEnabled(const wchar_t* configPath)
{
    return IniGetString(kDefaultSection, L"screensharebtnenable", L"false", configPath) == L"true";
}

CString GetEtcProgramList(const wchar_t* configPath)
{
    return IniGetString(kDefaultSection, L"etcprogramlist", L"", configPath);
}

bool SetEtcProgramList(const wchar_t* configPath, const wchar_t* list)
{
    return IniSetString(configPath, kDefaultSection, L"etcprogramlist", list);
}

int GetFileTransferLimit(const wchar_t* configPath)
{
    const int limit = _wtoi(IniGetString(L"SCREENSHARE", L"filetrans", L"6", configPath));
    return limit < 2 ? 2 : limit;
}
