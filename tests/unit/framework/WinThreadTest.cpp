#include "framework/PostOwned.h"
#include "framework/WinThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace {

const UINT WM_TEST_VALUE = WM_APP + 80;
const UINT WM_TEST_OWNED = WM_APP + 81;
const UINT WM_TEST_THROW = WM_APP + 82;
const UINT WM_TEST_MODAL = WM_APP + 83;

// Counts live instances, to see who frees a posted object.
struct Counted {
    static std::atomic<int> s_alive;
    explicit Counted(int v) : value(v) { ++s_alive; }
    ~Counted() { --s_alive; }
    int value;
};
std::atomic<int> Counted::s_alive{0};

class Event {
public:
    Event() : m_handle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(m_handle); }
    void Set() { SetEvent(m_handle); }
    bool Wait(DWORD ms = 20000) { return WaitForSingleObject(m_handle, ms) == WAIT_OBJECT_0; }
    HANDLE m_handle;
};

class CTestThread : public CWinThread {
public:
    CTestThread() { m_bAutoDelete = FALSE; }

    // Set between a suspended start and the resume.
    int m_configured = 0;
    int m_seenInInit = -1;
    WPARAM m_lastWParam = 0;
    LPARAM m_lastLParam = 0;
    int m_values = 0;
    int m_ownedValue = 0;
    DWORD m_handlerThread = 0;
    bool m_runModalLoop = false;
    bool m_makeMainWindow = false;
    Event m_received;

    BOOL InitInstance() override
    {
        m_seenInInit = m_configured;
        if (m_makeMainWindow) {
            m_pMainWnd = new CWnd;
            m_pMainWnd->CreateHiddenWindow(L"thread main window");
        }
        if (m_runModalLoop) {
            // A modal loop inside the thread must still dispatch thread messages.
            while (m_values == 0 && AfxPumpMessage()) {
            }
        }
        return TRUE;
    }
    void OnDiscardMessage(const MSG& msg) override
    {
        if (msg.message == WM_TEST_OWNED)
            AfxTakePosted<Counted>(msg.wParam);
    }

    afx_msg void OnValue(WPARAM wParam, LPARAM lParam)
    {
        m_lastWParam = wParam;
        m_lastLParam = lParam;
        m_handlerThread = GetCurrentThreadId();
        ++m_values;
        m_received.Set();
    }
    afx_msg void OnOwned(WPARAM wParam, LPARAM)
    {
        std::unique_ptr<Counted> object = AfxTakePosted<Counted>(wParam);
        m_ownedValue = object->value;
        m_received.Set();
    }
    afx_msg void OnThrow(WPARAM, LPARAM) { throw std::runtime_error("thread handler failed"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestThread, CWinThread)
    ON_THREAD_MESSAGE(WM_TEST_VALUE, OnValue)
    ON_THREAD_MESSAGE(WM_TEST_OWNED, OnOwned)
    ON_THREAD_MESSAGE(WM_TEST_THROW, OnThrow)
END_MESSAGE_MAP()

void QuitAndJoin(CWinThread* thread)
{
    thread->PostThreadMessage(WM_QUIT, 0, 0);
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 20000), WAIT_OBJECT_0);
    delete thread;
}

} // namespace

TEST(WinThreadTest, AMessagePostedRightAfterTheStartIsReceivedOnTheThread)
{
    for (int i = 0; i < 20; ++i) {
        CTestThread* thread = AfxBeginThread<CTestThread>();
        ASSERT_NE(thread, nullptr);
        ASSERT_TRUE(::PostThreadMessageW(thread->m_nThreadID, WM_TEST_VALUE, 11, 22));
        ASSERT_TRUE(thread->m_received.Wait());
        EXPECT_EQ(thread->m_lastWParam, 11u);
        EXPECT_EQ(thread->m_lastLParam, 22);
        EXPECT_EQ(thread->m_handlerThread, thread->m_nThreadID);
        QuitAndJoin(thread);
    }
}

TEST(WinThreadTest, ASuspendedThreadSeesFieldsSetBeforeItIsResumed)
{
    CTestThread* thread = AfxBeginThread<CTestThread>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    ASSERT_TRUE(thread->PostThreadMessage(WM_TEST_VALUE, 1, 0));   // the queue exists already
    thread->m_configured = 42;
    thread->ResumeThread();
    ASSERT_TRUE(thread->m_received.Wait());
    EXPECT_EQ(thread->m_seenInInit, 42);
    QuitAndJoin(thread);
}

TEST(WinThreadTest, AThrowingHandlerLeavesTheThreadRunning)
{
    CTestThread* thread = AfxBeginThread<CTestThread>();
    ASSERT_NE(thread, nullptr);
    thread->PostThreadMessage(WM_TEST_THROW, 0, 0);
    thread->PostThreadMessage(WM_TEST_VALUE, 5, 0);
    ASSERT_TRUE(thread->m_received.Wait());
    EXPECT_EQ(thread->m_lastWParam, 5u);
    QuitAndJoin(thread);
}

TEST(WinThreadTest, AModalLoopInTheThreadDispatchesThreadMessages)
{
    CTestThread* thread = AfxBeginThread<CTestThread>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_runModalLoop = true;
    thread->ResumeThread();
    thread->PostThreadMessage(WM_TEST_VALUE, 9, 0);
    ASSERT_TRUE(thread->m_received.Wait());
    QuitAndJoin(thread);
}

TEST(WinThreadTest, APostedObjectIsFreedByWhoeverEndsUpOwningIt)
{
    Counted::s_alive = 0;
    CTestThread* thread = AfxBeginThread<CTestThread>();
    ASSERT_NE(thread, nullptr);

    // Delivered: the handler takes and frees it.
    ASSERT_TRUE(PostOwnedThreadMessage(thread->m_nThreadID, WM_TEST_OWNED,
                                       std::make_unique<Counted>(3)));
    ASSERT_TRUE(thread->m_received.Wait());
    EXPECT_EQ(thread->m_ownedValue, 3);

    // Still queued when the thread ends: the thread's discard hook frees it.
    thread->PostThreadMessage(WM_QUIT, 0, 0);
    PostOwnedThreadMessage(thread->m_nThreadID, WM_TEST_OWNED, std::make_unique<Counted>(4));
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 20000), WAIT_OBJECT_0);
    const DWORD endedThreadId = thread->m_nThreadID;
    delete thread;
    EXPECT_EQ(Counted::s_alive, 0);

    // Not posted (no such thread): the sender's unique_ptr frees it.
    EXPECT_FALSE(PostOwnedThreadMessage(endedThreadId, WM_TEST_OWNED, std::make_unique<Counted>(5)));
    EXPECT_EQ(Counted::s_alive, 0);
}

TEST(WinThreadTest, AThreadEndsWhenItsMainWindowIsDestroyed)
{
    CTestThread* thread = AfxBeginThread<CTestThread>(THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_makeMainWindow = true;
    thread->ResumeThread();
    thread->PostThreadMessage(WM_TEST_VALUE, 0, 0);
    ASSERT_TRUE(thread->m_received.Wait());   // InitInstance is done
    CWnd* mainWnd = thread->m_pMainWnd;
    ASSERT_NE(mainWnd, nullptr);
    ASSERT_NE(mainWnd->m_hWnd, nullptr);
    ::PostMessageW(mainWnd->m_hWnd, WM_CLOSE, 0, 0);   // DefWindowProc destroys it
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 20000), WAIT_OBJECT_0);
    EXPECT_EQ(thread->m_pMainWnd, nullptr);
    delete mainWnd;
    delete thread;
}

TEST(WinThreadTest, AWorkerRunsItsFunctionAndDeletesItself)
{
    struct Work {
        Event done;
        DWORD threadId = 0;
    } work;
    CWinThread* thread = AfxBeginThread(
        [](LPVOID param) -> UINT {
            Work* w = static_cast<Work*>(param);
            w->threadId = GetCurrentThreadId();
            w->done.Set();
            return 0;
        },
        &work);
    ASSERT_NE(thread, nullptr);
    ASSERT_TRUE(work.done.Wait());
    EXPECT_NE(work.threadId, GetCurrentThreadId());
}
