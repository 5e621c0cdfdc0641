#include "view/core/LocalAddressChoice.h"

std::u16string ChooseLocalAddress(const std::u16string& privateIpSetting,
                                  const std::vector<std::u16string>& addresses, int selectDisplayIp)
{
    std::u16string configured;
    for (char16_t ch : privateIpSetting) {
        if (ch != u' ') configured += ch;
    }
    if (!configured.empty() && configured != u"0.0.0.0") return configured;
    if (addresses.empty()) return std::u16string();
    if (addresses.size() > 1 && selectDisplayIp >= 1 && static_cast<size_t>(selectDisplayIp) <= addresses.size())
        return addresses[static_cast<size_t>(selectDisplayIp) - 1];
    return addresses.front();
}
