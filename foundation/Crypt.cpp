#include "foundation/Crypt.h"

#include "foundation/core/Md5.h"
#include "foundation/core/Rc4.h"
#include "framework/CriticalSection.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const wchar_t kProvider[] = L"Microsoft Enhanced Cryptographic Provider v1.0";
const wchar_t kKeyContainer[] = L"LumoraKeyContainer";

// "Hello" in UTF-16LE under the password "pazkrudowemtisq", each byte as "%X".
const BYTE kSelfTestWord[10] = {'H', 0, 'e', 0, 'l', 0, 'l', 0, 'o', 0};
const BYTE kSelfTestPassword[30] = {
    'p', 0, 'a', 0, 'z', 0, 'k', 0, 'r', 0, 'u', 0, 'd', 0, 'o', 0,
    'w', 0, 'e', 0, 'm', 0, 't', 0, 'i', 0, 's', 0, 'q', 0,
};
const wchar_t kSelfTestAnswer[] = L"D9EA48436417E0C3608E";

BOOL AcquireContainer(HCRYPTPROV& provider, DWORD flags)
{
    return CryptAcquireContextW(&provider, kKeyContainer, kProvider, PROV_RSA_FULL, flags);
}

// Open the container, else create it, else delete and create it again (it is ours alone).
bool ResetKeyContainer()
{
    HCRYPTPROV provider = 0;
    if (!AcquireContainer(provider, 0) && !AcquireContainer(provider, CRYPT_NEWKEYSET)) {
        HCRYPTPROV deleted = 0;
        AcquireContainer(deleted, CRYPT_DELETEKEYSET);
        if (!AcquireContainer(provider, CRYPT_NEWKEYSET))
            return false;
    }
    CryptReleaseContext(provider, 0);
    return true;
}

// Handles of one key derivation, given back in reverse order.
struct KeyHandles {
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    HCRYPTKEY key = 0;

    ~KeyHandles()
    {
        if (key)
            CryptDestroyKey(key);
        if (hash)
            CryptDestroyHash(hash);
        if (provider)
            CryptReleaseContext(provider, 0);
    }
};

bool DeriveRc4Key(KeyHandles& handles, const BYTE* password, DWORD size)
{
    return AcquireContainer(handles.provider, 0) &&
           CryptCreateHash(handles.provider, CALG_MD5, 0, 0, &handles.hash) &&
           CryptHashData(handles.hash, password, size, 0) &&
           CryptDeriveKey(handles.provider, CALG_RC4, handles.hash, CRYPT_EXPORTABLE, &handles.key);
}

// The key of one password (the packet password, the only one the console repeats), derived once
// for the run. A packet takes a duplicate: the master itself never enciphers anything, so every
// duplicate starts the keystream afresh and gives the bytes a newly derived key would give,
// without the container, hash and derivation that cost milliseconds per packet under Wine.
struct DerivedKeyCache {
    CCriticalSection lock;
    bool tried = false;
    std::vector<BYTE> password;
    KeyHandles handles;   // never released: the run's end frees them
};

bool DuplicateDerivedKey(const BYTE* password, DWORD size, HCRYPTKEY& key)
{
    static DerivedKeyCache* const cache = new DerivedKeyCache;
    CCriticalSectionLock lock(cache->lock);
    if (!cache->tried) {
        cache->tried = true;
        cache->password.assign(password, password + size);
        if (!DeriveRc4Key(cache->handles, password, size))
            cache->handles.key = 0;
    }
    if (!cache->handles.key || cache->password.size() != size ||
        !std::equal(cache->password.begin(), cache->password.end(), password))
        return false;
    return CryptDuplicateKey(cache->handles.key, nullptr, 0, &key) != FALSE;
}

bool CryptoApiSelfTestPassed()
{
    CCrypt::KeepProviderLoaded();
    static const bool passed = CCrypt::ProviderPassesSelfTest();
    return passed;
}

} // namespace

bool CCrypt::ProviderPassesSelfTest()
{
    BYTE word[sizeof kSelfTestWord];
    std::memcpy(word, kSelfTestWord, sizeof word);
    if (!ResetKeyContainer())
        return false;
    KeyHandles handles;
    DWORD size = sizeof word;
    if (!DeriveRc4Key(handles, kSelfTestPassword, sizeof kSelfTestPassword) ||
        !CryptEncrypt(handles.key, 0, TRUE, 0, word, &size, sizeof word) || size != sizeof word)
        return false;
    CString text;
    for (BYTE byte : word)
        text.AppendFormat(L"%X", byte);
    return text.CompareNoCase(kSelfTestAnswer) == 0;
}

HCRYPTPROV CCrypt::KeepProviderLoaded()
{
    // Each acquire loads the provider's module and the last release unloads it, which costs
    // milliseconds per packet. This context is never released: the run's end frees it.
    static const HCRYPTPROV held = [] {
        HCRYPTPROV provider = 0;
        if (!CryptAcquireContextW(&provider, nullptr, kProvider, PROV_RSA_FULL,
                                  CRYPT_VERIFYCONTEXT))
            provider = 0;
        return provider;
    }();
    return held;
}

void CCrypt::ReportError(DWORD code)
{
    wchar_t* message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    TRACE(L"CCrypt: error 0x%08lX %s\n", code, message ? message : L"");
    LocalFree(message);
}

CCrypt::CCrypt(Path path) : m_path(path)
{
}

CCrypt::~CCrypt()
{
    Release();
}

BOOL CCrypt::SelfTest()
{
    m_fallback = m_path == Path::Software || !CryptoApiSelfTestPassed();
    return !m_fallback;
}

BOOL CCrypt::OpenKeyContainer()
{
    HCRYPTPROV provider = 0;
    // Another thread may create it between our two attempts: then it opens the third time.
    if (!AcquireContainer(provider, 0) && !AcquireContainer(provider, CRYPT_NEWKEYSET) &&
        !AcquireContainer(provider, 0)) {
        ReportError(GetLastError());
        return FALSE;
    }
    CryptReleaseContext(provider, 0);
    return TRUE;
}

BOOL CCrypt::Init(const BYTE* password, DWORD size)
{
    Release();
    SelfTest();
    if (m_fallback) {
        // Keyed by the password it was given, like the provider's key.
        m_softwareKey = Md5Bytes(password, size);
        m_ready = true;
        return TRUE;
    }
    m_ready = InitProvider(password, size) != FALSE;
    if (!m_ready)
        Release();
    return m_ready;
}

BOOL CCrypt::InitProvider(const BYTE* password, DWORD size)
{
    if (DuplicateDerivedKey(password, size, m_key))
        return TRUE;
    m_key = 0;
    if (!OpenKeyContainer())
        return FALSE;
    if (!AcquireContainer(m_provider, 0) ||
        !CryptCreateHash(m_provider, CALG_MD5, 0, 0, &m_hash) ||
        !CryptHashData(m_hash, password, size, 0) ||
        !CryptDeriveKey(m_provider, CALG_RC4, m_hash, CRYPT_EXPORTABLE, &m_key)) {
        ReportError(GetLastError());
        return FALSE;
    }
    return TRUE;
}

BOOL CCrypt::Encrypt(BYTE* buffer, DWORD& size)
{
    return Crypt(buffer, size, true);
}

BOOL CCrypt::Decrypt(BYTE* buffer, DWORD& size)
{
    return Crypt(buffer, size, false);
}

BOOL CCrypt::Crypt(BYTE* buffer, DWORD& size, bool encrypt)
{
    if (!m_ready)
        return FALSE;
    if (size == 0)
        return TRUE;
    if (m_fallback) {
        Rc4State state;
        Rc4Schedule(state, m_softwareKey.data(), m_softwareKey.size());
        Rc4Xor(state, buffer, buffer, size);
        return TRUE;
    }
    const DWORD count = size;
    const BOOL done = encrypt ? CryptEncrypt(m_key, 0, TRUE, 0, buffer, &size, count)
                              : CryptDecrypt(m_key, 0, TRUE, 0, buffer, &size);
    if (!done || size != count) {
        ReportError(done ? ERROR_INVALID_DATA : GetLastError());
        size = count;
        return FALSE;
    }
    return TRUE;
}

void CCrypt::Release()
{
    if (m_key)
        CryptDestroyKey(m_key);
    if (m_hash)
        CryptDestroyHash(m_hash);
    if (m_provider)
        CryptReleaseContext(m_provider, 0);
    m_key = 0;
    m_hash = 0;
    m_provider = 0;
    m_ready = false;
}
