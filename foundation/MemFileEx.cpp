#include "foundation/MemFileEx.h"

CMemFileEx::CMemFileEx(BYTE* buffer, UINT size) : CMemFile(buffer, size, 0)
{
    SetAutoDelete(true);
}
