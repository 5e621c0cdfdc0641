// CMd5Digest: lower-case hexadecimal MD5 of a byte string (packet digests, student tokens, web
// requests). CryptoAPI's MD5 when a verification context can be had, our own MD5 otherwise.
#pragma once

#include "framework/Afx.h"

#include "foundation/core/Md5.h"

#include <wincrypt.h>

class CMd5Digest {
public:
    CMd5Digest();
    virtual ~CMd5Digest();

    CMd5Digest(const CMd5Digest&) = delete;
    CMd5Digest& operator=(const CMd5Digest&) = delete;

    // Starts a digest on first use and adds the bytes; FALSE when the hash cannot take them.
    BOOL Update(const BYTE* data, DWORD size);
    // Appends 32 lower-case hexadecimal digits and ends the digest, so the next Update starts a
    // new one; FALSE when nothing was started, an Update failed or the value cannot be read.
    BOOL GetHexDigest(CString& text);

    bool UsesSoftware() const { return m_provider == 0; }

private:
    void DestroyHash();

    HCRYPTPROV m_provider = 0;   // the run's shared context: never released here
    HCRYPTHASH m_hash = 0;
    CMd5 m_software;
    bool m_started = false;
    bool m_failed = false;
};
