// The image stream the two screen decoders read their pictures through (the stream
// "StreamImage1" of a temporary compound file): written whole from its start, and read back with
// GDI+ only at the size the picture's header was measured at.
#pragma once

#include "framework/Afx.h"
#include "sessions/core/JpegFrameSize.h"

#include <memory>
#include <objidl.h>

namespace Gdiplus { class Bitmap; }

inline bool RewindStream(IStream* stream)
{
    LARGE_INTEGER zero = {};
    return SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, nullptr));
}

// The stream holds exactly these bytes, and is rewound.
bool WriteWholeStream(IStream* stream, const BYTE* bytes, size_t length);

// The picture in the stream, when GDI+ reads it at the size its header was measured at, either way
// round (a turned pad's picture); null otherwise: the stream holds only what was measured, so
// anything else is a decoder reading another picture.
std::unique_ptr<Gdiplus::Bitmap> OpenMeasuredPicture(IStream* stream, const PictureSize& measured);
