// The students' address entries ("[PC00014]", four comma-separated fields), kept by the view when
// the student is on the teacher's own network.
#pragma once

#include "sessions/core/StudentMessages.h"

#include <cstddef>
#include <string>
#include <vector>

// A student sends entries at will, so each entry is bounded, each seat holds at most one entry
// (the student's own address) and the list as a whole is bounded too.
constexpr size_t kMaxAddressEntries = 1000;
constexpr size_t kMaxAddressEntryLength = kMaxAddressReportChars;

// The entries in report order, and the seat that reported each.
struct StudentAddressList {
    std::vector<std::u16string> entries;
    std::vector<int> seats;
};

// When the entry has exactly four fields and its field 1 agrees with the local address up to
// the last "." of each (same first three octets, compared as text; an address without a "." has
// no network part and matches nothing), the first stored entry whose field 2 equals the entry's
// field 2 is replaced by the entry (an empty field 2 matches none); otherwise the seat's own
// earlier entry is, and a seat without one appends it. The replaced entry becomes the seat's,
// and the seat keeps no other. False when the list is unchanged. Linear in the list.
bool ApplyAddressReport(const std::u16string& entry, const std::u16string& localAddress, int seat,
                        StudentAddressList& list);
