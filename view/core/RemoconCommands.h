// What the hand-held remote-controller app sends on its link, read and checked before anything
// acts on it: the app runs on a pad of the school's network, so every size, code and number is
// bounded here, and a command with the wrong field count reads as nothing.
#pragma once

#include <cstdint>
#include <string>

// The app's announced version: the touch-lock and share-state replies, and the touch lock
// itself, depend on whether it is newer than this (compared field by field as numbers).
constexpr char16_t kRemoteAppStateVersion[] = u"2.0.1.1027";
bool IsRemoteAppNewer(const std::u16string& version);

// "[RC00008]": the picture the app will send for the viewer window.
struct RemoconViewerSize {
    int width = 0;
    int height = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    bool fullScreen = false;     // screen mode "full"
    bool fitted = false;         // fit mode "resize"
};
// Exactly four fields; sides within the share's usable range (so no tile side is 0).
bool ReadViewerSize(const std::u16string& arguments, RemoconViewerSize& size);

// "[RC00010]": the stream canvas, exactly two fields within the share's usable range.
bool ReadStreamCanvas(const std::u16string& arguments, int& width, int& height);

// "[RC00014]": one decimal character code from 1 to 0xFFFF.
bool ReadCharacterCode(const std::u16string& arguments, uint16_t& code);

// "[RC00006]": exactly one field, a frame number.
bool ReadFrameAcknowledgement(const std::u16string& arguments, int& frame);

// The viewer window's picture rectangle for an image of w x h: in full-screen mode letterboxed
// into the W x H screen, otherwise 1:1 centred in it. Zero sizes give an empty rectangle.
struct RemoconLetterbox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
RemoconLetterbox ComputeLetterbox(bool fullScreen, int screenWidth, int screenHeight, int imageWidth,
                                  int imageHeight);
