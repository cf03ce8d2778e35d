// TPNGObject under Wine: loaded from a picture's stored "Data", drawn into 32-bit DIB sections over
// known backgrounds, and checked pixel by pixel in each transparency mode, at its own size and
// stretched; its DIB storage and the halftone palette it starts palette images from.
#include "picture/png_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/bitmaps.h"
#include "framework/graphics/gdi.h"
#include "picture/png_writer.h"

namespace {

constexpr uint32_t kBackground = 0x3366CC;  // 0x00RRGGBB, as TOffscreen reports pixels

struct TRegistration : testing::Environment {
  void SetUp() override { RegisterPngPictures(); }
};
const auto* const kRegistration = testing::AddGlobalTestEnvironment(new TRegistration);

// The stored form of a picture holding a PNG file.
std::vector<uint8_t> PictureData(const std::vector<uint8_t>& png) {
  static const char kName[] = "TPNGObject";
  std::vector<uint8_t> data(1 + 10 + png.size());
  data[0] = 10;
  std::copy(kName, kName + 10, data.begin() + 1);
  std::copy(png.begin(), png.end(), data.begin() + 11);
  return data;
}

TPngWriteSpec Spec(uint32_t width, uint32_t height, uint8_t type, uint8_t depth, std::vector<uint8_t> rows) {
  TPngWriteSpec spec;
  spec.Width = width;
  spec.Height = height;
  spec.ColorType = type;
  spec.BitDepth = depth;
  spec.Rows = std::move(rows);
  spec.Filter = 4;
  return spec;
}

// A picture read from its stored form, as the form reader hands it over.
class TLoaded {
public:
  explicit TLoaded(const TPngWriteSpec& spec) { FPicture.ReadData("Data", PictureData(WritePng(spec))); }
  TPNGObject& Png() { return *dynamic_cast<TPNGObject*>(FPicture.Graphic()); }
  TPicture& Picture() { return FPicture; }

private:
  TPicture FPicture;
};

// The picture drawn into rect of a width x height buffer filled with the background.
std::unique_ptr<TOffscreen> DrawOver(TGraphic& graphic, int width, int height, const RECT& rect) {
  auto buffer = std::make_unique<TOffscreen>(width, height);
  TCanvas canvas(buffer->DC());
  canvas.Brush()->SetColor(static_cast<TColor>((kBackground & 0xFF) << 16 | (kBackground & 0xFF00) | kBackground >> 16));
  canvas.FillRect(RECT{0, 0, width, height});
  graphic.Draw(canvas, rect);
  return buffer;
}

std::vector<uint32_t> Row(const TOffscreen& buffer, int y) {
  std::vector<uint32_t> row;
  for (int x = 0; x < buffer.Width(); ++x) row.push_back(buffer.Pixel(x, y));
  return row;
}

// Each channel of source over destination with alpha a, as the picture blends them.
uint32_t Blend(uint32_t source, uint32_t a, uint32_t destination) {
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    result |= (((source >> shift & 0xFF) * a + (255 - a) * (destination >> shift & 0xFF) + 255) >> 8) << shift;
  }
  return result;
}

TEST(PngPicture, RegisteredUnderItsExtensionAndClassName) {
  const TGraphicFormat* format = FindGraphicFormatByExtension(".png");
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->Description, "Portable Network Graphics");
  EXPECT_EQ(format->ClassName, "TPNGObject");
  EXPECT_EQ(FindGraphicFormatByClassName("TPNGObject"), format);
  EXPECT_NE(dynamic_cast<TPNGObject*>(format->Create().get()), nullptr);
}

TEST(PngPicture, StoredDataReadsAndWritesBackTheSameBytes) {
  TPngWriteSpec spec = Spec(3, 2, 6, 8, std::vector<uint8_t>(24, 90));
  spec.AfterData = {{"tEXt", {'k', 0, 'v'}}};
  std::vector<uint8_t> stored = PictureData(WritePng(spec));
  TPicture picture;
  ASSERT_TRUE(picture.ReadData("Data", stored));
  auto* png = dynamic_cast<TPNGObject*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(picture.Height(), 2);
  std::vector<std::pair<std::string, std::vector<uint8_t>>> written;
  picture.WriteData(written);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0].second, stored);

  // A copy through the picture class registry reads the same file.
  TPicture copy;
  copy.Assign(picture);
  ASSERT_NE(dynamic_cast<TPNGObject*>(copy.Graphic()), nullptr);
  EXPECT_EQ(dynamic_cast<TPNGObject*>(copy.Graphic())->FileData(), png->FileData());
  TBitmap bitmap(1, 1);
  EXPECT_THROW(png->Assign(bitmap), EInvalidGraphic);
}

TEST(PngPicture, BrokenDataRaisesThePngErrorAndKeepsThePicture) {
  std::vector<uint8_t> good = PictureData(WritePng(Spec(1, 1, 2, 8, {1, 2, 3})));
  TPicture picture;
  picture.ReadData("Data", good);
  std::vector<uint8_t> broken = good;
  broken[11 + 8 + 8 + 2] ^= 1;  // inside the IHDR data: its CRC no longer matches
  EXPECT_THROW(picture.ReadData("Data", broken), EPngInvalidCRC);
  EXPECT_NE(dynamic_cast<TPNGObject*>(picture.Graphic()), nullptr);
  TPNGObject png;
  TMemoryStream stream(std::vector<uint8_t>{1, 2, 3});
  EXPECT_THROW(png.LoadFromStream(stream), EPNGInvalidFileHeader);
  EXPECT_TRUE(png.Empty());
}

TEST(PngPicture, DibSectionBitsPerPixelByTypeAndDepth) {
  struct TCase {
    uint8_t Type, Depth;
    int Bits;
  };
  const TCase cases[] = {{0, 1, 1}, {0, 2, 4}, {0, 4, 4}, {0, 8, 8}, {0, 16, 8}, {3, 1, 1}, {3, 2, 4}, {3, 4, 4},
                         {3, 8, 8}, {4, 8, 8}, {4, 16, 8}, {2, 8, 24}, {2, 16, 24}, {6, 8, 24}, {6, 16, 24}};
  for (const TCase& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.Type) + " depth " + std::to_string(c.Depth));
    TLoaded loaded(Spec(5, 3, c.Type, c.Depth, std::vector<uint8_t>(120, 0)));
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(loaded.Png().Handle(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmBitsPixel, c.Bits);
    EXPECT_EQ(dib.dsBmih.biWidth, 5);
    EXPECT_EQ(dib.dsBmih.biHeight, 3);  // positive: bottom-up
    if (c.Bits <= 8) {
      TMemoryDCHandle dc(CreateCompatibleDC(nullptr));
      TSelectGuard select(dc.Get(), loaded.Png().Handle());
      RGBQUAD table[256];
      UINT count = GetDIBColorTable(dc.Get(), 0, 256, table);
      const std::vector<uint32_t>& palette = loaded.Png().Image().Header()->Palette();
      ASSERT_EQ(count, palette.size());
      for (UINT i = 0; i < count; ++i) {
        EXPECT_EQ(static_cast<uint32_t>(table[i].rgbRed) << 16 | table[i].rgbGreen << 8 | table[i].rgbBlue, palette[i]);
      }
    }
  }
}

TEST(PngPicture, HalftonePaletteIsTheSystemOne) {
  TWindowDC screen(nullptr, false);
  HPALETTE palette = CreateHalftonePalette(screen.Get());
  ASSERT_NE(palette, nullptr);
  PALETTEENTRY entries[256];
  UINT count = GetPaletteEntries(palette, 0, 256, entries);
  DeleteObject(palette);
  ASSERT_EQ(count, 256u);
  for (UINT i = 0; i < count; ++i) {
    EXPECT_EQ(static_cast<uint32_t>(entries[i].peRed) << 16 | entries[i].peGreen << 8 | entries[i].peBlue,
              HalftonePalette()[i])
        << "entry " << i;
  }
}

// ---- Partial transparency -------------------------------------------------------------------------

TEST(PngDraw, AlphaBlendsAtItsOwnSizeOverWhite) {
  // Red with alpha 0, 255, 128; a dark green with alpha 64; drawn at (2, 1) of a white buffer.
  TLoaded loaded(Spec(4, 1, 6, 8, {255, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0, 128, 0, 0x40, 0, 64}));
  ASSERT_EQ(loaded.Png().GetTransparencyMode(), TPNGTransparencyMode::ptmPartial);
  auto buffer = std::make_unique<TOffscreen>(8, 3);
  TCanvas canvas(buffer->DC());
  canvas.Brush()->SetColor(clWhite);
  canvas.FillRect(RECT{0, 0, 8, 3});
  loaded.Picture().Graphic()->Draw(canvas, RECT{2, 1, 6, 2});
  EXPECT_EQ(Row(*buffer, 1), (std::vector<uint32_t>{0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFF0000,
                                                    // (255 x 128 + 127 x 255 + 255) shr 8 = 255; 127 for 0
                                                    0xFF7F7F, 0xBFCFBF, 0xFFFFFF, 0xFFFFFF}));
  EXPECT_EQ(Row(*buffer, 0), std::vector<uint32_t>(8, 0xFFFFFF));
  EXPECT_EQ(Row(*buffer, 2), std::vector<uint32_t>(8, 0xFFFFFF));
}

TEST(PngDraw, AlphaStretchedTakesTheNearestSourcePixel) {
  // 2 x 2: opaque red, clear; opaque green, half blue.
  TLoaded loaded(Spec(2, 2, 6, 8, {255, 0, 0, 255, 9, 9, 9, 0, 0, 255, 0, 255, 0, 0, 255, 128}));
  auto buffer = DrawOver(loaded.Png(), 5, 3, RECT{0, 0, 5, 3});
  const uint32_t half = Blend(0x0000FF, 128, kBackground);
  // Column x takes source column x * 2 / 5 (0 0 0 1 1), row y source row y * 2 / 3 (0 0 1).
  EXPECT_EQ(Row(*buffer, 0), (std::vector<uint32_t>{0xFF0000, 0xFF0000, 0xFF0000, kBackground, kBackground}));
  EXPECT_EQ(Row(*buffer, 1), Row(*buffer, 0));
  EXPECT_EQ(Row(*buffer, 2), (std::vector<uint32_t>{0x00FF00, 0x00FF00, 0x00FF00, half, half}));
  // Shrunk: 1 x 1 shows the top-left pixel; an empty rectangle draws nothing.
  buffer = DrawOver(loaded.Png(), 2, 1, RECT{0, 0, 1, 1});
  EXPECT_EQ(Row(*buffer, 0), (std::vector<uint32_t>{0xFF0000, kBackground}));
  buffer = DrawOver(loaded.Png(), 2, 1, RECT{1, 0, 1, 1});
  EXPECT_EQ(Row(*buffer, 0), (std::vector<uint32_t>{kBackground, kBackground}));
}

TEST(PngDraw, GreyWithAlphaBlendsItsGreyLevel) {
  TLoaded loaded(Spec(3, 1, 4, 8, {200, 255, 200, 0, 40, 100}));
  auto buffer = DrawOver(loaded.Png(), 3, 1, RECT{0, 0, 3, 1});
  EXPECT_EQ(Row(*buffer, 0), (std::vector<uint32_t>{0xC8C8C8, kBackground, Blend(0x282828, 100, kBackground)}));
}

TEST(PngDraw, PaletteAlphaReadsEachIndexAtItsBitPosition) {
  // Indices 0 (red, clear), 1 (green, alpha 128) and, where the depth allows, 2 (blue, opaque).
  for (uint8_t depth : {1, 2, 4, 8}) {
    SCOPED_TRACE("depth " + std::to_string(depth));
    const uint32_t width = 9;
    std::vector<uint8_t> rows((width * depth + 7) / 8, 0);
    std::vector<uint32_t> expected;
    for (uint32_t x = 0; x < width; ++x) {
      unsigned index = depth == 1 ? x % 2 : x % 3;
      size_t bit = x * depth;
      rows[bit / 8] = static_cast<uint8_t>(rows[bit / 8] | index << (8 - depth - bit % 8));
      expected.push_back(index == 0 ? kBackground : index == 1 ? Blend(0x00FF00, 128, kBackground) : 0x0000FF);
    }
    TPngWriteSpec spec = Spec(width, 1, 3, depth, rows);
    spec.BeforeData = {{"PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255}}, {"tRNS", {0, 128}}};
    TLoaded loaded(spec);
    ASSERT_EQ(loaded.Png().GetTransparencyMode(), TPNGTransparencyMode::ptmPartial);
    auto buffer = DrawOver(loaded.Png(), width, 1, RECT{0, 0, static_cast<int>(width), 1});
    EXPECT_EQ(Row(*buffer, 0), expected);
  }
}

// ---- Bit transparency -----------------------------------------------------------------------------

TEST(PngDraw, BitTransparencyLeavesTheColourOutStretched) {
  struct TCase {
    const char* What;
    TPngWriteSpec Spec;
    std::vector<uint32_t> Colours;  // of the three source pixels; 0xFFFFFFFF where transparent
    TColor Transparent;
  };
  TPngWriteSpec rgb = Spec(3, 1, 2, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255});
  rgb.BeforeData = {{"tRNS", {0, 0, 0, 255, 0, 0}}};
  TPngWriteSpec grey = Spec(3, 1, 0, 8, {10, 77, 250});
  grey.BeforeData = {{"tRNS", {0, 77}}};
  TPngWriteSpec palette = Spec(3, 1, 3, 8, {2, 1, 0});
  palette.BeforeData = {{"PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255}}, {"tRNS", {255, 0}}};
  // The middle pixel shows black: its samples differ from the tRNS ones in the low bytes only.
  TPngWriteSpec rgb16 = Spec(3, 1, 2, 16, {255, 0, 0, 0, 0, 0, 0, 0x12, 0, 0x34, 0, 0x56, 0, 0, 0, 0, 255, 0});
  rgb16.BeforeData = {{"tRNS", {0x12, 0, 0x34, 0, 0x56, 0}}};
  const TCase cases[] = {
      {"RGB", rgb, {0xFF0000, 0xFFFFFFFF, 0x0000FF}, 0x00FF00},
      {"grey", grey, {0x0A0A0A, 0xFFFFFFFF, 0xFAFAFA}, 0x4D4D4D},
      {"palette", palette, {0x0000FF, 0xFFFFFFFF, 0xFF0000}, 0x00FF00},
      {"RGB 16: the low bytes of the tRNS samples", rgb16, {0xFF0000, 0xFFFFFFFF, 0x0000FF}, 0x000000},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TLoaded loaded(c.Spec);
    ASSERT_EQ(loaded.Png().GetTransparencyMode(), TPNGTransparencyMode::ptmBit);
    EXPECT_EQ(loaded.Png().GetTransparentColor(), c.Transparent);
    auto buffer = DrawOver(loaded.Png(), 8, 2, RECT{1, 0, 7, 2});
    std::vector<uint32_t> expected = {kBackground};
    for (int x = 0; x < 6; ++x) {
      uint32_t colour = c.Colours[x / 2];
      expected.push_back(colour == 0xFFFFFFFF ? kBackground : colour);
    }
    expected.push_back(kBackground);
    EXPECT_EQ(Row(*buffer, 0), expected);
    EXPECT_EQ(Row(*buffer, 1), expected);
  }
}

// ---- No transparency ------------------------------------------------------------------------------

TEST(PngDraw, OpaqueImagesCoverTheRectangleStretched) {
  struct TCase {
    const char* What;
    TPngWriteSpec Spec;
    std::vector<uint32_t> Colours;  // top-left, top-right, bottom-left, bottom-right
  };
  TPngWriteSpec palette = Spec(2, 2, 3, 4, {0x01, 0x20});
  palette.BeforeData = {{"PLTE", {255, 0, 0, 0, 255, 0, 0, 0, 255}}};
  const TCase cases[] = {
      {"RGB", Spec(2, 2, 2, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}), {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}},
      {"RGB 16", Spec(2, 2, 2, 16, {255, 1, 0, 0, 0, 0, 0, 0, 255, 1, 0, 0, 0, 0, 0, 0, 255, 1, 0, 0, 0, 0, 0, 0}),
       {0xFF0000, 0x00FF00, 0x0000FF, 0x000000}},
      {"grey 1", Spec(2, 2, 0, 1, {0x40, 0x80}), {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000}},
      {"grey 2", Spec(2, 2, 0, 2, {0x1B, 0x00}), {0x000000, 0x555555, 0x000000, 0x000000}},
      {"grey 16", Spec(2, 2, 0, 16, {0x80, 0xFF, 0x10, 0, 0, 0, 0xFF, 0xFF}), {0x808080, 0x101010, 0x000000, 0xFFFFFF}},
      {"palette 4", palette, {0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TLoaded loaded(c.Spec);
    ASSERT_EQ(loaded.Png().GetTransparencyMode(), TPNGTransparencyMode::ptmNone);
    EXPECT_EQ(loaded.Png().GetTransparentColor(), clNone);
    auto buffer = DrawOver(loaded.Png(), 6, 5, RECT{1, 1, 5, 5});
    EXPECT_EQ(Row(*buffer, 0), std::vector<uint32_t>(6, kBackground));
    for (int y = 1; y < 5; ++y) {
      uint32_t left = c.Colours[y < 3 ? 0 : 2], right = c.Colours[y < 3 ? 1 : 3];
      EXPECT_EQ(Row(*buffer, y), (std::vector<uint32_t>{kBackground, left, left, right, right, kBackground})) << y;
    }
  }
}

TEST(PngDraw, EmptyPictureDrawsNothing) {
  TPNGObject png;
  auto buffer = DrawOver(png, 2, 1, RECT{0, 0, 2, 1});
  EXPECT_EQ(Row(*buffer, 0), std::vector<uint32_t>(2, kBackground));
}

}  // namespace
