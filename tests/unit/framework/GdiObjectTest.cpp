#include "framework/Afx.h"
#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/ClientDC.h"
#include "framework/Font.h"
#include "framework/Pen.h"

#include <gtest/gtest.h>

TEST(GdiObjectTest, EachWrapperDeletesItsObjectWhenItGoes)
{
    HGDIOBJ pen;
    HGDIOBJ brush;
    HGDIOBJ font;
    HGDIOBJ bitmap;
    {
        CPen penObject(PS_SOLID, 2, RGB(1, 2, 3));
        CBrush brushObject(RGB(4, 5, 6));
        CFont fontObject;
        ASSERT_TRUE(fontObject.CreateSimpleFont(13, FW_BOLD, L"Arial"));
        CBitmap bitmapObject;
        ASSERT_TRUE(bitmapObject.CreateCompatibleBitmap(nullptr, 8, 4));
        EXPECT_EQ(bitmapObject.GetSize().cx, 8);
        EXPECT_EQ(bitmapObject.GetSize().cy, 4);
        pen = penObject.GetSafeHandle();
        brush = brushObject.GetSafeHandle();
        font = fontObject.GetSafeHandle();
        bitmap = bitmapObject.GetSafeHandle();
        EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
        EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST(GdiObjectTest, RecreatingReplacesAndDetachingKeepsTheObject)
{
    CBrush brush(RGB(1, 1, 1));
    HGDIOBJ first = brush.GetSafeHandle();
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(2, 2, 2)));
    EXPECT_EQ(GetObjectType(first), 0u);   // the first one went with the replacement

    HGDIOBJ kept = brush.Detach();
    EXPECT_EQ(brush.GetSafeHandle(), nullptr);
    EXPECT_FALSE(brush.DeleteObject());
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(kept);
}

TEST(GdiObjectTest, StockObjectsAreNeverDeleted)
{
    HGDIOBJ stock = GetStockObject(BLACK_BRUSH);
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateStockObject(BLACK_BRUSH));
    }
    EXPECT_EQ(GetObjectType(stock), static_cast<DWORD>(OBJ_BRUSH));
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(54321));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);
}

TEST(GdiObjectTest, SelectionGivesBackWhatWasSelected)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPen pen(PS_SOLID, 1, RGB(9, 9, 9));
    HGDIOBJ previous = dc.SelectObject(&pen);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen.GetSafeHandle());
    EXPECT_EQ(dc.SelectObject(previous), pen.GetSafeHandle());

    CBitmap canvas;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(nullptr, 4, 4));   // colour, like the screen
    HGDIOBJ oldBitmap = dc.SelectObject(&canvas);
    dc.FillSolidRect(CRect(0, 0, 4, 4), RGB(10, 20, 30));
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(10, 20, 30));
    dc.SelectObject(oldBitmap);
}

TEST(GeometryTest, RectanglesKeepTheirEdgesRight)
{
    CRect rect(10, 20, 110, 70);
    EXPECT_EQ(rect.Width(), 100);
    EXPECT_EQ(rect.Height(), 50);
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(110, 20)));   // the right edge is outside
    rect.DeflateRect(CRect(0, 5, 0, 10));
    EXPECT_EQ(rect, CRect(10, 25, 110, 60));
    rect.OffsetRect(-10, -25);
    EXPECT_EQ(rect.TopLeft(), CPoint(0, 0));
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(CRect(0, 0, 5, 5), CRect(5, 5, 9, 9)));
    EXPECT_TRUE(overlap.IsRectEmpty());
    EXPECT_EQ(CPoint(MAKELPARAM(-3, 7)), CPoint(-3, 7));
}
