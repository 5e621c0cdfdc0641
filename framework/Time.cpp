#include "framework/Time.h"

#include <cwchar>

CTime::CTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    m_time = std::mktime(&fields);
}

CTime CTime::GetCurrentTime()
{
    return CTime(std::time(nullptr));
}

std::tm CTime::LocalFields() const
{
    std::tm fields{};
    std::time_t time = m_time;
    if (localtime_s(&fields, &time) != 0) fields = std::tm{};
    return fields;
}

CString CTime::Format(const wchar_t* format) const
{
    if (!format || !*format) return CString();
    std::tm fields = LocalFields();
    wchar_t text[256];
    size_t length = std::wcsftime(text, sizeof(text) / sizeof(text[0]), format, &fields);
    return CString(text, static_cast<int>(length));
}
