// bench_remote_input [moves]: how the teacher's mouse reaches the student in a remote session.
// A real control thread with its session window and input pump serves one end of a loopback
// connection; this program queues mouse moves as the view window does and reads the type-5
// packets at the student's end.
// - Delay: one move queued, the time until its packet has arrived, moves far apart. Floor: the
//   same packet written with a bare send() on a second loopback pair and read the same way.
//   Goal: the delay is the floor plus at most one pump tick (a Sleep(1), measured here too).
// - Batching: moves queued every 250 us for a while; records per type-5 packet beside the moves
//   that fall in one measured tick, and every record arrives.
#include "foundation/AppMessages.h"
#include "foundation/core/PacketCodec.h"
#include "framework/AsyncSocket.h"
#include "framework/PostOwned.h"
#include "sessions/ControlThread.h"
#include "sessions/PCInfo.h"
#include "sessions/RemoteSessionStart.h"

#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

bool MakePair(SOCKET& a, SOCKET& b)
{
    SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(listener, 1) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return false;
    a = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (::connect(a, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
        return false;
    b = ::accept(listener, nullptr, nullptr);
    ::closesocket(listener);
    const BOOL on = TRUE;
    ::setsockopt(a, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof(on));
    ::setsockopt(b, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof(on));
    return b != INVALID_SOCKET;
}

bool ReadAll(SOCKET socket, uint8_t* into, size_t count)
{
    while (count > 0) {
        const int got = ::recv(socket, reinterpret_cast<char*>(into), static_cast<int>(count), 0);
        if (got <= 0)
            return false;
        into += got;
        count -= static_cast<size_t>(got);
    }
    return true;
}

// The student's end: every type-5 packet's arrival time and record count.
struct Reader {
    SOCKET socket = INVALID_SOCKET;
    std::atomic<size_t> packets{0};
    std::atomic<size_t> records{0};
    std::vector<Clock::time_point> arrivals = std::vector<Clock::time_point>(1 << 20);

    void Run()
    {
        std::vector<uint8_t> body;
        for (;;) {
            uint8_t header[kPacketHeaderSize];
            uint32_t size = 0;
            if (!ReadAll(socket, header, sizeof(header)) || !CheckPacketHeader(header, size))
                return;
            body.resize(size);
            if (!ReadAll(socket, body.data(), size))
                return;
            PacketFields fields;
            if (!DecodePacketBody(body.data(), body.size(), SoftwareTextCipher, fields) || fields.type != kPacketMice)
                continue;
            const size_t index = packets.load();
            if (index < arrivals.size())
                arrivals[index] = Clock::now();
            records += fields.mice.size();
            packets = index + 1;
        }
    }
};

void WaitFor(const std::atomic<size_t>& value, size_t wanted)
{
    const auto give_up = Clock::now() + std::chrono::seconds(5);
    while (value.load() < wanted && Clock::now() < give_up)
        std::this_thread::yield();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Percentile95(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() * 95 / 100];
}

} // namespace

int main(int argc, char** argv)
{
    const int moves = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (!AfxSocketInit())
        return 1;
    SOCKET console = INVALID_SOCKET, student = INVALID_SOCKET, bareSend = INVALID_SOCKET, bareRead = INVALID_SOCKET;
    if (!MakePair(console, student) || !MakePair(bareSend, bareRead)) {
        std::printf("no loopback connection\n");
        return 1;
    }

    CPCInfo slot;
    slot.m_slotNumber = 1;
    RemoteSessionLinks links;
    links.inputPump = true;
    auto start = std::make_shared<RemoteSessionStart>();
    CControlThread* control = CControlThread::Start(slot, console, links, 0, start);
    if (!control)
        return 1;
    const DWORD controlId = control->m_nThreadID;
    while (start->control.load() == RemoteSessionStart::kStarting)
        ::Sleep(1);
    AfxPostToRunningThread(controlId, WM_THREAD_START, 0, 0);
    while (!start->input->IsForwarding())
        ::Sleep(1);

    Reader session, bare;
    session.socket = student;
    bare.socket = bareRead;
    std::thread sessionReader([&] { session.Run(); });
    std::thread bareReader([&] { bare.Run(); });

    // One pump tick on this platform.
    std::vector<double> ticks;
    for (int i = 0; i < 200; ++i) {
        const auto t0 = Clock::now();
        ::Sleep(1);
        ticks.push_back(Ms(Clock::now() - t0));
    }
    const double tick = Median(ticks);

    // Delay: single moves, far apart.
    std::vector<double> delays, floors;
    for (int i = 0; i < moves; ++i) {
        const size_t before = session.packets.load();
        const auto t0 = Clock::now();
        start->input->AddMouseMove(0, 10 + i, 20 + i);
        WaitFor(session.packets, before + 1);
        if (session.packets.load() > before)
            delays.push_back(Ms(session.arrivals[before] - t0));
        ::Sleep(3);
    }
    PacketFields one;
    one.type = kPacketMice;
    MouseEntry entry;
    entry.message = 0x200;
    one.mice.push_back(entry);
    std::vector<uint8_t> wireBytes;
    EncodePacket(one, 0, SoftwareTextCipher, wireBytes);
    for (int i = 0; i < moves; ++i) {
        const size_t before = bare.packets.load();
        const auto t0 = Clock::now();
        ::send(bareSend, reinterpret_cast<const char*>(wireBytes.data()), static_cast<int>(wireBytes.size()), 0);
        WaitFor(bare.packets, before + 1);
        if (bare.packets.load() > before)
            floors.push_back(Ms(bare.arrivals[before] - t0));
        ::Sleep(3);
    }

    // Batching: a fast mouse, one move every 250 us for moves x 4 moves.
    const size_t packetsBefore = session.packets.load();
    const size_t recordsBefore = session.records.load();
    const int burst = moves * 4;
    const auto burstStart = Clock::now();
    for (int i = 0; i < burst; ++i) {
        while (Clock::now() < burstStart + std::chrono::microseconds(250) * i)
            std::this_thread::yield();
        start->input->AddMouseMove(0, 5000 + i, 7000 + i);
    }
    const double burstMs = Ms(Clock::now() - burstStart);
    WaitFor(session.records, recordsBefore + static_cast<size_t>(burst));
    const size_t flushes = session.packets.load() - packetsBefore;
    const size_t delivered = session.records.load() - recordsBefore;
    const double perFlush = flushes ? static_cast<double>(delivered) / flushes : 0;
    const double perTick = tick / (burstMs / burst);

    const double delay = Median(delays), floor = Median(floors);
    std::printf("pump tick (Sleep(1)): %.3f ms median\n", tick);
    std::printf("move to wire: median %.3f ms, p95 %.3f ms; floor (bare send) median %.3f ms, p95 %.3f ms\n", delay,
                Percentile95(delays), floor, Percentile95(floors));
    std::printf("  delay - floor = %.3f ms = %.2f pump ticks; delay / (floor + tick) = %.2f\n", delay - floor,
                (delay - floor) / tick, delay / (floor + tick));
    std::printf("burst: %d moves in %.1f ms, %zu delivered in %zu type-5 packets: %.2f records per flush; "
                "moves per tick %.2f; ratio %.2f\n",
                burst, burstMs, delivered, flushes, perFlush, perTick, perTick > 0 ? perFlush / perTick : 0);

    AfxPostToRunningThread(controlId, WM_THREAD_CLOSE, 0, 0);
    ::Sleep(500);
    ::closesocket(student);
    ::closesocket(bareSend);
    ::closesocket(bareRead);
    sessionReader.join();
    bareReader.join();
    std::fflush(stdout);
    ::ExitProcess(0);
}
