// CPacket::Serialize: one packet on a CTCPSocket. A write goes out whole with the socket in
// blocking mode for the call; a read is the socket's own: it never waits for the peer.
#include "foundation/Packet.h"

#include "foundation/TCPSocket.h"

#include <exception>

namespace {

bool WritePacket(const CPacket& packet, CTCPSocket& socket)
{
    std::vector<uint8_t> bytes;
    if (!packet.ToBytes(bytes))
        return false;   // no layout for the type, too large, or the cipher failed: send nothing
    const int size = static_cast<int>(bytes.size());
    return socket.Send(bytes.data(), size) == size;
}

} // namespace

bool CPacket::Serialize(CTCPSocket& socket, bool store)
{
    if (!store)
        return socket.ReceivePacket(*this) != FALSE;
    bool done = false;
    try {
        done = WritePacket(*this, socket);
    } catch (const std::exception& e) {
        TRACE(L"Packet write failed: %S\n", e.what());
    }
    if (!done)
        socket.CloseAndNotify();
    return done;
}
