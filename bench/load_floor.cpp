// The floor of bench/load_class.py: the irreducible work of a console serving a class, with
// nothing else. It listens on 127.0.0.1, gives every connection one thread (as the console does),
// greets a student's hello, answers each keep-alive at once and decodes every thumbnail through
// GDI+ into a picture of its own, as the console's student threads do.
//
//     load_floor.exe <thumbnail width> <thumbnail height> <greeting digest>
// prints "port N" once it listens, and serves until it is ended.
#include "framework/Afx.h"

#include "foundation/core/PacketAssembler.h"
#include "foundation/core/PacketCodec.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

int g_width = 200;
int g_height = 150;
std::u16string g_digest;
std::atomic<int> g_nextId{10000};

std::u16string U16(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

bool SendText(SOCKET socket, const std::u16string& text)
{
    PacketFields packet;
    packet.type = kPacketText;
    packet.text = text;
    packet.digest = MakeCommandDigest(text);
    std::vector<uint8_t> bytes;
    if (!EncodePacket(packet, static_cast<uint8_t>(GetTickCount()), SoftwareTextCipher, bytes))
        return false;
    return send(socket, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0) ==
           static_cast<int>(bytes.size());
}

bool ReadPacket(SOCKET socket, CPacketAssembler& assembler)
{
    assembler.Clear();
    while (!assembler.IsWhole()) {
        size_t room = 0;
        uint8_t* space = assembler.Space(room);
        const int got = recv(socket, reinterpret_cast<char*>(space), static_cast<int>(room), 0);
        if (got <= 0 || assembler.Commit(static_cast<size_t>(got)) == CPacketAssembler::State::Refused)
            return false;
    }
    return true;
}

void DrawThumbnail(const ByteSpan& jpeg, Gdiplus::Bitmap& picture)
{
    IStream* stream = SHCreateMemStream(jpeg.data, jpeg.size);
    if (!stream)
        return;
    {
        Gdiplus::Bitmap image(stream);
        if (image.GetLastStatus() == Gdiplus::Ok) {
            Gdiplus::Graphics graphics(&picture);
            graphics.DrawImage(&image, 0, 0);
        }
    }
    stream->Release();
}

void Serve(SOCKET socket)
{
    const int id = ++g_nextId;
    Gdiplus::Bitmap picture(g_width, g_height, PixelFormat32bppARGB);
    CPacketAssembler assembler;
    SendText(socket, u"[KW00094]2.0.1.1047");
    std::string seats = "[KW00007]";
    for (int seat = 1; seat <= 300; ++seat)
        seats += (seat > 1 ? "," : "") + std::to_string(seat);
    SendText(socket, U16(seats));
    while (ReadPacket(socket, assembler)) {
        PacketFields packet;
        if (!DecodePacketBody(assembler.Body(), assembler.BodySize(), SoftwareTextCipher, packet))
            break;
        if (packet.type == kPacketImage) {
            DrawThumbnail(packet.image, picture);
        } else if (packet.type == kPacketText && packet.text.compare(0, 9, u"[PC00003]") == 0) {
            SendText(socket, u"[KW10002]");
        } else if (packet.type == kPacketText && packet.text.compare(0, 9, u"[PC00002]") == 0) {
            const std::string greeting = "[KW00001]" + std::to_string(id) + "," + std::to_string(g_width) + "," +
                                         std::to_string(g_height) + ",1000,40,";
            SendText(socket, U16(greeting) + g_digest);
            SendText(socket, u"[KW00094]2.0.1.1047");
        }
    }
    closesocket(socket);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    g_width = atoi(argv[1]);
    g_height = atoi(argv[2]);
    g_digest = U16(argv[3]);
    WSADATA data;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0 || Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(listener, SOMAXCONN) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 1;
    printf("port %d\n", ntohs(address.sin_port));
    fflush(stdout);
    for (;;) {
        SOCKET connection = accept(listener, nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            break;
        const BOOL noDelay = TRUE;
        setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof(noDelay));
        std::thread(Serve, connection).detach();
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
