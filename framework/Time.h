// CTime: a point in time in whole seconds, read and formatted in local time.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// winbase.h maps GetCurrentTime() to GetTickCount(); the framework's name wins.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

#include "framework/AfxString.h"

#include <ctime>

class CTime {
public:
    CTime() = default;
    explicit CTime(std::time_t time) : m_time(time) {}
    // Local date and time; fields out of range are normalised the way mktime does.
    CTime(int year, int month, int day, int hour, int minute, int second);

    static CTime GetCurrentTime();

    std::time_t GetTime() const { return m_time; }
    int GetYear() const { return LocalFields().tm_year + 1900; }
    int GetMonth() const { return LocalFields().tm_mon + 1; }
    int GetDay() const { return LocalFields().tm_mday; }
    int GetHour() const { return LocalFields().tm_hour; }
    int GetMinute() const { return LocalFields().tm_min; }
    int GetSecond() const { return LocalFields().tm_sec; }
    int GetDayOfWeek() const { return LocalFields().tm_wday + 1; }   // 1 = Sunday

    // strftime-style format ("%Y%m%d", "%H:%M:%S", ...) of the local time.
    CString Format(const wchar_t* format) const;

    bool operator==(const CTime& other) const { return m_time == other.m_time; }
    bool operator!=(const CTime& other) const { return m_time != other.m_time; }
    bool operator<(const CTime& other) const { return m_time < other.m_time; }

private:
    std::tm LocalFields() const;

    std::time_t m_time = 0;
};
