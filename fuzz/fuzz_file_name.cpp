// Feeds arbitrary names to the received-file naming and arbitrary piece sequences to the upload
// tracker: a name that comes out is one safe component, and no piece is written out of order.
#include "sessions/core/ReceivedFileName.h"
#include "sessions/core/UploadPieceTracker.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

void CheckName(const std::u16string& wireName, int number)
{
    const std::u16string name = ReceivedFileName(wireName);
    if (name.empty()) return;
    Check(IsSafeFileName(name) && !IsReservedDeviceName(name) && BaseNameOf(name) == name);
    Check(name.find_first_of(u"\\/:") == std::u16string::npos && name != u"." && name != u"..");
    const std::u16string numbered = NumberedFileName(name, number);
    if (numbered.size() <= kMaxFileNameLength) Check(IsSafeFileName(numbered));
}

void CheckPieces(const uint8_t* data, size_t size)
{
    CUploadPieceTracker tracker;
    uint32_t expected = 0;
    for (size_t i = 0; i + 4 <= size; i += 4) {
        const uint32_t kind = data[i] & 1 ? kUploadTransferKind : data[i];
        const uint32_t count = data[i + 1] % 8;
        const uint32_t number = data[i + 2] % 10;
        const size_t bytes = data[i + 3] == 0xFF ? kFilePieceSize + 1 : data[i + 3];
        const bool wasOpen = tracker.IsOpen();
        const UploadDecision decision = tracker.Accept(kind, count, number, bytes);
        if (decision.step == UploadStep::Append) Check(wasOpen && number == expected);
        if (decision.step == UploadStep::Open) Check(number == 0);
        if (decision.step == UploadStep::Open || decision.step == UploadStep::Append) {
            Check(bytes <= kFilePieceSize);
            Check(tracker.IsOpen() == !decision.closeAfter);
            expected = number + 1;
        }
        if (decision.step == UploadStep::Refuse) Check(!tracker.IsOpen());
        if (decision.step == UploadStep::Ignore) Check(kind != kUploadTransferKind && tracker.IsOpen() == wasOpen);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int number = size > 0 ? 2 + data[0] * 37 % 9998 : 2;
    std::u16string bytewise(data, data + size);
    std::u16string pairs;
    for (size_t i = 0; i + 1 < size; i += 2) pairs += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    CheckName(bytewise, number);
    CheckName(pairs, number);
    CheckPieces(data, size);
    return 0;
}
