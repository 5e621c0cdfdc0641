#include "sessions/core/ThumbnailPartRules.h"

#include "sessions/core/RemoteScreen.h"

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

ThumbnailPartCheck DecodeThumbnailPart(const ThumbnailSlotState& slot, const PacketRect& destination,
                                       const uint8_t* jpeg, size_t length, IThumbnailCanvas& canvas, bool& drawn)
{
    drawn = false;
    const bool unrotatedPad = slot.clientKind == 3;
    const bool turned = unrotatedPad && (slot.orientation == 2 || slot.orientation == 3);
    const ThumbnailPartCheck check = CheckThumbnailPart(destination.left, destination.top, destination.right,
                                                        destination.bottom, jpeg, length, slot.width, slot.height,
                                                        turned);
    ScreenRect onSlot;
    if (check.verdict != ThumbnailPartVerdict::Draw ||
        !ClipToScreen({destination.left, destination.top, static_cast<long long>(destination.left) + check.width,
                       static_cast<long long>(destination.top) + check.height},
                      slot.width, slot.height, onSlot))
        return check;
    const int width = check.width;
    const int height = check.height;
    if (!canvas.MakePicture(turned ? height : width, turned ? width : height) ||
        !canvas.DrawJpeg(jpeg, length, check.picture, unrotatedPad) || (turned && !canvas.StretchUpright(width, height)))
        return check;
    drawn = canvas.CopyToSlot(static_cast<int>(onSlot.left), static_cast<int>(onSlot.top),
                              static_cast<int>(onSlot.left - destination.left), static_cast<int>(onSlot.top - destination.top),
                              static_cast<int>(onSlot.Width()), static_cast<int>(onSlot.Height()), turned);
    return check;
}
