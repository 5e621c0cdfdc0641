#include "UiTestEnvironment.h"
#include "framework/Bitmap.h"
#include "res/resource.h"
#include "ui/BackLayerWnd.h"
#include "ui/SkinDraw.h"
#include "ui/UiScale.h"

#include <gtest/gtest.h>

TEST(BackLayerWndTest, TheBitmapSizesTheWindowByTheScaleFactor)
{
    CBitmap reference;
    ASSERT_TRUE(reference.LoadBitmap(IDB_MSGBOX_TEXT_PANEL));
    const SIZE natural = reference.GetSize();

    CWnd parent;
    ASSERT_TRUE(parent.CreateHiddenWindow(L"BackLayerParent", 800, 600));
    CBackLayerWnd layer;
    ASSERT_TRUE(layer.CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(7, 9, 17, 19), &parent, 1));
    g_uiScale = 1.4f;
    EXPECT_TRUE(layer.SetBitmap(IDB_MSGBOX_TEXT_PANEL));
    g_uiScale = 1.0f;
    EXPECT_EQ(layer.GetPaintMode(), CBackLayerWnd::BitmapPaint);
    CRect placed;
    layer.GetWindowRect(&placed);
    parent.ScreenToClient(&placed);
    EXPECT_EQ(placed.TopLeft(), CPoint(7, 9));   // resized, not moved
    EXPECT_EQ(placed.Width(), static_cast<int>(natural.cx * 1.4f));
    EXPECT_EQ(placed.Height(), static_cast<int>(natural.cy * 1.4f));

    EXPECT_FALSE(layer.SetBitmap(54321));
    parent.DestroyWindow();
}

// The skin must show even when GDI+ has not been started yet (a box at start-up).
TEST(SkinDrawTest, BitmapsAreDrawnWithAndWithoutGdiPlus)
{
    CBitmap skin;
    ASSERT_TRUE(skin.LoadBitmap(IDB_MSGBOX_ICON));
    const SIZE size = skin.GetSize();
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(nullptr));
    HGDIOBJ oldSource = source.SelectObject(&skin);
    const COLORREF expected = source.GetPixel(size.cx / 2, size.cy / 2);
    source.SelectObject(oldSource);

    for (bool gdiPlus : {true, false}) {
        if (!gdiPlus)
            StopGdiPlusForTest();
        CDC target;
        ASSERT_TRUE(target.CreateCompatibleDC(nullptr));
        CBitmap canvas;
        ASSERT_TRUE(canvas.CreateCompatibleBitmap(nullptr, size.cx, size.cy));
        HGDIOBJ old = target.SelectObject(&canvas);
        target.FillSolidRect(CRect(0, 0, size.cx, size.cy), RGB(1, 2, 3));
        EXPECT_TRUE(DrawSkinBitmap(target, skin, CRect(0, 0, size.cx, size.cy)));
        EXPECT_EQ(target.GetPixel(size.cx / 2, size.cy / 2), expected) << "GDI+ " << gdiPlus;
        target.SelectObject(old);
    }
    StartGdiPlusForTest();
}
