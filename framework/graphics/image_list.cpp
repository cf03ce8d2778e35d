#include "framework/graphics/image_list.h"

#include "framework/graphics/gdi.h"

const TClassInfo& TImageList::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TImageList>("TImageList", &TComponent::StaticClassInfo())
                                     .Integer("Width", &TImageList::Width, &TImageList::SetWidth)
                                     .Integer("Height", &TImageList::Height, &TImageList::SetHeight)
                                     .Creatable()
                                     .Build();
  return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::Recreate() { FList.Reset(); }

void TImageList::SetWidth(int32_t value) {
  if (value <= 0 || value == FWidth) return;
  FWidth = value;
  Recreate();
}

void TImageList::SetHeight(int32_t value) {
  if (value <= 0 || value == FHeight) return;
  FHeight = value;
  Recreate();
}

HIMAGELIST TImageList::Handle() {
  // 24 bits and a mask: transparency comes from the mask only, never from a stray alpha byte.
  if (!FList) FList.Reset(ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4));
  return FList.Get();
}

int TImageList::Count() const { return FList ? ImageList_GetImageCount(FList.Get()) : 0; }

void TImageList::Clear() {
  if (FList) ImageList_Remove(FList.Get(), -1);
}

int TImageList::Add(TBitmap& image, TBitmap* mask) {
  if (image.Empty() || !Handle()) return -1;
  // Copies: the list draws the image OR'ed over the masked target, so masked pixels must be black,
  // and the caller's bitmaps stay as they are.
  TBitmap copy;
  copy.Assign(image);
  copy.SetPixelFormat(TPixelFormat::pf24bit);
  if (!mask) return ImageList_Add(FList.Get(), copy.Handle(), nullptr);
  TBitmap maskCopy;
  maskCopy.Assign(*mask);
  maskCopy.SetPixelFormat(TPixelFormat::pf1bit);
  for (int y = 0; y < copy.Height() && y < maskCopy.Height(); ++y) {
    uint8_t* row = copy.ScanLine(y);
    for (int x = 0; x < copy.Width() && x < maskCopy.Width(); ++x) {
      if (maskCopy.Pixel(x, y) != clBlack) row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = 0;
    }
  }
  return ImageList_Add(FList.Get(), copy.Handle(), maskCopy.Handle());
}

int TImageList::AddMasked(TBitmap& image, TColor maskColour) {
  if (image.Empty()) return -1;
  std::unique_ptr<TBitmap> mask = image.Mask(maskColour);
  return Add(image, mask.get());
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  HDC dc = canvas.Handle();
  if (!dc || !FList.Get() || index < 0 || index >= Count()) return;
  if (enabled) {
    ImageList_Draw(FList.Get(), index, dc, x, y, ILD_TRANSPARENT);
    return;
  }
  // The opaque pixels are those that come out the same over black and over white.
  TOffscreen overBlack(FWidth, FHeight), overWhite(FWidth, FHeight);
  RECT all{0, 0, FWidth, FHeight};
  FillRect(overBlack.DC(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  FillRect(overWhite.DC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(FList.Get(), index, overBlack.DC(), 0, 0, ILD_TRANSPARENT);
  ImageList_Draw(FList.Get(), index, overWhite.DC(), 0, 0, ILD_TRANSPARENT);
  TBitmap mask(FWidth, FHeight, TPixelFormat::pf32bit);
  for (int row = 0; row < FHeight; ++row) {
    auto* line = reinterpret_cast<uint32_t*>(mask.ScanLine(row));
    for (int column = 0; column < FWidth; ++column) {
      line[column] = overBlack.Pixel(column, row) == overWhite.Pixel(column, row) ? 0 : 0xFFFFFF;
    }
  }
  // Embossed: the highlight one pixel down and right, the shadow over it.
  const struct {
    int Offset;
    int Colour;
  } layers[] = {{1, COLOR_BTNHIGHLIGHT}, {0, COLOR_BTNSHADOW}};
  TBitmap paint(FWidth, FHeight, TPixelFormat::pf32bit);
  for (const auto& layer : layers) {
    COLORREF colour = GetSysColor(layer.Colour);
    uint32_t rgb = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    for (int row = 0; row < FHeight; ++row) {
      const auto* maskLine = reinterpret_cast<const uint32_t*>(mask.ScanLine(row));
      auto* line = reinterpret_cast<uint32_t*>(paint.ScanLine(row));
      for (int column = 0; column < FWidth; ++column) line[column] = maskLine[column] ? 0 : rgb;
    }
    int left = x + layer.Offset, top = y + layer.Offset;
    BitBlt(dc, left, top, FWidth, FHeight, mask.Canvas()->Handle(), 0, 0, SRCAND);
    BitBlt(dc, left, top, FWidth, FHeight, paint.Canvas()->Handle(), 0, 0, SRCPAINT);
  }
}
