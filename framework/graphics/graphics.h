// Colours, and the drawing objects built on GDI: brushes, pens and canvases.
#pragma once

#include "framework/win32.h"

#include <cstdint>
#include <functional>
#include <string>

#include "framework/graphics/font.h"
#include "framework/graphics/gdi.h"

using TColor = int32_t;  // 0x00BBGGRR, or 0x80000000 | system colour index

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBtnFace = static_cast<TColor>(0x80000000u | COLOR_BTNFACE);
constexpr TColor clBtnShadow = static_cast<TColor>(0x80000000u | COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = static_cast<TColor>(0x80000000u | COLOR_BTNHIGHLIGHT);
constexpr TColor clWindowText = static_cast<TColor>(0x80000000u | COLOR_WINDOWTEXT);

// An RGB value for a colour that may name a system colour.
TColor ColorToRGB(TColor color);

class TCanvas;
class TGraphic;

enum class TBrushStyle { bsSolid, bsClear };
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

// What a canvas fills with. A description only: the canvas makes and owns the GDI brush, so a
// brush never goes away while it is selected.
class TBrush {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value);
  std::function<void()> OnChange;

private:
  void Changed();
  TColor FColor = clWhite;
  TBrushStyle FStyle = TBrushStyle::bsSolid;
};

// What a canvas draws lines with; a description, as the brush.
class TPen {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle value);
  std::function<void()> OnChange;

private:
  void Changed();
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = TPenStyle::psSolid;
};

// Drawing on a device context it does not own (a subclass may own one and make it on demand).
// The canvas selects its own pen, brush and font into the DC before each operation and puts the
// DC's previous objects back before any of its own is deleted or the DC changes hands.
class TCanvas {
public:
  explicit TCanvas(HDC dc = nullptr);
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TBrush* Brush() { return &FBrush; }
  TPen* Pen() { return &FPen; }
  TFont* Font() { return &FFont; }
  // The raster operation of Draw, StretchDraw and CopyRect for opaque images (SRCCOPY at first).
  DWORD CopyMode() const { return FCopyMode; }
  void SetCopyMode(DWORD value) { FCopyMode = value; }

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void TextOut(int x, int y, const std::wstring& text);
  // The text clipped to rect, drawn from (x, y).
  void TextRect(const RECT& rect, int x, int y, const std::wstring& text);
  int TextWidth(const std::wstring& text);
  int TextHeight(const std::wstring& text);
  void Draw(int x, int y, TGraphic& graphic);
  void StretchDraw(const RECT& rect, TGraphic& graphic);
  void CopyRect(const RECT& dest, TCanvas& canvas, const RECT& source);
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

protected:
  // Called when the handle is asked for and there is none; a subclass makes its DC here.
  virtual void CreateHandle() {}
  // Puts back what the canvas selected into the DC; its own GDI objects stay for the next use.
  void DeselectObjects();

private:
  enum TState { kPen = 1, kBrush = 2, kFont = 4 };
  void RequireState(int state);
  void PenChanged();
  void BrushChanged();
  void FontChanged();

  HDC FHandle = nullptr;
  TBrush FBrush;
  TPen FPen;
  TFont FFont;
  DWORD FCopyMode = SRCCOPY;
  TPenHandle FPenHandle;
  TBrushHandle FBrushHandle;
  TFontHandle FFontHandle;
  HGDIOBJ FOldPen = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  HGDIOBJ FOldFont = nullptr;
};
