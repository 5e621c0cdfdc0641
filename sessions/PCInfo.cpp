#include "sessions/PCInfo.h"

#include "sessions/core/PadPermissions.h"
#include "sessions/core/PadScreenState.h"

IMPLEMENT_DYNAMIC(CPCInfo, CObject)


CPCInfo::CPCInfo()
{
    m_version = L"0";
    for (CString& text : m_announcementTexts)
        text = L"Reserved";
}

CPCInfo::~CPCInfo() = default;

void CPCInfo::SetOnline(int connectionId)
{
    CCriticalSectionLock lock(m_lock);
    m_connectionId = connectionId;
}

bool CPCInfo::MarkOffline(int connectionId)
{
    CCriticalSectionLock lock(m_lock);
    if (connectionId == -1 || m_connectionId.load() != connectionId)
        return false;
    m_connectionId = -1;
    return true;
}

void CPCInfo::MarkOffline()
{
    CCriticalSectionLock lock(m_lock);
    m_connectionId = -1;
}

#define LOCKED_STRING_ACCESSORS(Name, member)                 \
    CString CPCInfo::Get##Name() const                        \
    {                                                         \
        CCriticalSectionLock lock(m_lock);                    \
        return member;                                        \
    }                                                         \
    void CPCInfo::Set##Name(const CString& value)             \
    {                                                         \
        CCriticalSectionLock lock(m_lock);                    \
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
    CCriticalSectionLock lock(m_lock);
    return m_announcementTexts[index];
}

void CPCInfo::SetAnnouncementText(int index, const CString& text)
{
    if (index < 0 || index >= 3)
        return;
    CCriticalSectionLock lock(m_lock);
    m_announcementTexts[index] = text;
}

CString CPCInfo::GetQuizAnswer() const
{
    CCriticalSectionLock lock(m_lock);
    return m_quizAnswer;
}

bool CPCInfo::StoreQuizAnswer(const CString& answer)
{
    CCriticalSectionLock lock(m_lock);
    m_quizAnswer = answer;
    const bool first = !m_quizAnswered;
    m_quizAnswered = true;
    return first;
}

bool CPCInfo::HasQuizAnswer() const
{
    CCriticalSectionLock lock(m_lock);
    return m_quizAnswered;
}

void CPCInfo::ClearQuizAnswer()
{
    CCriticalSectionLock lock(m_lock);
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
