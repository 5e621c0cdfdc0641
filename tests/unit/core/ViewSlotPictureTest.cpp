#include "view/core/SlotPicture.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewSlotPictureTest, OfflineSlotsNeverShowAThumbnail)
{
    SlotPictureState state;
    state.remoteSessionOpen = true;
    state.presentationRight = true;
    state.screenCapturePermission = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureEmpty);
    state.sessionChanging = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureSessionChanging);
}

TEST(ViewSlotPictureTest, TheFirstRuleThatHoldsWins)
{
    SlotPictureState state;
    state.online = true;
    state.screenCapturePermission = true;
    state.overlayPermission = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureThumbnail);
    state.messengerInFront = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureMessenger);
    state.locked = true;
    state.drmOn = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureMessenger);    // a locked pad with DRM is no lecture
    state.locked = false;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureVideoLecture);
    state.screenCapturePermission = false;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureCapturePermissionNeeded);
    state.overlayPermission = false;
    EXPECT_EQ(ChooseSlotPicture(state), kPicturePermissionNeeded);
    state.screenOn = false;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureScreenOff);
    state.presentationRight = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPicturePresentationRight);
    state.remoteSessionOpen = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureBeingChecked);
}

} // namespace
