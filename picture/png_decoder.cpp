#include "picture/png_decoder.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// zlib takes its input in pieces no larger than this.
constexpr size_t kInflatePiece = 65535;
// Neither side of the image may exceed this, whatever limit the caller gives.
constexpr uint32_t kMaxSide = 65535;

uint32_t GetBE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

uint32_t ChunkCrc(const std::string& name, const uint8_t* data, size_t size) {
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(name.data()), 4);
  // zlib counts in uInt: feed huge chunks in slices.
  while (size > 0) {
    uInt piece = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
    crc = crc32(crc, data, piece);
    data += piece;
    size -= piece;
  }
  return static_cast<uint32_t>(crc);
}

// Bits of one pixel as the file stores it.
int FileBitsPerPixel(uint8_t colorType, uint8_t depth) {
  switch (colorType) {
    case kPngRGB: return 3 * depth;
    case kPngGrayscaleAlpha: return 2 * depth;
    case kPngRGBAlpha: return 4 * depth;
    default: return depth;
  }
}

bool ValidDepth(uint8_t colorType, uint8_t depth) {
  switch (colorType) {
    case kPngGrayscale: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case kPngPalette: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case kPngRGB:
    case kPngGrayscaleAlpha:
    case kPngRGBAlpha: return depth == 8 || depth == 16;
    default: return false;
  }
}

}  // namespace

// ---- Errors -------------------------------------------------------------------------------------

EPNGInvalidFileHeader::EPNGInvalidFileHeader()
    : EPNGError("The file being readed is not a valid \"Portable Network Graphics\" image because it contains an "
                "invalid header. This file may be corruped, try obtaining it again.") {}
EPngUnexpectedEnd::EPngUnexpectedEnd()
    : EPNGError("This \"Portable Network Graphics\" image is invalid because the decoder found an unexpected end "
                "of the file.") {}
EPNGIHDRNotFirst::EPNGIHDRNotFirst()
    : EPNGError("This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n(IHDR chunk "
                "is not the first)") {}
EPNGUnknownCriticalChunk::EPNGUnknownCriticalChunk()
    : EPNGError("This \"Portable Network Graphics\" image contains an unknown critical part which could not be "
                "decoded.") {}
EPngInvalidCRC::EPngInvalidCRC()
    : EPNGError("This \"Portable Network Graphics\" image is not valid because it contains invalid pieces of data "
                "(crc error)") {}
EPngInvalidIHDR::EPngInvalidIHDR()
    : EPNGError("The \"Portable Network Graphics\" image could not be loaded because one of its main piece of "
                "data (ihdr) might be corrupted") {}
EPNGSizeExceeds::EPNGSizeExceeds()
    : EPNGError("This \"Portable Network Graphics\" image is not supported because either it's width or height "
                "exceeds the maximum size, which is 65535 pixels length.") {}
EPNGUnknownCompression::EPNGUnknownCompression()
    : EPNGError("This \"Portable Network Graphics\" image is encoded with an unknown compression scheme which "
                "could not be decoded.") {}
EPNGUnknownInterlace::EPNGUnknownInterlace()
    : EPNGError("This \"Portable Network Graphics\" image uses an unknown interlace scheme which could not be "
                "decoded.") {}
EPNGInvalidPalette::EPNGInvalidPalette()
    : EPNGError("The \"Portable Network Graphics\" image contains an invalid palette.") {}
EPNGMissingMultipleIDAT::EPNGMissingMultipleIDAT()
    : EPNGError("This \"Portable Network Graphics\" image is invalid because it has missing image parts.") {}
EPNGNoImageData::EPNGNoImageData()
    : EPNGError("This \"Portable Network Graphics\" image contains no data.") {}
EPNGZLIBError::EPNGZLIBError(const std::string& description)
    : EPNGError("Could not decompress the image because it contains invalid compressed data.\r\n Description: " +
                description) {}

// ---- Reader -------------------------------------------------------------------------------------

// The stream a file is read from, with the caller's pixel limit. Every length taken from the file
// is checked against the bytes the stream really has before anything is read or allocated.
class TPngReader {
public:
  TPngReader(TPngImage& image, TStream& stream, uint64_t maxPixels)
      : FImage(image), FStream(stream), FMaxPixels(maxPixels) {}

  TPngImage& Image() const { return FImage; }
  uint64_t MaxPixels() const { return FMaxPixels; }

  void ReadExactly(void* buffer, size_t count) {
    if (count > FStream.Remaining() || FStream.Read(buffer, count) != count) throw EPngUnexpectedEnd();
  }

  void ReadChunkHeader(uint32_t& length, std::string& name) {
    uint8_t header[8];
    ReadExactly(header, 8);
    length = GetBE32(header);
    name.assign(reinterpret_cast<const char*>(header + 4), 4);
  }

  void Skip(uint64_t count) {
    if (count > FStream.Remaining()) throw EPngUnexpectedEnd();
    FStream.SetPosition(FStream.Position() + count);
  }

  // The chunk's data and CRC.
  void ReadChunkData(const std::string& name, uint32_t length, std::vector<uint8_t>& data) {
    if (uint64_t{length} + 4 > FStream.Remaining()) throw EPngUnexpectedEnd();
    data.resize(length);
    if (length) ReadExactly(data.data(), length);
    uint8_t crc[4];
    ReadExactly(crc, 4);
    if (GetBE32(crc) != ChunkCrc(name, data.data(), data.size())) throw EPngInvalidCRC();
  }

  // The next piece of a zlib stream split over consecutive IDAT chunks.
  void ReadNextImageChunk(std::vector<uint8_t>& data) {
    uint32_t length;
    std::string name;
    ReadChunkHeader(length, name);
    if (name != "IDAT") throw EPNGMissingMultipleIDAT();
    ReadChunkData(name, length, data);
  }

private:
  TPngImage& FImage;
  TStream& FStream;
  uint64_t FMaxPixels;
};

// ---- Image data ---------------------------------------------------------------------------------

// Inflates the image data row by row, un-filters each row and stores it. Rows of a pass are
// inflated straight into a buffer that holds the filter byte and the row, next to the prior row.
class TImageDecoder {
public:
  TImageDecoder(TChunkIHDR& header, const TPngGammaTable& gamma, TPngReader& reader)
      : FHeader(header), FGamma(gamma), FReader(reader) {
    FIdentity = true;
    for (int i = 0; i < 256; ++i) FIdentity = FIdentity && FGamma[i] == i;
    std::memset(&FZ, 0, sizeof FZ);
    if (inflateInit(&FZ) != Z_OK) throw EPNGZLIBError(FZ.msg ? FZ.msg : "initialisation failed");
  }
  ~TImageDecoder() { inflateEnd(&FZ); }
  TImageDecoder(const TImageDecoder&) = delete;
  TImageDecoder& operator=(const TImageDecoder&) = delete;

  void Run(const std::vector<uint8_t>& firstData) {
    FInput = &firstData;
    FInputPosition = 0;
    const uint32_t width = FHeader.FWidth, height = FHeader.FHeight;
    const int fileBits = FileBitsPerPixel(FHeader.FColorType, FHeader.FBitDepth);
    const size_t pixelBytes = std::max(1, fileBits / 8);
    struct TPass {
      uint32_t X0, Y0, DX, DY;
    };
    static const TPass kFull[1] = {{0, 0, 1, 1}};
    static const TPass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                    {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const TPass* passes = FHeader.FInterlaceMethod == 1 ? kAdam7 : kFull;
    int passCount = FHeader.FInterlaceMethod == 1 ? 7 : 1;
    for (int p = 0; p < passCount; ++p) {
      const TPass& pass = passes[p];
      if (width <= pass.X0 || height <= pass.Y0) continue;
      uint32_t passWidth = (width - pass.X0 + pass.DX - 1) / pass.DX;
      uint32_t passHeight = (height - pass.Y0 + pass.DY - 1) / pass.DY;
      size_t rowBytes = (static_cast<size_t>(passWidth) * fileBits + 7) / 8;
      // One spare byte in front of each row so the prior row's "pixel to the left" reads stay inside.
      FCurrent.assign(rowBytes + 1, 0);
      FPrior.assign(rowBytes + 1, 0);
      for (uint32_t r = 0; r < passHeight; ++r) {
        if (!Fill(FCurrent.data(), rowBytes + 1)) return;  // the stream ended early: the rest stays clear
        Unfilter(FCurrent[0], FCurrent.data() + 1, FPrior.data() + 1, rowBytes, pixelBytes);
        StoreRow(FCurrent.data() + 1, passWidth, pass.Y0 + r * pass.DY, pass.X0, pass.DX);
        FCurrent.swap(FPrior);
      }
    }
  }

private:
  // Inflates exactly count bytes; false when the zlib stream ends before.
  bool Fill(uint8_t* out, size_t count) {
    FZ.next_out = out;
    FZ.avail_out = static_cast<uInt>(count);
    while (FZ.avail_out > 0) {
      if (FEnded) return false;
      if (FZ.avail_in == 0) {
        while (FInputPosition >= FInput->size()) {
          FReader.ReadNextImageChunk(FNext);
          FInput = &FNext;
          FInputPosition = 0;
        }
        size_t piece = std::min(kInflatePiece, FInput->size() - FInputPosition);
        FZ.next_in = const_cast<Bytef*>(FInput->data() + FInputPosition);
        FZ.avail_in = static_cast<uInt>(piece);
        FInputPosition += piece;
      }
      int result = inflate(&FZ, Z_NO_FLUSH);
      if (result == Z_STREAM_END) {
        FEnded = true;
      } else if (result == Z_BUF_ERROR && FZ.avail_in == 0) {
        continue;  // wants more input
      } else if (result != Z_OK) {
        throw EPNGZLIBError(FZ.msg ? FZ.msg : zError(result));
      }
    }
    return true;
  }

  static void Unfilter(uint8_t type, uint8_t* row, const uint8_t* prior, size_t length, size_t bpp) {
    switch (type) {
      case 1:
        for (size_t i = bpp; i < length; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - bpp]);
        break;
      case 2:
        for (size_t i = 0; i < length; ++i) row[i] = static_cast<uint8_t>(row[i] + prior[i]);
        break;
      case 3:
        for (size_t i = 0; i < bpp && i < length; ++i) row[i] = static_cast<uint8_t>(row[i] + (prior[i] >> 1));
        for (size_t i = bpp; i < length; ++i) row[i] = static_cast<uint8_t>(row[i] + ((row[i - bpp] + prior[i]) >> 1));
        break;
      case 4:
        for (size_t i = 0; i < bpp && i < length; ++i) row[i] = static_cast<uint8_t>(row[i] + prior[i]);
        if (bpp == 4) {
          PaethRest<4>(row, prior, length);
        } else if (bpp == 3) {
          PaethRest<3>(row, prior, length);
        } else {
          for (size_t i = bpp; i < length; ++i) row[i] = static_cast<uint8_t>(row[i] + Paeth(row[i - bpp], prior[i], prior[i - bpp]));
        }
        break;
      default: break;  // 0, and unknown types the line keeps as it is
    }
  }

  static inline uint8_t Paeth(int a, int b, int c) {
    int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
    return static_cast<uint8_t>(pb <= pc ? b : c);
  }

  // With the pixel size known, the left and upper-left neighbours stay in registers.
  template <size_t N>
  static void PaethRest(uint8_t* row, const uint8_t* prior, size_t length) {
    int a[N], c[N];
    for (size_t k = 0; k < N; ++k) {
      a[k] = row[k];
      c[k] = prior[k];
    }
    for (size_t i = N; i + N <= length; i += N) {
      for (size_t k = 0; k < N; ++k) {
        int b = prior[i + k];
        int value = static_cast<uint8_t>(row[i + k] + Paeth(a[k], b, c[k]));
        row[i + k] = static_cast<uint8_t>(value);
        a[k] = value;
        c[k] = b;
      }
    }
  }

  uint8_t* Row(std::vector<uint8_t>& plane, uint32_t y) const {
    return plane.data() + (FHeader.FHeight - 1 - y) * FHeader.FStride;
  }

  // A row of count pixels into image row y, columns x0, x0 + dx, ...
  void StoreRow(const uint8_t* s, uint32_t count, uint32_t y, uint32_t x0, uint32_t dx) {
    const uint8_t depth = FHeader.FBitDepth, type = FHeader.FColorType;
    uint8_t* out = Row(FHeader.FImageData, y);
    const TPngGammaTable& g = FGamma;
    const bool contiguous = dx == 1;
    if (depth < 8) {
      if (contiguous && depth != 2) {
        std::memcpy(out, s, (static_cast<size_t>(count) * depth + 7) / 8);
        return;
      }
      // 2-bit samples are kept as 4-bit indices; grey ones scaled onto the 16 grey levels.
      const int targetBits = depth == 2 ? 4 : depth;
      const unsigned mask = (1u << depth) - 1, targetMask = (1u << targetBits) - 1;
      const unsigned scale = depth == 2 && type == kPngGrayscale ? 5 : 1;
      for (uint32_t i = 0; i < count; ++i) {
        size_t bit = static_cast<size_t>(i) * depth;
        unsigned sample = (s[bit / 8] >> (8 - depth - bit % 8)) & mask;
        size_t target = static_cast<size_t>(x0 + i * dx) * targetBits;
        int shift = 8 - targetBits - static_cast<int>(target % 8);
        uint8_t& byte = out[target / 8];
        byte = static_cast<uint8_t>((byte & ~(targetMask << shift)) | (sample * scale) << shift);
      }
      return;
    }
    uint8_t* alpha = FHeader.FAlphaData.empty() ? nullptr : FHeader.FAlphaData.data() + static_cast<size_t>(y) * FHeader.FWidth;
    if (depth == 8) {
      switch (type) {
        case kPngGrayscale:
        case kPngPalette:
          if (contiguous) {
            std::memcpy(out, s, count);
          } else {
            for (uint32_t i = 0; i < count; ++i) out[x0 + i * dx] = s[i];
          }
          break;
        case kPngGrayscaleAlpha:
          for (uint32_t i = 0; i < count; ++i) {
            uint32_t x = x0 + i * dx;
            out[x] = s[2 * i];
            alpha[x] = s[2 * i + 1];
          }
          break;
        case kPngRGB:
          if (FIdentity) {
            StoreRgb<false, 3>(s, out, nullptr, count, x0, dx);
          } else {
            StoreRgb<true, 3>(s, out, nullptr, count, x0, dx);
          }
          break;
        case kPngRGBAlpha:
          if (FIdentity) {
            StoreRgb<false, 4>(s, out, alpha, count, x0, dx);
          } else {
            StoreRgb<true, 4>(s, out, alpha, count, x0, dx);
          }
          break;
      }
      return;
    }
    // 16 bits: high bytes into the image, low bytes into the extra plane.
    uint8_t* extra = Row(FHeader.FExtraData, y);
    for (uint32_t i = 0; i < count; ++i) {
      size_t x = x0 + static_cast<size_t>(i) * dx;
      switch (type) {
        case kPngGrayscale:
          out[x] = s[2 * i];
          extra[x] = s[2 * i + 1];
          break;
        case kPngGrayscaleAlpha:
          out[x] = s[4 * i];
          extra[x] = s[4 * i + 1];
          alpha[x] = s[4 * i + 2];
          break;
        case kPngRGB:
        case kPngRGBAlpha: {
          const uint8_t* p = s + static_cast<size_t>(i) * (type == kPngRGB ? 6 : 8);
          uint8_t* o = out + 3 * x;
          uint8_t* e = extra + 3 * x;
          o[0] = g[p[4]], o[1] = g[p[2]], o[2] = g[p[0]];
          e[0] = g[p[5]], e[1] = g[p[3]], e[2] = g[p[1]];
          if (alpha) alpha[x] = p[6];
          break;
        }
      }
    }
  }

  template <bool Lookup, int N>
  void StoreRgb(const uint8_t* s, uint8_t* out, uint8_t* alpha, uint32_t count, uint32_t x0, uint32_t dx) const {
    const TPngGammaTable& g = FGamma;
    uint8_t* o = out + 3 * static_cast<size_t>(x0);
    uint8_t* a = alpha ? alpha + x0 : nullptr;
    const size_t step = 3 * static_cast<size_t>(dx);
    for (uint32_t i = 0; i < count; ++i, s += N, o += step) {
      o[0] = Lookup ? g[s[2]] : s[2];
      o[1] = Lookup ? g[s[1]] : s[1];
      o[2] = Lookup ? g[s[0]] : s[0];
      if (N == 4) {
        *a = s[3];
        a += dx;
      }
    }
  }

  TChunkIHDR& FHeader;
  const TPngGammaTable& FGamma;
  TPngReader& FReader;
  bool FIdentity = true;
  z_stream FZ;
  bool FEnded = false;
  const std::vector<uint8_t>* FInput = nullptr;
  size_t FInputPosition = 0;
  std::vector<uint8_t> FNext;
  std::vector<uint8_t> FCurrent;
  std::vector<uint8_t> FPrior;
};

// ---- Chunks -------------------------------------------------------------------------------------

void TChunkIHDR::Interpret(TPngReader& reader) {
  TPngImage& image = reader.Image();
  // A repeated header is kept as it is: the image is the first one's.
  if (image.FChunks.empty() || image.FChunks.front().get() != this) return;
  if (FData.size() < 13) throw EPngInvalidIHDR();
  const uint8_t* d = FData.data();
  FWidth = GetBE32(d);
  FHeight = GetBE32(d + 4);
  FBitDepth = d[8];
  FColorType = d[9];
  FCompressionMethod = d[10];
  FFilterMethod = d[11];
  FInterlaceMethod = d[12];
  if (FWidth > kMaxSide || FHeight > kMaxSide) throw EPNGSizeExceeds();
  if (FCompressionMethod != 0) throw EPNGUnknownCompression();
  if (FInterlaceMethod > 1) throw EPNGUnknownInterlace();
  // Combinations the standard forbids have no storage layout, and an empty image no rows.
  if (!ValidDepth(FColorType, FBitDepth) || FWidth == 0 || FHeight == 0) throw EPngInvalidIHDR();
  if (uint64_t{FWidth} * FHeight > reader.MaxPixels()) throw EPNGSizeExceeds();
  image.FInterlaceMethod = FInterlaceMethod;

  bool rgb = FColorType == kPngRGB || FColorType == kPngRGBAlpha;
  FBitsPerPixel = rgb ? 24 : FBitDepth == 1 ? 1 : FBitDepth <= 4 ? 4 : 8;
  FStride = (static_cast<size_t>(FBitsPerPixel) * FWidth + 31) / 32 * 4;
  FImageData.assign(FStride * FHeight, 0);
  if (FBitDepth == 16) FExtraData.assign(FStride * FHeight, 0);
  if (FColorType == kPngGrayscaleAlpha || FColorType == kPngRGBAlpha) {
    FAlphaData.assign(static_cast<size_t>(FWidth) * FHeight, 0);
  }
  if (!rgb) {
    size_t count = size_t{1} << FBitsPerPixel;
    if (FColorType == kPngPalette) {
      const auto& halftone = HalftonePalette();
      FPalette.assign(halftone.begin(), halftone.begin() + count);
    } else {
      FPalette.resize(count);
      for (size_t k = 0; k < count; ++k) {
        uint32_t level = image.FGamma[(k * 255 + (count - 1) / 2) / (count - 1)];
        FPalette[k] = level << 16 | level << 8 | level;
      }
    }
  }
}

void TChunkIDAT::Interpret(TPngReader& reader) {
  TPngImage& image = reader.Image();
  auto* header = static_cast<TChunkIHDR*>(image.FChunks.front().get());
  // Set first: whatever happens below, later image data chunks are not read again.
  image.FImageDecoded = true;
  TImageDecoder decoder(*header, image.FGamma, reader);
  decoder.Run(FData);
}

void TChunkPLTE::Interpret(TPngReader& reader) {
  if (FData.size() % 3 != 0 || FData.size() > 768) throw EPNGInvalidPalette();
  TPngImage& image = reader.Image();
  auto* header = static_cast<TChunkIHDR*>(image.FChunks.front().get());
  // Only palette images index their colours; other types may carry a suggested palette.
  if (header->FColorType != kPngPalette) return;
  const TPngGammaTable& g = image.FGamma;
  size_t count = std::min<size_t>(Count(), header->FPalette.size());
  for (size_t k = 0; k < count; ++k) {
    const uint8_t* p = FData.data() + 3 * k;
    header->FPalette[k] = static_cast<uint32_t>(g[p[0]]) << 16 | static_cast<uint32_t>(g[p[1]]) << 8 | g[p[2]];
  }
}

uint32_t TChunkgAMA::Gamma() const { return FData.size() >= 4 ? GetBE32(FData.data()) : 0; }

void TChunkgAMA::Interpret(TPngReader& reader) {
  if (Gamma() != 0) reader.Image().SetGamma(Gamma());
}

void TChunktRNS::Interpret(TPngReader& reader) {
  if (FData.size() > 256) throw EPNGInvalidPalette();
  FPaletteValues.fill(255);
  std::copy(FData.begin(), FData.end(), FPaletteValues.begin());
  const TChunkIHDR* header = reader.Image().Header();
  uint8_t type = header ? header->ColorType() : 0;
  if (type == kPngGrayscale || type == kPngRGB) {
    FBitTransparency = true;
  } else if (type == kPngPalette) {
    FBitTransparency = std::count_if(FData.begin(), FData.end(), [](uint8_t a) { return a != 255; }) == 1;
  }
}

uint32_t TChunkpHYs::PPUnitX() const { return FData.size() >= 9 ? GetBE32(FData.data()) : 0; }
uint32_t TChunkpHYs::PPUnitY() const { return FData.size() >= 9 ? GetBE32(FData.data() + 4) : 0; }
uint8_t TChunkpHYs::UnitType() const { return FData.size() >= 9 ? FData[8] : 0; }

int TChunktIME::Year() const { return FData.size() >= 7 ? FData[0] << 8 | FData[1] : 0; }
int TChunktIME::Month() const { return FData.size() >= 7 ? FData[2] : 0; }
int TChunktIME::Day() const { return FData.size() >= 7 ? FData[3] : 0; }
int TChunktIME::Hour() const { return FData.size() >= 7 ? FData[4] : 0; }
int TChunktIME::Minute() const { return FData.size() >= 7 ? FData[5] : 0; }
int TChunktIME::Second() const { return FData.size() >= 7 ? FData[6] : 0; }

namespace {

// The keyword ends at the first zero byte (or the data's end); what follows starts after it.
size_t KeywordEnd(const std::vector<uint8_t>& data) {
  return static_cast<size_t>(std::find(data.begin(), data.end(), 0) - data.begin());
}

}  // namespace

std::string TChunktEXt::Keyword() const { return std::string(FData.begin(), FData.begin() + KeywordEnd(FData)); }

std::string TChunktEXt::Text() const {
  size_t start = std::min(KeywordEnd(FData) + 1, FData.size());
  return std::string(FData.begin() + start, FData.end());
}

std::string TChunkzTXt::Keyword() const { return std::string(FData.begin(), FData.begin() + KeywordEnd(FData)); }

std::string TChunkzTXt::Text(size_t maxSize) const {
  size_t method = KeywordEnd(FData) + 1;
  if (method >= FData.size() || FData[method] != 0) return std::string();
  z_stream z;
  std::memset(&z, 0, sizeof z);
  if (inflateInit(&z) != Z_OK) return std::string();
  z.next_in = const_cast<Bytef*>(FData.data() + method + 1);
  z.avail_in = static_cast<uInt>(std::min<size_t>(FData.size() - method - 1, UINT32_MAX));
  std::string text;
  char buffer[4096];
  int result = Z_OK;
  while (result == Z_OK && text.size() < maxSize) {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    result = inflate(&z, Z_NO_FLUSH);
    text.append(buffer, sizeof buffer - z.avail_out);
  }
  inflateEnd(&z);
  if (result != Z_STREAM_END && result != Z_OK) return std::string();
  if (text.size() > maxSize) text.resize(maxSize);
  return text;
}

// ---- TPngImage ----------------------------------------------------------------------------------

TPngImage::TPngImage() { Clear(); }

void TPngImage::Clear() {
  FChunks.clear();
  for (int i = 0; i < 256; ++i) FGamma[i] = FInverseGamma[i] = static_cast<uint8_t>(i);
  FInterlaceMethod = 0;
  FImageDecoded = false;
}

void TPngImage::SetGamma(uint32_t value) {
  double exponent = 1.0 / (value / 100000.0 * 2.2);
  for (int i = 0; i < 256; ++i) {
    // nearbyint rounds halves to even in the default rounding mode.
    double level = std::nearbyint(255.0 * std::pow(i / 255.0, exponent));
    FGamma[i] = static_cast<uint8_t>(std::clamp(level, 0.0, 255.0));
    FInverseGamma[FGamma[i]] = static_cast<uint8_t>(i);
  }
}

std::unique_ptr<TChunk> TPngImage::CreateChunk(const std::string& name) {
  if (name == "IEND") return std::make_unique<TChunkIEND>(*this, name);
  if (name == "IHDR") return std::make_unique<TChunkIHDR>(*this, name);
  if (name == "IDAT") return std::make_unique<TChunkIDAT>(*this, name);
  if (name == "PLTE") return std::make_unique<TChunkPLTE>(*this, name);
  if (name == "gAMA") return std::make_unique<TChunkgAMA>(*this, name);
  if (name == "tRNS") return std::make_unique<TChunktRNS>(*this, name);
  if (name == "pHYs") return std::make_unique<TChunkpHYs>(*this, name);
  if (name == "tIME") return std::make_unique<TChunktIME>(*this, name);
  if (name == "tEXt") return std::make_unique<TChunktEXt>(*this, name);
  if (name == "zTXt") return std::make_unique<TChunkzTXt>(*this, name);
  // Bit 5 of the first letter clear (upper case): a decoder must understand the chunk.
  if ((static_cast<uint8_t>(name[0]) & 0x20) == 0) throw EPNGUnknownCriticalChunk();
  return std::make_unique<TChunk>(*this, name);
}

void TPngImage::LoadFromStream(TStream& stream, uint64_t maxPixels) {
  Clear();
  try {
    TPngReader reader(*this, stream, maxPixels);
    uint8_t signature[8];
    if (stream.Remaining() < 8 || stream.Read(signature, 8) != 8 || std::memcmp(signature, kSignature, 8) != 0) {
      throw EPNGInvalidFileHeader();
    }
    for (;;) {
      uint32_t length;
      std::string name;
      reader.ReadChunkHeader(length, name);
      if (FChunks.empty() && name != "IHDR") throw EPNGIHDRNotFirst();
      if (name == "cHRM" || (name == "IDAT" && FImageDecoded)) {
        reader.Skip(uint64_t{length} + 4);
        continue;
      }
      FChunks.push_back(CreateChunk(name));
      TChunk& chunk = *FChunks.back();
      reader.ReadChunkData(name, length, chunk.FData);
      chunk.Interpret(reader);
      if (name == "IEND") break;
    }
    if (!FImageDecoded) throw EPNGNoImageData();
  } catch (...) {
    Clear();
    throw;
  }
}

void TPngImage::LoadFromMemory(const uint8_t* data, size_t size, uint64_t maxPixels) {
  TMemoryStream stream(data, size);
  LoadFromStream(stream, maxPixels);
}

TChunk* TPngImage::FindChunk(const std::string& name) const {
  for (const auto& chunk : FChunks) {
    if (chunk->Name() == name) return chunk.get();
  }
  return nullptr;
}

const TChunkIHDR* TPngImage::Header() const {
  return FChunks.empty() ? nullptr : dynamic_cast<const TChunkIHDR*>(FChunks.front().get());
}

const TChunktRNS* TPngImage::Transparency() const { return dynamic_cast<const TChunktRNS*>(FindChunk("tRNS")); }

TPNGTransparencyMode TPngImage::TransparencyMode() const {
  const TChunkIHDR* header = Header();
  if (!header) return TPNGTransparencyMode::ptmNone;
  const TChunktRNS* trns = Transparency();
  switch (header->ColorType()) {
    case kPngGrayscale:
    case kPngRGB: return trns ? TPNGTransparencyMode::ptmBit : TPNGTransparencyMode::ptmNone;
    case kPngPalette:
      if (!trns) return TPNGTransparencyMode::ptmNone;
      return trns->BitTransparency() ? TPNGTransparencyMode::ptmBit : TPNGTransparencyMode::ptmPartial;
    default: return TPNGTransparencyMode::ptmPartial;
  }
}

bool TPngImage::TransparentColor(uint32_t& rgb) const {
  const TChunkIHDR* header = Header();
  const TChunktRNS* trns = Transparency();
  if (!header || !trns) return false;
  const std::vector<uint8_t>& data = trns->Data();
  const std::vector<uint32_t>& palette = header->Palette();
  switch (header->ColorType()) {
    case kPngGrayscale: {
      if (data.size() < 2) return false;
      // The grey level the sample is stored as: 2-bit samples were scaled onto 16 levels.
      size_t index = header->BitDepth() == 2 ? (data[1] & 3u) * 5 : data[1];
      if (index >= palette.size()) return false;
      rgb = palette[index];
      return true;
    }
    case kPngRGB:
      if (data.size() < 6) return false;
      rgb = static_cast<uint32_t>(FGamma[data[1]]) << 16 | static_cast<uint32_t>(FGamma[data[3]]) << 8 | FGamma[data[5]];
      return true;
    case kPngPalette:
      for (size_t i = 0; i < palette.size(); ++i) {
        if (trns->PaletteValues()[i] == 0) {
          rgb = palette[i];
          return true;
        }
      }
      return false;
    default: return false;
  }
}

// ---- Halftone palette ---------------------------------------------------------------------------

const std::array<uint32_t, 256>& HalftonePalette() {
  static const std::array<uint32_t, 256> palette = [] {
    static const uint32_t kLow[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                      0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
    static const uint32_t kHigh[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                       0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
      if (i < 10) {
        table[i] = kLow[i];
      } else if (i >= 246) {
        table[i] = kHigh[i - 246];
      } else {
        table[i] = (i & 7) * 0x20 << 16 | ((i >> 3) & 7) * 0x20 << 8 | ((i >> 6) & 3) * 0x40;
      }
    }
    return table;
  }();
  return palette;
}
