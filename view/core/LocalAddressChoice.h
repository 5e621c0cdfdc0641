// Which of the teacher PC's IPv4 addresses the console gives the login server (and so the
// students) as its own.
#pragma once

#include <string>
#include <vector>

// In this order: config.ini "privateip" with its blanks removed, unless that leaves nothing or
// "0.0.0.0"; with one address or none, the first address (empty when there is none); the n-th
// address (1-based) when "selectdisplayip" gives an n within the list; else the first.
std::u16string ChooseLocalAddress(const std::u16string& privateIpSetting,
                                  const std::vector<std::u16string>& addresses, int selectDisplayIp);
