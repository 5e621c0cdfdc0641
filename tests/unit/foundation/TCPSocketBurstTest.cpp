// Bursts: several packets, or several connections, arrive before the owner has handled the first
// one. Every owner reads one packet per receive message and accepts one connection per accept
// message, so each further one must be announced again without any new data or connection.
#include "foundation/TCPSocket.h"

#include "foundation/Packet.h"

#include "framework/LoopbackPair.h"
#include "framework/PumpUntil.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace {

class CBurstOwnerWnd : public CWnd {
public:
    std::vector<CString> m_texts;
    std::vector<std::unique_ptr<CTCPSocket>> m_accepted;
    int m_failedReads = 0;

    afx_msg LRESULT OnSocketAccept(WPARAM wParam, LPARAM)
    {
        auto connection = std::make_unique<CTCPSocket>();
        if (reinterpret_cast<CTCPSocket*>(wParam)->Accept(*connection)) {
            connection->SetOwner(m_hWnd);
            m_accepted.push_back(std::move(connection));
        }
        return 0;
    }
    afx_msg LRESULT OnSocketReceive(WPARAM wParam, LPARAM)
    {
        CPacket packet;
        if (!reinterpret_cast<CTCPSocket*>(wParam)->ReceivePacket(packet))
            ++m_failedReads;
        else if (packet.m_type == 1)
            m_texts.push_back(packet.m_text);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBurstOwnerWnd, CWnd)
    ON_MESSAGE(WM_SOCKET_ACCEPT, OnSocketAccept)
    ON_MESSAGE(WM_SOCKET_RECEIVE, OnSocketReceive)
END_MESSAGE_MAP()

void Append(std::vector<uint8_t>& bytes, const CString& text)
{
    std::vector<uint8_t> packet;
    ASSERT_TRUE(CPacket(text).ToBytes(packet));
    bytes.insert(bytes.end(), packet.begin(), packet.end());
}

} // namespace

// A student's three opening packets, sent in one go.
struct BurstConnection {
    LoopbackPair pair;
    CBurstOwnerWnd owner;
    CTCPSocket socket;
    std::vector<uint8_t> bytes;

    BurstConnection()
    {
        EXPECT_TRUE(pair.Ok());
        EXPECT_TRUE(owner.CreateMessageWindow());
        EXPECT_TRUE(socket.Attach(pair.TakeServer()));
        socket.SetOwner(owner.m_hWnd);
        Append(bytes, L"[PC00017]1.0");
        Append(bytes, L"[PC00029]texts");
        Append(bytes, L"[PC00002]1");
    }
    bool PeerSendsBurst()
    {
        const int count = static_cast<int>(bytes.size());
        return send(pair.client, reinterpret_cast<const char*>(bytes.data()), count, 0) == count;
    }
    // The peer now waits for an answer and sends nothing more.
    void ExpectAllThreeRead()
    {
        ASSERT_TRUE(PumpUntil([&] { return owner.m_texts.size() == 3; }, 20000))
            << owner.m_texts.size() << " of 3 packets read";
        EXPECT_EQ(owner.m_texts[0], L"[PC00017]1.0");
        EXPECT_EQ(owner.m_texts[1], L"[PC00029]texts");
        EXPECT_EQ(owner.m_texts[2], L"[PC00002]1");
        PumpUntil([] { return false; }, 300);   // extra announcements find nothing to read
        EXPECT_EQ(owner.m_texts.size(), 3u);
        EXPECT_EQ(owner.m_failedReads, 0);
        EXPECT_NE(socket.m_hSocket, INVALID_SOCKET);
    }
};

TEST(TCPSocketBurstTest, ThreePacketsInOneBurstAreAllReadWithoutFurtherData)
{
    BurstConnection c;
    ASSERT_TRUE(c.PeerSendsBurst());
    c.ExpectAllThreeRead();
}

// The console's greeting is written while the student's packets come in. A write the system
// cannot take at once goes on in blocking mode with notifications off: the packets that arrive
// meanwhile are announced once the write switches them back on.
TEST(TCPSocketBurstTest, ABurstArrivingDuringABlockedPacketWriteIsReadAfterIt)
{
    BurstConnection c;
    // Far more than the connection's buffers hold while the peer reads nothing.
    const UINT size = 8 * 1024 * 1024;
    std::vector<BYTE> picture(size, 0x5A);
    CPacket large(picture.data(), size, size, 1);
    std::vector<uint8_t> wire;
    ASSERT_TRUE(large.ToBytes(wire));
    std::thread peer([&] {
        std::vector<char> buffer(64 * 1024);
        size_t received = 0;
        // The write has begun once its first byte is here; the burst comes while it goes on.
        int got = recv(c.pair.client, buffer.data(), 1, 0);
        if (got <= 0 || !c.PeerSendsBurst())
            return;
        for (received = 1; received < wire.size(); received += static_cast<size_t>(got)) {
            got = recv(c.pair.client, buffer.data(), static_cast<int>(buffer.size()), 0);
            if (got <= 0)
                return;
        }
    });
    const BOOL sent = c.socket.SendPacket(large);
    peer.join();
    ASSERT_TRUE(sent);
    c.ExpectAllThreeRead();
}

TEST(TCPSocketBurstTest, TwentySimultaneousConnectsAreAllAcceptedOnePerMessage)
{
    ASSERT_TRUE(AfxSocketInit());
    CBurstOwnerWnd owner;
    ASSERT_TRUE(owner.CreateMessageWindow());
    CTCPSocket listener;
    ASSERT_TRUE(listener.CreateSocket(0, TRUE));
    listener.SetOwner(owner.m_hWnd);
    CString address;
    UINT port = 0;
    ASSERT_TRUE(listener.GetSockName(address, port));

    // Non-blocking connects, all under way before the first accept message is handled. A
    // connect the backlog has no room for can look complete to the client while the server
    // never sees it again: the client would wait for a greeting forever.
    constexpr int kClients = 20;
    sockaddr_in target = {};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    target.sin_port = htons(static_cast<u_short>(port));
    std::vector<SOCKET> clients;
    for (int i = 0; i < kClients; ++i) {
        SOCKET client = socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_NE(client, INVALID_SOCKET);
        u_long nonBlocking = 1;
        ioctlsocket(client, FIONBIO, &nonBlocking);
        const int result = connect(client, reinterpret_cast<sockaddr*>(&target), sizeof(target));
        EXPECT_TRUE(result == 0 || WSAGetLastError() == WSAEWOULDBLOCK) << WSAGetLastError();
        clients.push_back(client);
    }

    const bool all = PumpUntil([&] { return owner.m_accepted.size() == kClients; }, 30000);
    for (SOCKET client : clients)
        closesocket(client);
    EXPECT_TRUE(all) << owner.m_accepted.size() << " of " << kClients << " accepted";
}
