#include "activities/pentool/NoteJpeg.h"

#include "activities/pentool/core/NoteGeometry.h"
#include "foundation/MemBitmap.h"
#include "ui/ImageEncoders.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <vector>

namespace {

const int kMaxCopies = 1000;

CString WideText(const std::string& text) { return CString(std::wstring(text.begin(), text.end()).c_str()); }

CString NoteFileNameAt(const SYSTEMTIME& now, int copy)
{
    return WideText(note::NoteFileName(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, copy));
}

bool Exists(const CString& path) { return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

} // namespace

int GetJpegEncoderClsid(CLSID* clsid)
{
    return GetEncoderClsid(L"image/jpeg", clsid);
}

CString MakeNoteFileName()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return NoteFileNameAt(now, 1);
}

CString MakeFreeNotePath(const CString& folder)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CString path;
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        path = folder + L"\\" + NoteFileNameAt(now, copy);
        if (!Exists(path)) break;
    }
    return path;
}

BOOL SaveJpeg(CMemBitmap& picture, const CString& path)
{
    if (!picture.GetBits() || !picture.GetBitmapInfo()) return FALSE;
    // From the pixels, not the bitmap handle: the handle is selected into the picture's context.
    std::unique_ptr<Gdiplus::Bitmap> bitmap(
        Gdiplus::Bitmap::FromBITMAPINFO(picture.GetBitmapInfo(), picture.GetBits()));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return FALSE;
    CLSID encoder;
    if (GetJpegEncoderClsid(&encoder) < 0) return FALSE;
    Gdiplus::EncoderParameters parameters;
    ULONG quality = 100;
    parameters.Count = 1;
    parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Value = &quality;
    return bitmap->Save(path, &encoder, &parameters) == Gdiplus::Ok;
}
