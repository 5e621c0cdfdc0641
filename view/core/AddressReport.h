// The students' address entries ("[PC00014]", four comma-separated fields), kept by the view when
// the student is on the teacher's own network.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A student adds entries at will, so the list and each entry have a bound.
constexpr size_t kMaxAddressEntries = 1000;
constexpr size_t kMaxAddressEntryLength = 512;

// When the entry has exactly four fields and its field 1 agrees with the local address up to
// the last "." of each (same first three octets, compared as text; an address without a "." has
// no network part and matches nothing), the first stored entry that contains field 2 is replaced
// by the entry, or the entry is appended when none does (an empty field 2 is in no entry).
// False when the list is unchanged.
bool ApplyAddressReport(const std::u16string& entry, const std::u16string& localAddress,
                        std::vector<std::u16string>& list);
