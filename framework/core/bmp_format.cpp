#include "framework/core/bmp_format.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/core/little_endian.h"

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitFields = 3;
constexpr uint32_t kBiAlphaBitFields = 6;
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;


[[noreturn]] void Fail(const std::string& message) { throw EBmpError("Invalid bitmap: " + message); }

// Makes sure count bytes from offset lie inside the data.
void Need(size_t size, uint64_t offset, uint64_t count, const char* what) {
  if (offset > size || count > size - offset) {
    Fail(std::string(what) + " truncated (" + std::to_string(size) + " bytes, " + std::to_string(offset + count) +
         " needed)");
  }
}

// One colour channel of a bit-field layout, scaled to 8 bits.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;

  explicit TChannel(uint32_t mask) : Mask(mask) {
    if (!mask) return;
    while (!((mask >> Shift) & 1)) ++Shift;
    Max = mask >> Shift;
  }
  uint8_t Extract(uint32_t value) const {
    if (!Max) return 0;
    uint64_t part = (value & Mask) >> Shift;
    return static_cast<uint8_t>((part * 255 + Max / 2) / Max);
  }
};

struct TDibHeader {
  int32_t Width = 0;
  int32_t Height = 0;  // positive; TopDown tells the row order
  bool TopDown = false;
  int BitsPerPixel = 0;
  uint32_t Compression = kBiRgb;
  uint32_t Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  bool HasMasks = false;
  uint64_t TableEnd = 0;  // offset just after the colour table
};

std::vector<uint32_t> ReadPalette(const uint8_t* data, size_t size, uint64_t offset, uint32_t used,
                                  size_t entrySize, int bitsPerPixel) {
  uint32_t full = 1u << bitsPerPixel;
  uint32_t count = used ? used : full;
  Need(size, offset, static_cast<uint64_t>(count) * entrySize, "colour table");
  std::vector<uint32_t> palette(full, 0);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + offset + static_cast<size_t>(i) * entrySize;
    palette[i] = static_cast<uint32_t>(entry[2]) << 16 | static_cast<uint32_t>(entry[1]) << 8 | entry[0];
  }
  return palette;
}

TDibHeader ReadHeader(const uint8_t* data, size_t size, size_t offset, uint64_t maxPixels, TBmpImage& image) {
  Need(size, offset, 4, "bitmap header");
  uint32_t headerSize = GetLE32(data + offset);
  TDibHeader header;
  uint32_t used = 0;
  size_t entrySize = 4;
  if (headerSize == kCoreHeaderSize) {
    Need(size, offset, headerSize, "bitmap header");
    header.Width = GetLE16(data + offset + 4);
    header.Height = GetLE16(data + offset + 6);
    header.BitsPerPixel = GetLE16(data + offset + 10);
    entrySize = 3;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
    Need(size, offset, headerSize, "bitmap header");
    const uint8_t* p = data + offset;
    header.Width = static_cast<int32_t>(GetLE32(p + 4));
    int32_t height = static_cast<int32_t>(GetLE32(p + 8));
    if (height == INT32_MIN) Fail("height out of range");
    header.TopDown = height < 0;
    header.Height = height < 0 ? -height : height;
    header.BitsPerPixel = GetLE16(p + 14);
    header.Compression = GetLE32(p + 16);
    used = GetLE32(p + 32);
  } else {
    Fail("unsupported header size " + std::to_string(headerSize));
  }
  if (header.Width <= 0 || header.Height <= 0) {
    Fail("size " + std::to_string(header.Width) + " x " + std::to_string(header.Height));
  }
  int bpp = header.BitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
    Fail(std::to_string(bpp) + " bits per pixel");
  }
  if (static_cast<uint64_t>(header.Width) * static_cast<uint64_t>(header.Height) > maxPixels) {
    Fail(std::to_string(header.Width) + " x " + std::to_string(header.Height) + " exceeds the limit of " +
         std::to_string(maxPixels) + " pixels");
  }
  switch (header.Compression) {
    case kBiRgb: break;
    case kBiRle8:
    case kBiRle4:
      if (bpp != (header.Compression == kBiRle8 ? 8 : 4)) Fail("run-length coding at " + std::to_string(bpp) + " bits");
      if (header.TopDown) Fail("top-down run-length coding");
      break;
    case kBiBitFields:
    case kBiAlphaBitFields:
      if (bpp != 16 && bpp != 32) Fail("bit fields at " + std::to_string(bpp) + " bits");
      break;
    default: Fail("unsupported compression " + std::to_string(header.Compression));
  }

  uint64_t tableStart = offset + static_cast<uint64_t>(headerSize);
  if (header.Compression == kBiBitFields || header.Compression == kBiAlphaBitFields) {
    int count = header.Compression == kBiAlphaBitFields ? 4 : 3;
    uint64_t at = offset + 40;
    if (headerSize == kInfoHeaderSize) {
      // The masks follow a plain info header; later headers carry them inside.
      Need(size, tableStart, 4u * count, "bit-field masks");
      tableStart += 4u * count;
    } else {
      count = headerSize >= 56 ? 4 : 3;
    }
    for (int i = 0; i < count; ++i) header.Masks[i] = GetLE32(data + at + 4u * i);
    header.HasMasks = true;
  }

  if (bpp <= 8) {
    if (used > (1u << bpp)) Fail("colour table of " + std::to_string(used) + " entries at " + std::to_string(bpp) + " bits");
    image.Palette = ReadPalette(data, size, tableStart, used, entrySize, bpp);
    header.TableEnd = tableStart + static_cast<uint64_t>(used ? used : 1u << bpp) * entrySize;
  } else {
    // A colour table beside true-colour pixels only suggests colours to palette displays.
    header.TableEnd = tableStart + static_cast<uint64_t>(used) * entrySize;
  }
  return header;
}

void DecodeRle(const uint8_t* data, size_t size, const TDibHeader& header, TBmpImage& image) {
  bool four = header.Compression == kBiRle4;
  uint64_t width = static_cast<uint64_t>(header.Width), height = static_cast<uint64_t>(header.Height);
  uint64_t x = 0, y = 0;  // y counts from the bottom row
  auto put = [&](uint8_t index) {
    if (x < width && y < height) {
      uint8_t* row = image.Row(static_cast<int>(height - 1 - y));
      if (four) {
        row[x / 2] = static_cast<uint8_t>((x & 1) ? (row[x / 2] & 0xF0) | index : (row[x / 2] & 0x0F) | index << 4);
      } else {
        row[x] = index;
      }
    }
    ++x;
  };
  size_t p = 0;
  while (p + 1 < size && y < height) {
    uint8_t count = data[p], value = data[p + 1];
    p += 2;
    if (count) {
      for (unsigned i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      Need(size, p, 2, "run-length delta");
      x += data[p];
      y += data[p + 1];
      p += 2;
    } else {
      size_t bytes = four ? (value + 1u) / 2 : value;
      Need(size, p, bytes, "run-length pixels");
      for (unsigned i = 0; i < value; ++i) {
        put(four ? ((i & 1) ? data[p + i / 2] & 0x0F : data[p + i / 2] >> 4) : data[p + i]);
      }
      p += bytes + (bytes & 1);  // absolute runs end on a word boundary
    }
  }
}

void CopyRows(const uint8_t* pixels, size_t available, const TDibHeader& header, TBmpImage& image) {
  int bpp = header.BitsPerPixel;
  size_t sourceStride = TBmpImage::StrideFor(header.Width, bpp);
  // Some writers leave out the padding of the last row.
  size_t lastRow = (static_cast<size_t>(header.Width) * bpp + 7) / 8;
  uint64_t needed = static_cast<uint64_t>(sourceStride) * (header.Height - 1) + lastRow;
  if (available < needed) {
    Fail("pixel data truncated (" + std::to_string(available) + " bytes, " + std::to_string(needed) + " needed)");
  }
  uint32_t masks[4] = {header.Masks[0], header.Masks[1], header.Masks[2], header.Masks[3]};
  if (!header.HasMasks) {
    if (bpp == 16) {
      masks[0] = 0x7C00;
      masks[1] = 0x03E0;
      masks[2] = 0x001F;
    } else {
      masks[0] = 0xFF0000;
      masks[1] = 0x00FF00;
      masks[2] = 0x0000FF;
    }
  }
  bool plain = bpp != 16 && (bpp != 32 || (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF &&
                                           (masks[3] == 0 || masks[3] == 0xFF000000u)));
  TChannel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  for (int32_t y = 0; y < header.Height; ++y) {
    int32_t sourceRow = header.TopDown ? y : header.Height - 1 - y;
    const uint8_t* source = pixels + static_cast<size_t>(sourceRow) * sourceStride;
    uint8_t* target = image.Row(y);
    if (plain) {
      std::memcpy(target, source, std::min(sourceStride, static_cast<size_t>(available - (source - pixels))));
      continue;
    }
    int targetBytes = image.BitsPerPixel / 8;
    for (int32_t x = 0; x < header.Width; ++x) {
      uint32_t value = bpp == 16 ? GetLE16(source + 2 * x) : GetLE32(source + 4 * x);
      uint8_t* out = target + static_cast<size_t>(x) * targetBytes;
      out[0] = blue.Extract(value);
      out[1] = green.Extract(value);
      out[2] = red.Extract(value);
      if (targetBytes == 4) out[3] = alpha.Extract(value);
    }
  }
}

TBmpImage ReadDib(const uint8_t* data, size_t size, size_t headerOffset, uint64_t pixelOffset, uint64_t maxPixels) {
  TBmpImage image;
  TDibHeader header = ReadHeader(data, size, headerOffset, maxPixels, image);
  if (pixelOffset == 0) pixelOffset = header.TableEnd;
  if (pixelOffset > size) Fail("pixel data offset " + std::to_string(pixelOffset) + " beyond the end");
  image.Width = header.Width;
  image.Height = header.Height;
  image.BitsPerPixel = header.BitsPerPixel == 16 ? 24 : header.BitsPerPixel;
  image.Pixels.assign(image.Stride() * static_cast<size_t>(image.Height), 0);
  const uint8_t* pixels = data + pixelOffset;
  size_t available = size - static_cast<size_t>(pixelOffset);
  if (header.Compression == kBiRle4 || header.Compression == kBiRle8) {
    DecodeRle(pixels, available, header, image);
  } else {
    CopyRows(pixels, available, header, image);
  }
  return image;
}

}  // namespace

uint32_t TBmpImage::PixelColor(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height) return 0;
  const uint8_t* row = Row(y);
  auto entry = [this](unsigned index) { return index < Palette.size() ? Palette[index] : 0u; };
  switch (BitsPerPixel) {
    case 1: return entry((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return entry((row[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F);
    case 8: return entry(row[x]);
    default: {
      const uint8_t* p = row + static_cast<size_t>(x) * (BitsPerPixel / 8);
      return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    }
  }
}

TBmpImage ReadBmp(const uint8_t* data, size_t size, uint64_t maxPixels) {
  Need(size, 0, kFileHeaderSize, "file header");
  if (data[0] != 'B' || data[1] != 'M') Fail("no BM signature");
  return ReadDib(data, size, kFileHeaderSize, GetLE32(data + 10), maxPixels);
}

TBmpImage ReadPackedDib(const uint8_t* data, size_t size, uint64_t maxPixels) {
  return ReadDib(data, size, 0, 0, maxPixels);
}

std::vector<uint8_t> WriteBmp(const TBmpImage& image) {
  int bpp = image.BitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) {
    throw EBmpError("Cannot write a bitmap of " + std::to_string(bpp) + " bits per pixel");
  }
  if (image.Width <= 0 || image.Height <= 0 || image.Pixels.size() != image.Stride() * image.Height) {
    throw EBmpError("Cannot write an inconsistent bitmap");
  }
  size_t colours = bpp <= 8 ? image.Palette.size() : 0;
  if (colours > (1u << std::min(bpp, 8))) throw EBmpError("Cannot write a palette larger than the pixel format");
  size_t stride = image.Stride();
  uint32_t offBits = static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize + colours * 4);
  uint32_t imageSize = static_cast<uint32_t>(stride * image.Height);
  std::vector<uint8_t> out;
  out.reserve(offBits + imageSize);
  out.push_back('B');
  out.push_back('M');
  PutLE32(out, offBits + imageSize);
  PutLE32(out, 0);
  PutLE32(out, offBits);
  PutLE32(out, kInfoHeaderSize);
  PutLE32(out, static_cast<uint32_t>(image.Width));
  PutLE32(out, static_cast<uint32_t>(image.Height));  // bottom-up, as every reader expects
  PutLE16(out, 1);
  PutLE16(out, static_cast<uint32_t>(bpp));
  PutLE32(out, kBiRgb);
  PutLE32(out, imageSize);
  PutLE32(out, 3780);  // 96 dots per inch
  PutLE32(out, 3780);
  PutLE32(out, static_cast<uint32_t>(colours));
  PutLE32(out, 0);
  for (size_t i = 0; i < colours; ++i) PutLE32(out, image.Palette[i] & 0xFFFFFF);
  for (int32_t y = image.Height - 1; y >= 0; --y) out.insert(out.end(), image.Row(y), image.Row(y) + stride);
  return out;
}
