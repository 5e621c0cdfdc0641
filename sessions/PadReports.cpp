#include "sessions/PadReports.h"

#include "foundation/FileUtil.h"
#include "res/resource.h"
#include "sessions/LogInfo.h"
#include "sessions/PCInfo.h"
#include "sessions/core/CommandText.h"
#include "sessions/core/PadPermissions.h"
#include "sessions/core/PadScreenState.h"
#include "sessions/core/StudentMessages.h"

namespace {

const wchar_t* PadStateWordText(PadStateWord word)
{
    switch (word) {
    case PadStateWord::DrmOn: return L"drmon";
    case PadStateWord::DrmOff: return L"drmoff";
    case PadStateWord::LockOn: return L"lockon";
    case PadStateWord::LockOff: return L"lockoff";
    case PadStateWord::ScreenOn: return L"screenon";
    case PadStateWord::ScreenOff: return L"screenoff";
    default: return L"other";
    }
}

} // namespace

bool StoreScreenSize(CPCInfo& slot, const std::u16string& arguments)
{
    ScreenSizeReport report;
    if (!ReadScreenSize(arguments, report))
        return false;
    for (auto& value : slot.m_captureRegion)
        value = 0;
    slot.m_captureRegionActive = 0;
    slot.m_screenWidth = report.width;
    slot.m_screenHeight = report.height;
    slot.m_frameWidth = report.frameWidth;
    slot.m_frameHeight = report.frameHeight;
    return true;
}

void StorePadState(CPCInfo& slot, const std::u16string& arguments)
{
    PadStateReport report;
    if (!ReadPadStateReport(arguments, report))
        return;
    TRACE(L"PC:%d DRM %s\n", slot.m_slotNumber.load(), PadStateWordText(report.word));
    CCriticalSectionLock lock(slot.GetLock());
    PadScreenState state;
    state.drmOn = slot.m_drmOn.load() != 0;
    state.locked = slot.m_locked.load() != 0;
    state.screenOn = slot.m_screenOn.load() != 0;
    state.screenOffReports = slot.m_screenOffReports.load();
    state.foregroundApp = ToU16(slot.GetForegroundApp());
    ApplyPadStateReport(state, report);
    slot.m_drmOn = state.drmOn ? 1 : 0;
    slot.m_locked = state.locked ? 1 : 0;
    slot.m_screenOn = state.screenOn ? 1 : 0;
    slot.m_screenOffReports = state.screenOffReports;
    slot.SetForegroundApp(FromU16(state.foregroundApp));
}

void StorePadPermissions(CPCInfo& slot, const std::u16string& arguments)
{
    const PadPermissionReport report = ReadPadPermissionReport(arguments);
    if (!AppliesToSlot(report, slot.m_clientKind.load()))
        return;
    for (int i = 0; i < kPadPermissionCount; ++i)
        slot.m_permissions[i] = report.flags.on[i] ? 1 : 0;
    const CString permissionText = LoadText(IDS_PERMISSION_NEEDED);
    CCriticalSectionLock lock(slot.GetLock());
    const CString notice = slot.GetNotice();
    switch (PermissionNoticeChange(report.flags, notice.IsEmpty(), notice == permissionText)) {
    case NoticeChange::ShowPermissionNeeded: slot.SetNotice(permissionText); break;
    case NoticeChange::Clear: slot.SetNotice(CString()); break;
    case NoticeChange::Keep: break;
    }
}

void LogPadAppEvent(const CPCInfo& slot, HWND logWindow, const std::u16string& arguments)
{
    PadAppEvent event;
    if (!ReadPadAppEvent(arguments, event))
        return;
    PostLogRecord(logWindow, CLogInfo::MakeAppEnded(slot.m_slotNumber.load(), slot.GetDisplayName(),
                                                    FromU16(event.app), FromU16(event.label),
                                                    FromU16(event.appText)));
}
