// Throughput of the packet codec: 1 MB tile blocks (type 12) and command packets (type 1,
// with digest and RC4). The Windows build also times CPacket with the CryptoAPI cipher as
// it is used for every packet, and with the provider self-test repeated per packet.
#include "foundation/core/PacketCodec.h"

#ifdef _WIN32
#include "foundation/Crypt.h"
#include "foundation/Md5Digest.h"
#include "foundation/Packet.h"
#include "foundation/core/Rc4.h"
#endif

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Runs body in growing batches until minSeconds have passed; gives runs per second.
template <class Body>
double RunsPerSecond(Body body, double minSeconds = 1.0)
{
    long runs = 0;
    long batch = 1;
    const Clock::time_point start = Clock::now();
    double elapsed = 0;
    while (elapsed < minSeconds) {
        for (long n = 0; n < batch; ++n)
            body();
        runs += batch;
        batch *= 2;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    }
    return runs / elapsed;
}

void Report(const char* what, double value, const char* unit)
{
    std::printf("%-58s %12.1f %s\n", what, value, unit);
    std::fflush(stdout);
}

volatile size_t g_sink;

const std::u16string kCommand = u"[KW00050]1,0,0,1,0,0,1";

void BenchScreenBlock()
{
    const uint32_t kSize = 1000000;
    std::vector<uint8_t> tiles(kSize);
    for (uint32_t n = 0; n < kSize; ++n)
        tiles[n] = static_cast<uint8_t>(n * 2654435761u >> 24);
    PacketFields block;
    block.type = kPacketScreenBlock;
    block.rawSize = kSize * 3;
    block.sequence = 1;
    block.data = ByteSpan{tiles.data(), kSize};

    std::vector<uint8_t> bytes;
    const double encodes = RunsPerSecond([&] {
        EncodePacket(block, 0x42, SoftwareTextCipher, bytes);
        g_sink = bytes.size();
    });
    Report("core encode type 12, 1 MB block", encodes * kSize / 1e6, "MB/s");

    std::vector<uint8_t> owned;
    const double decodes = RunsPerSecond([&] {
        PacketFields out;
        DecodePacket(bytes.data(), bytes.size(), SoftwareTextCipher, out);
        owned.assign(out.data.data, out.data.data + out.data.size);   // what a receiver keeps
        g_sink = owned.size();
    });
    Report("core decode type 12, 1 MB block (with owned copy)", decodes * kSize / 1e6, "MB/s");
}

void BenchCommands()
{
    std::vector<uint8_t> bytes;
    const double encodes = RunsPerSecond([&] {
        PacketFields p;
        p.type = kPacketText;
        p.text = kCommand;
        p.digest = MakeCommandDigest(p.text);
        EncodePacket(p, 0x42, SoftwareTextCipher, bytes);
        g_sink = bytes.size();
    });
    Report("core encode type 1 (digest + software RC4)", encodes, "packets/s");

    const double decodes = RunsPerSecond([&] {
        PacketFields out;
        DecodePacket(bytes.data(), bytes.size(), SoftwareTextCipher, out);
        g_sink = out.text.size();
    });
    Report("core decode type 1 (software RC4)", decodes, "packets/s");
}

#ifdef _WIN32
void BenchWindowsPackets()
{
    const CString command(reinterpret_cast<const wchar_t*>(kCommand.c_str()));
    std::vector<uint8_t> bytes;
    CPacket(command).ToBytes(bytes);   // runs the self-test once before timing

    const double sent = RunsPerSecond([&] {
        CPacket packet(command);
        packet.ToBytes(bytes);
        g_sink = bytes.size();
    });
    Report("CPacket type 1 build + ToBytes (CryptoAPI per packet)", sent, "packets/s");

    const double sentWithTest = RunsPerSecond([&] {
        CCrypt::ProviderPassesSelfTest();
        CPacket packet(command);
        packet.ToBytes(bytes);
        g_sink = bytes.size();
    });
    Report("  same with the self-test repeated per packet", sentWithTest, "packets/s");

    const double digests = RunsPerSecond([&] {
        CMd5Digest md5;
        CString digest;
        md5.Update(reinterpret_cast<const BYTE*>(command.GetString()), command.GetLength());
        md5.GetHexDigest(digest);
        g_sink = digest.GetLength();
    });
    Report("CMd5Digest of one command (CryptoAPI)", digests, "digests/s");

    const double received = RunsPerSecond([&] {
        CPacket packet;
        packet.LoadBody(bytes.data() + kPacketHeaderSize, bytes.size() - kPacketHeaderSize);
        g_sink = packet.m_text.GetLength();
    });
    Report("CPacket type 1 LoadBody (CryptoAPI per packet)", received, "packets/s");

    std::vector<BYTE> text(2 * kCommand.size(), 0x41);
    const double software = RunsPerSecond([&] {
        CCrypt crypt(CCrypt::Path::Software);
        DWORD size = static_cast<DWORD>(text.size());
        crypt.Init(kPacketPassword, sizeof kPacketPassword);
        crypt.Encrypt(text.data(), size);
        g_sink = size;
    });
    Report("CCrypt software path, Init + Encrypt of one command", software, "packets/s");

    const UINT kSize = 1000000;
    std::vector<BYTE> tiles(kSize, 0x5A);
    const double blocks = RunsPerSecond([&] {
        CPacket(tiles.data(), kSize * 3, kSize, 1).ToBytes(bytes);
        g_sink = bytes.size();
    });
    Report("CPacket type 12 ToBytes, 1 MB block", blocks * kSize / 1e6, "MB/s");
    const double loads = RunsPerSecond([&] {
        CPacket packet;
        packet.LoadBody(bytes.data() + kPacketHeaderSize, bytes.size() - kPacketHeaderSize);
        g_sink = packet.m_dataLength;
    });
    Report("CPacket type 12 LoadBody, 1 MB block", loads * kSize / 1e6, "MB/s");
}
#endif

} // namespace

int main()
{
    BenchScreenBlock();
    BenchCommands();
#ifdef _WIN32
    BenchWindowsPackets();
#endif
    return 0;
}
