// CStripJpegEncoder: a 32-bit picture saved as JPEG through GDI+ into a stream of a temporary
// compound file (deleted when released) and read back. GDI+ must be started by the caller.
#pragma once

#include "foundation/MemBitmap.h"

#include <objidl.h>

#include <cstdint>
#include <vector>

class CStripJpegEncoder {
public:
    CStripJpegEncoder() = default;
    ~CStripJpegEncoder();
    CStripJpegEncoder(const CStripJpegEncoder&) = delete;
    CStripJpegEncoder& operator=(const CStripJpegEncoder&) = delete;

    // Finds the JPEG encoder and makes the stream; false when either is missing.
    bool Open();
    // The JPEG of the first width pixels of every row of picture, in jpeg (grown, twice the
    // JPEG's size when too small); its length, or 0 when the picture could not be saved.
    size_t Encode(const CMemBitmap& picture, int width, int quality, std::vector<uint8_t>& jpeg);

private:
    bool SaveToStream(const CMemBitmap& picture, int width, int quality);

    CLSID m_encoder = {};
    IStorage* m_storage = nullptr;
    IStream* m_stream = nullptr;
};
