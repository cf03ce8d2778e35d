// Slice geometry with the setups of the sliced-drawing pixel tests (tests/win/draw_test.cpp): the
// same maps, margins and destinations, so the pieces here are the rectangles those pixels come
// from. Also the cases no pixel test reaches: sums past the int32_t range and the boundaries
// between the forms' rules.
#include "skin/draw/slice_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

void PrintTo(const TSliceRect& r, std::ostream* os) {
  *os << "{" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "}";
}

void PrintTo(const TSliceMargins& m, std::ostream* os) {
  *os << "margins {" << m.Left << ", " << m.Top << ", " << m.Right << ", " << m.Bottom << "}";
}

void PrintTo(const TSlice& s, std::ostream* os) {
  static const char* const kNames[] = {"TopLeft",    "Top",    "TopRight",    "Left",  "Centre",
                                       "Right",      "BottomLeft", "Bottom",  "BottomRight", "Whole"};
  *os << kNames[static_cast<int>(s.Part)] << " ";
  PrintTo(s.Source, os);
  *os << " -> ";
  PrintTo(s.Dest, os);
}

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr TOrientation kH = TOrientation::Horizontal, kV = TOrientation::Vertical;
using P = TSlicePart;

std::vector<TSlice> Pieces(const TSlices& slices) { return std::vector<TSlice>(slices.begin(), slices.end()); }

TEST(SliceGeometry, FrameOfStrip) {
  struct TCase {
    const char* Name;
    int32_t MapWidth, MapHeight, FrameIndex, FrameCount;
    TOrientation Orientation;
    std::optional<TSliceRect> Expected;
  } cases[] = {
      {"frame 2 of two side by side", 12, 6, 2, 2, kH, TSliceRect{6, 0, 12, 6}},
      {"frame 2 of two stacked: starts at row 6", 6, 12, 2, 2, kV, TSliceRect{0, 6, 6, 12}},
      {"remainder columns belong to no frame", 13, 2, 2, 2, kH, TSliceRect{6, 0, 12, 2}},
      {"third of three", 10, 1, 3, 3, kH, TSliceRect{6, 0, 9, 1}},
      {"stacked one-row frames", 7, 2, 2, 2, kV, TSliceRect{0, 1, 7, 2}},
      {"a map narrower than its count: frames of no width", 1, 1, 1, 2, kH, TSliceRect{0, 0, 0, 1}},
      {"the last frame of the widest map", kMax, 1, 3, 3, kH, TSliceRect{1431655764, 0, 2147483646, 1}},
      {"no frames", 12, 6, 1, 0, kH, std::nullopt},
      {"negative count", 12, 6, 1, -1, kH, std::nullopt},
      {"frame 0", 12, 6, 0, 2, kH, std::nullopt},
      {"frame past the end", 12, 6, 3, 2, kV, std::nullopt},
      {"empty map", 0, 0, 1, 1, kH, std::nullopt},
      {"no height", 12, 0, 1, 1, kH, std::nullopt},
      {"no width", 0, 6, 1, 1, kV, std::nullopt},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FrameOfStrip(c.MapWidth, c.MapHeight, c.FrameIndex, c.FrameCount, c.Orientation), c.Expected) << c.Name;
  }
}

TEST(SliceGeometry, FittedMargins) {
  struct TCase {
    const char* Name;
    TSliceMargins Margins;
    int64_t Width, Height;
    TSliceMargins Expected;
  } cases[] = {
      {"wider than the width: left and right dropped", {4, 1, 4, 1}, 6, 3, {0, 1, 0, 1}},
      {"taller than the height: top and bottom dropped", {1, 4, 1, 4}, 3, 6, {1, 0, 1, 0}},
      {"exactly filling the size: kept", {3, 1, 3, 1}, 6, 3, {3, 1, 3, 1}},
      {"a sum that wraps in 32 bits is still too wide", {kMax, 0, kMax, 0}, 10, 0, {0, 0, 0, 0}},
      {"one past the largest size", {kMax, kMax, 1, 1}, kMax, kMax, {0, 0, 0, 0}},
      {"an inverted size keeps no margins", {2, 2, 2, 2}, -5, 4, {0, 2, 0, 2}},
  };
  for (const TCase& c : cases) EXPECT_EQ(FittedMargins(c.Margins, c.Width, c.Height), c.Expected) << c.Name;
}

TEST(SliceGeometry, NineSlicesInPaintOrder) {
  struct TCase {
    const char* Name;
    TSliceRect Frame;
    TSliceMargins Margins;
    TSliceRect Dest;
    std::vector<TSlice> Expected;
  } cases[] = {
      {"frame 2 of a 12 x 6 strip, margins of 2, onto 10 x 10",
       {6, 0, 12, 6},
       {2, 2, 2, 2},
       {0, 0, 10, 10},
       {{P::TopLeft, {6, 0, 8, 2}, {0, 0, 2, 2}},
        {P::BottomLeft, {6, 4, 8, 6}, {0, 8, 2, 10}},
        {P::TopRight, {10, 0, 12, 2}, {8, 0, 10, 2}},
        {P::Left, {6, 2, 8, 4}, {0, 2, 2, 8}},
        {P::Top, {8, 0, 10, 2}, {2, 0, 8, 2}},
        {P::Centre, {8, 2, 10, 4}, {2, 2, 8, 8}},
        {P::BottomRight, {10, 4, 12, 6}, {8, 8, 10, 10}},
        {P::Right, {10, 2, 12, 4}, {8, 2, 10, 8}},
        {P::Bottom, {8, 4, 10, 6}, {2, 8, 8, 10}}}},
      {"the same onto a Dest away from the origin",
       {6, 0, 12, 6},
       {2, 2, 2, 2},
       {5, 6, 15, 16},
       {{P::TopLeft, {6, 0, 8, 2}, {5, 6, 7, 8}},
        {P::BottomLeft, {6, 4, 8, 6}, {5, 14, 7, 16}},
        {P::TopRight, {10, 0, 12, 2}, {13, 6, 15, 8}},
        {P::Left, {6, 2, 8, 4}, {5, 8, 7, 14}},
        {P::Top, {8, 0, 10, 2}, {7, 6, 13, 8}},
        {P::Centre, {8, 2, 10, 4}, {7, 8, 13, 14}},
        {P::BottomRight, {10, 4, 12, 6}, {13, 14, 15, 16}},
        {P::Right, {10, 2, 12, 4}, {13, 8, 15, 14}},
        {P::Bottom, {8, 4, 10, 6}, {7, 14, 13, 16}}}},
      {"frame 2 of a vertical strip: sources from row 6",
       {0, 6, 6, 12},
       {1, 1, 1, 1},
       {0, 0, 6, 6},
       {{P::TopLeft, {0, 6, 1, 7}, {0, 0, 1, 1}},
        {P::BottomLeft, {0, 11, 1, 12}, {0, 5, 1, 6}},
        {P::TopRight, {5, 6, 6, 7}, {5, 0, 6, 1}},
        {P::Left, {0, 7, 1, 11}, {0, 1, 1, 5}},
        {P::Top, {1, 6, 5, 7}, {1, 0, 5, 1}},
        {P::Centre, {1, 7, 5, 11}, {1, 1, 5, 5}},
        {P::BottomRight, {5, 11, 6, 12}, {5, 5, 6, 6}},
        {P::Right, {5, 7, 6, 11}, {5, 1, 6, 5}},
        {P::Bottom, {1, 11, 5, 12}, {1, 5, 5, 6}}}},
      {"margins wider than Dest dropped, top and bottom still apply",
       {0, 0, 3, 3},
       {4, 1, 4, 1},
       {0, 0, 6, 3},
       {{P::Top, {0, 0, 3, 1}, {0, 0, 6, 1}},
        {P::Centre, {0, 1, 3, 2}, {0, 1, 6, 2}},
        {P::Bottom, {0, 2, 3, 3}, {0, 2, 6, 3}}}},
      {"margins taller than Dest dropped, left and right still apply",
       {0, 0, 3, 3},
       {1, 4, 1, 4},
       {0, 0, 3, 6},
       {{P::Left, {0, 0, 1, 3}, {0, 0, 1, 6}},
        {P::Centre, {1, 0, 2, 3}, {1, 0, 2, 6}},
        {P::Right, {2, 0, 3, 3}, {2, 0, 3, 6}}}},
      {"margins exactly as wide as Dest kept: no centre, top or bottom edge",
       {0, 0, 8, 3},
       {3, 1, 3, 1},
       {0, 0, 6, 3},
       {{P::TopLeft, {0, 0, 3, 1}, {0, 0, 3, 1}},
        {P::BottomLeft, {0, 2, 3, 3}, {0, 2, 3, 3}},
        {P::TopRight, {5, 0, 8, 1}, {3, 0, 6, 1}},
        {P::Left, {0, 1, 3, 2}, {0, 1, 3, 2}},
        {P::BottomRight, {5, 2, 8, 3}, {3, 2, 6, 3}},
        {P::Right, {5, 1, 8, 2}, {3, 1, 6, 2}}}},
      {"no left margin: no left corners or edge, the top edge starts at 0",
       {0, 0, 3, 3},
       {0, 1, 1, 1},
       {0, 0, 5, 3},
       {{P::TopRight, {2, 0, 3, 1}, {4, 0, 5, 1}},
        {P::Top, {0, 0, 2, 1}, {0, 0, 4, 1}},
        {P::Centre, {0, 1, 2, 2}, {0, 1, 4, 2}},
        {P::BottomRight, {2, 2, 3, 3}, {4, 2, 5, 3}},
        {P::Right, {2, 1, 3, 2}, {4, 1, 5, 2}},
        {P::Bottom, {0, 2, 2, 3}, {0, 2, 4, 3}}}},
      {"negative margins: a corner needs two of one sign, an edge a positive one", {0, 0, 4, 4}, {-1, -1, 1, 1},
       {0, 0, 6, 6},
       {{P::TopLeft, {0, 0, -1, -1}, {0, 0, -1, -1}},
        {P::Centre, {-1, -1, 3, 3}, {-1, -1, 5, 5}},
        {P::BottomRight, {3, 3, 4, 4}, {5, 5, 6, 6}},
        {P::Right, {3, -1, 4, 3}, {5, -1, 6, 5}},
        {P::Bottom, {-1, 3, 3, 4}, {-1, 5, 5, 6}}}},
      {"margins whose 32-bit sum wraps are dropped", {0, 0, 4, 4}, {kMax, 0, kMax, 0}, {0, 0, 10, 4},
       {{P::Centre, {0, 0, 4, 4}, {0, 0, 10, 4}}}},
      {"Dest with no area: nothing", {0, 0, 4, 4}, {1, 1, 1, 1}, {3, 3, 3, 9}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TSlices slices = NineSlices(c.Frame, c.Margins, c.Dest);
    EXPECT_EQ(Pieces(slices), c.Expected);
    for (const TSlice& expected : c.Expected) {
      const TSlice* found = slices.Find(expected.Part);
      ASSERT_NE(found, nullptr);
      EXPECT_EQ(*found, expected);
    }
  }
  EXPECT_EQ(NineSlices({0, 0, 3, 3}, {4, 1, 4, 1}, {0, 0, 6, 3}).Find(P::Left), nullptr);
}

TEST(SliceGeometry, ThreePieceForms) {
  struct TCase {
    const char* Name;
    TSlices (*Cut)(const TSliceRect&, const TSliceMargins&, const TSliceRect&, TOrientation);
    TSliceRect Frame;
    TSliceMargins Margins;
    TSliceRect Dest;
    TOrientation Orientation;
    std::vector<TSlice> Expected;
  } cases[] = {
      {"frame 1 by columns: top and bottom margins play no part", ThreeSlices, {0, 0, 5, 2}, {1, 7, 1, 7},
       {2, 2, 10, 6}, kH,
       {{P::Left, {0, 0, 1, 2}, {2, 2, 3, 6}}, {P::Centre, {1, 0, 4, 2}, {3, 2, 9, 6}},
        {P::Right, {4, 0, 5, 2}, {9, 2, 10, 6}}}},
      {"frame 2 by columns", ThreeSlices, {5, 0, 10, 2}, {1, 7, 1, 7}, {2, 2, 10, 6}, kH,
       {{P::Left, {5, 0, 6, 2}, {2, 2, 3, 6}}, {P::Centre, {6, 0, 9, 2}, {3, 2, 9, 6}},
        {P::Right, {9, 0, 10, 2}, {9, 2, 10, 6}}}},
      {"frame 2 of a stacked strip by rows: left and right margins play no part", ThreeSlices, {0, 5, 2, 10},
       {7, 1, 7, 1}, {2, 2, 6, 10}, kV,
       {{P::Top, {0, 5, 2, 6}, {2, 2, 6, 3}}, {P::Centre, {0, 6, 2, 9}, {2, 3, 6, 9}},
        {P::Bottom, {0, 9, 2, 10}, {2, 9, 6, 10}}}},
      {"narrower than the frame: the whole frame", ThreeSlices, {0, 0, 6, 1}, {2, 0, 2, 0}, {1, 0, 4, 2}, kH,
       {{P::Whole, {0, 0, 6, 1}, {1, 0, 4, 2}}}},
      {"shorter than the frame: the whole frame", ThreeSlices, {0, 0, 1, 6}, {0, 2, 0, 2}, {0, 1, 2, 4}, kV,
       {{P::Whole, {0, 0, 1, 6}, {0, 1, 2, 4}}}},
      {"exactly the frame's width is cut", ThreeSlices, {0, 0, 5, 2}, {1, 0, 1, 0}, {0, 0, 5, 2}, kH,
       {{P::Left, {0, 0, 1, 2}, {0, 0, 1, 2}}, {P::Centre, {1, 0, 4, 2}, {1, 0, 4, 2}},
        {P::Right, {4, 0, 5, 2}, {4, 0, 5, 2}}}},
      {"ends of no width are left out", ThreeSlices, {0, 0, 5, 2}, {0, 0, 0, 0}, {0, 0, 8, 2}, kH,
       {{P::Centre, {0, 0, 5, 2}, {0, 0, 8, 2}}}},
      {"a negative margin gives an inverted end, kept for GDI to mirror", ThreeSlices, {0, 0, 5, 2}, {-1, 0, 1, 0},
       {0, 0, 8, 2}, kH,
       {{P::Left, {0, 0, -1, 2}, {0, 0, -1, 2}}, {P::Centre, {-1, 0, 4, 2}, {-1, 0, 7, 2}},
        {P::Right, {4, 0, 5, 2}, {7, 0, 8, 2}}}},
      {"pieces past the int32_t range are left out", ThreeSlices, {0, 0, 5, 1}, {kMax, 0, 2, 0}, {100, 0, 110, 1}, kH,
       {{P::Right, {3, 0, 5, 1}, {108, 0, 110, 1}}}},
      {"thumb: rows at full width", ThumbSlices, {3, 0, 6, 5}, {9, 1, 9, 1}, {0, 0, 6, 8}, kV,
       {{P::Top, {3, 0, 6, 1}, {0, 0, 6, 1}}, {P::Centre, {3, 1, 6, 4}, {0, 1, 6, 7}},
        {P::Bottom, {3, 4, 6, 5}, {0, 7, 6, 8}}}},
      {"thumb: no top margin, no top", ThumbSlices, {3, 0, 6, 5}, {0, 0, 0, 2}, {0, 0, 6, 8}, kV,
       {{P::Centre, {3, 0, 6, 3}, {0, 0, 6, 6}}, {P::Bottom, {3, 3, 6, 5}, {0, 6, 6, 8}}}},
      {"thumb: shorter than the frame is still cut", ThumbSlices, {3, 0, 6, 5}, {0, 1, 0, 1}, {0, 0, 6, 3}, kV,
       {{P::Top, {3, 0, 6, 1}, {0, 0, 6, 1}}, {P::Centre, {3, 1, 6, 4}, {0, 1, 6, 2}},
        {P::Bottom, {3, 4, 6, 5}, {0, 2, 6, 3}}}},
      {"thumb: a negative margin gives no end", ThumbSlices, {3, 0, 6, 5}, {0, -1, 0, 1}, {0, 0, 6, 8}, kV,
       {{P::Centre, {3, -1, 6, 4}, {0, -1, 6, 7}}, {P::Bottom, {3, 4, 6, 5}, {0, 7, 6, 8}}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Pieces(c.Cut(c.Frame, c.Margins, c.Dest, c.Orientation)), c.Expected);
  }
}

// Where target position `along` (at `across`) takes its pixel from when the pieces are painted in
// order, each stretched by nearest pixels: first end, every copy of the middle, last end. -1 when
// nothing covers it.
struct TOrigin {
  int64_t Along = -1, Across = -1;
};

TOrigin OriginOf(const TTiledSlices& tiled, TOrientation o, int64_t along, int64_t across) {
  const int64_t x = o == kH ? along : across, y = o == kH ? across : along;
  TOrigin origin;
  auto paint = [&](const TSliceRect& source, const TSliceRect& dest) {
    if (x < dest.Left || x >= dest.Right || y < dest.Top || y >= dest.Bottom) return;
    const int64_t sx = source.Left + (x - dest.Left) * source.Width() / dest.Width();
    const int64_t sy = source.Top + (y - dest.Top) * source.Height() / dest.Height();
    origin = o == kH ? TOrigin{sx, sy} : TOrigin{sy, sx};
  };
  if (tiled.First) paint(tiled.First->Source, tiled.First->Dest);
  for (int64_t column = 0; column < tiled.Middle.Columns; ++column) {
    for (int64_t row = 0; row < tiled.Middle.Rows; ++row) paint(tiled.Middle.Source, tiled.Middle.Copy(column, row));
  }
  if (tiled.Last) paint(tiled.Last->Source, tiled.Last->Dest);
  return origin;
}

TEST(SliceGeometry, TiledMiddleBetweenTwoEnds) {
  // 7-long frames with ends of 2: a middle of 3 whose copies at 2, 5 and 8 reach 11, and the last
  // end, painted after them, takes back 10 and 11.
  const std::vector<int64_t> tiled12 = {0, 1, 2, 3, 4, 2, 3, 4, 2, 3, 5, 6};
  struct TCase {
    const char* Name;
    TSliceRect Frame;
    TSliceMargins Margins;
    TSliceRect Dest;
    TOrientation Orientation;
    int64_t SourceAlong, SourceAcross;  // the frame's offset in its strip
    std::vector<int64_t> Along;         // source position along for each target position, -1 for none
    int64_t Copies;
  } cases[] = {
      {"frame 2 of a horizontal strip", {7, 0, 14, 1}, {2, 9, 2, 9}, {0, 0, 12, 3}, kH, 7, 0, tiled12, 3},
      {"frame 2 of a vertical strip", {0, 1, 7, 2}, {2, 9, 2, 9}, {0, 0, 12, 3}, kH, 0, 1, tiled12, 3},
      {"by rows", {0, 0, 1, 7}, {9, 2, 9, 2}, {0, 0, 3, 12}, kV, 0, 0, tiled12, 3},
      {"narrower than both ends: the last end covers the first", {0, 0, 7, 1}, {2, 0, 2, 0}, {0, 0, 3, 1}, kH, 0,
       0, {0, 5, 6}, 0},
      {"a middle of no length: no copies", {0, 0, 4, 1}, {2, 0, 2, 0}, {0, 0, 8, 1}, kH, 0, 0,
       {0, 1, -1, -1, -1, -1, 2, 3}, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TTiledSlices tiled = TiledSlices(c.Frame, c.Margins, c.Dest, c.Orientation);
    EXPECT_EQ(tiled.Middle.Columns * tiled.Middle.Rows, c.Copies);
    const int64_t thickness = c.Orientation == kH ? c.Dest.Height() : c.Dest.Width();
    for (size_t i = 0; i < c.Along.size(); ++i) {
      for (int64_t across = 0; across < thickness; ++across) {
        const TOrigin origin = OriginOf(tiled, c.Orientation, static_cast<int64_t>(i), across);
        const bool covered = c.Along[i] >= 0;
        EXPECT_EQ(origin.Along, covered ? c.SourceAlong + c.Along[i] : -1) << "at " << i << ", " << across;
        EXPECT_EQ(origin.Across, covered ? c.SourceAcross : -1) << "at " << i << ", " << across;
      }
    }
  }

  const TTiledSlices tiled = TiledSlices({7, 0, 14, 1}, {2, 9, 2, 9}, {1, 1, 13, 4}, kH);
  ASSERT_TRUE(tiled.First && tiled.Last);
  EXPECT_EQ(*tiled.First, (TSlice{P::Left, {7, 0, 9, 1}, {1, 1, 3, 4}}));
  EXPECT_EQ(*tiled.Last, (TSlice{P::Right, {12, 0, 14, 1}, {11, 1, 13, 4}}));
  EXPECT_EQ(tiled.Middle.Source, (TSliceRect{9, 0, 12, 1}));
  EXPECT_EQ(tiled.Middle.Copy(2, 0), (TSliceRect{9, 1, 12, 4}));
  EXPECT_FALSE(TiledSlices({0, 0, 7, 1}, {0, 0, 2, 0}, {0, 0, 12, 1}, kH).First);
}

TEST(SliceGeometry, Tiles) {
  struct TCase {
    const char* Name;
    TSliceRect Source;
    int32_t CopyWidth, CopyHeight;
    TSliceRect Area;
    int64_t Columns, Rows;
    TSliceRect LastCopy;
  } cases[] = {
      {"a 2 x 3 source over 5 x 5: the last column and row overrun", {1, 1, 3, 4}, 2, 3, {0, 0, 5, 5}, 3, 2,
       {4, 3, 6, 6}},
      {"a tiled nine-slice centre: the last copy runs into the right and bottom pieces", {2, 2, 5, 5}, 3, 3,
       {2, 2, 10, 10}, 3, 3, {8, 8, 11, 11}},
      {"copies of one row stretched to the area's height", {9, 0, 12, 1}, 3, 3, {2, 0, 10, 3}, 3, 1, {8, 0, 11, 3}},
      {"exactly filling the area", {0, 0, 2, 2}, 2, 2, {0, 0, 4, 2}, 2, 1, {2, 0, 4, 2}},
      {"a copy that would end past the int32_t range is not made", {0, 0, 2, 1}, 2, 1, {kMax - 3, 0, kMax, 1}, 1, 1,
       {kMax - 3, 0, kMax - 1, 1}},
      {"copies of no width", {1, 1, 1, 4}, 0, 3, {0, 0, 5, 5}, 0, 0, {}},
      {"copies of no height", {1, 1, 3, 1}, 2, 0, {0, 0, 5, 5}, 0, 0, {}},
      {"copies of negative size", {3, 4, 1, 1}, -2, -3, {0, 0, 5, 5}, 0, 0, {}},
      {"an inverted area", {1, 1, 3, 4}, 2, 3, {5, 5, 0, 0}, 0, 0, {}},
      {"an area of no height", {1, 1, 3, 4}, 2, 3, {0, 5, 5, 5}, 0, 0, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TTiling tiling = Tiles(c.Source, c.CopyWidth, c.CopyHeight, c.Area);
    EXPECT_EQ(tiling.Columns, c.Columns);
    EXPECT_EQ(tiling.Rows, c.Rows);
    if (c.Columns > 0) {
      EXPECT_EQ(tiling.Copy(0, 0), (TSliceRect{c.Area.Left, c.Area.Top, c.Area.Left + c.CopyWidth,
                                               c.Area.Top + c.CopyHeight}));
      EXPECT_EQ(tiling.Copy(c.Columns - 1, c.Rows - 1), c.LastCopy);
    }
  }
}

TEST(SliceGeometry, CentredOn) {
  struct TCase {
    const char* Name;
    TSliceRect Frame, Dest;
    std::optional<TSliceRect> Expected;
  } cases[] = {
      {"smaller by 3: 1 in from the left and top, 2 from the right and bottom", {5, 0, 10, 5}, {10, 10, 18, 18},
       TSliceRect{11, 11, 16, 16}},
      {"larger by 3: 1 out on the left and top, 2 on the right and bottom", {5, 0, 10, 5}, {10, 10, 12, 12},
       TSliceRect{9, 9, 14, 14}},
      {"the same size", {5, 0, 10, 5}, {10, 10, 15, 15}, TSliceRect{10, 10, 15, 15}},
      {"past the int32_t range", {0, 0, kMax, 1}, {kMax - 1, 0, kMax, 1}, std::nullopt},
  };
  for (const TCase& c : cases) EXPECT_EQ(CentredOn(c.Frame, c.Dest), c.Expected) << c.Name;
}

}  // namespace
