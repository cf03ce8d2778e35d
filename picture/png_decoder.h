// PNG files (ISO/IEC 15948) read into chunk objects and the storage the picture class draws from:
// bottom-up rows in the layout of a Windows DIB, a palette, an alpha plane and, for 16-bit images,
// a plane of the samples' low bytes. Pure code over zlib, no Windows headers: picture/png_image
// turns the storage into a DIB section.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/streams.h"

// Root of the errors a PNG file can raise; each class below carries its fixed message.
class EPNGError : public Exception {
public:
  using Exception::Exception;
};

#define CORVALE_PNG_ERROR(name) \
  class name : public EPNGError { \
  public:                          \
    name();                        \
  };
CORVALE_PNG_ERROR(EPNGInvalidFileHeader)
CORVALE_PNG_ERROR(EPngUnexpectedEnd)
CORVALE_PNG_ERROR(EPNGIHDRNotFirst)
CORVALE_PNG_ERROR(EPNGUnknownCriticalChunk)
CORVALE_PNG_ERROR(EPngInvalidCRC)
CORVALE_PNG_ERROR(EPngInvalidIHDR)
CORVALE_PNG_ERROR(EPNGSizeExceeds)
CORVALE_PNG_ERROR(EPNGUnknownCompression)
CORVALE_PNG_ERROR(EPNGUnknownInterlace)
CORVALE_PNG_ERROR(EPNGInvalidPalette)
CORVALE_PNG_ERROR(EPNGMissingMultipleIDAT)
CORVALE_PNG_ERROR(EPNGNoImageData)
#undef CORVALE_PNG_ERROR

// Inflating the image data failed; the message ends with zlib's description.
class EPNGZLIBError : public EPNGError {
public:
  explicit EPNGZLIBError(const std::string& description);
};

// PNG colour types.
constexpr uint8_t kPngGrayscale = 0;
constexpr uint8_t kPngRGB = 2;
constexpr uint8_t kPngPalette = 3;
constexpr uint8_t kPngGrayscaleAlpha = 4;
constexpr uint8_t kPngRGBAlpha = 6;

enum class TPNGTransparencyMode { ptmNone, ptmBit, ptmPartial };

using TPngGammaTable = std::array<uint8_t, 256>;

class TPngImage;
class TPngReader;

// One chunk of the file: its name and data as read. Classes of the known names interpret the data
// once it has passed the CRC check; any other name keeps the bytes only.
class TChunk {
public:
  TChunk(TPngImage& owner, const std::string& name) : FOwner(owner), FName(name) {}
  virtual ~TChunk() = default;
  TChunk(const TChunk&) = delete;
  TChunk& operator=(const TChunk&) = delete;

  const std::string& Name() const { return FName; }
  const std::vector<uint8_t>& Data() const { return FData; }
  uint32_t DataSize() const { return static_cast<uint32_t>(FData.size()); }
  TPngImage& Owner() const { return FOwner; }

protected:
  friend class TPngImage;
  friend class TPngReader;
  // The data has been read and its CRC checked; the reader is still positioned after the CRC.
  virtual void Interpret(TPngReader&) {}

  std::vector<uint8_t> FData;

private:
  TPngImage& FOwner;
  std::string FName;
};

// The header, and the decoded image it describes.
class TChunkIHDR : public TChunk {
public:
  using TChunk::TChunk;

  uint32_t Width() const { return FWidth; }
  uint32_t Height() const { return FHeight; }
  uint8_t BitDepth() const { return FBitDepth; }
  uint8_t ColorType() const { return FColorType; }
  uint8_t CompressionMethod() const { return FCompressionMethod; }
  uint8_t FilterMethod() const { return FFilterMethod; }
  uint8_t InterlaceMethod() const { return FInterlaceMethod; }

  // Of the storage: 1, 4 or 8 for grey, palette and grey-with-alpha images, 24 for RGB ones.
  int BitsPerPixel() const { return FBitsPerPixel; }
  size_t Stride() const { return FStride; }
  // Height rows of Stride() bytes, bottom row first, as a bottom-up DIB holds them.
  const std::vector<uint8_t>& ImageData() const { return FImageData; }
  // Row y of the image (0 = top).
  const uint8_t* ScanLine(uint32_t y) const { return FImageData.data() + (FHeight - 1 - y) * FStride; }
  // 2^BitsPerPixel() entries (0x00RRGGBB) for the indexed storage, else empty.
  const std::vector<uint32_t>& Palette() const { return FPalette; }
  // Width x Height alpha values, top row first; empty unless the colour type has alpha.
  const std::vector<uint8_t>& AlphaData() const { return FAlphaData; }
  // For 16-bit images: the low bytes of the samples, laid out as ImageData(); else empty.
  const std::vector<uint8_t>& ExtraData() const { return FExtraData; }

protected:
  void Interpret(TPngReader& reader) override;

private:
  friend class TChunkPLTE;
  friend class TImageDecoder;
  uint32_t FWidth = 0;
  uint32_t FHeight = 0;
  uint8_t FBitDepth = 0;
  uint8_t FColorType = 0;
  uint8_t FCompressionMethod = 0;
  uint8_t FFilterMethod = 0;
  uint8_t FInterlaceMethod = 0;
  int FBitsPerPixel = 0;
  size_t FStride = 0;
  std::vector<uint8_t> FImageData;
  std::vector<uint32_t> FPalette;
  std::vector<uint8_t> FAlphaData;
  std::vector<uint8_t> FExtraData;
};

class TChunkIEND : public TChunk {
public:
  using TChunk::TChunk;
};

// The first image data chunk: it reads the following ones itself, as one zlib stream.
class TChunkIDAT : public TChunk {
public:
  using TChunk::TChunk;

protected:
  void Interpret(TPngReader& reader) override;
};

class TChunkPLTE : public TChunk {
public:
  using TChunk::TChunk;
  int Count() const { return static_cast<int>(FData.size() / 3); }

protected:
  void Interpret(TPngReader& reader) override;
};

class TChunkgAMA : public TChunk {
public:
  using TChunk::TChunk;
  // The file's value (gamma x 100000); 0 when the chunk is too short to hold one.
  uint32_t Gamma() const;

protected:
  void Interpret(TPngReader& reader) override;
};

class TChunktRNS : public TChunk {
public:
  using TChunk::TChunk;
  // Alpha of each palette index: the chunk's bytes, 255 beyond them.
  const std::array<uint8_t, 256>& PaletteValues() const { return FPaletteValues; }
  bool BitTransparency() const { return FBitTransparency; }

protected:
  void Interpret(TPngReader& reader) override;

private:
  std::array<uint8_t, 256> FPaletteValues{};
  bool FBitTransparency = false;
};

class TChunkpHYs : public TChunk {
public:
  using TChunk::TChunk;
  // 0 when the chunk is too short.
  uint32_t PPUnitX() const;
  uint32_t PPUnitY() const;
  uint8_t UnitType() const;
};

class TChunktIME : public TChunk {
public:
  using TChunk::TChunk;
  // 0 when the chunk is too short.
  int Year() const;
  int Month() const;
  int Day() const;
  int Hour() const;
  int Minute() const;
  int Second() const;
};

// Latin-1 keyword and text.
class TChunktEXt : public TChunk {
public:
  using TChunk::TChunk;
  std::string Keyword() const;
  std::string Text() const;
};

// Keyword and deflated text; the text is inflated when asked for, up to maxSize bytes.
class TChunkzTXt : public TChunk {
public:
  using TChunk::TChunk;
  std::string Keyword() const;
  // Empty when the compression method is unknown or the data does not inflate.
  std::string Text(size_t maxSize = 1 << 20) const;
};

// A PNG file as its list of chunks in file order (the header first) with the gamma tables and the
// decoded storage.
class TPngImage {
public:
  // The default limit on width x height: far above any picture the program stores.
  static constexpr uint64_t kDefaultMaxPixels = uint64_t{1} << 26;

  TPngImage();
  TPngImage(const TPngImage&) = delete;
  TPngImage& operator=(const TPngImage&) = delete;

  // Reads one file from the stream's position and leaves the stream just after its IEND chunk.
  // A header announcing more than maxPixels pixels raises EPNGSizeExceeds before anything is
  // allocated. On any error the image is left empty.
  void LoadFromStream(TStream& stream, uint64_t maxPixels = kDefaultMaxPixels);
  void LoadFromMemory(const uint8_t* data, size_t size, uint64_t maxPixels = kDefaultMaxPixels);
  void Clear();

  bool Empty() const { return Header() == nullptr; }
  uint32_t Width() const { return Header() ? Header()->Width() : 0; }
  uint32_t Height() const { return Header() ? Header()->Height() : 0; }
  const std::vector<std::unique_ptr<TChunk>>& Chunks() const { return FChunks; }
  // The first chunk of that name, or null.
  TChunk* FindChunk(const std::string& name) const;
  const TChunkIHDR* Header() const;
  const TChunktRNS* Transparency() const;

  const TPngGammaTable& Gamma() const { return FGamma; }
  const TPngGammaTable& InverseGamma() const { return FInverseGamma; }
  uint8_t InterlaceMethod() const { return FInterlaceMethod; }

  TPNGTransparencyMode TransparencyMode() const;
  // The colour (0x00RRGGBB) that bit transparency leaves out; false when there is none.
  bool TransparentColor(uint32_t& rgb) const;

private:
  friend class TPngReader;
  friend class TChunkIHDR;
  friend class TChunkIDAT;
  friend class TChunkgAMA;
  friend class TChunkPLTE;

  std::unique_ptr<TChunk> CreateChunk(const std::string& name);
  void SetGamma(uint32_t value);

  std::vector<std::unique_ptr<TChunk>> FChunks;
  TPngGammaTable FGamma;
  TPngGammaTable FInverseGamma;
  uint8_t FInterlaceMethod = 0;
  bool FImageDecoded = false;
};

// The 256 colours (0x00RRGGBB) of the system halftone palette that palette images start from. The
// table is the one Windows' CreateHalftonePalette gives under Wine for a 256-colour palette (a
// Wine test keeps the two equal): the 20 static system colours at both ends and, between them,
// index i is red (i & 7) x 0x20, green ((i >> 3) & 7) x 0x20, blue ((i >> 6) & 3) x 0x40.
const std::array<uint32_t, 256>& HalftonePalette();
