#include "framework/AsyncSocket.h"
#include "framework/WinThread.h"

#include "framework/LoopbackPair.h"
#include "framework/PumpUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

class CRecordingSocket : public CAsyncSocket {
public:
    explicit CRecordingSocket(bool* deleted = nullptr) : m_deleted(deleted) {}
    ~CRecordingSocket() override
    {
        if (m_deleted)
            *m_deleted = true;
    }

    std::atomic<int> m_receives{0};
    std::atomic<int> m_accepts{0};
    std::atomic<int> m_connects{0};
    std::atomic<int> m_closes{0};
    int m_connectError = -1;
    DWORD m_receiveThread = 0;
    std::string m_data;
    HANDLE m_receivedEvent = nullptr;
    bool m_deleteOnReceive = false;
    CRecordingSocket* m_acceptInto = nullptr;

    void OnReceive(int errorCode) override
    {
        m_receiveThread = GetCurrentThreadId();
        char buffer[256];
        const int got = Receive(buffer, sizeof(buffer));
        if (got > 0)
            m_data.append(buffer, static_cast<size_t>(got));
        ++m_receives;
        if (m_receivedEvent)
            SetEvent(m_receivedEvent);
        if (m_deleteOnReceive)
            delete this;
    }
    void OnAccept(int errorCode) override
    {
        ++m_accepts;
        if (m_acceptInto)
            Accept(*m_acceptInto);
    }
    void OnConnect(int errorCode) override
    {
        m_connectError = errorCode;
        ++m_connects;
    }
    void OnClose(int errorCode) override { ++m_closes; }

private:
    bool* m_deleted;
};

const UINT WM_TEST_ATTACH = WM_APP + 90;

// Attaches a socket handle posted to it; its socket's notifications must arrive here.
class CSocketThread : public CWinThread {
public:
    CSocketThread() { m_bAutoDelete = FALSE; }
    CRecordingSocket m_socket;
    HANDLE m_receivedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~CSocketThread() override { CloseHandle(m_receivedEvent); }

    BOOL InitInstance() override { return AfxSocketInit(); }
    int ExitInstance() override
    {
        m_socket.Close();
        return CWinThread::ExitInstance();
    }
    afx_msg void OnAttach(WPARAM wParam, LPARAM)
    {
        m_socket.m_receivedEvent = m_receivedEvent;
        m_socket.Attach(static_cast<SOCKET>(wParam));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSocketThread, CWinThread)
    ON_THREAD_MESSAGE(WM_TEST_ATTACH, OnAttach)
END_MESSAGE_MAP()

} // namespace

TEST(AsyncSocketTest, AcceptConnectReceiveAndCloseAreNotified)
{
    ASSERT_TRUE(AfxSocketInit());
    CRecordingSocket accepted;
    CRecordingSocket listener;
    listener.m_acceptInto = &accepted;
    ASSERT_TRUE(listener.Create(0, SOCK_STREAM, CAsyncSocket::kAllEvents, L"127.0.0.1"));
    ASSERT_TRUE(listener.Listen());
    CString address;
    UINT port = 0;
    ASSERT_TRUE(listener.GetSockName(address, port));
    EXPECT_EQ(address, L"127.0.0.1");

    CRecordingSocket client;
    ASSERT_TRUE(client.Create());
    if (!client.Connect(L"127.0.0.1", port)) {
        ASSERT_EQ(CAsyncSocket::GetLastError(), WSAEWOULDBLOCK);
    }
    ASSERT_TRUE(PumpUntil([&] { return accepted.m_hSocket != INVALID_SOCKET && client.m_connects > 0; }));
    EXPECT_EQ(client.m_connectError, 0);
    EXPECT_EQ(CAsyncSocket::FromHandle(accepted.m_hSocket), &accepted);

    UINT peerPort = 0;
    ASSERT_TRUE(accepted.GetPeerName(address, peerPort));
    UINT clientPort = 0;
    ASSERT_TRUE(client.GetSockName(address, clientPort));
    EXPECT_EQ(peerPort, clientPort);

    ASSERT_EQ(accepted.Send("hello", 5), 5);
    ASSERT_TRUE(PumpUntil([&] { return client.m_data == "hello"; }));

    client.Close();
    ASSERT_TRUE(PumpUntil([&] { return accepted.m_closes > 0; }));
}

TEST(AsyncSocketTest, AttachingOnAnotherThreadMovesTheNotificationsThere)
{
    LoopbackPair pair;
    ASSERT_TRUE(pair.Ok());
    CRecordingSocket here;
    ASSERT_TRUE(here.Attach(pair.TakeServer()));
    const SOCKET handle = here.Detach();
    ASSERT_NE(handle, INVALID_SOCKET);
    EXPECT_EQ(here.m_hSocket, INVALID_SOCKET);

    CSocketThread* thread = AfxBeginThread<CSocketThread>();
    ASSERT_NE(thread, nullptr);
    ASSERT_TRUE(thread->PostThreadMessage(WM_TEST_ATTACH, static_cast<WPARAM>(handle), 0));
    ASSERT_TRUE(pair.ClientSends("moved"));
    ASSERT_EQ(WaitForSingleObject(thread->m_receivedEvent, 20000), WAIT_OBJECT_0);
    EXPECT_EQ(thread->m_socket.m_receiveThread, thread->m_nThreadID);
    EXPECT_EQ(thread->m_socket.m_data, "moved");
    PumpPending();
    EXPECT_EQ(here.m_receives, 0);

    thread->PostThreadMessage(WM_QUIT, 0, 0);
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 20000), WAIT_OBJECT_0);
    delete thread;
}

TEST(AsyncSocketTest, NotificationsQueuedBeforeADetachAreDropped)
{
    LoopbackPair pair;
    ASSERT_TRUE(pair.Ok());
    CRecordingSocket first;
    ASSERT_TRUE(first.Attach(pair.TakeServer()));
    PumpPending();
    ASSERT_TRUE(pair.ClientSends("x"));
    ASSERT_TRUE(WaitForPostedMessage());   // the read notification is queued, not dispatched

    const SOCKET handle = first.Detach();
    CRecordingSocket second;
    ASSERT_TRUE(second.Attach(handle));
    ASSERT_TRUE(PumpUntil([&] { return second.m_receives > 0; }));
    EXPECT_EQ(first.m_receives, 0);
    EXPECT_EQ(second.m_data, "x");
}

TEST(AsyncSocketTest, AReattachedSocketGetsItsCloseNotificationOnce)
{
    LoopbackPair pair;
    ASSERT_TRUE(pair.Ok());
    CRecordingSocket first;
    ASSERT_TRUE(first.Attach(pair.TakeServer()));
    PumpPending();
    pair.CloseClient();
    ASSERT_TRUE(WaitForPostedMessage());   // the close notification of the first attachment

    // Winsock reports the close again to the new attachment; the queued one is stale.
    CRecordingSocket second;
    ASSERT_TRUE(second.Attach(first.Detach()));
    ASSERT_TRUE(PumpUntil([&] { return second.m_closes > 0; }));
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(first.m_closes, 0);
    EXPECT_EQ(second.m_closes, 1);
}

TEST(AsyncSocketTest, NotificationsQueuedBeforeACloseNeverReachALaterSocket)
{
    LoopbackPair pair;
    ASSERT_TRUE(pair.Ok());
    CRecordingSocket first;
    ASSERT_TRUE(first.Attach(pair.TakeServer()));
    PumpPending();
    ASSERT_TRUE(pair.ClientSends("x"));
    pair.CloseClient();
    ASSERT_TRUE(WaitForPostedMessage());
    first.Close();

    // A new socket often gets the handle value just freed; the queued read and close
    // notifications of the old one must not reach it.
    CRecordingSocket later;
    ASSERT_TRUE(later.Create());
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(first.m_receives + first.m_closes, 0);
    EXPECT_EQ(later.m_receives + later.m_closes, 0);
}

TEST(AsyncSocketTest, AHandlerMayDeleteItsSocket)
{
    LoopbackPair pair;
    ASSERT_TRUE(pair.Ok());
    bool deleted = false;
    CRecordingSocket* socket = new CRecordingSocket(&deleted);
    socket->m_deleteOnReceive = true;
    ASSERT_TRUE(socket->Attach(pair.TakeServer()));
    ASSERT_TRUE(pair.ClientSends("bye"));
    pair.CloseClient();   // a close notification follows the read one
    ASSERT_TRUE(PumpUntil([&] { return deleted; }));
    PumpUntil([] { return false; }, 500);   // the close notification finds no socket
}
