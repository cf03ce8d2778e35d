// Sliced drawing and the image utilities, checked pixel by pixel in DIB sections. Every map pixel
// encodes where it lies (red = x, green = y, blue = a tag), so each table says which source pixel a
// target pixel must come from. Scale factors are integers or slices one pixel thick, which keeps
// the nearest-pixel choice of COLORONCOLOR unambiguous.
#include "skin/draw/image_utils.h"
#include "skin/draw/sliced.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/bitmaps.h"
#include "framework/controls/controls.h"
#include "framework/graphics/gdi.h"

namespace {

constexpr uint32_t kTag = 0x40;             // blue of every coordinate pixel: never magenta, never black
constexpr uint32_t kBackground = 0x123456;  // what targets hold before a draw (0x00RRGGBB)
constexpr uint32_t kMagenta = 0xFF00FF;
constexpr int kAny = -1;   // the coordinate is not checked (a non-integer stretch)
constexpr int kKeep = -2;  // the target keeps its background
constexpr int kBlank = -3;  // a new image's pixel that nothing painted (black)

uint32_t At(int x, int y) { return static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y) << 8 | kTag; }

// Pixels as 0x00RRGGBB, whatever the layout.
uint32_t Rgb(const TBitmap& bitmap, int x, int y) {
  COLORREF colour = static_cast<COLORREF>(bitmap.Pixel(x, y));
  return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

void SetRgb(TBitmap& bitmap, int x, int y, uint32_t rgb) {
  uint8_t* pixel = bitmap.ScanLine(y) + static_cast<size_t>(x) * (bitmap.BitsPerPixel() / 8);
  pixel[0] = static_cast<uint8_t>(rgb);
  pixel[1] = static_cast<uint8_t>(rgb >> 8);
  pixel[2] = static_cast<uint8_t>(rgb >> 16);
}

// A map whose pixel (x, y) is At(x, y).
std::unique_ptr<TBitmap> CoordinateMap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit) {
  auto map = std::make_unique<TBitmap>(width, height, format);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) SetRgb(*map, x, y, At(x, y));
  }
  return map;
}

struct TProbe {
  int X, Y;    // target pixel
  int Sx, Sy;  // the map pixel it comes from, or kAny / kKeep / kBlank
};

std::string Describe(const TProbe& p, uint32_t actual) {
  char text[96];
  snprintf(text, sizeof text, "target (%d, %d) from (%d, %d): got %06X", p.X, p.Y, p.Sx, p.Sy, actual);
  return text;
}

bool Matches(uint32_t actual, const TProbe& p) {
  if (p.Sx == kKeep) return actual == kBackground;
  if (p.Sx == kBlank) return actual == 0;
  if ((actual & 0xFF) != kTag) return false;
  return (p.Sx == kAny || static_cast<int>(actual >> 16) == p.Sx) &&
         (p.Sy == kAny || static_cast<int>(actual >> 8 & 0xFF) == p.Sy);
}

template <class Read>
void ExpectProbes(const std::vector<TProbe>& probes, Read read, int dx = 0, int dy = 0) {
  for (TProbe p : probes) {
    p.X += dx;
    p.Y += dy;
    uint32_t actual = read(p.X, p.Y);
    EXPECT_TRUE(Matches(actual, p)) << Describe(p, actual);
  }
}

void ExpectImage(const TBitmap& image, const std::vector<TProbe>& probes) {
  ExpectProbes(probes, [&image](int x, int y) { return Rgb(image, x, y); });
}

void ExpectTarget(const TOffscreen& target, const std::vector<TProbe>& probes, int dx = 0, int dy = 0) {
  ExpectProbes(probes, [&target](int x, int y) { return target.Pixel(x, y); }, dx, dy);
}

// An off-screen target filled with kBackground.
std::unique_ptr<TOffscreen> Target(int width, int height) {
  auto target = std::make_unique<TOffscreen>(width, height);
  TBrushHandle brush(CreateSolidBrush(RGB(0x12, 0x34, 0x56)));
  RECT all{0, 0, width, height};
  FillRect(target->DC(), &all, brush.Get());
  return target;
}

void ExpectUntouched(const TOffscreen& target) {
  for (int y = 0; y < target.Height(); ++y) {
    for (int x = 0; x < target.Width(); ++x) ASSERT_EQ(target.Pixel(x, y), kBackground) << x << ", " << y;
  }
}

// Two 6 x 6 frames side by side, margins of 2 all round, frame 2 drawn 10 x 10: corners as they
// are, edges and centre (two source pixels each way) three times as long.
const std::vector<TProbe> kNineSlice = {
    {0, 0, 6, 0},  {1, 1, 7, 1},  {8, 0, 10, 0}, {9, 1, 11, 1},  // top corners
    {0, 8, 6, 4},  {1, 9, 7, 5},  {8, 8, 10, 4}, {9, 9, 11, 5},  // bottom corners
    {2, 0, 8, 0},  {4, 0, 8, 0},  {5, 1, 9, 1},  {7, 0, 9, 0},   // top edge
    {0, 2, 6, 2},  {1, 4, 7, 2},  {0, 5, 6, 3},  {0, 7, 6, 3},   // left edge
    {9, 2, 11, 2}, {8, 7, 10, 3}, {2, 9, 8, 5},  {7, 8, 9, 4},   // right and bottom edges
    {2, 2, 8, 2},  {4, 4, 8, 2},  {5, 5, 9, 3},  {7, 7, 9, 3},  {5, 2, 9, 2}, {2, 7, 8, 3},  // centre
};

// ---- GetHMap ---------------------------------------------------------------------------------

TEST(GetHMap, NineSlicesOfTheChosenFrame) {
  auto map = CoordinateMap(12, 6);
  auto image = GetHMap(RECT{20, 30, 30, 40}, *map, RECT{2, 2, 2, 2}, 2, 2, 0, 0);
  ASSERT_EQ(image->Width(), 10);
  ASSERT_EQ(image->Height(), 10);
  ExpectImage(*image, kNineSlice);
  EXPECT_EQ(GetStretchBltMode(image->Canvas()->Handle()), COLORONCOLOR);  // the caller draws on with it
}

TEST(GetHMap, StripsMarginsAndFrames) {
  struct TCase {
    const char* Name;
    int MapWidth, MapHeight, FrameIndex, FrameCount, Vertical;
    RECT Margins;
    int Width, Height;
    std::vector<TProbe> Probes;
  } cases[] = {
      {"vertical strip: frame 2 starts at row 6", 6, 12, 2, 2, 1, RECT{1, 1, 1, 1}, 6, 6,
       {{0, 0, 0, 6}, {5, 0, 5, 6}, {0, 5, 0, 11}, {5, 5, 5, 11}, {2, 3, 2, 9}, {1, 4, 1, 10}}},
      {"remainder columns of a strip are never shown", 13, 2, 2, 2, 0, RECT{0, 0, 0, 0}, 6, 2,
       {{0, 0, 6, 0}, {5, 0, 11, 0}, {5, 1, 11, 1}}},
      {"third of three frames", 10, 1, 3, 3, 0, RECT{0, 0, 0, 0}, 3, 1, {{0, 0, 6, 0}, {2, 0, 8, 0}}},
      {"margins wider than Dest are dropped, top and bottom still apply", 3, 3, 1, 1, 0, RECT{4, 1, 4, 1}, 6, 3,
       {{0, 0, 0, 0}, {1, 0, 0, 0}, {2, 1, 1, 1}, {3, 1, 1, 1}, {5, 2, 2, 2}, {4, 0, 2, 0}}},
      {"margins taller than Dest are dropped, left and right still apply", 3, 3, 1, 1, 0, RECT{1, 4, 1, 4}, 3, 6,
       {{0, 0, 0, 0}, {0, 1, 0, 0}, {1, 2, 1, 1}, {1, 3, 1, 1}, {2, 5, 2, 2}, {2, 4, 2, 2}}},
      {"margins exactly as wide as Dest are kept: no centre", 8, 3, 1, 1, 0, RECT{3, 1, 3, 1}, 6, 3,
       {{0, 0, 0, 0}, {2, 1, 2, 1}, {3, 1, 5, 1}, {5, 2, 7, 2}, {3, 0, 5, 0}}},
      {"no left margin: no left corners, the top edge starts at 0", 3, 3, 1, 1, 0, RECT{0, 1, 1, 1}, 5, 3,
       {{0, 0, 0, 0}, {1, 0, 0, 0}, {3, 0, 1, 0}, {4, 0, 2, 0}, {0, 1, 0, 1}, {2, 2, 1, 2}, {4, 2, 2, 2},
        {4, 1, 2, 1}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto map = CoordinateMap(c.MapWidth, c.MapHeight);
    auto image = GetHMap(RECT{0, 0, c.Width, c.Height}, *map, c.Margins, c.FrameIndex, c.FrameCount, 0, c.Vertical);
    ASSERT_EQ(image->Width(), c.Width);
    ExpectImage(*image, c.Probes);
  }
}

TEST(GetHMap, TiledCentreOverrunIsCoveredByTheRightAndBottomPieces) {
  // A 7 x 7 frame with a 3 x 3 centre drawn 12 x 12: centre tiles at 2, 5 and 8 run one pixel
  // into the right and bottom slices (column and row 10), which are painted after them.
  auto map = CoordinateMap(7, 7);
  auto image = GetHMap(RECT{0, 0, 12, 12}, *map, RECT{2, 2, 2, 2}, 1, 1, 1, 0);
  std::vector<TProbe> probes = {
      {2, 2, 2, 2}, {4, 4, 4, 4}, {5, 5, 2, 2}, {7, 3, 4, 3}, {8, 8, 2, 2}, {9, 9, 3, 3}, {4, 8, 4, 2},
      {10, 10, 5, 5}, {11, 11, 6, 6}, {0, 0, 0, 0}, {11, 0, 6, 0},
  };
  for (int i = 2; i < 10; ++i) {
    probes.push_back({10, i, 5, kAny});  // right slice, not a tile
    probes.push_back({i, 10, kAny, 5});  // bottom slice
  }
  ExpectImage(*image, probes);
}

TEST(GetHMap, TiledCentreWithAnEmptySourceStaysUnpainted) {
  auto map = CoordinateMap(4, 4);  // margins 2 + 2: the centre source is 0 wide
  auto image = GetHMap(RECT{0, 0, 8, 4}, *map, RECT{2, 1, 2, 1}, 1, 1, 1, 0);
  ExpectImage(*image, {{2, 1, kBlank, 0}, {3, 2, kBlank, 0}, {5, 2, kBlank, 0}, {0, 1, 0, 1}, {7, 2, 3, 2}});
}

TEST(GetHMap, Guards) {
  auto map = CoordinateMap(12, 6);
  EXPECT_TRUE(GetHMap(RECT{5, 5, 5, 9}, *map, RECT{}, 1, 2, 0, 0)->Empty());  // zero width
  EXPECT_TRUE(GetHMap(RECT{5, 5, 9, 5}, *map, RECT{}, 1, 2, 0, 0)->Empty());  // zero height
  EXPECT_TRUE(GetHMap(RECT{9, 5, 5, 9}, *map, RECT{}, 1, 2, 0, 0)->Empty());  // inverted
  TBitmap empty;
  struct TCase {
    const char* Name;
    TBitmap* Map;
    int FrameIndex, FrameCount;
  } cases[] = {{"no frames", map.get(), 1, 0}, {"frame 0", map.get(), 0, 2}, {"frame past the end", map.get(), 3, 2},
               {"empty map", &empty, 1, 1}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto image = GetHMap(RECT{0, 0, 4, 3}, *c.Map, RECT{1, 1, 1, 1}, c.FrameIndex, c.FrameCount, 1, 0);
    ASSERT_EQ(image->Width(), 4);
    ASSERT_EQ(image->Height(), 3);
    ExpectImage(*image, {{0, 0, kBlank, 0}, {1, 1, kBlank, 0}, {3, 2, kBlank, 0}});
  }
}

TEST(DrawPrimitives, NothingFromAnEmptyMapOrAMissingFrame) {
  auto map = CoordinateMap(12, 6);
  TBitmap empty;
  const RECT dest{1, 1, 9, 9}, margins{2, 2, 2, 2};
  struct TCase {
    TBitmap* Map;
    int FrameIndex, FrameCount;
  } maps[] = {{&empty, 1, 1}, {map.get(), 1, 0}, {map.get(), 0, 2}, {map.get(), 3, 2}, {map.get(), 1, -1}};
  for (const TCase& m : maps) {
    SCOPED_TRACE(std::to_string(m.FrameIndex) + " of " + std::to_string(m.FrameCount));
    auto target = Target(10, 10);
    HDC dc = target->DC();
    TCanvas canvas(dc);
    for (int transparent : {0, 1}) {
      DrawRect2(dc, dest, *m.Map, margins, m.FrameIndex, m.FrameCount, transparent, 1, 0);
      DrawRect1(dc, dest, *m.Map, m.FrameIndex, m.FrameCount, transparent);
      DrawRect3(dc, dest, *m.Map, m.FrameIndex, m.FrameCount, transparent);
      DrawRectTile(canvas, dest, *m.Map, margins, m.FrameIndex, m.FrameCount, transparent, 0);
    }
    DrawRectH(dc, dest, *m.Map, margins, m.FrameIndex, m.FrameCount, 0, 0);
    DrawRectV(dc, dest, *m.Map, margins, m.FrameIndex, m.FrameCount, 0, 0);
    DrawBorder(dc, dest, *m.Map, margins, m.FrameIndex, m.FrameCount, 0, 0);
    ExpectUntouched(*target);
    auto thumb = GetThumbMap(dest, *m.Map, margins, m.FrameIndex, m.FrameCount, 0, 0);
    ASSERT_EQ(thumb->Width(), 8);
    ExpectImage(*thumb, {{0, 0, kBlank, 0}, {7, 7, kBlank, 0}});
  }
  auto target = Target(10, 10);
  TCanvas canvas(target->DC());
  DrawBGbmp(canvas, dest, empty, RECT{0, 0, 2, 2});
  DrawTranmap(target->DC(), dest, empty, kSkinTransparent);
  Bitmapdraw(target->DC(), dest, empty);
  ExpectUntouched(*target);
}

// ---- DrawRect2 ---------------------------------------------------------------------------------

TEST(DrawRect2, OpaqueAtDest) {
  auto map = CoordinateMap(12, 6);
  auto target = Target(20, 20);
  DrawRect2(target->DC(), RECT{5, 6, 15, 16}, *map, RECT{2, 2, 2, 2}, 2, 2, 0, 0, 0);
  ExpectTarget(*target, kNineSlice, 5, 6);
  ExpectTarget(*target, {{4, 6, kKeep, 0}, {15, 15, kKeep, 0}, {14, 16, kKeep, 0}});
}

TEST(DrawRect2, TransparentLeavesMagenta) {
  auto map = CoordinateMap(6, 6);
  SetRgb(*map, 0, 0, kMagenta);  // in a corner
  SetRgb(*map, 3, 3, kMagenta);  // in the centre
  SetRgb(*map, 4, 4, 0xFE00FF);  // almost magenta: drawn
  for (int transparent : {1, 0}) {
    SCOPED_TRACE(transparent);
    auto target = Target(10, 10);
    DrawRect2(target->DC(), RECT{2, 2, 8, 8}, *map, RECT{2, 2, 2, 2}, 1, 1, transparent, 0, 0);
    if (transparent) {
      ExpectTarget(*target, {{2, 2, kKeep, 0}, {5, 5, kKeep, 0}});
    } else {
      EXPECT_EQ(target->Pixel(2, 2), kMagenta);
      EXPECT_EQ(target->Pixel(5, 5), kMagenta);
    }
    EXPECT_EQ(target->Pixel(6, 6), 0xFE00FFu);
    ExpectTarget(*target, {{3, 2, 1, 0}, {2, 3, 0, 1}, {7, 7, 5, 5}, {4, 5, 2, 3}, {1, 1, kKeep, 0}, {8, 8, kKeep, 0}});
  }
}

TEST(DrawRect2, InvertedOrEmptyDestDrawsNothing) {
  auto map = CoordinateMap(6, 6);
  for (RECT dest : {RECT{8, 2, 2, 8}, RECT{2, 8, 8, 2}, RECT{2, 2, 2, 8}}) {
    for (int transparent : {0, 1}) {
      auto target = Target(10, 10);
      DrawRect2(target->DC(), dest, *map, RECT{1, 1, 1, 1}, 1, 1, transparent, 0, 0);
      ExpectUntouched(*target);
    }
  }
}

// ---- DrawRect1, DrawRect3 ----------------------------------------------------------------------

TEST(DrawRect1, WholeFrameStretched) {
  auto map = CoordinateMap(4, 2);  // two 2 x 2 frames
  auto target = Target(8, 8);
  DrawRect1(target->DC(), RECT{1, 1, 5, 5}, *map, 2, 2, 0);
  ExpectTarget(*target, {{1, 1, 2, 0}, {2, 2, 2, 0}, {3, 3, 3, 1}, {4, 4, 3, 1}, {4, 1, 3, 0}, {1, 4, 2, 1},
                         {5, 5, kKeep, 0}, {0, 0, kKeep, 0}});

  auto guarded = Target(8, 8);
  DrawRect1(guarded->DC(), RECT{5, 1, 1, 5}, *map, 1, 2, 0);
  DrawRect1(guarded->DC(), RECT{1, 1, 5, 5}, *map, 3, 2, 0);
  ExpectUntouched(*guarded);
}

TEST(DrawRect1, ShrinkingAndsDroppedPixelsAndTransparency) {
  // No stretch mode is set, so the new image's DC keeps its default, BLACKONWHITE: on Windows two
  // colour pixels shrunk into one are ANDed together, while Wine keeps one of them.
  TMemoryDCHandle fresh(CreateCompatibleDC(nullptr));
  EXPECT_EQ(GetStretchBltMode(fresh.Get()), BLACKONWHITE);
  TBitmap map(2, 1, TPixelFormat::pf32bit);
  SetRgb(map, 0, 0, 0xCCAA66);
  SetRgb(map, 1, 0, 0x66AACC);
  auto target = Target(4, 4);
  DrawRect1(target->DC(), RECT{1, 1, 2, 2}, map, 1, 1, 0);
  const uint32_t shrunk = target->Pixel(1, 1);
  EXPECT_TRUE(shrunk == 0x44AA44u || shrunk == 0xCCAA66u) << std::hex << shrunk;
  EXPECT_EQ(target->Pixel(2, 1), kBackground);

  auto keyed = CoordinateMap(2, 2);
  SetRgb(*keyed, 1, 1, kMagenta);
  auto transparentTarget = Target(6, 6);
  DrawRect1(transparentTarget->DC(), RECT{0, 0, 4, 4}, *keyed, 1, 1, 1);
  ExpectTarget(*transparentTarget, {{0, 0, 0, 0}, {3, 1, 1, 0}, {2, 2, kKeep, 0}, {3, 3, kKeep, 0}, {1, 3, 0, 1}});
}

TEST(DrawRect3, CentredAtItsOwnSize) {
  auto map = CoordinateMap(10, 5);  // two 5 x 5 frames
  struct TCase {
    const char* Name;
    RECT Dest;
    std::vector<TProbe> Probes;
  } cases[] = {
      {"smaller frame: 1 pixel in from the left and top", RECT{10, 10, 18, 18},
       {{11, 11, 5, 0}, {15, 15, 9, 4}, {13, 12, 7, 1}, {10, 10, kKeep, 0}, {16, 16, kKeep, 0}}},
      {"larger frame: 1 pixel out on the left, 2 on the right", RECT{10, 10, 12, 12},
       {{9, 9, 5, 0}, {13, 13, 9, 4}, {8, 8, kKeep, 0}, {14, 14, kKeep, 0}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto target = Target(24, 24);
    DrawRect3(target->DC(), c.Dest, *map, 2, 2, 0);
    ExpectTarget(*target, c.Probes);
  }
  SetRgb(*map, 7, 2, kMagenta);
  auto target = Target(24, 24);
  DrawRect3(target->DC(), RECT{10, 10, 15, 15}, *map, 2, 2, 1);
  ExpectTarget(*target, {{12, 12, kKeep, 0}, {11, 12, 6, 2}, {10, 10, 5, 0}});

  auto guarded = Target(24, 24);
  DrawRect3(guarded->DC(), RECT{15, 10, 10, 15}, *map, 1, 2, 0);
  DrawRect3(guarded->DC(), RECT{10, 10, 15, 15}, *map, 1, 0, 0);
  ExpectUntouched(*guarded);
}

// ---- DrawRectTile ------------------------------------------------------------------------------

TEST(DrawRectTile, LeftTiledMiddleRight) {
  // Frames 7 wide and 1 high; left 2, right 2, so the middle is 3 wide and its last copy (at 8)
  // runs into the right slice, which covers it.
  const std::vector<int> columns = {0, 1, 2, 3, 4, 2, 3, 4, 2, 3, 5, 6};
  struct TCase {
    const char* Name;
    int MapWidth, MapHeight, FrameIndex, Vertical, Sx, Sy;
  } cases[] = {{"horizontal strip, frame 2", 14, 1, 2, 0, 7, 0}, {"vertical strip, frame 2", 7, 2, 2, 1, 0, 1}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto map = CoordinateMap(c.MapWidth, c.MapHeight);
    auto target = Target(14, 5);
    TCanvas canvas(target->DC());
    DrawRectTile(canvas, RECT{1, 1, 13, 4}, *map, RECT{2, 9, 2, 9}, c.FrameIndex, 2, 0, c.Vertical);
    std::vector<TProbe> probes = {{0, 1, kKeep, 0}, {13, 1, kKeep, 0}, {5, 0, kKeep, 0}, {5, 4, kKeep, 0}};
    for (int x = 0; x < 12; ++x) {
      for (int y = 1; y < 4; ++y) probes.push_back({1 + x, y, c.Sx + columns[static_cast<size_t>(x)], c.Sy});
    }
    ExpectTarget(*target, probes);
  }
}

TEST(DrawRectTile, TransparentNarrowAndEmptyMiddle) {
  auto map = CoordinateMap(7, 1);
  SetRgb(*map, 3, 0, kMagenta);
  auto target = Target(14, 3);
  {
    TCanvas canvas(target->DC());
    DrawRectTile(canvas, RECT{1, 0, 13, 2}, *map, RECT{2, 0, 2, 0}, 1, 1, 1, 0);
  }
  // Middle columns 3, 3 (second copy) and 3 (third copy) land at 1 + 3, 1 + 6 and 1 + 9.
  ExpectTarget(*target, {{4, 0, kKeep, 0}, {7, 1, kKeep, 0}, {10, 0, kKeep, 0}, {3, 0, 2, 0}, {5, 1, 4, 0},
                         {8, 0, 4, 0}, {11, 0, 5, 0}, {12, 1, 6, 0}});

  // Narrower than left + right: the right slice overlaps the left one.
  auto narrow = Target(5, 1);
  {
    TCanvas canvas(narrow->DC());
    DrawRectTile(canvas, RECT{1, 0, 4, 1}, *map, RECT{2, 0, 2, 0}, 1, 1, 0, 0);
  }
  ExpectTarget(*narrow, {{1, 0, 0, 0}, {2, 0, 5, 0}, {3, 0, 6, 0}, {4, 0, kKeep, 0}});

  // A middle slice of no width: the loop cannot advance, so the middle stays blank.
  auto small = CoordinateMap(4, 1);
  auto empty = Target(8, 1);
  {
    TCanvas canvas(empty->DC());
    DrawRectTile(canvas, RECT{0, 0, 8, 1}, *small, RECT{2, 0, 2, 0}, 1, 1, 0, 0);
  }
  ExpectTarget(*empty, {{0, 0, 0, 0}, {1, 0, 1, 0}, {2, 0, kBlank, 0}, {5, 0, kBlank, 0}, {6, 0, 2, 0}, {7, 0, 3, 0}});

  auto guarded = Target(8, 2);
  {
    TCanvas canvas(guarded->DC());
    DrawRectTile(canvas, RECT{6, 0, 1, 2}, *map, RECT{2, 0, 2, 0}, 1, 1, 0, 0);
    DrawRectTile(canvas, RECT{0, 0, 8, 2}, *map, RECT{2, 0, 2, 0}, 2, 1, 0, 0);
  }
  ExpectUntouched(*guarded);
}

// ---- DrawRectH, DrawRectV ----------------------------------------------------------------------

TEST(DrawRectH, ThreeSlicesStraightOntoTheDC) {
  auto map = CoordinateMap(10, 2);  // two 5 x 2 frames
  for (int frame : {1, 2}) {
    SCOPED_TRACE(frame);
    const int sx = (frame - 1) * 5;
    auto target = Target(12, 8);
    DrawRectH(target->DC(), RECT{2, 2, 10, 6}, *map, RECT{1, 7, 1, 7}, frame, 2, 0, 0);
    ExpectTarget(*target, {{2, 2, sx, 0},     {2, 5, sx, 1},     {3, 2, sx + 1, 0}, {4, 3, sx + 1, 0},
                           {5, 4, sx + 2, 1}, {8, 5, sx + 3, 1}, {9, 2, sx + 4, 0}, {9, 5, sx + 4, 1},
                           {1, 2, kKeep, 0},  {10, 2, kKeep, 0}, {5, 6, kKeep, 0},  {5, 1, kKeep, 0}});
  }
}

TEST(DrawRectH, NarrowerThanAFrameStretchesTheWholeFrame) {
  // Columns in pairs: halving the frame keeps one of each pair, whichever GDI picks.
  TBitmap map(6, 1, TPixelFormat::pf32bit);
  for (int x = 0; x < 6; ++x) SetRgb(map, x, 0, At(x / 2, 0));
  auto target = Target(5, 3);
  DrawRectH(target->DC(), RECT{1, 0, 4, 2}, map, RECT{2, 0, 2, 0}, 1, 1, 0, 0);
  ExpectTarget(*target, {{1, 0, 0, 0}, {2, 0, 1, 0}, {3, 0, 2, 0}, {3, 1, 2, 0}, {0, 0, kKeep, 0}, {1, 2, kKeep, 0}});
}

TEST(DrawRectV, ThreeSlicesByRows) {
  auto map = CoordinateMap(2, 10);  // two 2 x 5 frames stacked
  auto target = Target(8, 12);
  DrawRectV(target->DC(), RECT{2, 2, 6, 10}, *map, RECT{7, 1, 7, 1}, 2, 2, 0, 1);
  ExpectTarget(*target, {{2, 2, 0, 5},  {5, 2, 1, 5},  {2, 3, 0, 6},  {3, 4, 0, 6},  {4, 5, 1, 7},
                         {5, 8, 1, 8},  {2, 9, 0, 9},  {5, 9, 1, 9},  {2, 1, kKeep, 0}, {2, 10, kKeep, 0},
                         {1, 5, kKeep, 0}, {6, 5, kKeep, 0}});

  TBitmap pairs(1, 6, TPixelFormat::pf32bit);
  for (int y = 0; y < 6; ++y) SetRgb(pairs, 0, y, At(0, y / 2));
  auto narrow = Target(3, 5);
  DrawRectV(narrow->DC(), RECT{0, 1, 2, 4}, pairs, RECT{0, 2, 0, 2}, 1, 1, 0, 0);
  ExpectTarget(*narrow, {{0, 1, 0, 0}, {0, 2, 0, 1}, {1, 3, 0, 2}, {0, 0, kKeep, 0}, {2, 2, kKeep, 0}});
}

// ---- DrawBorder, GetThumbMap -------------------------------------------------------------------

TEST(DrawBorder, NineSlicesWithoutTheCentre) {
  auto map = CoordinateMap(12, 6);
  auto target = Target(16, 16);
  DrawBorder(target->DC(), RECT{3, 3, 13, 13}, *map, RECT{2, 2, 2, 2}, 2, 2, 0, 0);
  std::vector<TProbe> border;
  for (const TProbe& p : kNineSlice) {
    bool centre = p.X >= 2 && p.X < 8 && p.Y >= 2 && p.Y < 8;
    border.push_back(centre ? TProbe{p.X, p.Y, kKeep, 0} : p);
  }
  ExpectTarget(*target, border, 3, 3);
  EXPECT_EQ(GetStretchBltMode(target->DC()), COLORONCOLOR);
}

TEST(GetThumbMap, TopMiddleBottomAtFullWidth) {
  auto map = CoordinateMap(6, 5);  // two 3 x 5 frames
  auto image = GetThumbMap(RECT{0, 0, 6, 8}, *map, RECT{9, 1, 9, 1}, 2, 2, 0, 0);
  ASSERT_EQ(image->Width(), 6);
  ASSERT_EQ(image->Height(), 8);
  ExpectImage(*image, {{0, 0, 3, 0}, {2, 0, 4, 0}, {5, 0, 5, 0}, {0, 1, 3, 1}, {0, 2, 3, 1}, {3, 3, 4, 2},
                       {2, 4, 4, 2}, {5, 6, 5, 3}, {0, 7, 3, 4}, {5, 7, 5, 4}});

  auto vertical = GetThumbMap(RECT{0, 0, 6, 8}, *map, RECT{9, 1, 9, 1}, 2, 2, 0, 1);
  ASSERT_EQ(vertical->Width(), 6);
  EXPECT_EQ(GetStretchBltMode(vertical->Canvas()->Handle()), COLORONCOLOR);
  ExpectImage(*vertical, {{0, 0, kBlank, 0}, {3, 4, kBlank, 0}, {5, 7, kBlank, 0}});
}

// ---- DrawBGbmp, DrawTranmap, Bitmapdraw --------------------------------------------------------

TEST(DrawBGbmp, TilesColumnByColumnWithoutClipping) {
  auto map = CoordinateMap(8, 8);
  auto target = Target(10, 10);
  {
    TCanvas canvas(target->DC());
    DrawBGbmp(canvas, RECT{0, 0, 5, 5}, *map, RECT{1, 1, 3, 4});  // a 2 x 3 tile
  }
  ExpectTarget(*target, {{0, 0, 1, 1}, {1, 2, 2, 3}, {2, 0, 1, 1}, {4, 3, 1, 1}, {3, 4, 2, 2}, {5, 0, 2, 1},
                         {5, 5, 2, 3},  // the last column and row overrun Dest
                         {6, 0, kKeep, 0}, {0, 6, kKeep, 0}, {6, 6, kKeep, 0}});

  auto guarded = Target(10, 10);
  {
    TCanvas canvas(guarded->DC());
    DrawBGbmp(canvas, RECT{0, 0, 5, 5}, *map, RECT{1, 1, 1, 4});  // no width
    DrawBGbmp(canvas, RECT{0, 0, 5, 5}, *map, RECT{1, 1, 3, 1});  // no height
    DrawBGbmp(canvas, RECT{0, 0, 5, 5}, *map, RECT{3, 4, 1, 1});  // inverted
    DrawBGbmp(canvas, RECT{5, 5, 0, 0}, *map, RECT{1, 1, 3, 4});  // Dest inverted: no tiles
  }
  ExpectUntouched(*guarded);
}

TEST(DrawTranmap, MagentaLeavesTheTarget) {
  for (TPixelFormat format : {TPixelFormat::pf32bit, TPixelFormat::pf24bit}) {
    auto bitmap = CoordinateMap(4, 4, format);
    SetRgb(*bitmap, 1, 1, kMagenta);
    SetRgb(*bitmap, 2, 2, 0xFE00FF);
    SetRgb(*bitmap, 3, 0, kMagenta);
    auto target = Target(8, 8);
    DrawTranmap(target->DC(), RECT{3, 2, 7, 6}, *bitmap, kSkinTransparent);
    ExpectTarget(*target, {{3, 2, 0, 0}, {4, 3, kKeep, 0}, {6, 2, kKeep, 0}, {6, 5, 3, 3}, {4, 2, 1, 0},
                           {2, 2, kKeep, 0}, {7, 2, kKeep, 0}, {3, 6, kKeep, 0}});
    EXPECT_EQ(target->Pixel(5, 4), 0xFE00FFu);
  }
  // Another key colour.
  auto bitmap = CoordinateMap(2, 1);
  auto target = Target(3, 1);
  DrawTranmap(target->DC(), RECT{0, 0, 2, 1}, *bitmap, RGB(1, 0, kTag));
  ExpectTarget(*target, {{0, 0, 0, 0}, {1, 0, kKeep, 0}});

  auto guarded = Target(8, 8);
  DrawTranmap(guarded->DC(), RECT{7, 2, 3, 6}, *bitmap, kSkinTransparent);
  DrawTranmap(guarded->DC(), RECT{3, 6, 7, 2}, *bitmap, kSkinTransparent);
  ExpectUntouched(*guarded);
}

TEST(Bitmapdraw, IndexedColoursThroughTheirPaletteAndTheDCKeepsItsOwn) {
  // The standard 8-bit palette: 9 red, 12 blue, 13 magenta.
  TBitmap indexed(3, 1, TPixelFormat::pf8bit);
  uint8_t* row = indexed.ScanLine(0);
  row[0] = 9;
  row[1] = 12;
  row[2] = 13;
  auto target = Target(6, 4);
  HGDIOBJ palette = GetCurrentObject(target->DC(), OBJ_PAL);
  Bitmapdraw(target->DC(), RECT{2, 1, 3, 2}, indexed);  // drawn at its own size
  EXPECT_EQ(target->Pixel(2, 1), 0xFF0000u);
  EXPECT_EQ(target->Pixel(3, 1), 0x0000FFu);
  EXPECT_EQ(target->Pixel(4, 1), kMagenta);
  EXPECT_EQ(target->Pixel(5, 1), kBackground);
  EXPECT_EQ(target->Pixel(2, 2), kBackground);
  EXPECT_EQ(GetCurrentObject(target->DC(), OBJ_PAL), palette);

  auto direct = CoordinateMap(2, 2);
  Bitmapdraw(target->DC(), RECT{0, 2, 0, 2}, *direct);
  ExpectTarget(*target, {{0, 2, 0, 0}, {1, 3, 1, 1}});
}

// ---- DrawParentImage, Max, Min -----------------------------------------------------------------

// The parent paints in its own coordinates into the DC it is given: its background colour on
// erase, then one pixel at the child's origin and one just outside the child.
struct TParentPainter {
  TWindowProcLink* Link = nullptr;
  std::vector<std::string> Log;
  HDC Expected = nullptr;
  void Handle(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (message.Msg == WM_ERASEBKGND) {
      Log.push_back(dc == Expected && message.LParam == 0 ? "erase" : "erase: wrong arguments");
      Fill(dc, RECT{0, 0, 100, 100}, RGB(0, 0x80, 0));
      message.Result = 1;
    } else if (message.Msg == WM_PAINT) {
      Log.push_back(dc == Expected && message.LParam == 0 ? "paint" : "paint: wrong arguments");
      Fill(dc, RECT{5, 7, 6, 8}, RGB(0xFF, 0, 0));
      Fill(dc, RECT{4, 6, 5, 7}, RGB(0, 0, 0xFF));
    } else {
      Link->CallPrevious(message);
    }
  }
  static void Fill(HDC dc, RECT rect, COLORREF colour) {
    TBrushHandle brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
  }
};

TEST(DrawParentImage, ParentPaintsUnderTheControlClippedToIt) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 60, 40);
  TParentPainter painter;
  painter.Link = parent.ReplaceWindowProc(TWndMethod::Bind<&TParentPainter::Handle>(&painter));
  auto* child = new TGraphicControl(&parent);
  child->SetBounds(5, 7, 10, 8);
  child->SetParent(&parent);

  TOffscreen unparentedTarget(4, 4);
  TGraphicControl orphan(nullptr);
  orphan.SetBounds(5, 7, 10, 8);
  DrawParentImage(&orphan, unparentedTarget.DC(), false);
  DrawParentImage(nullptr, unparentedTarget.DC(), false);

  for (POINT origin : {POINT{0, 0}, POINT{2, 3}}) {
    SCOPED_TRACE(origin.x);
    auto target = Target(20, 20);
    SetViewportOrgEx(target->DC(), origin.x, origin.y, nullptr);
    painter.Log.clear();
    painter.Expected = target->DC();
    DrawParentImage(child, target->DC(), true);
    EXPECT_EQ(painter.Log, (std::vector<std::string>{"erase", "paint"}));
    const int ox = origin.x, oy = origin.y;
    EXPECT_EQ(target->Pixel(ox, oy), 0xFF0000u);              // the parent's (5, 7)
    EXPECT_EQ(target->Pixel(ox + 1, oy + 1), 0x008000u);      // its background
    EXPECT_EQ(target->Pixel(ox + 9, oy + 7), 0x008000u);      // the child's last pixel
    EXPECT_EQ(target->Pixel(ox + 10, oy + 7), kBackground);   // clipped to the child
    EXPECT_EQ(target->Pixel(ox + 9, oy + 8), kBackground);
    if (ox > 0) {
      EXPECT_EQ(target->Pixel(ox - 1, oy - 1), kBackground);  // the blue pixel outside
    }
    POINT after{};
    GetViewportOrgEx(target->DC(), &after);
    EXPECT_EQ(after.x, origin.x);
    EXPECT_EQ(after.y, origin.y);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(target->DC(), clip), 0);  // no clipping left behind
    DeleteObject(clip);
  }
  parent.ReleaseWindowProc(painter.Link);
}

TEST(DrawPrimitives, MaxMin) {
  EXPECT_EQ(Max(-3, 2), 2);
  EXPECT_EQ(Max(-3, -7), -3);
  EXPECT_EQ(Min(-3, 2), -3);
  EXPECT_EQ(Min(INT32_MIN, INT32_MAX), INT32_MIN);
}

// ---- Image utilities ---------------------------------------------------------------------------

TEST(ChangeTrans, MagentaReplacedInA24BitCopy) {
  TBitmap bitmap(3, 1, TPixelFormat::pf32bit);
  SetRgb(bitmap, 0, 0, kMagenta);
  SetRgb(bitmap, 1, 0, 0xFE00FF);
  SetRgb(bitmap, 2, 0, 0xFF00FE);
  ChangeTrans(bitmap, static_cast<TColor>(0x00332211));  // red 0x11, green 0x22, blue 0x33
  EXPECT_EQ(bitmap.BitsPerPixel(), 24);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(Rgb(bitmap, 0, 0), 0x112233u);
  EXPECT_EQ(Rgb(bitmap, 1, 0), 0xFE00FFu);
  EXPECT_EQ(Rgb(bitmap, 2, 0), 0xFF00FEu);

  // A system colour's bytes are written as they are: index 15 in the red byte.
  TBitmap system(1, 1, TPixelFormat::pf24bit);
  SetRgb(system, 0, 0, kMagenta);
  ChangeTrans(system, clBtnFace);
  EXPECT_EQ(Rgb(system, 0, 0), 0x0F0000u);

  // Without magenta only the format changes; an indexed image is converted first.
  auto plain = CoordinateMap(3, 2);
  ChangeTrans(*plain, clWhite);
  EXPECT_EQ(plain->BitsPerPixel(), 24);
  EXPECT_EQ(Rgb(*plain, 2, 1), At(2, 1));
  TBitmap indexed(2, 1, TPixelFormat::pf8bit);
  indexed.ScanLine(0)[0] = 13;  // magenta in the standard palette
  indexed.ScanLine(0)[1] = 9;
  ChangeTrans(indexed, static_cast<TColor>(0x00332211));
  EXPECT_EQ(indexed.BitsPerPixel(), 24);
  EXPECT_EQ(Rgb(indexed, 0, 0), 0x112233u);
  EXPECT_EQ(Rgb(indexed, 1, 0), 0xFF0000u);
}

TEST(MirrorAndRotate, PixelsMoveAsTablesSay) {
  struct TCase {
    const char* Name;
    void (*Apply)(TBitmap&);
    int Width, Height;
    std::vector<TProbe> Probes;  // new pixel <- old pixel
  } cases[] = {
      {"mirror left to right", SpiegelnHorizontal, 3, 2,
       {{0, 0, 2, 0}, {1, 0, 1, 0}, {2, 0, 0, 0}, {0, 1, 2, 1}, {2, 1, 0, 1}}},
      {"flip top to bottom", SpiegelnVertikal, 3, 2, {{0, 0, 0, 1}, {2, 0, 2, 1}, {0, 1, 0, 0}, {1, 1, 1, 0}}},
      {"quarter turn clockwise", Drehen90Grad, 2, 3,
       {{1, 0, 0, 0}, {0, 0, 0, 1}, {1, 1, 1, 0}, {0, 1, 1, 1}, {1, 2, 2, 0}, {0, 2, 2, 1}}},
      {"quarter turn counter-clockwise", Drehen270Grad, 2, 3,
       {{0, 2, 0, 0}, {0, 0, 2, 0}, {1, 0, 2, 1}, {1, 2, 0, 1}, {0, 1, 1, 0}, {1, 1, 1, 1}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto bitmap = CoordinateMap(3, 2, TPixelFormat::pf24bit);
    c.Apply(*bitmap);
    ASSERT_EQ(bitmap->Width(), c.Width);
    ASSERT_EQ(bitmap->Height(), c.Height);
    EXPECT_EQ(bitmap->BitsPerPixel(), 24);
    ExpectImage(*bitmap, c.Probes);
  }

  // 32-bit images move the same way; indexed and empty ones are left alone.
  auto wide = CoordinateMap(3, 2, TPixelFormat::pf32bit);
  Drehen90Grad(*wide);
  SpiegelnHorizontal(*wide);
  ASSERT_EQ(wide->Width(), 2);
  EXPECT_EQ(wide->BitsPerPixel(), 32);
  ExpectImage(*wide, {{0, 0, 0, 0}, {1, 0, 0, 1}, {0, 2, 2, 0}});
  for (auto apply : {SpiegelnHorizontal, SpiegelnVertikal, Drehen90Grad, Drehen270Grad}) {
    TBitmap indexed(3, 1, TPixelFormat::pf8bit);
    indexed.ScanLine(0)[0] = 9;
    apply(indexed);
    EXPECT_EQ(indexed.Width(), 3);
    EXPECT_EQ(indexed.BitsPerPixel(), 8);
    EXPECT_EQ(Rgb(indexed, 0, 0), 0xFF0000u);
    TBitmap empty;
    apply(empty);
    EXPECT_TRUE(empty.Empty());
  }

  // There and back again gives the first image and size.
  auto bitmap = CoordinateMap(5, 3, TPixelFormat::pf24bit);
  Drehen90Grad(*bitmap);
  Drehen270Grad(*bitmap);
  ASSERT_EQ(bitmap->Width(), 5);
  ASSERT_EQ(bitmap->Height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(Rgb(*bitmap, x, y), At(x, y)) << x << ", " << y;
  }
}

TEST(Blend, SystemColoursAreResolved) {
  const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Blend(clBtnFace, clBlack, 1000), face);
  EXPECT_EQ(Blend(clBlack, clBtnFace, 0), face);
  EXPECT_EQ(Blend(clBlack, clWhite, 100), 0xE6E6E6);
  EXPECT_EQ(Blend(clBlack, clWhite, 99), 0x030303);
  EXPECT_EQ(GetHSV(0x0000FF), 255);
}

TEST(GradFill, BandsFromTheCachedTable) {
  // Red 0 to 90 over 10 pixels: 10 more per band.
  struct TCase {
    const char* Name;
    RECT Rect;
    RECT Clip;  // left empty: no clip region
    int Direction;
    std::vector<TProbe> Bands;  // (x, y) must have red Sx (kKeep: untouched)
  } cases[] = {
      {"left to right", RECT{1, 0, 11, 2}, RECT{}, 0,
       {{1, 0, 0, 0}, {2, 1, 10, 0}, {6, 0, 50, 0}, {10, 1, 90, 0}, {0, 0, kKeep, 0}, {11, 0, kKeep, 0},
        {5, 2, kKeep, 0}}},
      {"top to bottom", RECT{0, 1, 2, 11}, RECT{}, 1,
       {{0, 1, 0, 0}, {1, 2, 10, 0}, {0, 6, 50, 0}, {1, 10, 90, 0}, {0, 0, kKeep, 0}, {0, 11, kKeep, 0},
        {2, 5, kKeep, 0}}},
      {"clipped: the visible bands keep their place in the gradient", RECT{1, 0, 11, 2}, RECT{4, 0, 8, 12}, 0,
       {{4, 0, 30, 0}, {7, 1, 60, 0}, {3, 0, kKeep, 0}, {8, 0, kKeep, 0}, {1, 0, kKeep, 0}, {10, 0, kKeep, 0}}},
      {"partly off the surface", RECT{-5, 0, 5, 1}, RECT{}, 0, {{0, 0, 50, 0}, {4, 0, 90, 0}, {5, 0, kKeep, 0}}},
      {"empty", RECT{3, 0, 3, 2}, RECT{}, 0, {{3, 0, kKeep, 0}, {2, 0, kKeep, 0}}},
      {"inverted", RECT{6, 0, 3, 2}, RECT{}, 0, {{3, 0, kKeep, 0}, {5, 1, kKeep, 0}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto target = Target(12, 12);
    if (c.Clip.right > c.Clip.left) IntersectClipRect(target->DC(), c.Clip.left, c.Clip.top, c.Clip.right, c.Clip.bottom);
    GradFill(target->DC(), c.Rect, clBlack, static_cast<TColor>(0x00005A), c.Direction);
    for (const TProbe& band : c.Bands) {
      uint32_t expected = band.Sx == kKeep ? kBackground : static_cast<uint32_t>(band.Sx) << 16;
      EXPECT_EQ(target->Pixel(band.X, band.Y), expected) << band.X << ", " << band.Y;
    }
  }
}

TEST(GradFill, FallingColoursSystemColoursAndTheCache) {
  auto target = Target(4, 3);
  GradFill(target->DC(), RECT{0, 0, 3, 1}, static_cast<TColor>(0x0000FF), clBlack, 0);
  EXPECT_EQ(target->Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(target->Pixel(1, 0), 0x800000u);
  EXPECT_EQ(target->Pixel(2, 0), 0x010000u);  // one step short of black

  GradFill(target->DC(), RECT{0, 1, 2, 2}, clBtnFace, clBtnFace, 0);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  uint32_t faceRgb = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
  EXPECT_EQ(target->Pixel(0, 1), faceRgb);
  EXPECT_EQ(target->Pixel(1, 1), faceRgb);

  // Repainting a gradient takes its table from the cache; another one is computed.
  GradFill(target->DC(), RECT{0, 2, 4, 3}, static_cast<TColor>(0x204060), static_cast<TColor>(0x60A080), 0);
  const int computed = GradientCache().Computed();
  auto again = Target(4, 3);
  GradFill(again->DC(), RECT{0, 2, 4, 3}, static_cast<TColor>(0x204060), static_cast<TColor>(0x60A080), 0);
  EXPECT_EQ(GradientCache().Computed(), computed);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(again->Pixel(x, 2), target->Pixel(x, 2)) << x;
  EXPECT_EQ(again->Pixel(0, 2), 0x604020u);
  EXPECT_EQ(again->Pixel(3, 2), 0x80A060u);
  GradFill(again->DC(), RECT{0, 2, 4, 3}, static_cast<TColor>(0x204060), static_cast<TColor>(0x60A081), 0);
  EXPECT_EQ(GradientCache().Computed(), computed + 1);
  EXPECT_EQ(again->Pixel(3, 2), 0x81A060u);
}

}  // namespace
