#include "framework/MemFile.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

CMemFile::CMemFile(UINT growBytes) : m_growBytes(growBytes)
{
}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes) : m_growBytes(growBytes)
{
    Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile()
{
    FreeBuffer();
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes)
{
    FreeBuffer();
    m_buffer = buffer;
    m_bufferSize = buffer ? size : 0;
    m_fileSize = m_bufferSize;
    m_position = 0;
    m_growBytes = growBytes;
    m_autoDelete = false;
}

BYTE* CMemFile::Detach()
{
    BYTE* buffer = m_buffer;
    m_buffer = nullptr;
    m_bufferSize = m_fileSize = m_position = 0;
    m_autoDelete = true;
    return buffer;
}

void CMemFile::Close()
{
    FreeBuffer();
}

void CMemFile::FreeBuffer()
{
    if (m_autoDelete)
        std::free(m_buffer);
    m_buffer = nullptr;
    m_bufferSize = m_fileSize = m_position = 0;
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    if (m_position >= m_fileSize || count == 0)
        return 0;
    const SIZE_T left = m_fileSize - m_position;
    const UINT take = count < left ? count : static_cast<UINT>(left);
    std::memcpy(buffer, m_buffer + m_position, take);
    m_position += take;
    return take;
}

bool CMemFile::GrowTo(SIZE_T length)
{
    if (length <= m_bufferSize)
        return true;
    if (m_growBytes == 0)
        return false;
    const SIZE_T doubled = m_bufferSize <= SIZE_MAX / 2 ? m_bufferSize * 2 : length;
    const SIZE_T wanted = length > doubled ? length : doubled;
    const SIZE_T steps = (wanted - 1) / m_growBytes + 1;
    if (steps > SIZE_MAX / m_growBytes)
        return false;
    const SIZE_T newSize = steps * m_growBytes;
    // An attached buffer the file does not own is copied, never reallocated behind its owner.
    BYTE* grown = static_cast<BYTE*>(m_autoDelete ? std::realloc(m_buffer, newSize)
                                                  : std::malloc(newSize));
    if (!grown)
        return false;
    if (!m_autoDelete && m_fileSize != 0)
        std::memcpy(grown, m_buffer, m_fileSize);
    m_buffer = grown;
    m_bufferSize = newSize;
    m_autoDelete = true;
    return true;
}

bool CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return true;
    if (count > SIZE_MAX - m_position || !GrowTo(m_position + count))
        return false;
    if (m_position > m_fileSize)
        std::memset(m_buffer + m_fileSize, 0, m_position - m_fileSize);
    std::memcpy(m_buffer + m_position, buffer, count);
    m_position += count;
    if (m_position > m_fileSize)
        m_fileSize = m_position;
    return true;
}

LONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = 0;
    if (from == current)
        base = static_cast<LONGLONG>(m_position);
    else if (from == end)
        base = static_cast<LONGLONG>(m_fileSize);
    else if (from != begin)
        return -1;
    if (offset > 0 && base > LLONG_MAX - offset)
        return -1;
    const LONGLONG target = base + offset;
    if (target < 0 || static_cast<ULONGLONG>(target) > SIZE_MAX)
        return -1;
    m_position = static_cast<SIZE_T>(target);
    return target;
}
