// Admission of a student into the seat its hello ("[PC00002]") asks for: the seats offered on
// accept, the check of the asked seat, and the greeting's digest.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The seat numbers (1-based) of the offline seats in seat order, joined by ",".
std::u16string FreeSeatList(const std::vector<bool>& seatOnline);

enum class SeatVerdict {
    Admit,
    BeyondSeats,    // refused with "[KW10000]3," and string 714
    SeatTaken,      // refused with "[KW10000]2," and string 715
};

// The verdict for the seat text of a hello; on Admit, seatIndex is the 0-based index of the
// seat. A seat below 1 or a text that is not a decimal number names no seat and is refused like
// one past the last seat (it would otherwise index before the first slot).
SeatVerdict CheckSeat(const std::u16string& seatText, const std::vector<bool>& seatOnline, size_t& seatIndex);

// The phrase whose digest the greeting carries, built at run time from three pieces of 5, 1 and
// 7 characters; the student agent builds the same one.
std::u16string GreetingPhrase();
// Lower-case hexadecimal MD5 of the phrase's UTF-16LE bytes (32 characters).
std::u16string GreetingDigest();
