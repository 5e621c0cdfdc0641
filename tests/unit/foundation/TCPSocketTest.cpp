#include "foundation/TCPSocket.h"

#include "foundation/Packet.h"
#include "framework/PostOwned.h"
#include "framework/WinThread.h"

#include "framework/LoopbackPair.h"
#include "framework/PumpUntil.h"

#include <gtest/gtest.h>

#include "foundation/core/PacketCodec.h"

#include <memory>
#include <thread>
#include <vector>

namespace {

struct Notice {
    UINT message;
    WPARAM socket;
    LPARAM lParam;
};

// The owner window of the sockets under test: records every notification and, like every owner
// in the console, answers a receive message by reading one packet.
class COwnerWnd : public CWnd {
public:
    std::vector<Notice> m_notices;
    std::vector<CString> m_texts;
    std::vector<std::vector<BYTE>> m_blocks;
    int m_failedReads = 0;
    CTCPSocket* m_acceptInto = nullptr;

    int Count(UINT message) const
    {
        int count = 0;
        for (const Notice& notice : m_notices)
            count += notice.message == message;
        return count;
    }
    const Notice* Find(UINT message) const
    {
        for (const Notice& notice : m_notices)
            if (notice.message == message)
                return &notice;
        return nullptr;
    }

    afx_msg LRESULT OnSocketAccept(WPARAM wParam, LPARAM lParam)
    {
        m_notices.push_back({WM_SOCKET_ACCEPT, wParam, lParam});
        CTCPSocket* listener = reinterpret_cast<CTCPSocket*>(wParam);
        if (m_acceptInto && listener->Accept(*m_acceptInto))
            m_acceptInto->SetOwner(m_hWnd);
        return 0;
    }
    afx_msg LRESULT OnSocketConnect(WPARAM wParam, LPARAM lParam)
    {
        m_notices.push_back({WM_SOCKET_CONNECT, wParam, lParam});
        return 0;
    }
    afx_msg LRESULT OnSocketReceive(WPARAM wParam, LPARAM lParam)
    {
        m_notices.push_back({WM_SOCKET_RECEIVE, wParam, lParam});
        CPacket packet;
        if (!reinterpret_cast<CTCPSocket*>(wParam)->ReceivePacket(packet)) {
            EXPECT_EQ(packet.m_type, 0);
            ++m_failedReads;
        } else if (packet.m_type == 1) {
            m_texts.push_back(packet.m_text);
        } else if (packet.m_type == 12) {
            m_blocks.emplace_back(packet.m_data, packet.m_data + packet.m_dataLength);
        }
        return 0;
    }
    afx_msg LRESULT OnSocketClose(WPARAM wParam, LPARAM lParam)
    {
        m_notices.push_back({WM_SOCKET_CLOSE, wParam, lParam});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    ON_MESSAGE(WM_SOCKET_ACCEPT, OnSocketAccept)
    ON_MESSAGE(WM_SOCKET_CONNECT, OnSocketConnect)
    ON_MESSAGE(WM_SOCKET_RECEIVE, OnSocketReceive)
    ON_MESSAGE(WM_SOCKET_CLOSE, OnSocketClose)
END_MESSAGE_MAP()

std::vector<uint8_t> PacketBytes(const CString& text)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(CPacket(text).ToBytes(bytes));
    return bytes;
}

bool SendRaw(SOCKET socket, const void* bytes, int count)
{
    return send(socket, static_cast<const char*>(bytes), count, 0) == count;
}

// Lets notifications that might still come arrive, to show that they do not.
void PumpAWhile()
{
    PumpUntil([] { return false; }, 500);
}

// The server end of a loopback pair, owned by a fresh window.
struct OwnedConnection {
    LoopbackPair pair;
    COwnerWnd owner;
    CTCPSocket socket;

    OwnedConnection()
    {
        EXPECT_TRUE(pair.Ok());
        EXPECT_TRUE(owner.CreateMessageWindow());
        EXPECT_TRUE(socket.Attach(pair.TakeServer()));
        socket.SetOwner(owner.m_hWnd);
    }
};

const UINT WM_TEST_SEND = WM_APP + 95;

// Sends on its own thread, so a packet larger than the socket buffers can flow while the test
// thread reads it.
class CSenderThread : public CWinThread {
public:
    CSenderThread() { m_bAutoDelete = FALSE; }
    CTCPSocket m_socket;
    SOCKET m_handle = INVALID_SOCKET;
    BOOL m_sent = FALSE;
    HANDLE m_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~CSenderThread() override { CloseHandle(m_done); }

    BOOL InitInstance() override { return AfxSocketInit(); }
    int ExitInstance() override
    {
        m_socket.Close();
        return CWinThread::ExitInstance();
    }
    void OnDiscardMessage(const MSG& msg) override
    {
        if (msg.message == WM_TEST_SEND)
            AfxTakePosted<CPacket>(msg.wParam);
    }
    afx_msg void OnSend(WPARAM wParam, LPARAM)
    {
        std::unique_ptr<CPacket> packet = AfxTakePosted<CPacket>(wParam);
        if (m_socket.m_hSocket == INVALID_SOCKET)
            m_socket.Attach(m_handle);
        CPacket after(CString(L"[KW00050]after"));
        m_sent = m_socket.SendPacket(*packet) && m_socket.SendPacket(after);
        SetEvent(m_done);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSenderThread, CWinThread)
    ON_THREAD_MESSAGE(WM_TEST_SEND, OnSend)
END_MESSAGE_MAP()

UINT UnusedLoopbackPort()
{
    SOCKET probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(probe);
    return ntohs(address.sin_port);
}

} // namespace

TEST(TCPSocketTest, ListeningOnATakenPortReportsFailureAndStaysClear)
{
    ASSERT_TRUE(AfxSocketInit());
    SOCKET taken = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    ASSERT_EQ(bind(taken, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(taken, 1), 0);
    ASSERT_EQ(getsockname(taken, reinterpret_cast<sockaddr*>(&address), &length), 0);

    CTCPSocket listener;
    EXPECT_FALSE(listener.CreateSocket(ntohs(address.sin_port), TRUE));
    const int error = CAsyncSocket::GetLastError();
    EXPECT_TRUE(error == WSAEADDRINUSE || error == WSAEACCES) << error;
    EXPECT_FALSE(listener.IsListening());
    EXPECT_EQ(listener.m_hSocket, INVALID_SOCKET);
    closesocket(taken);

    CTCPSocket free;
    EXPECT_TRUE(free.CreateSocket(0, TRUE));
    EXPECT_TRUE(free.IsListening());
}

TEST(TCPSocketTest, AcceptConnectReceiveAndCloseReachTheOwner)
{
    ASSERT_TRUE(AfxSocketInit());
    COwnerWnd serverOwner;
    COwnerWnd clientOwner;
    ASSERT_TRUE(serverOwner.CreateMessageWindow());
    ASSERT_TRUE(clientOwner.CreateMessageWindow());

    CTCPSocket listener;
    ASSERT_TRUE(listener.Create(0, SOCK_STREAM, CAsyncSocket::kAllEvents, L"127.0.0.1"));
    ASSERT_TRUE(listener.Listen());
    ASSERT_TRUE(listener.AsyncSelect(FD_READ | FD_ACCEPT | FD_CLOSE));
    listener.SetOwner(serverOwner.m_hWnd);
    CString address;
    UINT port = 0;
    ASSERT_TRUE(listener.GetSockName(address, port));
    CTCPSocket accepted;
    serverOwner.m_acceptInto = &accepted;

    CTCPSocket client;
    ASSERT_TRUE(client.CreateSocket(0, FALSE));
    EXPECT_FALSE(client.IsListening());
    client.SetOwner(clientOwner.m_hWnd);
    if (!client.Connect(L"127.0.0.1", port)) {
        ASSERT_EQ(CAsyncSocket::GetLastError(), WSAEWOULDBLOCK);
    }
    ASSERT_TRUE(PumpUntil([&] {
        return clientOwner.Count(WM_SOCKET_CONNECT) == 1 && accepted.m_hSocket != INVALID_SOCKET;
    }));
    EXPECT_EQ(clientOwner.Find(WM_SOCKET_CONNECT)->socket, reinterpret_cast<WPARAM>(&client));
    EXPECT_EQ(clientOwner.Find(WM_SOCKET_CONNECT)->lParam, 0);
    EXPECT_EQ(serverOwner.Find(WM_SOCKET_ACCEPT)->socket, reinterpret_cast<WPARAM>(&listener));

    CPacket command(CString(L"[KW00050]hello"));
    ASSERT_TRUE(client.SendPacket(command));
    ASSERT_TRUE(PumpUntil([&] { return serverOwner.m_texts.size() == 1; }));
    EXPECT_EQ(serverOwner.m_texts[0], L"[KW00050]hello");
    EXPECT_EQ(serverOwner.Find(WM_SOCKET_RECEIVE)->socket, reinterpret_cast<WPARAM>(&accepted));

    // The other way, after the first packet switched the client back to notifications.
    CPacket reply(CString(L"[PC00003]"));
    ASSERT_TRUE(accepted.SendPacket(reply));
    ASSERT_TRUE(PumpUntil([&] { return clientOwner.m_texts.size() == 1; }));
    EXPECT_EQ(clientOwner.m_texts[0], L"[PC00003]");

    client.Close();
    ASSERT_TRUE(PumpUntil([&] { return serverOwner.Count(WM_SOCKET_CLOSE) == 1; }));
    EXPECT_EQ(serverOwner.Find(WM_SOCKET_CLOSE)->socket, reinterpret_cast<WPARAM>(&accepted));
    EXPECT_EQ(accepted.m_hSocket, INVALID_SOCKET);
    EXPECT_EQ(serverOwner.m_failedReads, 0);
}

TEST(TCPSocketTest, ARefusedConnectionReportsItsErrorCode)
{
    ASSERT_TRUE(AfxSocketInit());
    COwnerWnd owner;
    ASSERT_TRUE(owner.CreateMessageWindow());
    CTCPSocket client;
    ASSERT_TRUE(client.CreateSocket(0, FALSE));
    client.SetOwner(owner.m_hWnd);
    client.Connect(L"127.0.0.1", UnusedLoopbackPort());
    ASSERT_TRUE(PumpUntil([&] { return owner.Count(WM_SOCKET_CONNECT) == 1; }));
    EXPECT_EQ(owner.Find(WM_SOCKET_CONNECT)->lParam, WSAECONNREFUSED);
}

TEST(TCPSocketTest, PacketsSentBeforeTheCloseAreReadBeforeTheCloseMessage)
{
    OwnedConnection c;
    std::vector<uint8_t> bytes = PacketBytes(L"[PC00031]");
    const std::vector<uint8_t> second = PacketBytes(L"[PC00003]");
    bytes.insert(bytes.end(), second.begin(), second.end());
    ASSERT_TRUE(SendRaw(c.pair.client, bytes.data(), static_cast<int>(bytes.size())));
    c.pair.CloseClient();
    ASSERT_TRUE(WaitForPostedMessage());

    // Winsock may report the close before the data is read (Wine reports it after): take the
    // close first, as Windows can deliver it.
    c.socket.OnClose(0);
    ASSERT_EQ(c.owner.m_texts.size(), 2u);
    EXPECT_EQ(c.owner.m_texts[0], L"[PC00031]");
    EXPECT_EQ(c.owner.m_texts[1], L"[PC00003]");
    EXPECT_EQ(c.owner.m_notices.back().message, static_cast<UINT>(WM_SOCKET_CLOSE));
    PumpAWhile();   // the queued notifications find the socket closed
    EXPECT_EQ(c.owner.Count(WM_SOCKET_CLOSE), 1);
    EXPECT_EQ(c.owner.m_failedReads, 0);
}

TEST(TCPSocketTest, APeerClosingMidPacketFailsTheReadAndClosesOnce)
{
    OwnedConnection c;
    const std::vector<uint8_t> bytes = PacketBytes(L"[KW00050]cut short");
    ASSERT_TRUE(SendRaw(c.pair.client, bytes.data(), 20));
    c.pair.CloseClient();

    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return c.owner.Count(WM_SOCKET_CLOSE) == 1; }));
    const DWORD elapsed = GetTickCount() - start;
    PumpAWhile();
    EXPECT_EQ(c.owner.m_failedReads, 1);
    EXPECT_EQ(c.owner.Count(WM_SOCKET_CLOSE), 1);
    EXPECT_EQ(c.owner.Find(WM_SOCKET_CLOSE)->socket, reinterpret_cast<WPARAM>(&c.socket));
    EXPECT_EQ(c.socket.m_hSocket, INVALID_SOCKET);
    // The end of the stream is final at once: no retrying, no waiting for a time-out.
    EXPECT_LT(elapsed, 2000u);
}

TEST(TCPSocketTest, AStreamWithoutMagicIsClosedAtOnce)
{
    OwnedConnection c;
    ASSERT_TRUE(SendRaw(c.pair.client, "GET ", 4));   // the peer stays connected
    ASSERT_TRUE(PumpUntil([&] { return c.owner.Count(WM_SOCKET_CLOSE) == 1; }));
    PumpAWhile();
    EXPECT_EQ(c.owner.m_failedReads, 1);
    EXPECT_EQ(c.owner.Count(WM_SOCKET_CLOSE), 1);
}

TEST(TCPSocketTest, AStalledPeerMidPacketTimesOut)
{
    OwnedConnection c;
    const std::vector<uint8_t> bytes = PacketBytes(L"[KW00050]stalled");
    ASSERT_TRUE(SendRaw(c.pair.client, bytes.data(), 20));   // and nothing more

    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return c.owner.Count(WM_SOCKET_CLOSE) == 1; }, 60000));
    const DWORD elapsed = GetTickCount() - start;
    PumpAWhile();
    EXPECT_EQ(c.owner.m_failedReads, 1);
    EXPECT_EQ(c.owner.Count(WM_SOCKET_CLOSE), 1);
    EXPECT_GE(elapsed, CTCPSocket::kPacketTimeoutMs - 1000);
}

TEST(TCPSocketTest, APacketThatCannotBeWrittenClosesTheSocketOnce)
{
    OwnedConnection c;
    CPacket empty;   // type 0 has no wire layout
    EXPECT_FALSE(c.socket.SendPacket(empty));
    EXPECT_EQ(c.socket.m_hSocket, INVALID_SOCKET);
    char byte;
    EXPECT_EQ(recv(c.pair.client, &byte, 1, 0), 0);   // nothing was sent before the close
    CPacket command(CString(L"[KW00050]late"));
    EXPECT_FALSE(c.socket.SendPacket(command));       // closed: nothing happens
    ASSERT_TRUE(PumpUntil([&] { return c.owner.Count(WM_SOCKET_CLOSE) == 1; }));
    PumpAWhile();
    EXPECT_EQ(c.owner.Count(WM_SOCKET_CLOSE), 1);
}

TEST(TCPSocketTest, ASocketWithoutAHandleDoesNothing)
{
    COwnerWnd owner;
    ASSERT_TRUE(owner.CreateMessageWindow());
    CTCPSocket socket;
    socket.SetOwner(owner.m_hWnd);
    CPacket command(CString(L"[KW00050]nowhere"));
    const DWORD start = GetTickCount();
    EXPECT_FALSE(socket.SendPacket(command));
    CPacket received(CString(L"[KW00050]stale"));
    EXPECT_FALSE(socket.ReceivePacket(received));
    EXPECT_EQ(received.m_type, 0);
    socket.CloseAndNotify();
    EXPECT_LT(GetTickCount() - start, 1000u);
    PumpPending();
    EXPECT_TRUE(owner.m_notices.empty());
}

TEST(TCPSocketTest, ASocketWithoutOwnerSendsNoMessages)
{
    OwnedConnection c;
    c.socket.SetOwner(nullptr);
    ASSERT_TRUE(SendRaw(c.pair.client, "XXXX", 4));
    ASSERT_TRUE(WaitForPostedMessage());
    CPacket packet;
    EXPECT_FALSE(c.socket.ReceivePacket(packet));   // read and closed without telling anyone
    EXPECT_EQ(c.socket.m_hSocket, INVALID_SOCKET);

    OwnedConnection peerCloses;
    peerCloses.socket.SetOwner(nullptr);
    peerCloses.pair.CloseClient();
    ASSERT_TRUE(PumpUntil([&] { return peerCloses.socket.m_hSocket == INVALID_SOCKET; }));
    PumpAWhile();
    EXPECT_TRUE(c.owner.m_notices.empty());
    EXPECT_TRUE(peerCloses.owner.m_notices.empty());
}

// Every stretch of a megabyte or more of the address space the system would still hand out,
// reserved while it lives: what a 32-bit console meets once its memory is used up. The smaller
// stretches stay for the system's own needs (under Wine, its Unix side shares the addresses).
class CAddressSpaceFull {
public:
    CAddressSpaceFull()
    {
        m_regions.reserve(4096);
        for (SIZE_T size = 256u << 20; size >= 1024 * 1024; size /= 2) {
            while (m_regions.size() < m_regions.capacity()) {
                void* region = ::VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
                if (!region)
                    break;
                m_regions.push_back(region);
            }
        }
    }
    ~CAddressSpaceFull()
    {
        for (void* region : m_regions)
            ::VirtualFree(region, 0, MEM_RELEASE);
    }
    CAddressSpaceFull(const CAddressSpaceFull&) = delete;
    CAddressSpaceFull& operator=(const CAddressSpaceFull&) = delete;

private:
    std::vector<void*> m_regions;
};

// A student sending a large packet when the console has no room left for it: that connection is
// closed and its owner told, as for any failed read, rather than left open and half read.
TEST(TCPSocketTest, APacketThereIsNoRoomForClosesItsConnection)
{
    if (sizeof(void*) == 8)
        GTEST_SKIP() << "a 64-bit process does not run out of addresses";
    OwnedConnection c;
    std::vector<char> bytes(kPacketHeaderSize + 4 * 1024 * 1024, 0);
    MakePacketMagic(0x21, reinterpret_cast<uint8_t*>(bytes.data()));
    for (int n = 0; n < 4; ++n)
        bytes[4 + n] = static_cast<char>(kMaxPacketLength >> (8 * n));
    bytes[kPacketHeaderSize] = kPacketScreenBlock;
    const SOCKET client = c.pair.client;
    std::thread sender([&bytes, client] {
        for (size_t sent = 0; sent < bytes.size();) {
            const int put = send(client, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
            if (put <= 0)
                return;   // the console closed the connection
            sent += static_cast<size_t>(put);
        }
    });
    bool closed = false;
    {
        CAddressSpaceFull full;
        // At once, not at the time-out of a packet that stays incomplete.
        closed = PumpUntil([&] { return c.owner.Count(WM_SOCKET_CLOSE) == 1; }, CTCPSocket::kPacketTimeoutMs / 3);
    }
    EXPECT_TRUE(closed);
    EXPECT_EQ(c.socket.m_hSocket, INVALID_SOCKET);
    c.socket.Close();   // when it was left open: the sender ends all the same
    sender.join();
}

TEST(TCPSocketTest, AOneMegabytePacketCrossesALoopbackPairIntact)
{
    LoopbackPair pair;
    ASSERT_TRUE(pair.Ok());
    COwnerWnd owner;
    ASSERT_TRUE(owner.CreateMessageWindow());
    CTCPSocket receiver;
    ASSERT_TRUE(receiver.Attach(pair.server));
    pair.server = INVALID_SOCKET;
    receiver.SetOwner(owner.m_hWnd);

    std::vector<BYTE> block(1 << 20);
    for (size_t n = 0; n < block.size(); ++n)
        block[n] = static_cast<BYTE>((n * 131) ^ (n >> 11));
    const UINT size = static_cast<UINT>(block.size());

    CSenderThread* sender = AfxBeginThread<CSenderThread>();
    ASSERT_NE(sender, nullptr);
    sender->m_handle = pair.client;
    pair.client = INVALID_SOCKET;
    ASSERT_TRUE(PostOwnedThreadMessage(sender->m_nThreadID, WM_TEST_SEND,
                                       std::make_unique<CPacket>(block.data(), size, size, 7)));

    ASSERT_TRUE(PumpUntil([&] { return owner.m_blocks.size() == 1 && owner.m_texts.size() == 1; }));
    ASSERT_EQ(WaitForSingleObject(sender->m_done, 20000), WAIT_OBJECT_0);
    EXPECT_TRUE(sender->m_sent);
    EXPECT_TRUE(owner.m_blocks[0] == block);
    EXPECT_EQ(owner.m_texts[0], L"[KW00050]after");
    EXPECT_EQ(owner.m_failedReads, 0);

    sender->PostThreadMessage(WM_QUIT, 0, 0);
    ASSERT_EQ(WaitForSingleObject(sender->m_hThread, 20000), WAIT_OBJECT_0);
    delete sender;
}

// One thread owns many connections (the view owns every pending student): a peer that sends a
// packet a byte at a time and one that stops mid-packet must not hold up the others, and each
// gets its packet whole once its bytes are all there.
TEST(TCPSocketTest, SlowAndStalledSendersCostOnlyTheirOwnConnection)
{
    OwnedConnection slow;
    OwnedConnection stalled;
    OwnedConnection prompt;
    const std::vector<uint8_t> slowBytes = PacketBytes(L"[PC00002]1,kim,0,0,0,0,false,0");
    const std::vector<uint8_t> stalledBytes = PacketBytes(L"[PC00017]1.0.1.1030");
    ASSERT_TRUE(SendRaw(stalled.pair.client, stalledBytes.data(), 11));

    size_t slowSent = 0;
    for (int round = 0; round < 5; ++round) {
        // A few more bytes of the slow packet, then a whole packet on the prompt connection.
        for (int n = 0; n < 3 && slowSent < slowBytes.size(); ++n, ++slowSent)
            ASSERT_TRUE(SendRaw(slow.pair.client, &slowBytes[slowSent], 1));
        CString text;
        text.Format(L"[PC00003]%d", round);
        const std::vector<uint8_t> bytes = PacketBytes(text);
        const DWORD start = GetTickCount();
        ASSERT_TRUE(SendRaw(prompt.pair.client, bytes.data(), static_cast<int>(bytes.size())));
        ASSERT_TRUE(PumpUntil([&] { return prompt.owner.m_texts.size() == size_t(round) + 1; }));
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_EQ(prompt.owner.m_texts.back(), text);
    }
    EXPECT_TRUE(slow.owner.m_texts.empty());
    EXPECT_TRUE(slow.socket.HasPartialPacket());
    ASSERT_TRUE(SendRaw(slow.pair.client, &slowBytes[slowSent],
                        static_cast<int>(slowBytes.size() - slowSent)));
    ASSERT_TRUE(PumpUntil([&] { return slow.owner.m_texts.size() == 1; }));
    EXPECT_EQ(slow.owner.m_texts[0], L"[PC00002]1,kim,0,0,0,0,false,0");
    EXPECT_EQ(slow.owner.Count(WM_SOCKET_CLOSE), 0);
    EXPECT_TRUE(stalled.socket.HasPartialPacket());
    EXPECT_EQ(stalled.owner.Count(WM_SOCKET_CLOSE), 0);
}

// A connection handed to another owner (a student's thread lending its socket to a remote
// session) in the middle of a packet: the new owner reads that packet whole.
TEST(TCPSocketTest, APacketUnderWayCrossesAHandOverIntact)
{
    OwnedConnection first;
    const std::vector<uint8_t> bytes = PacketBytes(L"[PC00019]handed over");
    ASSERT_TRUE(SendRaw(first.pair.client, bytes.data(), 20));
    ASSERT_TRUE(PumpUntil([&] { return first.socket.HasPartialPacket(); }));
    const SOCKET handle = first.socket.Detach();

    COwnerWnd secondOwner;
    ASSERT_TRUE(secondOwner.CreateMessageWindow());
    CTCPSocket second;
    ASSERT_TRUE(second.Attach(handle));
    second.SetOwner(secondOwner.m_hWnd);
    ASSERT_TRUE(SendRaw(first.pair.client, bytes.data() + 20, static_cast<int>(bytes.size() - 20)));
    ASSERT_TRUE(PumpUntil([&] { return secondOwner.m_texts.size() == 1; }));
    EXPECT_EQ(secondOwner.m_texts[0], L"[PC00019]handed over");
    EXPECT_TRUE(first.owner.m_texts.empty());
    EXPECT_EQ(secondOwner.Count(WM_SOCKET_CLOSE), 0);
}
