#include "sessions/core/PadPermissions.h"

#include "sessions/core/CommandText.h"

#include <nlohmann/json.hpp>

namespace {

const char* const kPermissionKeys[kPadPermissionCount] = {"write", "usagestats", "overlay", "screencapture",
                                                          "postnotifications"};

bool IsOn(const nlohmann::json& permissions, const char* key)
{
    auto member = permissions.find(key);
    return member != permissions.end() && member->is_string() && member->get_ref<const std::string&>() == "on";
}

void ReadFromDocument(const nlohmann::json& document, PadPermissionReport& report)
{
    if (!document.is_object()) return;
    auto type = document.find("type");
    if (type == document.end() || !type->is_string()) return;
    report.type = type->get_ref<const std::string&>();
    auto permissions = document.find("permissions");
    if (permissions == document.end() || !permissions->is_object()) return;
    for (int i = 0; i < kPadPermissionCount; ++i) report.flags.on[i] = IsOn(*permissions, kPermissionKeys[i]);
}

} // namespace

PadPermissionReport ReadPadPermissionReport(const std::u16string& arguments) noexcept
{
    PadPermissionReport report;
    if (arguments.size() > kMaxPadPermissionText) return report;
    try {
        const nlohmann::json document = nlohmann::json::parse(Utf8FromUtf16(arguments), nullptr, false);
        ReadFromDocument(document, report);
    } catch (...) {
        report = PadPermissionReport();
    }
    return report;
}

bool AppliesToSlot(const PadPermissionReport& report, int clientKind)
{
    return report.type == "android_permission" && clientKind == 2;
}

bool IsCapturePermissionOnly(const PadPermissionFlags& flags)
{
    return flags.on[kPermissionScreenCapture] && !(flags.on[kPermissionUsageStats] && flags.on[kPermissionOverlay]);
}

NoticeChange PermissionNoticeChange(const PadPermissionFlags& flags, bool noticeEmpty, bool noticeIsPermissionText)
{
    const bool needed = IsCapturePermissionOnly(flags);
    if (needed && noticeEmpty) return NoticeChange::ShowPermissionNeeded;
    if (!needed && noticeIsPermissionText) return NoticeChange::Clear;
    return NoticeChange::Keep;
}
