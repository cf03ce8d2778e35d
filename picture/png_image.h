// TPNGObject: the picture class of PNG files. The decoded image lives in a bottom-up DIB section
// beside the alpha plane of the pure decoder; drawing leaves out or blends transparent pixels.
#pragma once

#include "framework/win32.h"

#include <cstdint>
#include <vector>

#include "framework/graphics/gdi.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/pictures.h"
#include "picture/png_decoder.h"

// A PNG picture. It keeps the file's bytes, so that it is written back exactly as it was read.
class TPNGObject : public TGraphic {
  CORVALE_DECLARE_CLASS()

public:
  // Larger images are refused while their header is read, before any pixel memory is taken.
  static constexpr uint64_t kMaxPixels = TPngImage::kDefaultMaxPixels;

  TPNGObject() = default;
  TPNGObject(const TPNGObject&) = delete;
  TPNGObject& operator=(const TPNGObject&) = delete;

  int Width() const override { return static_cast<int>(FImage.Width()); }
  int Height() const override { return static_cast<int>(FImage.Height()); }
  bool Empty() const override { return !FDib; }
  // Scaled into rect: copied (none), without the transparent colour (bit) or blended by each
  // pixel's alpha over what rect already shows (partial).
  void Draw(TCanvas& canvas, const RECT& rect) override;
  // Reads a PNG file; its errors raise the EPNGError classes and leave the picture empty.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  // Takes another PNG picture's file; any other picture class raises EInvalidGraphic.
  void Assign(const TGraphic& source) override;

  TPNGTransparencyMode GetTransparencyMode() const { return FImage.TransparencyMode(); }
  // The colour bit transparency leaves out; clNone when there is none.
  TColor GetTransparentColor() const;

  // The chunks, gamma tables and decoded storage.
  const TPngImage& Image() const { return FImage; }
  // The DIB section; the picture stays its owner.
  HBITMAP Handle() const { return FDib.Get(); }
  const std::vector<uint8_t>& FileData() const { return FFile; }

private:
  void Reset();
  void BuildBitmap();
  // Pixel (x, y) of the image (0 = top) as 0x00RRGGBB.
  uint32_t Colour(const uint8_t* row, uint32_t x) const;
  const uint8_t* Row(uint32_t y) const { return FBits + static_cast<size_t>(FImage.Height() - 1 - y) * FStride; }
  void DrawOpaque(HDC target, const RECT& rect, DWORD rop);
  void DrawBlended(HDC target, const RECT& rect, bool bitMode);

  TPngImage FImage;
  std::vector<uint8_t> FFile;
  std::vector<uint8_t> FInfo;  // BITMAPINFO with the colour table, for StretchDIBits
  TBitmapHandle FDib;
  uint8_t* FBits = nullptr;
  size_t FStride = 0;
};

// Registers TPNGObject with the picture classes under "PNG", "Portable Network Graphics". Programs
// call it at start-up, before reading definitions that hold PNG pictures.
void RegisterPngPictures();
