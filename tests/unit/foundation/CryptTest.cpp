#include "foundation/Crypt.h"

#include "foundation/core/Md5.h"
#include "foundation/core/Rc4.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<BYTE> Utf16(const std::string& ascii)
{
    std::vector<BYTE> bytes;
    for (char ch : ascii) {
        bytes.push_back(static_cast<BYTE>(ch));
        bytes.push_back(0);
    }
    return bytes;
}

std::vector<BYTE> Cipher(CCrypt::Path path, std::vector<BYTE> bytes, bool encrypt,
                         const std::vector<BYTE>& password = std::vector<BYTE>(
                             kPacketPassword, kPacketPassword + sizeof kPacketPassword))
{
    CCrypt crypt(path);
    EXPECT_TRUE(crypt.Init(password.data(), static_cast<DWORD>(password.size())));
    DWORD size = static_cast<DWORD>(bytes.size());
    EXPECT_TRUE(encrypt ? crypt.Encrypt(bytes.data(), size) : crypt.Decrypt(bytes.data(), size));
    EXPECT_EQ(size, bytes.size());
    crypt.Release();
    return bytes;
}

} // namespace

TEST(CryptTest, SelfTestTrustsTheSystemProvider)
{
    EXPECT_TRUE(CCrypt::ProviderPassesSelfTest());
    CCrypt crypt;
    ASSERT_TRUE(crypt.Init(kPacketPassword, sizeof kPacketPassword));
    EXPECT_FALSE(crypt.UsesSoftware());

    CCrypt software(CCrypt::Path::Software);
    ASSERT_TRUE(software.Init(kPacketPassword, sizeof kPacketPassword));
    EXPECT_TRUE(software.UsesSoftware());
}

TEST(CryptTest, BothPathsGiveTheSameCiphertextAndRoundTrip)
{
    const std::vector<BYTE> command = Utf16("[KW10002]");
    const std::vector<BYTE> provider = Cipher(CCrypt::Path::Auto, command, true);
    EXPECT_EQ(HexLower(provider.data(), provider.size()), "0e11432149b7555c511cf58918516e4682da");
    EXPECT_EQ(Cipher(CCrypt::Path::Software, command, true), provider);
    EXPECT_EQ(Cipher(CCrypt::Path::Auto, provider, false), command);
    EXPECT_EQ(Cipher(CCrypt::Path::Software, provider, false), command);

    std::vector<BYTE> long_text(5000);
    for (size_t n = 0; n < long_text.size(); ++n)
        long_text[n] = static_cast<BYTE>(n * 31 + 7);
    const std::vector<BYTE> enciphered = Cipher(CCrypt::Path::Auto, long_text, true);
    EXPECT_EQ(Cipher(CCrypt::Path::Software, long_text, true), enciphered);
    EXPECT_EQ(Cipher(CCrypt::Path::Software, enciphered, false), long_text);
}

TEST(CryptTest, SoftwarePathIsKeyedByItsOwnPassword)
{
    const std::vector<BYTE> password = Utf16("pazkrudowemtisq");
    const std::vector<BYTE> word = Utf16("Hello");
    const std::vector<BYTE> software = Cipher(CCrypt::Path::Software, word, true, password);
    EXPECT_EQ(Cipher(CCrypt::Path::Auto, word, true, password), software);
    EXPECT_EQ(HexLower(software.data(), software.size()), "d9ea48436417e0c3608e");
}

TEST(CryptTest, ZeroBytesEncipherToZeroBytesAndAnUnreadyCipherRefuses)
{
    for (CCrypt::Path path : {CCrypt::Path::Auto, CCrypt::Path::Software}) {
        CCrypt crypt(path);
        BYTE byte = 0x41;
        DWORD size = 1;
        EXPECT_FALSE(crypt.Encrypt(&byte, size));
        ASSERT_TRUE(crypt.Init(kPacketPassword, sizeof kPacketPassword));
        size = 0;
        EXPECT_TRUE(crypt.Encrypt(&byte, size));
        EXPECT_EQ(size, 0u);
        EXPECT_EQ(byte, 0x41);
        crypt.Release();
        size = 1;
        EXPECT_FALSE(crypt.Decrypt(&byte, size));
    }
}

TEST(CryptTest, ThreadsDerivingKeysAtOnceAllGetTheRightBytes)
{
    const std::vector<BYTE> command = Utf16("[KW10002]");
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int n = 0; n < 10; ++n) {
                std::vector<BYTE> bytes = command;
                CCrypt crypt;
                DWORD size = static_cast<DWORD>(bytes.size());
                if (!crypt.Init(kPacketPassword, sizeof kPacketPassword) ||
                    !crypt.Encrypt(bytes.data(), size) ||
                    HexLower(bytes.data(), bytes.size()) != "0e11432149b7555c511cf58918516e4682da")
                    ++wrong;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}
