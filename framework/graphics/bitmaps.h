// TBitmap: a picture backed by a DIB section, with row access, a canvas of its own, transparency
// by colour and the stored "Data" form (a 4-byte little-endian length, then a BMP file).
#pragma once

#include "framework/win32.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/gdi.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/pictures.h"

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmapCanvas;

// The image is a bottom-up DIB section whatever the file it came from; ScanLine hides that.
// pfDevice bitmaps are 32-bit, the depth of the displays the program runs on.
class TBitmap : public TGraphic {
  CORVALE_DECLARE_CLASS()

public:
  // Images larger than this many pixels are refused when read.
  static constexpr uint64_t kMaxPixels = uint64_t{1} << 26;

  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pfDevice);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  void SetWidth(int value) { SetSize(value, FHeight); }
  void SetHeight(int value) { SetSize(FWidth, value); }
  // Keeps the pixels both sizes share; new pixels are black.
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Converts the pixels; indexed formats get a standard palette and the nearest colours.
  void SetPixelFormat(TPixelFormat value);
  int BitsPerPixel() const { return FBitsPerPixel; }
  // The bytes of row (0 = top), in DIB layout; null outside the image.
  uint8_t* ScanLine(int row);
  const uint8_t* ScanLine(int row) const;
  // The colour of pixel (x, y), read from the DIB (clNone outside).
  TColor Pixel(int x, int y) const;

  // A canvas on the bitmap's own memory DC, made when first asked for. The DC is made anew after
  // Handle() and after any change of size or format; only its stretch mode is carried over.
  TCanvas* Canvas();
  // The bitmap stays the owner. Asking for it takes the bitmap out of the canvas's DC, so the
  // caller may select it into a DC of its own.
  HBITMAP Handle();
  // Hands the HBITMAP to the caller, who deletes it; the bitmap is empty afterwards.
  HBITMAP ReleaseHandle();

  bool Monochrome() const { return FBitsPerPixel == 1; }
  void SetMonochrome(bool value);
  // tmAuto: the bottom-left pixel's colour; tmFixed: the colour set (setting one chooses tmFixed,
  // setting clDefault goes back to tmAuto).
  TColor TransparentColor() const;
  void SetTransparentColor(TColor value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode value);

  void Assign(const TGraphic& source) override;
  // A new 1-bit bitmap: white where this bitmap has colour, black elsewhere.
  std::unique_ptr<TBitmap> Mask(TColor colour) const;

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  // An RT_BITMAP resource of module by name ("#123" names a number); EInvalidGraphic when absent.
  void LoadFromResourceName(HINSTANCE module, const std::wstring& name);
  void LoadFromResourceID(HINSTANCE module, int id);
  // Stretched to rect; with Transparent set, pixels of TransparentColor leave the target as it was.
  void Draw(TCanvas& canvas, const RECT& rect) override;

  bool ReadData(const std::string& name, const std::vector<uint8_t>& bytes) override;
  void WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& properties) const override;
  void ReadPictureData(TStream& stream) override;
  void WritePictureData(TStream& stream) const override;

private:
  friend class TBitmapCanvas;
  void NewImage(int width, int height, int bitsPerPixel, const std::vector<uint32_t>& palette);
  void LoadBytes(const uint8_t* data, size_t size, bool packed);
  void FreeContext();
  uint32_t Rgb(int x, int y) const;  // 0x00RRGGBB

  int FWidth = 0;
  int FHeight = 0;
  int FBitsPerPixel = 32;
  TPixelFormat FPixelFormat = TPixelFormat::pfDevice;
  std::vector<uint32_t> FPalette;  // 0x00RRGGBB, the DIB's colour table
  TBitmapHandle FDib;
  uint8_t* FBits = nullptr;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};
