// Turning a pad's screenshot upright inside the stream that holds it.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <objidl.h>

// Rotates the picture in the stream clockwise for the pad orientation (3: 90 degrees, 1: 180,
// 2: 270) and writes it back as JPEG, the stream cut to the new length. Any other orientation
// leaves the stream as it is (TRUE). FALSE, with the stream unchanged, when the bytes are not a
// picture GDI+ reads (they come from the network) or the JPEG cannot be made. Needs GDI+.
BOOL RotateImageInStream(IStream* stream, int orientation);
