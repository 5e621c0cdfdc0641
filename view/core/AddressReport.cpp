#include "view/core/AddressReport.h"

#include "sessions/core/CommandText.h"

namespace {

bool NetworkPart(const std::u16string& address, std::u16string& part)
{
    size_t dot = address.rfind(u'.');
    if (dot == std::u16string::npos) return false;
    part = address.substr(0, dot);
    return true;
}

bool SameNetwork(const std::u16string& a, const std::u16string& b)
{
    std::u16string partA, partB;
    return NetworkPart(a, partA) && NetworkPart(b, partB) && partA == partB;
}

// Stored entries have four fields: the one reported as field 2 must be equal, not merely found
// in the entry ("10.0.0.1" is not "10.0.0.12").
bool HasKey(const std::u16string& entry, const std::u16string& key)
{
    std::vector<std::u16string> fields;
    return SplitExactly(entry, 4, fields) && fields[2] == key;
}

} // namespace

bool ApplyAddressReport(const std::u16string& entry, const std::u16string& localAddress, int seat,
                        StudentAddressList& list)
{
    std::vector<std::u16string> fields;
    if (entry.size() > kMaxAddressEntryLength || !SplitExactly(entry, 4, fields)) return false;
    if (!SameNetwork(localAddress, fields[1])) return false;
    const std::u16string& key = fields[2];
    const size_t none = list.entries.size();
    size_t keyed = none;
    size_t own = none;
    for (size_t n = 0; n < list.entries.size(); ++n) {
        if (keyed == none && !key.empty() && HasKey(list.entries[n], key))
            keyed = n;
        if (own == none && list.seats[n] == seat)
            own = n;
    }
    const size_t target = keyed != none ? keyed : own;
    if (target == none) {
        if (list.entries.size() >= kMaxAddressEntries) return false;
        list.entries.push_back(entry);
        list.seats.push_back(seat);
        return true;
    }
    list.entries[target] = entry;
    list.seats[target] = seat;
    if (own != none && own != target) {
        list.entries.erase(list.entries.begin() + static_cast<std::ptrdiff_t>(own));
        list.seats.erase(list.seats.begin() + static_cast<std::ptrdiff_t>(own));
    }
    return true;
}
