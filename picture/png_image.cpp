#include "picture/png_image.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

uint32_t SwapRB(uint32_t colour) { return (colour & 0xFF00) | (colour & 0xFF) << 16 | (colour >> 16 & 0xFF); }

}  // namespace

const TClassInfo& TPNGObject::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TPNGObject>("TPNGObject", &TGraphic::StaticClassInfo()).Build();
  return info;
}

void TPNGObject::Reset() {
  FImage.Clear();
  FFile.clear();
  FInfo.clear();
  FDib.Reset();
  FBits = nullptr;
  FStride = 0;
}

void TPNGObject::LoadFromStream(TStream& stream) {
  uint64_t start = stream.Position();
  std::vector<uint8_t> bytes(static_cast<size_t>(stream.Remaining()));
  if (!bytes.empty()) bytes.resize(stream.Read(bytes.data(), bytes.size()));
  TMemoryStream memory(std::move(bytes));
  Reset();
  try {
    FImage.LoadFromStream(memory, kMaxPixels);
    // What follows the file in the stream belongs to its owner.
    size_t used = static_cast<size_t>(memory.Position());
    stream.SetPosition(start + used);
    FFile.assign(memory.Memory(), memory.Memory() + used);
    BuildBitmap();
  } catch (...) {
    Reset();
    Changed();
    throw;
  }
  Changed();
}

void TPNGObject::BuildBitmap() {
  const TChunkIHDR& header = *FImage.Header();
  const std::vector<uint32_t>& palette = header.Palette();
  FInfo.assign(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  auto* info = reinterpret_cast<BITMAPINFO*>(FInfo.data());
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = static_cast<LONG>(header.Width());
  info->bmiHeader.biHeight = static_cast<LONG>(header.Height());  // bottom-up
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(header.BitsPerPixel());
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiHeader.biClrUsed = static_cast<DWORD>(palette.size());
  for (size_t i = 0; i < palette.size() && i < 256; ++i) {
    info->bmiColors[i] = RGBQUAD{static_cast<BYTE>(palette[i]), static_cast<BYTE>(palette[i] >> 8),
                                 static_cast<BYTE>(palette[i] >> 16), 0};
  }
  void* bits = nullptr;
  FDib.Reset(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FDib || !bits) {
    throw EInvalidGraphic("Cannot create a bitmap of " + std::to_string(header.Width()) + " x " +
                          std::to_string(header.Height()));
  }
  FBits = static_cast<uint8_t*>(bits);
  FStride = header.Stride();
  std::memcpy(FBits, header.ImageData().data(), header.ImageData().size());
}

void TPNGObject::SaveToStream(TStream& stream) const {
  if (!FFile.empty()) stream.Write(FFile.data(), FFile.size());
}

void TPNGObject::Assign(const TGraphic& source) {
  if (&source == this) return;
  const auto* png = dynamic_cast<const TPNGObject*>(&source);
  if (!png) throw EInvalidGraphic("Cannot assign a " + source.ClassName() + " to a TPNGObject");
  if (png->Empty()) {
    Reset();
    Changed();
    return;
  }
  TMemoryStream stream(png->FFile);
  LoadFromStream(stream);
}

TColor TPNGObject::GetTransparentColor() const {
  uint32_t rgb = 0;
  if (!FImage.TransparentColor(rgb)) return clNone;
  return static_cast<TColor>(SwapRB(rgb));
}

uint32_t TPNGObject::Colour(const uint8_t* row, uint32_t x) const {
  const TChunkIHDR& header = *FImage.Header();
  const std::vector<uint32_t>& palette = header.Palette();
  switch (header.BitsPerPixel()) {
    case 1: return palette[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4: return palette[(row[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F];
    case 8: return palette[row[x]];
    default: {
      const uint8_t* p = row + 3 * static_cast<size_t>(x);
      return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    }
  }
}

void TPNGObject::Draw(TCanvas& canvas, const RECT& rect) {
  HDC target = canvas.Handle();
  if (Empty() || !target) return;
  switch (GetTransparencyMode()) {
    case TPNGTransparencyMode::ptmNone: DrawOpaque(target, rect, canvas.CopyMode()); break;
    case TPNGTransparencyMode::ptmBit: DrawBlended(target, rect, true); break;
    case TPNGTransparencyMode::ptmPartial: DrawBlended(target, rect, false); break;
  }
}

void TPNGObject::DrawOpaque(HDC target, const RECT& rect, DWORD rop) {
  TSaveDCGuard saved(target);
  SetStretchBltMode(target, COLORONCOLOR);
  StretchDIBits(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0, Width(), Height(),
                FBits, reinterpret_cast<const BITMAPINFO*>(FInfo.data()), DIB_RGB_COLORS, rop);
}

// Both transparent modes compose in a copy of the destination: nearest source pixel for each
// destination pixel, so the image, its mask and its alpha always stretch alike.
void TPNGObject::DrawBlended(HDC target, const RECT& rect, bool bitMode) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  uint32_t transparent = 0;
  if (bitMode && !FImage.TransparentColor(transparent)) {
    DrawOpaque(target, rect, SRCCOPY);
    return;
  }
  TOffscreen work(width, height);
  if (!work.Valid()) return;
  if (!BitBlt(work.DC(), 0, 0, width, height, target, rect.left, rect.top, SRCCOPY)) return;
  GdiFlush();

  const TChunkIHDR& header = *FImage.Header();
  const uint32_t imageWidth = header.Width(), imageHeight = header.Height();
  const uint8_t type = header.ColorType();
  const std::vector<uint8_t>& alphaPlane = header.AlphaData();
  const TChunktRNS* trns = FImage.Transparency();
  std::vector<uint32_t> columns(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) {
    columns[x] = static_cast<uint32_t>(uint64_t{static_cast<uint32_t>(x)} * imageWidth / static_cast<uint32_t>(width));
  }
  for (int y = 0; y < height; ++y) {
    uint32_t sy = static_cast<uint32_t>(uint64_t{static_cast<uint32_t>(y)} * imageHeight / static_cast<uint32_t>(height));
    const uint8_t* row = Row(sy);
    const uint8_t* alphaRow = alphaPlane.empty() ? nullptr : alphaPlane.data() + static_cast<size_t>(sy) * imageWidth;
    uint32_t* out = work.Bits() + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      uint32_t sx = columns[x];
      uint32_t source;
      uint32_t alpha;
      if (bitMode) {
        source = Colour(row, sx);
        if (source == transparent) continue;
        alpha = 255;
      } else if (type == kPngRGBAlpha) {
        alpha = alphaRow[sx];
        source = Colour(row, sx);
      } else if (type == kPngGrayscaleAlpha) {
        alpha = alphaRow[sx];
        source = row[sx] * 0x010101u;  // the stored grey value in every channel
      } else {
        int bits = header.BitsPerPixel();
        unsigned index = bits == 8 ? row[sx] : bits == 4 ? (row[sx / 2] >> ((sx & 1) ? 0 : 4)) & 0x0F : (row[sx / 8] >> (7 - sx % 8)) & 1;
        source = header.Palette()[index];
        alpha = trns ? trns->PaletteValues()[index] : 255;
      }
      if (alpha == 0) continue;
      if (alpha == 255 && (bitMode || type == kPngRGBAlpha)) {
        out[x] = source;
        continue;
      }
      uint32_t destination = out[x], blended = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        uint32_t s = source >> shift & 0xFF, d = destination >> shift & 0xFF;
        blended |= ((s * alpha + (255 - alpha) * d + 255) >> 8) << shift;
      }
      out[x] = blended;
    }
  }
  work.CopyTo(target, rect.left, rect.top);
}

void RegisterPngPictures() {
  RegisterFileFormat("PNG", "Portable Network Graphics", [] { return std::unique_ptr<TGraphic>(new TPNGObject()); },
                     "TPNGObject");
}
