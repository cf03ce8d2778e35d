#include "tools/picturegen/engine_bitmaps.h"

#include <vector>

#include "framework/core/bmp_format.h"

namespace {

constexpr uint32_t kGrey = 0x808080, kSilver = 0xC0C0C0, kWhite = 0xFFFFFF;

// A 4-bit image from rows of letters: G grey, S silver, W white (palette entries 0, 1, 2).
std::string FourBit(const std::vector<std::string>& rows) {
  TBmpImage image;
  image.Width = static_cast<int32_t>(rows[0].size());
  image.Height = static_cast<int32_t>(rows.size());
  image.BitsPerPixel = 4;
  image.Palette.assign(16, 0);
  image.Palette[0] = kGrey;
  image.Palette[1] = kSilver;
  image.Palette[2] = kWhite;
  image.Pixels.assign(image.Stride() * static_cast<size_t>(image.Height), 0);
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      char c = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
      uint8_t index = c == 'G' ? 0 : c == 'S' ? 1 : 2;
      uint8_t& byte = image.Row(y)[x / 2];
      byte = static_cast<uint8_t>(x % 2 == 0 ? (byte & 0x0F) | index << 4 : (byte & 0xF0) | index);
    }
  }
  std::vector<uint8_t> file = WriteBmp(image);
  return std::string(file.begin(), file.end());
}

}  // namespace

std::string TrackBitmap() {
  return FourBit({"SSGGGGGGGGGGGGWW", "SSWWWWWWWWWWWWWW", "GSWWWWWWWWWWWWWW", "SSWWWWWWWWWWWWWW"});
}

std::string TrackVertBitmap() {
  std::vector<std::string> rows = {"SSGS", "SSSS"};
  for (int i = 0; i < 12; ++i) rows.push_back("GWWW");
  rows.push_back("WWWW");
  rows.push_back("WWWW");
  return FourBit(rows);
}

std::string MenuGlyphsBitmap() {
  // 16 x 16 cells; '#' is black.
  const char* glyphs[4][16] = {
      {"................", "................", "................", ".....########...", ".....########...",
       ".....#......#...", "...########.#...", "...########.#...", "...#......#.#...", "...#......###...",
       "...#......#.....", "...#......#.....", "...########.....", "................", "................",
       "................"},
      {"................", "................", "................", "...##########...", "...##########...",
       "...#........#...", "...#........#...", "...#........#...", "...#........#...", "...#........#...",
       "...#........#...", "...#........#...", "...##########...", "................", "................",
       "................"},
      {"................", "................", "................", "................", "................",
       "................", "................", "................", "................", "................",
       "................", "....########....", "....########....", "................", "................",
       "................"},
      {"................", "................", "................", "....##....##....", ".....##..##.....",
       "......####......", ".......##.......", "......####......", ".....##..##.....", "....##....##....",
       "................", "................", "................", "................", "................",
       "................"}};
  TBmpImage image;
  image.Width = 64;
  image.Height = 16;
  image.BitsPerPixel = 1;
  image.Palette = {0x000000, kWhite};
  image.Pixels.assign(image.Stride() * 16, 0);
  for (int g = 0; g < 4; ++g) {
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        if (glyphs[g][y][x] == '#') continue;  // black: bit 0
        int column = g * 16 + x;
        image.Row(y)[column / 8] = static_cast<uint8_t>(image.Row(y)[column / 8] | (0x80 >> (column % 8)));
      }
    }
  }
  std::vector<uint8_t> file = WriteBmp(image);
  return std::string(file.begin(), file.end());
}
