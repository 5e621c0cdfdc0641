#include "view/core/SlotPicture.h"

#include <gtest/gtest.h>

namespace {

SlotPictureState OnlinePad()
{
    SlotPictureState state;
    state.online = true;
    state.screenCapturePermission = true;
    state.overlayPermission = true;
    return state;
}

TEST(ViewSlotPictureTest, OfflineSlotsNeverShowAThumbnail)
{
    SlotPictureState state = OnlinePad();
    state.online = false;
    state.remoteSessionOpen = true;
    state.presentationRight = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureEmpty);
    state.sessionChanging = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureSessionChanging);
}

TEST(ViewSlotPictureTest, TheFirstRuleThatHoldsWins)
{
    SlotPictureState state = OnlinePad();
    EXPECT_EQ(ChooseSlotPicture(state), kPictureThumbnail);
    state.messengerInFront = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureMessenger);
    state.drmOn = true;
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

TEST(ViewSlotPictureTest, ALockedPadWithDrmShowsItsThumbnailOrTheMessenger)
{
    SlotPictureState state = OnlinePad();
    state.drmOn = true;
    state.locked = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureThumbnail);
    state.messengerInFront = true;
    EXPECT_EQ(ChooseSlotPicture(state), kPictureMessenger);
}

TEST(ViewSlotPictureTest, FrameAndCaption)
{
    EXPECT_EQ(ChooseSlotFrame(true, true, true), SlotFrame::Focused);
    EXPECT_EQ(ChooseSlotFrame(false, true, true), SlotFrame::MultiSelected);
    EXPECT_EQ(ChooseSlotFrame(false, false, true), SlotFrame::Plain);
    EXPECT_EQ(ChooseSlotFrame(false, true, false), SlotFrame::Plain);
    EXPECT_TRUE(ShouldDrawCaption(false, false, true));
    EXPECT_TRUE(ShouldDrawCaption(false, true, false));
    EXPECT_FALSE(ShouldDrawCaption(false, false, false));
}

} // namespace
