#include "foundation/core/Md5.h"
#include "foundation/core/Rc4.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Utf16Bytes(const std::string& ascii)
{
    std::vector<uint8_t> bytes;
    for (char ch : ascii) {
        bytes.push_back(static_cast<uint8_t>(ch));
        bytes.push_back(0);
    }
    return bytes;
}

std::string Rc4Hex(const std::string& key, const std::string& text)
{
    Rc4State state;
    Rc4Schedule(state, reinterpret_cast<const uint8_t*>(key.data()), key.size());
    std::vector<uint8_t> out(text.size());
    Rc4Xor(state, out.data(), reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return HexLower(out.data(), out.size());
}

} // namespace

TEST(Rc4Test, MatchesKnownKeystreams)
{
    EXPECT_EQ(Rc4Hex("Key", "Plaintext"), "bbf316e8d940af0ad3");
    EXPECT_EQ(Rc4Hex("Wiki", "pedia"), "1021bf0420");
    EXPECT_EQ(Rc4Hex("Secret", "Attack at dawn"), "45a01f645fc35b383552544b9bf5");
}

TEST(Rc4Test, KeystreamContinuesAcrossCalls)
{
    Rc4State state;
    Rc4Schedule(state, reinterpret_cast<const uint8_t*>("Secret"), 6);
    const std::string text = "Attack at dawn";
    std::vector<uint8_t> out(text.size());
    Rc4Xor(state, out.data(), reinterpret_cast<const uint8_t*>(text.data()), 5);
    Rc4Xor(state, out.data() + 5, reinterpret_cast<const uint8_t*>(text.data()) + 5, 9);
    EXPECT_EQ(HexLower(out.data(), out.size()), "45a01f645fc35b383552544b9bf5");
}

TEST(Rc4Test, PacketCipherRestartsAndWorksInPlace)
{
    // The ciphertext of "[KW10002]" that the student agents expect.
    std::vector<uint8_t> text = Utf16Bytes("[KW10002]");
    std::vector<uint8_t> copy(text.size());
    Rc4Crypt(copy.data(), text.data(), text.size());
    EXPECT_EQ(HexLower(copy.data(), copy.size()), "0e11432149b7555c511cf58918516e4682da");

    Rc4Crypt(text.data(), text.data(), text.size());
    EXPECT_EQ(text, copy);
    Rc4Crypt(text.data(), text.data(), text.size());
    EXPECT_EQ(text, Utf16Bytes("[KW10002]"));

    Rc4Crypt(nullptr, nullptr, 0);
}

TEST(Rc4Test, SelfTestWordGivesTheStoredAnswer)
{
    // "Hello" under the self-test password, each byte as "%X": every byte here is at least
    // 0x10, so the answer has 20 characters.
    const std::vector<uint8_t> password = Utf16Bytes("pazkrudowemtisq");
    const Md5Digest key = Md5Bytes(password.data(), password.size());
    std::vector<uint8_t> word = Utf16Bytes("Hello");
    Rc4State state;
    Rc4Schedule(state, key.data(), key.size());
    Rc4Xor(state, word.data(), word.data(), word.size());
    std::string answer;
    for (uint8_t byte : word) {
        char piece[4];
        std::snprintf(piece, sizeof piece, "%X", byte);
        answer += piece;
    }
    EXPECT_EQ(answer, "D9EA48436417E0C3608E");
}
