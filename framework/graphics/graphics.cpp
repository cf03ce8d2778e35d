#include "framework/graphics/graphics.h"

#include "framework/graphics/pictures.h"

TColor ColorToRGB(TColor color) {
  uint32_t value = static_cast<uint32_t>(color);
  if (value & 0x80000000u) return static_cast<TColor>(GetSysColor(static_cast<int>(value & 0xFF)));
  return color;
}

namespace {

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)) & 0xFFFFFF; }

}  // namespace

// ---- TBrush, TPen -------------------------------------------------------------------------------

void TBrush::SetColor(TColor value) {
  if (value == FColor && FStyle == TBrushStyle::bsSolid) return;
  FColor = value;
  FStyle = TBrushStyle::bsSolid;  // choosing a colour means filling with it
  Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

void TBrush::Changed() {
  if (OnChange) OnChange();
}

void TPen::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Changed();
}

void TPen::SetWidth(int value) {
  if (value == FWidth) return;
  FWidth = value;
  Changed();
}

void TPen::SetStyle(TPenStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed();
}

void TPen::Changed() {
  if (OnChange) OnChange();
}

// ---- TCanvas ------------------------------------------------------------------------------------

TCanvas::TCanvas(HDC dc) : FHandle(dc) {
  FPen.OnChange = [this] { PenChanged(); };
  FBrush.OnChange = [this] { BrushChanged(); };
  FFont.OnChange = [this] { FontChanged(); };
}

TCanvas::~TCanvas() { DeselectObjects(); }

HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == FHandle) return;
  DeselectObjects();
  FHandle = dc;
}

void TCanvas::DeselectObjects() {
  if (FHandle) {
    if (FOldPen) SelectObject(FHandle, FOldPen);
    if (FOldBrush) SelectObject(FHandle, FOldBrush);
    if (FOldFont) SelectObject(FHandle, FOldFont);
  }
  FOldPen = FOldBrush = FOldFont = nullptr;
}

void TCanvas::PenChanged() {
  if (FOldPen && FHandle) SelectObject(FHandle, FOldPen);
  FOldPen = nullptr;
  FPenHandle.Reset();
}

void TCanvas::BrushChanged() {
  if (FOldBrush && FHandle) SelectObject(FHandle, FOldBrush);
  FOldBrush = nullptr;
  FBrushHandle.Reset();
}

void TCanvas::FontChanged() {
  if (FOldFont && FHandle) SelectObject(FHandle, FOldFont);
  FOldFont = nullptr;
  FFontHandle.Reset();
}

void TCanvas::RequireState(int state) {
  HDC dc = Handle();
  if (!dc) return;
  if ((state & kPen) && !FOldPen) {
    if (!FPenHandle) {
      static const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
      FPenHandle.Reset(CreatePen(kStyles[static_cast<int>(FPen.Style())], FPen.Width(), Rgb(FPen.Color())));
    }
    if (FPenHandle) FOldPen = SelectObject(dc, FPenHandle.Get());
  }
  if ((state & kBrush) && !FOldBrush) {
    if (!FBrushHandle) {
      if (FBrush.Style() == TBrushStyle::bsClear) {
        LOGBRUSH hollow{BS_HOLLOW, 0, 0};
        FBrushHandle.Reset(CreateBrushIndirect(&hollow));
      } else {
        FBrushHandle.Reset(CreateSolidBrush(Rgb(FBrush.Color())));
      }
    }
    if (FBrushHandle) FOldBrush = SelectObject(dc, FBrushHandle.Get());
  }
  if ((state & kFont) && !FOldFont) {
    if (!FFontHandle) {
      // A copy of the font's own handle: that one belongs to the TFont, which may drop it anytime.
      LOGFONTW description = {};
      if (GetObjectW(FFont.Handle(), sizeof description, &description)) {
        FFontHandle.Reset(CreateFontIndirectW(&description));
      }
    }
    if (FFontHandle) FOldFont = SelectObject(dc, FFontHandle.Get());
    SetTextColor(dc, Rgb(FFont.Color()));
    if (FBrush.Style() == TBrushStyle::bsClear) {
      SetBkMode(dc, TRANSPARENT);
    } else {
      SetBkMode(dc, OPAQUE);
      SetBkColor(dc, Rgb(FBrush.Color()));
    }
  }
}

void TCanvas::FillRect(const RECT& rect) {
  RequireState(kBrush);
  if (FHandle && FBrush.Style() != TBrushStyle::bsClear) ::FillRect(FHandle, &rect, FBrushHandle.Get());
}

void TCanvas::FrameRect(const RECT& rect) {
  RequireState(kBrush);
  if (FHandle && FBrush.Style() != TBrushStyle::bsClear) ::FrameRect(FHandle, &rect, FBrushHandle.Get());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  RequireState(kPen | kBrush);
  if (FHandle) ::Rectangle(FHandle, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) {
  if (HDC dc = Handle()) MoveToEx(dc, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  RequireState(kPen);
  if (FHandle) ::LineTo(FHandle, x, y);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  RequireState(kFont | kBrush);
  if (FHandle) ::TextOutW(FHandle, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::wstring& text) {
  RequireState(kFont | kBrush);
  UINT options = ETO_CLIPPED | (FBrush.Style() != TBrushStyle::bsClear ? ETO_OPAQUE : 0);
  if (FHandle) ExtTextOutW(FHandle, x, y, options, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::TextWidth(const std::wstring& text) {
  RequireState(kFont);
  SIZE size{0, 0};
  if (FHandle) GetTextExtentPoint32W(FHandle, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int TCanvas::TextHeight(const std::wstring& text) {
  RequireState(kFont);
  SIZE size{0, 0};
  if (FHandle) GetTextExtentPoint32W(FHandle, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cy;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty()) return;
  graphic.Draw(*this, RECT{x, y, x + graphic.Width(), y + graphic.Height()});
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic& graphic) {
  if (!graphic.Empty()) graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& canvas, const RECT& source) {
  HDC target = Handle(), from = canvas.Handle();
  if (!target || !from) return;
  TSaveDCGuard saved(target);
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from, source.left,
             source.top, source.right - source.left, source.bottom - source.top, FCopyMode);
}

TColor TCanvas::Pixel(int x, int y) {
  HDC dc = Handle();
  if (!dc) return clNone;
  COLORREF colour = GetPixel(dc, x, y);
  return colour == CLR_INVALID ? clNone : static_cast<TColor>(colour);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (HDC dc = Handle()) ::SetPixelV(dc, x, y, Rgb(color));
}
