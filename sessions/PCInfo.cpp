#include "sessions/PCInfo.h"

#include "sessions/core/PadPermissions.h"
#include "sessions/core/PadScreenState.h"

IMPLEMENT_DYNAMIC(CPCInfo, CObject)


CPCInfo::CPCInfo()
{
    ::InitializeCriticalSection(&m_lock);
    m_version = L"0";
    for (CString& text : m_announcementTexts)
        text = L"Reserved";
}

CPCInfo::~CPCInfo()
{
    ::DeleteCriticalSection(&m_lock);
}

void CPCInfo::SetOnline(int connectionId)
{
    CLock lock(*this);
    m_connectionId = connectionId;
}

bool CPCInfo::MarkOffline(int connectionId)
{
    CLock lock(*this);
    if (connectionId == -1 || m_connectionId.load() != connectionId)
        return false;
    m_connectionId = -1;
    return true;
}

void CPCInfo::MarkOffline()
{
    CLock lock(*this);
    m_connectionId = -1;
}

#define LOCKED_STRING_ACCESSORS(Name, member)                 \
    CString CPCInfo::Get##Name() const                        \
    {                                                         \
        CLock lock(*this);                                    \
        return member;                                        \
    }                                                         \
    void CPCInfo::Set##Name(const CString& value)             \
    {                                                         \
        CLock lock(*this);                                    \
        member = value;                                       \
    }

LOCKED_STRING_ACCESSORS(DisplayName, m_displayName)
LOCKED_STRING_ACCESSORS(Notice, m_notice)
LOCKED_STRING_ACCESSORS(Version, m_version)
LOCKED_STRING_ACCESSORS(ClassText, m_classText)
LOCKED_STRING_ACCESSORS(ForegroundApp, m_foregroundApp)

#undef LOCKED_STRING_ACCESSORS

CString CPCInfo::GetAnnouncementText(int index) const
{
    if (index < 0 || index >= 3)
        return CString();
    CLock lock(*this);
    return m_announcementTexts[index];
}

void CPCInfo::SetAnnouncementText(int index, const CString& text)
{
    if (index < 0 || index >= 3)
        return;
    CLock lock(*this);
    m_announcementTexts[index] = text;
}

CString CPCInfo::GetQuizAnswer() const
{
    CLock lock(*this);
    return m_quizAnswer;
}

bool CPCInfo::StoreQuizAnswer(const CString& answer)
{
    CLock lock(*this);
    m_quizAnswer = answer;
    const bool first = !m_quizAnswered;
    m_quizAnswered = true;
    return first;
}

void CPCInfo::ClearQuizAnswer()
{
    CLock lock(*this);
    m_quizAnswer.Empty();
    m_quizAnswered = false;
}

bool CPCInfo::IsMessengerAppInFront() const
{
    return IsMessengerApp(ToU16(GetForegroundApp()));
}

bool CPCInfo::IsCapturePermissionOnly() const
{
    PadPermissionFlags flags;
    for (int i = 0; i < kSlotPermissionCount; ++i)
        flags.on[i] = m_permissions[i].load() != 0;
    return ::IsCapturePermissionOnly(flags);
}
