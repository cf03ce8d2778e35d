// Handle owners and the off-screen buffer: objects go back out of DCs before deletion, owners close
// exactly once, and composed pixels read back as 0x00RRGGBB.
#include "framework/graphics/gdi.h"

#include <gtest/gtest.h>

namespace {

TEST(Gdi, OffscreenComposesAndCopiesOnce) {
  TOffscreen buffer(16, 8);
  ASSERT_TRUE(buffer.Valid());
  TBrushHandle red(CreateSolidBrush(RGB(0xFF, 0, 0)));
  RECT left{0, 0, 8, 8};
  FillRect(buffer.DC(), &left, red.Get());
  {
    TBrushHandle blue(CreateSolidBrush(RGB(0, 0, 0xFF)));
    TSelectGuard select(buffer.DC(), blue.Get());
    PatBlt(buffer.DC(), 8, 0, 8, 8, PATCOPY);
  }  // the guard puts the DC's own brush back before blue is deleted
  EXPECT_EQ(buffer.Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(buffer.Pixel(15, 7), 0x0000FFu);
  EXPECT_EQ(buffer.Pixel(16, 0), 0u);

  TOffscreen target(32, 8);
  buffer.CopyTo(target.DC(), 16, 0);
  EXPECT_EQ(target.Pixel(16, 0), 0xFF0000u);
  EXPECT_EQ(target.Pixel(31, 7), 0x0000FFu);
  EXPECT_EQ(target.Pixel(0, 0), 0u);
}

TEST(Gdi, OwnersCloseOnceAndMove) {
  HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
  TBrushHandle first(raw);
  TBrushHandle second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.Get(), raw);
  second.Reset();
  EXPECT_EQ(GetObjectType(raw), 0u);  // deleted
  TBrushHandle kept(CreateSolidBrush(RGB(4, 5, 6)));
  HBRUSH released = kept.Release();
  EXPECT_NE(GetObjectType(released), 0u);
  DeleteObject(released);

  TOffscreen buffer(4, 4);
  HBITMAP selected = static_cast<HBITMAP>(GetCurrentObject(buffer.DC(), OBJ_BITMAP));
  {
    TSaveDCGuard saved(buffer.DC());
    SelectObject(buffer.DC(), GetStockObject(BLACK_BRUSH));
    SetTextColor(buffer.DC(), RGB(9, 9, 9));
  }
  EXPECT_EQ(GetTextColor(buffer.DC()), RGB(0, 0, 0));
  EXPECT_EQ(GetCurrentObject(buffer.DC(), OBJ_BITMAP), selected);
}

}  // namespace
