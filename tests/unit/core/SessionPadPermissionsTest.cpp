#include "sessions/core/PadPermissions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

PadPermissionFlags Flags(bool write, bool usage, bool overlay, bool capture, bool notify)
{
    PadPermissionFlags flags;
    flags.on[kPermissionWrite] = write;
    flags.on[kPermissionUsageStats] = usage;
    flags.on[kPermissionOverlay] = overlay;
    flags.on[kPermissionScreenCapture] = capture;
    flags.on[kPermissionPostNotifications] = notify;
    return flags;
}

TEST(SessionPadPermissionsTest, FlagsAreOnExactlyForTheWordOn)
{
    PadPermissionReport report = ReadPadPermissionReport(
        u"{\"type\":\"android_permission\",\"version\":3,\"permissions\":{\"write\":\"on\",\"usagestats\":\"ON\","
        u"\"overlay\":true,\"screencapture\":\"on\"}}");
    EXPECT_EQ(report.type, "android_permission");
    EXPECT_TRUE(AppliesToSlot(report, 2));
    EXPECT_FALSE(AppliesToSlot(report, 1));
    EXPECT_FALSE(AppliesToSlot(report, 3));
    EXPECT_TRUE(report.flags.on[kPermissionWrite]);
    EXPECT_FALSE(report.flags.on[kPermissionUsageStats]);
    EXPECT_FALSE(report.flags.on[kPermissionOverlay]);
    EXPECT_TRUE(report.flags.on[kPermissionScreenCapture]);
    EXPECT_FALSE(report.flags.on[kPermissionPostNotifications]);    // missing counts as off
}

TEST(SessionPadPermissionsTest, HostileOrBrokenTextsChangeNothingAndNeverThrow)
{
    for (const char16_t* text :
         {u"", u"{", u"not json", u"[1,2]", u"\"text\"", u"{\"type\":5}", u"{\"type\":null}",
          u"{\"type\":\"android_permission\",\"permissions\":[\"on\"]}",
          u"{\"type\":\"android_permission\",\"permissions\":\"on\"}",
          u"{\"type\":\"android_permission\",\"permissions\":{\"write\":{\"on\":1}}}"}) {
        PadPermissionReport report = ReadPadPermissionReport(text);
        for (bool on : report.flags.on) EXPECT_FALSE(on);
    }
    EXPECT_TRUE(ReadPadPermissionReport(u"{\"type\":5}").type.empty());

    // Too long to be a status: refused before parsing.
    std::u16string longText = u"{\"type\":\"android_permission\",\"pad\":\"";
    longText += std::u16string(kMaxPadPermissionText, u'x') + u"\"}";
    EXPECT_TRUE(ReadPadPermissionReport(longText).type.empty());

    // Deep nesting within the length bound parses without running out of stack.
    std::u16string deep(kMaxPadPermissionText / 2, u'[');
    deep += std::u16string(kMaxPadPermissionText / 2, u']');
    EXPECT_TRUE(ReadPadPermissionReport(deep).type.empty());

    // A lone surrogate in a string is carried as U+FFFD.
    std::u16string lone = u"{\"type\":\"android_permission\",\"x\":\"";
    lone += char16_t(0xDC00);
    lone += u"\"}";
    EXPECT_EQ(ReadPadPermissionReport(lone).type, "android_permission");
}

TEST(SessionPadPermissionsTest, NoticeFollowsCapturePermissionOnly)
{
    EXPECT_TRUE(IsCapturePermissionOnly(Flags(0, 0, 0, 1, 0)));
    EXPECT_TRUE(IsCapturePermissionOnly(Flags(1, 1, 0, 1, 1)));
    EXPECT_FALSE(IsCapturePermissionOnly(Flags(1, 1, 1, 1, 1)));
    EXPECT_FALSE(IsCapturePermissionOnly(Flags(1, 1, 1, 0, 1)));

    const PadPermissionFlags needed = Flags(0, 0, 0, 1, 0);
    const PadPermissionFlags granted = Flags(1, 1, 1, 1, 1);
    EXPECT_EQ(PermissionNoticeChange(needed, true, false), NoticeChange::ShowPermissionNeeded);
    EXPECT_EQ(PermissionNoticeChange(needed, false, false), NoticeChange::Keep);    // another notice stays
    EXPECT_EQ(PermissionNoticeChange(granted, false, true), NoticeChange::Clear);
    EXPECT_EQ(PermissionNoticeChange(granted, false, false), NoticeChange::Keep);
}

} // namespace
