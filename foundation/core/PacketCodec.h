// The wire layout of every packet type: encoding for sending, and decoding of untrusted bytes.
#pragma once

#include "foundation/core/PacketFields.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Enciphers or deciphers count bytes of a type-1 text in place; false fails the packet.
using TextCipher = std::function<bool(uint8_t* bytes, size_t count)>;

// RC4 under the program-wide packet key: what the peers expect (the same both ways).
bool SoftwareTextCipher(uint8_t* bytes, size_t count);

// Lower-case hexadecimal MD5 of the first N bytes of the text's UTF-16LE form, N being its length
// in characters (so it covers only the first half of the text: peers digest it this way).
std::u16string MakeCommandDigest(const std::u16string& text);

// The 4 magic bytes derived from the low byte of the sender's tick count.
void MakePacketMagic(uint8_t tick, uint8_t magic[4]);

// The whole packet. false for a type without a layout (0, 6, above 12), a field too large for
// the wire, a packet above kMaxPacketLength or a failed cipher; out is then empty.
bool EncodePacket(const PacketFields& packet, uint8_t tick, const TextCipher& encipher,
                  std::vector<uint8_t>& out);

// Checks magic and length of a frame header; bodySize is what follows it (type byte + payload).
bool CheckPacketHeader(const uint8_t header[kPacketHeaderSize], uint32_t& bodySize);

// Parses a body (type byte + payload). Byte spans in out point into body. On failure out is an
// empty type-0 packet. Bytes after the payload are ignored.
bool DecodePacketBody(const uint8_t* body, size_t size, const TextCipher& decipher,
                      PacketFields& out);

// Header and body of the packet at the start of bytes (which may hold more after it).
bool DecodePacket(const uint8_t* bytes, size_t size, const TextCipher& decipher, PacketFields& out);
