#include "sessions/ControlThread.h"

#include "foundation/AppMessages.h"
#include "foundation/Packet.h"
#include "framework/AsyncSocket.h"
#include "framework/PostOwned.h"
#include "res/resource.h"
#include "sessions/CommunicationWnd.h"
#include "sessions/PCInfo.h"
#include "sessions/ScreenDecoder.h"
#include "sessions/core/CommandText.h"

#include <objbase.h>

namespace {

// The client side of the hidden window, as big as the student's screen within what the
// teacher's desktop can hold.
int ClientSide(int student, int limit, bool otherSideTooBig)
{
    if (student <= limit)
        return student + 4;
    return limit + 4 + (otherSideTooBig ? 16 : 0);
}

} // namespace

IMPLEMENT_DYNCREATE(CControlThread, CWinThread)

BEGIN_MESSAGE_MAP(CControlThread, CWinThread)
    ON_THREAD_MESSAGE(WM_THREAD_START, OnGo)
    ON_THREAD_MESSAGE(WM_THREAD_CLOSE, OnCloseSession)
    ON_THREAD_MESSAGE(WM_SEND_COMMAND_TEXT, OnSendCommand)
    ON_THREAD_MESSAGE(WM_SEND_PACKET, OnSendPacket)
END_MESSAGE_MAP()

CControlThread::CControlThread() = default;
CControlThread::~CControlThread() = default;

CControlThread* CControlThread::Start(CPCInfo& slot, SOCKET socket, const RemoteSessionLinks& links,
                                      int refreshDelay, const std::shared_ptr<RemoteSessionStart>& start)
{
    return StartThread(new CControlThread(), slot, socket, links, refreshDelay, start);
}

CControlThread* CControlThread::StartThread(CControlThread* thread, CPCInfo& slot, SOCKET socket,
                                            const RemoteSessionLinks& links, int refreshDelay,
                                            const std::shared_ptr<RemoteSessionStart>& start)
{
    thread->m_slot = &slot;
    thread->m_links = links;
    thread->m_refreshDelay = refreshDelay;
    thread->m_start = start;
    if (!AfxStartThread(thread, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED))
        return nullptr;
    thread->m_socketHandle = socket;
    start->controlThreadId = thread->m_nThreadID;
    slot.m_controlThread = thread;
    // The view's restriction changes reach the session by this id.
    slot.m_controlThreadId = thread->m_nThreadID;
    thread->ResumeThread();
    return thread;
}

BOOL CControlThread::InitInstance()
{
    m_comStarted = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!AfxSocketInit()) {
        CString text;
        if (!text.LoadString(IDS_SOCKETS_INIT_FAILED))
            text = L"Windows sockets initialization failed.";
        ::MessageBoxW(nullptr, text, nullptr, MB_OK | MB_ICONSTOP);
        m_start->control = RemoteSessionStart::kFailed;
        return FALSE;
    }
    std::unique_ptr<CCommunicationWnd> wnd(MakeSessionWindow(*m_slot, m_links, m_nThreadID, m_refreshDelay));
    if (!wnd->CreateHidden(SessionWindowRect())) {
        m_start->control = RemoteSessionStart::kFailed;
        return FALSE;
    }
    m_pMainWnd = wnd.release();   // deleted when its window is destroyed; the thread then ends
    if (!Session()->AttachSocket(m_socketHandle)) {
        m_start->control = RemoteSessionStart::kFailed;
        return FALSE;
    }
    m_socketHandle = INVALID_SOCKET;
    m_start->sessionWindow = Session()->GetSafeHwnd();
    m_start->control = RemoteSessionStart::kReady;
    return TRUE;
}

CCommunicationWnd* CControlThread::MakeSessionWindow(CPCInfo& slot, const RemoteSessionLinks& links, DWORD threadId,
                                                    int refreshDelay)
{
    return new CCommunicationWnd(slot, links, threadId, refreshDelay);
}

CRect CControlThread::SessionWindowRect() const
{
    const int desktopWidth = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int desktopHeight = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int widthLimit = desktopWidth <= 1024 ? 799 : desktopWidth <= 1280 ? 1023 : 1280;
    const int heightLimit = desktopHeight <= 800 ? 599 : desktopHeight <= 1024 ? 799 : 1024;
    const int studentWidth = m_slot->m_screenWidth.load();
    const int studentHeight = m_slot->m_screenHeight.load();
    CRect owner(0, 0, 0, 0);
    if (m_links.mainFrame)
        ::GetWindowRect(m_links.mainFrame, &owner);
    CRect rect(0, 0, ClientSide(studentWidth, widthLimit, studentHeight > heightLimit),
               ClientSide(studentHeight, heightLimit, studentWidth > widthLimit));
    rect.OffsetRect(owner.left + 20, owner.top + 40);
    ::AdjustWindowRect(&rect, WS_CAPTION | WS_SYSMENU, FALSE);
    return rect;
}

int CControlThread::ExitInstance()
{
    if (Session()) {
        if (m_socketHandle != INVALID_SOCKET)
            Session()->DestroyWindow();         // it never held the connection
        else
            Session()->SendMessage(WM_CLOSE);   // hands the connection back
    }
    GiveSocketBack();
    if (const DWORD viewer = m_start->viewThreadId.load())
        AfxPostToRunningThread(viewer, WM_THREAD_CLOSE, 0, 0);
    CWinThread* self = this;
    m_slot->m_controlThread.compare_exchange_strong(self, nullptr);
    DWORD id = m_nThreadID;
    m_slot->m_controlThreadId.compare_exchange_strong(id, 0);
    if (m_comStarted)
        ::CoUninitialize();
    return CWinThread::ExitInstance();
}

// A socket the session window never took goes back the normal way.
void CControlThread::GiveSocketBack()
{
    if (m_socketHandle == INVALID_SOCKET)
        return;
    const SOCKET handle = m_socketHandle;
    m_socketHandle = INVALID_SOCKET;
    if (!m_links.view || !::PostMessageW(m_links.view, WM_SESSION_CLOSED, reinterpret_cast<WPARAM>(m_slot),
                                         static_cast<LPARAM>(handle)))
        ::closesocket(handle);
}

CCommunicationWnd* CControlThread::Session() const
{
    return static_cast<CCommunicationWnd*>(m_pMainWnd);
}

void CControlThread::OnDiscardMessage(const MSG& msg)
{
    if (msg.message == WM_SEND_COMMAND_TEXT)
        AfxTakePosted<wchar_t[]>(msg.wParam);
    else if (msg.message == WM_SEND_PACKET)
        AfxTakePosted<CPacket>(msg.wParam);
}

// Both threads are ready: the frame bitmap takes the student's screen size, then the session
// window links to the view window and starts.
void CControlThread::OnGo(WPARAM, LPARAM)
{
    if (!Session())
        return;
    CScreenDecoder::EnsureFrameBitmap(*m_slot);
    Session()->LinkViewWindow(m_start->viewWindow.load());
    Session()->Start(m_start->input);
}

void CControlThread::OnCloseSession(WPARAM, LPARAM)
{
    if (Session())
        Session()->SendMessage(WM_CLOSE);
    else
        ::PostQuitMessage(0);
}

void CControlThread::OnSendCommand(WPARAM wParam, LPARAM)
{
    std::unique_ptr<wchar_t[]> text = AfxTakePosted<wchar_t[]>(wParam);
    if (text && Session())
        Session()->SendText(ToU16(CString(text.get())));
}

void CControlThread::OnSendPacket(WPARAM wParam, LPARAM)
{
    std::unique_ptr<CPacket> packet = AfxTakePosted<CPacket>(wParam);
    if (packet && Session())
        Session()->SendPacketNow(*packet);
}
