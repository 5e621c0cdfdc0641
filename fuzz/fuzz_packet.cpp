// Feeds arbitrary bytes to the packet decoder (frame header and body). Whatever decodes must
// encode again and decode to the same fields.
#include "foundation/core/PacketCodec.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PacketFields packet;
    if (!DecodePacket(data, size, SoftwareTextCipher, packet)) {
        if (packet.type != 0)
            std::abort();
        return 0;
    }
    std::vector<uint8_t> again;
    if (!EncodePacket(packet, data[3], SoftwareTextCipher, again))
        std::abort();
    PacketFields second;
    if (!DecodePacket(again.data(), again.size(), SoftwareTextCipher, second) ||
        !SamePacketFields(packet, second))
        std::abort();
    return 0;
}
