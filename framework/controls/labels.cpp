#include "framework/controls/labels.h"

#include "framework/graphics/gdi.h"

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TLabel>("TLabel", &TGraphicControl::StaticClassInfo())
          .Enumeration("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TLabel::Alignment,
                       &TLabel::SetAlignment)
          .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
          .Creatable()
          .Build();
  return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TLabel::SetAlignment(TAlignment value) {
  FAlignment = value;
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  FTransparent = value;
  Invalidate();
}

void TLabel::Paint(HDC dc) {
  RECT rect{0, 0, Width(), Height()};
  if (!FTransparent) {
    TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
    if (brush) FillRect(dc, &rect, brush.Get());
  }
  UINT format = DT_WORDBREAK | (FAlignment == TAlignment::taCenter       ? DT_CENTER
                                : FAlignment == TAlignment::taRightJustify ? DT_RIGHT
                                                                            : DT_LEFT);
  DrawCaption(dc, rect, format);
}
