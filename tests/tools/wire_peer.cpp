// wire_peer <port>: connects to 127.0.0.1:<port> with the console's own socket and packet classes
// so that the Python codec can check them byte for byte (tests/peers/test_wire_interop.py).
// Every packet received goes back as a copy; "[TEST0001]" is answered with one packet of every
// type built here, in the order the Python test lists them, then "[TEST0002]". Ends with exit
// code 0 when the connection closes, whoever closes it; 2 when it cannot connect.
#include "framework/Afx.h"
#include "framework/AsyncSocket.h"
#include "framework/Wnd.h"
#include "foundation/Packet.h"
#include "foundation/TCPSocket.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Byte i = (i * 7 + seed) & 0xFF, the same on the Python side.
std::vector<BYTE> Pattern(size_t count, int seed)
{
    std::vector<BYTE> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<BYTE>((i * 7 + seed) & 0xFF);
    return bytes;
}

class CWirePeerWnd : public CWnd {
public:
    explicit CWirePeerWnd(CTCPSocket& socket) : m_socket(socket) {}
    int ExitCode() const { return m_exitCode; }

protected:
    afx_msg LRESULT OnSocketConnect(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSocketReceive(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSocketClose(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void SendOwnPackets();
    void SendInputPackets();
    void SendFieldPackets();

    CTCPSocket& m_socket;
    int m_exitCode = 0;
};

BEGIN_MESSAGE_MAP(CWirePeerWnd, CWnd)
    ON_MESSAGE(WM_SOCKET_CONNECT, OnSocketConnect)
    ON_MESSAGE(WM_SOCKET_RECEIVE, OnSocketReceive)
    ON_MESSAGE(WM_SOCKET_CLOSE, OnSocketClose)
END_MESSAGE_MAP()

LRESULT CWirePeerWnd::OnSocketConnect(WPARAM, LPARAM lParam)
{
    if (lParam != 0) {
        std::fprintf(stderr, "wire_peer: connect failed (%ld)\n", static_cast<long>(lParam));
        m_exitCode = 2;
        PostQuitMessage(m_exitCode);
    }
    return 0;
}

LRESULT CWirePeerWnd::OnSocketReceive(WPARAM, LPARAM)
{
    CPacket packet;
    if (!m_socket.ReceivePacket(packet))
        return 0;  // the socket is closed; WM_SOCKET_CLOSE ends the run
    if (packet.m_type == 1 && packet.m_text == L"[TEST0001]") {
        SendOwnPackets();
        return 0;
    }
    CPacket echo(packet);
    m_socket.SendPacket(echo);
    return 0;
}

LRESULT CWirePeerWnd::OnSocketClose(WPARAM, LPARAM)
{
    PostQuitMessage(m_exitCode);
    return 0;
}

void CWirePeerWnd::SendOwnPackets()
{
    CPacket text(CString(L"[TEST0003]\uD55C\uAE00&comma;\uC2DC\uD5D8"));
    CPacket empty((CString()));
    CPacket value(4321u);
    const std::vector<BYTE> tiles = Pattern(1000, 1);
    CPacket block(tiles.data(), 3000, static_cast<UINT>(tiles.size()), 77);
    const std::vector<BYTE> file = Pattern(300, 2);
    CPacket piece(3, 5, 2, CString(L"\uBCF4\uACE0\uC11C.txt"), file.data(),
                  static_cast<UINT>(file.size()));
    for (CPacket* packet : {&text, &empty, &value, &block, &piece})
        m_socket.SendPacket(*packet);
    SendInputPackets();
    SendFieldPackets();
    CPacket done(CString(L"[TEST0002]"));
    m_socket.SendPacket(done);
}

void CWirePeerWnd::SendInputPackets()
{
    CPacket keys(std::vector<KeyEntry>{{0x100, 0x41, 1, 0x001E0001}, {0x101, 0x41, 1, 0xC01E0001}});
    CPacket mice(std::vector<MouseEntry>{{0x20A, 8, -5, 700, -120}, {0x201, 4, 0, -1, 0}});
    m_socket.SendPacket(keys);
    m_socket.SendPacket(mice);
}

// The types the console only receives have no constructor: their fields are set directly.
void CWirePeerWnd::SendFieldPackets()
{
    CPacket format;
    format.m_type = 2;
    format.m_screenWidth = 1920;
    format.m_screenHeight = 1080;
    format.m_bitsPerPixel = 32;
    m_socket.SendPacket(format);

    CPacket record;
    record.m_type = 3;
    const UINT values[5] = {1, 2, 3, 4, 0xFFFFFFFF};
    const WORD shorts[4] = {5, 6, 7, 0xFFFF};
    std::copy(values, values + 5, record.m_recordValues);
    std::copy(shorts, shorts + 4, record.m_recordShorts);
    record.m_recordA = {'a', 'b'};
    record.m_recordB = {'x', 'y', 'z'};
    m_socket.SendPacket(record);

    const std::vector<BYTE> picture = Pattern(500, 3);
    CPacket image;
    image.m_type = 7;
    image.m_valueA = 1;
    image.m_valueB = 2;
    image.m_valueC = 3;
    image.m_valueD = 4;
    image.m_valueE = 0;
    image.m_value = 9;
    image.m_valueF = 7;
    image.m_rect = RECT{-1, 0, 1024, 768};
    image.m_valueG = 99;
    image.m_image = picture.data();
    image.m_imageLength = static_cast<UINT>(picture.size());
    m_socket.SendPacket(image);

    // Value E non-zero: value G stays off the wire.
    const std::vector<BYTE> thumbnail = Pattern(64, 4);
    image.m_valueE = 5;
    image.m_value = 10;
    image.m_rect = RECT{0, -768, 1024, 0};
    image.m_valueG = 1234;
    image.m_image = thumbnail.data();
    image.m_imageLength = static_cast<UINT>(thumbnail.size());
    m_socket.SendPacket(image);

    const std::vector<BYTE> lead = Pattern(10, 5);
    CPacket leadBlock;
    leadBlock.m_type = 8;
    leadBlock.m_leadingValue = 0x11223344;
    leadBlock.m_rawSize = 10;
    leadBlock.m_sequence = 3;
    leadBlock.m_data = lead.data();
    leadBlock.m_dataLength = static_cast<UINT>(lead.size());
    m_socket.SendPacket(leadBlock);

    const std::vector<BYTE> samples = Pattern(256, 6);
    CPacket sound;
    sound.m_type = 11;
    sound.m_rawSize = 0xABCD;
    sound.m_data = samples.data();
    sound.m_dataLength = static_cast<UINT>(samples.size());
    m_socket.SendPacket(sound);
}

} // namespace

int main(int argc, char** argv)
{
    const int port = argc == 2 ? std::atoi(argv[1]) : 0;
    if (port <= 0 || port > 65535) {
        std::fprintf(stderr, "usage: wire_peer <port>\n");
        return 1;
    }
    if (!AfxSocketInit()) {
        std::fprintf(stderr, "wire_peer: no Winsock\n");
        return 1;
    }
    CTCPSocket socket;
    CWirePeerWnd window(socket);
    if (!window.CreateMessageWindow(L"wire_peer") || !socket.CreateSocket(0, FALSE)) {
        std::fprintf(stderr, "wire_peer: cannot create the window or the socket\n");
        return 1;
    }
    socket.SetOwner(window.GetSafeHwnd());
    if (!socket.Connect(L"127.0.0.1", static_cast<UINT>(port)) &&
        CAsyncSocket::GetLastError() != WSAEWOULDBLOCK) {
        std::fprintf(stderr, "wire_peer: connect failed (%d)\n", CAsyncSocket::GetLastError());
        return 2;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    socket.Close();
    window.DestroyWindow();
    return window.ExitCode();
}
