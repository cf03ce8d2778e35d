// Colours as skin descriptions write them.
#include "skin/data/colour_syntax.h"

#include <gtest/gtest.h>

namespace {

TEST(ColourSyntax, Table) {
  struct TCase {
    const char* Text;
    TSkinColor Expected;
  };
  const TCase cases[] = {
      {"227 238 253", 0xFDEEE3},
      {"227,238,253", 0xFDEEE3},
      {"  1 2 3  ", 0x030201},
      {"10 20", 0x00000A},      // a trailing number counts only as the third
      {"10 20 ", 0x00000A},     // trimmed first, so a trailing space does not help
      {"300 0 0", 44},          // low 8 bits
      {"1-2-3", 0x030201},      // a minus sign separates
      {"1 2 3 4", 0x030201},    // a fourth number is ignored
      {"", 0},
      {"red", 0},
      {"99999999999999999999 1 1", 0x0101FF},  // a long run keeps its low 8 bits (99999999999999999999 mod 256 = 255)
  };
  for (const TCase& c : cases) EXPECT_EQ(strcolor(c.Text), c.Expected) << '"' << c.Text << '"';
}

TEST(ColourSyntax, GetColorFallsBackOnEmptyTextOnly) {
  EXPECT_EQ(GetColor("", static_cast<TSkinColor>(0x8000000F)), static_cast<TSkinColor>(0x8000000F));
  EXPECT_EQ(GetColor("x", 7), 0);
  EXPECT_EQ(RGBToColor(1, 2, 3), 0x030201);
  EXPECT_EQ(RGBToColor(256 + 1, -1, 0), 0x00FF01);
}

}  // namespace
