// The pad permission status "[PC00172]" (JSON) and the permission notice it drives.
#pragma once

#include <cstddef>
#include <string>

// In the order of the JSON keys "write", "usagestats", "overlay", "screencapture",
// "postnotifications".
enum PadPermission {
    kPermissionWrite,
    kPermissionUsageStats,
    kPermissionOverlay,
    kPermissionScreenCapture,
    kPermissionPostNotifications,
    kPadPermissionCount
};

struct PadPermissionFlags {
    bool on[kPadPermissionCount] = {};
};

// A status this long is no status a pad sends; it is not parsed at all.
constexpr size_t kMaxPadPermissionText = 16 * 1024;

struct PadPermissionReport {
    std::string type;               // empty when the text is no JSON object with a string "type"
    PadPermissionFlags flags;       // a flag is on exactly when its member of "permissions" is "on"
};

// Never throws: a text that does not parse, is too long or has members of the wrong kind gives
// an empty type and all flags off.
PadPermissionReport ReadPadPermissionReport(const std::u16string& arguments) noexcept;

// Only a pad agent's (client kind 2) report of type "android_permission" changes the slot.
bool AppliesToSlot(const PadPermissionReport& report, int clientKind);

// Screen capture granted while usage statistics and overlay are not both granted.
bool IsCapturePermissionOnly(const PadPermissionFlags& flags);

enum class NoticeChange { Keep, ShowPermissionNeeded, Clear };
// The slot's notice after a report: the permission-needed text appears on an empty notice
// while IsCapturePermissionOnly holds, and goes again once it no longer does.
NoticeChange PermissionNoticeChange(const PadPermissionFlags& flags, bool noticeEmpty,
                                    bool noticeIsPermissionText);
