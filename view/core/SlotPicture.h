// What one grid cell shows: the state picture (or the live thumbnail), the frame colour and
// whether the caption is drawn.
#pragma once

// Bitmap ids of the state pictures; kPictureThumbnail means the slot's own thumbnail.
enum SlotPicture {
    kPictureThumbnail = 0,
    kPictureEmpty = 310,
    kPictureSessionChanging = 432,
    kPicturePresentationRight = 452,
    kPictureBeingChecked = 716,
    kPictureVideoLecture = 825,
    kPictureScreenOff = 826,
    kPictureMessenger = 827,
    kPictureCapturePermissionNeeded = 828,
    kPicturePermissionNeeded = 829,
};

struct SlotPictureState {
    bool online = false;                // connection id is not -1
    bool sessionChanging = false;
    bool remoteSessionOpen = false;     // a remote view or control session runs on the slot
    bool presentationRight = false;
    bool screenOn = true;
    bool screenCapturePermission = false;
    bool overlayPermission = false;
    bool drmOn = false;
    bool locked = false;
    bool messengerInFront = false;
};

// The first rule that holds, from offline down to the thumbnail.
SlotPicture ChooseSlotPicture(const SlotPictureState& state);

enum class SlotFrame { Focused, MultiSelected, Plain };    // red, cyan, grey pen
SlotFrame ChooseSlotFrame(bool focused, bool multiSelectionOn, bool selected);

// Captions are drawn when switched on, while the left Alt key is held, and always for the focus.
bool ShouldDrawCaption(bool showCaptions, bool leftAltDown, bool focused);
