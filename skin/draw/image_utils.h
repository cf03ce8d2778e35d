// Images and colours derived from a skin: the transparent colour replaced, mirrored and rotated
// copies, blended colours, gradient fills and the saturation measure (from colour_math.h).
//
// The bitmap functions work in place on the pixel bytes, which are 24-bit blue, green, red for the
// images the skin engine derives; 32-bit bitmaps work too. Indexed bitmaps are left as they are.
#pragma once

#include "framework/win32.h"

#include <cstdint>

#include "framework/graphics/graphics.h"
#include "skin/draw/colour_math.h"

class TBitmap;

// Makes the bitmap 24-bit and writes colour's bytes, taken as they are (a system colour is not
// resolved), over every pixel that is exactly magenta.
void ChangeTrans(TBitmap& bitmap, TColor colour);
// Left to right.
void SpiegelnHorizontal(TBitmap& bitmap);
// Top to bottom.
void SpiegelnVertikal(TBitmap& bitmap);
// A quarter turn clockwise: the old left edge becomes the new top edge.
void Drehen90Grad(TBitmap& bitmap);
// A quarter turn counter-clockwise: the old top edge becomes the new left edge.
void Drehen270Grad(TBitmap& bitmap);
// The two colours (system colours resolved) mixed by weight: a percentage of c1 below 100, else
// thousandths.
TColor Blend(TColor c1, TColor c2, int32_t weight);
// A two-colour gradient, left to right for direction 0 and top to bottom otherwise, painted one
// pixel band at a time and only where the DC's clip box lets it show.
void GradFill(HDC dc, const RECT& rect, TColor c1, TColor c2, int32_t direction);
