// Writing the pen tool's pictures as JPEG files through GDI+, and naming them.
#pragma once

#include "framework/Afx.h"

class CMemBitmap;

// The CLSID of GDI+'s "image/jpeg" encoder and its index in the encoder list, or -1 when there
// is none (or no list could be had).
int GetJpegEncoderClsid(CLSID* clsid);

// "%04d%02d%02d_%02d%02d%02d.jpg" of the current local time.
CString MakeNoteFileName();

// A path in folder for a new picture of now: the plain name, or "..._2.jpg" and so on when a
// picture of the same second is already there.
CString MakeFreeNotePath(const CString& folder);

// Writes the picture as a JPEG at quality 100. FALSE when GDI+ could not make or save it.
BOOL SaveJpeg(CMemBitmap& picture, const CString& path);
