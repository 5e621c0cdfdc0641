#include "foundation/core/CaseFold.h"

namespace {

bool InRange(char16_t c, char16_t first, char16_t last)
{
    return c >= first && c <= last;
}

// Latin Extended-A pairs each capital with the small letter after it: even capitals from U+0100
// and U+014A, odd ones from U+0139 and U+0179. U+0130, U+0131, U+0138, U+0149 and U+017F have
// no single partner here.
bool IsLatinExtendedCapital(char16_t c)
{
    if (InRange(c, 0x100, 0x12F) || InRange(c, 0x132, 0x137) || InRange(c, 0x14A, 0x177))
        return c % 2 == 0;
    if (InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E))
        return c % 2 == 1;
    return false;
}

} // namespace

char16_t FoldCase(char16_t c)
{
    if (InRange(c, u'A', u'Z') || (InRange(c, 0xC0, 0xDE) && c != 0xD7) || (InRange(c, 0x391, 0x3AB) && c != 0x3A2)
        || InRange(c, 0x410, 0x42F) || InRange(c, 0xFF21, 0xFF3A))
        return static_cast<char16_t>(c + 0x20);
    if (InRange(c, 0x400, 0x40F))
        return static_cast<char16_t>(c + 0x50);
    if (c == 0x178)
        return 0xFF;
    if (IsLatinExtendedCapital(c))
        return static_cast<char16_t>(c + 1);
    return c;
}

bool EqualsIgnoringCase(const std::u16string& a, const std::u16string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}
