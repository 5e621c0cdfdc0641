#include "sessions/LogInfo.h"

#include "foundation/AppMessages.h"
#include "framework/PostOwned.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CLogInfo, CObject)

namespace {

CString FormatResource(UINT id, const CString& argument)
{
    CString format;
    if (!format.LoadString(id))
        return argument;
    CString text;
    text.Format(format, argument.GetString());
    return text;
}

}  // namespace

CLogInfo::CLogInfo()
{
    ::GetLocalTime(&m_time);
}

std::unique_ptr<CLogInfo> CLogInfo::MakeAppEnded(int slotNumber, const CString& studentName,
                                                 const CString& app, const CString& label,
                                                 const CString& appText)
{
    auto record = std::make_unique<CLogInfo>();
    record->m_kind = kAppEnded;
    record->m_slotNumber = slotNumber;
    record->m_studentName = studentName;
    record->m_title = FormatResource(IDS_LOG_APP_ENDED, appText);
    record->m_detail = FormatResource(IDS_LOG_APP_ENDED_DETAIL, appText);
    record->m_content = app;
    record->m_kindText = label;
    return record;
}

std::unique_ptr<CLogInfo> CLogInfo::MakeSlotEnded(int slotNumber, const CString& studentName,
                                                  const CString& content, const CString& kindText)
{
    auto record = std::make_unique<CLogInfo>();
    record->m_kind = kAbnormalEnd;
    record->m_slotNumber = slotNumber;
    record->m_studentName = studentName;
    CString slotText;
    slotText.Format(L"%d(%s)", slotNumber, studentName.GetString());
    record->m_title = FormatResource(IDS_LOG_SLOT_ENDED, slotText);
    record->m_detail = FormatResource(IDS_LOG_SLOT_ENDED_DETAIL, slotText);
    record->m_content = content;
    record->m_kindText = kindText;
    return record;
}

bool PostLogRecord(HWND logWindow, std::unique_ptr<CLogInfo> record)
{
    if (!logWindow) {
        TRACE(L"No log window: \"%s\" dropped\n", record->m_title.GetString());
        return false;
    }
    return PostOwnedInLParam(logWindow, WM_ADD_LOG_RECORD, MessageMarker, std::move(record)) != FALSE;
}
