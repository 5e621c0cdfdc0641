// CMemFileEx: a memory file laid over a received buffer that it frees when it is destroyed.
#pragma once

#include "framework/MemFile.h"

class CMemFileEx : public CMemFile {
public:
    // Takes buffer (from malloc, size bytes of content); it cannot grow.
    CMemFileEx(BYTE* buffer, UINT size);
};
