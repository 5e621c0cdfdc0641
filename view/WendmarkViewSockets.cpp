// Socket notifications of the view's own sockets, and the students' listening socket. The view
// tells its sockets apart by the object each notification names: the login server's answers are
// taken only from the login-server socket, so nothing another peer sends can act as one.
#include "view/WendmarkView.h"

#include "foundation/AppMessages.h"
#include "framework/PostOwned.h"

#include <algorithm>
#include <memory>

LRESULT CWendmarkView::OnSocketAccept(WPARAM socket, LPARAM)
{
    auto* listener = reinterpret_cast<CTCPSocket*>(socket);
    if (listener == &m_studentListener && IsStudentListenerOpen())
        AdmitConnection(m_studentListener);
    return 0;
}

LRESULT CWendmarkView::OnSocketConnect(WPARAM socket, LPARAM error)
{
    if (m_login.IsOwnSocket(socket))
        m_login.OnConnect(static_cast<int>(error));
    return 0;
}

LRESULT CWendmarkView::OnSocketReceive(WPARAM socket, LPARAM)
{
    if (m_login.IsOwnSocket(socket))
        m_login.OnReceive();
    else if (m_remocon.IsOwnSocket(socket))
        m_remocon.OnReceive();
    else
        ReceiveFromPendingConnection(reinterpret_cast<const void*>(socket));
    return 0;
}

LRESULT CWendmarkView::OnSocketClose(WPARAM socket, LPARAM)
{
    if (m_login.IsOwnSocket(socket))
        m_login.OnClose();
    else if (m_remocon.IsOwnSocket(socket))
        m_remocon.OnClose();
    else
        ClosePendingConnection(reinterpret_cast<const void*>(socket));
    return 0;
}

// --- The students' listening socket ---------------------------------------------------------

bool CWendmarkView::OpenStudentListener()
{
    // Never two: a second grant (a reconnect) replaces the socket bound to the old port.
    CloseStudentListener();
    m_studentListener.SetOwner(GetSafeHwnd());
    return m_studentListener.CreateSocket(static_cast<UINT>(_wtoi(m_login.GetStudentPort())), TRUE) != FALSE;
}

void CWendmarkView::CloseStudentListener()
{
    if (!IsStudentListenerOpen())
        return;
    m_studentListener.ShutdownBoth();
    m_studentListener.Close();
}

bool CWendmarkView::IsStudentListenerOpen() const
{
    return m_studentListener.m_hSocket != INVALID_SOCKET;
}

bool CWendmarkView::PostCommandToSlot(CPCInfo& slot, const std::u16string& text)
{
    const DWORD threadId = slot.m_pcThreadId.load();
    if (threadId == 0)
        return false;
    // The thread takes the text as a heap array of wide characters and frees it.
    auto heapText = std::make_unique<wchar_t[]>(text.size() + 1);
    std::copy(text.begin(), text.end(), heapText.get());
    heapText[text.size()] = L'\0';
    if (PostOwnedThreadMessage(threadId, WM_SEND_COMMAND_TEXT, std::move(heapText)))
        return true;
    TRACE(L"slot %d: its thread took no command\n", slot.m_slotNumber.load());
    return false;
}
