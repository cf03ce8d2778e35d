#include "framework/graphics/gdi.h"

TOffscreen::TOffscreen(int width, int height)
    : FWidth(width > 0 ? width : 1), FHeight(height > 0 ? height : 1), FDC(CreateCompatibleDC(nullptr)) {
  if (!FDC) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = FWidth;
  info.bmiHeader.biHeight = -FHeight;  // top-down: row 0 is the top line
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FBitmap.Reset(CreateDIBSection(FDC.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FBitmap) return;
  FOldBitmap = SelectObject(FDC.Get(), FBitmap.Get());
  FBits = static_cast<uint32_t*>(bits);
}

TOffscreen::~TOffscreen() {
  // The bitmap leaves the DC before either is deleted.
  if (FOldBitmap) SelectObject(FDC.Get(), FOldBitmap);
}

uint32_t TOffscreen::Pixel(int x, int y) const {
  if (!FBits || x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  GdiFlush();
  return FBits[static_cast<size_t>(y) * FWidth + x] & 0xFFFFFF;
}

void TOffscreen::CopyTo(HDC target, int x, int y) const {
  if (FBits) BitBlt(target, x, y, FWidth, FHeight, FDC.Get(), 0, 0, SRCCOPY);
}
