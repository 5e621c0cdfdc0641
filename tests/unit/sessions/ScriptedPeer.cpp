#include "ScriptedPeer.h"

#include "foundation/core/PacketFields.h"
#include "framework/PumpUntil.h"

#include <cstring>

CScriptedPeer::CScriptedPeer(SOCKET socket) : m_socket(socket), m_event(WSACreateEvent())
{
    WSAEventSelect(m_socket, m_event, FD_READ | FD_WRITE | FD_CLOSE);
}

CScriptedPeer::~CScriptedPeer()
{
    Close();
    WSACloseEvent(m_event);
}

void CScriptedPeer::Close()
{
    if (m_socket != INVALID_SOCKET)
        closesocket(m_socket);
    m_socket = INVALID_SOCKET;
}

bool CScriptedPeer::Wait(DWORD timeoutMs)
{
    const DWORD woken = MsgWaitForMultipleObjects(1, &m_event, FALSE, timeoutMs, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0 + 1) {
        PumpPending();
        return true;
    }
    if (woken != WAIT_OBJECT_0)
        return false;
    WSANETWORKEVENTS events = {};
    WSAEnumNetworkEvents(m_socket, m_event, &events);
    return true;
}

bool CScriptedPeer::Send(const CPacket& packet)
{
    std::vector<uint8_t> bytes;
    if (m_socket == INVALID_SOCKET || !packet.ToBytes(bytes))
        return false;
    size_t sent = 0;
    const DWORD start = GetTickCount();
    while (sent < bytes.size()) {
        const int put = send(m_socket, reinterpret_cast<const char*>(bytes.data() + sent),
                             static_cast<int>(bytes.size() - sent), 0);
        if (put > 0) {
            sent += static_cast<size_t>(put);
            continue;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK || GetTickCount() - start > kTimeoutMs)
            return false;
        Wait(kTimeoutMs);
    }
    return true;
}

bool CScriptedPeer::SendText(const wchar_t* text)
{
    return Send(CPacket(CString(text)));
}

bool CScriptedPeer::TakeBuffered(CPacket& packet, bool& broken)
{
    if (m_buffer.size() < kPacketHeaderSize)
        return false;
    uint32_t bodySize = 0;
    if (!CPacket::CheckHeader(m_buffer.data(), bodySize)) {
        broken = true;
        return false;
    }
    if (m_buffer.size() < kPacketHeaderSize + bodySize)
        return false;
    broken = !packet.LoadBody(m_buffer.data() + kPacketHeaderSize, bodySize);
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + kPacketHeaderSize + bodySize);
    return !broken;
}

bool CScriptedPeer::Receive(CPacket& packet, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        bool broken = false;
        if (TakeBuffered(packet, broken))
            return true;
        if (broken || m_closed)
            return false;
        char chunk[65536];
        const int got = recv(m_socket, chunk, sizeof(chunk), 0);
        if (got > 0) {
            m_buffer.insert(m_buffer.end(), chunk, chunk + got);
            continue;
        }
        if (got == 0 || WSAGetLastError() != WSAEWOULDBLOCK) {
            m_closed = true;
            continue;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        Wait(timeoutMs - elapsed);
    }
}

CString CScriptedPeer::ReceiveText(DWORD timeoutMs)
{
    CPacket packet;
    if (!Receive(packet, timeoutMs) || packet.m_type != 1)
        return CString();
    return packet.m_text;
}

bool CScriptedPeer::RoundTrip()
{
    if (!SendText(L"[PC00003]"))
        return false;
    for (;;) {
        CPacket packet;
        if (!Receive(packet))
            return false;
        if (packet.m_type == 1 && packet.m_text == L"[KW10002]")
            return true;
        m_skipped.push_back(packet.m_type == 1 ? packet.m_text : CString(L"(binary)"));
    }
}

bool CScriptedPeer::WaitClosed(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!m_closed) {
        CPacket packet;
        if (Receive(packet, 0))
            continue;
        if (m_closed)
            break;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        Wait(timeoutMs - elapsed);
    }
    return true;
}

bool WaitPumping(HANDLE handle, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        const DWORD woken = MsgWaitForMultipleObjects(1, &handle, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0)
            return true;
        if (woken != WAIT_OBJECT_0 + 1)
            return false;
        PumpPending();
    }
}
