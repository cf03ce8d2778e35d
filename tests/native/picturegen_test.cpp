// The committed pictures are what the generator makes, and the icon file is well formed.
#include "tools/picturegen/icon.h"
#include "tools/picturegen/pictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

uint32_t LE(const std::string& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
  return value;
}

TEST(Picturegen, CommittedIconMatchesTheGenerator) {
  std::ifstream file(CORVALE_SOURCE_DIR "/app/pictures/Corvale.ico", std::ios::binary);
  ASSERT_TRUE(file) << "app/pictures/Corvale.ico is missing: run picturegen icon app/pictures";
  std::string committed((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(committed == CorvaleIconFile()) << "app/pictures/Corvale.ico is stale: run picturegen icon app/pictures";
}

TEST(Picturegen, IconDirectoryPointsAtEveryImage) {
  std::string ico = CorvaleIconFile();
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(LE(ico, 2, 2), 1u);
  uint32_t count = LE(ico, 4, 2);
  EXPECT_EQ(count, 4u);
  for (uint32_t i = 0; i < count; ++i) {
    size_t entry = 6 + 16 * i;
    uint32_t size = static_cast<uint8_t>(ico[entry]);
    uint32_t length = LE(ico, entry + 8, 4), offset = LE(ico, entry + 12, 4);
    ASSERT_LE(offset + length, ico.size());
    EXPECT_EQ(LE(ico, offset + 4, 4), size);
    EXPECT_EQ(LE(ico, offset + 8, 4), size * 2);
    EXPECT_EQ(length, 40 + size * size * 4 + ((size + 31) / 32) * 4 * size);
  }
}

TEST(Picturegen, IconHasTransparentCornersAndAnOpaqueMark) {
  TRgbaImage icon = RenderCorvaleIcon(32);
  auto alpha = [&](int x, int y) { return icon.Pixels[(static_cast<size_t>(y) * 32 + x) * 4 + 3]; };
  EXPECT_EQ(alpha(0, 0), 0);
  EXPECT_EQ(alpha(31, 31), 0);
  EXPECT_EQ(alpha(16, 28), 255);
  EXPECT_EQ(alpha(6, 16), 255);
}

// Glyphs: magenta where nothing is drawn (the buttons' transparent colour), opaque in the middle.
TEST(Picturegen, GlyphsLeaveTheirBackgroundMagenta) {
  struct TCase {
    const char* Name;
    TCanvasRgba Glyph;
  };
  for (const TCase& c : {TCase{"folder", OpenFolderGlyph(24)}, TCase{"printer", PrinterGlyph(24)},
                         TCase{"information", InformationGlyph(24)}, TCase{"door", OpenDoorGlyph(24)},
                         TCase{"small door", OpenDoorGlyph(16)}}) {
    std::string bmp = c.Glyph.BmpOnMagenta();
    int size = c.Glyph.Width();
    ASSERT_EQ(bmp.size(), 54u + static_cast<size_t>(((size * 3 + 3) & ~3) * size)) << c.Name;
    auto pixel = [&](int x, int y) {  // 0xRRGGBB, y from the top
      size_t at = 54 + static_cast<size_t>(((size * 3 + 3) & ~3) * (size - 1 - y) + x * 3);
      return static_cast<uint8_t>(bmp[at + 2]) << 16 | static_cast<uint8_t>(bmp[at + 1]) << 8 |
             static_cast<uint8_t>(bmp[at]);
    };
    EXPECT_EQ(pixel(0, size - 1), 0xFF00FF) << c.Name << ": the bottom-left pixel names the transparent colour";
    EXPECT_NE(pixel(size / 2, size / 2), 0xFF00FF) << c.Name;
  }
}

TEST(Picturegen, LogoIsAPngWithTransparentMarginsAndTheMark) {
  TCanvasRgba logo = MakerLogo(398, 159);
  EXPECT_EQ(logo.Pixel(0, 0).A, 0);
  EXPECT_EQ(logo.Pixel(397, 158).A, 0);
  EXPECT_EQ(logo.Pixel(40, 80).A, 1);  // inside the mark
  std::string png = EncodePngRgba(logo.Width(), logo.Height(), logo.Rgba());
  EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1A\n"), 0);
  EXPECT_EQ(png.compare(12, 4, "IHDR"), 0);
  EXPECT_EQ(png.compare(png.size() - 8, 4, "IEND"), 0);
}

}  // namespace
