// The drawing surface as the pen toolbar drives it: strokes drawn with the mouse, whiteboard
// pages, the eraser and the saved pictures (read back from the files).
#include "activities/pentool/NoteToolWnd.h"
#include "activities/pentool/core/NoteGeometry.h"

#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const COLORREF kRed = 0x0000E6;

class PenToolSurfaceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&s_token, &input, nullptr), Gdiplus::Ok);
    }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(s_token); }

    void SetUp() override
    {
        m_width = ::GetSystemMetrics(SM_CXSCREEN);
        m_height = ::GetSystemMetrics(SM_CYSCREEN);
    }
    void TearDown() override
    {
        if (m_surface) m_surface->CloseSurface();
        for (const CString& path : m_files) ::DeleteFileW(path);
    }

    CNoteToolWnd* Open(int mode)
    {
        auto* surface = new CNoteToolWnd;
        if (!surface->CreateSurface(mode)) return nullptr;
        m_surface = surface;
        m_surface->SetTool(note::kPenKind);
        m_surface->SetWidthIndex(4);
        m_surface->SetColour(kRed);
        return m_surface;
    }

    // A press, moves along the points and a release, as the mouse delivers them.
    void Drag(const std::vector<POINT>& points)
    {
        HWND window = m_surface->GetSafeHwnd();
        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(points[0].x, points[0].y));
        for (size_t i = 1; i < points.size(); ++i)
            ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(points[i].x, points[i].y));
        ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(points.back().x, points.back().y));
    }

    std::unique_ptr<Gdiplus::Bitmap> Save(int highestPage, int currentPage)
    {
        if (!m_surface->SaveToFile(highestPage, currentPage)) return nullptr;
        m_files.push_back(m_surface->GetSavedPath());
        std::unique_ptr<Gdiplus::Bitmap> picture(new Gdiplus::Bitmap(m_surface->GetSavedPath().GetString()));
        return picture->GetLastStatus() == Gdiplus::Ok ? std::move(picture) : nullptr;
    }

    static bool Near(Gdiplus::Bitmap& picture, int x, int y, COLORREF colour)
    {
        Gdiplus::Color pixel;
        picture.GetPixel(x, y, &pixel);
        return std::abs(pixel.GetR() - GetRValue(colour)) < 48 && std::abs(pixel.GetG() - GetGValue(colour)) < 48 &&
               std::abs(pixel.GetB() - GetBValue(colour)) < 48;
    }

    static ULONG_PTR s_token;
    int m_width = 0;
    int m_height = 0;
    CNoteToolWnd* m_surface = nullptr;
    std::vector<CString> m_files;
};

ULONG_PTR PenToolSurfaceTest::s_token = 0;

TEST_F(PenToolSurfaceTest, WhiteboardPictureHoldsTheWidestPageWithItsStrokesAndLeavesThePageShown)
{
    ASSERT_TRUE(Open(CNoteToolWnd::WhiteboardMode));
    Drag({{100, 100}, {200, 100}, {300, 100}});   // on page 0
    for (int page = 1; page <= 3; ++page) ASSERT_TRUE(m_surface->SetPage(page));
    // Page 3 shows the canvas's right-most screen: its left edge is at canvas x = 3 * (W / 2).
    const int shown = 3 * (m_width / 2);
    Drag({{shown + 100, 300}, {shown + 400, 300}});
    m_surface->SetTool(note::kEraserKind);
    Drag({{shown + 250, 300}});                   // one eraser square out of the middle
    ASSERT_TRUE(m_surface->SetPage(1));

    std::unique_ptr<Gdiplus::Bitmap> picture = Save(3, 1);
    ASSERT_TRUE(picture);
    EXPECT_EQ(static_cast<int>(picture->GetWidth()), m_width + 3 * (m_width / 2));   // page 3's canvas
    EXPECT_EQ(static_cast<int>(picture->GetHeight()), m_height);
    EXPECT_TRUE(Near(*picture, 200, 100, kRed));
    EXPECT_TRUE(Near(*picture, shown + 150, 300, kRed));
    EXPECT_TRUE(Near(*picture, shown + 250, 300, RGB(255, 255, 255)));   // erased back to the page
    EXPECT_TRUE(Near(*picture, shown + 350, 300, kRed));
    EXPECT_TRUE(Near(*picture, 600, 600, RGB(255, 255, 255)));

    RECT rect;
    ::GetWindowRect(m_surface->GetSafeHwnd(), &rect);
    EXPECT_EQ(rect.left, -(m_width / 2));
    EXPECT_EQ(rect.right - rect.left, m_width + m_width / 2);
    EXPECT_FALSE(m_surface->HasUnsavedStrokes());

    // A second save within the same second keeps the first picture.
    Drag({{50, 50}, {60, 60}});
    ASSERT_TRUE(Save(1, 1));
    ASSERT_EQ(m_files.size(), 2u);
    EXPECT_NE(m_files[0], m_files[1]);
    EXPECT_NE(::GetFileAttributesW(m_files[0]), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PenToolSurfaceTest, OnlyPenStrokesMakeTheSurfaceUnsavedAndClearingKeepsItSo)
{
    ASSERT_TRUE(Open(CNoteToolWnd::WhiteboardMode));
    m_surface->SetTool(note::kEraserKind);
    Drag({{10, 10}, {20, 20}});
    EXPECT_FALSE(m_surface->HasUnsavedStrokes());
    m_surface->SetTool(note::kPenKind);
    Drag({{30, 30}, {40, 40}});
    EXPECT_TRUE(m_surface->HasUnsavedStrokes());
    m_surface->ClearStrokes();
    EXPECT_EQ(m_surface->GetStrokeCount(), 0);
    EXPECT_TRUE(m_surface->HasUnsavedStrokes());
}

// What the eraser restores while the teacher draws (straight onto the window, no repaint in
// between) is what the saved picture has: the same square, not one a pixel or two beside it.
TEST_F(PenToolSurfaceTest, TheEraserTakesTheSameSquareLiveAndInThePicture)
{
    ASSERT_TRUE(Open(CNoteToolWnd::WhiteboardMode));
    HWND window = m_surface->GetSafeHwnd();
    for (int y = 280; y <= 320; y += 5) Drag({{100, y}, {400, y}});   // a solid red band
    m_surface->SetTool(note::kEraserKind);
    Drag({{250, 300}});

    std::vector<POINT> live;
    HDC dc = ::GetDC(window);
    for (int y = 278; y <= 322; ++y)   // inside the band: only the eraser shows white
        for (int x = 225; x <= 275; ++x)
            if (GetRValue(::GetPixel(dc, x, y)) > 200 && GetGValue(::GetPixel(dc, x, y)) > 200) live.push_back({x, y});
    ::ReleaseDC(window, dc);
    ASSERT_FALSE(live.empty());
    const note::Square square = note::EraserSquare(250, 300);
    EXPECT_EQ(live.front().x, square.left);
    EXPECT_EQ(live.front().y, square.top);
    EXPECT_EQ(live.back().x, square.right - 1);
    EXPECT_EQ(live.back().y, square.bottom - 1);
    EXPECT_EQ(live.size(), 32u * 32u);

    // In the picture (brightness, which the JPEG keeps sharp at an edge): white on the square's
    // border, red just outside it.
    std::unique_ptr<Gdiplus::Bitmap> picture = Save(0, 0);
    ASSERT_TRUE(picture);
    const auto bright = [&](int x, int y) {
        Gdiplus::Color pixel;
        picture->GetPixel(x, y, &pixel);
        return 0.299 * pixel.GetR() + 0.587 * pixel.GetG() + 0.114 * pixel.GetB() > 160;
    };
    for (const int y : {square.top, square.bottom - 1})
        for (const int x : {square.left, square.right - 1}) EXPECT_TRUE(bright(x, y)) << x << "," << y;
    EXPECT_FALSE(bright(square.left - 1, 300));
    EXPECT_FALSE(bright(square.right, 300));
    EXPECT_FALSE(bright(250, square.top - 1));
    EXPECT_FALSE(bright(250, square.bottom));
}

TEST_F(PenToolSurfaceTest, PagesBeyondWhatAPictureHoldsAreRefused)
{
    ASSERT_TRUE(Open(CNoteToolWnd::WhiteboardMode));
    const int highest = note::HighestPage(m_width, m_height);
    EXPECT_FALSE(m_surface->SetPage(highest + 1));
    EXPECT_FALSE(m_surface->SetPage(-1));
    RECT rect;
    ::GetWindowRect(m_surface->GetSafeHwnd(), &rect);
    EXPECT_EQ(rect.left, 0);   // still on page 0
}

} // namespace

// The photograph is drawn at the client's (0, 0): the client area must be the whole screen, or
// the picture the teacher draws on is shifted and cut.
TEST_F(PenToolSurfaceTest, ThePenSurfaceIsBorderlessOverTheWholeScreenAndTakesQuickPresses)
{
    ASSERT_TRUE(Open(CNoteToolWnd::PenMode));
    HWND window = m_surface->GetSafeHwnd();
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    RECT client;
    ::GetClientRect(window, &client);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    EXPECT_EQ(client.right, m_width);
    EXPECT_EQ(client.bottom, m_height);

    // Two presses in quick succession: the second comes as a double click, and is a stroke too.
    Drag({{100, 100}, {120, 120}});
    ::SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 200));
    ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(220, 220));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(220, 220));
    EXPECT_EQ(m_surface->GetStrokeCount(), 2);
}
