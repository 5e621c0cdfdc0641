// Feeds arbitrary bytes to the packet assembler in chunks whose sizes the input chooses. It must
// never take a byte past the packet under way, and a packet it calls whole must be exactly the
// one the whole-buffer decoder finds at the start of the same bytes. Limited as a pending
// connection's is (when the input says so), it takes only text packets up to the limit, and
// refuses any other after its header and type byte, before a byte of its body.
#include "foundation/core/PacketAssembler.h"
#include "foundation/core/PacketCodec.h"

#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t chunk = size_t(data[0] % 17) + 1;
    const bool limited = (data[0] & 0x80) != 0;
    const uint32_t limit = TextPacketLength(uint32_t(data[0] & 0x3F) * 8);
    const uint8_t* stream = data + 1;
    const size_t length = size - 1;
    CPacketAssembler assembler;
    if (limited)
        assembler.Limit(kPacketText, limit);
    size_t taken = 0;
    while (taken < length && !assembler.IsWhole()) {
        size_t room = 0;
        uint8_t* space = assembler.Space(room);
        if (!space)
            break;
        const size_t count = std::min({room, chunk, length - taken});
        std::memcpy(space, stream + taken, count);
        taken += count;
        if (assembler.Commit(count) == CPacketAssembler::State::Refused)
            break;
    }
    if (assembler.GetState() == CPacketAssembler::State::Refused) {
        uint32_t bodySize = 0;
        const bool headerFine = taken >= kPacketHeaderSize && CheckPacketHeader(stream, bodySize);
        if (headerFine && !limited)
            std::abort();
        // Limited: refused on its length alone, or on its type byte before any byte after it.
        if (headerFine && bodySize + 4 <= limit &&
            (taken != kPacketHeaderSize + 1 || stream[kPacketHeaderSize] == kPacketText))
            std::abort();
        return 0;
    }
    if (!assembler.IsWhole())
        return 0;
    if (assembler.ReceivedSize() != taken || assembler.Received() != std::vector<uint8_t>(stream, stream + taken))
        std::abort();
    uint32_t bodySize = 0;
    if (!CheckPacketHeader(stream, bodySize) || kPacketHeaderSize + bodySize != taken)
        std::abort();
    if (limited && (stream[kPacketHeaderSize] != kPacketText || bodySize + 4 > limit))
        std::abort();
    PacketFields whole;
    PacketFields piecewise;
    const bool a = DecodePacket(stream, length, SoftwareTextCipher, whole);
    const bool b = DecodePacketBody(assembler.Body(), assembler.BodySize(), SoftwareTextCipher,
                                    piecewise);
    if (a != b || (a && !SamePacketFields(whole, piecewise)))
        std::abort();
    return 0;
}
