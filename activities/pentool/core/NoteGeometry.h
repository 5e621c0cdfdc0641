// The pen tool's arithmetic: stroke widths, the eraser's square, the whiteboard canvas of each
// page and the picture file names. Standard C++ only.
#pragma once

#include <cstdint>
#include <string>

namespace note {

constexpr int kPenKind = 0;
constexpr int kEraserKind = 4;
constexpr int kEraserSide = 32;
constexpr int kLastPage = 10;

// The toolbar's eight pen colours in button order (0x00BBGGRR): near-black, red, blue, light
// grey, yellow, violet, green, teal. A drawing mode starts with red.
constexpr uint32_t kPenColours[8] = {0x141414, 0x0000E6, 0xE60000, 0xE6E6E6, 0x00E6E6, 0xCC33E6, 0x00E600, 0xC7B71B};
constexpr uint32_t kStartColour = 0x0000E6;

// Pixels of a line of this kind and width index (1 to 4 on the toolbar).
int StrokeWidth(int kind, int widthIndex);

struct Square {
    int left;
    int top;
    int right;    // exclusive
    int bottom;   // exclusive
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// The eraser square of side 32 for the point (x, y): its top-left corner is (x - 15, y - 14),
// where the teacher sees it while drawing, and the repaint and the saved picture restore the
// same square. The part at negative coordinates is cut off.
constexpr int kEraserOffsetX = 1;
constexpr int kEraserOffsetY = 2;
Square EraserSquare(int x, int y);

struct PageCanvas {
    int left;    // where the surface window sits (screen x)
    int width;   // the canvas width; the height is the screen's
};

// Page p of a whiteboard on a screen of width w: the canvas grows by half a screen per page and
// the window shifts left by as much, so the page shows the canvas's right-most screen.
PageCanvas CanvasForPage(int screenWidth, int page);

// The highest page whose canvas a 32-bit picture can hold on this screen: at most kLastPage,
// no wider than the widest window (20000 pixels) nor more than kMaxCanvasPixels in all.
constexpr int kMaxCanvasWidth = 20000;
constexpr int64_t kMaxCanvasPixels = 24 * 1024 * 1024;
int HighestPage(int screenWidth, int screenHeight);

// "%04d%02d%02d_%02d%02d%02d.jpg" of the local time (a part that could not be read is -1).
// With copy > 1 the name becomes "..._<copy>.jpg", so a second save in the same second keeps
// the first picture.
std::string NoteFileName(int year, int month, int day, int hour, int minute, int second, int copy = 1);

} // namespace note
