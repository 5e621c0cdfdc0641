#include "foundation/core/Md5.h"

#include <cstring>

namespace {

const uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

const uint8_t kShift[64] = {
    7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
    5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
    4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
    6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21,
};

uint32_t RotateLeft(uint32_t value, unsigned count)
{
    return (value << count) | (value >> (32 - count));
}

uint32_t LoadLittleEndian32(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

} // namespace

void Md5Transform(uint32_t state[4], const uint8_t block[64])
{
    uint32_t words[16];
    for (int i = 0; i < 16; ++i)
        words[i] = LoadLittleEndian32(block + 4 * i);

    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int i = 0; i < 64; ++i) {
        uint32_t mix;
        int index;
        if (i < 16) {
            mix = (b & c) | (~b & d);
            index = i;
        } else if (i < 32) {
            mix = (d & b) | (~d & c);
            index = (5 * i + 1) % 16;
        } else if (i < 48) {
            mix = b ^ c ^ d;
            index = (3 * i + 5) % 16;
        } else {
            mix = c ^ (b | ~d);
            index = (7 * i) % 16;
        }
        const uint32_t next = d;
        d = c;
        c = b;
        b = b + RotateLeft(a + mix + kSine[i] + words[index], kShift[i]);
        a = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

CMd5::CMd5()
{
    Restart();
}

void CMd5::Restart()
{
    m_state[0] = 0x67452301;
    m_state[1] = 0xefcdab89;
    m_state[2] = 0x98badcfe;
    m_state[3] = 0x10325476;
    m_byteCount = 0;
}

void CMd5::Update(const void* data, size_t size)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    size_t used = static_cast<size_t>(m_byteCount % 64);
    m_byteCount += size;
    if (used != 0) {
        const size_t take = size < 64 - used ? size : 64 - used;
        std::memcpy(m_block + used, bytes, take);
        bytes += take;
        size -= take;
        if (used + take < 64)
            return;
        Md5Transform(m_state, m_block);
    }
    for (; size >= 64; bytes += 64, size -= 64)
        Md5Transform(m_state, bytes);
    if (size != 0)
        std::memcpy(m_block, bytes, size);
}

Md5Digest CMd5::Final()
{
    const uint64_t bitCount = m_byteCount * 8;
    const size_t used = static_cast<size_t>(m_byteCount % 64);
    const size_t padding = used < 56 ? 56 - used : 120 - used;
    uint8_t tail[72] = {0x80};
    for (int i = 0; i < 8; ++i)
        tail[padding + i] = static_cast<uint8_t>(bitCount >> (8 * i));
    Update(tail, padding + 8);

    Md5Digest digest;
    for (int i = 0; i < 16; ++i)
        digest[i] = static_cast<uint8_t>(m_state[i / 4] >> (8 * (i % 4)));
    Restart();
    return digest;
}

Md5Digest Md5Bytes(const void* data, size_t size)
{
    CMd5 md5;
    md5.Update(data, size);
    return md5.Final();
}

std::string HexLower(const uint8_t* bytes, size_t size)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

std::string Md5Hex(const void* data, size_t size)
{
    const Md5Digest digest = Md5Bytes(data, size);
    return HexLower(digest.data(), digest.size());
}
