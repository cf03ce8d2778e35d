// Where the pieces of a sliced skin image come from and where they go. Pure geometry: the drawing
// primitives blit what it returns, and whatever measures a skinned frame or control asks it the same
// questions, so both always agree.
//
// Invariants:
// - Rectangles are corners, half-open: [Left, Right) x [Top, Bottom). Margins are widths.
// - Every piece handed out paints something: a piece whose destination has no width or no height is
//   left out. An inverted piece (only negative margins, a malformed skin, give one) is kept as it is,
//   since GDI mirrors it and the drawing has always done so.
// - Sums and differences are formed in 64 bits; a piece whose corners would not fit int32_t is left
//   out (and a tiling stops before such a copy) instead of wrapping around.
// - Pieces come in the order they are painted; where pieces overlap the later one wins.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

struct TSliceRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

  int64_t Width() const { return int64_t{Right} - Left; }
  int64_t Height() const { return int64_t{Bottom} - Top; }
  bool Inverted() const { return Right < Left || Bottom < Top; }
};

inline bool operator==(const TSliceRect& a, const TSliceRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
inline bool operator!=(const TSliceRect& a, const TSliceRect& b) { return !(a == b); }

// Widths of the four sides of a frame that keep their size, measured inward from each edge.
struct TSliceMargins {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

inline bool operator==(const TSliceMargins& a, const TSliceMargins& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

// Which way frames follow each other in a strip, or which way a three-piece form is cut.
enum class TOrientation { Horizontal, Vertical };

// A three-piece form uses Left, Centre, Right (horizontal) or Top, Centre, Bottom (vertical); Whole
// is an undivided frame.
enum class TSlicePart : uint8_t {
  TopLeft, Top, TopRight, Left, Centre, Right, BottomLeft, Bottom, BottomRight, Whole
};

// One piece: Source (a rectangle of the map) stretched onto Dest.
struct TSlice {
  TSlicePart Part = TSlicePart::Whole;
  TSliceRect Source, Dest;
};

inline bool operator==(const TSlice& a, const TSlice& b) {
  return a.Part == b.Part && a.Source == b.Source && a.Dest == b.Dest;
}

// Up to nine pieces in paint order.
class TSlices {
public:
  static constexpr size_t kCapacity = 9;

  const TSlice* begin() const { return FPieces.data(); }
  const TSlice* end() const { return FPieces.data() + FCount; }
  size_t Size() const { return FCount; }
  // The piece of that part, or null when it was left out.
  const TSlice* Find(TSlicePart part) const;
  // Appends the piece unless its destination has no area; a full set takes no more.
  void Add(const TSlice& slice);

private:
  std::array<TSlice, kCapacity> FPieces{};
  size_t FCount = 0;
};

// Frame frameIndex (from 1) of a strip of frameCount equal frames. Division truncates, so columns
// (or rows) left over at the end of the strip belong to no frame. None for an empty map, a count
// below 1 or an index outside 1..frameCount; a map narrower than its count gives frames of no width.
std::optional<TSliceRect> FrameOfStrip(int32_t mapWidth, int32_t mapHeight, int32_t frameIndex, int32_t frameCount,
                                       TOrientation orientation);

// The margins a nine-slice frame of that size keeps: left and right are both dropped when together
// they are wider than the width, top and bottom when taller than the height. Margins that exactly
// fill the size stay and leave an empty centre.
TSliceMargins FittedMargins(const TSliceMargins& margins, int64_t width, int64_t height);

// The frame cut along its fitted margins onto Dest: corners keep their size, edges stretch along
// their length, the centre both ways. A corner needs both its margins, an edge its own margin; the
// centre is always there (when it has an area), and the right and bottom pieces come after it, so
// they cover a tiled centre's overrun.
TSlices NineSlices(const TSliceRect& frame, const TSliceMargins& margins, const TSliceRect& dest);

// The frame cut across the orientation's axis into two ends (Left and Right margins when
// horizontal, Top and Bottom when vertical) and a middle, all three at Dest's full thickness. A
// Dest shorter than the frame along that axis gets the Whole frame instead. Margins are not fitted.
TSlices ThreeSlices(const TSliceRect& frame, const TSliceMargins& margins, const TSliceRect& dest,
                    TOrientation orientation);

// As ThreeSlices, but an end comes only with a positive margin, and a short Dest is cut all the
// same (the scroll thumb's form).
TSlices ThumbSlices(const TSliceRect& frame, const TSliceMargins& margins, const TSliceRect& dest,
                    TOrientation orientation);

// Copies of Source, each CopyWidth x CopyHeight on the target, laid from Area's top-left column by
// column for as long as a copy starts inside Area: the last column and row overrun Area rather
// than being clipped. No copies when a copy size is not positive or Area has no area.
struct TTiling {
  TSliceRect Source, Area;
  int32_t CopyWidth = 0, CopyHeight = 0;
  int64_t Columns = 0, Rows = 0;

  TSliceRect Copy(int64_t column, int64_t row) const;
};

TTiling Tiles(const TSliceRect& source, int32_t copyWidth, int32_t copyHeight, const TSliceRect& area);

// Two fixed ends with the middle tiled between them along the orientation's axis, each copy at
// the middle's own length and Dest's thickness. The last end is painted after the copies and
// covers the last one's overrun (and, on a Dest shorter than both ends, the first end). A middle
// of no length has no copies. Margins are not fitted.
struct TTiledSlices {
  std::optional<TSlice> First;  // Left or Top
  TTiling Middle;
  std::optional<TSlice> Last;  // Right or Bottom
};

TTiledSlices TiledSlices(const TSliceRect& frame, const TSliceMargins& margins, const TSliceRect& dest,
                         TOrientation orientation);

// The frame at its own size centred on Dest; odd differences truncate toward zero, so a frame
// larger than Dest overhangs more on the right and bottom. None when it would not fit int32_t.
std::optional<TSliceRect> CentredOn(const TSliceRect& frame, const TSliceRect& dest);
