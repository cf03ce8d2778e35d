#include "skin/draw/sliced.h"

#include <vector>

#include "framework/bitmaps.h"
#include "framework/controls.h"
#include "framework/gdi.h"
#include "framework/graphics.h"

namespace {

using TPaletteHandle = TUniqueHandle<HPALETTE, &gdi_detail::DeleteGdiObject>;

// Where one frame lies in its strip. Division truncates, so columns (or rows) left over at the end
// of a strip whose size is not a multiple of the frame count are never shown.
struct TFrame {
  int32_t Width = 0, Height = 0, X = 0, Y = 0;
};

bool FindFrame(TBitmap& map, int32_t frameIndex, int32_t frameCount, bool vertical, TFrame& frame) {
  if (map.Empty() || frameCount < 1 || frameIndex < 1 || frameIndex > frameCount) return false;
  if (vertical) {
    frame.Width = map.Width();
    frame.Height = map.Height() / frameCount;
    frame.X = 0;
    frame.Y = (frameIndex - 1) * frame.Height;
  } else {
    frame.Width = map.Width() / frameCount;
    frame.Height = map.Height();
    frame.X = (frameIndex - 1) * frame.Width;
    frame.Y = 0;
  }
  return true;
}

// Rectangles given as corners, as the slice tables are written.
void Stretch(HDC target, int32_t left, int32_t top, int32_t right, int32_t bottom, HDC source, int32_t sourceLeft,
             int32_t sourceTop, int32_t sourceRight, int32_t sourceBottom) {
  StretchBlt(target, left, top, right - left, bottom - top, source, sourceLeft, sourceTop, sourceRight - sourceLeft,
             sourceBottom - sourceTop, SRCCOPY);
}

bool Inverted(const RECT& rect) { return rect.right < rect.left || rect.bottom < rect.top; }

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

// The nine slices of one frame onto target, shifted by (dx, dy). Corners keep their size and the
// right and bottom pieces come after the centre, so they cover a tiled centre's overrun.
// withCentre = false leaves the centre out; tileCentre tiles it on tileCanvas instead of stretching.
void PaintSlices(HDC target, int32_t dx, int32_t dy, int32_t width, int32_t height, TBitmap& map, const RECT& margins,
                 const TFrame& f, bool withCentre, bool tileCentre, TCanvas* tileCanvas) {
  int32_t l = margins.left, t = margins.top, r = margins.right, b = margins.bottom;
  // Strictly greater: margins that exactly fill the size stay and leave an empty centre.
  if (int64_t{l} + r > width) l = r = 0;
  if (int64_t{t} + b > height) t = b = 0;
  const int32_t w = width, h = height, sx = f.X, sy = f.Y, fw = f.Width, fh = f.Height;
  HDC source = map.Canvas()->Handle();
  auto piece = [&](int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t sl, int32_t st, int32_t sr,
                   int32_t sb) { Stretch(target, left + dx, top + dy, right + dx, bottom + dy, source, sl, st, sr, sb); };
  if (int64_t{l} * t > 0) piece(0, 0, l, t, sx, sy, sx + l, sy + t);
  if (int64_t{l} * b > 0) piece(0, h - b, l, h, sx, sy + fh - b, sx + l, sy + fh);
  if (int64_t{r} * t > 0) piece(w - r, 0, w, t, sx + fw - r, sy, sx + fw, sy + t);
  if (l > 0) piece(0, t, l, h - b, sx, sy + t, sx + l, sy + fh - b);
  if (t > 0) piece(l, 0, w - r, t, sx + l, sy, sx + fw - r, sy + t);
  if (withCentre) {
    if (tileCentre) {
      DrawBGbmp(*tileCanvas, RECT{l + dx, t + dy, w - r + dx, h - b + dy}, map,
                RECT{sx + l, sy + t, sx + fw - r, sy + fh - b});
      source = map.Canvas()->Handle();
    } else {
      piece(l, t, w - r, h - b, sx + l, sy + t, sx + fw - r, sy + fh - b);
    }
  }
  if (int64_t{r} * b > 0) piece(w - r, h - b, w, h, sx + fw - r, sy + fh - b, sx + fw, sy + fh);
  if (r > 0) piece(w - r, t, w, h - b, sx + fw - r, sy + t, sx + fw, sy + fh - b);
  if (b > 0) piece(l, h - b, w - r, h, sx + l, sy + fh - b, sx + fw - r, sy + fh);
}

}  // namespace

std::unique_ptr<TBitmap> GetHMap(const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                                 int32_t frameCount, int32_t tile, int32_t vertical) {
  const int32_t width = dest.right - dest.left, height = dest.bottom - dest.top;
  auto image = NewImage(width, height);
  if (image->Empty()) return image;
  TCanvas* canvas = image->Canvas();
  SetStretchBltMode(canvas->Handle(), COLORONCOLOR);
  TFrame frame;
  if (!FindFrame(map, frameIndex, frameCount, vertical != 0, frame)) return image;
  PaintSlices(canvas->Handle(), 0, 0, width, height, map, margins, frame, true, tile != 0, canvas);
  return image;
}

void DrawRect2(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
               int32_t frameCount, int32_t transparent, int32_t tile, int32_t vertical) {
  TFrame frame;
  if (Inverted(dest) || !FindFrame(map, frameIndex, frameCount, vertical != 0, frame)) return;
  auto image = GetHMap(dest, map, margins, frameIndex, frameCount, tile, vertical);
  PutImage(dc, dest.left, dest.top, *image, transparent);
}

void DrawRect1(HDC dc, const RECT& dest, TBitmap& map, int32_t frameIndex, int32_t frameCount, int32_t transparent) {
  if (Inverted(dest)) return;
  TFrame frame;
  if (!FindFrame(map, frameIndex, frameCount, false, frame)) return;
  auto image = NewImage(dest.right - dest.left, dest.bottom - dest.top);
  if (image->Empty()) return;
  // No stretch mode is chosen: the new DC's default (BLACKONWHITE) ANDs dropped pixels together.
  Stretch(image->Canvas()->Handle(), 0, 0, image->Width(), image->Height(), map.Canvas()->Handle(), frame.X, 0,
          frame.X + frame.Width, map.Height());
  PutImage(dc, dest.left, dest.top, *image, transparent);
}

void DrawRect3(HDC dc, const RECT& dest, TBitmap& map, int32_t frameIndex, int32_t frameCount, int32_t transparent) {
  if (Inverted(dest)) return;
  TFrame frame;
  if (!FindFrame(map, frameIndex, frameCount, false, frame)) return;
  auto image = NewImage(frame.Width, frame.Height);
  if (image->Empty()) return;
  BitBlt(image->Canvas()->Handle(), 0, 0, frame.Width, frame.Height, map.Canvas()->Handle(), frame.X, frame.Y,
         SRCCOPY);
  // Truncating toward zero: a frame larger than Dest by an odd amount overhangs more on the right.
  const int32_t x = dest.left + (dest.right - dest.left - frame.Width) / 2;
  const int32_t y = dest.top + (dest.bottom - dest.top - frame.Height) / 2;
  PutImage(dc, x, y, *image, transparent);
}

void DrawRectTile(TCanvas& canvas, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                  int32_t frameCount, int32_t transparent, int32_t vertical) {
  if (Inverted(dest)) return;
  TFrame f;
  if (!FindFrame(map, frameIndex, frameCount, vertical != 0, f)) return;
  const int32_t w = dest.right - dest.left, h = dest.bottom - dest.top;
  auto image = NewImage(w, h);
  if (image->Empty()) return;
  HDC target = image->Canvas()->Handle();
  HDC source = map.Canvas()->Handle();
  SetStretchBltMode(target, COLORONCOLOR);
  const int32_t l = margins.left, r = margins.right;
  Stretch(target, 0, 0, l, h, source, f.X, f.Y, f.X + l, f.Y + f.Height);
  // A middle slice that is not positive could never advance the loop: the middle stays unpainted.
  const int32_t m = f.Width - l - r;
  if (m > 0) {
    for (int64_t x = l; x < w - r; x += m) {
      const int32_t left = static_cast<int32_t>(x);
      Stretch(target, left, 0, left + m, h, source, f.X + l, f.Y, f.X + l + m, f.Y + f.Height);
    }
  }
  // Last, so that it covers the last middle copy's overrun (and the left piece when Dest is narrow).
  Stretch(target, w - r, 0, w, h, source, f.X + f.Width - r, f.Y, f.X + f.Width, f.Y + f.Height);
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
  TFrame f;
  if (!FindFrame(map, frameIndex, frameCount, vertical != 0, f)) return;
  HDC source = map.Canvas()->Handle();
  const int32_t w = dest.right - dest.left, h = dest.bottom - dest.top;
  if (w < f.Width) {
    StretchBlt(dc, dest.left, dest.top, w, h, source, f.X, f.Y, f.Width, f.Height, SRCCOPY);
    return;
  }
  const int32_t l = margins.left, r = margins.right;
  StretchBlt(dc, dest.left, dest.top, l, h, source, f.X, f.Y, l, f.Height, SRCCOPY);
  StretchBlt(dc, dest.left + l, dest.top, w - l - r, h, source, f.X + l, f.Y, f.Width - l - r, f.Height, SRCCOPY);
  StretchBlt(dc, dest.right - r, dest.top, r, h, source, f.X + f.Width - r, f.Y, r, f.Height, SRCCOPY);
}

void DrawRectV(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
               int32_t frameCount, int32_t /*unused*/, int32_t vertical) {
  TFrame f;
  if (!FindFrame(map, frameIndex, frameCount, vertical != 0, f)) return;
  HDC source = map.Canvas()->Handle();
  const int32_t w = dest.right - dest.left, h = dest.bottom - dest.top;
  if (h < f.Height) {
    StretchBlt(dc, dest.left, dest.top, w, h, source, f.X, f.Y, f.Width, f.Height, SRCCOPY);
    return;
  }
  const int32_t t = margins.top, b = margins.bottom;
  StretchBlt(dc, dest.left, dest.top, w, t, source, f.X, f.Y, f.Width, t, SRCCOPY);
  StretchBlt(dc, dest.left, dest.top + t, w, h - t - b, source, f.X, f.Y + t, f.Width, f.Height - t - b, SRCCOPY);
  StretchBlt(dc, dest.left, dest.bottom - b, w, b, source, f.X, f.Y + f.Height - b, f.Width, b, SRCCOPY);
}

void DrawBorder(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                int32_t frameCount, int32_t /*unused*/, int32_t vertical) {
  TFrame frame;
  if (!FindFrame(map, frameIndex, frameCount, vertical != 0, frame)) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  PaintSlices(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, map, margins, frame, false,
              false, nullptr);
}

std::unique_ptr<TBitmap> GetThumbMap(const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                                     int32_t frameCount, int32_t /*unused*/, int32_t vertical) {
  const int32_t w = dest.right - dest.left, h = dest.bottom - dest.top;
  auto image = NewImage(w, h);
  if (image->Empty()) return image;
  HDC target = image->Canvas()->Handle();
  SetStretchBltMode(target, COLORONCOLOR);
  TFrame f;
  if (vertical || !FindFrame(map, frameIndex, frameCount, false, f)) return image;
  HDC source = map.Canvas()->Handle();
  const int32_t t = margins.top, b = margins.bottom, sx = f.X, fw = f.Width, fh = f.Height;
  if (t > 0) Stretch(target, 0, 0, w, t, source, sx, 0, sx + fw, t);
  Stretch(target, 0, t, w, h - b, source, sx, t, sx + fw, fh - b);
  if (b > 0) Stretch(target, 0, h - b, w, h, source, sx, fh - b, sx + fw, fh);
  return image;
}

void DrawBGbmp(TCanvas& canvas, const RECT& dest, TBitmap& map, const RECT& source) {
  const int32_t w = source.right - source.left, h = source.bottom - source.top;
  if (w < 0 || h < 0 || int64_t{w} * h == 0 || map.Empty()) return;
  TBitmap tile(w, h);
  if (tile.Empty()) return;
  HDC tileDC = tile.Canvas()->Handle();
  BitBlt(tileDC, 0, 0, w, h, map.Canvas()->Handle(), source.left, source.top, SRCCOPY);
  HDC target = canvas.Handle();
  if (!target) return;
  for (int64_t x = dest.left; x < dest.right; x += w) {
    for (int64_t y = dest.top; y < dest.bottom; y += h) {
      BitBlt(target, static_cast<int>(x), static_cast<int>(y), w, h, tileDC, 0, 0, SRCCOPY);
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
