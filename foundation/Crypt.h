// CCrypt: RC4 over a key that is the MD5 digest of a password, for the text of type-1 packets.
// It uses the system's CryptoAPI once a known-answer test has shown that the provider gives the
// expected RC4 output, and our own RC4 otherwise. One object serves one packet.
#pragma once

#include "framework/Afx.h"

#include <wincrypt.h>

#include <array>
#include <cstdint>

class CCrypt {
public:
    enum class Path { Auto, Software };

    // Software always uses our own RC4 (both paths give the same bytes).
    explicit CCrypt(Path path = Path::Auto);
    virtual ~CCrypt();

    CCrypt(const CCrypt&) = delete;
    CCrypt& operator=(const CCrypt&) = delete;

    // Derives the key from the password bytes; FALSE after any failure.
    BOOL Init(const BYTE* password, DWORD size);
    // In place, as one final block; size stays the byte count.
    BOOL Encrypt(BYTE* buffer, DWORD& size);
    BOOL Decrypt(BYTE* buffer, DWORD& size);
    // Gives back key, hash and provider.
    void Release();

    // Chooses the software cipher unless the provider passed its known-answer test. The test
    // runs once per process; its result is kept.
    BOOL SelfTest();
    // Opens the key container, creating it when it does not exist, and lets it go again.
    BOOL OpenKeyContainer();
    bool UsesSoftware() const { return m_fallback; }

    // Runs the known-answer test against the provider now (what SelfTest keeps the result of).
    static bool ProviderPassesSelfTest();
    // Holds one verification context for the rest of the run, so that the provider's module
    // stays loaded between packets (once per process; safe from any thread). The context is
    // shared: hashes may be made on it from any thread; 0 when none could be had.
    static HCRYPTPROV KeepProviderLoaded();
    static void ReportError(DWORD code);

private:
    BOOL InitProvider(const BYTE* password, DWORD size);
    BOOL Crypt(BYTE* buffer, DWORD& size, bool encrypt);

    Path m_path;
    bool m_fallback = true;
    bool m_ready = false;
    std::array<uint8_t, 16> m_softwareKey = {};
    HCRYPTKEY m_key = 0;
    HCRYPTPROV m_provider = 0;
    HCRYPTHASH m_hash = 0;
};
