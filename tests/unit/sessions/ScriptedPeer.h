// Test helper: the student's end of a loopback connection, driven by the test. It writes and
// reads whole packets; while it waits it keeps the test thread's messages flowing, so windows
// of the test thread (the fake view) still receive what the student thread posts or sends.
#pragma once

#include "foundation/Packet.h"
#include "framework/Afx.h"

#include <cstdint>
#include <vector>

class CScriptedPeer {
public:
    static constexpr DWORD kTimeoutMs = 20000;

    explicit CScriptedPeer(SOCKET socket);
    ~CScriptedPeer();
    CScriptedPeer(const CScriptedPeer&) = delete;
    CScriptedPeer& operator=(const CScriptedPeer&) = delete;

    bool Send(const CPacket& packet);
    bool SendText(const wchar_t* text);
    // The next packet, or false when the time is up or the connection closed.
    bool Receive(CPacket& packet, DWORD timeoutMs = kTimeoutMs);
    // The next packet's text ("" when it is no text packet or none came).
    CString ReceiveText(DWORD timeoutMs = kTimeoutMs);
    // Sends "[PC00003]" and reads up to the "[KW10002]" that answers it: every packet sent
    // before has been handled by then. Packets read on the way are kept in m_skipped.
    bool RoundTrip();
    // True once the console closed the connection (all unread packets dropped).
    bool WaitClosed(DWORD timeoutMs = kTimeoutMs);
    void Close();

    std::vector<CString> m_skipped;

private:
    bool TakeBuffered(CPacket& packet, bool& broken);
    bool Wait(DWORD timeoutMs);

    SOCKET m_socket;
    WSAEVENT m_event;
    std::vector<uint8_t> m_buffer;
    bool m_closed = false;
};

// Runs the calling thread's messages until the handle is signalled or the time is up.
bool WaitPumping(HANDLE handle, DWORD timeoutMs = CScriptedPeer::kTimeoutMs);
