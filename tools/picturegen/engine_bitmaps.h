// The skin engine's built-in bitmaps, drawn to the pixel: the grey track channels used when a skin
// has none, and the system menu's four glyphs.
#pragma once

#include <string>

// "TRACK": 16 x 4 and "TRACKVERT": 4 x 16, 4 bits per pixel in three greys.
std::string TrackBitmap();
std::string TrackVertBitmap();
// "VELUMOMENU": 64 x 16, one bit per pixel: restore, maximise, minimise and close glyphs, black on
// white.
std::string MenuGlyphsBitmap();
