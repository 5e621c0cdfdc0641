// RC4 of our own: the software cipher of type-1 packet texts when the system's provider is not
// trusted, and the cipher the portable codec uses by default.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The packet password "wuxqotrabne!!@@" as UTF-16LE bytes (15 characters, 30 bytes).
extern const uint8_t kPacketPassword[30];

// Fits on the stack: the cipher needs no allocation.
struct Rc4State {
    uint8_t s[256];
    uint8_t i;
    uint8_t j;
};

void Rc4Schedule(Rc4State& state, const uint8_t* key, size_t keyLength);
// XORs count keystream bytes into input; output may be input.
void Rc4Xor(Rc4State& state, uint8_t* output, const uint8_t* input, size_t count);

// The packet key: MD5 of the packet password, made from one prepared block.
std::array<uint8_t, 16> InitPacketKeyDigest();
// Computed once for the whole run (thread-safe on first use).
const std::array<uint8_t, 16>& PacketKeyDigest();

// A fresh keystream under the packet key over count bytes; output may be input.
void Rc4Crypt(uint8_t* output, const uint8_t* input, size_t count);
