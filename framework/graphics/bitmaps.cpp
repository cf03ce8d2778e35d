#include "framework/graphics/bitmaps.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "framework/core/bmp_format.h"
#include "framework/core/text.h"

// The canvas of a bitmap: a memory DC made on demand with the bitmap selected into it. The bitmap
// frees the DC (and so deselects itself) before its DIB is replaced or handed out; the stretch mode
// chosen for the canvas carries over to the next DC.
class TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    if (!FDC) return;
    FStretchMode = GetStretchBltMode(FDC.Get());
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(FDC.Get(), FOldBitmap);
    FOldBitmap = nullptr;
    FDC.Reset();
  }

protected:
  void CreateHandle() override {
    FDC.Reset(CreateCompatibleDC(nullptr));
    if (!FDC) return;
    if (FBitmap.FDib) FOldBitmap = SelectObject(FDC.Get(), FBitmap.FDib.Get());
    if (FStretchMode) SetStretchBltMode(FDC.Get(), FStretchMode);
    SetHandle(FDC.Get());
  }

private:
  TBitmap& FBitmap;
  TMemoryDCHandle FDC;
  HGDIOBJ FOldBitmap = nullptr;
  int FStretchMode = 0;
};

namespace {

uint32_t SwapRB(uint32_t colour) {
  return (colour & 0xFF00) | (colour & 0xFF) << 16 | (colour >> 16 & 0xFF);
}

int BitsOf(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf24bit: return 24;
    default: return 32;
  }
}

TPixelFormat FormatOf(int bits) {
  switch (bits) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 24: return TPixelFormat::pf24bit;
    default: return TPixelFormat::pf32bit;
  }
}

// Black and white; the sixteen VGA colours; those, a 6x6x6 colour cube and greys.
std::vector<uint32_t> StandardPalette(int bits) {
  if (bits == 1) return {0x000000, 0xFFFFFF};
  std::vector<uint32_t> palette = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                   0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  if (bits == 4) return palette;
  for (uint32_t r = 0; r < 6; ++r) {
    for (uint32_t g = 0; g < 6; ++g) {
      for (uint32_t b = 0; b < 6; ++b) palette.push_back(r * 51 << 16 | g * 51 << 8 | b * 51);
    }
  }
  for (uint32_t i = 1; palette.size() < 256; ++i) palette.push_back(i * 10 * 0x010101u);
  return palette;
}

size_t StrideOf(int width, int bits) { return (static_cast<size_t>(width) * bits + 31) / 32 * 4; }

uint32_t ReadRgb(const uint8_t* row, int x, int bits, const std::vector<uint32_t>& palette) {
  auto entry = [&palette](unsigned index) { return index < palette.size() ? palette[index] : 0u; };
  switch (bits) {
    case 1: return entry((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return entry((row[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F);
    case 8: return entry(row[x]);
    default: {
      const uint8_t* p = row + static_cast<size_t>(x) * (bits / 8);
      return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    }
  }
}

// Writes colours into rows of one pixel format, finding the nearest palette entry for indexed ones.
class TPixelWriter {
public:
  TPixelWriter(int bits, const std::vector<uint32_t>& palette) : FBits(bits), FPalette(palette) {}

  void Write(uint8_t* row, int x, uint32_t rgb) {
    switch (FBits) {
      case 1: {
        uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
        row[x / 8] = static_cast<uint8_t>(Nearest(rgb) ? row[x / 8] | bit : row[x / 8] & ~bit);
        break;
      }
      case 4: {
        uint8_t index = Nearest(rgb);
        row[x / 2] = static_cast<uint8_t>((x & 1) ? (row[x / 2] & 0xF0) | index : (row[x / 2] & 0x0F) | index << 4);
        break;
      }
      case 8: row[x] = Nearest(rgb); break;
      default: {
        uint8_t* p = row + static_cast<size_t>(x) * (FBits / 8);
        p[0] = static_cast<uint8_t>(rgb);
        p[1] = static_cast<uint8_t>(rgb >> 8);
        p[2] = static_cast<uint8_t>(rgb >> 16);
        if (FBits == 32) p[3] = 0;
      }
    }
  }

private:
  uint8_t Nearest(uint32_t rgb) {
    auto found = FCache.find(rgb);
    if (found != FCache.end()) return found->second;
    uint8_t best = 0;
    int bestDistance = INT32_MAX;
    for (size_t i = 0; i < FPalette.size(); ++i) {
      int dr = static_cast<int>(rgb >> 16 & 0xFF) - static_cast<int>(FPalette[i] >> 16 & 0xFF);
      int dg = static_cast<int>(rgb >> 8 & 0xFF) - static_cast<int>(FPalette[i] >> 8 & 0xFF);
      int db = static_cast<int>(rgb & 0xFF) - static_cast<int>(FPalette[i] & 0xFF);
      int distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<uint8_t>(i);
      }
    }
    FCache[rgb] = best;
    return best;
  }

  int FBits;
  const std::vector<uint32_t>& FPalette;
  std::unordered_map<uint32_t, uint8_t> FCache;
};

}  // namespace

const TClassInfo& TBitmap::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap", &TGraphic::StaticClassInfo()).Build();
  return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
  FPixelFormat = format;
  FBitsPerPixel = BitsOf(format);
  SetSize(width, height);
}

TBitmap::~TBitmap() { FreeContext(); }

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::NewImage(int width, int height, int bitsPerPixel, const std::vector<uint32_t>& palette) {
  FreeContext();
  FDib.Reset();
  FBits = nullptr;
  FWidth = FHeight = 0;
  FBitsPerPixel = bitsPerPixel;
  FPalette = bitsPerPixel <= 8 ? palette : std::vector<uint32_t>();
  if (width <= 0 || height <= 0) return;
  std::vector<uint8_t> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data());
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = height;  // bottom-up
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiHeader.biClrUsed = static_cast<DWORD>(FPalette.size());
  for (size_t i = 0; i < FPalette.size() && i < 256; ++i) {
    info->bmiColors[i] = RGBQUAD{static_cast<BYTE>(FPalette[i]), static_cast<BYTE>(FPalette[i] >> 8),
                                 static_cast<BYTE>(FPalette[i] >> 16), 0};
  }
  void* bits = nullptr;
  FDib.Reset(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FDib || !bits) {
    FDib.Reset();
    throw EInvalidGraphic("Cannot create a bitmap of " + std::to_string(width) + " x " + std::to_string(height));
  }
  FBits = static_cast<uint8_t*>(bits);
  FWidth = width;
  FHeight = height;
  std::memset(FBits, 0, StrideOf(width, bitsPerPixel) * static_cast<size_t>(height));
}

uint8_t* TBitmap::ScanLine(int row) {
  if (!FBits || row < 0 || row >= FHeight) return nullptr;
  GdiFlush();  // drawing through the canvas may still be queued
  return FBits + static_cast<size_t>(FHeight - 1 - row) * StrideOf(FWidth, FBitsPerPixel);
}

const uint8_t* TBitmap::ScanLine(int row) const { return const_cast<TBitmap*>(this)->ScanLine(row); }

uint32_t TBitmap::Rgb(int x, int y) const {
  const uint8_t* row = ScanLine(y);
  return row && x >= 0 && x < FWidth ? ReadRgb(row, x, FBitsPerPixel, FPalette) : 0;
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clNone;
  return static_cast<TColor>(SwapRB(Rgb(x, y)));
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  std::vector<uint8_t> old;
  int oldWidth = FWidth, oldHeight = FHeight;
  size_t oldStride = StrideOf(oldWidth, FBitsPerPixel);
  if (FBits) {
    GdiFlush();
    old.assign(FBits, FBits + oldStride * oldHeight);
  }
  std::vector<uint32_t> palette = FBitsPerPixel <= 8 && FPalette.empty() ? StandardPalette(FBitsPerPixel) : FPalette;
  NewImage(width, height, FBitsPerPixel, palette);
  // Rows are bottom-up: keep the top-left corner the sizes share.
  int rows = std::min(oldHeight, FHeight);
  size_t bytes = std::min(oldStride, (static_cast<size_t>(std::min(oldWidth, FWidth)) * FBitsPerPixel + 7) / 8);
  for (int y = 0; y < rows; ++y) {
    std::memcpy(ScanLine(y), old.data() + static_cast<size_t>(oldHeight - 1 - y) * oldStride, bytes);
  }
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  int bits = BitsOf(value);
  if (bits == FBitsPerPixel || Empty()) {
    FPixelFormat = value;
    if (bits != FBitsPerPixel) {
      FBitsPerPixel = bits;
      FPalette = bits <= 8 ? StandardPalette(bits) : std::vector<uint32_t>();
    }
    return;
  }
  int width = FWidth, height = FHeight, oldBits = FBitsPerPixel;
  std::vector<uint32_t> oldPalette = FPalette;
  GdiFlush();
  std::vector<uint8_t> old(FBits, FBits + StrideOf(width, oldBits) * height);
  NewImage(width, height, bits, StandardPalette(bits));
  FPixelFormat = value;
  TPixelWriter writer(bits, FPalette);
  size_t oldStride = StrideOf(width, oldBits);
  for (int y = 0; y < height; ++y) {
    const uint8_t* source = old.data() + static_cast<size_t>(height - 1 - y) * oldStride;
    uint8_t* target = ScanLine(y);
    for (int x = 0; x < width; ++x) writer.Write(target, x, ReadRgb(source, x, oldBits, oldPalette));
  }
  Changed();
}

void TBitmap::SetMonochrome(bool value) {
  if (value != Monochrome()) SetPixelFormat(value ? TPixelFormat::pf1bit : TPixelFormat::pfDevice);
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
  return FCanvas.get();
}

HBITMAP TBitmap::Handle() {
  FreeContext();
  return FDib.Get();
}

HBITMAP TBitmap::ReleaseHandle() {
  FreeContext();
  HBITMAP handle = FDib.Release();
  FBits = nullptr;
  FWidth = FHeight = 0;
  Changed();
  return handle;
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == TTransparentMode::tmFixed) return FTransparentColor;
  if (Empty()) return clDefault;
  return Pixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
  FTransparentColor = value;
  FTransparentMode = value == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  FTransparentMode = value;
  Changed();
}

void TBitmap::Assign(const TGraphic& source) {
  if (&source == this) return;
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
    NewImage(bitmap->FWidth, bitmap->FHeight, bitmap->FBitsPerPixel, bitmap->FPalette);
    FPixelFormat = bitmap->FPixelFormat;
    if (FBits) {
      GdiFlush();
      std::memcpy(FBits, bitmap->FBits, StrideOf(FWidth, FBitsPerPixel) * static_cast<size_t>(FHeight));
    }
    FTransparentColor = bitmap->FTransparentColor;
    FTransparentMode = bitmap->FTransparentMode;
    TGraphic::SetTransparent(bitmap->Transparent());
    Changed();
    return;
  }
  // Any other picture is rendered onto a device bitmap of its size.
  NewImage(source.Width(), source.Height(), 32, {});
  FPixelFormat = TPixelFormat::pfDevice;
  if (!Empty()) const_cast<TGraphic&>(source).Draw(*Canvas(), RECT{0, 0, FWidth, FHeight});
  Changed();
}

std::unique_ptr<TBitmap> TBitmap::Mask(TColor colour) const {
  auto mask = std::make_unique<TBitmap>(FWidth, FHeight, TPixelFormat::pf1bit);
  uint32_t wanted = SwapRB(static_cast<uint32_t>(ColorToRGB(colour)) & 0xFFFFFF);
  TPixelWriter writer(1, mask->FPalette);
  for (int y = 0; y < FHeight; ++y) {
    const uint8_t* row = ScanLine(y);
    uint8_t* target = mask->ScanLine(y);
    for (int x = 0; x < FWidth; ++x) {
      writer.Write(target, x, ReadRgb(row, x, FBitsPerPixel, FPalette) == wanted ? 0xFFFFFF : 0);
    }
  }
  return mask;
}

void TBitmap::LoadBytes(const uint8_t* data, size_t size, bool packed) {
  TBmpImage image;
  try {
    image = packed ? ReadPackedDib(data, size, kMaxPixels) : ReadBmp(data, size, kMaxPixels);
  } catch (const EBmpError& error) {
    throw EInvalidGraphic(error.Message());
  }
  NewImage(image.Width, image.Height, image.BitsPerPixel, image.Palette);
  FPixelFormat = FormatOf(image.BitsPerPixel);
  for (int y = 0; y < image.Height; ++y) std::memcpy(ScanLine(y), image.Row(y), image.Stride());
  Changed();
}

void TBitmap::LoadFromStream(TStream& stream) {
  std::vector<uint8_t> bytes(static_cast<size_t>(stream.Remaining()));
  if (!bytes.empty()) bytes.resize(stream.Read(bytes.data(), bytes.size()));
  LoadBytes(bytes.data(), bytes.size(), false);
}

void TBitmap::SaveToStream(TStream& stream) const {
  if (Empty()) return;
  TBmpImage image;
  image.Width = FWidth;
  image.Height = FHeight;
  image.BitsPerPixel = FBitsPerPixel;
  image.Palette = FPalette;
  image.Pixels.resize(image.Stride() * static_cast<size_t>(FHeight));
  for (int y = 0; y < FHeight; ++y) std::memcpy(image.Row(y), ScanLine(y), image.Stride());
  std::vector<uint8_t> file = WriteBmp(image);
  stream.Write(file.data(), file.size());
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const std::wstring& name) {
  HRSRC resource = FindResourceW(module, name.c_str(), RT_BITMAP);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw EInvalidGraphic("Bitmap resource " + WideToUtf8(name) + " not found");
  LoadBytes(static_cast<const uint8_t*>(data), SizeofResource(module, resource), true);
}

void TBitmap::LoadFromResourceID(HINSTANCE module, int id) {
  LoadFromResourceName(module, L"#" + std::to_wstring(id));
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) {
  HDC target = canvas.Handle();
  if (Empty() || !target) return;
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  TSaveDCGuard saved(target);
  SetStretchBltMode(target, COLORONCOLOR);
  if (!Transparent()) {
    // A 1-bit source takes the target's text and background colours on some GDI paths: make
    // them the palette's, so every path draws the same.
    if (FBitsPerPixel == 1) {
      SetTextColor(target, SwapRB(FPalette[0]));
      SetBkColor(target, SwapRB(FPalette[1]));
    }
    StretchBlt(target, rect.left, rect.top, width, height, Canvas()->Handle(), 0, 0, FWidth, FHeight,
               canvas.CopyMode());
    return;
  }
  // The target keeps its pixels under the mask's white, and takes the image (black there) elsewhere.
  uint32_t transparent = SwapRB(static_cast<uint32_t>(ColorToRGB(TransparentColor())) & 0xFFFFFF);
  TBitmap mask(FWidth, FHeight, TPixelFormat::pf32bit), image(FWidth, FHeight, TPixelFormat::pf32bit);
  for (int y = 0; y < FHeight; ++y) {
    const uint8_t* row = ScanLine(y);
    auto* maskRow = reinterpret_cast<uint32_t*>(mask.ScanLine(y));
    auto* imageRow = reinterpret_cast<uint32_t*>(image.ScanLine(y));
    for (int x = 0; x < FWidth; ++x) {
      uint32_t colour = ReadRgb(row, x, FBitsPerPixel, FPalette);
      bool clear = colour == transparent;
      maskRow[x] = clear ? 0xFFFFFF : 0;
      imageRow[x] = clear ? 0 : colour;
    }
  }
  StretchBlt(target, rect.left, rect.top, width, height, mask.Canvas()->Handle(), 0, 0, FWidth, FHeight, SRCAND);
  StretchBlt(target, rect.left, rect.top, width, height, image.Canvas()->Handle(), 0, 0, FWidth, FHeight, SRCPAINT);
}

bool TBitmap::ReadData(const std::string& name, const std::vector<uint8_t>& bytes) {
  if (LowerCase(name) != "data") return false;
  TMemoryStream stream(bytes);
  ReadPictureData(stream);
  return true;
}

void TBitmap::WriteData(std::vector<std::pair<std::string, std::vector<uint8_t>>>& properties) const {
  if (Empty()) return;
  TMemoryStream stream;
  WritePictureData(stream);
  properties.emplace_back("Data", stream.TakeBytes());
}

void TBitmap::ReadPictureData(TStream& stream) {
  uint8_t prefix[4];
  if (stream.Read(prefix, 4) != 4) throw EInvalidGraphic("Bitmap data without its length");
  uint32_t length = static_cast<uint32_t>(prefix[0]) | static_cast<uint32_t>(prefix[1]) << 8 |
                    static_cast<uint32_t>(prefix[2]) << 16 | static_cast<uint32_t>(prefix[3]) << 24;
  if (length > stream.Remaining()) {
    throw EInvalidGraphic("Bitmap data of " + std::to_string(length) + " bytes holds only " +
                          std::to_string(stream.Remaining()));
  }
  if (length == 0) {
    NewImage(0, 0, FBitsPerPixel, FPalette);
    Changed();
    return;
  }
  std::vector<uint8_t> bytes(length);
  stream.Read(bytes.data(), length);
  LoadBytes(bytes.data(), bytes.size(), false);
}

void TBitmap::WritePictureData(TStream& stream) const {
  TMemoryStream file;
  SaveToStream(file);
  uint32_t length = static_cast<uint32_t>(file.Size());
  uint8_t prefix[4] = {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                       static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
  stream.Write(prefix, 4);
  stream.Write(file.Memory(), file.Size());
}
