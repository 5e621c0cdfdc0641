// CMemFile: a file in memory, or one that lies over a buffer it was given. It grows in whole
// steps of growBytes, at least doubling each time, so a file written in small pieces is copied
// a few times rather than once per step.
#pragma once

#include "framework/Afx.h"

class CMemFile {
public:
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    explicit CMemFile(UINT growBytes = 1024);
    // Lies over buffer (size bytes, all of them file content), which stays the caller's. With
    // growBytes 0 the file cannot grow; otherwise it moves to a buffer of its own when it must.
    CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
    virtual ~CMemFile();

    CMemFile(const CMemFile&) = delete;
    CMemFile& operator=(const CMemFile&) = delete;

    void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
    // Hands the buffer (from malloc) to the caller, who frees it; the file is empty afterwards.
    BYTE* Detach();
    void Close();

    // Bytes copied: fewer than count at the end of the file.
    UINT Read(void* buffer, UINT count);
    // false when the file would have to grow and cannot (nothing is written then).
    bool Write(const void* buffer, UINT count);
    // The new position, or -1 (position unchanged) for a target before the start or past 4 GiB.
    LONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { m_position = 0; }
    ULONGLONG SeekToEnd() { m_position = m_fileSize; return m_position; }

    ULONGLONG GetLength() const { return m_fileSize; }
    ULONGLONG GetPosition() const { return m_position; }
    // The content; valid until the file grows or is closed.
    const BYTE* GetBuffer() const { return m_buffer; }
    SIZE_T GetBufferSize() const { return m_bufferSize; }

protected:
    void SetAutoDelete(bool autoDelete) { m_autoDelete = autoDelete; }

private:
    bool GrowTo(SIZE_T length);
    void FreeBuffer();

    UINT m_growBytes;
    BYTE* m_buffer = nullptr;
    SIZE_T m_bufferSize = 0;
    SIZE_T m_fileSize = 0;
    SIZE_T m_position = 0;
    bool m_autoDelete = true;
};
