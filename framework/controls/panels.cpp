#include "framework/controls/panels.h"

#include <utility>

#include "framework/graphics/gdi.h"

namespace {

// One bevel of the given width: light on the top and left, dark on the bottom and right when
// raised, the other way round when lowered. Moves rect inside the bevel.
void DrawBevel(HDC dc, RECT& rect, TBevelCut cut, int width) {
  if (cut == TBevelCut::bvNone) return;
  if (cut != TBevelCut::bvSpace) {
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    if (cut == TBevelCut::bvLowered) std::swap(light, dark);
    TBrushHandle topLeft(CreateSolidBrush(light));
    TBrushHandle bottomRight(CreateSolidBrush(dark));
    for (int i = 0; i < width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
      RECT top{rect.left, rect.top, rect.right, rect.top + 1};
      RECT left{rect.left, rect.top, rect.left + 1, rect.bottom};
      RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
      RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
      FillRect(dc, &top, topLeft.Get());
      FillRect(dc, &left, topLeft.Get());
      FillRect(dc, &bottom, bottomRight.Get());
      FillRect(dc, &right, bottomRight.Get());
      InflateRect(&rect, -1, -1);
    }
    return;
  }
  InflateRect(&rect, -width, -width);
}

}  // namespace

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TPanel>("TPanel", &TWinControl::StaticClassInfo())
          .Enumeration("BevelOuter", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TPanel::BevelOuter,
                       &TPanel::SetBevelOuter)
          .Enumeration("BevelInner", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TPanel::BevelInner,
                       &TPanel::SetBevelInner)
          .Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
          .Creatable()
          .Build();
  return info;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevelCut value) {
  FBevelOuter = value;
  AlignControls();
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut value) {
  FBevelInner = value;
  AlignControls();
  Invalidate();
}

void TPanel::SetBevelWidth(int32_t value) {
  FBevelWidth = value > 0 ? value : 1;
  AlignControls();
  Invalidate();
}

void TPanel::TextChanged() {
  TWinControl::TextChanged();
  Invalidate();
}

void TPanel::AdjustClientRect(RECT& rect) {
  int inset = (FBevelOuter != TBevelCut::bvNone ? FBevelWidth : 0) + (FBevelInner != TBevelCut::bvNone ? FBevelWidth : 0);
  InflateRect(&rect, -inset, -inset);
}

void TPanel::Paint(HDC dc, const RECT& client) {
  RECT rect = client;
  DrawBevel(dc, rect, FBevelOuter, FBevelWidth);
  DrawBevel(dc, rect, FBevelInner, FBevelWidth);
  DrawCaption(dc, rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
