// The checks and arithmetic of the settings, monitoring and layout dialogs, apart from their
// windows.
#pragma once

#include <string>
#include <vector>

// --- The prohibited-program list --------------------------------------------------------------

constexpr size_t kMaxProgramNameLength = 64;
// A joined list longer than this may not be enforced whole by the students.
constexpr size_t kMaxJoinedProgramListLength = 1023;

enum class ProgramNameVerdict {
    Accepted,
    TooLong,        // string 210
    Empty,          // string 204
    Duplicate,      // string 205 (the same name ignoring case is listed)
    BadCharacters,  // a "," or a double quote would split the name on the wire
};
// The name as typed, trimmed by the check; listed are the names the list holds.
ProgramNameVerdict CheckProgramName(const std::u16string& trimmedName, const std::vector<std::u16string>& listed);

// The stored value split at ",", each piece trimmed, blanks and repeats (ignoring case) dropped.
std::vector<std::u16string> ReadProgramList(const std::u16string& stored);
std::u16string JoinProgramList(const std::vector<std::u16string>& names);

// --- The quality slider -----------------------------------------------------------------------

constexpr int kMinQuality = 10;
constexpr int kMaxQuality = 90;

constexpr int kMinRefreshDelay = 100;
constexpr int kMaxRefreshDelay = 9000;

// A stored quality or refresh delay outside the dialog's range is brought into it: the values are
// read from the profile at start, where an old or hand-edited one may lie anywhere.
int ClampQuality(int quality);
int ClampRefreshDelay(int milliseconds);
// The thumb offset of a quality on a track of trackLength pixels (offsets 0 .. trackLength - 1),
// and back: whole-number arithmetic, so every quality comes back as itself and the two ends are
// exactly 10 and 90.
int QualityToOffset(int quality, int trackLength);
int OffsetToQuality(int offset, int trackLength);

// --- The grid layout --------------------------------------------------------------------------

// The larger ratio over the smaller is at most 2.
bool IsAcceptedAspectRatio(int widthRatio, int heightRatio);
