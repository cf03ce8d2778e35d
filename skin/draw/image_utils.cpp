#include "skin/draw/image_utils.h"

#include <cstring>
#include <vector>

#include "framework/graphics/bitmaps.h"
#include "framework/graphics/gdi.h"

namespace {

// Bytes per pixel of the layouts the utilities handle (blue, green, red first); 0 for the others.
int PixelBytes(const TBitmap& bitmap) {
  return bitmap.BitsPerPixel() == 24 || bitmap.BitsPerPixel() == 32 ? bitmap.BitsPerPixel() / 8 : 0;
}

TColor ResolveSystem(TColor colour) {
  uint32_t value = static_cast<uint32_t>(colour);
  return value & 0x80000000u ? static_cast<TColor>(GetSysColor(static_cast<int>(value & 0xFF))) : colour;
}

// Reads the image as bottom-up 32-bit pixels, resizes it to height x width and lets place say
// where old pixel (x, y) goes.
template <class Place>
void Rotate(TBitmap& bitmap, Place place) {
  const int bytes = PixelBytes(bitmap);
  if (bytes == 0 || bitmap.Empty()) return;
  const int w = bitmap.Width(), h = bitmap.Height();
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;  // bottom-up: buffer row k is image row h - 1 - k
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(pixels.size() * 4);
  info.bmiHeader.biXPelsPerMeter = 1;
  info.bmiHeader.biYPelsPerMeter = 1;
  int read;
  {
    TWindowDC screen(nullptr, false);
    // Handle() takes the bitmap out of its canvas's DC, as GetDIBits requires.
    read = GetDIBits(screen.Get(), bitmap.Handle(), 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
  }
  if (read != h) return;
  bitmap.SetSize(h, w);
  for (int y = 0; y < h; ++y) {
    const uint32_t* source = pixels.data() + static_cast<size_t>(h - 1 - y) * static_cast<size_t>(w);
    for (int x = 0; x < w; ++x) {
      POINT to = place(x, y, w, h);
      uint8_t* target = bitmap.ScanLine(to.y) + static_cast<size_t>(to.x) * bytes;
      target[0] = static_cast<uint8_t>(source[x]);
      target[1] = static_cast<uint8_t>(source[x] >> 8);
      target[2] = static_cast<uint8_t>(source[x] >> 16);
    }
  }
}

}  // namespace

void ChangeTrans(TBitmap& bitmap, TColor colour) {
  if (bitmap.PixelFormat() != TPixelFormat::pf24bit || bitmap.BitsPerPixel() != 24) {
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  }
  const uint8_t red = static_cast<uint8_t>(colour), green = static_cast<uint8_t>(colour >> 8),
                blue = static_cast<uint8_t>(colour >> 16);
  for (int y = 0; y < bitmap.Height(); ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      uint8_t* pixel = row + static_cast<size_t>(x) * 3;
      if (pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255) {
        pixel[0] = blue;
        pixel[1] = green;
        pixel[2] = red;
      }
    }
  }
}

void SpiegelnHorizontal(TBitmap& bitmap) {
  const int bytes = PixelBytes(bitmap);
  if (bytes == 0 || bitmap.Empty()) return;
  const int w = bitmap.Width();
  TBitmap mirrored(w, bitmap.Height(), bitmap.PixelFormat());
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* source = bitmap.ScanLine(y);
    uint8_t* target = mirrored.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      std::memcpy(target + static_cast<size_t>(x) * bytes, source + static_cast<size_t>(w - 1 - x) * bytes, 3);
    }
  }
  bitmap.Assign(mirrored);
}

void SpiegelnVertikal(TBitmap& bitmap) {
  const int bytes = PixelBytes(bitmap);
  if (bytes == 0 || bitmap.Empty()) return;
  const int h = bitmap.Height();
  TBitmap flipped(bitmap.Width(), h, bitmap.PixelFormat());
  const size_t rowBytes = static_cast<size_t>(bitmap.Width()) * bytes;
  for (int y = 0; y < h; ++y) std::memcpy(flipped.ScanLine(h - 1 - y), bitmap.ScanLine(y), rowBytes);
  bitmap.Assign(flipped);
}

void Drehen90Grad(TBitmap& bitmap) {
  Rotate(bitmap, [](int x, int y, int /*w*/, int h) { return POINT{h - 1 - y, x}; });
}

void Drehen270Grad(TBitmap& bitmap) {
  Rotate(bitmap, [](int x, int y, int w, int /*h*/) { return POINT{y, w - 1 - x}; });
}

TColor Blend(TColor c1, TColor c2, int32_t weight) {
  return static_cast<TColor>(MixColours(static_cast<uint32_t>(ResolveSystem(c1)),
                                        static_cast<uint32_t>(ResolveSystem(c2)), weight));
}

void GradFill(HDC dc, const RECT& rect, TColor c1, TColor c2, int32_t direction) {
  if (!RectVisible(dc, &rect)) return;
  const uint32_t from = static_cast<uint32_t>(ColorToRGB(c1)), to = static_cast<uint32_t>(ColorToRGB(c2));
  RECT clip{};
  GetClipBox(dc, &clip);
  const bool across = direction == 0;
  const int32_t start = across ? rect.left : rect.top, end = across ? rect.right : rect.bottom;
  const int32_t clipStart = across ? clip.left : clip.top, clipEnd = across ? clip.right : clip.bottom;
  const int32_t n = end - start;
  if (n <= 0) return;
  int32_t first = 0, last = n - 1;
  if (start < clipStart) first = clipStart - start;
  if (clipEnd < end) last -= end - clipEnd;
  const std::vector<uint32_t>& table = GradientCache().Table(n, from, to);
  RECT band = rect;
  if (across) {
    band.left = rect.left + first;
    band.right = band.left + 1;
  } else {
    band.top = rect.top + first;
    band.bottom = band.top + 1;
  }
  for (int32_t i = first; i <= last && i < n; ++i) {
    TBrushHandle brush(CreateSolidBrush(table[static_cast<size_t>(i)]));
    if (brush) FillRect(dc, &band, brush.Get());
    OffsetRect(&band, across ? 1 : 0, across ? 0 : 1);
  }
}
