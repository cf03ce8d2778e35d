// Panels paint their background, bevels and graphic children off-screen; a click on a graphic child
// reaches it through its parent.
#include "framework/panels.h"

#include <gtest/gtest.h>

#include "framework/gdi.h"

namespace {

class TTestSpot : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  void Paint(HDC dc) override {
    TBrushHandle red(CreateSolidBrush(RGB(0xFF, 0, 0)));
    RECT all{0, 0, Width() + 50, Height() + 50};  // overdraws: the parent's clip keeps it inside
    FillRect(dc, &all, red.Get());
  }
  void Click() override { ++Clicks; }
  int Clicks = 0;
};

uint32_t Rgb(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

TEST(Panels, BevelsBackgroundAndGraphicChildren) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 100, 40);
  SetOrdProp(&panel, "Color", RGB(0x20, 0x40, 0x60));
  SetEnumProp(&panel, "BevelOuter", "bvRaised");
  SetOrdProp(&panel, "BevelWidth", 2);
  SetWindowLongPtrW(panel.Handle(), GWL_STYLE, WS_POPUP);  // no frame: client = bounds
  SetWindowPos(panel.Handle(), nullptr, 0, 0, 100, 40, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
  auto* spot = new TTestSpot(&panel);
  spot->SetBounds(20, 5, 10, 10);
  spot->SetParent(&panel);

  TOffscreen buffer(100, 40);
  SendMessageW(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.DC()), PRF_CLIENT);
  uint32_t light = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)), dark = Rgb(GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(buffer.Pixel(0, 0), light);
  EXPECT_EQ(buffer.Pixel(1, 20), light);
  EXPECT_EQ(buffer.Pixel(99, 39), dark);
  EXPECT_EQ(buffer.Pixel(98, 20), dark);
  EXPECT_EQ(buffer.Pixel(60, 30), 0x204060u);
  EXPECT_EQ(buffer.Pixel(20, 5), 0xFF0000u);
  EXPECT_EQ(buffer.Pixel(29, 14), 0xFF0000u);
  EXPECT_EQ(buffer.Pixel(30, 14), 0x204060u);  // clipped to the spot's bounds

  SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 10));
  SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 10));
  SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 10));
  SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 30));  // released elsewhere
  EXPECT_EQ(spot->Clicks, 1);
}

}  // namespace
