#include "sessions/core/PadScreenState.h"

#include "sessions/core/CommandText.h"

#include <vector>

namespace {

constexpr int kScreenOffReportsBeforeOn = 5;

PadStateWord WordOf(const std::u16string& word)
{
    if (word == u"drmon") return PadStateWord::DrmOn;
    if (word == u"drmoff") return PadStateWord::DrmOff;
    if (word == u"lockon") return PadStateWord::LockOn;
    if (word == u"lockoff") return PadStateWord::LockOff;
    if (word == u"screenon") return PadStateWord::ScreenOn;
    if (word == u"screenoff") return PadStateWord::ScreenOff;
    return PadStateWord::Other;
}

void CountReportWhileScreenOff(PadScreenState& state)
{
    if (state.screenOn) return;
    if (state.screenOffReports > kScreenOffReportsBeforeOn) {
        state.screenOn = true;
        state.screenOffReports = 0;
    } else {
        ++state.screenOffReports;
    }
}

} // namespace

bool ReadPadStateReport(const std::u16string& arguments, PadStateReport& report)
{
    std::vector<std::u16string> fields;
    if (SplitFields(arguments, u',', 2, fields) <= 3) return false;
    report.foregroundApp = fields[0];
    report.word = WordOf(fields[1]);
    return true;
}

void ApplyPadStateReport(PadScreenState& state, const PadStateReport& report)
{
    switch (report.word) {
    case PadStateWord::DrmOn:
    case PadStateWord::DrmOff:
        state.foregroundApp = report.foregroundApp;
        state.drmOn = report.word == PadStateWord::DrmOn;
        CountReportWhileScreenOff(state);
        break;
    case PadStateWord::LockOn:
        state.locked = true;
        CountReportWhileScreenOff(state);
        break;
    case PadStateWord::LockOff:
        state.locked = false;
        break;
    case PadStateWord::ScreenOn:
    case PadStateWord::ScreenOff:
        state.screenOn = report.word == PadStateWord::ScreenOn;
        state.screenOffReports = 0;
        break;
    case PadStateWord::Other:
        break;
    }
}

bool IsMessengerApp(const std::u16string& packageName)
{
    return packageName == u"com.kakao.talk";
}
