// The committed pictures are what the generator makes, and the icon file is well formed.
#include "tools/picturegen/icon.h"

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
  ASSERT_TRUE(file) << "app/pictures/Corvale.ico is missing: run picturegen app/pictures";
  std::string committed((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(committed == CorvaleIconFile()) << "app/pictures/Corvale.ico is stale: run picturegen app/pictures";
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

}  // namespace
