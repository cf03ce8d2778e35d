#include "framework/core/bmp_format.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/core/little_endian.h"

namespace {

constexpr uint64_t kLimit = 1 << 20;


// A BMP file as other writers make them: any header size, masks, palette and raw pixel bytes.
struct TBmpSpec {
  int32_t Width = 2;
  int32_t Height = 2;
  int Bits = 24;
  uint32_t Compression = 0;
  uint32_t HeaderSize = 40;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB
  std::vector<uint32_t> Masks;    // after a 40-byte header, inside larger ones
  std::vector<uint8_t> Pixels;    // as stored: bottom-up unless Height < 0
};

std::vector<uint8_t> MakeBmp(const TBmpSpec& spec) {
  std::vector<uint8_t> header;
  bool core = spec.HeaderSize == 12;
  PutLE32(header, spec.HeaderSize);
  if (core) {
    PutLE16(header, static_cast<uint32_t>(spec.Width));
    PutLE16(header, static_cast<uint32_t>(spec.Height));
    PutLE16(header, 1);
    PutLE16(header, static_cast<uint32_t>(spec.Bits));
  } else {
    PutLE32(header, static_cast<uint32_t>(spec.Width));
    PutLE32(header, static_cast<uint32_t>(spec.Height));
    PutLE16(header, 1);
    PutLE16(header, static_cast<uint32_t>(spec.Bits));
    PutLE32(header, spec.Compression);
    PutLE32(header, static_cast<uint32_t>(spec.Pixels.size()));
    PutLE32(header, 0);
    PutLE32(header, 0);
    PutLE32(header, spec.Bits <= 8 ? static_cast<uint32_t>(spec.Palette.size()) : 0);
    PutLE32(header, 0);
    if (spec.HeaderSize > 40) {
      for (uint32_t mask : spec.Masks) PutLE32(header, mask);
      header.resize(spec.HeaderSize, 0);
    } else {
      for (uint32_t mask : spec.Masks) PutLE32(header, mask);
    }
  }
  for (uint32_t colour : spec.Palette) {
    header.push_back(static_cast<uint8_t>(colour));
    header.push_back(static_cast<uint8_t>(colour >> 8));
    header.push_back(static_cast<uint8_t>(colour >> 16));
    if (!core) header.push_back(0);
  }
  std::vector<uint8_t> file{'B', 'M'};
  PutLE32(file, static_cast<uint32_t>(14 + header.size() + spec.Pixels.size()));
  PutLE32(file, 0);
  PutLE32(file, static_cast<uint32_t>(14 + header.size()));
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), spec.Pixels.begin(), spec.Pixels.end());
  return file;
}

TBmpImage Read(const std::vector<uint8_t>& file, uint64_t limit = kLimit) {
  return ReadBmp(file.data(), file.size(), limit);
}

std::vector<uint32_t> Colors(const TBmpImage& image) {
  std::vector<uint32_t> colours;
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) colours.push_back(image.PixelColor(x, y));
  }
  return colours;
}

TEST(BmpFormat, WrittenImagesReadBackForEveryPixelFormat) {
  for (int bits : {1, 4, 8, 24, 32}) {
    SCOPED_TRACE(bits);
    TBmpImage image;
    image.Width = 13;  // odd widths exercise the row padding
    image.Height = 5;
    image.BitsPerPixel = bits;
    if (bits <= 8) {
      for (uint32_t i = 0; i < (1u << bits); ++i) image.Palette.push_back(i * 0x010203u & 0xFFFFFF);
    }
    image.Pixels.resize(image.Stride() * image.Height);
    for (size_t i = 0; i < image.Pixels.size(); ++i) image.Pixels[i] = static_cast<uint8_t>(i * 37 + 11);
    std::vector<uint8_t> file = WriteBmp(image);
    TBmpImage back = Read(file);
    EXPECT_EQ(back.Width, 13);
    EXPECT_EQ(back.Height, 5);
    EXPECT_EQ(back.BitsPerPixel, bits);
    EXPECT_EQ(back.Palette, image.Palette);
    EXPECT_EQ(Colors(back), Colors(image));
    if (bits >= 24) {
      EXPECT_EQ(back.Pixels, image.Pixels);  // the alpha byte survives too
    }
    // Stored bottom-up: the file's first row is the image's last.
    EXPECT_EQ(file[file.size() - image.Stride()], image.Row(0)[0]);
  }
}

TEST(BmpFormat, ReadsTheLayoutsOtherWritersProduce) {
  struct TCase {
    const char* Name;
    TBmpSpec Spec;
    int Bits;                       // of the neutral image
    std::vector<uint32_t> Colors;   // top row first
  };
  const std::vector<TCase> cases = {
      {"24-bit bottom-up", {2, 2, 24, 0, 40, {}, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
       24, {0x090807, 0x0C0B0A, 0x030201, 0x060504}},
      {"24-bit top-down", {2, -2, 24, 0, 40, {}, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
       24, {0x030201, 0x060504, 0x090807, 0x0C0B0A}},
      {"core header, 1 bit", {3, 1, 1, 0, 12, {0xFF0000, 0x00FF00}, {}, {0xA0, 0, 0, 0}},
       1, {0x00FF00, 0xFF0000, 0x00FF00}},
      {"short palette padded", {2, 1, 4, 0, 40, {0x123456}, {}, {0x01, 0, 0, 0}}, 4, {0x123456, 0x000000}},
      {"16-bit 555", {2, 1, 16, 0, 40, {}, {}, {0x00, 0x7C, 0x1F, 0x00}}, 24, {0xFF0000, 0x0000FF}},
      {"16-bit 565 bit fields",
       {1, 1, 16, 3, 40, {}, {0xF800, 0x07E0, 0x001F}, {0xE0, 0x07, 0, 0}}, 24, {0x00FF00}},
      {"32-bit bit fields in a V5 header",
       {1, 1, 32, 3, 124, {}, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, {0x11, 0x22, 0x33, 0x80}},
       32, {0x112233}},
      {"32-bit plain in a V4 header", {1, 1, 32, 0, 108, {}, {}, {0x11, 0x22, 0x33, 0x44}}, 32, {0x332211}},
      {"missing padding after the last row", {1, 2, 24, 0, 40, {}, {}, {1, 2, 3, 0, 4, 5, 6}}, 24,
       {0x060504, 0x030201}},
      // Bottom row: a run of three 1s, end of line; top row: a delta to x = 1, an absolute run 2 3 2
      // (padded to a word), end of bitmap.
      {"RLE8", {4, 2, 8, 1, 40, {0, 0xFF0000, 0x00FF00, 0x0000FF}, {},
                {3, 1, 0, 0, 0, 2, 1, 0, 0, 3, 2, 3, 2, 0, 0, 1}},
       8, {0, 0x00FF00, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF0000, 0xFF0000, 0}},
      {"RLE4", {5, 1, 4, 2, 40, {0, 0xFF0000, 0x00FF00}, {}, {3, 0x12, 0, 3, 0x21, 0x20, 0, 1}},
       4, {0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00, 0xFF0000}},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    TBmpImage image = Read(MakeBmp(test.Spec));
    EXPECT_EQ(image.BitsPerPixel, test.Bits);
    EXPECT_EQ(Colors(image), test.Colors);
  }
  // The packed form of a resource: no file header, pixels right after the colour table.
  std::vector<uint8_t> file = MakeBmp(cases[2].Spec);
  TBmpImage packed = ReadPackedDib(file.data() + 14, file.size() - 14, kLimit);
  EXPECT_EQ(Colors(packed), cases[2].Colors);
}

TEST(BmpFormat, RefusesBrokenFilesWithItsError) {
  auto spec24 = [] { return TBmpSpec{2, 2, 24, 0, 40, {}, {}, std::vector<uint8_t>(16, 0)}; };
  auto patched = [](std::vector<uint8_t> file, size_t at, uint8_t value) {
    file[at] = value;
    return file;
  };
  std::vector<uint8_t> good = MakeBmp(spec24());
  TBmpSpec rleTopDown{2, -2, 8, 1, 40, std::vector<uint32_t>(2, 0), {}, {0, 1}};
  TBmpSpec rleShort{4, 1, 8, 1, 40, std::vector<uint32_t>(2, 0), {}, {0, 4, 1, 1}};
  std::vector<uint8_t> palette256 = MakeBmp(TBmpSpec{1, 1, 8, 0, 40, std::vector<uint32_t>(256, 0), {}, {0, 0, 0, 0}});
  TBmpSpec big{2000, 2000, 1, 0, 40, {0, 0xFFFFFF}, {}, {}};
  const std::vector<std::pair<const char*, std::vector<uint8_t>>> cases = {
      {"empty", {}},
      {"no signature", patched(good, 0, 'X')},
      {"header cut short", std::vector<uint8_t>(good.begin(), good.begin() + 30)},
      {"header size 20", patched(good, 14, 20)},
      {"zero width", patched(good, 18, 0)},
      {"7 bits per pixel", patched(good, 28, 7)},
      {"JPEG compression", patched(good, 30, 4)},
      {"RLE8 at 24 bits", patched(good, 30, 1)},
      {"top-down run lengths", MakeBmp(rleTopDown)},
      {"absolute run past the end", MakeBmp(rleShort)},
      {"colour table cut short", std::vector<uint8_t>(palette256.begin(), palette256.begin() + 54 + 100)},
      {"pixel offset beyond the end", patched(good, 11, 0x10)},
      {"pixels cut short", std::vector<uint8_t>(good.begin(), good.end() - 8)},
      {"over the pixel limit", MakeBmp(big)},
  };
  for (const auto& [name, file] : cases) {
    SCOPED_TRACE(name);
    EXPECT_THROW(Read(file), EBmpError);
  }
  // More colours than the pixel format can index.
  std::vector<uint8_t> wide = MakeBmp(TBmpSpec{1, 1, 1, 0, 40, {0, 1, 2}, {}, {0, 0, 0, 0}});
  EXPECT_THROW(Read(wide), EBmpError);
  try {
    Read(MakeBmp(big));
  } catch (const EBmpError& error) {
    EXPECT_NE(error.Message().find("2000 x 2000"), std::string::npos) << error.Message();
  }
  TBmpImage inconsistent;
  inconsistent.Width = 2;
  inconsistent.Height = 2;
  inconsistent.BitsPerPixel = 24;
  EXPECT_THROW(WriteBmp(inconsistent), EBmpError);
}

}  // namespace
