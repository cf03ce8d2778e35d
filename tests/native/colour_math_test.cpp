// Colour arithmetic of the skin drawing: blend weights and rounding, the saturation measure, gradient
// tables (rising and falling channels) and the gradient cache's hits, misses and eviction.
#include "skin/draw/colour_math.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ColourMath, MixColours) {
  struct TCase {
    uint32_t C1, C2;
    int32_t Weight;
    uint32_t Expected;
  } cases[] = {
      {0x000000, 0xFFFFFF, 99, 0x030303},   // percentage: 99 % black, (255 + 50) div 100
      {0x000000, 0xFFFFFF, 100, 0xE6E6E6},  // thousandths from 100 on: 90 % white
      {0x0000C8, 0x000064, 50, 0x000096},   // half and half of red 200 and 100
      {0x0000FF, 0xFF0000, 150, 0xD90026},  // 15 % red, 85 % blue
      {0x000001, 0x000000, 50, 0x000001},   // halves round up
      {0x000001, 0x000000, 49, 0x000000},
      {0x123456, 0xABCDEF, 0, 0xABCDEF},
      {0x123456, 0xABCDEF, 1000, 0x123456},
      {0x0000FF, 0x000000, 1500, 0x00007F},  // weights beyond the divisor wrap in the low byte
      {0x0000FF, 0x000000, -50, 0x000081},
      {0xFF0000FF, 0x000000, 1000, 0x0000FF},  // the top byte takes no part
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(MixColours(c.C1, c.C2, c.Weight), c.Expected) << std::hex << c.C1 << " " << c.C2 << " " << std::dec
                                                            << c.Weight;
  }
}

TEST(ColourMath, GetHSV) {
  struct TCase {
    uint32_t Colour;
    int32_t Expected;
  } cases[] = {
      {0x0000FF, 255},  // pure red
      {0x808080, 200},  // every channel below 160
      {0x000000, 200},
      {0x00009F, 200},  // 159
      {0x0000A0, 255},  // 160 is no longer dark
      {0xFFFFFF, 0},
      {0xA0A0A0, 0},
      {0x9090A0, 26},  // 25.5: halves go to the even neighbour
      {0xAAA9AA, 2},   // 1.5
      {0xAAA7AA, 4},   // 4.5
      {0x7F7FFF, 128},  // (255 - 127) / 255 * 255
      {0xFF80FF, 127},  // (255 - 128) / 255 * 255
  };
  for (const TCase& c : cases) EXPECT_EQ(GetHSV(c.Colour), c.Expected) << std::hex << c.Colour;
}

TEST(ColourMath, GradientTables) {
  struct TCase {
    int32_t N;
    uint32_t C1, C2;
    std::vector<uint32_t> Expected;
  } cases[] = {
      {1, 0x000000, 0x0000FF, {0x00007F}},
      {1, 0x0000FF, 0x000000, {0x000080}},  // the half step truncates toward zero
      {2, 0x123456, 0xABCDEF, {0x123456, 0xABCDEF}},
      {10, 0x000000, 0x00005A, {0x00, 0x0A, 0x14, 0x1E, 0x28, 0x32, 0x3C, 0x46, 0x50, 0x5A}},
      {3, 0x0000FF, 0x000000, {0x0000FF, 0x000080, 0x000001}},  // falling: stops one short of 0
      // Three channels at once, red falling from 48 to 32 (ending at 33), green and blue rising.
      {5, 0x102030, 0x403020, {0x102030, 0x1C242D, 0x282829, 0x342C25, 0x403021}},
      {0, 0x000000, 0xFFFFFF, {}},
  };
  for (const TCase& c : cases) EXPECT_EQ(GradientTable(c.N, c.C1, c.C2), c.Expected) << c.N;
}

TEST(ColourMath, GradientCacheHitsAndMisses) {
  TGradientCache cache;
  const std::vector<uint32_t>& first = cache.Table(10, 0x000000, 0x00005A);
  EXPECT_EQ(cache.Computed(), 1);
  EXPECT_EQ(first.size(), 10u);
  const std::vector<uint32_t>& again = cache.Table(10, 0x000000, 0x00005A);
  EXPECT_EQ(cache.Computed(), 1);
  EXPECT_EQ(&again, &first);

  // Another length or other colours are other tables, and each is found again afterwards.
  EXPECT_EQ(cache.Table(4, 0x000000, 0x00005A), GradientTable(4, 0x000000, 0x00005A));
  EXPECT_EQ(cache.Table(10, 0x000000, 0x005A00), GradientTable(10, 0x000000, 0x005A00));
  EXPECT_EQ(cache.Table(10, 0x000001, 0x00005A).front(), 0x000001u);
  EXPECT_EQ(cache.Computed(), 4);
  EXPECT_EQ(cache.Table(4, 0x000000, 0x00005A).size(), 4u);
  EXPECT_EQ(cache.Table(10, 0x000000, 0x005A00)[1], 0x000A00u);
  EXPECT_EQ(cache.Table(10, 0x000000, 0x00005A)[9], 0x00005Au);
  EXPECT_EQ(cache.Computed(), 4);

  // A table whose last entry stops short of C2 is never recognised: computed on every use.
  EXPECT_EQ(cache.Table(3, 0x0000FF, 0x000000).back(), 0x000001u);
  EXPECT_EQ(cache.Table(3, 0x0000FF, 0x000000).back(), 0x000001u);
  EXPECT_EQ(cache.Computed(), 6);
  // So is a one-entry table of two different colours (its only entry is the midpoint)...
  cache.Table(1, 0x000000, 0x0000FF);
  cache.Table(1, 0x000000, 0x0000FF);
  EXPECT_EQ(cache.Computed(), 8);
  // ...but one of a single colour is found.
  cache.Table(1, 0x123456, 0x123456);
  cache.Table(1, 0x123456, 0x123456);
  EXPECT_EQ(cache.Computed(), 9);
}

TEST(ColourMath, GradientCacheReplacesTheOldest) {
  TGradientCache cache;
  for (int32_t n = 2; n < 2 + TGradientCache::kSlots; ++n) cache.Table(n, 0x000000, 0xFFFFFF);
  EXPECT_EQ(cache.Computed(), 16);
  for (int32_t n = 2; n < 2 + TGradientCache::kSlots; ++n) cache.Table(n, 0x000000, 0xFFFFFF);
  EXPECT_EQ(cache.Computed(), 16);  // all sixteen still held

  cache.Table(100, 0x000000, 0xFFFFFF);  // takes the slot of n = 2, the oldest
  EXPECT_EQ(cache.Computed(), 17);
  cache.Table(3, 0x000000, 0xFFFFFF);
  EXPECT_EQ(cache.Computed(), 17);
  cache.Table(2, 0x000000, 0xFFFFFF);  // gone: computed into the next slot (n = 3's)
  EXPECT_EQ(cache.Computed(), 18);
  cache.Table(3, 0x000000, 0xFFFFFF);
  EXPECT_EQ(cache.Computed(), 19);
  cache.Table(100, 0x000000, 0xFFFFFF);
  EXPECT_EQ(cache.Computed(), 19);
}

TEST(ColourMath, SharedCacheIsOne) { EXPECT_EQ(&GradientCache(), &GradientCache()); }

}  // namespace
