// MD5 (RFC 1321) of our own: the software packet key is made with it before anything else runs,
// and it stands in for the CryptoAPI digest where no provider can be had.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using Md5Digest = std::array<uint8_t, 16>;

// The compression function over one 64-byte block.
void Md5Transform(uint32_t state[4], const uint8_t block[64]);

class CMd5 {
public:
    CMd5();
    void Update(const void* data, size_t size);
    // Pads, returns the digest and starts over, so one object can make the next digest.
    Md5Digest Final();

private:
    void Restart();

    uint32_t m_state[4];
    uint64_t m_byteCount;
    uint8_t m_block[64];
};

Md5Digest Md5Bytes(const void* data, size_t size);
// Two lower-case hexadecimal digits per byte (32 characters).
std::string Md5Hex(const void* data, size_t size);
std::string HexLower(const uint8_t* bytes, size_t size);
