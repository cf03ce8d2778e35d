#include "framework/labels.h"

#include "framework/gdi.h"

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
  std::wstring caption = Caption();
  if (caption.empty()) return;
  TSaveDCGuard saved(dc);
  SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Enabled() ? static_cast<COLORREF>(ColorToRGB(Font()->Color())) : GetSysColor(COLOR_GRAYTEXT));
  UINT format = DT_WORDBREAK | (FAlignment == TAlignment::taCenter       ? DT_CENTER
                                : FAlignment == TAlignment::taRightJustify ? DT_RIGHT
                                                                            : DT_LEFT);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format);
}
