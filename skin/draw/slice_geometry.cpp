#include "skin/draw/slice_geometry.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t kMinCoordinate = std::numeric_limits<int32_t>::min();
constexpr int64_t kMaxCoordinate = std::numeric_limits<int32_t>::max();

// A rectangle before it is known to fit int32_t.
struct TWideRect {
  int64_t Left, Top, Right, Bottom;
};

struct TSpan {
  int64_t Start, End;
};

bool Fits(int64_t value) { return value >= kMinCoordinate && value <= kMaxCoordinate; }

std::optional<TSliceRect> Narrow(const TWideRect& r) {
  if (!Fits(r.Left) || !Fits(r.Top) || !Fits(r.Right) || !Fits(r.Bottom)) return std::nullopt;
  return TSliceRect{static_cast<int32_t>(r.Left), static_cast<int32_t>(r.Top), static_cast<int32_t>(r.Right),
                    static_cast<int32_t>(r.Bottom)};
}

void AddPiece(TSlices& slices, TSlicePart part, const TWideRect& source, const TWideRect& dest) {
  std::optional<TSliceRect> narrowSource = Narrow(source), narrowDest = Narrow(dest);
  if (narrowSource && narrowDest) slices.Add(TSlice{part, *narrowSource, *narrowDest});
}

// The horizontal and vertical forms are one body: it works on the spans along and across the
// orientation's axis, and only these three functions know which of x and y each one is.
TSpan Along(const TSliceRect& r, TOrientation o) {
  return o == TOrientation::Horizontal ? TSpan{r.Left, r.Right} : TSpan{r.Top, r.Bottom};
}

TSpan Across(const TSliceRect& r, TOrientation o) {
  return o == TOrientation::Horizontal ? TSpan{r.Top, r.Bottom} : TSpan{r.Left, r.Right};
}

TWideRect Join(TSpan along, TSpan across, TOrientation o) {
  return o == TOrientation::Horizontal ? TWideRect{along.Start, across.Start, along.End, across.End}
                                       : TWideRect{across.Start, along.Start, across.End, along.End};
}

// first from the start, last from the end and what lies between, as corners: a span shorter than
// first + last gives an inverted middle, as the drawing always has.
std::array<TSpan, 3> Cut(TSpan span, int64_t first, int64_t last) {
  return {TSpan{span.Start, span.Start + first}, TSpan{span.Start + first, span.End - last},
          TSpan{span.End - last, span.End}};
}

struct TEnds {
  int64_t First, Last;
  TSlicePart FirstPart, LastPart;
};

TEnds EndsOf(const TSliceMargins& m, TOrientation o) {
  return o == TOrientation::Horizontal ? TEnds{m.Left, m.Right, TSlicePart::Left, TSlicePart::Right}
                                       : TEnds{m.Top, m.Bottom, TSlicePart::Top, TSlicePart::Bottom};
}

// The two three-piece forms differ only in what they do with short destinations and empty ends.
TSlices CutAlong(const TSliceRect& frame, const TSliceMargins& margins, const TSliceRect& dest, TOrientation o,
                 bool wholeWhenShort, bool endsNeedMargin) {
  TSlices slices;
  const TSpan destAlong = Along(dest, o), frameAlong = Along(frame, o);
  if (wholeWhenShort && destAlong.End - destAlong.Start < frameAlong.End - frameAlong.Start) {
    slices.Add(TSlice{TSlicePart::Whole, frame, dest});
    return slices;
  }
  const TEnds ends = EndsOf(margins, o);
  const std::array<TSpan, 3> destSpans = Cut(destAlong, ends.First, ends.Last);
  const std::array<TSpan, 3> sourceSpans = Cut(frameAlong, ends.First, ends.Last);
  const TSpan destAcross = Across(dest, o), frameAcross = Across(frame, o);
  auto piece = [&](size_t i, TSlicePart part) {
    AddPiece(slices, part, Join(sourceSpans[i], frameAcross, o), Join(destSpans[i], destAcross, o));
  };
  if (!endsNeedMargin || ends.First > 0) piece(0, ends.FirstPart);
  piece(1, TSlicePart::Centre);
  if (!endsNeedMargin || ends.Last > 0) piece(2, ends.LastPart);
  return slices;
}

int64_t CeilDiv(int64_t a, int64_t b) { return (a + b - 1) / b; }

}  // namespace

const TSlice* TSlices::Find(TSlicePart part) const {
  for (const TSlice& slice : *this) {
    if (slice.Part == part) return &slice;
  }
  return nullptr;
}

void TSlices::Add(const TSlice& slice) {
  if (FCount == kCapacity || slice.Dest.Width() == 0 || slice.Dest.Height() == 0) return;
  FPieces[FCount++] = slice;
}

std::optional<TSliceRect> FrameOfStrip(int32_t mapWidth, int32_t mapHeight, int32_t frameIndex, int32_t frameCount,
                                       TOrientation orientation) {
  if (mapWidth <= 0 || mapHeight <= 0 || frameCount < 1 || frameIndex < 1 || frameIndex > frameCount) {
    return std::nullopt;
  }
  // Offsets stay within the map, so nothing here can overflow.
  if (orientation == TOrientation::Vertical) {
    const int32_t height = mapHeight / frameCount, top = (frameIndex - 1) * height;
    return TSliceRect{0, top, mapWidth, top + height};
  }
  const int32_t width = mapWidth / frameCount, left = (frameIndex - 1) * width;
  return TSliceRect{left, 0, left + width, mapHeight};
}

TSliceMargins FittedMargins(const TSliceMargins& margins, int64_t width, int64_t height) {
  TSliceMargins fitted = margins;
  if (int64_t{margins.Left} + margins.Right > width) fitted.Left = fitted.Right = 0;
  if (int64_t{margins.Top} + margins.Bottom > height) fitted.Top = fitted.Bottom = 0;
  return fitted;
}

TSlices NineSlices(const TSliceRect& frame, const TSliceMargins& margins, const TSliceRect& dest) {
  const TSliceMargins m = FittedMargins(margins, dest.Width(), dest.Height());
  const auto destColumns = Cut(Along(dest, TOrientation::Horizontal), m.Left, m.Right);
  const auto destRows = Cut(Along(dest, TOrientation::Vertical), m.Top, m.Bottom);
  const auto sourceColumns = Cut(Along(frame, TOrientation::Horizontal), m.Left, m.Right);
  const auto sourceRows = Cut(Along(frame, TOrientation::Vertical), m.Top, m.Bottom);
  // Column and row 1 are the middle ones and have no margin of their own.
  const int64_t columnMargin[3] = {m.Left, 0, m.Right}, rowMargin[3] = {m.Top, 0, m.Bottom};
  struct TPlace {
    TSlicePart Part;
    size_t Column, Row;
  };
  static constexpr TPlace kPaintOrder[] = {
      {TSlicePart::TopLeft, 0, 0},     {TSlicePart::BottomLeft, 0, 2}, {TSlicePart::TopRight, 2, 0},
      {TSlicePart::Left, 0, 1},        {TSlicePart::Top, 1, 0},        {TSlicePart::Centre, 1, 1},
      {TSlicePart::BottomRight, 2, 2}, {TSlicePart::Right, 2, 1},      {TSlicePart::Bottom, 1, 2},
  };
  TSlices slices;
  for (const TPlace& p : kPaintOrder) {
    const bool edgeColumn = p.Column != 1, edgeRow = p.Row != 1;
    // A corner's test is a product, so two negative margins still give one, as they always have.
    if (edgeColumn && edgeRow && columnMargin[p.Column] * rowMargin[p.Row] <= 0) continue;
    if (edgeColumn && !edgeRow && columnMargin[p.Column] <= 0) continue;
    if (!edgeColumn && edgeRow && rowMargin[p.Row] <= 0) continue;
    AddPiece(slices, p.Part,
             TWideRect{sourceColumns[p.Column].Start, sourceRows[p.Row].Start, sourceColumns[p.Column].End,
                       sourceRows[p.Row].End},
             TWideRect{destColumns[p.Column].Start, destRows[p.Row].Start, destColumns[p.Column].End,
                       destRows[p.Row].End});
  }
  return slices;
}

TSlices ThreeSlices(const TSliceRect& frame, const TSliceMargins& margins, const TSliceRect& dest,
                    TOrientation orientation) {
  return CutAlong(frame, margins, dest, orientation, true, false);
}

TSlices ThumbSlices(const TSliceRect& frame, const TSliceMargins& margins, const TSliceRect& dest,
                    TOrientation orientation) {
  return CutAlong(frame, margins, dest, orientation, false, true);
}

TSliceRect TTiling::Copy(int64_t column, int64_t row) const {
  const int64_t left = Area.Left + column * CopyWidth, top = Area.Top + row * CopyHeight;
  return TSliceRect{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(left + CopyWidth),
                    static_cast<int32_t>(top + CopyHeight)};
}

TTiling Tiles(const TSliceRect& source, int32_t copyWidth, int32_t copyHeight, const TSliceRect& area) {
  TTiling tiling;
  tiling.Source = source;
  tiling.Area = area;
  tiling.CopyWidth = copyWidth;
  tiling.CopyHeight = copyHeight;
  if (copyWidth <= 0 || copyHeight <= 0 || area.Width() <= 0 || area.Height() <= 0) return tiling;
  // Copies whose far edge would pass the int32_t range are never made; GDI would clip them away.
  const int64_t columns = std::min(CeilDiv(area.Width(), copyWidth), (kMaxCoordinate - area.Left) / copyWidth);
  const int64_t rows = std::min(CeilDiv(area.Height(), copyHeight), (kMaxCoordinate - area.Top) / copyHeight);
  if (columns > 0 && rows > 0) {
    tiling.Columns = columns;
    tiling.Rows = rows;
  }
  return tiling;
}

TTiledSlices TiledSlices(const TSliceRect& frame, const TSliceMargins& margins, const TSliceRect& dest,
                         TOrientation orientation) {
  const TEnds ends = EndsOf(margins, orientation);
  const auto destSpans = Cut(Along(dest, orientation), ends.First, ends.Last);
  const auto sourceSpans = Cut(Along(frame, orientation), ends.First, ends.Last);
  const TSpan destAcross = Across(dest, orientation), frameAcross = Across(frame, orientation);
  auto end = [&](size_t i, TSlicePart part) -> std::optional<TSlice> {
    TSlices one;
    AddPiece(one, part, Join(sourceSpans[i], frameAcross, orientation), Join(destSpans[i], destAcross, orientation));
    if (one.Size() == 0) return std::nullopt;
    return *one.begin();
  };
  TTiledSlices tiled;
  tiled.First = end(0, ends.FirstPart);
  tiled.Last = end(2, ends.LastPart);
  const int64_t length = sourceSpans[1].End - sourceSpans[1].Start;
  const int64_t thickness = destAcross.End - destAcross.Start;
  const std::optional<TSliceRect> source = Narrow(Join(sourceSpans[1], frameAcross, orientation));
  const std::optional<TSliceRect> area = Narrow(Join(destSpans[1], destAcross, orientation));
  if (source && area && length > 0 && Fits(length) && thickness > 0 && Fits(thickness)) {
    const bool horizontal = orientation == TOrientation::Horizontal;
    const int32_t along = static_cast<int32_t>(length), across = static_cast<int32_t>(thickness);
    tiled.Middle = Tiles(*source, horizontal ? along : across, horizontal ? across : along, *area);
  }
  return tiled;
}

std::optional<TSliceRect> CentredOn(const TSliceRect& frame, const TSliceRect& dest) {
  const int64_t left = dest.Left + (dest.Width() - frame.Width()) / 2;
  const int64_t top = dest.Top + (dest.Height() - frame.Height()) / 2;
  return Narrow(TWideRect{left, top, left + frame.Width(), top + frame.Height()});
}
