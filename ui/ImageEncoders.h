// The GDI+ image encoders, looked up by MIME type.
#pragma once

#include "framework/Afx.h"

#include <vector>

// The CLSID of GDI+'s encoder for the MIME type ("image/jpeg"...) and its index in the encoder
// list, or -1 when there is none (or no list could be had; GDI+ must be started).
int GetEncoderClsid(const wchar_t* mimeType, CLSID* clsid);

namespace Gdiplus { class Image; }

// The image encoded by the MIME type's encoder, as bytes; empty when it could not be.
std::vector<BYTE> EncodeImageBytes(Gdiplus::Image& image, const wchar_t* mimeType);
