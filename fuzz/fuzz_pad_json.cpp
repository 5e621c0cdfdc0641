// Feeds arbitrary text to the pad permission reader: it must never throw or crash, and only a
// report with a type can carry a permission.
#include "sessions/core/PadPermissions.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // One unit per byte reaches the JSON structure; pairs reach surrogates and other units.
    std::u16string bytewise(data, data + size);
    std::u16string pairs;
    for (size_t i = 0; i + 1 < size; i += 2) pairs += static_cast<char16_t>(data[i] | data[i + 1] << 8);

    for (const std::u16string& text : {bytewise, pairs}) {
        PadPermissionReport report = ReadPadPermissionReport(text);
        if (report.type.empty())
            for (bool on : report.flags.on)
                if (on) std::abort();
        if (text.size() > kMaxPadPermissionText && !report.type.empty()) std::abort();
        if (AppliesToSlot(report, 2) != (report.type == "android_permission")) std::abort();
        const NoticeChange change = PermissionNoticeChange(report.flags, true, true);
        const NoticeChange expected =
            IsCapturePermissionOnly(report.flags) ? NoticeChange::ShowPermissionNeeded : NoticeChange::Clear;
        if (change != expected) std::abort();
    }
    return 0;
}
