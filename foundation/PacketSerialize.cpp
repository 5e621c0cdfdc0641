// CPacket::Serialize: one packet on a CTCPSocket that is in blocking mode for the call.
#include "foundation/Packet.h"

#include "foundation/TCPSocket.h"
#include "foundation/core/PacketCodec.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>

namespace {

// A body grows with the bytes that actually arrive, so a length field alone (up to the cap
// CheckHeader enforces) never makes us allocate more than the peer has sent.
constexpr size_t kReceiveStep = 1 << 20;

bool ReceiveExactly(CTCPSocket& socket, uint8_t* buffer, size_t count)
{
    return socket.Receive(buffer, static_cast<int>(count)) == static_cast<int>(count);
}

bool ReceiveBody(CTCPSocket& socket, uint32_t size, std::vector<uint8_t>& body)
{
    body.clear();
    while (body.size() < size) {
        const size_t offset = body.size();
        const size_t step = std::min(kReceiveStep, size - offset);
        body.resize(offset + step);
        if (!ReceiveExactly(socket, body.data() + offset, step))
            return false;
    }
    return true;
}

bool WritePacket(const CPacket& packet, CTCPSocket& socket)
{
    std::vector<uint8_t> bytes;
    if (!packet.ToBytes(bytes))
        return false;   // no layout for the type, too large, or the cipher failed: send nothing
    const int size = static_cast<int>(bytes.size());
    return socket.Send(bytes.data(), size) == size;
}

bool ReadPacket(CPacket& packet, CTCPSocket& socket)
{
    uint8_t header[kPacketHeaderSize];
    // The magic alone first: a stream that starts with anything else is closed without waiting
    // for more bytes.
    if (!ReceiveExactly(socket, header, 4))
        return false;
    uint8_t magic[4];
    MakePacketMagic(header[3], magic);
    if (std::memcmp(magic, header, 3) != 0)
        return false;
    uint32_t bodySize = 0;
    if (!ReceiveExactly(socket, header + 4, 4) || !CPacket::CheckHeader(header, bodySize))
        return false;
    std::vector<uint8_t> body;
    return ReceiveBody(socket, bodySize, body) && packet.LoadBody(body.data(), body.size());
}

} // namespace

bool CPacket::Serialize(CTCPSocket& socket, bool store)
{
    bool done = false;
    try {
        done = store ? WritePacket(*this, socket) : ReadPacket(*this, socket);
    } catch (const std::exception& e) {
        TRACE(L"Packet %s failed: %S\n", store ? L"write" : L"read", e.what());
    }
    if (!done) {
        if (!store)
            Reset();
        socket.CloseAndNotify();
    }
    return done;
}
