#include "foundation/Md5Digest.h"

#include "foundation/Crypt.h"

CMd5Digest::CMd5Digest()
{
    // The run's one verification context (it needs no key container): acquiring one per digest
    // cost milliseconds per packet under load, the registry and module lookups of every acquire
    // queueing behind each other. Without one we use our own MD5 rather than create or delete
    // the user's default container.
    m_provider = CCrypt::KeepProviderLoaded();
}

CMd5Digest::~CMd5Digest()
{
    DestroyHash();
}

void CMd5Digest::DestroyHash()
{
    if (m_hash)
        CryptDestroyHash(m_hash);
    m_hash = 0;
    m_started = false;
    m_failed = false;
}

BOOL CMd5Digest::Update(const BYTE* data, DWORD size)
{
    if (!m_provider) {
        m_software.Update(data, size);
        m_started = true;
        return TRUE;
    }
    m_started = true;
    if (!m_hash && !CryptCreateHash(m_provider, CALG_MD5, 0, 0, &m_hash)) {
        m_hash = 0;
        m_failed = true;
        return FALSE;
    }
    if (!CryptHashData(m_hash, data, size, 0)) {
        m_failed = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CMd5Digest::GetHexDigest(CString& text)
{
    if (!m_started)
        return FALSE;
    if (m_failed) {
        DestroyHash();
        return FALSE;
    }
    Md5Digest digest;
    if (!m_provider) {
        digest = m_software.Final();
    } else {
        DWORD size = static_cast<DWORD>(digest.size());
        const BOOL read = CryptGetHashParam(m_hash, HP_HASHVAL, digest.data(), &size, 0);
        DestroyHash();
        if (!read || size != digest.size())
            return FALSE;
    }
    m_started = false;
    const std::string hex = HexLower(digest.data(), digest.size());
    text += CString(hex.c_str());
    return TRUE;
}
