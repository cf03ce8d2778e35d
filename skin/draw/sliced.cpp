#include "skin/draw/sliced.h"

#include <optional>
#include <vector>

#include "framework/graphics/bitmaps.h"
#include "framework/controls/controls.h"
#include "framework/graphics/gdi.h"
#include "framework/graphics/graphics.h"
#include "skin/draw/slice_geometry.h"

namespace {

TSliceRect SliceRect(const RECT& r) { return TSliceRect{r.left, r.top, r.right, r.bottom}; }

RECT WinRect(const TSliceRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

TSliceMargins SliceMargins(const RECT& m) { return TSliceMargins{m.left, m.top, m.right, m.bottom}; }

std::optional<TSliceRect> FindFrame(TBitmap& map, int32_t frameIndex, int32_t frameCount, bool vertical) {
  return FrameOfStrip(map.Width(), map.Height(), frameIndex, frameCount,
                      vertical ? TOrientation::Vertical : TOrientation::Horizontal);
}

void Stretch(HDC target, HDC source, const TSlice& slice) {
  const TSliceRect& d = slice.Dest;
  const TSliceRect& s = slice.Source;
  StretchBlt(target, d.Left, d.Top, static_cast<int>(d.Width()), static_cast<int>(d.Height()), source, s.Left, s.Top,
             static_cast<int>(s.Width()), static_cast<int>(s.Height()), SRCCOPY);
}

bool Inverted(const RECT& rect) { return SliceRect(rect).Inverted(); }

std::unique_ptr<TBitmap> NewImage(int32_t width, int32_t height) {
  return std::make_unique<TBitmap>(width, height);
}

// The finished image to the target: colour-keyed on magenta, or copied as it is.
void PutImage(HDC dc, int32_t x, int32_t y, TBitmap& image, int32_t transparent) {
  if (image.Empty()) return;
  if (transparent) {
    DrawTranmap(dc, RECT{x, y, x + image.Width(), y + image.Height()}, image, kSkinTransparent);
  } else {
    BitBlt(dc, x, y, image.Width(), image.Height(), image.Canvas()->Handle(), 0, 0, SRCCOPY);
  }
}

enum class TCentre { Stretched, Tiled, LeftOut };

// Tiling goes through DrawBGbmp on tileCanvas, which copies at the source's own size.
void PaintSlices(HDC target, TBitmap& map, const TSlices& slices, TCentre centre, TCanvas* tileCanvas) {
  for (const TSlice& slice : slices) {
    if (slice.Part == TSlicePart::Centre && centre != TCentre::Stretched) {
      if (centre == TCentre::Tiled) DrawBGbmp(*tileCanvas, WinRect(slice.Dest), map, WinRect(slice.Source));
      continue;
    }
    Stretch(target, map.Canvas()->Handle(), slice);
  }
}

// DrawRectH and DrawRectV: the strip's orientation (vertical) and the cut's are independent.
void DrawThreeSlices(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                     int32_t frameCount, int32_t vertical, TOrientation cut) {
  const std::optional<TSliceRect> frame = FindFrame(map, frameIndex, frameCount, vertical != 0);
  if (!frame) return;
  HDC source = map.Canvas()->Handle();
  for (const TSlice& slice : ThreeSlices(*frame, SliceMargins(margins), SliceRect(dest), cut)) {
    Stretch(dc, source, slice);
  }
}

}  // namespace

std::unique_ptr<TBitmap> GetHMap(const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                                 int32_t frameCount, int32_t tile, int32_t vertical) {
  const int32_t width = dest.right - dest.left, height = dest.bottom - dest.top;
  auto image = NewImage(width, height);
  if (image->Empty()) return image;
  TCanvas* canvas = image->Canvas();
  SetStretchBltMode(canvas->Handle(), COLORONCOLOR);
  const std::optional<TSliceRect> frame = FindFrame(map, frameIndex, frameCount, vertical != 0);
  if (!frame) return image;
  PaintSlices(canvas->Handle(), map, NineSlices(*frame, SliceMargins(margins), TSliceRect{0, 0, width, height}),
              tile ? TCentre::Tiled : TCentre::Stretched, canvas);
  return image;
}

void DrawRect2(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
               int32_t frameCount, int32_t transparent, int32_t tile, int32_t vertical) {
  if (Inverted(dest) || !FindFrame(map, frameIndex, frameCount, vertical != 0)) return;
  auto image = GetHMap(dest, map, margins, frameIndex, frameCount, tile, vertical);
  PutImage(dc, dest.left, dest.top, *image, transparent);
}

void DrawRect1(HDC dc, const RECT& dest, TBitmap& map, int32_t frameIndex, int32_t frameCount, int32_t transparent) {
  if (Inverted(dest)) return;
  const std::optional<TSliceRect> frame = FindFrame(map, frameIndex, frameCount, false);
  if (!frame) return;
  auto image = NewImage(dest.right - dest.left, dest.bottom - dest.top);
  if (image->Empty()) return;
  // No stretch mode is chosen: the new DC's default (BLACKONWHITE) ANDs dropped pixels together.
  Stretch(image->Canvas()->Handle(), map.Canvas()->Handle(),
          TSlice{TSlicePart::Whole, *frame, TSliceRect{0, 0, image->Width(), image->Height()}});
  PutImage(dc, dest.left, dest.top, *image, transparent);
}

void DrawRect3(HDC dc, const RECT& dest, TBitmap& map, int32_t frameIndex, int32_t frameCount, int32_t transparent) {
  if (Inverted(dest)) return;
  const std::optional<TSliceRect> frame = FindFrame(map, frameIndex, frameCount, false);
  if (!frame) return;
  const std::optional<TSliceRect> place = CentredOn(*frame, SliceRect(dest));
  if (!place) return;
  const int32_t width = static_cast<int32_t>(frame->Width()), height = static_cast<int32_t>(frame->Height());
  auto image = NewImage(width, height);
  if (image->Empty()) return;
  BitBlt(image->Canvas()->Handle(), 0, 0, width, height, map.Canvas()->Handle(), frame->Left, frame->Top, SRCCOPY);
  PutImage(dc, place->Left, place->Top, *image, transparent);
}

void DrawRectTile(TCanvas& canvas, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                  int32_t frameCount, int32_t transparent, int32_t vertical) {
  if (Inverted(dest)) return;
  const std::optional<TSliceRect> frame = FindFrame(map, frameIndex, frameCount, vertical != 0);
  if (!frame) return;
  const int32_t w = dest.right - dest.left, h = dest.bottom - dest.top;
  auto image = NewImage(w, h);
  if (image->Empty()) return;
  HDC target = image->Canvas()->Handle();
  HDC source = map.Canvas()->Handle();
  SetStretchBltMode(target, COLORONCOLOR);
  const TTiledSlices tiled =
      TiledSlices(*frame, SliceMargins(margins), TSliceRect{0, 0, w, h}, TOrientation::Horizontal);
  if (tiled.First) Stretch(target, source, *tiled.First);
  for (int64_t column = 0; column < tiled.Middle.Columns; ++column) {
    for (int64_t row = 0; row < tiled.Middle.Rows; ++row) {
      Stretch(target, source, TSlice{TSlicePart::Centre, tiled.Middle.Source, tiled.Middle.Copy(column, row)});
    }
  }
  if (tiled.Last) Stretch(target, source, *tiled.Last);
  if (transparent) {
    image->SetTransparentColor(static_cast<TColor>(kSkinTransparent));
    image->SetTransparent(true);
    canvas.Draw(dest.left, dest.top, *image);
  } else if (HDC dc = canvas.Handle()) {
    BitBlt(dc, dest.left, dest.top, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
}

void DrawRectH(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
               int32_t frameCount, int32_t /*unused*/, int32_t vertical) {
  DrawThreeSlices(dc, dest, map, margins, frameIndex, frameCount, vertical, TOrientation::Horizontal);
}

void DrawRectV(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
               int32_t frameCount, int32_t /*unused*/, int32_t vertical) {
  DrawThreeSlices(dc, dest, map, margins, frameIndex, frameCount, vertical, TOrientation::Vertical);
}

void DrawBorder(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                int32_t frameCount, int32_t /*unused*/, int32_t vertical) {
  const std::optional<TSliceRect> frame = FindFrame(map, frameIndex, frameCount, vertical != 0);
  if (!frame) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  PaintSlices(dc, map, NineSlices(*frame, SliceMargins(margins), SliceRect(dest)), TCentre::LeftOut, nullptr);
}

std::unique_ptr<TBitmap> GetThumbMap(const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                                     int32_t frameCount, int32_t /*unused*/, int32_t vertical) {
  const int32_t w = dest.right - dest.left, h = dest.bottom - dest.top;
  auto image = NewImage(w, h);
  if (image->Empty()) return image;
  HDC target = image->Canvas()->Handle();
  SetStretchBltMode(target, COLORONCOLOR);
  if (vertical) return image;
  const std::optional<TSliceRect> frame = FindFrame(map, frameIndex, frameCount, false);
  if (!frame) return image;
  HDC source = map.Canvas()->Handle();
  for (const TSlice& slice :
       ThumbSlices(*frame, SliceMargins(margins), TSliceRect{0, 0, w, h}, TOrientation::Vertical)) {
    Stretch(target, source, slice);
  }
  return image;
}

void DrawBGbmp(TCanvas& canvas, const RECT& dest, TBitmap& map, const RECT& source) {
  const int32_t w = source.right - source.left, h = source.bottom - source.top;
  const TTiling tiling = Tiles(SliceRect(source), w, h, SliceRect(dest));
  if (tiling.Columns == 0 || map.Empty()) return;
  TBitmap tile(w, h);
  if (tile.Empty()) return;
  HDC tileDC = tile.Canvas()->Handle();
  BitBlt(tileDC, 0, 0, w, h, map.Canvas()->Handle(), source.left, source.top, SRCCOPY);
  HDC target = canvas.Handle();
  if (!target) return;
  for (int64_t column = 0; column < tiling.Columns; ++column) {
    for (int64_t row = 0; row < tiling.Rows; ++row) {
      const TSliceRect copy = tiling.Copy(column, row);
      BitBlt(target, copy.Left, copy.Top, w, h, tileDC, 0, 0, SRCCOPY);
    }
  }
}

void DrawTranmap(HDC dc, const RECT& dest, TBitmap& bitmap, COLORREF transparentColour) {
  if (Inverted(dest) || bitmap.Empty()) return;
  // 1 where the transparent colour is. The program needs the NT family (the MinGW-w64 runtime does
  // not start on Windows 9x), so the one MaskBlt is the only path: where the mask is 1 the
  // foreground operation 0xAA0029 leaves the destination, elsewhere SRCCOPY takes the bitmap.
  std::unique_ptr<TBitmap> mask = bitmap.Mask(static_cast<TColor>(transparentColour & 0xFFFFFF));
  MaskBlt(dc, dest.left, dest.top, bitmap.Width(), bitmap.Height(), bitmap.Canvas()->Handle(), 0, 0, mask->Handle(),
          0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
}

void Bitmapdraw(HDC dc, const RECT& dest, TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  HDC source = bitmap.Canvas()->Handle();
  // An indexed image carries its palette as the DIB's colour table; realised in the background so
  // that a palette display maps the colours without taking over the system palette.
  RGBQUAD colours[256];
  UINT count = bitmap.BitsPerPixel() <= 8 ? GetDIBColorTable(source, 0, 256, colours) : 0;
  TPaletteHandle palette;
  if (count > 0) {
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    for (UINT i = 0; i < count; ++i) {
      logical->palPalEntry[i] = PALETTEENTRY{colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    }
    palette.Reset(CreatePalette(logical));
  }
  HPALETTE previous = palette ? SelectPalette(dc, palette.Get(), TRUE) : nullptr;
  if (previous) RealizePalette(dc);
  BitBlt(dc, dest.left, dest.top, bitmap.Width(), bitmap.Height(), source, 0, 0, SRCCOPY);
  // The DC lets go of our palette before its owner deletes it.
  if (previous) SelectPalette(dc, previous, TRUE);
}

void DrawParentImage(TControl* control, HDC dc, bool /*unused*/) {
  if (!control || !control->Parent()) return;
  RECT client{0, 0, control->Width(), control->Height()};
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) client = windowed->ClientRect();
  TSaveDCGuard saved(dc);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
  OffsetRect(&client, control->Left(), control->Top());
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  TWinControl* parent = control->Parent();
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}
