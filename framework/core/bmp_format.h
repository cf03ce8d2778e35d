// Windows BMP files and packed DIBs (the RT_BITMAP resource layout), read into a neutral image and
// written back. Pure code, no Windows headers: the bitmap class turns the image into a DIB section.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/core/exceptions.h"

// A BMP that cannot be read: truncated, inconsistent, too large or of an unsupported kind.
class EBmpError : public Exception {
public:
  using Exception::Exception;
};

// Pixels in the layout of a Windows DIB with BI_RGB: rows padded to four bytes, blue-green-red
// byte order, indices for 1, 4 and 8 bits per pixel. Rows are stored top row first.
struct TBmpImage {
  int32_t Width = 0;
  int32_t Height = 0;
  int BitsPerPixel = 0;             // 1, 4, 8, 24 or 32
  std::vector<uint32_t> Palette;    // 0x00RRGGBB; exactly 2^bpp entries for indexed images, else empty
  std::vector<uint8_t> Pixels;      // Height rows of Stride() bytes

  size_t Stride() const { return StrideFor(Width, BitsPerPixel); }
  uint8_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * Stride(); }
  const uint8_t* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * Stride(); }
  // The colour of pixel (x, y) as 0x00RRGGBB.
  uint32_t PixelColor(int x, int y) const;

  static size_t StrideFor(int32_t width, int bitsPerPixel) {
    return (static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) / 32 * 4;
  }
};

// Reads a BMP file (file header, then a CORE, INFO, V4 or V5 header). 16-bit images and bit-field
// layouts other than plain blue-green-red come out as 24 or 32 bits; RLE4 and RLE8 are decoded.
// Images of more than maxPixels pixels are refused.
TBmpImage ReadBmp(const uint8_t* data, size_t size, uint64_t maxPixels);
// Reads a packed DIB: a header, the colour table and the pixels right after it.
TBmpImage ReadPackedDib(const uint8_t* data, size_t size, uint64_t maxPixels);
// A BMP file with a 40-byte header, bottom-up BI_RGB rows and, for indexed images, the palette.
std::vector<uint8_t> WriteBmp(const TBmpImage& image);
