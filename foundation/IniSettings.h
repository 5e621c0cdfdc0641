// The keys of "groupinfo.ini" and "config.ini" that the rest of the console shares, each read
// with its default and reading rule. Every helper takes the file's full path (OpenIniFile).
#pragma once

#include "framework/AfxString.h"
#include "framework/StringArray.h"

// "groupinfo.ini": [default] grouplist holds the group names joined with "$"; each group has a
// section of its own.
CString GetGroupList(const wchar_t* groupPath);
bool SetGroupList(const wchar_t* groupPath, const wchar_t* list);
// Joins the names with "$" between each two; an empty name adds nothing while the text is
// still empty.
CString JoinGroupNames(const CStringArray& names);
bool SaveGroupList(const wchar_t* groupPath, const CStringArray& names);

CString GetGroupSlots(const wchar_t* groupPath, const wchar_t* group);
bool SetGroupSlots(const wchar_t* groupPath, const wchar_t* group, const wchar_t* slots);
CString GetGroupPartRect(const wchar_t* groupPath, const wchar_t* group);
bool SetGroupPartRect(const wchar_t* groupPath, const wchar_t* group, const wchar_t* partRect);
CString GetGroupPerRow(const wchar_t* groupPath, const wchar_t* group);
bool SetGroupPerRow(const wchar_t* groupPath, const wchar_t* group, const wchar_t* perRow);

// "config.ini", section "default".
CString GetPrivateIpSetting(const wchar_t* configPath);
int GetSelectDisplayIp(const wchar_t* configPath);            // empty or missing: 0
int GetAndroidCaptureType(const wchar_t* configPath);         // below 1: 1
bool IsScreenShareButtonEnabled(const wchar_t* configPath);   // exactly "true" only
CString GetEtcProgramList(const wchar_t* configPath);
bool SetEtcProgramList(const wchar_t* configPath, const wchar_t* list);

// "config.ini", section "SCREENSHARE": how many students receive one file at once (below 2: 2).
int GetFileTransferLimit(const wchar_t* configPath);
