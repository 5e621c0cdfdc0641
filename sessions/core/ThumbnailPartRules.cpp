#include "sessions/core/ThumbnailPartRules.h"

ThumbnailPartCheck CheckThumbnailPart(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                      const uint8_t* jpeg, size_t length, int slotWidth, int slotHeight,
                                      bool turned)
{
    ThumbnailPartCheck check;
    // Differences in 64 bits: hostile corners must not overflow into a small positive side.
    const long long width = static_cast<long long>(right) - left;
    const long long height = static_cast<long long>(bottom) - top;
    if (width < 1 || width > kMaxThumbnailPartSide || height < 1 || height > kMaxThumbnailPartSide)
        return check;
    check.width = static_cast<int>(width);
    check.height = static_cast<int>(height);
    if (width > slotWidth || height > slotHeight) {
        check.verdict = ThumbnailPartVerdict::LargerThanSlot;
        return check;
    }
    if (!ReadJpegFrameSize(jpeg, length, check.picture)) {
        check.verdict = ThumbnailPartVerdict::NotJpeg;
        return check;
    }
    const bool fits = FitsWithin(check.picture, width, height) || (turned && FitsWithin(check.picture, height, width));
    check.verdict = fits ? ThumbnailPartVerdict::Draw : ThumbnailPartVerdict::PictureTooLarge;
    return check;
}

const char* ThumbnailPartVerdictText(ThumbnailPartVerdict verdict)
{
    switch (verdict) {
    case ThumbnailPartVerdict::Draw: return "drawn";
    case ThumbnailPartVerdict::BadRectangle: return "unusable rectangle";
    case ThumbnailPartVerdict::LargerThanSlot: return "rectangle larger than the thumbnail";
    case ThumbnailPartVerdict::NotJpeg: return "no JPEG frame header";
    case ThumbnailPartVerdict::PictureTooLarge: return "picture larger than its rectangle";
    }
    return "?";
}
