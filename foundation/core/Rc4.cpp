#include "foundation/core/Rc4.h"

#include "foundation/core/Md5.h"

#include <cstring>

const uint8_t kPacketPassword[30] = {
    'w', 0, 'u', 0, 'x', 0, 'q', 0, 'o', 0, 't', 0, 'r', 0, 'a', 0,
    'b', 0, 'n', 0, 'e', 0, '!', 0, '!', 0, '@', 0, '@', 0,
};

void Rc4Schedule(Rc4State& state, const uint8_t* key, size_t keyLength)
{
    for (int n = 0; n < 256; ++n)
        state.s[n] = static_cast<uint8_t>(n);
    uint8_t j = 0;
    for (int n = 0; n < 256; ++n) {
        j = static_cast<uint8_t>(j + state.s[n] + key[n % keyLength]);
        const uint8_t swap = state.s[n];
        state.s[n] = state.s[j];
        state.s[j] = swap;
    }
    state.i = 0;
    state.j = 0;
}

void Rc4Xor(Rc4State& state, uint8_t* output, const uint8_t* input, size_t count)
{
    uint8_t i = state.i, j = state.j;
    for (size_t n = 0; n < count; ++n) {
        i = static_cast<uint8_t>(i + 1);
        j = static_cast<uint8_t>(j + state.s[i]);
        const uint8_t swap = state.s[i];
        state.s[i] = state.s[j];
        state.s[j] = swap;
        output[n] = input[n] ^ state.s[static_cast<uint8_t>(state.s[i] + state.s[j])];
    }
    state.i = i;
    state.j = j;
}

std::array<uint8_t, 16> InitPacketKeyDigest()
{
    // The password fits one block: its bytes, the 0x80 marker, zeros and the bit length 240.
    uint8_t block[64] = {};
    std::memcpy(block, kPacketPassword, sizeof kPacketPassword);
    block[sizeof kPacketPassword] = 0x80;
    block[56] = static_cast<uint8_t>(sizeof kPacketPassword * 8);

    uint32_t state[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    Md5Transform(state, block);

    std::array<uint8_t, 16> digest;
    for (int n = 0; n < 16; ++n)
        digest[n] = static_cast<uint8_t>(state[n / 4] >> (8 * (n % 4)));
    return digest;
}

const std::array<uint8_t, 16>& PacketKeyDigest()
{
    static const std::array<uint8_t, 16> key = InitPacketKeyDigest();
    return key;
}

namespace {
// Made at start-up, before any packet, as the program has always done.
[[maybe_unused]] const bool g_packetKeyReady = !PacketKeyDigest().empty();
} // namespace

void Rc4Crypt(uint8_t* output, const uint8_t* input, size_t count)
{
    Rc4State state;
    Rc4Schedule(state, PacketKeyDigest().data(), PacketKeyDigest().size());
    Rc4Xor(state, output, input, count);
}
