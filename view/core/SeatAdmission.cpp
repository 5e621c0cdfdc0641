#include "view/core/SeatAdmission.h"

#include "foundation/core/Md5.h"
#include "sessions/core/CommandText.h"

std::u16string FreeSeatList(const std::vector<bool>& seatOnline)
{
    std::u16string list;
    for (size_t i = 0; i < seatOnline.size(); ++i) {
        if (seatOnline[i]) continue;
        if (!list.empty()) list += u',';
        list += DecimalText(static_cast<long long>(i) + 1);
    }
    return list;
}

SeatVerdict CheckSeat(const std::u16string& seatText, const std::vector<bool>& seatOnline, size_t& seatIndex)
{
    int seat = 0;
    if (!ParseDecimal(seatText, seat) || seat < 1 || static_cast<size_t>(seat) > seatOnline.size())
        return SeatVerdict::BeyondSeats;
    seatIndex = static_cast<size_t>(seat) - 1;
    return seatOnline[seatIndex] ? SeatVerdict::SeatTaken : SeatVerdict::Admit;
}

std::u16string GreetingPhrase()
{
    const std::u16string first = u"Lumor";
    const std::u16string joint(1, u'a');
    const std::u16string last = u"Student";
    return first + joint + last;
}

std::u16string GreetingDigest()
{
    const std::string bytes = Utf16LeBytes(GreetingPhrase());
    return WidenAscii(Md5Hex(bytes.data(), bytes.size()));
}
