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

} // namespace

bool ApplyAddressReport(const std::u16string& entry, const std::u16string& localAddress,
                        std::vector<std::u16string>& list)
{
    std::vector<std::u16string> fields;
    if (entry.size() > kMaxAddressEntryLength || !SplitExactly(entry, 4, fields)) return false;
    if (!SameNetwork(localAddress, fields[1])) return false;
    const std::u16string& key = fields[2];
    if (!key.empty()) {
        for (std::u16string& stored : list) {
            if (stored.find(key) != std::u16string::npos) {
                stored = entry;
                return true;
            }
        }
    }
    if (list.size() >= kMaxAddressEntries) return false;
    list.push_back(entry);
    return true;
}
