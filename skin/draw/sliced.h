// Drawing a skin element's image into a rectangle. An element image is a strip of equal frames, one
// per visual state, side by side or (Vertical) stacked; a frame is cut along four margins (widths,
// not coordinates: Left, Top, Right, Bottom) into corners that keep their size, edges stretched
// along their length and a centre stretched or tiled. Magenta (0xFF00FF) marks transparent pixels.
//
// FrameIndex counts from 1. Flags are integers where 0 is off, so an element's Trans and Tile values
// pass straight through. A map that is empty, a FrameCount below 1 or a FrameIndex outside
// 1..FrameCount (only a malformed skin gives them) draws nothing; the functions that return a
// bitmap then return a blank one of Dest's size.
//
// Every rectangle drawn here comes from skin/draw/slice_geometry.h, so whatever measures a skinned
// frame or control with it finds the pieces where these functions put them.
#pragma once

#include "framework/win32.h"

#include <cstdint>
#include <memory>

class TBitmap;
class TCanvas;
class TControl;

constexpr COLORREF kSkinTransparent = 0xFF00FF;

// The frame as a nine-slice image of Dest's size (its stretch mode is COLORONCOLOR). Margins that
// together exceed the width (or height) are dropped in that direction.
std::unique_ptr<TBitmap> GetHMap(const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                                 int32_t frameCount, int32_t tile, int32_t vertical);
// The nine-slice image drawn into Dest, magenta left out when transparent.
void DrawRect2(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
               int32_t frameCount, int32_t transparent, int32_t tile, int32_t vertical);
// The whole frame of a horizontal strip stretched into Dest with the default stretch mode.
void DrawRect1(HDC dc, const RECT& dest, TBitmap& map, int32_t frameIndex, int32_t frameCount, int32_t transparent);
// The frame of a horizontal strip centred on Dest at its own size, overhanging Dest when larger.
void DrawRect3(HDC dc, const RECT& dest, TBitmap& map, int32_t frameIndex, int32_t frameCount, int32_t transparent);
// Left slice, tiled middle and right slice side by side, each stretched to Dest's height.
void DrawRectTile(TCanvas& canvas, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                  int32_t frameCount, int32_t transparent, int32_t vertical);
// Left, middle and right slices stretched straight onto the DC with the DC's own stretch mode; a
// Dest narrower than a frame gets the whole frame stretched.
void DrawRectH(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
               int32_t frameCount, int32_t unused, int32_t vertical);
// As DrawRectH by rows: top, middle and bottom slices.
void DrawRectV(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
               int32_t frameCount, int32_t unused, int32_t vertical);
// The nine-slice frame without its centre, straight onto the DC, whose stretch mode is left at
// COLORONCOLOR.
void DrawBorder(HDC dc, const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                int32_t frameCount, int32_t unused, int32_t vertical);
// Top, middle and bottom slices of a horizontal strip's frame at full width, as an image of Dest's
// size. With Vertical on the image stays blank.
std::unique_ptr<TBitmap> GetThumbMap(const RECT& dest, TBitmap& map, const RECT& margins, int32_t frameIndex,
                                     int32_t frameCount, int32_t unused, int32_t vertical);
// Source (a rectangle of map) repeated from Dest's top-left, column by column; the last column and
// row are not clipped to Dest.
void DrawBGbmp(TCanvas& canvas, const RECT& dest, TBitmap& map, const RECT& source);
// The bitmap at Dest's top-left at its own size; pixels of the transparent colour leave the target.
void DrawTranmap(HDC dc, const RECT& dest, TBitmap& bitmap, COLORREF transparentColour);
// The bitmap at Dest's top-left at its own size, its palette realised in the background.
void Bitmapdraw(HDC dc, const RECT& dest, TBitmap& bitmap);
// What lies under the control in its parent, painted into the control's DC.
void DrawParentImage(TControl* control, HDC dc, bool unused);

inline int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }
inline int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }
