#include "view/core/SlotPicture.h"

SlotPicture ChooseSlotPicture(const SlotPictureState& state)
{
    if (!state.online) return state.sessionChanging ? kPictureSessionChanging : kPictureEmpty;
    if (state.remoteSessionOpen) return kPictureBeingChecked;
    if (state.presentationRight) return kPicturePresentationRight;
    if (!state.screenOn) return kPictureScreenOff;
    if (!state.screenCapturePermission)
        return state.overlayPermission ? kPictureCapturePermissionNeeded : kPicturePermissionNeeded;
    if (state.drmOn && !state.locked) return kPictureVideoLecture;
    if (state.messengerInFront) return kPictureMessenger;
    return kPictureThumbnail;
}

SlotFrame ChooseSlotFrame(bool focused, bool multiSelectionOn, bool selected)
{
    if (focused) return SlotFrame::Focused;
    return multiSelectionOn && selected ? SlotFrame::MultiSelected : SlotFrame::Plain;
}

bool ShouldDrawCaption(bool showCaptions, bool leftAltDown, bool focused)
{
    return showCaptions || leftAltDown || focused;
}
